#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "report/ReportConfig.h"

namespace {

using reporttest::FixedModel;
using reporttest::Reporter;

constexpr float kNoReporterValue = -5368709.0f;

// What Init is given: a configuration, the three models and the data record.
struct InitArgs {
    CReportConfig config;
    FixedModel model1;
    FixedModel model2;
    FixedModel soe;
    BasicInfo record;

    explicit InitArgs(std::uint32_t kind = 1) : model1(kind, Counted(50)), model2(kind, Counted(5)) {}

    static BasicInfo Counted(std::uint32_t count)
    {
        BasicInfo info;
        info.recordCount = count;
        return info;
    }

    int Init(CBaseReporter& reporter, int level = 1)
    {
        return reporter.Init(L"/data/site/2013-05-06", level, &record, &config, &model1, &model2, &soe, 77);
    }
};

TEST(BaseReporter, FreshReporter)
{
    CBaseReporter reporter;
    EXPECT_EQ(reporter.GetCounter(), 1);
    reporter.IncCounter();
    EXPECT_EQ(reporter.GetCounter(), 2);
    EXPECT_FALSE(reporter.IsReady());
    EXPECT_EQ(reporter.GetLevelName(), L"0.38kV");
    EXPECT_EQ(reporter.GetReportName(), L"常规错误，请重新进行操作");
    CReportItemName name;
    EXPECT_EQ(reporter.FindTrendItem("ZVTrendFreq", name), 0) << "the tables are built by Init";
    EXPECT_EQ(reporter.Prepare(L"a", L"b"), 0);
    EXPECT_EQ(reporter.ReportOutput(L"/tmp/x", 0), 0);
    EXPECT_EQ(reporter.CheckReady(), 1);
}

TEST(BaseReporter, InitRefusesWhatItCannotReportOn)
{
    struct Case {
        const char* name;
        bool record, config, model1, model2, soe;
        int level;
    };
    const Case cases[] = {
        {"no record", false, true, true, true, true, 1},
        {"no configuration", true, false, true, true, true, 1},
        {"no statistic model", true, true, false, true, true, 1},
        {"no second model", true, true, true, false, true, 1},
        {"no SOE model", true, true, true, true, false, 1},
        {"level 0", true, true, true, true, true, 0},
        {"level 8", true, true, true, true, true, 8},
    };
    for (const Case& c : cases) {
        InitArgs setup;
        Reporter reporter;
        EXPECT_EQ(reporter.Init(L"/data", c.level, c.record ? &setup.record : nullptr,
                                c.config ? &setup.config : nullptr, c.model1 ? &setup.model1 : nullptr,
                                c.model2 ? &setup.model2 : nullptr, c.soe ? &setup.soe : nullptr, 0),
                  0)
            << c.name;
        EXPECT_FALSE(reporter.IsReady()) << c.name;
        EXPECT_EQ(reporter.GetReportName(), L"常规错误，请重新进行操作") << c.name << ": the caller has a reason to show";
        CReportItemName name;
        EXPECT_EQ(reporter.FindTrendItem("ZVTrendFreq", name), 0) << c.name;
    }

    InitArgs setup;
    CBaseReporter base;
    EXPECT_EQ(setup.Init(base), 0) << "the base prepares no output";
    CReportItemName name;
    EXPECT_EQ(base.FindTrendItem("ZVTrendFreq", name), 0);

    Reporter throwing;
    throwing.throwInPrepare = true;
    EXPECT_EQ(setup.Init(throwing), 0);
    EXPECT_FALSE(throwing.IsReady());
    EXPECT_EQ(throwing.GetReportName(), L"初始化报表模块时出错，请重新尝试。");
}

TEST(BaseReporter, InitKeepsTheReportSettings)
{
    for (const std::uint32_t kind : {1u, 0u}) {
        InitArgs setup(kind);
        CReportBasicInfo info;
        info.placeText = L"变电站";
        info.operatorText = L"operator";
        info.reporterText = L"reporter";
        info.departmentText = L"department";
        info.mainLogoPath = L"/logos/main.png";
        info.subLogoPath = L"/logos/sub.png";
        info.agreedCapacityText = L"30";
        info.supplyCapacityText = L"40";
        setup.config.SetBasicInfo(info);
        Reporter reporter;
        ASSERT_EQ(setup.Init(reporter, 3), 1);
        EXPECT_TRUE(reporter.IsReady());
        EXPECT_EQ(reporter.GetHeaderText1(), L"变电站");
        EXPECT_EQ(reporter.GetHeaderText2(), L"operator");
        EXPECT_EQ(reporter.GetHeaderText3(), L"reporter");
        EXPECT_EQ(reporter.GetHeaderText4(), L"department");
        EXPECT_EQ(reporter.GetHeaderText5(), L"30");
        EXPECT_EQ(reporter.GetHeaderText6(), L"40");
        EXPECT_EQ(reporter.preparedSubLogo, L"/logos/sub.png");
        EXPECT_EQ(reporter.preparedMainLogo, L"/logos/main.png");
        EXPECT_EQ(reporter.GetSetting1(), 3);
        EXPECT_EQ(reporter.GetLevelName(), L"10kV");
        EXPECT_EQ(reporter.GetSetting2(), 77u);
        EXPECT_EQ(reporter.GetSetting3(), kind == 1 ? 50u : 5u) << "the count of the model that serves the report";
        EXPECT_EQ(reporter.GetModel(), &setup.config);
        EXPECT_EQ(reporter.GetSoeSource(), &setup.soe);
        EXPECT_EQ(reporter.GetDataPath(), L"/data/site/2013-05-06");
        EXPECT_EQ(reporter.GetDataFileName(), L"2013-05-06");
    }
}

TEST(BaseReporter, FileNameIsTheLastComponent)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"/data/site/record", L"record"}, {L"D:\\data\\record", L"record"}, {L"record", L"record"}, {L"", L""}};
    for (const auto& [path, name] : cases) {
        InitArgs setup;
        Reporter reporter;
        reporter.Init(path, 1, &setup.record, &setup.config, &setup.model1, &setup.model2, &setup.soe, 0);
        EXPECT_EQ(reporter.GetFileName(), name);
    }
}

// The deviation limits reach the reporters with their sides named: a sample 7.5 %
// above a single-phase 0.38 kV supply is over, one 9 % below is not.
TEST(BaseReporter, VoltageDeviationThroughItsCallers)
{
    struct Case {
        const char* name;
        int level;
        std::uint32_t phaseMask;
        std::vector<float> samples;
        std::uint32_t over;
        const wchar_t* limitText;
    };
    const Case cases[] = {
        {"0.38 kV single-phase, +7.5 %", 1, 9, {236.5f}, 1, L"+7/-10"},
        {"0.38 kV single-phase, -9 %", 1, 9, {200.2f}, 0, L"+7/-10"},
        {"0.38 kV single-phase, -10.5 %", 1, 9, {196.9f}, 1, L"+7/-10"},
        {"0.38 kV three-phase, -9 %", 1, 15, {200.2f}, 1, L"+7/-7"},
        {"10 kV, the limit itself passes", 3, 15, {235.4f, 235.5f}, 1, L"+7/-7"},
        {"35 kV, ±9 % pass", 4, 15, {239.8f, 200.2f}, 0, L"10"},
        {"220 kV, the magnitude counts", 7, 15, {243.1f, 196.9f}, 2, L"10"},
        {"samples without value are not judged", 1, 9, {kNoReporterValue, 220.0f}, 0, L"+7/-10"},
    };
    for (const Case& c : cases) {
        InitArgs setup;
        setup.record.voltageText = L"220.00";
        setup.record.phaseMask = c.phaseMask;
        Reporter reporter;
        ASSERT_EQ(setup.Init(reporter, c.level), 1) << c.name;
        EXPECT_EQ(reporter.CountDeviationOver(c.samples), c.over) << c.name;
        EXPECT_EQ(reporter.GetDeviationLimitText(), c.limitText) << c.name;
    }
}

TEST(BaseReporter, LimitsOfTheSelectedLevel)
{
    struct Case {
        const char* name;
        int level;
        const wchar_t* site;
        int order;
        std::optional<float> current;
        float flicker;  // Pst and Plt; GB/T 12326-2008: Plt 1 up to 110 kV, 0.8 above
    };
    const Case cases[] = {
        {"at the base capacity", 1, L"10", 3, 62.0f, 1.0f},
        {"at twice the base capacity", 1, L"20.0", 3, 124.0f, 1.0f},
        {"an order above 25 has no limit", 1, L"10", 26, std::nullopt, 1.0f},
        {"no capacity gives no limit", 2, L"0", 3, std::nullopt, 1.0f},
        {"10 kV", 3, L"100", 3, 20.0f, 1.0f},
        {"35 kV", 4, L"250", 3, 12.0f, 1.0f},
        {"a capacity text that is no number gives no limit", 5, L"unknown", 3, std::nullopt, 1.0f},
        {"110 kV", 6, L"750", 3, 9.6f, 1.0f},
        {"220 kV", 7, L"2000", 25, 1.9f, 0.8f},
    };
    for (const Case& c : cases) {
        InitArgs setup;
        setup.record.mvaText = c.site;
        Reporter reporter;
        ASSERT_EQ(setup.Init(reporter, c.level), 1) << c.name;
        EXPECT_EQ(reporter.GetHarmCurrentLimit(c.order), c.current) << c.name;
        EXPECT_EQ(reporter.GetFactor(0), c.flicker) << c.name << ", Pst";
        EXPECT_EQ(reporter.GetFactor(1), c.flicker) << c.name << ", Plt";
    }
    InitArgs setup;
    setup.record.mvaText = L"12.5";
    setup.record.voltageText = L"10000.00";
    Reporter reporter;
    ASSERT_EQ(setup.Init(reporter, 3), 1);
    EXPECT_EQ(reporter.GetNominalText(), L"12.5");
    EXPECT_EQ(reporter.GetNominalValue(), 12.5f);
    EXPECT_EQ(reporter.GetFloatField(), 10000.0f);
    EXPECT_EQ(reporter.GetThdLimit(), 4.0f);
    EXPECT_EQ(reporter.GetHarmVoltageLimit(5), 3.2f);
    EXPECT_EQ(reporter.GetBaseCapacity(), 100.0f);
    EXPECT_EQ(reporter.GetLimitRange().upper, 700.0f) << "7 % of 10 kV; the margin vanishes in single precision";
}

// The reference values come from the record, unscaled for the full-resolution
// model and in tenths for the second one.
TEST(BaseReporter, ReferenceValuesOfTheCurrentModel)
{
    for (const std::uint32_t kind : {1u, 0u}) {
        InitArgs setup(kind);
        setup.record.interval = 2.0;
        const double doubles[5] = {10, 20, 30, 40, 50};
        std::copy(std::begin(doubles), std::end(doubles), setup.record.doubles);
        Reporter reporter;
        ASSERT_EQ(setup.Init(reporter), 1);
        const double scale = kind == 1 ? 1.0 : 10.0;
        ASSERT_EQ(reporter.ComputeItemStats(1), 1);
        EXPECT_EQ(reporter.GetCurrentModel(), kind == 1 ? &setup.model1 : &setup.model2);
        const double expected[] = {0, 2, 30, 10, 20, 40, 50, 0};
        for (int column = 0; column <= 7; ++column) {
            EXPECT_EQ(reporter.GetPhaseValue(column), expected[column] / scale) << "kind " << kind << " column " << column;
        }
        ASSERT_EQ(reporter.ComputeItemStats(2), 1);
        EXPECT_EQ(reporter.GetCurrentModel(), &setup.model1);
        EXPECT_EQ(reporter.GetPhaseValue(2), 30.0);
        EXPECT_EQ(reporter.ComputeItemStats(3), 1);
        EXPECT_EQ(reporter.GetPhaseValue(2), 30.0) << "another kind changes nothing";
        EXPECT_EQ(reporter.GetScaledNominal(), kind == 1 ? 20.0 : 2.0);
    }
}

TEST(BaseReporter, PeriodAndTimes)
{
    InitArgs setup;
    setup.record.startText = L"2013-5-6 10:00:00.000";
    setup.record.endText = L"2013-05-07 10:00:30.250";
    Reporter reporter;
    ASSERT_EQ(setup.Init(reporter), 1);
    EXPECT_EQ(reporter.GetPeriodLabel(), L"2013/5/6 10:00:00 - 2013/05/07 10:00:30");
    int ms = -1;
    EXPECT_EQ(reporter.GetTime(1, &ms), platform::FromLocalTime(2013, 5, 6, 10, 0, 0));
    EXPECT_EQ(ms, 0);
    EXPECT_EQ(reporter.GetTime(0, &ms), platform::FromLocalTime(2013, 5, 7, 10, 0, 30));
    EXPECT_EQ(ms, 250);
    EXPECT_EQ(reporter.GetStartTime(), platform::FromLocalTime(2013, 5, 6, 10, 0, 0));
    EXPECT_EQ(reporter.GetDeviceText1(), setup.record.startText);
    EXPECT_EQ(reporter.GetDeviceText2(), setup.record.endText);

    for (const wchar_t* text : {L"", L"2013-5-6", L"2013-13-6 10:00:00.000", L"-001-00--01 -1:00:00.000",
                                L"2013-5-6 24:00:00.000", L"2013-5-6 10:00:00.1000"}) {
        InitArgs broken;
        broken.record.startText = text;
        Reporter other;
        ASSERT_EQ(broken.Init(other), 1);
        int untouched = 42;
        EXPECT_FALSE(other.GetTime(1, &untouched)) << platform::WideToUtf8(text);
        EXPECT_EQ(untouched, 42);
    }
}

TEST(BaseReporter, ItemClasses)
{
    struct Case {
        std::uint32_t id;
        int withDataSet;
    };
    const Case cases[] = {{1, 2},     {4, 2},     {18, 2},    {5, 3},     {22, 3},    {7, 4},     {25, 4},
                          {2000, 4},  {12000, 4}, {13000, 6}, {13001, 4}, {13016, 4}, {13017, 5}, {26, 0},
                          {0, 0},     {2001, 0},  {13018, 0}};
    for (const Case& c : cases) {
        InitArgs setup;
        Reporter plain;
        ASSERT_EQ(setup.Init(plain), 1);
        EXPECT_EQ(plain.IsItemSupported(c.id), 1) << c.id << ": no data set";
        setup.record.value3 = 1;
        Reporter wave;
        ASSERT_EQ(setup.Init(wave), 1);
        EXPECT_EQ(wave.IsItemSupported(c.id), c.withDataSet) << c.id;
    }
}

TEST(BaseReporter, ValidSampleFlags)
{
    struct Case {
        const char* name;
        double interval;
        std::vector<float> maximum, minimum;
        std::vector<float> kept;  // of the values 0, 1, 2, ...
    };
    // The record's limits: maximum at most 10, minimum at least 1.
    const std::vector<float> ok(11, 5.0f);
    auto with = [](std::vector<float> series, std::size_t at, float value) {
        series[at] = value;
        return series;
    };
    const Case cases[] = {
        {"interval below 3 s: 4 neighbours", 1.0, with(ok, 5, 11.0f), ok, {0, 10}},
        {"interval below 5 s: 2 neighbours", 3.0, with(ok, 5, 11.0f), ok, {0, 1, 2, 8, 9, 10}},
        {"interval of 5 s: 1 neighbour", 5.0, ok, with(ok, 5, 0.5f), {0, 1, 2, 3, 7, 8, 9, 10}},
        {"first sample", 5.0, with(ok, 0, 11.0f), ok, {2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"last sample", 3.0, with(ok, 10, 11.0f), ok, {0, 1, 2, 3, 4, 5, 6, 7}},
        {"the limits themselves are valid", 1.0, with(ok, 5, 10.0f), with(ok, 5, 1.0f),
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"invalidated neighbours do not spread", 5.0, with(with(ok, 2, 11.0f), 3, 11.0f), ok,
         {0, 5, 6, 7, 8, 9, 10}},
        {"a sample without value is no evidence", 1.0, with(ok, 5, kNoReporterValue), with(ok, 5, kNoReporterValue),
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    };
    for (const Case& c : cases) {
        InitArgs setup;
        setup.record.interval = c.interval;
        setup.record.tailValue1 = 10.0;
        setup.record.tailValue2 = 1.0;
        Reporter reporter;
        ASSERT_EQ(setup.Init(reporter), 1);
        reporter.ComputeItemStats(1);
        std::vector<float> values;
        for (int i = 0; i < 11; ++i) {
            values.push_back(static_cast<float>(i));
        }
        EXPECT_EQ(reporter.KeepValidSamples(values, 1), 0u) << c.name << ": no flags yet";
        EXPECT_EQ(values.size(), 11u) << c.name;
        ASSERT_EQ(reporter.MarkValidSamples(c.maximum, c.minimum, 1), 11u) << c.name;
        EXPECT_EQ(reporter.KeepValidSamples(values, 1), c.kept.size()) << c.name;
        EXPECT_EQ(values, c.kept) << c.name;
    }

    InitArgs setup;
    setup.record.tailValue1 = 10.0;
    Reporter reporter;
    ASSERT_EQ(setup.Init(reporter), 1);
    ASSERT_EQ(reporter.MarkValidSamples({1, 2}, {1, 2}, 0), 2u);
    EXPECT_EQ(reporter.MarkValidSamples({1, 2, 3}, {1, 2}, 0), 0u) << "series of different lengths";
    EXPECT_EQ(reporter.MarkValidSamples({1}, {1}, 3), 0u) << "no phase 3";
    std::vector<float> two = {7, 8};
    EXPECT_EQ(reporter.KeepValidSamples(two, 0), 2u) << "the flags of phase 0 stayed";
    std::vector<float> three = {7, 8, 9};
    EXPECT_EQ(reporter.KeepValidSamples(three, 0), 0u) << "flags for another number of values";
    EXPECT_EQ(three.size(), 3u);
    EXPECT_EQ(reporter.KeepValidSamples(two, -1), 0u);
}

TEST(BaseReporter, TrendKeyTables)
{
    InitArgs setup;
    Reporter reporter;
    ASSERT_EQ(setup.Init(reporter), 1);
    CReportItemName name;
    ASSERT_EQ(reporter.FindTrendItem("ZVTrendFreq", name), 1);
    EXPECT_EQ(name, CReportItemName(13017, L"频率", L"[Hz]", 1));
    ASSERT_EQ(reporter.FindTrendItem("ZVTrendIpkMinus", name), 1);
    EXPECT_EQ(name, CReportItemName(11, L"电流负峰值", L"[A]", 1400));

    CReportItemName untouched(5, L"x", L"y", 6);
    EXPECT_EQ(reporter.FindTrendItem("ZVTrendUHarmL1", untouched), 0) << "harmonic keys are in the other table";
    EXPECT_EQ(reporter.FindTrendItem("zvtrendfreq", untouched), 0) << "keys are case-sensitive";
    EXPECT_EQ(untouched, CReportItemName(5, L"x", L"y", 6));

    CReportItemDef def;
    ASSERT_EQ(reporter.FindHarmTrendItem("ZVTrendIHarmL2THD", def), 1);
    EXPECT_EQ(def, CReportItemDef(7000, CReportItemDef::kThd, 1, 0, L"L2电流谐波总畸变率", L"[%]"));
    ASSERT_EQ(reporter.FindHarmTrendItem("ZVTrendUHarmINL3", def), 1);
    EXPECT_EQ(def, CReportItemDef(3000, CReportItemDef::kHarmonics, 2, 0, L"L3电压间谐波", L"[V]"));
    EXPECT_EQ(reporter.FindHarmTrendItem("ZVTrendFreq", def), 0);
}

}  // namespace
