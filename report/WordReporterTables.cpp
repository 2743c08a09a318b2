// The table pages of CWordReporter: the front page with the basic information, the
// power-quality parameter table, the harmonic assessment tables and the event count
// tables. Every column says which field of a row it shows, so no translation of its
// header can empty it.

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/TimeText.h"
#include "report/ReportPageCanvas.h"
#include "report/WordReporter.h"
#include "report/ZVReportUtil.h"

namespace {

std::wstring Text(RtfSection section, const char* key)
{
    return CRtfReportText::Instance().Text(section, key);
}

std::wstring Widen(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

struct ColumnDef {
    const char* key;
    std::int32_t kind;
};

// Columns of the parameter and harmonic tables, in order.
constexpr ColumnDef kParamColumns[] = {
    {"MaxValue", CReportColumn::kMaxValue},   {"AvgValue", CReportColumn::kAvgValue},
    {"MinValue", CReportColumn::kMinValue},   {"C95Value", CReportColumn::kCp95Value},
    {"GbValue", CReportColumn::kLimit},       {"TestTimes", CReportColumn::kTestCount},
    {"OverLimitTimes", CReportColumn::kOverLimitCount}, {"IsPass", CReportColumn::kVerdict},
    {"PassPercent", CReportColumn::kPassPercent},
};
constexpr ColumnDef kHarmColumns[] = {
    {"MaxValue", CReportColumn::kMaxValue},   {"AvgValue", CReportColumn::kAvgValue},
    {"MinValue", CReportColumn::kMinValue},   {"C95Value", CReportColumn::kCp95Value},
    {"GbValue", CReportColumn::kLimit},       {"IsPass", CReportColumn::kVerdict},
    {"OverLimitTimes", CReportColumn::kOverLimitCount}, {"PassPercent", CReportColumn::kPassPercent},
};

template <std::size_t N>
CReportHeader MakeHeader(RtfSection section, const ColumnDef (&columns)[N], std::int32_t widthClass)
{
    CReportHeader header(Text(section, "ParamItem"));
    for (const ColumnDef& column : columns) {
        header.AddColumn(CReportColumn(Text(section, column.key), widthClass, column.kind));
    }
    return header;
}

// A one-column table of counts under the sub-section's "EventKind" and "Times" texts.
CReportTable CountTable(RtfSection section, const std::vector<std::pair<const char*, std::uint32_t>>& rows)
{
    CReportTable table;
    CReportHeader header(Text(section, "EventKind"));
    header.AddColumn(CReportColumn(Text(section, "Times"), 2, CReportColumn::kCount));
    table.AddHeader(header);
    for (const auto& [key, count] : rows) {
        CReportRow row(Text(section, key), 2);
        row.AddValues(CReportRowValues(count));
        table.AddRow(row);
    }
    return table;
}

}  // namespace

std::wstring CWordReporter::FormatInterval(double tenthsOfSecond)
{
    // As many digits as the value needs: one minute is "1(m)", 90 seconds "1.5(m)".
    const double seconds = tenthsOfSecond / 10.0;
    char text[64];
    if (seconds < 1.0) {
        std::snprintf(text, sizeof text, "%g(ms)", seconds * 1000.0);
    } else if (seconds < 60.0) {
        std::snprintf(text, sizeof text, "%g(s)", seconds);
    } else if (seconds < 3600.0) {
        std::snprintf(text, sizeof text, "%g(m)", seconds / 60.0);
    } else {
        std::snprintf(text, sizeof text, "%g(h)", seconds / 3600.0);
    }
    return Widen(text);
}

std::wstring CWordReporter::FormatDuration(std::int64_t milliseconds)
{
    // An end before the start is shown as a negative span rather than as nonsense.
    const bool negative = milliseconds < 0;
    const std::uint64_t span = negative ? 0 - static_cast<std::uint64_t>(milliseconds) : static_cast<std::uint64_t>(milliseconds);
    const std::uint64_t seconds = span / 1000;
    const std::uint64_t days = seconds / 86400;
    char text[96];
    const unsigned hours = static_cast<unsigned>(seconds / 3600 % 24);
    const unsigned minutes = static_cast<unsigned>(seconds / 60 % 60);
    const unsigned secs = static_cast<unsigned>(seconds % 60);
    const unsigned ms = static_cast<unsigned>(span % 1000);
    if (days != 0) {
        std::snprintf(text, sizeof text, "%s%" PRIu64 "d %02u:%02u:%02u.%03u", negative ? "-" : "", days, hours, minutes,
                      secs, ms);
    } else {
        std::snprintf(text, sizeof text, "%s%02u:%02u:%02u.%03u", negative ? "-" : "", hours, minutes, secs, ms);
    }
    return Widen(text);
}

CReportTable CWordReporter::BuildBasicInfoTable() const
{
    int startMs = 0;
    int endMs = 0;
    const std::optional<std::time_t> start = GetTime(1, &startMs);
    const std::optional<std::time_t> end = GetTime(0, &endMs);
    const std::wstring duration =
        start && end ? FormatDuration((static_cast<std::int64_t>(*end) - *start) * 1000 + endMs - startMs) : L"--";
    char voltage[64];
    std::snprintf(voltage, sizeof voltage, "%.2fV", static_cast<double>(GetFloatField()));
    // The terminal model the data name; a record that names none shows the gap.
    const std::wstring deviceType = GetDeviceType().empty() ? L"--" : GetDeviceType();

    struct Row {
        const char* key;
        std::wstring value;
        std::int32_t height;
    };
    const Row rows[] = {
        {"DataTerminal", GetDeviceText3(), 2},
        {"DataDeviceType", deviceType, 2},
        {"DataStartTime", GetDeviceText1(), 2},
        {"DataEndTime", GetDeviceText2(), 2},
        {"DataIntervalTime", FormatInterval(GetScaledNominal()), 2},
        {"DataLastTime", duration, 2},
        {"DataRecordNums", std::to_wstring(GetSetting3()), 2},
        {"DataVolLevel", GetLevelName(), 2},
        {"DataVolSys", Widen(voltage), 2},
        {"DataStandVolume", CZVReportUtil::FormatValue3(GetBaseCapacity()) + L"MVA", 2},
        {"DataMinVolume", GetNominalText().empty() ? L"--" : GetNominalText() + L"MVA", 2},
        {"DataPT", GetInfoText1(), 2},
        {"DataCT", GetInfoText2(), 2},
        {"WireConnect", GetInfoText3(), 2},
        {"DataLocation", GetHeaderText1(), 3},
        {"DataLTD", GetHeaderText4(), 3},
        {"DataOperator", GetHeaderText2(), 2},
        {"DataReportCreator", GetHeaderText3(), 2},
        {"DataReportTime", FormatTimeText(std::time(nullptr), L"%Y-%m-%d %H:%M:%S"), 2},
    };
    CReportTable table;
    for (const Row& r : rows) {
        CReportRow row(Text(RtfSection::FrontPage, r.key), r.height);
        row.AddValues(CReportRowValues(r.value));
        table.AddRow(row);
    }
    return table;
}

CReportTable CWordReporter::BuildParameterTable() const
{
    CReportTable table;
    table.AddHeader(MakeHeader(RtfSection::ZvParam, kParamColumns, 3));
    const std::wstring phases[] = {L"L1", L"L2", L"L3"};
    auto addRow = [&](const char* key, std::int32_t height, const std::vector<Line>& lines) {
        CReportRow row(Text(RtfSection::ZvParam, key), height);
        for (const Line& line : lines) {
            row.AddValues(line.row.ToValues(line.label));
        }
        table.AddRow(row);
    };
    // The three phase lines of a row, each filled by `fill` (row, phase).
    auto phaseLines = [&](auto fill) {
        std::vector<Line> lines;
        for (int phase = 0; phase < 3; ++phase) {
            Line line{phases[phase], {}};
            fill(line.row, phase);
            lines.push_back(line);
        }
        return lines;
    };

    Line frequency{Text(RtfSection::ZvParam, "Fq"), {}};
    FillFrequencyRow(frequency.row);
    addRow("Fq", 1, {frequency});
    Line unbalance;
    FillUnbalanceRow(unbalance.row);
    addRow("NegUnbal", 1, {unbalance});
    addRow("Pst", 3, phaseLines([this](CParamAssessRow& row, int phase) { FillFlickerRow(row, kPst, phase); }));
    addRow("Plt", 3, phaseLines([this](CParamAssessRow& row, int phase) { FillFlickerRow(row, kPlt, phase); }));
    addRow("VoltOffet", 3,
           phaseLines([this](CParamAssessRow& row, int phase) { FillVoltageDeviationRow(row, phase); }));
    addRow("BaseVolt", 3, phaseLines([this](CParamAssessRow& row, int phase) { FillStatRow6(row, phase); }));
    addRow("BaseCurr", 3, phaseLines([this](CParamAssessRow& row, int phase) { FillStatRow6(row, phase + 3); }));
    addRow("VoltTHD", 3, phaseLines([this](CParamAssessRow& row, int phase) { FillThdRow(row, phase); }));
    std::vector<Line> powerFactor =
        phaseLines([this](CParamAssessRow& row, int phase) { FillStatRow(row, phase); });
    Line total;
    FillStatRow(total.row, 3);
    powerFactor.push_back(total);
    addRow("PF", 3, powerFactor);
    return table;
}

CReportTable CWordReporter::BuildHarmTable(bool current, int first, int end) const
{
    const RtfSection section = current ? RtfSection::AHarm : RtfSection::VHarm;
    CReportTable table;
    table.AddHeader(MakeHeader(section, kHarmColumns, 2));
    for (int orderIndex = std::max(first, 0); orderIndex < std::min(end, kHarmOrders); ++orderIndex) {
        CReportRow row(std::to_wstring(orderIndex + 1), 2);
        for (int phase = 0; phase < 3; ++phase) {
            CParamAssessRow line;
            FillHarmRow(line, current, phase, orderIndex);
            row.AddValues(line.ToValues(L"L" + std::to_wstring(phase + 1)));
        }
        table.AddRow(row);
    }
    return table;
}

CReportTable CWordReporter::BuildEventSummaryTable() const
{
    std::uint32_t comtrade = 0;
    for (const std::uint32_t count : m_ComtradeCounts) {
        comtrade += count;
    }
    return CountTable(RtfSection::EventSummary, {{"Comtrade", comtrade}, {"Soe", TotalEventCount()}});
}

CReportTable CWordReporter::BuildComtradeEventTable() const
{
    return CountTable(RtfSection::ComtradeEvent, {{"VoltFlush", m_ComtradeCounts[0]},
                                                  {"VoldDip", m_ComtradeCounts[1]},
                                                  {"CurInt", m_ComtradeCounts[2]},
                                                  {"CurFlush", m_ComtradeCounts[3]}});
}

CReportTable CWordReporter::BuildSoeEventTable() const
{
    // List 8 (kind 19) has no row.
    auto size = [this](std::size_t list) { return static_cast<std::uint32_t>(m_EventLists[list].size()); };
    return CountTable(RtfSection::SoeEvent, {{"THD_OFFLIMIT", size(2)},
                                             {"NG_UNBALENCE", size(3)},
                                             {"UP_DOWN_OFFSET", size(4)},
                                             {"PT_OFFSET", size(5)},
                                             {"HARM_RATIO", size(6)},
                                             {"ZR_UNBALENCE", size(7)},
                                             {"LONG_TERM_DISRUPTION_OFFLIMIT", size(0)},
                                             {"HZ_OFFLIMIT", size(1)}});
}

int CWordReporter::WriteBasicInfoPage()
{
    gfx::Recording picture;
    if (!DrawTable(BuildBasicInfoTable(), 500, 700, picture)) {
        return 0;
    }
    if (m_Canvas->DrawFrontPage(Text(RtfSection::FrontPage, "Title"), Text(RtfSection::FrontPage, "ReportOprt"),
                                Text(RtfSection::FrontPage, "ReportDept")) == 0) {
        m_PageFailed = true;
        return 0;
    }
    return Placed(m_Canvas->DrawImageFitted(picture, 1.0, 40.0)) && FinishPage(false) ? 1 : 0;
}

std::wstring CWordReporter::ParameterTableCaption() const
{
    return Text(RtfSection::ZvParam, "JudgedOn");
}

std::wstring CWordReporter::HarmTableCaption(bool current) const
{
    // Both tables count their tests with the voltage table's word.
    return Text(RtfSection::VHarm, "TestTimes") + L":" + std::to_wstring(static_cast<std::int32_t>(GetSetting3())) +
           L"  " + Text(current ? RtfSection::AHarm : RtfSection::VHarm, "JudgedOn");
}

int CWordReporter::WriteParameterTable()
{
    return WriteTablePage(BuildParameterTable(), 1234, 1629, Text(RtfSection::ZvParam, "Title"), 0.95, -60,
                          ParameterTableCaption())
               ? 1
               : 0;
}

int CWordReporter::WriteHarmTablePage(bool current, int first, int end, const std::wstring& caption)
{
    if (!HarmonicsAvailable(current)) {
        return 0;
    }
    return WriteTablePage(BuildHarmTable(current, first, end), 1300, 1730, HarmPageHeading(current, caption), 0.9, -60,
                          HarmTableCaption(current))
               ? 1
               : 0;
}

int CWordReporter::WriteHarmVoltageTable(int first, int end, const std::wstring& caption)
{
    return WriteHarmTablePage(false, first, end, caption);
}

int CWordReporter::WriteHarmCurrentTable(int first, int end, const std::wstring& caption)
{
    return WriteHarmTablePage(true, first, end, caption);
}

int CWordReporter::WriteEventSummaryTable()
{
    return WriteTablePage(BuildEventSummaryTable(), 500, 210, Text(RtfSection::EventSummary, "Title"), 1.0, 200) ? 1
                                                                                                                 : 0;
}

int CWordReporter::WriteSoeEventTable()
{
    return WriteTablePage(BuildSoeEventTable(), 500, 650, Text(RtfSection::SoeEvent, "Title"), 1.0, 300) ? 1 : 0;
}

int CWordReporter::WriteComtradeEventTable()
{
    gfx::Recording table;
    if (!DrawTable(BuildComtradeEventTable(), 500, 270, table)) {
        return 0;
    }
    if (m_Canvas->BeginPage(static_cast<std::uint32_t>(GetCounter()),
                            PageHeader(Text(RtfSection::ComtradeEvent, "Title"))) == 0) {
        m_PageFailed = true;
        return 0;
    }
    if (!Placed(m_Canvas->DrawImageFitted(table, 1.0, 10.0))) {
        return 0;
    }
    // The ITIC chart below the table: a chart that cannot be drawn fails the report
    // rather than leave the page without it.
    CITICImpl chart(Text(RtfSection::ComtradeEvent, "ITIC_X"), Text(RtfSection::ComtradeEvent, "ITIC_Y"),
                    Text(RtfSection::ComtradeEvent, "ITIC_EventNum"), Text(RtfSection::ComtradeEvent, "ITIC_Over"));
    chart.AddEvents(m_IticEvents);
    chart.SetShowLabels(1);
    chart.GetDecade(chart.GetLongestDuration());
    const gfx::Recording itic = chart.DrawPicture(700, 500);
    return Placed(m_Canvas->DrawImageFitted(itic, 1.2, 400.0)) && FinishPage(true) ? 1 : 0;
}
