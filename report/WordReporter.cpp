#include "report/WordReporter.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <span>

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"
#include "report/GridReportPainter.h"
#include "report/ReportPageCanvas.h"
#include "report/ReportWizardSettings.h"
#include "report/RtfPageOutput.h"
#include "report/SeriesStatistics.h"
#include "report/ZVReportUtil.h"
#include "terminal/DataModel.h"
#include "terminal/SOEEventDataManager.h"

namespace {

constexpr unsigned kDataStepFailed = 6288;  // "生成报表失败！可能原因：..."
constexpr unsigned kDiskFull = 6290;        // "保存报表失败,失败原因：\n\n磁盘已满！"
constexpr unsigned kAccessDenied = 6291;    // "保存报表失败,失败原因：\n\n访问的磁盘被拒绝！"
constexpr unsigned kMakingEventCharts = 6289;  // "正生成事件图"

// Record statistics of the lists of three.
constexpr std::uint32_t kMax = 0;
constexpr std::uint32_t kMin = 1;
constexpr std::uint32_t kAvg = 2;
constexpr std::uint32_t kOwnValue = 4;
constexpr std::uint32_t kNoChannel = 4;

std::wstring Percent3(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring WideNumber(std::int64_t value)
{
    return std::to_wstring(value);
}

}  // namespace

CReportRowValues CParamAssessRow::ToValues(const std::wstring& label) const
{
    return CReportRowValues(label, {maximum, {}}, {minimum, {}}, {average, {}}, {cp95, {}}, limit, tests, over,
                            passPercent, verdict);
}

CWordReporter::CWordReporter() = default;

CWordReporter::CWordReporter(CRtfTempFile::FileAccess access) : m_TempFile(std::move(access)) {}

CWordReporter::~CWordReporter() = default;

int CWordReporter::Prepare(std::wstring subLogoPath, std::wstring mainLogoPath)
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    m_Canvas = std::make_unique<CReportPageCanvas>(
        std::move(subLogoPath), std::move(mainLogoPath), texts.Text(RtfSection::TrendGraph, "MaxValue"),
        texts.Text(RtfSection::TrendGraph, "MinValue"), texts.Text(RtfSection::TrendGraph, "AvgValue"),
        texts.Text(RtfSection::TrendGraph, "C95Value"), texts.Text(RtfSection::TrendGraph, "MaxValueTime"));
    // Metafile pages unless the settings ask for PNG; those at one pixel per page
    // unit: the document shows each page 150 pixels to the inch.
    if (CReportWizardSettings::ReadPngPages()) {
        m_Canvas->SetPageFormat(CReportPageCanvas::PageFormat::Png);
    }
    m_Canvas->SetResolution(CReportPageCanvas::kUnitsPerInch);
    return 1;
}

void CWordReporter::SetSections(int trend, int event)
{
    m_TrendSection = trend;
    m_EventSection = event;
}

bool CWordReporter::Failed() const
{
    return m_PageFailed || !m_TempFile.Healthy();
}

void CWordReporter::SetSaveMessage(int error)
{
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS: SetReportName(resources->LoadString(kAccessDenied)); break;
        case ENOSPC:
        case EDQUOT: SetReportName(resources->LoadString(kDiskFull)); break;
        default: break;  // the general error the message text holds from the start
    }
}

int CWordReporter::ReportOutput(const std::wstring& outputPath, int)
{
    try {
        m_PageFailed = false;
        m_KeptPages.clear();
        m_RenderSeconds = 0.0;
        m_PagesWritten = 0;
        if (m_Canvas == nullptr) {
            return 0;
        }
        // The file first: a folder that cannot take it fails before anything is read or drawn.
        if (m_TempFile.Open(outputPath) != 1) {
            SetSaveMessage(m_TempFile.GetError());
            m_TempFile.Discard();
            return 0;
        }
        ApplyDocFormat(std::make_unique<CDocFormatNoMargt>());
        // A recording without a single value to report is no report: the tables
        // would show nothing but "--".
        if (CollectReportData() == 0 || !HoldsAnyValue()) {
            SetReportName(CZVResourceManager::GetResourceManager()->LoadString(kDataStepFailed));
            m_TempFile.Discard();
            return 0;
        }

        const CRtfReportText& texts = CRtfReportText::Instance();
        // Runs a step of the fixed order on the statistic model; false once the report has failed.
        auto step = [this](auto&& write, double progress) {
            ComputeItemStats(2);
            write();
            if (progress > 0.0) {
                UpdateHourglaze(progress);
            }
            return !Failed();
        };
        bool going = step([&] { WriteBasicInfoPage(); }, 44) && step([&] { WriteParameterTable(); }, 54) &&
                     step([&] { WriteHarmVoltageTable(0, 13, texts.Text(RtfSection::VHarm, "TableTitle")); }, 60) &&
                     step([&] { WriteHarmVoltageTable(13, 25, texts.Text(RtfSection::VHarm, "TableTitleContinue")); },
                          62) &&
                     step([&] { WriteHarmVoltageChartPage(texts.Text(RtfSection::VHarm, "GraphTitle")); }, 66) &&
                     step([&] { WriteHarmCurrentTable(0, 13, texts.Text(RtfSection::AHarm, "TableTitle")); }, 70) &&
                     step([&] { WriteHarmCurrentTable(13, 25, texts.Text(RtfSection::AHarm, "TableTitleContinue")); },
                          74) &&
                     step([&] { WriteHarmCurrentChartPage(texts.Text(RtfSection::AHarm, "GraphTitle")); }, 78) &&
                     step(
                         [&] {
                             if (m_TrendSection != 0) {
                                 WriteTrendSection();
                             }
                         },
                         85);
        if (going && m_EventSection != 0) {
            going = step(
                        [&] {
                            CollectSoeEvents();
                            GetComtradeEventNum();
                            WriteEventSummaryTable();
                        },
                        88.5) &&
                    step(
                        [&] {
                            WriteComtradeEventTable();
                            NotifyHourglaze(
                                CZVResourceManager::GetResourceManager()->LoadString(kMakingEventCharts).c_str());
                        },
                        94.9) &&
                    step([&] { WriteSoeEventTable(); }, 98) && step([&] { WriteSoeChartSection(); }, 0);
        }
        if (!going) {
            if (!m_TempFile.Healthy()) {
                SetSaveMessage(m_TempFile.GetError());
            } else {
                COndravaLog::GetInstance()->Write(L"a page of the report could not be drawn or written");
            }
            m_TempFile.Discard();
            return 0;
        }
        UpdateHourglaze(99.9);
        const int result = m_TempFile.CloseAndCopy(outputPath);
        if (result != 0) {
            SetSaveMessage(result);
            return 0;
        }
        return 1;
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in CWordReporter::ReportOutput");
        m_TempFile.Discard();
        return 0;
    }
}

// --- The data step

void CWordReporter::ClearRecords()
{
    for (auto& list : m_Lists) {
        list.clear();
    }
    m_Records.clear();
}

void CWordReporter::AddRecords(std::size_t list, std::uint32_t channel, std::uint32_t statistic,
                               std::int32_t orderIndex, std::uint32_t valueKind, std::uint32_t item)
{
    m_Records.push_back(std::make_unique<CReportStatRecord>(channel, statistic, orderIndex, valueKind, item));
    m_Lists[list].push_back(m_Records.back().get());
}

void CWordReporter::AppendToAll(std::size_t list)
{
    m_Lists[kAllRecords].insert(m_Lists[kAllRecords].end(), m_Lists[list].begin(), m_Lists[list].end());
}

bool CWordReporter::HoldsAnyValue() const
{
    for (const CReportStatRecord* record : m_Lists[kAllRecords]) {
        for (const float sample : record->values) {
            if (HasValue(sample)) {
                return true;
            }
        }
    }
    return false;
}

const std::vector<float>& CWordReporter::Series(std::size_t list, std::size_t record) const
{
    static const std::vector<float> kNone;
    const std::vector<CReportStatRecord*>& records = m_Lists.at(list);
    return record < records.size() ? records[record]->values : kNone;
}

int CWordReporter::CollectReportData()
{
    ClearRecords();
    // Maximum, minimum and average of an item of one channel.
    auto triple = [this](std::size_t list, std::uint32_t channel, std::int32_t order, std::uint32_t kind,
                         std::uint32_t item) {
        for (const std::uint32_t statistic : {kMax, kMin, kAvg}) {
            AddRecords(list, channel, statistic, order, kind, item);
        }
    };
    triple(kFrequency, kNoChannel, 0, 0, 13017);
    AppendToAll(kFrequency);
    triple(kUnbalance, kNoChannel, 0, 0, 13013);
    AppendToAll(kUnbalance);
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        AddRecords(kPst, phase, kOwnValue, 0, 0, 13000);
    }
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        AddRecords(kPlt, phase, kOwnValue, 0, 0, 13001);
    }
    AppendToAll(kPst);
    AppendToAll(kPlt);
    struct PhaseItem {
        std::size_t first;
        std::uint32_t item;
        std::uint32_t kind;
        std::uint32_t channels;
    };
    for (const PhaseItem& p : {PhaseItem{kThd, 24, 0, 3}, PhaseItem{kVoltage, 1, 0, 3},
                               PhaseItem{kFundVoltage, 2000, 1, 3}, PhaseItem{kFundCurrent, 7000, 1, 3},
                               PhaseItem{kPowerFactor, 18, 0, 4}}) {
        for (std::uint32_t channel = 0; channel < p.channels; ++channel) {
            triple(p.first + channel, channel, 0, p.kind, p.item);
            AppendToAll(p.first + channel);
        }
    }
    m_HarmSources = {SubgroupSource(false), SubgroupSource(true)};
    for (const bool current : {false, true}) {
        const CHarmonicSource& source = m_HarmSources[current ? 1 : 0];
        for (int order = 0; order < kHarmOrders; ++order) {
            for (std::uint32_t phase = 0; phase < 3; ++phase) {
                triple((current ? kHarmCurrent : kHarmVoltage) + phase, phase, order, source.valueKind, source.item);
            }
        }
    }
    for (std::size_t list = kHarmVoltage; list < kHarmCurrent + 3; ++list) {
        AppendToAll(list);
    }

    if (IsSetting5Clear()) {
        return 1;
    }
    ComputeItemStats(1);
    if (IsSetting5Clear()) {
        return 1;
    }
    IDataModel* model = GetCurrentModel();
    if (model == nullptr) {
        return 0;
    }
    // Opens the model's data when they are not open yet; the answer itself is not needed.
    model->GetData(kNoChannel, kMax, 0, 0, 13017, 0);
    ChooseHarmonicSources();
    IDevFileAnalysis* reader = model->GetAnalysis();
    std::vector<ItemRequest*> requests(m_Lists[kAllRecords].begin(), m_Lists[kAllRecords].end());
    if (reader == nullptr || reader->GetItemData(requests) == 0) {
        COndravaLog::GetInstance()->Write(L"the statistic reader could not serve the RTF report");
        return 0;
    }
    if (GetSetting4() == 0) {
        return 1;
    }
    for (int phase = 0; phase < 3; ++phase) {
        MarkValidSamples(Series(kVoltage + phase, 0), Series(kVoltage + phase, 1), phase);
    }
    auto keep = [this](std::size_t list, int phase) {
        for (CReportStatRecord* record : m_Lists[list]) {
            KeepValidSamples(record->values, phase);
        }
    };
    for (int phase = 0; phase < 3; ++phase) {
        keep(kVoltage + phase, phase);
    }
    // The quantities without a phase follow L1's intervals.
    keep(kFrequency, 0);
    keep(kUnbalance, 0);
    for (const std::size_t first : {kThd, kFundVoltage, kFundCurrent, kPowerFactor}) {
        for (int phase = 0; phase < 3; ++phase) {
            keep(first + phase, phase);
        }
    }
    keep(kPowerFactor + 3, 0);
    for (const std::size_t first : {kHarmVoltage, kHarmCurrent}) {
        for (int phase = 0; phase < 3; ++phase) {
            keep(first + phase, phase);
        }
    }
    return 1;
}

void CWordReporter::ChooseHarmonicSources()
{
    for (const bool current : {false, true}) {
        CHarmonicSource& source = m_HarmSources[current ? 1 : 0];
        source = ChooseHarmonicSource(GetCurrentModel(), current);
        PointRecordsAt(source, std::span(m_Lists).subspan((current ? kHarmCurrent : kHarmVoltage), 3));
    }
}

// --- Rows

std::wstring CWordReporter::FormatCell(float value)
{
    return CZVReportUtil::FormatValue3(value);
}

int CWordReporter::FillStatRowOf(CParamAssessRow& row, std::size_t list) const
{
    row = CParamAssessRow{};
    const std::uint32_t tests = SeriesCount(Series(list, 0));
    if (tests == 0) {
        return 0;
    }
    row.maximum = FormatCell(SeriesMax(Series(list, 0)));
    row.average = FormatCell(SeriesMean(Series(list, 2)));
    row.minimum = FormatCell(SeriesMin(Series(list, 1)));
    row.cp95 = FormatCell(GetCP95(Series(list, 2)));
    row.tests = WideNumber(tests);
    return 1;
}

int CWordReporter::FillStatRow(CParamAssessRow& row, int quantity) const
{
    row = CParamAssessRow{};
    return quantity >= 0 && quantity <= 3 ? FillStatRowOf(row, kPowerFactor + static_cast<std::size_t>(quantity)) : 0;
}

int CWordReporter::FillStatRow6(CParamAssessRow& row, int quantity) const
{
    row = CParamAssessRow{};
    return quantity >= 0 && quantity <= 5 ? FillStatRowOf(row, kFundVoltage + static_cast<std::size_t>(quantity)) : 0;
}

void CWordReporter::FillAssessRow(CParamAssessRow& row, float average, float cp95, float maximum, float minimum,
                                  double passFraction, float limit, std::uint32_t tests, std::uint32_t over) const
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    row.average = FormatCell(average);
    row.cp95 = FormatCell(cp95);
    row.maximum = FormatCell(maximum);
    row.minimum = FormatCell(minimum);
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", static_cast<double>(limit));
    row.limit = std::wstring(text, text + std::char_traits<char>::length(text));
    row.passPercent = Percent3(passFraction * 100.0);
    row.tests = WideNumber(tests);
    row.over = WideNumber(over);
    row.verdict = texts.Text(RtfSection::ZvParam, limit >= cp95 ? "Pass" : "Fail");
}

int CWordReporter::FillUnbalanceRow(CParamAssessRow& row) const
{
    if (FillStatRowOf(row, kUnbalance) == 0) {
        return 0;
    }
    const std::vector<float>& maximum = Series(kUnbalance, 0);
    const std::vector<float>& average = Series(kUnbalance, 2);
    const std::uint32_t tests = SeriesCount(maximum);
    const std::uint32_t over = std::min(CountUnbalanceOver(maximum, average), tests);
    row.limit = L"2.0/4.0";
    row.over = WideNumber(over);
    row.passPercent = Percent3(static_cast<double>(tests - over) / tests * 100.0);
    const bool pass = IsUnbalancePass(GetCP95(average), SeriesMax(maximum));
    row.verdict = CRtfReportText::Instance().Text(RtfSection::ZvParam, pass ? "Pass" : "Fail");
    return 1;
}

int CWordReporter::FillFrequencyRow(CParamAssessRow& row) const
{
    if (FillStatRowOf(row, kFrequency) == 0) {
        return 0;
    }
    const std::vector<float>& average = Series(kFrequency, 2);
    const std::uint32_t tests = SeriesCount(Series(kFrequency, 0));
    std::uint32_t over = 0;
    for (const float sample : average) {
        if (HasValue(sample) && !IsFrequencyWithin(sample)) {
            ++over;
        }
    }
    over = std::min(over, tests);
    row.limit = L"49.8-50.2";
    row.over = WideNumber(over);
    row.passPercent = Percent3(static_cast<double>(tests - over) / tests * 100.0);
    const bool pass = IsFrequencyWithin(GetCP95(average));
    row.verdict = CRtfReportText::Instance().Text(RtfSection::ZvParam, pass ? "Pass" : "Fail");
    return 1;
}

int CWordReporter::FillVoltageDeviationRow(CParamAssessRow& row, int phase) const
{
    row = CParamAssessRow{};
    const float nominal = GetFloatField();
    if (phase < 0 || phase > 2 || !(nominal > 1.0f)) {
        return 0;
    }
    const std::size_t list = kVoltage + static_cast<std::size_t>(phase);
    const std::uint32_t tests = SeriesCount(Series(list, 0));
    if (tests == 0) {
        return 0;
    }
    auto deviation = [nominal](float value) { return (value - nominal) / nominal * 100.0f; };
    const std::uint32_t over = std::min(CountDeviationOver(Series(list, 2)), tests);
    row.maximum = FormatCell(deviation(SeriesMax(Series(list, 0))));
    row.average = FormatCell(deviation(SeriesMean(Series(list, 2))));
    row.minimum = FormatCell(deviation(SeriesMin(Series(list, 1))));
    row.tests = WideNumber(tests);
    row.over = WideNumber(over);
    row.passPercent = Percent3(static_cast<double>(tests - over) / tests * 100.0);
    row.limit = GetDeviationLimitText();
    return 1;
}

int CWordReporter::FillThdRow(CParamAssessRow& row, int phase) const
{
    row = CParamAssessRow{};
    if (phase < 0 || phase > 2) {
        return 0;
    }
    const std::size_t list = kThd + static_cast<std::size_t>(phase);
    const std::uint32_t tests = SeriesCount(Series(list, 0));
    if (tests == 0) {
        return 0;
    }
    const float limit = GetThdLimit();
    const std::uint32_t over = std::min(CountOver(Series(list, 2), limit), tests);
    FillAssessRow(row, SeriesMean(Series(list, 2)), GetCP95(Series(list, 2)), SeriesMax(Series(list, 0)),
                  SeriesMin(Series(list, 1)), static_cast<double>(tests - over) / tests, limit, tests, over);
    return 1;
}

int CWordReporter::FillFlickerRow(CParamAssessRow& row, std::size_t list, int phase) const
{
    row = CParamAssessRow{};
    if (phase < 0 || phase > 2 || (list != kPst && list != kPlt)) {
        return 0;
    }
    std::vector<float> values;
    CopyNonNegativeValues(Series(list, static_cast<std::size_t>(phase)), values);
    const std::uint32_t tests = SeriesCount(values);
    if (tests == 0) {
        return 0;
    }
    const float limit = GetFactor(list == kPlt ? 1 : 0);
    const float cp95 = GetCP95(values);
    const std::uint32_t over = CountOver(values, limit);
    row.maximum = FormatCell(SeriesMax(values));
    row.average = FormatCell(SeriesMean(values));
    row.minimum = FormatCell(SeriesMin(values));
    row.cp95 = FormatCell(cp95);
    row.limit = FormatCell(limit);
    row.tests = WideNumber(tests);
    row.over = WideNumber(over);
    row.passPercent = Percent3(static_cast<double>(tests - over) / tests * 100.0);
    row.verdict = CRtfReportText::Instance().Text(RtfSection::ZvParam, limit < cp95 ? "Fail" : "Pass");
    return 1;
}

int CWordReporter::FillHarmRow(CParamAssessRow& row, bool current, int phase, int orderIndex) const
{
    row = CParamAssessRow{};
    if (phase < 0 || phase > 2 || orderIndex < 0 || orderIndex >= kHarmOrders) {
        return 0;
    }
    const std::size_t list = (current ? kHarmCurrent : kHarmVoltage) + static_cast<std::size_t>(phase);
    const std::size_t first = 3 * static_cast<std::size_t>(orderIndex);
    const std::vector<float>& average = Series(list, first + 2);
    const std::uint32_t tests = SeriesCount(average);
    if (tests == 0) {
        return 0;
    }
    const float cp95 = GetCP95(average);
    row.maximum = FormatCell(SeriesMax(Series(list, first)));
    row.average = FormatCell(SeriesMean(average));
    row.minimum = FormatCell(SeriesMin(Series(list, first + 1)));
    row.cp95 = FormatCell(cp95);

    const int order = orderIndex + 1;
    std::optional<float> limit;
    if (current) {
        limit = GetHarmCurrentLimit(order);
    } else if (order != 1) {
        limit = GetHarmVoltageLimit(order);
    }
    if (!limit) {
        return 1;
    }
    const std::uint32_t over = CountOver(average, *limit);
    if (current) {
        row.limit = FormatCell(*limit);
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "%.1f", static_cast<double>(*limit));
        row.limit = std::wstring(text, text + std::char_traits<char>::length(text));
    }
    row.over = WideNumber(over);
    row.passPercent = Percent3(static_cast<double>(tests - over) / tests * 100.0);
    row.verdict = CRtfReportText::Instance().Text(RtfSection::ZvParam, *limit < cp95 ? "Fail" : "Pass");
    return 1;
}

// --- Page output

CPageHeader CWordReporter::PageHeader(const std::wstring& heading) const
{
    CPageHeader header;
    header.heading = heading;
    header.subheading = GetPeriodLabel();
    header.corner = GetFileName();
    return header;
}

bool CWordReporter::FinishPage(bool newSection)
{
    if (m_PageObserver) {
        m_PageObserver(*m_Canvas);
    }
    const auto begin = std::chrono::steady_clock::now();
    std::string png = m_Canvas->EndPage();
    m_RenderSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    if (png.empty()) {
        m_PageFailed = true;
        return false;
    }
    if (newSection) {
        ApplySectionFormat(std::make_unique<CSecFormatNoMargin>());
    }
    if (WritePagePicture(png) != CRtfWriter::kOk) {
        m_PageFailed = true;
        return false;
    }
    ++m_PagesWritten;
    if (newSection) {
        IncCounter();
    }
    if (m_KeepPages) {
        m_KeptPages.push_back(std::move(png));
    }
    return true;
}

bool CWordReporter::Placed(int drawn)
{
    if (drawn == 0) {
        m_PageFailed = true;
    }
    return drawn != 0;
}

bool CWordReporter::DrawTable(const CReportTable& table, double width, double height, gfx::Recording& picture)
{
    CGridReportPainter painter;
    if (!painter.BeginPicture(width, height)) {
        m_PageFailed = true;
        return false;
    }
    painter.DrawGridReport(table);
    picture = painter.EndPicture();
    return true;
}

bool CWordReporter::WriteTablePage(const CReportTable& table, double width, double height, const std::wstring& heading,
                                   double scale, double yOffset, const std::wstring& caption)
{
    gfx::Recording picture;
    if (!DrawTable(table, width, height, picture)) {
        return false;
    }
    if (m_Canvas->BeginPage(static_cast<std::uint32_t>(GetCounter()), PageHeader(heading)) == 0) {
        m_PageFailed = true;
        return false;
    }
    if (!caption.empty()) {
        // In the band between the header and the table.
        const CReportPageCanvas::LayoutRect& layout = m_Canvas->GetLayout();
        m_Canvas->DrawCenteredText(caption, layout.left, 102.0, layout.width, 40.0);
    }
    return Placed(m_Canvas->DrawImageFitted(picture, scale, yOffset)) && FinishPage(true);
}
