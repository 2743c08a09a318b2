// The harmonic trend view's rules without a window: its quantities, the order slots
// and their colours, the range margin, the range a harmonic analysis needs, the
// export columns of the order curves and the panel's groups; and the harmonic
// values of a generated record (orders, THD, DC, K factor) as the view reads them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveHarmonicTrend.h"
#include "waverecord/WaveItemTable.h"
#include "waverecord/WaveText.h"

namespace {

using namespace harmtrend;

HarmTrendAttrib Slots(std::initializer_list<int> entries, int item = 5981, int phases = 1, int stats = 4)
{
    HarmTrendAttrib record;
    record.item = item;
    record.phases = phases;
    record.stats = stats;
    record.orderCount = static_cast<int>(entries.size());
    int at = 0;
    for (int entry : entries) {
        record.orders[static_cast<std::size_t>(at++)] = entry;
    }
    return record;
}

TEST(WaveHarmonicTrend, ItemsHaveTheirCodesUnitsAndKinds)
{
    const std::wstring none = WaveText(kTextNoUnit);
    struct Case {
        int item, hostCode;
        std::wstring unit;
        bool orders, trend, power;
    };
    const Case cases[] = {
        {5981, 2002, L"V", true, false, false},         {5984, 7001, L"\u00B0", true, false, false},
        {5986, 7003, L"\uFF05", true, false, false},     {5991, 3001, L"V", true, false, false},
        {5998, 10002, L"\uFF05", true, false, false},    {6000, 12001, L"W", true, false, true},
        {6002, 12003, L"\u00B0", true, false, true},     {6004, 29, L"V", false, true, false},
        {6007, 6003, L"\uFF05", false, true, false},     {6008, 11002, L"W", false, true, true},
        {6075, 27, L"\uFF05", false, true, false},       {6077, 11000, L"\uFF05", false, true, true},
        {5999, 0, none, false, false, false},            {6003, 0, none, false, false, false},
        {6014, 0, none, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetHostCode(c.item), c.hostCode) << c.item;
        EXPECT_EQ(GetUnitText(c.item), c.unit) << c.item;
        EXPECT_EQ(IsOrderItem(c.item), c.orders) << c.item;
        EXPECT_EQ(IsTrendItem(c.item), c.trend) << c.item;
        EXPECT_EQ(IsPowerItem(c.item), c.power) << c.item;
    }
}

TEST(WaveHarmonicTrend, SlotsKeepTheirPlacesSoCurvesKeepTheirColours)
{
    struct Case {
        const char* name;
        HarmTrendAttrib record;
        std::vector<OrderSlot> shown;  // {slot = colour index, entry}
    };
    const Case cases[] = {
        {"slots chosen out of order stay where they were chosen", Slots({7, 0, 3, 0, 5, 2}),
         {{1, 7}, {3, 3}, {5, 5}, {6, 2}}},
        {"a repeated order keeps the first slot's colour", Slots({3, 0, 3, 5, 0, 0}), {{1, 3}, {4, 5}}},
        {"all off", Slots({0, 0, 0, 0, 0, 0}), {}},
        {"only the slots in use count", Slots({1, 2, 3, 4, 5, 6}, 5981, 1, 4), {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}},
        {"a count beyond the slots is held to them", [] {
             HarmTrendAttrib r = Slots({2});
             r.orderCount = 1000;
             return r;
         }(),
         {{1, 2}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShownOrderSlots(c.record), c.shown) << c.name;
    }
    HarmTrendAttrib fewer = Slots({1, 2, 3, 4, 5, 6});
    fewer.orderCount = 2;
    EXPECT_EQ(ShownOrderSlots(fewer), (std::vector<OrderSlot>{{1, 1}, {2, 2}}));
}

TEST(WaveHarmonicTrend, OrderKeysAndPhaseIndexes)
{
    EXPECT_EQ(OrderKey(0, 1), 0);
    EXPECT_EQ(OrderKey(2, 7), (6 | 2 << 16) << 8);
    EXPECT_EQ(OrderKey(3, 50), (49 | 3 << 16) << 8);
    struct Case {
        int mask, index;
    };
    for (const Case& c : {Case{1, 0}, Case{2, 1}, Case{4, 2}, Case{8, 3}, Case{6, 1}, Case{16, 4}, Case{0, 4}}) {
        EXPECT_EQ(PhaseIndexOfMask(c.mask), c.index) << c.mask;
    }
    EXPECT_EQ(StatisticKinds(1 | 2 | 4 | 32), (std::vector<int>{2, 0, 1, 5}));
}

TEST(WaveHarmonicTrend, RangeMargins)
{
    struct Case {
        float low, high, paddedLow, paddedHigh;
    };
    const Case cases[] = {
        {1.95f, 2.0f, 1.75f, 2.2f},     // span 0.05, top 2.0: a tenth of the top
        {0.05f, 0.1f, 0.02f, 0.13f},    // span 0.05, top 0.1: at least 0.03
        {1.0f, 2.0f, 0.9f, 2.1f},       // span 1.0: a tenth of the span
        {230.0f, 230.0f, 207.0f, 253.0f},
        {0.0f, 0.0f, -0.03f, 0.03f},
    };
    for (const Case& c : cases) {
        float low = c.low, high = c.high;
        PadRange(low, high);
        EXPECT_NEAR(low, c.paddedLow, 1e-5) << c.low << ".." << c.high;
        EXPECT_NEAR(high, c.paddedHigh, 1e-5) << c.low << ".." << c.high;
    }
}

TEST(WaveHarmonicTrend, ARangeMustHoldTheHarmonicWindows)
{
    struct Case {
        const char* name;
        std::int64_t first, end;  // end: one past the last sample
        double frequency, rate;
        std::uint64_t windows;
        bool enough;
    };
    const Case cases[] = {
        {"three windows at 50 Hz, 25,600/s: one sample short", 100, 100 + 15359, 50.0, 25600.0, 3, false},
        {"three windows: exactly", 100, 100 + 15360, 50.0, 25600.0, 3, true},
        {"one window at 12,800/s", 0, 2560, 50.0, 12800.0, 1, true},
        {"60 Hz: twelve cycles of 426 samples", 0, 12 * 426 - 1, 60.0, 25600.0, 1, false},
        {"no record: no frequency", 0, 1000000, 0.0, 25600.0, 1, false},
        {"no sample rate", 0, 1000000, 50.0, 0.0, 1, false},
        {"a window count that wraps in 32 bits", 0, 1000000, 50.0, 25600.0, (std::uint64_t{1} << 32) + 1, false},
        {"an empty range", 5, 5, 50.0, 25600.0, 1, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HarmonicRangeIsLongEnough(c.first, c.end, c.frequency, c.rate, c.windows), c.enough) << c.name;
    }
}

TEST(WaveHarmonicTrend, ExportColumnsFollowTheSlotsOncePerPhase)
{
    const std::wstring pattern = WaveText(10142);
    const auto column = [&](const wchar_t* phase, const wchar_t* order) {
        return std::wstring(phase) + WaveFillField(pattern, order);
    };
    struct Case {
        const char* name;
        HarmTrendAttrib record;
        std::vector<std::wstring> names;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {"repeated slots give one column", Slots({3, 0, 3, 5, 0, 0}, 5981, 1 | 2, 4),
         {column(L"L1", L"03"), column(L"L1", L"05"), column(L"L2", L"03"), column(L"L2", L"05")},
         {OrderKey(0, 3), OrderKey(0, 5), OrderKey(1, 3), OrderKey(1, 5)}},
        {"interharmonics are named one lower", Slots({3, 0, 3, 5, 0, 0}, 5991, 1, 4),
         {column(L"L1", L"02"), column(L"L1", L"04")},
         {OrderKey(0, 3), OrderKey(0, 5)}},
        {"columns in slot order", Slots({7, 0, 2}, 5982, 8, 1), {column(L"LN", L"07"), column(L"LN", L"02")},
         {OrderKey(3, 7), OrderKey(3, 2)}},
        {"no statistic: no columns", Slots({1, 2}, 5981, 1, 0), {}, {}},
    };
    for (const Case& c : cases) {
        const std::vector<OrderColumn> columns = OrderColumns(c.record);
        std::vector<std::wstring> names;
        std::vector<int> keys;
        for (const OrderColumn& made : columns) {
            names.push_back(made.name);
            keys.push_back(made.key);
        }
        EXPECT_EQ(names, c.names) << c.name;
        EXPECT_EQ(keys, c.keys) << c.name;
    }
    EXPECT_EQ(OrderColumns(Slots({1}, 5981, 1, 1 | 4)).front().kind, 2) << "the first statistic, MAX";
}

TEST(WaveHarmonicTrend, PanelGroups)
{
    std::vector<int> order;
    for (const Group& group : Groups()) {
        order.push_back(group.group);
    }
    EXPECT_EQ(order, (std::vector<int>{6075, 6055, 6056, 6057, 6058, 6059, 6076, 6060, 6061, 6062, 6063, 6064, 6077,
                                       6065, 6066}));
    for (int group : order) {
        const bool orders = (group >= 6056 && group <= 6059) || (group >= 6061 && group <= 6064) || group == 6066;
        EXPECT_EQ(GroupHasOrders(group), orders) << group;
    }
    struct ItemCase {
        int group, kind, item;
    };
    for (const ItemCase& c : {ItemCase{6056, 0, 5981}, ItemCase{6056, 1, 5985}, ItemCase{6056, 2, 5983},
                              ItemCase{6057, 2, 0}, ItemCase{6062, 1, 5994}, ItemCase{6066, 2, 6002},
                              ItemCase{6064, -1, 0}}) {
        EXPECT_EQ(GroupItem(c.group, c.kind), c.item) << c.group << "/" << c.kind;
        if (c.item != 0) {
            int kind = -1;
            const Group* found = GroupOfItem(c.item, &kind);
            ASSERT_NE(found, nullptr) << c.item;
            EXPECT_EQ(found->group, c.group);
            EXPECT_EQ(kind, c.kind);
        }
    }
    struct DcCase {
        int group;
        bool rms, content;
        int item;
    };
    for (const DcCase& c : {DcCase{6055, true, false, 6004}, DcCase{6055, false, true, 6005},
                            DcCase{6060, false, true, 6007}, DcCase{6065, true, true, 6008},
                            DcCase{6065, false, false, 0}, DcCase{6056, true, false, 0}}) {
        EXPECT_EQ(ResolveDCItem(c.group, c.rms, c.content), c.item) << c.group;
    }
    EXPECT_EQ(OrderEntryTexts(5981, 3), (std::vector<std::wstring>{L"OFF", L"1", L"2", L"3"}));
    EXPECT_EQ(OrderEntryTexts(5992, 3), (std::vector<std::wstring>{L"OFF", L"0", L"1", L"2"}));
}

// A record with a DC offset on the first voltage and the third current: its harmonic values
// as the view reads them, against the generator's own.
class WaveHarmonicValuesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        gen::WaveRecordOptions options = wavetest::ShortRecord();
        options.signals[0].dc = 4.0;
        options.signals[6].dc = 0.5;  // the third current has room below full scale
        s_record = std::make_unique<wavetest::GeneratedRecord>(options);
    }
    static void TearDownTestSuite() { s_record.reset(); }
    void SetUp() override { wavetest::SetWaveSystemIni(""); }

    static std::unique_ptr<wavetest::GeneratedRecord> s_record;
};

std::unique_ptr<wavetest::GeneratedRecord> WaveHarmonicValuesTest::s_record;

TEST_F(WaveHarmonicValuesTest, OrdersThdDcAndKFactorMatchTheSignal)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(*manager, *s_record));
    struct Case {
        int item, key;
        std::string expected;
        double tolerance;
    };
    std::vector<Case> cases;
    for (int p = 0; p < 3; ++p) {
        const std::string phase = "phase" + std::to_string(p) + ".";
        cases.insert(cases.end(), {
            {5981, OrderKey(p, 1), phase + "voltageHarmonic1", 0.3},
            {5981, OrderKey(p, 5), phase + "voltageHarmonic5", 0.05},
            {5981, OrderKey(p, 7), phase + "voltageHarmonic7", 0.05},
            {5982, OrderKey(p, 3), phase + "currentHarmonic3", 0.01},
            {6075, p, phase + "voltageThd", 0.05},
            {6076, p, phase + "currentThd", 0.05},
            {6004, p, phase + "voltageDc", 0.05},
            {6006, p, phase + "currentDc", 0.01},
            {5999, p, phase + "currentKFactor", 0.05},
        });
    }
    for (const Case& c : cases) {
        const std::unique_ptr<CWaveResultStore> result = manager->GetResult(c.item);
        ASSERT_TRUE(result) << c.item;
        const CWaveSeriesDescriptor series = result->GetDescriptor(c.key, CWaveResultStore::kAverage);
        const double expected = s_record->Expected(c.expected);
        float value = 0.0f;
        std::int64_t count = 0;
        for (; series.ReadAt(count, &value); ++count) {
            ASSERT_NEAR(value, expected, c.tolerance) << c.expected << " value " << count;
        }
        EXPECT_GT(count, 0) << c.expected;
    }
    EXPECT_GT(s_record->Expected("phase0.voltageDc"), 3.9);
    EXPECT_GT(s_record->Expected("phase2.currentDc"), 0.45);
    EXPECT_GT(s_record->Expected("phase0.currentKFactor"), 1.1) << "3rd and 5th harmonics weigh in";

    // The order curves' range spans the orders shown, with its margin.
    const std::unique_ptr<CWaveResultStore> orders = manager->GetResult(5981);
    const std::unique_ptr<CWaveResultStore> kFactor = manager->GetResult(5999);
    float low = 0.0f, high = 0.0f;
    OrderRowsRange(orders.get(), kFactor.get(), Slots({5, 0, 7}), low, high);
    const double h5 = s_record->Expected("phase0.voltageHarmonic5");
    const double h7 = s_record->Expected("phase0.voltageHarmonic7");
    const double span = h5 - h7;
    EXPECT_NEAR(low, h7 - span / 10, 0.05);
    EXPECT_NEAR(high, h5 + span / 10, 0.05);
    HarmTrendAttrib withKFactor = Slots({5, 0, 7});
    withKFactor.withKFactor = 1;
    OrderRowsRange(orders.get(), kFactor.get(), withKFactor, low, high);
    EXPECT_LT(low, s_record->Expected("phase0.currentKFactor")) << "the K factor is in range";
    OrderRowsRange(nullptr, nullptr, Slots({5}), low, high);
    EXPECT_FLOAT_EQ(low, -0.6f) << "nothing to show: a small range about 0";
    EXPECT_FLOAT_EQ(high, 0.6f);
    CWaveAnalysisManager::DestroyInstance();
}

}  // namespace
