#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "report/ReportCanvas.h"
#include "report/ReportDrawing.h"
#include "tests/gfx/PixelAssert.h"

namespace {

constexpr float kNoCanvasValue = -5368709.0f;
constexpr std::uint32_t kCanvasRedRef = 0x0000FF;
constexpr gfx::Color kCanvasRed{255, 0, 0};

// A 1000 x 432 picture surface with a chart painter as the picture builders set it up.
struct CanvasSurface {
    gfx::Bitmap bitmap{1000, 432};
    gfx::Context context{bitmap};
    CReportCanvas canvas{context, -10, 1, 992, 332, L"最大值", L"最小值", L"平均值", L"95%概率值", L"最大值时间"};
    std::deque<CZVTrendCurve> curves;

    CanvasSurface()
    {
        context.FillRect(gfx::Rect{0, 0, 1000, 432}, gfx::Color{255, 255, 255});
        canvas.SetRect(15, 8, 8, 10);
    }
    CZVTrendCurve& Curve(std::wstring name, std::vector<float> values, float width = 1.0f)
    {
        CZVTrendCurve& curve = curves.emplace_back(std::move(name), kCanvasRedRef, width, CZVTrendCurve::kMaximum);
        curve.SetValues(values, 0);
        return curve;
    }
};

TEST(ReportCanvas, PictureLayoutKeepsThePlotAndTheLegendInPlace)
{
    CanvasSurface s;
    CZVTrendPic picture(L"站点-电压有效值-L1 Voltage", L"[V]", 0, 600, 60);
    for (const wchar_t* name : {L"最大值", L"最小值", L"平均值"}) {
        picture.UpdateSummary(s.Curve(name, {1, 2, 3}));
    }
    s.canvas.SetStyle(1);
    s.canvas.SetText(L"2026/03/01 00:00:00 - 2026/03/01 00:10:00");
    const CReportCanvas::Layout layout = s.canvas.ComputeLayout(picture, 1);

    EXPECT_EQ(layout.plot.left, 80.0) << "90 units of value labels";
    EXPECT_EQ(layout.plot.right, 982.0);
    EXPECT_EQ(layout.plot.Height(), 332.0);
    EXPECT_EQ(layout.title.top, -24.0) << "the band begins 25 units above the rectangle";
    ASSERT_EQ(layout.legend.size(), 3u);
    EXPECT_EQ(layout.legend[2].right, 982.0) << "the last curve's entry stands rightmost";
    EXPECT_LT(layout.legend[0].right, layout.legend[1].left + 1e-9);
    EXPECT_LT(layout.legend[1].right, layout.legend[2].left + 1e-9);
    EXPECT_EQ(layout.legend[0].top, layout.legend[2].top) << "one line";
    EXPECT_FALSE(layout.note.IsEmpty());
    EXPECT_LE(layout.note.right, layout.legend[0].left) << "the note does not run into the legend";
    EXPECT_GT(layout.plot.top, layout.legend[0].bottom);
    EXPECT_FALSE(layout.summary.IsEmpty());
    EXPECT_LE(layout.summary.bottom, 432.0) << "the summary line fits the picture";
    EXPECT_TRUE(s.canvas.ComputeLayout(picture, 0).summary.IsEmpty()) << "style 0 has no summary line";
}

TEST(ReportCanvas, ALegendTooLongForOneLineWraps)
{
    CanvasSurface s;
    CZVTrendPic picture(L"t", L"", 0, 600, 60);
    for (int i = 0; i < 14; ++i) {
        picture.UpdateSummary(s.Curve(L"谐波曲线名称 H" + std::to_wstring(i), {1, 2}));
    }
    const CReportCanvas::Layout layout = s.canvas.ComputeLayout(picture, 0);
    ASSERT_EQ(layout.legend.size(), 14u);
    EXPECT_GT(layout.legend[0].top, layout.legend[13].top) << "the first curves go to a line below";
    for (const gfx::Rect& box : layout.legend) {
        EXPECT_GE(box.left, 80.0);
        EXPECT_LE(box.right, 982.0);
    }
    EXPECT_GT(layout.plot.top, layout.legend[0].bottom) << "the plot moves down under the legend";
}

// Draws a picture of one thick red curve and returns the layout used.
CReportCanvas::Layout Draw(CanvasSurface& s, const std::vector<float>& values)
{
    CZVTrendPic picture(L"t", L"[V]", 0, 600, 60);
    picture.UpdateSummary(s.Curve(L"c", values, 3.0f));
    const CReportCanvas::Layout layout = s.canvas.ComputeLayout(picture, 0);
    s.canvas.DrawTrendChart(picture, 0);
    return layout;
}

double YOf(const CReportCanvas::Layout& layout, double value)
{
    const report::TrendAxis& axis = layout.axis;
    return (1.0 - (value - axis.minimum) / (axis.maximum - axis.minimum)) * layout.plot.Height() + layout.plot.top - 1;
}

TEST(ReportCanvas, CurvesLandWhereTheAxisPutsThem)
{
    CanvasSurface s;
    // 0, 10, ..., 90: a straight rising line over the plot.
    std::vector<float> values;
    for (int i = 0; i < 10; ++i) {
        values.push_back(10.0f * i);
    }
    const CReportCanvas::Layout layout = Draw(s, values);
    const gfx::Rect& plot = layout.plot;
    for (const int i : {2, 5, 7}) {
        const double x = plot.left + plot.Width() * i / 9.0;
        EXPECT_TRUE(gfxtest::PixelNear(s.bitmap, static_cast<int>(x), static_cast<int>(YOf(layout, 10.0 * i)), kCanvasRed, 60))
            << "sample " << i;
    }
    EXPECT_TRUE(gfxtest::PixelNear(s.bitmap, static_cast<int>(plot.left + plot.Width() / 2), static_cast<int>(YOf(layout, 80)),
                                   gfx::Color{255, 255, 255}, 60))
        << "nothing above the line at its middle";
}

TEST(ReportCanvas, SamplesWithoutValueBreakTheLine)
{
    CanvasSurface s;
    const CReportCanvas::Layout layout = Draw(s, {5, 6, 5, 6, kNoCanvasValue, kNoCanvasValue, kNoCanvasValue, 6, 5, 6});
    const gfx::Rect& plot = layout.plot;
    auto pixelAt = [&](double position, double value) {
        return s.bitmap.PixelAt(static_cast<int>(plot.left + plot.Width() * position / 9.0),
                                static_cast<int>(YOf(layout, value)));
    };
    EXPECT_EQ(pixelAt(0.5, 5.5), kCanvasRed) << "drawn between samples with value";
    EXPECT_NE(pixelAt(5.0, 5.5), kCanvasRed) << "nothing drawn across the gap";
    EXPECT_NE(pixelAt(5.0, layout.axis.minimum + 0.01), kCanvasRed) << "the no-value marker is not plotted at the bottom";
}

TEST(ReportCanvas, FlatSingleAndEmptyChartsDrawWithoutFault)
{
    {
        CanvasSurface s;
        const CReportCanvas::Layout layout = Draw(s, {7, 7, 7});
        EXPECT_TRUE(layout.axis.flat);
        const int y = static_cast<int>(YOf(layout, 7));
        EXPECT_EQ(s.bitmap.PixelAt(static_cast<int>(layout.plot.left + layout.plot.Width() / 3), y), kCanvasRed)
            << "a level line in the middle";
    }
    {
        CanvasSurface s;
        const CReportCanvas::Layout layout = Draw(s, {42});
        const int y = static_cast<int>(YOf(layout, 42));
        EXPECT_EQ(s.bitmap.PixelAt(static_cast<int>(layout.plot.left + layout.plot.Width() * 0.8), y), kCanvasRed)
            << "one sample is a level line across the plot";
    }
    {
        CanvasSurface s;
        CZVTrendPic empty(L"空", L"", 0, 0, 0);
        s.canvas.DrawTrendChart(empty, 1);
        const CReportCanvas::Layout layout = s.canvas.ComputeLayout(empty, 1);
        EXPECT_EQ(s.bitmap.PixelAt(static_cast<int>(layout.plot.left), static_cast<int>(layout.plot.top + 50)),
                  (gfx::Color{0, 0, 0})) << "the frame stands";
    }
}

TEST(ReportCanvas, SummaryJoinsTheCaptionsWithoutReadingThemAsFormats)
{
    gfx::Bitmap bitmap(10, 10);
    gfx::Context context(bitmap);
    CReportCanvas canvas(context, 0, 0, 10, 10, L"Max%s", L"Min%d", L"Avg", L"C95", L"Time%n");
    CZVTrendPic picture(L"t", L"", 0, 0, 1);
    picture.summaryMax = 231.5f;
    picture.summaryMin = -0.0001f;
    picture.summaryAvg = 229.25f;
    const std::wstring text = canvas.SummaryText(picture);
    EXPECT_EQ(text.substr(0, text.find(L"Time%n:") + 7), L"Min%d:0.000  Avg:229.250  Max%s:231.500  Time%n:");
}

TEST(ReportCanvas, ChineseAndLatinTextsHaveEveryGlyph)
{
    for (const wchar_t* text : {L"站点-电压有效值-L1", L"最大值时间:2026/03/01 00:20:00", L"[V] 03/01 00:04:00", L"95%概率值"}) {
        EXPECT_EQ(gfx::MissingGlyphCount(text, report::PointFont(L"黑体", 12)), 0);
    }
}

}  // namespace
