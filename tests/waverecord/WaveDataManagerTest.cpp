// The wave data manager over a data set: values as fixed-point positions of the
// viewer, values that have no position, the walk over the series, extremes and mean.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/waverecord/FakeDataSet.h"
#include "waverecord/WaveDataManager.h"

namespace {

using wavetest::FakeDataSet;

TEST(WaveDataManager, MapsValuesOntoTheRangeWithoutUnsafeConversions)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        float low, high, value;
        std::int64_t position;
    };
    const Case cases[] = {
        {"middle", 0.0f, 1.0f, 0.5f, 2147483648LL},
        {"top", 0.0f, 1.0f, 1.0f, 4294967296LL},
        {"bottom", 0.0f, 1.0f, 0.0f, 0},
        {"below the range stays signed", 0.0f, 1.0f, -1.0f, -4294967296LL + 1},
        {"far below is clamped", 0.0f, 1.0f, -3.0e38f, std::numeric_limits<std::int64_t>::min()},
        {"far above is clamped", 0.0f, 1.0f, 3.0e38f, std::numeric_limits<std::int64_t>::max()},
        {"not a number", 0.0f, 1.0f, NAN, kNoValuePosition},
        {"infinite", 0.0f, 1.0f, inf, kNoValuePosition},
        {"flat range", 5.0f, 5.0f, 7.0f, 0},
        {"range of infinities", -inf, inf, 1.0f, kNoValuePosition},
    };
    for (const Case& c : cases) {
        CWaveDataManager manager;
        manager.SetValueRange(c.low, c.high);
        EXPECT_EQ(manager.ToPosition(c.value), c.position) << c.name;
    }
}

TEST(WaveDataManager, RoundsToTenDecimalsBeforeScaling)
{
    CWaveDataManager manager;
    manager.SetValueRange(0.0f, 1.0f);
    // 0.9876543211 after rounding, a float away from what the raw value would give.
    const float value = 0.987654321098765f;
    const double rounded = std::floor((double(value) + 5e-11) * 1e10) / 1e10;
    EXPECT_EQ(manager.ToPosition(value), static_cast<std::int64_t>(rounded * 4294967296.0 + 0.5));
}

TEST(WaveDataManager, WalksTheSeriesAndMarksWhatCannotBeRead)
{
    FakeDataSet set({1.0f, NAN, 3.0f, 4.0f});
    set.FailAt(2);
    CWaveDataManager manager{CWaveSeriesDescriptor(&set)};
    manager.SetValueRange(0.0f, 4.0f);
    EXPECT_EQ(manager.GetCount(), 4u);

    std::int64_t index = 0;
    std::int64_t position = 0;
    const std::int64_t expected[] = {1073741824, kNoValuePosition, kNoValuePosition, 4294967296};
    for (std::int64_t want : expected) {
        ASSERT_TRUE(manager.GetNext(&index, &position)) << index;
        EXPECT_EQ(position, want) << index;
    }
    EXPECT_EQ(index, 4);
    EXPECT_FALSE(manager.GetNext(&index, &position)) << "past the end";
    EXPECT_EQ(index, 4) << "the index stays past the end";

    index = 3;
    ASSERT_TRUE(manager.GetPrev(&index, &position));
    EXPECT_EQ(index, 2);
    index = -1;
    EXPECT_FALSE(manager.GetPrev(&index, &position));
    EXPECT_EQ(index, -1);

    double value = 0.0;
    EXPECT_TRUE(manager.GetValue(3, &value));
    EXPECT_EQ(value, 4.0);
    EXPECT_FALSE(manager.GetValue(2, &value)) << "a read that fails";
}

TEST(WaveDataManager, WithoutADataSetReadsNothing)
{
    CWaveDataManager manager;
    std::int64_t index = 0, position = 0;
    float minimum = 0.0f, maximum = 0.0f;
    EXPECT_EQ(manager.GetCount(), 0u);
    EXPECT_FALSE(manager.GetNext(&index, &position));
    EXPECT_FALSE(manager.GetMinMax(&minimum, &maximum));
    EXPECT_FALSE(manager.GetMean(&minimum));

    FakeDataSet set({1.0f});
    CWaveDataManager released{CWaveSeriesDescriptor(&set)};
    released.Release();
    EXPECT_EQ(released.GetCount(), 0u) << "a released manager forgets its series";
}

TEST(WaveDataManager, ExtremesAndMean)
{
    struct Case {
        const char* name;
        std::vector<float> values;
        float minimum, maximum;
        bool hasMean;
        float mean;
    };
    const Case cases[] = {
        {"odd count", {3.0f, -1.0f, 7.0f, 2.0f, 5.0f}, -1.0f, 7.0f, true, 3.2f},
        {"even count", {4.0f, 9.0f, -2.0f, 1.0f}, -2.0f, 9.0f, true, 3.0f},
        {"one value", {6.5f}, 6.5f, 6.5f, true, 6.5f},
        {"empty: the unread pair counts as zeros", {}, 0.0f, 0.0f, false, 0.0f},
    };
    for (const Case& c : cases) {
        FakeDataSet set(c.values);
        CWaveDataManager manager{CWaveSeriesDescriptor(&set)};
        float minimum = 1.0f, maximum = 1.0f, mean = 42.0f;
        ASSERT_TRUE(manager.GetMinMax(&minimum, &maximum)) << c.name;
        EXPECT_EQ(minimum, c.minimum) << c.name;
        EXPECT_EQ(maximum, c.maximum) << c.name;
        EXPECT_EQ(manager.GetMean(&mean), c.hasMean) << c.name;
        EXPECT_FLOAT_EQ(mean, c.hasMean ? c.mean : 42.0f) << c.name << ": no mean leaves the output alone";
    }
}

TEST(WaveDataManager, ClampsItsDataSetToARange)
{
    FakeDataSet set({1.0f, 2.0f, 3.0f, 4.0f, 5.0f});
    CWaveDataManager manager{CWaveSeriesDescriptor(&set)};
    std::int64_t first = 1, last = 3;
    EXPECT_TRUE(manager.ClampRange(&first, &last));
    EXPECT_EQ(manager.GetCount(), 2u);
    float mean = 0.0f;
    EXPECT_TRUE(manager.GetMean(&mean));
    EXPECT_FLOAT_EQ(mean, 2.5f);
    std::int64_t start = 0, end = 0;
    EXPECT_TRUE(manager.GetRange(&start, &end));
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 3);
}

}  // namespace
