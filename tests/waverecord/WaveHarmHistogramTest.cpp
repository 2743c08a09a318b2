// The harmonic histogram without its windows: which bar groups a record collects
// from an item's results (orders, further orders, THD, KF and DC, phases without
// data), the chart series and bars they become, the titles and labels, the range
// test, and the attribute panel's rules.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "tests/waverecord/FakeDataSet.h"
#include "waverecord/WaveHarmHistPanel.h"
#include "waverecord/WaveHarmHistogram.h"
#include "waverecord/WaveHarmonicTrend.h"

namespace {

using wavetest::FakeDataSet;

std::wstring IdText(unsigned id) { return L"<" + std::to_wstring(id) + L">"; }

// The value every series of a key starts from: orders and phases apart.
float Base(int phase, int order) { return static_cast<float>(phase * 100 + order + 1); }

// Results of the items a histogram reads, made of fixed series: per key the
// maximum series reads base .. base + 2, the minimum series base - 1 .. base + 1,
// the average series always base (so its 95 % value is base too).
class FakeResults {
public:
    // An item with `orders` orders for each phase of the mask (phase index bits).
    void AddOrders(int item, unsigned phaseBits, int orders)
    {
        auto& store = Store(item);
        for (int p = 0; p < 4; ++p) {
            if ((phaseBits & (1u << p)) == 0) {
                continue;
            }
            for (int o = 0; o < orders; ++o) {
                AddKey(store, p << 24 | o << 8, Base(p, o));
            }
        }
    }
    // A plain item (THD, DC, K factor) of one value per phase.
    void AddPlain(int item, unsigned phaseBits, float value)
    {
        auto& store = Store(item);
        for (int p = 0; p < 4; ++p) {
            if ((phaseBits & (1u << p)) != 0) {
                AddKey(store, p, value + static_cast<float>(p));
            }
        }
    }
    // Only the maximum series of one key.
    void AddMaximumOnly(int item, int key, float value)
    {
        m_sets.push_back(std::make_unique<FakeDataSet>(std::vector<float>{value}));
        Store(item).Add(key, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(m_sets.back().get()));
    }
    WaveResultGetter Getter()
    {
        return [this](int item) -> std::unique_ptr<CWaveResultStore> {
            const auto found = m_stores.find(item);
            return found != m_stores.end() ? found->second->Clone() : nullptr;
        };
    }

private:
    CWaveResultStore& Store(int item)
    {
        auto& store = m_stores[item];
        if (!store) {
            store = std::make_unique<CWaveResultStore>();
        }
        return *store;
    }
    void AddKey(CWaveResultStore& store, int key, float base)
    {
        const std::pair<int, std::vector<float>> series[] = {
            {CWaveResultStore::kMaximum, {base, base + 2, base + 1}},
            {CWaveResultStore::kMinimum, {base, base - 1, base + 1}},
            {CWaveResultStore::kAverage, {base, base, base}},
        };
        for (const auto& [kind, values] : series) {
            m_sets.push_back(std::make_unique<FakeDataSet>(values));
            CWaveSeriesDescriptor descriptor(m_sets.back().get());
            descriptor.readType = CWaveSeriesDescriptor::kReadValue;
            store.Add(key, kind, descriptor);
        }
    }

    std::vector<std::unique_ptr<FakeDataSet>> m_sets;
    std::map<int, std::unique_ptr<CWaveResultStore>> m_stores;
};

HarmHistAttrib Record(int item, std::int32_t phases, std::vector<int> orders, std::int32_t stats = 7)
{
    HarmHistAttrib record;
    record.item = item;
    record.phases = phases;
    record.stats = stats;
    record.orderCount = static_cast<std::int32_t>(orders.size());
    for (std::size_t i = 0; i < orders.size(); ++i) {
        record.orders[i] = orders[i];
    }
    return record;
}

std::vector<unsigned> Labels(const std::vector<HarmBarEntry>& bars)
{
    std::vector<unsigned> labels;
    for (const HarmBarEntry& bar : bars) {
        labels.push_back(bar.label);
    }
    return labels;
}

TEST(WaveHarmHistogramTest, CollectsTheGroupsTheRecordAsksForAndNoneWithoutData)
{
    FakeResults results;
    results.AddOrders(5981, 0b0011, 30);  // L1 and L2 wired, 30 orders
    results.AddOrders(5991, 0b0001, 30);
    results.AddPlain(6075, 0b0011, 4.0f);
    results.AddPlain(6004, 0b0011, 0.5f);
    results.AddPlain(5999, 0b0011, 1.5f);
    results.AddOrders(5982, 0b0001, 30);
    results.AddMaximumOnly(5982, 1 << 24, 9.0f);  // L2 of the currents: only a maximum

    struct Case {
        const char* name;
        HarmHistAttrib record;
        std::vector<unsigned> labels;
    };
    HarmHistAttrib others = Record(5981, 1, {0, 1});
    others.withOthers = 1;
    HarmHistAttrib extras = Record(5981, 2, {4});
    extras.withTHD = extras.withDC = extras.withKF = 1;
    HarmHistAttrib unknownFamily = Record(7000, 1, {0});
    unknownFamily.withTHD = unknownFamily.withDC = 1;
    HarmHistAttrib missingExtras = Record(5982, 1, {0});
    missingExtras.withTHD = 1;  // no current THD in the record
    const Case cases[] = {
        {"first orders of L1", Record(5981, 1, {0, 1, 2}), {1, 2, 3}},
        {"orders in the record's order", Record(5981, 2, {6, 2}), {7, 3}},
        {"a phase the record lacks adds nothing", Record(5981, 4, {0, 1, 2}), {}},
        {"neutral lacking too", Record(5981, 8, {0}), {}},
        {"an order past the record's adds nothing", Record(5981, 1, {29, 40}), {30}},
        {"further orders from 26 on", others, {1, 2, 26, 27, 28, 29, 30}},
        {"THD, KF, DC follow in that order", extras, {5, kHistLabelThd, kHistLabelKf, kHistLabelDc}},
        {"an item of no family has no THD or DC", unknownFamily, {}},
        {"an extra the record lacks adds nothing", missingExtras, {1}},
        {"a phase with a statistic missing adds nothing", Record(5982, 2, {0}), {}},
        {"the same phase asked only for the statistic it has", Record(5982, 2, {0}, kHistMax), {1}},
        {"no statistics: the groups without values", Record(5981, 1, {0, 1}, 0), {1, 2}},
    };
    for (const Case& c : cases) {
        CWaveHarmHistogramBars bars;
        bars.SetAttrib(c.record);
        bars.CollectBars(c.record, results.Getter());
        EXPECT_EQ(Labels(bars.Bars()), c.labels) << c.name;
    }

    // No result of the item at all: only the extras.
    CWaveHarmHistogramBars bars;
    HarmHistAttrib absent = Record(5985, 1, {0, 1});
    absent.withKF = 1;
    bars.SetAttrib(absent);
    bars.CollectBars(absent, results.Getter());
    EXPECT_EQ(Labels(bars.Bars()), (std::vector<unsigned>{kHistLabelKf}));
}

TEST(WaveHarmHistogramTest, ReadsEachStatisticFromItsSeries)
{
    FakeResults results;
    results.AddOrders(5981, 0b0011, 5);
    results.AddPlain(5999, 0b0011, 1.5f);
    struct Case {
        std::int32_t stats;
        int phase;
        int order;
        HarmBarEntry expected;
    };
    const Case cases[] = {
        {kHistMax | kHistMin | kHistAvg | kHistCp95, 0, 3, {Base(0, 3) - 1, Base(0, 3) + 2, Base(0, 3), Base(0, 3), 4}},
        {kHistCp95, 1, 0, {0, 0, 0, Base(1, 0), 1}},
        {kHistMin, 1, 4, {Base(1, 4) - 1, 0, 0, 0, 5}},
    };
    for (const Case& c : cases) {
        CWaveHarmHistogramBars bars;
        const HarmHistAttrib record = Record(5981, 1 << c.phase, {c.order}, c.stats);
        bars.SetAttrib(record);
        bars.CollectBars(record, results.Getter());
        ASSERT_EQ(bars.Bars().size(), 1u) << c.stats;
        const HarmBarEntry& bar = bars.Bars().front();
        EXPECT_FLOAT_EQ(bar.min, c.expected.min) << c.stats;
        EXPECT_FLOAT_EQ(bar.max, c.expected.max) << c.stats;
        EXPECT_FLOAT_EQ(bar.avg, c.expected.avg) << c.stats;
        EXPECT_FLOAT_EQ(bar.cp95, c.expected.cp95) << c.stats;
        EXPECT_EQ(bar.label, c.expected.label) << c.stats;
    }
    // The K factor is read under the plain phase key.
    CWaveHarmHistogramBars bars;
    HarmHistAttrib record = Record(5982, 2, {}, kHistMax);
    record.withKF = 1;
    bars.SetAttrib(record);
    bars.CollectBars(record, results.Getter());
    ASSERT_EQ(bars.Bars().size(), 1u);
    EXPECT_FLOAT_EQ(bars.Bars().front().max, 1.5f + 1.0f + 2.0f);
    EXPECT_EQ(CWaveHarmHistogramBars::ItemsRead(record), (std::vector<int>{5982, 5999}));
}

TEST(WaveHarmHistogramTest, TitlesLabelsFamiliesAndPhases)
{
    struct Title {
        int item, phases;
        std::wstring expected;
    };
    for (const Title& t : {Title{5981, 1, L"L1 <10121>"}, Title{5985, 2, L"L2 <10122>"}, Title{5998, 4, L"L3 <10138>"},
                           Title{5982, 8, L"LN <10130>"}, Title{6002, 1, L"L1 <10141>"}, Title{5981, 3, L"<10121>"},
                           Title{6075, 1, L"L1 "}}) {
        EXPECT_EQ(GetTitle(t.item, t.phases, IdText), t.expected) << t.item << " " << t.phases;
    }
    struct Argument {
        unsigned label;
        int item;
        std::wstring expected;
    };
    for (const Argument& a : {Argument{1, 5981, L"1"}, Argument{50, 5982, L"50"}, Argument{1, 5991, L"0"},
                              Argument{26, 5994, L"25"}, Argument{51, 5981, L""}, Argument{kHistLabelThd, 5981, L"THD"},
                              Argument{kHistLabelDc, 5991, L"DC"}, Argument{kHistLabelKf, 5982, L"KF"}}) {
        EXPECT_EQ(BarArgument(a.label, a.item), a.expected) << a.label << " " << a.item;
    }
    for (const auto& [item, family] : std::vector<std::pair<int, int>>{
             {5981, 0}, {5997, 0}, {5982, 1}, {5998, 1}, {6000, 2}, {6002, 2}, {5999, -1}, {6003, -1}, {5980, -1}}) {
        EXPECT_EQ(GetItemFamily(item), family) << item;
    }
    for (const auto& [phases, index] :
         std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {4, 2}, {8, 3}, {3, 0}, {12, 2}, {0, 4}, {16, 4}}) {
        EXPECT_EQ(HarmPhaseIndex(phases), index) << phases;
    }
    struct Default {
        std::uint32_t wiring;
        std::int32_t phases;
    };
    for (const Default& d : {Default{0x0F, 1}, Default{0x06, 2}, Default{0x08, 8}, Default{0, 0}}) {
        const HarmHistAttrib record = DefaultHarmHistAttrib(d.wiring);
        EXPECT_EQ(record.phases, d.phases) << d.wiring;
        EXPECT_EQ(record.item, 5981);
        EXPECT_EQ(record.stats, 7);
        ASSERT_EQ(record.orderCount, 15);
        EXPECT_EQ(record.orders[14], 14);
    }
}

TEST(WaveHarmHistogramTest, RangeMustHoldTheHarmonicWindows)
{
    // The histogram takes the trend view's rule; the range is [start, end).
    struct Case {
        std::int64_t start, end;
        double frequency, rate;
        std::uint64_t windows;
        bool expected;
    };
    const Case cases[] = {
        {0, 2560, 50, 12800, 1, true},      // 10 cycles of 256 samples
        {0, 2559, 50, 12800, 1, false},
        {100, 5220, 50, 12800, 2, true},
        {100, 5219, 50, 12800, 2, false},
        {0, 2556, 60, 12800, 1, true},      // 12 cycles of 213 samples
        {0, 2555, 60, 12800, 1, false},
        {-1, -1, 50, 12800, 1, false},      // nothing selected
        {0, 100000, 0, 12800, 1, false},    // no record: no frequency
        {0, 100000, 50, 0, 1, false},
        {500, 100, 50, 12800, 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(harmtrend::HarmonicRangeIsLongEnough(c.start, c.end, c.frequency, c.rate, c.windows), c.expected)
            << c.start << ".." << c.end << " at " << c.frequency;
    }
}

TEST(WaveHarmHistogramTest, SeriesFollowTheStatisticsAndBarsTheirValues)
{
    const HarmHistColors colors{0x000080, 0x008000, 0x800000};
    struct Case {
        std::int32_t stats;
        std::vector<std::wstring> names;
    };
    const Case cases[] = {
        {7, {L"<10107>", L"<10108>", L"<10109>"}},
        {15, {L"<10107>", L"<10108>", L"<10109>", L"<6129>"}},
        {8, {L"<6129>"}},
        {6, {L"<10108>", L"<10109>"}},
        {0, {}},
    };
    for (const Case& c : cases) {
        controls::BarChart chart;
        chart.valueTitle = {false, L"before"};
        const std::vector<std::int32_t> shown = BuildHistogramSeries(chart, c.stats, colors, IdText);
        ASSERT_EQ(chart.Series().size(), c.names.size()) << c.stats;
        for (std::size_t s = 0; s < c.names.size(); ++s) {
            EXPECT_EQ(chart.Series()[s].name, c.names[s]) << c.stats;
        }
        EXPECT_TRUE(chart.legendVisible);
        EXPECT_EQ(chart.valueTitle.visible, !c.names.empty()) << c.stats;
        AddHistogramBar(chart, shown, {1.0f, 3.0f, 2.0f, 2.5f, 3}, 5981);
        AddHistogramBar(chart, shown, {0.5f, 0.9f, 0.7f, 0.8f, kHistLabelThd}, 5981);
        for (std::size_t s = 0; s < shown.size(); ++s) {
            const controls::ChartSeries& series = chart.Series()[s];
            ASSERT_EQ(series.points.size(), 2u);
            EXPECT_EQ(series.points[0].argument, L"3");
            EXPECT_EQ(series.points[1].argument, L"THD");
            const double expected = shown[s] == kHistMax ? 3.0 : shown[s] == kHistMin ? 1.0 : shown[s] == kHistAvg ? 2.0 : 2.5;
            EXPECT_DOUBLE_EQ(series.points[0].value, expected) << c.stats << " series " << s;
            EXPECT_FALSE(series.labelsVisible);
            EXPECT_EQ(series.labelFormat, L"%.3f");
        }
    }
    controls::BarChart chart;
    BuildHistogramSeries(chart, 15, colors, IdText);
    EXPECT_EQ(chart.Series()[0].color, gfx::Color::FromColorRef(0x000080));
    EXPECT_EQ(chart.Series()[1].color, gfx::Color::FromColorRef(0x008000));
    EXPECT_EQ(chart.Series()[2].color, gfx::Color::FromColorRef(0x800000));
    EXPECT_EQ(chart.Series()[3].color, (gfx::Color{255, 0, 255}));
}

// The panel over a record that has `orders` orders of every item (none: no result).
CWaveHarmHistPanelState Panel(std::optional<int> orders)
{
    return CWaveHarmHistPanelState([orders](int, int) { return orders; }, IdText);
}

TEST(WaveHarmHistPanelTest, GroupsAndKindsNameTheItems)
{
    struct Case {
        int group, kind, item;
    };
    const Case cases[] = {
        {6056, 0, 5981}, {6056, 1, 5985}, {6056, 2, 5983}, {6057, 0, 5991}, {6057, 1, 5993}, {6057, 2, 0},
        {6058, 0, 5987}, {6058, 1, 5989}, {6059, 0, 5995}, {6059, 1, 5997}, {6061, 0, 5982}, {6061, 1, 5986},
        {6061, 2, 5984}, {6062, 0, 5992}, {6062, 1, 5994}, {6063, 0, 5988}, {6063, 1, 5990}, {6064, 0, 5996},
        {6064, 1, 5998}, {6066, 0, 6000}, {6066, 1, 6001}, {6066, 2, 6002}, {6065, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CWaveHarmHistPanelState::ItemOf(c.group, c.kind), c.item) << c.group << "/" << c.kind;
        int group = 0, kind = 0;
        if (c.item != 0) {
            ASSERT_TRUE(CWaveHarmHistPanelState::GroupOf(c.item, group, kind)) << c.item;
            EXPECT_EQ(group, c.group);
            EXPECT_EQ(kind, c.kind);
        }
    }
}

TEST(WaveHarmHistPanelTest, FirstDisplayShowsTheChartsRecord)
{
    CWaveHarmHistPanelState panel = Panel(50);
    panel.Init(DefaultHarmHistAttrib(0x07), 0x07);
    EXPECT_EQ(panel.Group(), 6056);
    EXPECT_EQ(panel.Kind(), CWaveHarmHistPanelState::kKindRms);
    EXPECT_EQ(panel.PhaseIndex(), 0);
    for (int i = 0; i < 25; ++i) {
        EXPECT_EQ(panel.orders[i].checked, i < 15) << i;
        EXPECT_TRUE(panel.orders[i].enabled) << i;
    }
    EXPECT_FALSE(panel.thd.enabled) << "no THD of RMS values";
    EXPECT_FALSE(panel.kf.enabled) << "no K factor of voltages";
    EXPECT_TRUE(panel.dc.enabled);
    EXPECT_TRUE(panel.angleEnabled);
    EXPECT_TRUE(panel.others.enabled);
    EXPECT_EQ(panel.othersCaption, L"<10119>(26~50)");
    EXPECT_EQ(panel.phaseEnabled, (std::array<bool, 4>{true, true, true, false})) << "no neutral wired";
    EXPECT_EQ(panel.ReadRecord(), DefaultHarmHistAttrib(0x07)) << "reads back what it shows";
}

TEST(WaveHarmHistPanelTest, ItemChangesKeepTheControlsConsistent)
{
    struct Case {
        const char* name;
        int groupIndex, kind, phase;
        std::optional<int> orders;
        std::wstring firstLabel, othersCaption;
        int kindAfter, phaseAfter;
        bool thd, dc, kf;  // enabled
        int enabledOrders;
        bool othersEnabled;
    };
    const Case cases[] = {
        {"voltage content", 0, 1, 0, 50, L"1", L"<10119>(26~50)", 1, 0, true, true, false, 25, true},
        {"voltage angle", 0, 2, 1, 50, L"1", L"<10119>(26~50)", 2, 1, false, false, false, 25, true},
        {"interharmonics count from 0", 1, 0, 0, 50, L"0", L"<10119>(25~49)", 0, 0, false, false, false, 25, true},
        {"no angle of interharmonics", 1, 2, 0, 50, L"0", L"<10119>(25~49)", 0, 0, false, false, false, 25, true},
        {"current content: THD and DC", 4, 1, 2, 50, L"1", L"<10119>(26~50)", 1, 2, true, true, false, 25, true},
        {"current RMS: DC and the K factor", 4, 0, 2, 50, L"1", L"<10119>(26~50)", 0, 2, false, true, true, 25, true},
        {"harmonic power has no neutral", 8, 0, 3, 50, L"1", L"<10119>(26~50)", 0, 0, false, true, false, 25, true},
        {"a record of ten orders", 0, 1, 0, 10, L"1", L"<10119>", 1, 0, true, true, false, 10, false},
        {"no result", 4, 0, 0, std::nullopt, L"1", L"<10119>", 0, 0, false, true, true, 0, false},
    };
    for (const Case& c : cases) {
        CWaveHarmHistPanelState panel = Panel(c.orders);
        panel.Init(DefaultHarmHistAttrib(0x0F), 0x0F);
        panel.SelectGroup(c.groupIndex);
        panel.CheckKind(c.kind);
        panel.CheckPhase(c.phase);
        panel.OnItemChanged();
        EXPECT_EQ(panel.orderLabels[0], c.firstLabel) << c.name;
        EXPECT_EQ(panel.othersCaption, c.othersCaption) << c.name;
        EXPECT_EQ(panel.Kind(), c.kindAfter) << c.name;
        EXPECT_EQ(panel.PhaseIndex(), c.phaseAfter) << c.name;
        EXPECT_EQ(panel.thd.enabled, c.thd) << c.name;
        EXPECT_EQ(panel.dc.enabled, c.dc) << c.name;
        EXPECT_EQ(panel.kf.enabled, c.kf) << c.name;
        int enabled = 0;
        for (int i = 0; i < 25; ++i) {
            enabled += panel.orders[i].enabled ? 1 : 0;
            EXPECT_TRUE(panel.orders[i].enabled || !panel.orders[i].checked) << c.name << " box " << i;
        }
        EXPECT_EQ(enabled, c.enabledOrders) << c.name;
        EXPECT_EQ(panel.others.enabled, c.othersEnabled) << c.name;
        EXPECT_EQ(panel.phaseEnabled[3], c.groupIndex != 8) << c.name;
        const HarmHistAttrib record = panel.ReadRecord();
        EXPECT_EQ(record.item, CWaveHarmHistPanelState::ItemOf(panel.Group(), panel.Kind())) << c.name;
        EXPECT_EQ(record.phases, 1 << panel.PhaseIndex()) << c.name;
    }
}

TEST(WaveHarmHistPanelTest, SelectAllAndDefaults)
{
    CWaveHarmHistPanelState panel = Panel(50);
    panel.Init(DefaultHarmHistAttrib(0x0F), 0x0F);
    panel.CheckKind(CWaveHarmHistPanelState::kKindContent);
    panel.OnItemChanged();
    panel.dc.checked = true;
    panel.SelectAll();
    HarmHistAttrib record = panel.ReadRecord();
    EXPECT_EQ(record.orderCount, 25);
    EXPECT_EQ(record.withOthers, 1);
    EXPECT_EQ(record.withTHD + record.withDC + record.withKF, 0);
    EXPECT_FALSE(panel.thd.enabled || panel.dc.enabled || panel.kf.enabled);

    panel.RestoreDefaults();
    record = panel.ReadRecord();
    EXPECT_EQ(record.orderCount, 15);
    EXPECT_EQ(record.orders[14], 14);
    EXPECT_EQ(record.withOthers, 0);
    EXPECT_TRUE(panel.thd.enabled && panel.dc.enabled) << "content of voltages offers THD and DC again";

    // A record with fewer orders than boxes: select all takes what there is.
    CWaveHarmHistPanelState few = Panel(20);
    few.Init(DefaultHarmHistAttrib(0x0F), 0x0F);
    few.SelectAll();
    record = few.ReadRecord();
    EXPECT_EQ(record.orderCount, 20);
    EXPECT_EQ(record.withOthers, 0);
}

TEST(WaveHarmHistPanelTest, OrderBoxesFollowTheOrdersOfTheItemShown)
{
    // Higher harmonics have few orders here, harmonics many.
    CWaveHarmHistPanelState panel([](int item, int) -> std::optional<int> { return item == 5987 ? 8 : 50; }, IdText);
    panel.Init(DefaultHarmHistAttrib(0x0F), 0x0F);
    panel.SelectGroup(2);
    panel.OnItemChanged();
    EXPECT_FALSE(panel.orders[8].enabled);
    EXPECT_TRUE(panel.orders[7].enabled);
    panel.SelectGroup(0);
    panel.OnItemChanged();
    for (int i = 0; i < 25; ++i) {
        EXPECT_TRUE(panel.orders[i].enabled) << "box " << i << " comes back with the orders";
    }
}

}  // namespace
