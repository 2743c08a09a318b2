#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <limits>
#include <numeric>
#include <string>
#include <vector>

#include "report/ReportFormat.h"
#include "report/TrendScale.h"

namespace {

constexpr float kNoTrendValue = -5368709.0f;

// A picture of curves with the given values.
struct Picture {
    std::deque<CZVTrendCurve> curves;
    CZVTrendPic picture{L"t", L"[V]", 0, 600, 60.0};

    explicit Picture(const std::vector<std::vector<float>>& series)
    {
        for (const std::vector<float>& values : series) {
            CZVTrendCurve& curve = curves.emplace_back(L"c", 0, 1.0f, CZVTrendCurve::kMaximum);
            curve.SetValues(values, 0);
            picture.UpdateSummary(curve);
        }
    }
};

TEST(TrendScale, AxisRangesMarginsAndSteps)
{
    struct Case {
        const char* name;
        std::vector<std::vector<float>> series;
        int style;
        double height;
        double minimum, maximum;
        bool flat;
        int decimals;
    };
    const Case cases[] = {
        {"constant curves are flat about their value", {{5, 5, 5}, {5}}, 1, 350, 4.0, 6.0, true, 2},
        {"a span under 0.2 is widened to 9.2 - 12.1, then rounded", {{10.0f, 10.1f}}, 0, 350, 9.2, 12.2, false, 1},
        {"0 to 37: a small margin on top, six steps of 7", {{0, 37}}, 0, 350, 0.0, 42.0, false, 0},
        {"style 1 triples the margin", {{0, 37}}, 1, 350, 0.0, 42.0, false, 0},
        {"the minimum is not taken below 0 for data from 0 up", {{0.5f, 300}}, 1, 350, 0.0, 360.0, false, 0},
        {"negative minima are lowered one unit further", {{-37, 0}}, 0, 350, -39.0, 3.0, false, 0},
        {"a small span keeps its thousandths", {{0.0f, 0.25f}}, 0, 350, 0.0, 0.252, false, 2},
        {"no curve with values is flat at 0", {}, 0, 350, -1.0, 1.0, true, 2},
        {"samples without value take no part", {{kNoTrendValue, 220, 230, kNoTrendValue}}, 0, 350, 219.0, 231.0, false, 0},
    };
    for (const Case& c : cases) {
        const Picture p(c.series);
        const report::TrendAxis axis = report::ComputeTrendAxis(p.picture, c.style, c.height);
        EXPECT_NEAR(axis.minimum, c.minimum, 1e-9) << c.name;
        EXPECT_NEAR(axis.maximum, c.maximum, 1e-9) << c.name;
        EXPECT_EQ(axis.flat, c.flat) << c.name;
        EXPECT_EQ(axis.labelDecimals, c.decimals) << c.name;
    }
}

TEST(TrendScale, MarginsBeforeTheRoundingFollowTheStyle)
{
    // 100 to 1000 over 300 units: the margin is 900 / 300 x 10 = 30 (style 0) or 90
    // (style 1); the axis then rounds to steps of 200 below and above.
    const Picture p({{100, 1000}});
    const report::TrendAxis plain = report::ComputeTrendAxis(p.picture, 0, 300);
    const report::TrendAxis wide = report::ComputeTrendAxis(p.picture, 1, 300);
    EXPECT_EQ(plain.minimum, 0.0) << "70 rounded down to whole hundreds";
    EXPECT_EQ(plain.maximum, 1200.0);
    EXPECT_EQ(wide.minimum, 0.0) << "10 rounded down";
    EXPECT_EQ(wide.maximum, 1200.0);
}

TEST(TrendScale, HugeAndNonNumericValuesNeverOverflow)
{
    const float huge = std::numeric_limits<float>::max();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::vector<std::vector<float>>> inputs = {
        {{-huge, huge}},
        {{1e30f, 1e30f}},
        {{1e30f, 2e30f}},
        {{nan, 1, nan}},
        {{std::numeric_limits<float>::infinity(), 3}},
    };
    for (const auto& series : inputs) {
        const Picture p(series);
        const report::TrendAxis axis = report::ComputeTrendAxis(p.picture, 1, 0);  // a plot without height too
        EXPECT_TRUE(std::isfinite(axis.minimum));
        EXPECT_TRUE(std::isfinite(axis.maximum));
        EXPECT_GT(axis.maximum, axis.minimum);
    }
    EXPECT_EQ(report::ToInt64Clamped(1e300), report::ToInt64Clamped(9.3e18));
    EXPECT_EQ(report::ToInt64Clamped(std::nan("")), 0);
    EXPECT_EQ(report::ToInt64Clamped(-2.9), -2);
    EXPECT_EQ(report::AddClamped(std::numeric_limits<std::int64_t>::max() - 1, 5),
              std::numeric_limits<std::int64_t>::max());
}

TEST(TrendScale, CurvesReduceToFiveHundredBucketsByKind)
{
    // 2000 samples: sample i holds i, so each of the 500 buckets holds four
    // consecutive values 4b .. 4b + 3.
    std::vector<float> values(2000);
    std::iota(values.begin(), values.end(), 0.0f);
    struct Case {
        std::uint32_t kind;
        double first;  // value of bucket 0
        double last;   // value of bucket 499
    };
    for (const Case c : {Case{CZVTrendCurve::kMaximum, 3, 1999}, Case{CZVTrendCurve::kMinimum, 0, 1996},
                         Case{CZVTrendCurve::kAverage, 1.5, 1997.5}, Case{CZVTrendCurve::kMiddle, 1, 1997}}) {
        const std::vector<report::PlotPoint> points = report::ReduceCurve(values, c.kind);
        ASSERT_EQ(points.size(), 500u) << c.kind;
        EXPECT_EQ(points.front().value, c.first) << c.kind;
        EXPECT_EQ(points.back().value, c.last) << c.kind;
        EXPECT_EQ(points.back().position, 1997) << "the bucket's middle sample places it";
    }
}

TEST(TrendScale, BucketsCoverEverySampleOnce)
{
    // Uneven counts: the buckets still reach the last sample, which alone is 1.
    for (const std::size_t count : {501u, 1001u, 1999u, 12345u}) {
        std::vector<float> values(count, 0.0f);
        values.back() = 1.0f;
        const std::vector<report::PlotPoint> points = report::ReduceCurve(values, CZVTrendCurve::kMaximum);
        ASSERT_EQ(points.size(), 500u) << count;
        EXPECT_EQ(points.back().value, 1.0) << count;
        double ones = 0;
        for (const report::PlotPoint& p : points) {
            ones += p.value;
        }
        EXPECT_EQ(ones, 1.0) << count << ": only one bucket holds the last sample";
    }
}

TEST(TrendScale, ShortCurvesKeepEverySampleAndBreakAtSamplesWithoutValue)
{
    const std::vector<report::PlotPoint> points =
        report::ReduceCurve({1.23456f, kNoTrendValue, -0.0004f}, CZVTrendCurve::kMaximum);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_TRUE(points[0].valid);
    EXPECT_NEAR(points[0].value, 1.234, 1e-12) << "truncated to three decimals";
    EXPECT_FALSE(points[1].valid);
    EXPECT_EQ(points[2].value, 0.0);
    EXPECT_TRUE(report::ReduceCurve({}, CZVTrendCurve::kMaximum).empty());

    std::vector<float> gap(1000, kNoTrendValue);
    gap[999] = 2;
    const std::vector<report::PlotPoint> reduced = report::ReduceCurve(gap, CZVTrendCurve::kAverage);
    EXPECT_FALSE(reduced[0].valid) << "a bucket without any value is a gap";
    EXPECT_TRUE(reduced[499].valid);
    EXPECT_EQ(reduced[499].value, 2.0);
}

TEST(TrendScale, ValueTexts)
{
    struct Case {
        double value;
        int decimals;
        const wchar_t* text;
    };
    for (const Case c : {Case{-0.0001, 3, L"0.000"}, Case{-0.0, 0, L"0"}, Case{-0.04, 1, L"0.0"},
                         Case{-0.004, 2, L"0.00"}, Case{-0.05, 1, L"-0.1"}, Case{1234.5678, 3, L"1234.568"},
                         Case{std::nan(""), 2, L"--"}}) {
        EXPECT_EQ(report::FixNegativeZero(report::FormatFixed(c.value, c.decimals)), c.text) << c.value;
    }
    EXPECT_EQ(report::ValueText(-0.0002f), L"0.000");
    EXPECT_EQ(report::FormatCounts(L"统计暂态告警信息:%d / %d", {32, 40}), L"统计暂态告警信息:32 / 40");
    EXPECT_EQ(report::FormatCounts(L"%s %d %n %d", {1}), L"%s 1 %n %d") << "only as many numbers as given";
}

}  // namespace
