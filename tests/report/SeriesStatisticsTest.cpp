#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "report/SeriesStatistics.h"
#include "report/ZVReportUtil.h"

namespace {

constexpr float kNoSeriesValue = -5368709.0f;
const float kNan = std::numeric_limits<float>::quiet_NaN();

std::vector<float> Ramp(int count, float first = 1.0f)
{
    std::vector<float> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(first + static_cast<float>(i));
    }
    return values;
}

TEST(SeriesStatistics, NinetyFifthPercentile)
{
    struct Case {
        const char* name;
        std::vector<float> values;
        float expected;
    };
    std::vector<float> shuffled20 = Ramp(20);
    std::swap(shuffled20[0], shuffled20[19]);
    std::swap(shuffled20[3], shuffled20[11]);
    const Case cases[] = {
        {"empty", {}, 0.0f},
        {"one value", {7.5f}, 7.5f},
        {"10 values: the 10th smallest", {10, 9, 8, 7, 6, 5, 4, 3, 2, 1}, 10.0f},
        {"20 values: the 19th smallest", shuffled20, 19.0f},
        {"no-value samples are not ranked", {kNoSeriesValue, 3, kNoSeriesValue, 1, 2}, 3.0f},
        {"only no-value samples", {kNoSeriesValue, kNoSeriesValue}, 0.0f},
        {"values that are not numbers are not ranked", {kNan, 2, 1, kNan}, 2.0f},
        {"negative values rank below zero", {-3, -1, -2}, -1.0f},
    };
    for (const Case& c : cases) {
        std::vector<float> values = c.values;
        EXPECT_EQ(GetCP95(values), c.expected) << c.name;
        // Reporters pair the samples by index afterwards: the series keeps its order.
        ASSERT_EQ(values.size(), c.values.size()) << c.name;
        for (std::size_t i = 0; i < values.size(); ++i) {
            EXPECT_TRUE(values[i] == c.values[i] || (std::isnan(values[i]) && std::isnan(c.values[i]))) << c.name;
        }
    }
}

TEST(SeriesStatistics, ExtremesMeanAndCountsLeaveOutSamplesWithoutValue)
{
    struct Case {
        const char* name;
        std::vector<float> values;
        float maximum, minimum, mean;
        std::uint32_t count, overTwo;
    };
    const Case cases[] = {
        {"empty", {}, 0, 0, 0, 0, 0},
        {"plain", {1, 4, 2, 3}, 4, 1, 2.5f, 4, 2},
        {"no-value samples", {kNoSeriesValue, 1, kNoSeriesValue, 3, kNoSeriesValue}, 3, 1, 2, 2, 1},
        {"only no-value samples", {kNoSeriesValue}, 0, 0, 0, 0, 0},
        {"not a number, infinity", {kNan, 5, std::numeric_limits<float>::infinity()}, 5, 5, 5, 1, 1},
        {"all below the old running start", {-2e9f, -3e9f}, -2e9f, -3e9f, -2.5e9f, 2, 0},
        {"all above the old running start", {2e10f, 3e10f}, 3e10f, 2e10f, 2.5e10f, 2, 2},
        {"a sample equal to the limit passes", {2, 2, 2.0001f}, 2.0001f, 2, 2.0000334f, 3, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SeriesMax(c.values), c.maximum) << c.name;
        EXPECT_EQ(SeriesMin(c.values), c.minimum) << c.name;
        EXPECT_FLOAT_EQ(SeriesMean(c.values), c.mean) << c.name;
        EXPECT_EQ(SeriesCount(c.values), c.count) << c.name;
        EXPECT_EQ(CountOver(c.values, 2.0f), c.overTwo) << c.name;
    }
}

TEST(SeriesStatistics, CopyNonNegativeValues)
{
    std::vector<float> destination = {9, 9};
    CopyNonNegativeValues({0.5f, -0.1f, 0.0f, kNoSeriesValue, kNan, 2.0f}, destination);
    EXPECT_EQ(destination, (std::vector<float>{0.5f, 0.0f, 2.0f}));
}

TEST(SeriesStatistics, UnbalanceJudgesAverageAndMaximumOfTheSameInterval)
{
    struct Case {
        const char* name;
        std::vector<float> maximum, average;
        std::uint32_t over;
    };
    const Case cases[] = {
        {"within both limits", {4.0f, 3.9f}, {2.0f, 1.0f}, 0},
        {"maximum above 4.0", {4.1f, 1.0f}, {1.0f, 1.0f}, 1},
        {"average above 2.0", {3.0f, 3.0f}, {2.1f, 1.0f}, 1},
        {"magnitudes count", {-4.5f, 1.0f}, {1.0f, -2.5f}, 2},
        {"a shorter average series judges the rest by the maximum", {1.0f, 1.0f, 5.0f}, {3.0f}, 2},
        {"an interval without maximum is no test", {kNoSeriesValue, 1.0f}, {9.0f, 1.0f}, 0},
        {"an average without value is judged by the maximum", {1.0f, 4.5f}, {kNoSeriesValue, kNoSeriesValue}, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountUnbalanceOver(c.maximum, c.average), c.over) << c.name;
    }
    EXPECT_TRUE(IsUnbalancePass(2.0f, 4.0f));
    EXPECT_TRUE(IsUnbalancePass(1.5f, 3.0f)) << "the maximum is held against 4.0, as the limit text says";
    EXPECT_FALSE(IsUnbalancePass(2.01f, 1.0f));
    EXPECT_FALSE(IsUnbalancePass(1.0f, 4.01f));
}

TEST(ZVReportUtil, FormatValue3RoundsHalfAwayFromZero)
{
    struct Case {
        float value;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {-1.2345f, L"-1.235"},
        {2.0004f, L"2.000"},
        {0.0005f, L"0.001"},
        {-0.0001f, L"0.000"},
        {2147484.5f, L"2147484.500"},   // its thousandfold passes the 32-bit range
        {3.0e9f, L"3000000000.000"},
        {1.0e30f, L"1000000015047466219876688855040.000"},  // beyond 64 bits: written as it is
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CZVReportUtil::FormatValue3(c.value), c.expected) << c.value;
    }
    EXPECT_EQ(CZVReportUtil::AbsValue(-2.5f), 2.5);
}

}  // namespace
