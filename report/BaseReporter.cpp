#include "report/BaseReporter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cwchar>

#include "core/NumberHelpers.h"
#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "report/ReportConfig.h"
#include "report/ReportTexts.h"
#include "report/RtfReportText.h"
#include "report/SeriesStatistics.h"
#include "report/TrendKeyTables.h"
#include "terminal/DataModel.h"

namespace {

// The record time texts hold milliseconds as their last four characters (".000").
std::wstring WithoutMilliseconds(const std::wstring& text)
{
    return text.size() > 4 ? text.substr(0, text.size() - 4) : std::wstring();
}

std::wstring Percent(float fraction)
{
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(fraction * 100.0f), std::chars_format::fixed, 0);
    return std::wstring(buffer, result.ptr);
}

// Widening of an invalid sample's neighbourhood: shorter intervals lose more neighbours.
std::size_t InvalidationWidth(double interval)
{
    if (interval < 3.0) {
        return 4;
    }
    return interval < 5.0 ? 2 : 1;
}

// 1 and a copy of the key's entry; 0 with `item` untouched when the key is not there.
template <typename Item>
int CopyEntry(const std::map<std::string, Item>& table, const std::string& key, Item& item)
{
    const auto found = table.find(key);
    if (found == table.end()) {
        return 0;
    }
    item = found->second;
    return 1;
}

}  // namespace

CBaseReporter::CBaseReporter()
    : m_ErrorText(CZVResourceManager::GetResourceManager()->LoadString(reporttext::kGeneralError))
{
}

CBaseReporter::~CBaseReporter() = default;

int CBaseReporter::Prepare(std::wstring, std::wstring)
{
    return 0;
}

void CBaseReporter::Finish() {}

int CBaseReporter::ReportOutput(const std::wstring&, int)
{
    return 0;
}

int CBaseReporter::CheckReady()
{
    return 1;
}

int CBaseReporter::Init(std::wstring dataPath, int levelCode, const BasicInfo* record, CReportConfig* config,
                        IDataModel* model1, IDataModel* model2, IDataModel* soeSource, std::uintptr_t lastValue)
{
    try {
        m_Ready = 0;
        if (record == nullptr || config == nullptr || model1 == nullptr || model2 == nullptr || soeSource == nullptr) {
            return 0;
        }
        // Every title, label and verdict of a report is a report text: without them
        // the report would be numbers and lines only.
        if (!CRtfReportText::Instance().IsLoaded()) {
            std::wstring message = CZVResourceManager::GetResourceManager()->LoadString(reporttext::kTextsMissing);
            if (const std::size_t at = message.find(L"%s"); at != std::wstring::npos) {
                message.replace(at, 2, platform::FromPath(CRtfReportText::LanguageFile()));
            }
            m_ErrorText = message;
            return 0;
        }
        // The record count of the data as the model that serves the report reads it.
        BasicInfo data;
        std::uint32_t kind = 0;
        model1->GetSource(&kind);
        (kind == 1 ? model1 : model2)->QueryBasicInfo(&data);
        m_DataCount = data.recordCount;

        m_Record = *record;
        m_LevelCode = levelCode;
        m_DataPath = std::move(dataPath);
        m_Config = config;
        m_Model1 = model1;
        m_Model2 = model2;
        m_SoeSource = soeSource;
        const CReportBasicInfo info = config->GetBasicInfo();
        m_HeaderTexts = {info.placeText,      info.operatorText,       info.reporterText,
                         info.departmentText, info.agreedCapacityText, info.supplyCapacityText};

        if (levelCode < 1 || levelCode > static_cast<int>(CLevelLimitTable::kRowCount)) {
            return 0;
        }
        m_LimitTable.SelectRow(static_cast<std::uint32_t>(levelCode - 1));
        // L1 and N only: the 0.38 kV supply is single-phase.
        m_LimitTable.SetSinglePhase(levelCode == 1 && m_Record.phaseMask == 9);

        if (Prepare(info.subLogoPath, info.mainLogoPath) == 0) {
            return 0;
        }
        m_Ready = 1;
        m_LastValue = lastValue;
        m_TrendKeys = MakeTrendKeyTable();
        m_HarmTrendKeys = MakeHarmTrendKeyTable();
        return 1;
    } catch (...) {
        m_Ready = 0;
        COndravaLog::GetInstance()->Write(L"an exception occurs in CWordReporter::Init");
        m_ErrorText = CZVResourceManager::GetResourceManager()->LoadString(reporttext::kInitError);
        return 0;
    }
}

bool CBaseReporter::ModelReadsFullResolution() const
{
    std::uint32_t kind = 0;
    return m_Model1 != nullptr && m_Model1->GetSource(&kind) != 0 && kind == 1;
}

int CBaseReporter::ComputeItemStats(int kind)
{
    double scale = 1.0;
    if (kind == 1) {
        const bool full = ModelReadsFullResolution();
        m_CurrentSource = full ? m_Model1 : m_Model2;
        // The second model reads every tenth record: its intervals are ten times longer.
        scale = full ? 1.0 : 10.0;
    } else if (kind == 2) {
        m_CurrentSource = m_Model1;
    } else {
        return 1;
    }
    const double* d = m_Record.doubles;
    m_Values = {m_Record.interval / scale, d[2] / scale, d[0] / scale, d[1] / scale, d[3] / scale, d[4] / scale};
    return 1;
}

double CBaseReporter::GetPhaseValue(int column) const
{
    return column >= 1 && column <= 6 ? m_Values[static_cast<std::size_t>(column - 1)] : 0.0;
}

std::wstring CBaseReporter::GetPeriodLabel() const
{
    std::wstring label = WithoutMilliseconds(m_Record.startText) + L" ^ " + WithoutMilliseconds(m_Record.endText);
    for (wchar_t& c : label) {
        if (c == L'-') {
            c = L'/';
        }
    }
    for (wchar_t& c : label) {
        if (c == L'^') {
            c = L'-';
        }
    }
    return label;
}

std::optional<std::time_t> CBaseReporter::GetTime(int which, int* milliseconds) const
{
    const std::wstring& text = which != 0 ? m_Record.startText : m_Record.endText;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    if (std::swscanf(text.c_str(), L"%d-%d-%d %d:%d:%d.%d", &year, &month, &day, &hour, &minute, &second, &ms) != 7) {
        return std::nullopt;
    }
    // A field out of its range would be carried into the next by the calendar.
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59 || ms < 0 || ms > 999) {
        return std::nullopt;
    }
    const std::optional<std::time_t> time = platform::FromLocalTime(year, month, day, hour, minute, second);
    if (time && milliseconds != nullptr) {
        *milliseconds = ms;
    }
    return time;
}

std::wstring CBaseReporter::GetFileName() const
{
    const std::size_t separator = m_DataPath.find_last_of(L"/\\");
    return separator == std::wstring::npos ? m_DataPath : m_DataPath.substr(separator + 1);
}

double CBaseReporter::GetScaledNominal() const
{
    return ModelReadsFullResolution() ? m_Record.interval * 10.0 : m_Record.interval;
}

float CBaseReporter::GetNominalValue() const
{
    return static_cast<float>(ParseLeadingDouble(m_Record.mvaText));
}

float CBaseReporter::GetFloatField() const
{
    return static_cast<float>(ParseLeadingDouble(m_Record.voltageText));
}

DeviationLimits CBaseReporter::GetLimitRange() const
{
    return m_LimitTable.GetDeviationRange(GetFloatField());
}

std::optional<float> CBaseReporter::GetHarmCurrentLimit(int order) const
{
    return m_LimitTable.GetScaledCurrent(order, GetNominalValue());
}

float CBaseReporter::GetFactor(int kind) const
{
    return kind == 0 ? m_LimitTable.GetPstLimit() : m_LimitTable.GetPltLimit();
}

std::uint32_t CBaseReporter::CountDeviationOver(const std::vector<float>& samples) const
{
    const float nominal = GetFloatField();
    const DeviationLimits limits = GetLimitRange();
    const bool eachSide = m_LevelCode >= 1 && m_LevelCode <= 3;
    std::uint32_t over = 0;
    for (const float sample : samples) {
        if (!HasValue(sample)) {
            continue;
        }
        const float deviation = sample - nominal;
        const bool outside =
            eachSide ? deviation > limits.upper || -deviation > limits.lower : std::fabs(deviation) > limits.upper;
        over += outside ? 1 : 0;
    }
    return over;
}

std::wstring CBaseReporter::GetDeviationLimitText() const
{
    const DeviationLimits ratios = GetDefaultRange();
    if (m_LevelCode >= 1 && m_LevelCode <= 3) {
        return L"+" + Percent(ratios.upper) + L"/-" + Percent(ratios.lower);
    }
    return Percent(ratios.upper);
}

int CBaseReporter::IsItemSupported(std::uint32_t itemId) const
{
    if (m_Record.value3 == 0) {
        return 1;
    }
    switch (itemId) {
    case 1: case 2: case 3: case 4: case 6: case 8: case 9: case 10: case 11: case 13:
    case 15: case 16: case 17: case 18:
        return 2;
    case 5: case 12: case 20: case 21: case 22:
        return 3;
    case 7: case 14: case 19: case 23: case 24: case 25:
    case 2000: case 3000: case 4000: case 5000: case 6000: case 6001: case 7000: case 8000: case 9000:
    case 10000: case 11000: case 11001: case 12000:
        return 4;
    case 13000:
        return 6;
    case 13017:
        return 5;
    default:
        return itemId >= 13001 && itemId <= 13016 ? 4 : 0;
    }
}

int CBaseReporter::FindTrendItem(const std::string& key, CReportItemName& item) const
{
    return CopyEntry(m_TrendKeys, key, item);
}

int CBaseReporter::FindHarmTrendItem(const std::string& key, CReportItemDef& item) const
{
    return CopyEntry(m_HarmTrendKeys, key, item);
}

std::size_t CBaseReporter::MarkValidSamples(const std::vector<float>& maximum, const std::vector<float>& minimum,
                                            int phase)
{
    if (maximum.size() != minimum.size() || phase < 0 || phase > 2) {
        return 0;
    }
    const float upper = static_cast<float>(m_Record.tailValue1);
    const float lower = static_cast<float>(m_Record.tailValue2);
    const std::size_t width = InvalidationWidth(GetPhaseValue(1));
    const std::size_t count = maximum.size();
    std::vector<std::uint8_t> flags(count, 1);
    for (std::size_t i = 0; i < count; ++i) {
        const bool invalid = (HasValue(maximum[i]) && maximum[i] > upper) || (HasValue(minimum[i]) && minimum[i] < lower);
        if (!invalid) {
            continue;
        }
        const std::size_t first = i >= width ? i - width : 0;
        const std::size_t last = std::min(i + width, count - 1);
        std::fill(flags.begin() + static_cast<std::ptrdiff_t>(first), flags.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                  std::uint8_t{0});
    }
    m_ValidFlags[static_cast<std::size_t>(phase)] = std::move(flags);
    return count;
}

std::size_t CBaseReporter::KeepValidSamples(std::vector<float>& values, int phase) const
{
    if (phase < 0 || phase > 2) {
        return 0;
    }
    const std::vector<std::uint8_t>& flags = m_ValidFlags[static_cast<std::size_t>(phase)];
    if (flags.empty() || flags.size() != values.size()) {
        return 0;
    }
    std::vector<float> kept;
    kept.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (flags[i] != 0) {
            kept.push_back(values[i]);
        }
    }
    values = std::move(kept);
    return values.size();
}
