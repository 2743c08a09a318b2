#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "report/PicOutputDataMgr.h"
#include "report/ZVHarmPic.h"
#include "report/ZVTrendPic.h"

namespace {

constexpr float kNoPictureValue = -5368709.0f;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(PictureRecords, CurveExtremesAndTheFirstLargestValue)
{
    struct Case {
        const char* name;
        std::vector<float> values;
        float offset;
        float maximum, minimum;
        std::uint64_t maxIndex;
    };
    const Case cases[] = {
        {"first largest wins", {-1, 5, 5, 2}, 0, 5, -1, 1},
        {"all equal", {3, 3, 3}, 0, 3, 3, 0},
        {"offset taken off", {10, 12, 11}, 10, 2, 0, 1},
        {"samples without value keep their place", {kNoPictureValue, 4, kNaN, 7, kNoPictureValue}, 0, 7, 4, 3},
    };
    for (const Case& c : cases) {
        CZVTrendCurve curve(L"c", 0, 1.0f, CZVTrendCurve::kMaximum);
        curve.SetValues(c.values, c.offset);
        EXPECT_EQ(curve.values.size(), c.values.size()) << c.name;
        EXPECT_EQ(curve.maximum, c.maximum) << c.name;
        EXPECT_EQ(curve.minimum, c.minimum) << c.name;
        EXPECT_EQ(curve.maxIndex, c.maxIndex) << c.name;
        EXPECT_TRUE(curve.HasValues()) << c.name;
    }
    CZVTrendCurve curve(L"c", 0, 1.0f, CZVTrendCurve::kMaximum);
    curve.SetValues({kNoPictureValue, kNoPictureValue}, 0);
    EXPECT_FALSE(curve.HasValues()) << "no sample with value gives no extremes";
    EXPECT_EQ(curve.values[0], kNoPictureValue) << "the marker is not shifted by an offset";
}

TEST(PictureRecords, AnEmptySourceKeepsTheCurveAsItWas)
{
    CZVTrendCurve curve(L"c", 0, 1.0f, CZVTrendCurve::kMaximum);
    curve.SetValues({1, 9, 4}, 0);
    curve.SetValues({}, 0);
    EXPECT_EQ(curve.values, (std::vector<float>{1, 9, 4}));
    EXPECT_EQ(curve.maximum, 9);
    EXPECT_EQ(curve.maxIndex, 1u);
}

TEST(PictureRecords, SummaryTakesEachCurvesValueByItsKind)
{
    CZVTrendCurve maximum(L"max", 0, 1, CZVTrendCurve::kMaximum);
    maximum.SetValues({1, 8, 3}, 0);
    CZVTrendCurve minimum(L"min", 0, 1, CZVTrendCurve::kMinimum);
    minimum.SetValues({-2, 0, 1}, 0);
    CZVTrendCurve average(L"avg", 0, 1, CZVTrendCurve::kAverage);
    average.SetValues({1, kNoPictureValue, 2}, 0);
    CZVTrendCurve middle(L"mid", 0, 1, CZVTrendCurve::kMiddle);
    middle.SetValues({100}, 0);

    CZVTrendPic picture(L"t", L"[V]", 1000, 1180, 60.0);
    for (const CZVTrendCurve* curve : {&minimum, &middle, &maximum, &average}) {
        picture.UpdateSummary(*curve);
    }
    EXPECT_EQ(picture.summaryMax, 8);
    EXPECT_EQ(picture.maxTime, 1060) << "start + index of the maximum x step";
    EXPECT_EQ(picture.summaryMin, -2);
    EXPECT_EQ(picture.summaryAvg, 1.5f) << "the sample without value is not averaged";
    EXPECT_EQ(picture.curves, (std::vector<const CZVTrendCurve*>{&minimum, &middle, &maximum, &average}));
    EXPECT_EQ(picture.LongestCount(), 3u);

    CZVTrendPic withoutMaximum(L"t", L"", 1000, 2000, 60.0);
    withoutMaximum.UpdateSummary(minimum);
    EXPECT_EQ(withoutMaximum.maxTime, 0);

    // A step that is not a number or beyond the time range leaves the maximum at the start.
    for (const double step : {std::nan(""), 1e300}) {
        CZVTrendPic odd(L"t", L"", 1000, 2000, step);
        odd.UpdateSummary(maximum);
        EXPECT_EQ(odd.maxTime, 1000) << step;
    }
}

TEST(PictureRecords, HarmonicExtremesSkipValuesWithoutNumber)
{
    CZVHarmPic empty(L"t", L"[%]", {});
    empty.AddValues(CZVHarmSeries(L"1"));
    EXPECT_EQ(empty.maximum, -1e8f);
    EXPECT_EQ(empty.minimum, 1e8f);
    EXPECT_FALSE(empty.HasValues());
    EXPECT_EQ(empty.series.size(), 1u);

    CZVHarmPic picture(L"t", L"[%]", {{0x0000FF, L"max"}, {0x00FF00, L"min"}});
    CZVHarmSeries first(L"1");
    first.AddValue(5, 0);
    first.AddValue(kNaN, 1);
    first.AddValue(std::numeric_limits<float>::infinity(), 0);
    first.AddValue(kNoPictureValue, 1);
    first.AddValue(2, 1);
    EXPECT_EQ(first.maximum, 5);
    EXPECT_EQ(first.minimum, 2);
    EXPECT_EQ(first.values.size(), 5u) << "every bar keeps its place";
    picture.AddValues(first);
    CZVHarmSeries second(L"2");
    second.AddValue(9, 0);
    second.AddValue(-1, 7);  // names no legend item
    picture.AddValues(second);
    EXPECT_EQ(picture.maximum, 9);
    EXPECT_EQ(picture.minimum, -1);
    EXPECT_EQ(picture.GetGroupLabel(1), L"2");
    EXPECT_EQ(picture.GetGroupLabel(5), L"");
    EXPECT_EQ(picture.GetItemName(1), L"min");
    EXPECT_EQ(picture.GetBarColor(0, 0), 0x0000FFu);
    EXPECT_EQ(picture.GetBarColor(0, 4), 0x00FF00u);
    EXPECT_FALSE(picture.GetBarColor(1, 1).has_value());
    EXPECT_FALSE(picture.GetBarColor(2, 0).has_value());
}

TEST(PictureRecords, TheSinkKeepsEveryValueAndOffersTheWholeRange)
{
    CPicOutputDataMgr sink;
    for (const double v : {1.5, -5368709.0, 1e40}) {
        EXPECT_TRUE(sink.AddValue(v));
    }
    ASSERT_EQ(sink.GetValues().size(), 3u);
    EXPECT_EQ(sink.GetValues()[1], kNoPictureValue);
    EXPECT_TRUE(std::isinf(sink.GetValues()[2])) << "narrowed to a float";
    std::int64_t first = 7;
    std::int64_t second = 7;
    sink.GetRange(&first, &second);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, -1);
    EXPECT_EQ(sink.GetCount(), 0u) << "nothing to read back";
    sink.Clear();
    EXPECT_TRUE(sink.GetValues().empty());
}

}  // namespace
