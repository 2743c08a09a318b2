#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ReportFolderFixture.h"
#include "ReportTestSupport.h"
#include "WordReportFixture.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "report/RtfReportText.h"
#include "report/SeriesStatistics.h"
#include "report/WordReporter.h"
#include "report/ZVReportUtil.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataSelection.h"
#include "terminal/GlobalModel.h"
#include "terminal/SOEModel.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tests/support/TempDir.h"
#include "tools/gen/SoeFile.h"
#include "tools/gen/StatisticFolder.h"

namespace {

using reporttest::FixedModel;

constexpr float kNoWordValue = -5368709.0f;

// A reporter over a record that asks for no data: the data step builds every record
// empty, and a test puts the series it needs into them.
struct EmptyReporter {
    explicit EmptyReporter(int level = 3, std::wstring voltage = L"220", BasicInfo base = {},
                           std::wstring siteCapacity = L"100")
    {
        record = base;
        record.voltageText = std::move(voltage);
        record.mvaText = std::move(siteCapacity);
        record.recordCount = 0;
        EXPECT_EQ(reporter.Init(L"/data", level, &record, &config, &model, &model, &model, 0), 1);
        EXPECT_EQ(reporter.CollectReportData(), 1);
    }
    // Maximum, minimum and average series of a list of three.
    void Set(std::size_t list, std::vector<float> maximum, std::vector<float> minimum, std::vector<float> average)
    {
        reporter.GetList(list).at(0)->values = std::move(maximum);
        reporter.GetList(list).at(1)->values = std::move(minimum);
        reporter.GetList(list).at(2)->values = std::move(average);
    }

    BasicInfo record;
    CReportConfig config;
    FixedModel model;
    CWordReporter reporter;
};

std::wstring Pass()
{
    return CRtfReportText::Instance().Text(RtfSection::ZvParam, "Pass");
}

std::wstring Fail()
{
    return CRtfReportText::Instance().Text(RtfSection::ZvParam, "Fail");
}

std::vector<std::wstring> Texts(const CParamAssessRow& row)
{
    return {row.maximum, row.average, row.minimum, row.cp95, row.limit, row.tests, row.over, row.verdict, row.passPercent};
}

const std::vector<std::wstring> kDashes(9, L"--");

// The values, then `fill` up to twenty samples: one or two outliers among twenty
// leave the 95 % value with the rest.
std::vector<float> Padded(std::vector<float> values, float fill)
{
    values.resize(20, fill);
    return values;
}

TEST(WordReporterData, RecordsOfTheDataStep)
{
    EmptyReporter empty;
    const CWordReporter& reporter = empty.reporter;
    EXPECT_EQ(reporter.GetList(CWordReporter::kAllRecords).size(), CWordReporter::kRecordCount);
    std::set<const CReportStatRecord*> distinct(reporter.GetList(CWordReporter::kAllRecords).begin(),
                                                reporter.GetList(CWordReporter::kAllRecords).end());
    EXPECT_EQ(distinct.size(), CWordReporter::kRecordCount);

    struct Case {
        std::size_t list;
        std::uint32_t item, channel, valueKind;
        std::size_t records;
    };
    const Case cases[] = {
        {0, 1, 0, 0, 3},        {2, 1, 2, 0, 3},        {3, 24, 0, 0, 3},      {5, 24, 2, 0, 3},
        {7, 13000, 0, 0, 3},    {8, 13001, 0, 0, 3},    {9, 13017, 4, 0, 3},   {10, 13013, 4, 0, 3},
        {11, 5000, 0, 2, 75},   {13, 5000, 2, 2, 75},   {14, 10000, 0, 1, 75}, {16, 10000, 2, 1, 75},
        {17, 18, 0, 0, 3},      {20, 18, 3, 0, 3},      {21, 2000, 0, 1, 3},   {26, 7000, 2, 1, 3},
    };
    for (const Case& c : cases) {
        const std::vector<CReportStatRecord*>& list = reporter.GetList(c.list);
        ASSERT_EQ(list.size(), c.records) << "list " << c.list;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const CReportStatRecord& record = *list[i];
            EXPECT_EQ(record.viewId, c.item) << "list " << c.list;
            EXPECT_EQ(record.subValue, c.valueKind) << "list " << c.list;
            if (c.list == 7 || c.list == 8) {
                // One record per phase of the flicker items' own value.
                EXPECT_EQ(record.phase, i) << "list " << c.list;
                EXPECT_EQ(record.blockType, 4u) << "list " << c.list;
            } else {
                EXPECT_EQ(record.phase, c.channel) << "list " << c.list;
                EXPECT_EQ(record.blockType, i % 3) << "list " << c.list << " record " << i;
                EXPECT_EQ(record.order, static_cast<std::int32_t>(i / 3)) << "list " << c.list << " record " << i;
            }
            EXPECT_TRUE(record.values.empty()) << "nothing is read for a record that asks for none";
        }
    }
}

// Samples of intervals in which the L1 voltage left its limits go from every
// series that follows L1's intervals; the flicker series keep theirs.
TEST(WordReporterData, FlaggedIntervalsLeaveTheSeries)
{
    reporttest::OpenedReportFolder& folder = reporttest::SharedReportFolder();
    const std::size_t records = folder.options.records;
    BasicInfo& record = folder.record;
    const BasicInfo saved = record;
    record.tail2 = 0;
    std::vector<float> maxima;
    {
        CWordReporter reporter;
        ASSERT_TRUE(folder.Init(reporter));
        ASSERT_EQ(reporter.CollectReportData(), 1);
        for (const CReportStatRecord* series : reporter.GetList(CWordReporter::kAllRecords)) {
            EXPECT_EQ(series->values.size(), records) << "item " << series->viewId << ": kept when not asked";
        }
        maxima = reporter.GetList(CWordReporter::kVoltage).at(0)->values;
    }
    // An upper limit that the highest few L1 maxima exceed.
    std::sort(maxima.begin(), maxima.end());
    record.tail2 = 1;
    record.tailValue1 = maxima[maxima.size() - 4];
    record.tailValue2 = 0.0;
    CWordReporter reporter;
    ASSERT_TRUE(folder.Init(reporter));
    ASSERT_EQ(reporter.CollectReportData(), 1);
    record = saved;
    const std::size_t kept = reporter.GetList(CWordReporter::kVoltage).at(0)->values.size();
    ASSERT_LT(kept, records);
    ASSERT_GT(kept, 0u);
    for (const std::size_t list : {CWordReporter::kFrequency, CWordReporter::kUnbalance,
                                   CWordReporter::kPowerFactor + 3, CWordReporter::kThd, CWordReporter::kHarmVoltage,
                                   CWordReporter::kFundCurrent}) {
        for (const CReportStatRecord* series : reporter.GetList(list)) {
            EXPECT_EQ(series->values.size(), kept) << "list " << list << " follows L1";
        }
    }
    for (const std::size_t list : {CWordReporter::kPst, CWordReporter::kPlt}) {
        for (const CReportStatRecord* series : reporter.GetList(list)) {
            EXPECT_EQ(series->values.size(), records) << "list " << list << " is not filtered";
        }
    }
}

TEST(WordReporterRows, StatisticsOfTheRowFillers)
{
    EmptyReporter empty;
    CWordReporter& reporter = empty.reporter;
    empty.Set(CWordReporter::kPowerFactor + 3, {0.9f, kNoWordValue, 0.99f}, {0.8f, 0.85f, 0.7f}, {0.85f, 0.9f, 0.95f});
    CParamAssessRow row;
    ASSERT_EQ(reporter.FillStatRow(row, 3), 1);
    EXPECT_EQ(Texts(row), (std::vector<std::wstring>{L"0.990", L"0.900", L"0.700", L"0.950", L"--", L"2", L"--", L"--",
                                                     L"--"}))
        << "a sample without value is no test";
    EXPECT_EQ(reporter.FillStatRow(row, 4), 0);
    EXPECT_EQ(Texts(row), kDashes);
    EXPECT_EQ(reporter.FillStatRow6(row, 5), 0) << "an empty maximum series";
    empty.Set(CWordReporter::kFundCurrent + 2, {}, {}, {1.0f, 2.0f});
    EXPECT_EQ(reporter.FillStatRow6(row, 5), 0) << "an empty maximum series, whatever the average holds";
    EXPECT_EQ(Texts(row), kDashes);
}

TEST(WordReporterRows, UnbalanceAndFrequency)
{
    using Fill = int (CWordReporter::*)(CParamAssessRow&) const;
    struct Case {
        const char* name;
        std::size_t list;
        std::vector<float> maximum, average;
        std::wstring over, passPercent;
        bool pass;
    };
    const Fill unbalanceRow = &CWordReporter::FillUnbalanceRow;
    const Fill frequencyRow = &CWordReporter::FillFrequencyRow;
    const std::size_t unbalance = CWordReporter::kUnbalance;
    const std::size_t frequency = CWordReporter::kFrequency;
    // The unbalance maximum is held against 4.0 %, the average and the 95 % value
    // against 2.0 %; the frequency's averages and 95 % value against 49.8-50.2 Hz.
    const Case cases[] = {
        {"unbalance at both limits", unbalance, {4.0f, 3.5f}, {2.0f, 1.0f}, L"0", L"100.000", true},
        {"unbalance maximum over 4", unbalance, {4.5f, 1.0f}, {1.0f, 1.0f}, L"1", L"50.000", false},
        {"one unbalance average over 2", unbalance, Padded({3.0f}, 1.0f), Padded({2.5f}, 1.0f), L"1", L"95.000", true},
        {"unbalance 95 % over 2", unbalance, {3.0f, 3.0f}, {2.5f, 2.5f}, L"2", L"0.000", false},
        {"frequency band limits included", frequency, {50.3f, 50.3f}, {49.8f, 50.2f}, L"0", L"100.000", true},
        {"frequency outside the band", frequency, Padded({50.3f, 50.3f}, 50.3f), Padded({49.79f, 50.21f}, 50.0f), L"2",
         L"90.000", true},
        {"frequency 95 % outside", frequency, {51.0f}, {50.5f}, L"1", L"0.000", false},
    };
    for (const Case& c : cases) {
        EmptyReporter empty;
        empty.Set(c.list, c.maximum, c.average, c.average);
        CParamAssessRow row;
        ASSERT_EQ((empty.reporter.*(c.list == unbalance ? unbalanceRow : frequencyRow))(row), 1) << c.name;
        EXPECT_EQ(row.limit, c.list == unbalance ? L"2.0/4.0" : L"49.8-50.2") << c.name;
        EXPECT_EQ(row.over, c.over) << c.name;
        EXPECT_EQ(row.passPercent, c.passPercent) << c.name;
        EXPECT_EQ(row.verdict, c.pass ? Pass() : Fail()) << c.name;
    }
    EmptyReporter none;
    CParamAssessRow row;
    EXPECT_EQ(none.reporter.FillUnbalanceRow(row), 0);
    EXPECT_EQ(none.reporter.FillFrequencyRow(row), 0);
    EXPECT_EQ(Texts(row), kDashes);
}

TEST(WordReporterRows, VoltageDeviation)
{
    struct Case {
        const char* name;
        int level;
        std::wstring voltage;
        std::uint32_t phaseMask;
        std::vector<float> maximum, average;
        std::wstring over, limit;
    };
    const Case cases[] = {
        // 7 % of 220 V is 15.4 V: 235.4 V is within, 235.5 V beyond.
        {"10 kV, upper limit", 3, L"220", 15, {240.0f, 240.0f}, {235.4f, 235.5f}, L"1", L"+7/-7"},
        {"10 kV, lower limit", 3, L"220", 15, {230.0f, 230.0f}, {204.6f, 204.5f}, L"1", L"+7/-7"},
        {"0.38 kV single-phase", 1, L"220", 9, {230.0f, 230.0f}, {199.0f, 197.0f}, L"1", L"+7/-10"},
        {"35 kV by magnitude", 4, L"220", 15, {230.0f, 230.0f}, {198.0f, 197.9f}, L"1", L"10"},
    };
    for (const Case& c : cases) {
        BasicInfo base;
        base.phaseMask = c.phaseMask;
        EmptyReporter empty(c.level, c.voltage, base);
        empty.Set(CWordReporter::kVoltage + 1, c.maximum, c.average, c.average);
        CParamAssessRow row;
        ASSERT_EQ(empty.reporter.FillVoltageDeviationRow(row, 1), 1) << c.name;
        EXPECT_EQ(row.over, c.over) << c.name;
        EXPECT_EQ(row.limit, c.limit) << c.name;
        EXPECT_EQ(row.tests, L"2") << c.name;
        EXPECT_EQ(row.passPercent, L"50.000") << c.name;
        EXPECT_EQ(row.cp95, L"--") << c.name;
        EXPECT_EQ(row.verdict, L"--") << c.name;
    }
    EmptyReporter low(3, L"1.0");
    low.Set(CWordReporter::kVoltage, {1.0f}, {1.0f}, {1.0f});
    CParamAssessRow row;
    EXPECT_EQ(low.reporter.FillVoltageDeviationRow(row, 0), 0) << "a nominal voltage of 1 V or less";
    EXPECT_EQ(Texts(row), kDashes);
    EmptyReporter noMaximum;
    noMaximum.Set(CWordReporter::kVoltage, {}, {220.0f}, {220.0f});
    EXPECT_EQ(noMaximum.reporter.FillVoltageDeviationRow(row, 0), 0) << "an empty maximum series";
    EXPECT_EQ(Texts(row), kDashes);
}

TEST(WordReporterRows, ThdFlickerAndHarmonicLimits)
{
    // 10 kV: THD limit 4 %, flicker limit 1.0, odd harmonic 3.2 %, even 1.6 %.
    EmptyReporter empty(3);
    CWordReporter& reporter = empty.reporter;
    CParamAssessRow row;
    empty.Set(CWordReporter::kThd, {5.0f, 4.0f}, {1.0f, 1.0f}, {4.0f, 4.0f});
    ASSERT_EQ(reporter.FillThdRow(row, 0), 1);
    EXPECT_EQ(Texts(row), (std::vector<std::wstring>{L"5.000", L"4.000", L"1.000", L"4.000", L"4", L"2", L"0", Pass(),
                                                     L"100.000"}))
        << "a sample equal to the limit is not over it";
    EXPECT_EQ(reporter.FillThdRow(row, 1), 0) << "no THD samples";
    EXPECT_EQ(Texts(row), kDashes);

    reporter.GetList(CWordReporter::kPst).at(2)->values = {-1.0f, 1.0f, 1.5f, kNoWordValue};
    ASSERT_EQ(reporter.FillFlickerRow(row, CWordReporter::kPst, 2), 1);
    EXPECT_EQ(Texts(row), (std::vector<std::wstring>{L"1.500", L"1.250", L"1.000", L"1.500", L"1.000", L"2", L"1",
                                                     Fail(), L"50.000"}))
        << "negative samples take no part";
    reporter.GetList(CWordReporter::kPlt).at(0)->values = {0.9f, 0.95f};
    ASSERT_EQ(reporter.FillFlickerRow(row, CWordReporter::kPlt, 0), 1);
    EXPECT_EQ(row.limit, L"1.000") << "Plt at 10 kV, GB/T 12326-2008";
    EXPECT_EQ(row.verdict, Pass());

    struct Harm {
        const char* name;
        bool current;
        int orderIndex;
        std::vector<float> average;
        std::vector<std::wstring> texts;
    };
    const Harm harmonics[] = {
        {"order 1 of the voltage has no limit", false, 0, {100.0f, 100.0f},
         {L"100.000", L"100.000", L"100.000", L"100.000", L"--", L"--", L"--", L"--", L"--"}},
        {"odd order at its limit", false, 2, {3.2f, 3.2f},
         {L"3.200", L"3.200", L"3.200", L"3.200", L"3.2", L"--", L"0", Pass(), L"100.000"}},
        {"even order, all over", false, 1, {1.7f, 1.8f},
         {L"1.800", L"1.750", L"1.700", L"1.800", L"1.6", L"--", L"2", Fail(), L"0.000"}},
        {"order 1 of the current has no limit", true, 0, {10.0f},
         {L"10.000", L"10.000", L"10.000", L"10.000", L"--", L"--", L"--", L"--", L"--"}},
        // 10 kV, 100 MVA base and site capacity: 20 A for order 3.
        {"current order 3", true, 2, {19.0f, 21.0f},
         {L"21.000", L"20.000", L"19.000", L"21.000", L"20.000", L"--", L"1", Fail(), L"50.000"}},
        {"no samples", true, 4, {}, kDashes},
    };
    for (const Harm& h : harmonics) {
        const std::size_t list = h.current ? CWordReporter::kHarmCurrent : CWordReporter::kHarmVoltage;
        const std::size_t first = 3 * static_cast<std::size_t>(h.orderIndex);
        reporter.GetList(list).at(first)->values = h.average;
        reporter.GetList(list).at(first + 1)->values = h.average;
        reporter.GetList(list).at(first + 2)->values = h.average;
        reporter.FillHarmRow(row, h.current, 0, h.orderIndex);
        EXPECT_EQ(Texts(row), h.texts) << h.name;
    }
}

// Every column names the field it shows: a translation whose headers differ from
// the parameter table's words, or whose count tables name their count column
// differently, still shows every value.
TEST(WordReporterTables, ColumnsShowTheirFieldsWhateverTheirHeaders)
{
    testsupport::TempDir dir;
    std::string text =
        testsupport::ReadAll(testsupport::BuildProgramFolder() / "Language" / "English" / "RtfReport.xml");
    // Replaces the first `from` after the section's opening tag.
    auto replaceIn = [&text](const std::string& section, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from, text.find("<" + section + ">"));
        ASSERT_NE(at, std::string::npos) << section << " " << from;
        text.replace(at, from.size(), to);
    };
    // A translation whose harmonic tables word a column otherwise than the parameter
    // table, whose alarm table names its count column otherwise than the transient
    // one, and whose parameter table gives two columns one header.
    replaceIn("VHarm", "<MaxValue>", "<MaxValue>Largest ");
    replaceIn("SoeEvent", "<Times>", "<Times>Occurrences of ");
    const std::size_t verdict = text.find("<IsPass>", text.find("<ZvParam>"));
    const std::string verdictText =
        text.substr(verdict + 8, text.find("</IsPass>", verdict) - verdict - 8);
    const std::size_t percent = text.find("<PassPercent>", text.find("<ZvParam>"));
    text.replace(percent + 13, text.find("</PassPercent>", percent) - percent - 13, verdictText);
    CRtfReportText& texts = CRtfReportText::Instance();
    ASSERT_EQ(texts.LoadFile(dir.Write("RtfReport.xml", text)), 1);

    EmptyReporter empty;
    empty.Set(CWordReporter::kFrequency, {50.1f}, {49.9f}, {50.0f});
    empty.Set(CWordReporter::kHarmVoltage, {1.5f}, {0.5f}, {1.0f});
    const CReportTable parameters = empty.reporter.BuildParameterTable();
    const CReportTable harmonics = empty.reporter.BuildHarmTable(false, 0, 13);
    const CReportTable soe = empty.reporter.BuildSoeEventTable();
    texts.Load();

    auto kinds = [](const CReportTable& table) {
        std::vector<std::int32_t> result;
        for (const CReportColumn& column : table.Headers().at(0).Columns()) {
            result.push_back(column.GetKind());
        }
        return result;
    };
    EXPECT_EQ(kinds(parameters), (std::vector<std::int32_t>{1, 4, 3, 5, 6, 7, 8, 10, 9}));
    EXPECT_EQ(kinds(harmonics), (std::vector<std::int32_t>{1, 4, 3, 5, 6, 10, 8, 9}));
    EXPECT_EQ(kinds(soe), (std::vector<std::int32_t>{CReportColumn::kCount}));
    EXPECT_EQ(parameters.Rows().at(0).Values().at(0).GetText(CReportColumn::kMaxValue), L"50.100");
    EXPECT_EQ(harmonics.Rows().at(0).Values().at(0).GetText(CReportColumn::kMaxValue), L"1.500");
    EXPECT_EQ(soe.Rows().at(0).Values().at(0).GetText(CReportColumn::kCount), L"0");
}

TEST(WordReporterTables, BasicInformation)
{
    BasicInfo base;
    base.deviceType = L"K7900";
    base.userName = L"终端 1";
    base.startText = L"2026-03-01 00:00:00.000";
    base.endText = L"2026-03-02 05:00:00.250";
    base.interval = 60.0;
    EmptyReporter empty(3, L"10000", base);
    const CReportTable table = empty.reporter.BuildBasicInfoTable();
    ASSERT_TRUE(table.Headers().empty()) << "drawn as label and note pairs";
    ASSERT_EQ(table.Rows().size(), 19u);
    std::vector<std::wstring> labels;
    std::vector<std::wstring> notes;
    for (const CReportRow& row : table.Rows()) {
        labels.push_back(row.GetName());
        notes.push_back(row.Values().at(0).GetNote());
    }
    const CRtfReportText& texts = CRtfReportText::Instance();
    EXPECT_EQ(labels.front(), texts.Text(RtfSection::FrontPage, "DataTerminal"));
    EXPECT_EQ(labels.back(), texts.Text(RtfSection::FrontPage, "DataReportTime"));
    EXPECT_EQ(notes[0], L"终端 1");
    EXPECT_EQ(notes[1], L"K7900") << "the model the data name";
    EXPECT_EQ(notes[4], L"1(m)");
    EXPECT_EQ(notes[5], L"1d 05:00:00.250");
    EXPECT_EQ(notes[8], L"10000.00V");
    EXPECT_EQ(notes[9], L"100.000MVA");
    EXPECT_EQ(notes[10], L"100MVA");
    EXPECT_EQ(table.Rows()[14].GetHeightClass(), 3);
    EXPECT_EQ(table.Rows()[15].GetHeightClass(), 3);
    EXPECT_EQ(table.Rows()[16].GetHeightClass(), 2);

    // A site capacity nobody entered is no bare unit.
    EmptyReporter noCapacity(3, L"10000", base, L"");
    EXPECT_EQ(noCapacity.reporter.BuildBasicInfoTable().Rows().at(10).Values().at(0).GetNote(), L"--");
}

TEST(WordReporterTables, IntervalAndDurationTexts)
{
    struct Interval {
        double tenths;
        std::wstring text;
    };
    // As many digits as the value needs.
    for (const Interval& c : {Interval{5.0, L"500(ms)"}, Interval{30.0, L"3(s)"}, Interval{25.0, L"2.5(s)"},
                              Interval{600.0, L"1(m)"}, Interval{900.0, L"1.5(m)"}, Interval{36000.0, L"1(h)"}}) {
        EXPECT_EQ(CWordReporter::FormatInterval(c.tenths), c.text);
    }
    struct Duration {
        std::int64_t ms;
        std::wstring text;
    };
    for (const Duration& c : {Duration{5 * 3600000 + 250, L"05:00:00.250"}, Duration{86400000, L"1d 00:00:00.000"},
                              Duration{86399999, L"23:59:59.999"}, Duration{-1500, L"-00:00:01.500"}}) {
        EXPECT_EQ(CWordReporter::FormatDuration(c.ms), c.text);
    }
}

// A generated statistic folder opened as the main frame opens it: the data
// selection of the whole recording handed to the statistic model.
struct SelectedFolder {
    explicit SelectedFolder(gen::StatisticFolderOptions folderOptions) : options(std::move(folderOptions))
    {
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        const std::wstring path = platform::FromPath(dir.Path());
        CDataSelection data;
        EXPECT_EQ(data.Read(path), CDataSelection::Description::Usable);
        data.SetPresentBlocks(options.records);
        DataSelectInfo selection = data.GetSelection(0.0, 1.0);
        CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(&selection), 100, path};
        model.OpenData(&open);
        EXPECT_EQ(model.QueryBasicInfo(&record), 1);
        EXPECT_EQ(reporter.Init(path, 3, &record, &config, &model, &model, &model, 0), 1);
    }

    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    CGlobalModel model;
    BasicInfo record;
    CReportConfig config;
    CWordReporter reporter;
};

// A day of one-minute records starting at .250 lasts a day, not a quarter second less.
TEST(WordReporterTables, ADaysRecordingLastsADay)
{
    gen::StatisticFolderOptions options;
    options.items = {1};
    options.records = 1440;
    options.startMillisecond = 250;
    SelectedFolder folder(options);
    const CReportTable table = folder.reporter.BuildBasicInfoTable();
    EXPECT_EQ(table.Rows().at(2).Values().at(0).GetNote(), L"2026-03-01 00:00:00.250");
    EXPECT_EQ(table.Rows().at(3).Values().at(0).GetNote(), L"2026-03-02 00:00:00.250");
    EXPECT_EQ(table.Rows().at(5).Values().at(0).GetNote(), CWordReporter::FormatDuration(1440LL * 60 * 1000));
    EXPECT_EQ(table.Rows().at(5).Values().at(0).GetNote(), L"1d 00:00:00.000");
}

// A recording of harmonics without subgroups: the harmonic tables assess the
// harmonics and their headings say so; with subgroups they assess the subgroups.
TEST(WordReporterTables, HarmonicsWithoutSubgroupsComeFromTheHarmonics)
{
    constexpr std::uint32_t kRecords = 20;
    struct Case {
        const char* name;
        std::uint32_t voltageFirst, currentFirst;  // items of order 1
        bool fromHarmonics;
    };
    const Case cases[] = {
        {"harmonics only", 25, 212, true},
        {"harmonics and subgroups", 160, 347, false},
    };
    for (const Case& c : cases) {
        gen::StatisticFolderOptions options;
        options.records = kRecords;
        options.items = {1};
        for (const std::uint32_t first : {25u, 212u, c.voltageFirst, c.currentFirst}) {
            for (std::uint32_t order = 0; order < 25; ++order) {
                if (std::find(options.items.begin(), options.items.end(), first + order) == options.items.end()) {
                    options.items.push_back(first + order);
                }
            }
        }
        std::sort(options.items.begin(), options.items.end());
        SelectedFolder folder(options);
        CWordReporter& reporter = folder.reporter;
        ASSERT_EQ(reporter.CollectReportData(), 1) << c.name;
        for (const bool current : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (current ? ", current" : ", voltage"));
            EXPECT_TRUE(reporter.HarmonicsAvailable(current));
            EXPECT_EQ(reporter.HarmonicsFromHarmonicItems(current), c.fromHarmonics);
            const std::wstring note =
                CRtfReportText::Instance().Text(current ? RtfSection::AHarm : RtfSection::VHarm, "FromHarmonics");
            EXPECT_EQ(reporter.HarmPageHeading(current, L"Title"), c.fromHarmonics ? L"Title " + note : L"Title");
            // Order 3, L2: the voltage's content ratio (the item's second kind), the
            // current's effective value, averaged over the records.
            const std::uint32_t item = (current ? c.currentFirst : c.voltageFirst) + 2;
            const std::uint32_t offset = current ? 1 : 4 + 1;
            double sum = 0.0;
            for (std::uint32_t r = 0; r < kRecords; ++r) {
                sum += gen::StatisticValue(r, 2, gen::FloatIndexOf(options.items, item) + offset);
            }
            CParamAssessRow row;
            ASSERT_EQ(reporter.FillHarmRow(row, current, 1, 2), 1);
            EXPECT_EQ(row.average, CZVReportUtil::FormatValue3(static_cast<float>(sum / kRecords)));
        }
    }
}

// Each table says which value of an interval its over-limit counts and pass rates
// judge, in both languages: the interval's average.
TEST(WordReporterTables, TablesSayWhichValueTheyJudge)
{
    CRtfReportText& texts = CRtfReportText::Instance();
    struct Language {
        const char* folder;
        const wchar_t* average;
    };
    for (const Language& language : {Language{"Chinese", L"平均值"}, Language{"English", L"average"}}) {
        ASSERT_EQ(texts.LoadFile(testsupport::BuildProgramFolder() / "Language" / language.folder / "RtfReport.xml"), 1);
        EmptyReporter empty;
        for (const std::wstring& caption : {empty.reporter.ParameterTableCaption(), empty.reporter.HarmTableCaption(false),
                                            empty.reporter.HarmTableCaption(true)}) {
            EXPECT_NE(caption.find(language.average), std::wstring::npos)
                << language.folder << ": " << platform::WideToUtf8(caption);
        }
        EXPECT_EQ(empty.reporter.HarmTableCaption(true).rfind(texts.Text(RtfSection::VHarm, "TestTimes") + L":0", 0), 0u)
            << "the test count first";
    }
    texts.Load();
}

// A reporter whose statistic model answers with fixed series.
struct SeriesReporter {
    SeriesReporter()
    {
        record.startText = L"2026-03-01 00:00:00.000";
        record.endText = L"2026-03-01 00:10:00.000";
        record.recordCount = 10;
        record.interval = 60.0;
        EXPECT_EQ(reporter.Init(L"/data", 3, &record, &config, &model, &model, &model, 0), 1);
        reporter.ComputeItemStats(2);
    }
    std::vector<std::wstring> Titles(const CTrendCharts& charts) const
    {
        std::vector<std::wstring> titles;
        for (const CZVTrendPic& picture : charts.pictures) {
            titles.push_back(picture.title);
        }
        return titles;
    }

    BasicInfo record;
    CReportConfig config;
    reporttest::SeriesModel model;
    CWordReporter reporter;
};

std::wstring GraphText(const char* key)
{
    return CRtfReportText::Instance().Text(RtfSection::TrendGraph, key);
}

TEST(WordReporterCharts, ChartsOfATrendPageByKind)
{
    SeriesReporter s;
    s.model.series = {{0, {1.0f, 2.0f}}, {1, {0.5f, 1.0f}}, {2, {0.7f, 1.5f}}, {4, {3.0f}}};
    CReportTrendItem item("ZVTrendUrms");
    CReportTrendPhase phase;
    phase.enabled = 1;
    phase.flag1 = phase.flag2 = phase.flag3 = 1;
    for (const std::int32_t code : {CReportTrendPhase::kPhaseN, CReportTrendPhase::kDefault}) {
        phase.code = code;
        item.SetPhase(phase);
    }
    struct Case {
        std::uint32_t count;
        std::vector<std::wstring> titles;
    };
    const Case cases[] = {
        {1, {L"电压"}},
        {3, {L"L1", L"L2", L"L3"}},
        {4, {L"L1", L"L2", L"L3", GraphText("Sum")}},
    };
    for (const Case& c : cases) {
        CTrendCharts charts;
        s.reporter.BuildStatTrendCharts(item, 1, L"电压", L"[V]", c.count, false, charts);
        EXPECT_EQ(s.Titles(charts), c.titles) << c.count;
        EXPECT_EQ(charts.curves.size(), 3 * c.titles.size()) << c.count;
    }
    CTrendCharts energy;
    s.reporter.BuildEnergyTrendCharts(item, 20, L"电能", L"[KWh]", energy);
    EXPECT_EQ(s.Titles(energy), (std::vector<std::wstring>{L"L1", L"L2", L"L3", GraphText("Sum")}));
    EXPECT_EQ(s.model.queries.back()[1], 4u) << "the energy's own value";

    // Signed peaks: the maximum is the peak of largest magnitude, with its sign.
    s.model.series = {{0, {-3.0f, 2.0f, 1.0f}}, {1, {0.5f, -0.2f, 1.0f}}};
    CTrendCharts peaks;
    s.reporter.BuildStatTrendCharts(item, 4, L"负峰值", L"[V]", 3, true, peaks);
    ASSERT_EQ(peaks.pictures.size(), 3u);
    EXPECT_EQ(peaks.pictures[0].summaryMax, -3.0f);
    EXPECT_EQ(peaks.pictures[0].maxTime, peaks.pictures[0].startTime) << "the time of the first value";
    EXPECT_EQ(peaks.pictures[0].summaryMin, -0.2f);
}

TEST(WordReporterCharts, HarmonicTrendChartsTakeTheirNumbersInTurn)
{
    SeriesReporter s;
    s.model.series = {{2, {1.0f, 1.5f, 1.2f}}};
    s.model.lackingOrders = {59};
    CReportItemDef def;
    ASSERT_EQ(s.reporter.FindHarmTrendItem("ZVTrendUHarmL2THD", def), 1);
    std::uint32_t chartNumber = 1;
    CTrendCharts charts;
    s.reporter.BuildHarmTrendCharts(def, chartNumber, {GetGroupOrders({7, 3, 5}), std::vector<std::int32_t>{60},
                                                       std::vector<std::int32_t>{2}},
                                    charts);
    EXPECT_EQ(s.Titles(charts), (std::vector<std::wstring>{GraphText("GraphName") + L"1", GraphText("GraphName") + L"2"}))
        << "a selection without data takes no number";
    EXPECT_EQ(chartNumber, 3u);
    std::vector<std::wstring> names;
    for (const CZVTrendCurve& curve : charts.curves) {
        names.push_back(curve.name);
    }
    EXPECT_EQ(names, (std::vector<std::wstring>{L"H3", L"H5", L"H7", L"H2"}));
    EXPECT_EQ(charts.pictures[0].unit, L"[%]");
    std::vector<QueryWord> orders;
    for (const auto& query : s.model.queries) {
        EXPECT_EQ(query[0], 1u) << "L2";
        EXPECT_EQ(query[1], 2u) << "the averages";
        EXPECT_EQ(query[3], 2u) << "content ratios";
        EXPECT_EQ(query[4], 2000u);
        orders.push_back(query[2]);
    }
    EXPECT_EQ(orders, (std::vector<QueryWord>{2, 4, 6, 59, 1}));
}

TEST(WordReporterCharts, AlarmsCountedInEqualIntervalsOfTheReportPeriod)
{
    struct Case {
        const wchar_t* end;
        int count;
        std::int64_t length;
    };
    for (const Case& c : {Case{L"2026-03-01 00:00:05.000", 5, 1}, Case{L"2026-03-01 00:01:40.000", 8, 12},
                          Case{L"2026-03-01 00:00:00.000", 0, 0}}) {
        SeriesReporter s;
        s.record.endText = c.end;
        ASSERT_EQ(s.reporter.Init(L"/data", 3, &s.record, &s.config, &s.model, &s.model, &s.model, 0), 1);
        int count = -1;
        EXPECT_EQ(s.reporter.GetChartIntervals(count), c.length) << platform::WideToUtf8(c.end);
        EXPECT_EQ(count, c.count) << platform::WideToUtf8(c.end);
    }

    // THD alarms of the voltage at the start and at the very end, one of the current in the middle.
    testsupport::TempDir dir;
    std::vector<gen::SoeBlock> blocks(3);
    const std::uint32_t kinds[] = {9, 10, 9};
    const std::uint16_t seconds[] = {0, 50, 100};
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        blocks[b].time = {2026, 3, 0, 1, 0, static_cast<std::uint16_t>(seconds[b] / 60),
                          static_cast<std::uint16_t>(seconds[b] % 60), 0};
        gen::SoeRecordWords record;
        record.w = {kinds[b], 1, 0, 0, 0};
        blocks[b].records.push_back(record);
    }
    ASSERT_TRUE(gen::WriteSoeFolder(dir.Path(), blocks));
    const std::int64_t start = *platform::FromLocalTime(2026, 3, 1, 0, 0, 0);
    std::array<std::uint32_t, 14> selection{};
    selection[8] = static_cast<std::uint32_t>(start);
    selection[9] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(start) >> 32);
    selection[10] = static_cast<std::uint32_t>(start + 100);
    selection[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(start + 100) >> 32);
    CSOEModel soe;
    CCtrlItem open{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0, platform::FromPath(dir.Path())};
    soe.OpenData(&open);

    SeriesReporter s;
    s.record.endText = L"2026-03-01 00:01:40.000";
    ASSERT_EQ(s.reporter.Init(L"/data", 3, &s.record, &s.config, &s.model, &s.model, &soe, 0), 1);
    ASSERT_EQ(s.reporter.CollectSoeEvents(), 1);
    EXPECT_EQ(s.reporter.GetEventList(2).size(), 3u);
    CZVTrendPic picture(L"", L"", 0, 0, 0.0);
    std::deque<CZVTrendCurve> curves;
    ASSERT_TRUE(s.reporter.BuildSoeChart(1, picture, curves));
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0].values, (std::vector<float>{1, 0, 0, 0, 0, 0, 0, 1})) << "the last interval holds the end";
    EXPECT_EQ(curves[1].values, (std::vector<float>{0, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(picture.step, 100.0);
    EXPECT_EQ(picture.startTime, start);
    EXPECT_FALSE(s.reporter.BuildSoeChart(7, picture, curves)) << "there is no chart kind 7";
}

}  // namespace
