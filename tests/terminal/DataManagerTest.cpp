#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "terminal/CalcDatMgr.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/OriginalDataManager.h"
#include "terminal/RecordDataManager.h"
#include "terminal/Wiring.h"

namespace {

TEST(FixedPoint, MapsTheDisplayRangeAndSurvivesDegenerateRanges)
{
    struct Case {
        const char* name;
        double value, low, high;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"bottom", 0.0, 0.0, 10.0, 0},
        {"top", 10.0, 0.0, 10.0, 4294967296LL},
        {"middle", 5.0, 0.0, 10.0, 2147483648LL},
        {"rounds half up", 2.5, 0.0, 12.0, static_cast<std::int64_t>(2.5 / 12.0 * 4294967296.0 + 0.5)},
        {"flat range", 7.0, 3.0, 3.0, 0},
        {"far above", 1e300, 0.0, 1.0, std::numeric_limits<std::int64_t>::max()},
        {"far below", -1e300, 0.0, 1.0, std::numeric_limits<std::int64_t>::min()},
        {"not a number", std::nan(""), 0.0, 1.0, kNoValuePosition},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToFixedPoint(c.value, c.low, c.high), c.expected) << c.name;
    }
}

TEST(RecordDataManager, SubstituteLimitsAndRounding)
{
    CRecordDataManager none;
    EXPECT_TRUE(none.AddValue(kNoValue)) << "no substitute: a no-value sample is kept as a gap";
    EXPECT_TRUE(none.AddValue(kNoValue + 0.005));
    EXPECT_EQ(none.GetCount(), 2u);
    EXPECT_FALSE(none.HasValue());

    CRecordDataManager substituted;
    const double low = 0.0, high = 200.0;
    EXPECT_EQ(substituted.SetLimits(&low, &high, CRecordDataManager::NoLimits, 0.0), 1);
    EXPECT_TRUE(substituted.AddValue(kNoValue));
    double value = -1.0;
    ASSERT_TRUE(substituted.GetValue(0, &value));
    EXPECT_EQ(value, 0.0);

    CRecordDataManager clamped;
    clamped.SetLimits(&low, &high, CRecordDataManager::ClampToLimits, CRecordDataManager::kNoSubstitute);
    EXPECT_TRUE(clamped.AddValue(250.0));
    clamped.GetValue(0, &value);
    EXPECT_EQ(value, 200.0);

    CRecordDataManager rejecting;
    rejecting.SetLimits(&low, &high, CRecordDataManager::RejectOutside, CRecordDataManager::kNoSubstitute);
    EXPECT_FALSE(rejecting.AddValue(250.0));
    EXPECT_TRUE(rejecting.AddValue(1.23449));
    rejecting.GetValue(0, &value);
    EXPECT_DOUBLE_EQ(value, 1.234) << "rounded half up to three decimals";

    CRecordDataManager flat;
    const double same = 5.0;
    EXPECT_EQ(flat.SetLimits(&same, &same, CRecordDataManager::ClampToLimits, 3.0), 0);
    EXPECT_TRUE(flat.AddValue(kNoValue)) << "mode and substitute are stored before the refusal";
    flat.GetValue(0, &value);
    EXPECT_EQ(value, 3.0);
}

TEST(RecordDataManager, WalksWithWideningBoundsAndSentinel)
{
    CRecordDataManager manager;
    const double low = 0.0, high = 10.0;
    manager.SetDisplayRange(&low, &high);
    manager.AddValue(2.5);
    manager.AddValue(12.0);
    manager.SetLimits(&low, &high, CRecordDataManager::NoLimits, -1.0);
    manager.AddValue(kNoValue);  // stored as the substitute -1.0
    EXPECT_EQ(manager.GetMaxValue(), 12.0);
    EXPECT_EQ(manager.GetMinValue(), -1.0);

    std::int64_t index = 0;
    std::int64_t position = 0;
    ASSERT_TRUE(manager.GetNext(&index, &position));
    EXPECT_EQ(manager.GetDisplayHigh(), 12.0);
    EXPECT_EQ(manager.GetDisplayLow(), -1.0);
    EXPECT_EQ(position, ToFixedPoint(2.5, -1.0, 12.0));
    EXPECT_EQ(index, 1);
    ASSERT_TRUE(manager.GetNext(&index, &position));
    ASSERT_TRUE(manager.GetNext(&index, &position));
    EXPECT_EQ(index, 3) << "the last sample leaves the index at the count";
    EXPECT_FALSE(manager.GetNext(&index, &position));
    EXPECT_EQ(index, 3);

    index = 0;
    ASSERT_TRUE(manager.GetPrev(&index, &position));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(manager.GetPrev(&index, &position));
}

TEST(RecordDataManager, NoValueSamplesWalkAsNoValue)
{
    CRecordDataManager manager;
    const double low = 0.0, high = 1.0;
    // A substitute equal to the sentinel keeps the sample as "no value".
    manager.SetLimits(&low, &high, CRecordDataManager::NoLimits, kNoValue);
    manager.AddValue(kNoValue);
    std::int64_t index = 0;
    std::int64_t position = 0;
    ASSERT_TRUE(manager.GetNext(&index, &position));
    EXPECT_EQ(position, kNoValuePosition);
}

TEST(RecordDataManager, ReleaseEmptiesButKeepsTheOwner)
{
    auto manager = std::make_unique<CRecordDataManager>(7);
    manager->AddValue(1.0);
    manager->Release();
    EXPECT_EQ(manager->GetCount(), 0u);
    EXPECT_TRUE(manager->AddValue(2.0)) << "a released manager is still usable";
    EXPECT_EQ(manager->GetCount(), 1u);
}  // freed once, by its owner

TEST(RecordDataManager, ClearIfAllZero)
{
    CRecordDataManager zeros(9);
    zeros.AddValue(0.0);
    zeros.AddValue(0.0);
    EXPECT_EQ(zeros.ClearIfAllZero(), 1);
    EXPECT_EQ(zeros.GetCount(), 0u);
    EXPECT_EQ(zeros.GetTag(), 0u);

    CRecordDataManager mixed(9);
    mixed.AddValue(0.0);
    mixed.AddValue(1.0);
    EXPECT_EQ(mixed.ClearIfAllZero(), 0);
    EXPECT_EQ(mixed.GetCount(), 2u);
}

// A sample without value keeps its place: later samples keep their times, both
// cursors report the gap, and extremes and display range come from the values only.
TEST(RecordDataManager, GapsKeepTheirPlaceAndLeaveTheExtremesAlone)
{
    struct Case {
        const char* row;
        bool original;  // the full-resolution manager, addressed from 10
        std::vector<double> samples;
        double max, min;
    };
    const double gap = kNoValue + 0.004;  // still the marker
    const Case cases[] = {
        {"gap first", false, {gap, -2.0, 4.0}, 4.0, -2.0},
        {"gap between", false, {3.0, gap, 1.0}, 3.0, 1.0},
        {"gap last", true, {-1.0, 5.0, gap}, 5.0, -1.0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CRecordDataManager> manager =
            c.original ? std::make_unique<COriginalDataManager>() : std::make_unique<CRecordDataManager>();
        const std::int64_t base = c.original ? 10 : 0;
        manager->SetRange(base, -1);
        for (const double sample : c.samples) {
            EXPECT_TRUE(manager->AddValue(sample)) << c.row;
        }
        ASSERT_EQ(manager->GetCount(), c.samples.size()) << c.row;
        EXPECT_EQ(manager->GetMaxValue(), c.max) << c.row;
        EXPECT_EQ(manager->GetMinValue(), c.min) << c.row;
        // A display range inside the values: the walk widens it to the values exactly.
        const double middle = (c.min + c.max) / 2;
        manager->SetDisplayRange(&middle, &middle);
        for (std::size_t i = 0; i < c.samples.size(); ++i) {
            double value = 0.0;
            ASSERT_TRUE(manager->GetValue(static_cast<std::int64_t>(i), &value)) << c.row;
            EXPECT_EQ(IsNoValue(value), IsNoValue(c.samples[i])) << c.row << " sample " << i;
            const std::int64_t expected =
                IsNoValue(c.samples[i]) ? kNoValuePosition : ToFixedPoint(c.samples[i], c.min, c.max);
            std::int64_t index = base + static_cast<std::int64_t>(i);
            std::int64_t position = 0;
            ASSERT_TRUE(manager->GetNext(&index, &position)) << c.row;
            EXPECT_EQ(position, expected) << c.row << " forward " << i;
            index = base + static_cast<std::int64_t>(i);
            ASSERT_TRUE(manager->GetPrev(&index, &position)) << c.row;
            EXPECT_EQ(position, expected) << c.row << " backward " << i;
        }
        EXPECT_EQ(manager->GetDisplayLow(), c.min) << c.row << ": the walk widens to the values only";
        EXPECT_EQ(manager->GetDisplayHigh(), c.max) << c.row;
    }

    // Only gaps and zeros: an all-zero series.
    CRecordDataManager zeros;
    zeros.AddValue(0.0);
    zeros.AddValue(kNoValue);
    EXPECT_EQ(zeros.ClearIfAllZero(), 1);
    EXPECT_FALSE(zeros.HasValue());
}

TEST(OriginalDataManager, AddressesByAbsoluteIndex)
{
    COriginalDataManager manager;
    std::int64_t first = 1, last = 0;
    manager.GetRange(&first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, -1);
    manager.SetRange(100, 101);
    manager.AddValue(1.0);
    manager.AddValue(2.0);
    std::int64_t index = 100;
    std::int64_t position = 0;
    ASSERT_TRUE(manager.GetNext(&index, &position));
    ASSERT_TRUE(manager.GetNext(&index, &position));
    EXPECT_EQ(position, 4294967296LL);
    EXPECT_FALSE(manager.GetNext(&index, &position));
    index = 99;
    EXPECT_FALSE(manager.GetPrev(&index, &position));
    manager.Release();
    manager.GetRange(&first, &last);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(last, -1);
}

TEST(ComtradeDataManager, NeedsARangeAndStretches)
{
    CComtradeDataManager manager;
    for (int i = 0; i < 10; ++i) {
        manager.AddValue(i);
    }
    std::int64_t index = 0;
    std::int64_t position = 0;
    EXPECT_FALSE(manager.GetNext(&index, &position)) << "no display range set";
    EXPECT_FALSE(manager.GetPrev(&index, &position));

    const double low = 0.0, high = 8.0;
    manager.SetYRange(&low, &high);
    index = 0;
    EXPECT_FALSE(manager.GetPrev(&index, &position)) << "index 0 without a mode";
    EXPECT_EQ(manager.GetMaxIndex(), 9u);

    // Each stored value stands for four samples: the cursor walks 40 samples.
    manager.SetMode(4);
    EXPECT_EQ(manager.GetCount(), 40u);
    index = 0;
    ASSERT_TRUE(manager.GetPrev(&index, &position));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(position, 0);
    struct Case {
        std::int64_t index;
        double stored;
    };
    for (const Case& c : {Case{3, 0.0}, Case{4, 1.0}, Case{7, 1.0}, Case{38, 9.0}, Case{39, 9.0}}) {
        index = c.index;
        ASSERT_TRUE(manager.GetNext(&index, &position)) << c.index;
        EXPECT_EQ(position, ToFixedPoint(c.stored, 0.0, 8.0)) << "sample " << c.index;
        EXPECT_EQ(index, c.index + 1);
    }
    index = 40;
    EXPECT_FALSE(manager.GetNext(&index, &position)) << "past the stretched end";
    double value = 0.0;
    ASSERT_TRUE(manager.GetValue(5, &value));
    EXPECT_EQ(value, 5.0) << "GetValue reads the stored values by their own index";
    manager.ResetRange();
    EXPECT_EQ(manager.GetCount(), 0u);
    manager.RestoreRange();
    EXPECT_EQ(manager.GetCount(), 40u);

    manager.SetMode(0);
    EXPECT_EQ(manager.GetCount(), 10u) << "a step of 0 hands out every sample";
    const double flat = 3.0;
    manager.SetYRange(&flat, &flat);
    index = 5;
    ASSERT_TRUE(manager.GetNext(&index, &position));
    EXPECT_EQ(position, 0) << "a flat display range";

    manager.ResetRange();
    EXPECT_EQ(manager.GetCount(), 0u);
    manager.RestoreRange();
    EXPECT_EQ(manager.GetCount(), 10u);
    manager.Release();
    EXPECT_EQ(manager.GetCount(), 0u);
    EXPECT_TRUE(manager.GetSeries().empty());
}

TEST(ComtradeDataManager, MinMaxAndSecondValue)
{
    CHarmHistDataManager manager;
    std::vector<float> list = {99.0f};
    float maximum = 0.0f, minimum = 0.0f;
    EXPECT_EQ(manager.GetMinMax(list, &maximum, &minimum), 0);
    EXPECT_TRUE(list.empty());

    manager.AddValue(-2.0);
    manager.AddValue(3.5);
    float second = 0.0f;
    EXPECT_EQ(manager.GetSecondValue(&second), 1);
    EXPECT_EQ(second, 3.5f);
    manager.AddValue(1.25);
    EXPECT_EQ(manager.GetSecondValue(&second), 0);
    EXPECT_EQ(manager.GetMinMax(list, &maximum, &minimum), 1);
    EXPECT_EQ(list, (std::vector<float>{0.0f, 3.5f, 1.25f}));
    EXPECT_EQ(maximum, 3.5f);
    EXPECT_EQ(minimum, 1.25f);

    CComtradeDataManager negative;
    negative.AddValue(-1.0);
    EXPECT_EQ(negative.GetMinMax(list, &maximum, &minimum), 0);
    EXPECT_EQ(list, (std::vector<float>{0.0f}));
}

TEST(Percentile95, RankFromSinglePrecision)
{
    struct Case {
        std::uint32_t count;
        std::uint32_t rank;
    };
    for (const Case c : {Case{1, 0}, Case{2, 1}, Case{10, 9}, Case{20, 18}, Case{100, 94}, Case{7, 6}}) {
        std::vector<CalcDatMgr::Pair> pairs;
        for (std::uint32_t i = 0; i < c.count; ++i) {
            pairs.emplace_back(static_cast<float>(c.count - i), i);  // descending, so sorting matters
        }
        CalcDatMgr::Pair result;
        ASSERT_TRUE(Percentile95(pairs, result)) << c.count;
        EXPECT_EQ(result.first, static_cast<float>(c.rank + 1)) << "n = " << c.count;
        EXPECT_EQ(result.second, c.count - 1 - c.rank) << "n = " << c.count;
    }
    CalcDatMgr::Pair result;
    EXPECT_FALSE(Percentile95({}, result));
}

TEST(CalcDatMgr, NumbersTheValues)
{
    CalcDatMgr manager;
    manager.AddValue(1.5);
    manager.AddValue(-2.0);
    ASSERT_EQ(manager.GetPairs().size(), 2u);
    EXPECT_EQ(manager.GetPairs()[1], (CalcDatMgr::Pair{-2.0f, 1u}));
}

TEST(GlobalDataConfig, StatisticPathByKind)
{
    CGlobalDataConfig& config = GlobalDataConfig::get_mutable_instance();
    EXPECT_EQ(&config, &GlobalDataConfig::get_mutable_instance());
    EXPECT_EQ(config.GetKind(), CGlobalDataConfig::Unknown);
    struct Case {
        std::uint32_t kind;
        bool separator;
        const wchar_t* expected;
    };
    const Case cases[] = {{0, false, L"Statistic"},           {3, true, L"Statistic/"},
                          {1, true, L"Statistic/newfiles/"}, {2, false, L"Statistic/newfiles"},
                          {9, true, L"/"},                    {9, false, L""}};
    for (const Case& c : cases) {
        config.SetKind(c.kind);
        EXPECT_EQ(config.GetStatisticPath(c.separator), c.expected) << "kind " << c.kind;
    }
    config.SetKind(CGlobalDataConfig::Unknown);
}

TEST(PhaseMask, PhaseFourIsAlwaysPresent)
{
    EXPECT_TRUE(IsPhaseInMask(0, 4));
    EXPECT_TRUE(IsPhaseInMask(9, 3));
    EXPECT_FALSE(IsPhaseInMask(7, 3));
    EXPECT_TRUE(IsPhaseInMask(1, 32)) << "bit taken modulo 32";
}

}  // namespace
