// The bar chart apart from its window: grouping, value axis, bar geometry, hit
// tests, label switching and the picture.
#include <gtest/gtest.h>

#include <cmath>

#include "controls/BarChart.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using controls::BarChart;
using controls::ChartLayout;

constexpr gfx::Color kRed{255, 0, 0};
constexpr gfx::Color kGreen{0, 255, 0};
constexpr gfx::Color kBlue{0, 0, 255};

BarChart Harmonics(std::size_t seriesCount, const std::vector<double>& values)
{
    BarChart chart;
    const gfx::Color colors[] = {kRed, kGreen, kBlue};
    const wchar_t* names[] = {L"最大值", L"最小值", L"平均值"};
    for (std::size_t s = 0; s < seriesCount; ++s) {
        controls::ChartSeries& series = chart.AddSeries(names[s], colors[s]);
        for (std::size_t p = 0; p < values.size(); ++p) {
            series.points.push_back({std::to_wstring(p + 2), values[p] * static_cast<double>(seriesCount - s)});
        }
    }
    return chart;
}

TEST(BarChart, StepsAndLabels)
{
    struct Case {
        double span;
        double step;
    };
    const Case steps[] = {{1.0, 0.2}, {7.0, 2.0}, {230.0, 50.0}, {0.004, 0.001}, {0.0, 1.0}};
    for (const Case& c : steps) {
        EXPECT_NEAR(BarChart::NiceStep(c.span, 5), c.step, c.step * 1e-9) << "span " << c.span;
    }
    struct Label {
        const wchar_t* format;
        double value;
        const wchar_t* text;
    };
    const Label labels[] = {{L"%.3f", 2.5, L"2.500"},  {L"%.1f", -0.04, L"0.0"},  {L"%.0f", 229.6, L"230"},
                            {L"%d", 1.23456, L"1.235"}, {L"%.3f", -1.0, L"-1.000"}};
    for (const Label& l : labels) {
        EXPECT_EQ(BarChart::FormatLabel(l.format, l.value), l.text) << static_cast<const void*>(l.format);
    }
}

// Group and bar arithmetic: groups share the plot's width, a group's bars take 70 %
// of it side by side in series order, the value axis holds 0 and every value.
TEST(BarChart, LayoutOfGroupsAndBars)
{
    struct Case {
        const char* row;
        std::size_t series;
        std::vector<double> values;
        double minimum, maximum;
    };
    const Case cases[] = {
        {"one series, one order", 1, {3.0}, 0.0, 3.0},
        {"three series, five orders", 3, {1.0, 2.0, 0.5, 4.0, 0.25}, 0.0, 12.0},
        {"negative values", 2, {-1.5, 2.0}, -3.0, 4.0},
    };
    gfx::Bitmap bitmap(600, 300);
    gfx::Context context(bitmap);
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, 600, 300);
    for (const Case& c : cases) {
        const BarChart chart = Harmonics(c.series, c.values);
        const ChartLayout layout = chart.Layout(context, client);
        EXPECT_LE(layout.minimum, c.minimum) << c.row;
        EXPECT_GE(layout.maximum, c.maximum) << c.row;
        EXPECT_GT(layout.minimum, c.minimum - layout.step) << c.row << ": no empty step below";
        EXPECT_LT(layout.maximum, c.maximum + layout.step) << c.row << ": no empty step above";
        ASSERT_EQ(layout.bars.size(), c.series * c.values.size()) << c.row;
        EXPECT_NEAR(layout.groupWidth, layout.plot.Width() / static_cast<double>(c.values.size()), 1e-9) << c.row;
        const double barWidth = layout.groupWidth * BarChart::kGroupFill / static_cast<double>(c.series);
        const double span = layout.maximum - layout.minimum;
        const double zero = layout.plot.bottom - (0.0 - layout.minimum) / span * layout.plot.Height();
        for (const ChartLayout::Bar& bar : layout.bars) {
            const double value = chart.Series()[bar.series].points[bar.point].value;
            const double left = layout.plot.left + static_cast<double>(bar.point) * layout.groupWidth +
                                layout.groupWidth * 0.15 + static_cast<double>(bar.series) * barWidth;
            EXPECT_NEAR(bar.rect.left, left, 1e-6) << c.row;
            EXPECT_NEAR(bar.rect.Width(), barWidth, 1e-6) << c.row;
            EXPECT_NEAR(bar.rect.Height(), std::fabs(value) / span * layout.plot.Height(), 1e-6) << c.row;
            EXPECT_NEAR(value >= 0 ? bar.rect.bottom : bar.rect.top, zero, 1e-6) << c.row << ": from the zero line";
        }
    }
}

TEST(BarChart, ArgumentsGroupByFirstAppearanceAndCrowdedLabelsThin)
{
    BarChart chart;
    chart.AddSeries(L"a", kRed).points = {{L"THD", 1.0}, {L"2", 2.0}};
    chart.AddSeries(L"b", kBlue).points = {{L"2", 1.0}, {L"DC", 3.0}};
    EXPECT_EQ(chart.Arguments(), (std::vector<std::wstring>{L"THD", L"2", L"DC"}));

    BarChart crowded;
    controls::ChartSeries& series = crowded.AddSeries(L"a", kRed);
    for (int order = 0; order < 50; ++order) {
        series.points.push_back({L"order " + std::to_wstring(order), 1.0});
    }
    gfx::Bitmap bitmap(300, 200);
    gfx::Context context(bitmap);
    const ChartLayout layout = crowded.Layout(context, gfx::Rect::FromSize(0, 0, 300, 200));
    EXPECT_GT(layout.argumentLabelEvery, 1);
    context.SetFont(crowded.font);
    EXPECT_GE(layout.argumentLabelEvery * layout.groupWidth, context.TextExtent(L"order 49").width)
        << "shown labels do not overlap";
}

// The legend, bars in their colours and the titles, all glyphs found.
TEST(BarChart, DrawsBarsLegendAndTitles)
{
    BarChart chart = Harmonics(3, {2.0, 1.0});
    chart.legendVisible = true;
    chart.valueTitle = {true, L"电压谐波[V](L1)"};
    chart.argumentTitle = {false, L"hidden"};
    chart.Series()[0].labelsVisible = true;
    gfx::Bitmap bitmap(500, 300);
    gfx::Context context(bitmap);
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, 500, 300);
    chart.Draw(context, client);
    const ChartLayout layout = chart.Layout(context, client);
    ASSERT_FALSE(layout.legend.IsEmpty());
    for (const ChartLayout::Bar& bar : layout.bars) {
        const int x = static_cast<int>((bar.rect.left + bar.rect.right) / 2.0);
        const int y = static_cast<int>((bar.rect.top + bar.rect.bottom) / 2.0);
        EXPECT_TRUE(gfxtest::PixelNear(bitmap, x, y, chart.Series()[bar.series].color, 0)) << bar.series;
    }
    EXPECT_GT(gfxtest::CountOtherThan(bitmap, static_cast<int>(layout.legend.left) + 1,
                                      static_cast<int>(layout.legend.top) + 1, static_cast<int>(layout.legend.right) - 1,
                                      static_cast<int>(layout.legend.bottom) - 1, gfx::Color{255, 255, 255}),
              50)
        << "legend entries drawn";
    EXPECT_GT(layout.plot.left, 20.0) << "room for the turned value title";
    for (const std::wstring text : {L"最大值", L"最小值", L"平均值", L"电压谐波[V](L1)", L"2.000", L"CP95值"}) {
        EXPECT_EQ(gfx::MissingGlyphCount(text, chart.font), 0) << "glyphs of the chart font";
    }
}

// Moving over a bar shows that bar's series labels and hides the others'.
TEST(BarChart, HitTestFindsTheBarUnderThePoint)
{
    BarChart chart = Harmonics(3, {2.0, 1.0});
    gfx::Bitmap bitmap(500, 300);
    gfx::Context context(bitmap);
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, 500, 300);
    const ChartLayout layout = chart.Layout(context, client);
    for (const ChartLayout::Bar& bar : layout.bars) {
        const gfx::Point center{(bar.rect.left + bar.rect.right) / 2.0, (bar.rect.top + bar.rect.bottom) / 2.0};
        const std::optional<ChartLayout::Bar> hit = chart.HitTest(context, client, center);
        ASSERT_TRUE(hit);
        EXPECT_EQ(hit->series, bar.series);
        EXPECT_EQ(hit->point, bar.point);
    }
    EXPECT_FALSE(chart.HitTest(context, client, {1.0, 1.0}));
    chart.ShowLabelsOf(1);
    EXPECT_FALSE(chart.Series()[0].labelsVisible);
    EXPECT_TRUE(chart.Series()[1].labelsVisible);
    EXPECT_FALSE(chart.Series()[2].labelsVisible);
}

}  // namespace
