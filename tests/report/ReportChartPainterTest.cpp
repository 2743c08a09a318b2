#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "report/ReportChartPainter.h"
#include "tests/gfx/PixelAssert.h"

namespace {

constexpr std::uint32_t kRedRef = 0x0000FF;
constexpr std::uint32_t kGreenRef = 0x00B400;
constexpr std::uint32_t kBlueRef = 0xFF0000;
constexpr std::uint32_t kBrownRef = 0x577AB9;

// A 1000 x 432 picture surface with the painter set as the picture builders set it.
struct Surface {
    gfx::Bitmap bitmap{1000, 432};
    gfx::Context context{bitmap};
    CReportChartPainter painter;

    Surface()
    {
        context.FillRect(gfx::Rect{0, 0, 1000, 432}, gfx::Color{255, 255, 255});
        painter.Set(&context, -10, 992, 1, 332);
    }
};

// A harmonic picture of `orders` groups; order o has the bars value(o, 0..3).
template <typename Value>
CZVHarmPic HarmPicture(std::size_t orders, Value value)
{
    CZVHarmPic picture(L"-电压谐波含有率", L"[%]",
                       {{kRedRef, L"最大值"}, {kGreenRef, L"最小值"}, {kBlueRef, L"平均值"}, {kBrownRef, L"95%概率值"}});
    for (std::size_t o = 1; o <= orders; ++o) {
        CZVHarmSeries series(std::to_wstring(o));
        for (std::uint32_t i = 0; i < 4; ++i) {
            series.AddValue(value(o, i), i);
        }
        picture.AddValues(series);
    }
    return picture;
}

TEST(ReportChartPainter, PercentAxisAndTheClampAtOneHundredNineteenPointNine)
{
    Surface s;
    const CZVHarmPic picture = HarmPicture(24, [](std::size_t o, std::uint32_t i) {
        return o == 1 ? (i == 0 ? 150.0f : 100.0f) : 2.0f;
    });
    const CReportChartPainter::HarmLayout layout = s.painter.ComputeHarmLayout(picture, 1);
    EXPECT_EQ(layout.minimum, 0.0);
    EXPECT_EQ(layout.maximum, 120.0);
    EXPECT_EQ(CReportChartPainter::HarmAxisLabels(layout, 1),
              (std::vector<std::wstring>{L"120", L"100", L"80", L"60", L"40", L"20", L"0.0"}));
    ASSERT_EQ(layout.bars.size(), 96u);
    const double plotHeight = layout.plot.Height();
    EXPECT_NEAR(layout.bars[0].rect.Height(), 119.9 / 120.0 * plotHeight, 1e-3) << "150 % drawn as 119.9 %";
    EXPECT_NEAR(layout.bars[1].rect.Height(), 100.0 / 120.0 * plotHeight, 1e-3);
    for (const CReportChartPainter::HarmBar& bar : layout.bars) {
        EXPECT_EQ(bar.rect.bottom, layout.plot.bottom) << "bars stand on the plot's bottom";
        EXPECT_GE(bar.rect.top, layout.plot.top);
    }
}

TEST(ReportChartPainter, GroupsShareThePlotAndBarsStandSideBySide)
{
    Surface s;
    const CZVHarmPic picture = HarmPicture(24, [](std::size_t o, std::uint32_t i) { return static_cast<float>(o + i); });
    const CReportChartPainter::HarmLayout layout = s.painter.ComputeHarmLayout(picture, 0);
    EXPECT_EQ(layout.plot.left, 80.0);
    EXPECT_EQ(layout.plot.right, 982.0);
    ASSERT_EQ(layout.groups.size(), 24u);
    const double groupWidth = 902.0 / 24.0;
    for (std::size_t g = 0; g < 24; ++g) {
        EXPECT_NEAR(layout.groups[g].left, 80.0 + groupWidth * static_cast<double>(g), 1e-9);
    }
    ASSERT_EQ(layout.bars.size(), 96u);
    const std::vector<gfx::Color> colors = {{255, 0, 0}, {0, 180, 0}, {0, 0, 255}, {185, 122, 87}};
    for (std::size_t j = 0; j < 4; ++j) {
        const CReportChartPainter::HarmBar& bar = layout.bars[4 * 5 + j];  // order 6
        EXPECT_EQ(bar.group, 5u);
        EXPECT_EQ(bar.rect.Width(), 8.0);
        EXPECT_NEAR(bar.rect.left, layout.bars[20].rect.left + 8.0 * static_cast<double>(j), 1e-9);
        EXPECT_EQ(bar.color, colors[j]) << "the colour of the legend item the bar names";
    }
    // The axis: the largest value plus a margin of span / plot height x 40.
    const double span = 27.0 - 1.0;
    EXPECT_NEAR(layout.maximum, 27.0 + span / layout.plot.Height() * 40.0, 1e-4);
    EXPECT_EQ(layout.minimum, 1.0);
    EXPECT_EQ(layout.upperDecimals, 2);
    EXPECT_NEAR(layout.bars[0].rect.Height(), 0.0, 1e-9) << "the smallest value stands at the bottom";

    // Fifty orders do not fit eight-unit bars: they narrow to share their group.
    const CZVHarmPic many = HarmPicture(50, [](std::size_t, std::uint32_t) { return 1.0f; });
    const CReportChartPainter::HarmLayout narrow = s.painter.ComputeHarmLayout(many, 1);
    EXPECT_NEAR(narrow.bars[0].rect.Width(), 902.0 / 50.0 / 4.0, 1e-9);
    EXPECT_LE(narrow.bars[3].rect.right, narrow.groups[0].right + 1e-9);
}

TEST(ReportChartPainter, RangesOfEqualSmallAndMissingValues)
{
    Surface s;
    struct Case {
        const char* name;
        CZVHarmPic picture;
        double minimum, maximum;
        int decimals;
        std::size_t bars;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Case cases[] = {
        {"equal values: minimum to minimum + 6", HarmPicture(24, [](std::size_t, std::uint32_t) { return 3.0f; }), 3, 9,
         2, 96},
        {"small values get four decimals", HarmPicture(24, [](std::size_t o, std::uint32_t) { return 0.001f * o; }),
         0.001, 0.024 + 0.023 / 332 * 40, 4, 96},
        {"no value at all", HarmPicture(24, [nan](std::size_t, std::uint32_t) { return nan; }), 0, 6, 2, 0},
        {"no groups", HarmPicture(0, [](std::size_t, std::uint32_t) { return 1.0f; }), 0, 6, 2, 0},
    };
    for (Case& c : cases) {
        const CReportChartPainter::HarmLayout layout = s.painter.ComputeHarmLayout(c.picture, 0);
        EXPECT_NEAR(layout.minimum, c.minimum, 1e-6) << c.name;
        EXPECT_NEAR(layout.maximum, c.maximum, 1e-4) << c.name;
        EXPECT_EQ(layout.upperDecimals, c.decimals) << c.name;
        EXPECT_EQ(layout.bars.size(), c.bars) << c.name;
        s.painter.DrawHarmBarChart(c.picture, 0);  // draws without fault
    }
}

TEST(ReportChartPainter, DrawnBarsShowTheirColours)
{
    Surface s;
    const CZVHarmPic picture = HarmPicture(24, [](std::size_t, std::uint32_t i) { return 20.0f + 20.0f * i; });
    const CReportChartPainter::HarmLayout layout = s.painter.ComputeHarmLayout(picture, 1);
    s.painter.DrawHarmBarChart(picture, 1);
    for (const std::size_t index : {0u, 41u, 94u, 95u}) {
        const CReportChartPainter::HarmBar& bar = layout.bars[index];
        const int x = static_cast<int>((bar.rect.left + bar.rect.right) / 2);
        const int y = static_cast<int>(bar.rect.bottom - bar.rect.Height() / 2);
        EXPECT_TRUE(gfxtest::PixelNear(s.bitmap, x, y, bar.color, 0)) << "bar " << index;
        EXPECT_TRUE(gfxtest::PixelNear(s.bitmap, x, static_cast<int>(bar.rect.top) - 3, gfx::Color{255, 255, 255}, 60))
            << "nothing above bar " << index;
    }
}

TEST(ReportChartPainter, StatisticBarChartAxisAndTotals)
{
    struct Case {
        double maximum;
        int style;
        double height;
        double top;
    };
    for (const Case c : {Case{0, 0, 350, 6}, Case{11, 0, 350, 12}, Case{17, 0, 350, 18}, Case{12, 0, 1e12, 18},
                         Case{0.5, 1, 350, 6}, Case{std::nan(""), 1, 350, 6}}) {
        EXPECT_EQ(CReportChartPainter::BarAxisTop(c.maximum, c.style, c.height), c.top) << c.maximum;
    }

    CZVTrendCurve a(L"A", kRedRef, 1.0f, 0);
    a.SetValues({1, 0, 2, 0, 0, 0, 0, 0}, 0);
    CZVTrendCurve b(L"B", kGreenRef, 1.0f, 0);
    b.SetValues({0, 3, 0, 0, 0, 0, 0, 0.9f}, 0);
    CZVTrendPic picture(L"频率越限", L"次", 0, 8 * 3600, 8 * 3600);
    picture.UpdateSummary(a);
    picture.UpdateSummary(b);
    EXPECT_EQ(CReportChartPainter::BarTotalsText(picture), L"A:3 B:3 ");
    double maximum = 0;
    double minimum = 0;
    std::size_t longest = 0;
    CReportChartPainter::GetChartExtremes(picture, maximum, minimum, longest);
    EXPECT_EQ(maximum, 3.0);
    EXPECT_EQ(minimum, 0.0);
    EXPECT_EQ(longest, 8u);

    CZVTrendPic empty(L"空", L"", 0, 0, 0);
    EXPECT_EQ(CReportChartPainter::BarTotalsText(empty), L"");
    Surface s;
    EXPECT_EQ(s.painter.DrawBarChart(picture, 1), 1);
    EXPECT_EQ(s.painter.DrawBarChart(empty, 0), 1);
    CReportChartPainter unset;
    EXPECT_EQ(unset.DrawBarChart(picture, 1), 0) << "no surface to draw on";
}

}  // namespace
