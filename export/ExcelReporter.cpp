#include "export/ExcelReporter.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <new>
#include <span>

#include "core/OndravaLog.h"
#include "core/ZVLanguageList.h"
#include "core/ZVResourceManager.h"
#include "export/ExcelTexts.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "report/ReportTexts.h"
#include "report/RtfReportText.h"
#include "terminal/DataModel.h"

namespace {

// The sheets the report fills, by their titles in the template's order.
const std::wstring kVoltageSheet = L"电压报表";
const std::wstring kCurrentSheet = L"电流报表";
const std::wstring kQualitySheet = L"电能质量报表";
const std::wstring kPassRateSheet = L"通过率报表";
// The free cell above the harmonic tables, where a sheet says that its harmonic
// values are the harmonics rather than the subgroups.
const std::wstring kSourceNoteCell = L"B10";

// Request words.
constexpr std::uint32_t kMax = 0, kMin = 1, kAvg = 2, kOwnValue = 4;
constexpr std::uint32_t kNoChannel = 4;
constexpr std::uint32_t kPlain = 0, kEffective = 1;
constexpr std::int32_t kHarmonicOrders = 25;

// Item codes.
constexpr std::uint32_t kVoltageRmsItem = 1, kActivePowerItem = 15, kApparentPowerItem = 16,
                        kReactivePowerItem = 17, kPowerFactorItem = 18, kThdItem = 24, kFundamentalVoltageItem = 2000,
                        kFundamentalCurrentItem = 7000,
                        kShortFlickerItem = 13000, kLongFlickerItem = 13001, kUnbalanceItem = 13013,
                        kFrequencyItem = 13017;

// A cell that cannot be written: the report ends.
struct CellWriteFailure {};

std::wstring Cell(const std::wstring& column, int row)
{
    return column + std::to_wstring(row);
}

// "%.0fMVA" of a capacity.
std::wstring Capacity(float value)
{
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 0);
    return platform::Utf8ToWide(std::string_view(buffer, static_cast<std::size_t>(written.ptr - buffer))) + L"MVA";
}

// A capacity nobody entered: the placeholder of an empty cell, not a bare unit.
const std::wstring kNoCapacity = L"——";

bool IsBlank(const std::wstring& text)
{
    return text.find_first_not_of(L" \t") == std::wstring::npos;
}

// "_HH-MM-SS" of the local time of day; a field that cannot be had is -1.
std::wstring TimeOfDay()
{
    const std::optional<std::tm> now = platform::ToLocalTime(std::time(nullptr));
    const int fields[] = {now ? now->tm_hour : -1, now ? now->tm_min : -1, now ? now->tm_sec : -1};
    wchar_t text[32];
    std::swprintf(text, 32, L"_%.2d-%.2d-%.2d", fields[0], fields[1], fields[2]);
    return text;
}

const std::vector<float> kNoValues;

}  // namespace

CExcelReporter::CExcelReporter()
    : m_SheetNumbers{{kVoltageSheet, L"1"}, {kCurrentSheet, L"2"},           {kQualitySheet, L"3"},
                     {kPassRateSheet, L"4"}, {L"国标限值(电压)", L"5"}, {L"国标限值(电流)", L"6"}}
{
}

CExcelReporter::~CExcelReporter() = default;

int CExcelReporter::Prepare(std::wstring, std::wstring)
{
    return 1;
}

void CExcelReporter::Finish() {}

int CExcelReporter::CheckReady()
{
    try {
        if (m_Automation.OpenWorkbook(CZVLanguageList::GetLanguageDir() + exceltext::kTemplateFile)) {
            return 1;
        }
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in CExcelReporter::CheckReady");
    }
    Fail(exceltext::kTemplateMissing);
    return 0;
}

void CExcelReporter::Fail(unsigned textId)
{
    m_Automation.Quit();
    SetReportName(CZVResourceManager::GetResourceManager()->LoadString(textId));
}

int CExcelReporter::ReportOutput(const std::wstring& folder, int share)
{
    try {
        m_OutputFile.clear();
        if (!m_Automation.IsOpen()) {
            Fail(exceltext::kTemplateMissing);
            return 0;
        }
        if (!CollectStatisticData()) {
            Fail(exceltext::kReaderFailed);
            return 0;
        }
        m_ProgressStart = static_cast<float>(GetPosHourglaze());
        m_ProgressShare = static_cast<float>(std::max(share, 0));
        std::error_code ignored;
        std::filesystem::create_directories(platform::ToPath(folder), ignored);
        const std::wstring path = folder + L"/" + GetDataFileName() + TimeOfDay() + L".xlsx";
        ComputeItemStats(2);
        m_Verdicts = {CRtfReportText::Instance().Text(RtfSection::ZvParam, "Pass"),
                      CRtfReportText::Instance().Text(RtfSection::ZvParam, "Fail")};

        WriteReportHeaders();
        WriteQualityGrid();
        WriteHarmonicRows();
        FillStatisticTables();
        WritePowerSummary();

        if (!m_Automation.SaveAs(path)) {
            Fail(exceltext::kSaveFailed);
            return 0;
        }
        m_OutputFile = m_Automation.GetSavedPath();
        m_Automation.Quit();
        return 1;
    } catch (const CellWriteFailure&) {
        Fail(exceltext::kCellWriteFailed);
    } catch (const std::bad_alloc&) {
        Fail(exceltext::kOutOfMemory);
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in CExcelReporter::ReportOutput");
        Fail(reporttext::kGeneralError);
    }
    return 0;
}

// --- Statistic data collection

void CExcelReporter::AddRecords(std::size_t list, std::uint32_t channel, std::span<const std::uint32_t> statistics,
                                std::int32_t orderIndex, std::uint32_t valueKind, std::uint32_t itemCode)
{
    for (const std::uint32_t statistic : statistics) {
        m_Records.push_back(std::make_unique<CReportStatRecord>(channel, statistic, orderIndex, valueKind, itemCode));
        m_Lists[list].push_back(m_Records.back().get());
    }
}

void CExcelReporter::AppendToRequests(std::size_t list)
{
    m_Lists[kRequests].insert(m_Lists[kRequests].end(), m_Lists[list].begin(), m_Lists[list].end());
}

void CExcelReporter::BuildRequests()
{
    static constexpr std::uint32_t kTriple[] = {kMax, kMin, kAvg};
    static constexpr std::uint32_t kOwn[] = {kOwnValue};
    AddRecords(kFrequency, kNoChannel, kTriple, 0, kPlain, kFrequencyItem);
    AppendToRequests(kFrequency);
    AddRecords(kUnbalance, kNoChannel, kTriple, 0, kPlain, kUnbalanceItem);
    AppendToRequests(kUnbalance);
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        AddRecords(kShortFlicker, phase, kOwn, 0, kPlain, kShortFlickerItem);
    }
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        AddRecords(kLongFlicker, phase, kOwn, 0, kPlain, kLongFlickerItem);
    }
    AppendToRequests(kShortFlicker);
    AppendToRequests(kLongFlicker);
    struct PhaseLists {
        std::size_t first;
        std::uint32_t item;
        std::uint32_t valueKind;
    };
    for (const PhaseLists lists : {PhaseLists{kThd, kThdItem, kPlain}, PhaseLists{kPhaseVoltage, kVoltageRmsItem, kPlain},
                                   PhaseLists{kFundamentalVoltage, kFundamentalVoltageItem, kEffective},
                                   PhaseLists{kFundamentalCurrent, kFundamentalCurrentItem, kEffective}}) {
        for (std::uint32_t phase = 0; phase < 3; ++phase) {
            AddRecords(lists.first + phase, phase, kTriple, 0, lists.valueKind, lists.item);
            AppendToRequests(lists.first + phase);
        }
    }
    for (const auto& [first, item] : {std::pair{kActivePower, kActivePowerItem}, std::pair{kApparentPower, kApparentPowerItem},
                                     std::pair{kReactivePower, kReactivePowerItem},
                                     std::pair{kPowerFactor, kPowerFactorItem}}) {
        for (std::uint32_t channel = 0; channel < 4; ++channel) {
            AddRecords(first + channel, channel, kTriple, 0, kPlain, item);
            AppendToRequests(first + channel);
        }
    }
    m_HarmSources = {SubgroupSource(false), SubgroupSource(true)};
    for (const bool current : {false, true}) {
        const CHarmonicSource& source = m_HarmSources[current ? 1 : 0];
        for (std::int32_t orderIndex = 0; orderIndex < kHarmonicOrders; ++orderIndex) {
            for (std::uint32_t phase = 0; phase < 3; ++phase) {
                AddRecords((current ? kCurrentHarmonic : kVoltageHarmonic) + phase, phase, kTriple, orderIndex,
                           source.valueKind, source.item);
            }
        }
    }
    for (std::size_t list = kVoltageHarmonic; list < kCurrentHarmonic + 3; ++list) {
        AppendToRequests(list);
    }
}

bool CExcelReporter::CollectStatisticData()
{
    m_Records.clear();
    for (auto& list : m_Lists) {
        list.clear();
    }
    BuildRequests();
    if (IsSetting5Clear()) {
        return true;  // the report asks for no data: every series stays empty
    }
    ComputeItemStats(1);
    IDataModel* model = GetCurrentModel();
    if (model == nullptr) {
        return false;
    }
    // Opens the model's data when it is not open yet; the answer itself is not needed.
    model->GetData(kNoChannel, kMax, 0, kPlain, kFrequencyItem, 0);
    ChooseHarmonicSources();
    IDevFileAnalysis* reader = model->GetAnalysis();
    if (reader == nullptr) {
        return false;
    }
    std::vector<ItemRequest*> requests(m_Lists[kRequests].begin(), m_Lists[kRequests].end());
    if (reader->GetItemData(requests) == 0) {
        COndravaLog::GetInstance()->Write(L"the statistic reader could not serve the spreadsheet report");
        return false;
    }
    if (GetSetting4() != 0) {
        FilterValidSamples();
    }
    return true;
}

void CExcelReporter::ChooseHarmonicSources()
{
    for (const bool current : {false, true}) {
        CHarmonicSource& source = m_HarmSources[current ? 1 : 0];
        source = ChooseHarmonicSource(GetCurrentModel(), current);
        PointRecordsAt(source, std::span(m_Lists).subspan((current ? kCurrentHarmonic : kVoltageHarmonic), 3));
    }
}

void CExcelReporter::FilterValidSamples()
{
    for (std::size_t phase = 0; phase < 3; ++phase) {
        MarkValidSamples(Values(kPhaseVoltage + phase, kMax), Values(kPhaseVoltage + phase, kMin),
                         static_cast<int>(phase));
    }
    auto keep = [this](std::size_t list, std::size_t phase) {
        for (CReportStatRecord* record : m_Lists[list]) {
            KeepValidSamples(record->values, static_cast<int>(phase));
        }
    };
    for (std::size_t phase = 0; phase < 3; ++phase) {
        keep(kPhaseVoltage + phase, phase);
    }
    keep(kFrequency, 0);
    keep(kUnbalance, 0);
    for (const std::size_t first : {kThd, kFundamentalVoltage, kFundamentalCurrent}) {
        for (std::size_t phase = 0; phase < 3; ++phase) {
            keep(first + phase, phase);
        }
    }
    for (const std::size_t first : {kActivePower, kApparentPower, kReactivePower, kPowerFactor}) {
        for (std::size_t channel = 0; channel < 4; ++channel) {
            // The fourth channel follows phase A's samples.
            keep(first + channel, channel < 3 ? channel : 0);
        }
    }
    for (std::size_t list = kVoltageHarmonic; list < kCurrentHarmonic + 3; ++list) {
        keep(list, (list - kVoltageHarmonic) % 3);
    }
}

const std::vector<float>& CExcelReporter::Values(std::size_t list, std::size_t position) const
{
    const std::vector<CReportStatRecord*>& records = m_Lists[list];
    return position < records.size() ? records[position]->values : kNoValues;
}

// --- Cells

const std::wstring& CExcelReporter::SheetNumber(const std::wstring& title) const
{
    return m_SheetNumbers.at(title);
}

void CExcelReporter::WriteText(const std::wstring& sheet, const std::wstring& cell, const std::wstring& value)
{
    if (!m_Automation.SetCellText(cell, value, SheetNumber(sheet))) {
        COndravaLog::GetInstance()->Write(L"the spreadsheet report cannot write " + cell + L" of " + sheet);
        throw CellWriteFailure{};
    }
}

void CExcelReporter::WriteFloat(const std::wstring& sheet, const std::wstring& cell, float value)
{
    if (!m_Automation.SetCellFloat(cell, value, SheetNumber(sheet))) {
        COndravaLog::GetInstance()->Write(L"the spreadsheet report cannot write " + cell + L" of " + sheet);
        throw CellWriteFailure{};
    }
}

void CExcelReporter::WriteUInt(const std::wstring& sheet, const std::wstring& cell, std::uint32_t value)
{
    if (!m_Automation.SetCellUInt(cell, value, SheetNumber(sheet))) {
        COndravaLog::GetInstance()->Write(L"the spreadsheet report cannot write " + cell + L" of " + sheet);
        throw CellWriteFailure{};
    }
}

void CExcelReporter::Progress(int step) const
{
    UpdateHourglaze(static_cast<double>(m_ProgressStart + m_ProgressShare / 100.0f * static_cast<float>(step)));
}

// --- Header blocks

void CExcelReporter::WriteHeaderCells(const std::wstring& sheet, const std::wstring& column,
                                      const std::wstring& infoCell)
{
    WriteText(sheet, L"c4", GetHeaderText1());
    WriteText(sheet, column + L"4", GetPeriodLabel());
    WriteText(sheet, L"c5", GetHeaderText2());
    WriteText(sheet, L"c6", GetLevelName());
    WriteText(sheet, column + L"6", GetInfoText1());
    WriteText(sheet, infoCell, GetInfoText2());
    WriteText(sheet, L"c7", Capacity(GetBaseCapacity()));
    WriteText(sheet, column + L"7", IsBlank(GetNominalText()) ? kNoCapacity : Capacity(GetNominalValue()));
    WriteText(sheet, L"c8", IsBlank(GetHeaderText5()) ? kNoCapacity : GetHeaderText5() + L"MVA");
    WriteText(sheet, column + L"8", IsBlank(GetHeaderText6()) ? kNoCapacity : GetHeaderText6() + L"MVA");
    WriteText(sheet, L"c9", GetHeaderText4());
}

void CExcelReporter::WriteReportHeaders()
{
    WriteHeaderCells(kVoltageSheet, L"j", L"p6");
    Progress(3);
    WriteHeaderCells(kCurrentSheet, L"j", L"p6");
    Progress(6);
    WriteHeaderCells(kQualitySheet, L"i", L"M6");
    Progress(9);
    WriteHeaderCells(kPassRateSheet, L"i", L"N6");
    Progress(12);
}

// --- Power-quality grid

void CExcelReporter::WriteGridRow(int row, const CReportStatRow& values, bool limitAsText)
{
    WriteFloat(kQualitySheet, Cell(L"C", row), values.maximum);
    WriteFloat(kQualitySheet, Cell(L"E", row), values.average);
    WriteFloat(kQualitySheet, Cell(L"G", row), values.minimum);
    WriteFloat(kQualitySheet, Cell(L"I", row), values.cp95);
    if (limitAsText) {
        WriteText(kQualitySheet, Cell(L"K", row), values.limitText);
    } else {
        WriteFloat(kQualitySheet, Cell(L"K", row), values.limit);
    }
    WriteText(kQualitySheet, Cell(L"M", row), values.verdictText);
}

void CExcelReporter::WriteQualityGrid()
{
    CReportStatRow row;
    if (FillFrequencyRow(row, Values(kFrequency, 0), Values(kFrequency, 1), Values(kFrequency, 2), m_Verdicts)) {
        WriteGridRow(12, row, true);
    }
    Progress(15);
    if (FillUnbalanceRow(row, Values(kUnbalance, 0), Values(kUnbalance, 1), Values(kUnbalance, 2), m_Verdicts)) {
        WriteGridRow(13, row, true);
    }
    Progress(18);
    int step = 21;
    for (int kind = 0; kind < 2; ++kind) {
        const std::size_t list = kind == 0 ? kShortFlicker : kLongFlicker;
        for (std::size_t phase = 0; phase < 3; ++phase) {
            if (FillFlickerRow(row, Values(list, phase), GetFactor(kind), m_Verdicts)) {
                WriteGridRow(14 + 3 * kind + static_cast<int>(phase), row, false);
            }
            Progress(step);
            step += 3;
        }
    }
}

// --- Harmonic rows

void CExcelReporter::WriteHarmonicSourceNotes()
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    const bool voltage = m_HarmSources[0].fromHarmonics;
    const bool current = m_HarmSources[1].fromHarmonics;
    if (voltage) {
        WriteText(kVoltageSheet, kSourceNoteCell, texts.Text(RtfSection::VHarm, "FromHarmonics"));
    }
    if (current) {
        WriteText(kCurrentSheet, kSourceNoteCell, texts.Text(RtfSection::AHarm, "FromHarmonics"));
    }
    if (voltage || current) {
        WriteText(kPassRateSheet, kSourceNoteCell,
                  texts.Text(voltage ? RtfSection::VHarm : RtfSection::AHarm, "FromHarmonics"));
    }
}

void CExcelReporter::WriteHarmonicRows()
{
    WriteHarmonicSourceNotes();
    for (int order = 2; order <= kHarmonicOrders; ++order) {
        const auto position = static_cast<std::size_t>(3 * order - 3);
        for (const bool voltage : {true, false}) {
            const std::size_t first = voltage ? kVoltageHarmonic : kCurrentHarmonic;
            const std::optional<float> limit =
                voltage ? std::optional<float>(GetHarmVoltageLimit(order)) : GetHarmCurrentLimit(order);
            std::array<CReportStatRow, 3> phases;
            for (std::size_t phase = 0; phase < 3; ++phase) {
                FillHarmonicRow(phases[phase], Values(first + phase, position), Values(first + phase, position + 1),
                                Values(first + phase, position + 2), limit, m_Verdicts);
            }
            WriteHarmonicRow(phases, order + 12, voltage);
        }
        Progress(36 + order);
    }
}

void CExcelReporter::WriteHarmonicRow(const std::array<CReportStatRow, 3>& phases, int row, bool voltage)
{
    static const std::wstring kMainColumns[3][5] = {
        {L"C", L"D", L"E", L"F", L"G"}, {L"H", L"I", L"J", L"K", L"L"}, {L"M", L"N", L"O", L"P", L"Q"}};
    static const std::wstring kVoltagePassColumns[3][2] = {{L"C", L"D"}, {L"E", L"F"}, {L"G", L"H"}};
    static const std::wstring kCurrentPassColumns[3][2] = {{L"K", L"L"}, {L"M", L"N"}, {L"O", L"P"}};
    const std::wstring& sheet = voltage ? kVoltageSheet : kCurrentSheet;
    for (std::size_t phase = 0; phase < 3; ++phase) {
        const CReportStatRow& values = phases[phase];
        if (!values.valid) {
            continue;
        }
        const std::wstring* columns = kMainColumns[phase];
        WriteFloat(sheet, Cell(columns[0], row), values.maximum);
        WriteFloat(sheet, Cell(columns[1], row), values.average);
        WriteFloat(sheet, Cell(columns[2], row), values.minimum);
        WriteFloat(sheet, Cell(columns[3], row), values.cp95);
        // An order without a limit has no verdict or pass rate: those cells keep the template's placeholder.
        if (values.judged) {
            WriteText(sheet, Cell(columns[4], row), values.verdictText);
        }
        const std::wstring* pass = voltage ? kVoltagePassColumns[phase] : kCurrentPassColumns[phase];
        WriteUInt(kPassRateSheet, Cell(pass[0], row), values.count);
        if (values.judged) {
            WriteFloat(kPassRateSheet, Cell(pass[1], row), values.passRate);
        }
    }
}

// --- Statistic tables

bool CExcelReporter::FillTripleRow(CReportStatRow& row, std::size_t list) const
{
    return FillValueRow(row, Values(list, 0), Values(list, 1), Values(list, 2));
}

bool CExcelReporter::WriteThdRow(std::size_t phase)
{
    static const std::wstring kColumns[3][5] = {
        {L"C", L"D", L"E", L"F", L"G"}, {L"H", L"I", L"J", L"K", L"L"}, {L"M", L"N", L"O", L"P", L"Q"}};
    static const std::wstring kPassColumns[3][2] = {{L"C", L"E"}, {L"G", L"J"}, {L"M", L"O"}};
    const std::size_t list = kThd + phase;
    CReportStatRow row;
    if (!FillThdRow(row, Values(list, 0), Values(list, 1), Values(list, 2), GetThdLimit(), m_Verdicts)) {
        return false;
    }
    const std::wstring* columns = kColumns[phase];
    WriteFloat(kVoltageSheet, Cell(columns[0], 38), row.maximum);
    WriteFloat(kVoltageSheet, Cell(columns[1], 38), row.average);
    WriteFloat(kVoltageSheet, Cell(columns[2], 38), row.minimum);
    WriteFloat(kVoltageSheet, Cell(columns[3], 38), row.cp95);
    WriteText(kVoltageSheet, Cell(columns[4], 38), row.verdictText);
    WriteUInt(kPassRateSheet, Cell(kPassColumns[phase][0], 40), row.count);
    WriteFloat(kPassRateSheet, Cell(kPassColumns[phase][1], 40), row.passRate);
    return true;
}

void CExcelReporter::FillStatisticTables()
{
    static const std::wstring kColumns[3][4] = {
        {L"C", L"D", L"E", L"F"}, {L"H", L"I", L"J", L"K"}, {L"M", L"N", L"O", L"P"}};
    static const std::wstring kVoltageCountCells[3] = {L"C13", L"E13", L"G13"};
    static const std::wstring kCurrentCountCells[3] = {L"K13", L"M13", L"O13"};
    static const int kVoltageSteps[3] = {55, 60, 65};
    CReportStatRow row;
    auto writeFundamental = [&](const std::wstring& sheet, std::size_t phase) {
        const std::wstring* columns = kColumns[phase];
        WriteFloat(sheet, Cell(columns[0], 13), row.maximum);
        WriteFloat(sheet, Cell(columns[1], 13), row.average);
        WriteFloat(sheet, Cell(columns[2], 13), row.minimum);
        WriteFloat(sheet, Cell(columns[3], 13), row.cp95);
    };

    for (std::size_t phase = 0; phase < 3; ++phase) {
        if (FillTripleRow(row, kFundamentalVoltage + phase)) {
            writeFundamental(kVoltageSheet, phase);
            Progress(kVoltageSteps[phase]);
            WriteUInt(kPassRateSheet, kVoltageCountCells[phase], row.count);
        }
    }
    for (std::size_t phase = 0; phase < 3; ++phase) {
        if (WriteThdRow(phase) || phase == 1) {
            Progress(75 + 5 * static_cast<int>(phase));
        }
    }
    WriteFloat(kVoltageSheet, L"R38", GetThdLimit());
    for (std::size_t phase = 0; phase < 3; ++phase) {
        if (FillTripleRow(row, kFundamentalCurrent + phase)) {
            writeFundamental(kCurrentSheet, phase);
            WriteUInt(kPassRateSheet, kCurrentCountCells[phase], row.count);
            if (phase == 0) {
                Progress(95);
            }
        }
    }
    for (std::size_t phase = 0; phase < 3; ++phase) {
        const std::size_t list = kPhaseVoltage + phase;
        if (FillDeviationRow(row, Values(list, 0), Values(list, 1), Values(list, 2), GetFloatField(),
                             GetDeviationLimitText())) {
            const int sheetRow = 20 + static_cast<int>(phase);
            WriteFloat(kQualitySheet, Cell(L"C", sheetRow), row.maximum);
            WriteFloat(kQualitySheet, Cell(L"E", sheetRow), row.average);
            WriteFloat(kQualitySheet, Cell(L"G", sheetRow), row.minimum);
            WriteText(kQualitySheet, Cell(L"K", sheetRow), row.limitText);
        }
    }
    Progress(100);
}

// --- Power rows

void CExcelReporter::WritePowerSummary()
{
    // Active, reactive, apparent power and power factor, each phases A to C and the fourth channel.
    int sheetRow = 23;
    for (const std::size_t first : {kActivePower, kReactivePower, kApparentPower, kPowerFactor}) {
        for (std::size_t channel = 0; channel < 4; ++channel, ++sheetRow) {
            CReportStatRow row;
            if (FillTripleRow(row, first + channel)) {
                WriteFloat(kQualitySheet, Cell(L"C", sheetRow), row.maximum);
                WriteFloat(kQualitySheet, Cell(L"E", sheetRow), row.average);
                WriteFloat(kQualitySheet, Cell(L"G", sheetRow), row.minimum);
                WriteFloat(kQualitySheet, Cell(L"I", sheetRow), row.cp95);
            }
        }
    }
}
