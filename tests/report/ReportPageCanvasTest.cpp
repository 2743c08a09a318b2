#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/ImageCodec.h"
#include "report/ReportDrawing.h"
#include "report/ReportPageCanvas.h"
#include "tests/gfx/EmfReader.h"
#include "tests/gfx/PixelAssert.h"
#include "tests/support/TempDir.h"

namespace {

constexpr gfx::Color kBlack{0, 0, 0};
constexpr gfx::Color kWhite{255, 255, 255};
constexpr gfx::Color kRed{255, 0, 0};
constexpr gfx::Color kBlue{0, 0, 255};

// A canvas of PNG pages at 75 dpi: half a pixel per page unit, enough for placement checks.
std::unique_ptr<CReportPageCanvas> MakeCanvas(const std::wstring& headerLogo = {}, const std::wstring& frontLogo = {})
{
    auto canvas = std::make_unique<CReportPageCanvas>(headerLogo, frontLogo, L"最大值", L"最小值", L"平均值",
                                                      L"95%概率值", L"最大值时间");
    canvas->SetPageFormat(CReportPageCanvas::PageFormat::Png);
    canvas->SetResolution(75);
    return canvas;
}

gfx::Bitmap Finish(CReportPageCanvas& canvas)
{
    const std::string png = canvas.EndPage();
    EXPECT_FALSE(png.empty());
    return gfx::Bitmap::FromPng(png);
}

// The pixel of a page position on a 75-dpi page.
gfx::Color At(const gfx::Bitmap& page, double x, double y)
{
    return page.PixelAt(static_cast<int>(x / 2), static_cast<int>(y / 2));
}

gfx::Bitmap Filled(int width, int height, gfx::Color color)
{
    gfx::Bitmap bitmap(width, height);
    gfx::Context context(bitmap);
    context.FillRect(gfx::Rect{0, 0, static_cast<double>(width), static_cast<double>(height)}, color);
    return bitmap;
}

TEST(ReportPageCanvas, TrendPageSlots)
{
    const CReportPageCanvas::LayoutRect page{3, 1234, 203, 1726};
    struct Case {
        std::size_t count;
        int layout;
        std::vector<double> ys;
        double height;
    };
    const Case cases[] = {
        {1, 2, {128}, 350},
        {1, 0, {503}, 600},
        {2, 2, {128, 659}, 350},
        {2, 1, {128, 908}, 600},
        {3, 2, {128, 659, 1154}, 350},
        {3, 0, {128, 659, 1154}, 350},
        {4, 0, {128, 508, 893, 1278}, 230},
        {0, 0, {}, 0},
        {5, 0, {}, 0},
    };
    for (const Case& c : cases) {
        const std::vector<gfx::Rect> slots = CReportPageCanvas::TrendSlots(c.count, c.layout, page);
        ASSERT_EQ(slots.size(), c.ys.size()) << c.count << " charts, layout " << c.layout;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            EXPECT_EQ(slots[i].left, 23.0);
            EXPECT_EQ(slots[i].Width(), 1194.0);
            EXPECT_EQ(slots[i].top, c.ys[i]) << c.count << " charts, chart " << i;
            EXPECT_EQ(slots[i].Height(), c.height);
        }
    }
    for (const int slot : {0, 1, 2}) {
        EXPECT_EQ(CReportPageCanvas::ChartSlot(slot, page).top, (std::vector<double>{128, 659, 1154})[slot]);
    }
}

TEST(ReportPageCanvas, LogosFitTheirBoxes)
{
    struct Case {
        double w, h, boxWidth, boxHeight;
        double fittedWidth, fittedHeight;
    };
    for (const Case c : {Case{100, 50, 294, 91, 294, 91}, Case{100, 50, 300, 300, 300, 300},
                         Case{588, 91, 294, 91, 294, 46}, Case{200, 182, 294, 91, 100, 91},
                         Case{1000, 1000, 300, 300, 300, 300}, Case{600, 100, 300, 300, 300, 50}}) {
        const gfx::Size size = CReportPageCanvas::FitLogo(c.w, c.h, c.boxWidth, c.boxHeight);
        EXPECT_EQ(size.width, c.fittedWidth) << c.w << " x " << c.h;
        EXPECT_EQ(size.height, c.fittedHeight) << c.w << " x " << c.h;
    }
}

TEST(ReportPageCanvas, NothingIsDrawnWithoutAnOpenPageOrWithNothingToDraw)
{
    const auto owned = MakeCanvas();
    CReportPageCanvas& canvas = *owned;
    CZVTrendPic trend(L"t", L"", 0, 60, 1);
    CZVHarmPic harm(L"t", L"", {});
    const gfx::Recording table(100, 50);
    EXPECT_FALSE(canvas.IsPageOpen());
    EXPECT_EQ(canvas.DrawCenteredText(L"x", 0, 0, 100, 20), 0);
    EXPECT_EQ(canvas.DrawTrendPage({&trend}, 1, 0), 0);
    EXPECT_EQ(canvas.DrawBarChartPage({&trend}, 4), 0);
    EXPECT_EQ(canvas.DrawHarmonicPage({&harm}, 1, 1), 0);
    EXPECT_EQ(canvas.DrawImageFitted(table, 1, 0), 0);
    EXPECT_TRUE(canvas.EndPage().empty());

    ASSERT_EQ(canvas.BeginPage(1, {}), 1);
    EXPECT_EQ(canvas.DrawTrendPage({}, 1, 0), 0);
    EXPECT_EQ(canvas.DrawTrendPage({&trend, &trend, &trend, &trend, &trend}, 1, 0), 0) << "five charts";
    EXPECT_EQ(canvas.DrawTrendPage({&trend, nullptr}, 1, 0), 0);
    EXPECT_EQ(canvas.DrawBarChartPage({}, 4), 0);
    EXPECT_EQ(canvas.DrawHarmonicPage({}, 1, 1), 0);
    for (const int position : {0, 4}) {
        EXPECT_EQ(canvas.DrawHarmonicPage({&harm}, 1, position), 0) << position;
    }
    for (const int position : {1, 2, 3, 7}) {
        EXPECT_EQ(canvas.DrawBarChartPage({&trend}, position), 0) << position;
    }
    EXPECT_EQ(canvas.DrawImageFitted(gfx::Recording(), 1, 0), 0);
    EXPECT_EQ(canvas.DrawImageFromMemory("", 1, 0), 0) << "no bytes";
    EXPECT_EQ(canvas.DrawImageFromMemory("not a picture", 1, 0), 0);
    EXPECT_EQ(canvas.DrawTrendPage({&trend}, 1, 0), 1);
    EXPECT_EQ(canvas.DrawBarChartPage({&trend}, 6), 1);
    EXPECT_EQ(canvas.DrawHarmonicPage({&harm}, 0, 3), 1);
    EXPECT_FALSE(canvas.EndPage().empty());
    EXPECT_FALSE(canvas.IsPageOpen());
    EXPECT_TRUE(canvas.EndPage().empty()) << "a page ends once";
}

TEST(ReportPageCanvas, PageFurnitureAtItsPlaces)
{
    const auto owned = MakeCanvas();
    CReportPageCanvas& canvas = *owned;
    ASSERT_EQ(canvas.BeginPage(7, CPageHeader{L"谐波分析 Harmonics", L"2026/03/01", L"", L"K7700_data"}), 1);
    const CReportPageCanvas::LayoutRect& layout = canvas.GetLayout();
    EXPECT_EQ(layout.left, 3.0);
    EXPECT_EQ(layout.width, 1234.0);
    EXPECT_EQ(layout.top, 203.0);
    EXPECT_EQ(layout.height, 1726.0);
    const gfx::Bitmap page = Finish(canvas);
    ASSERT_EQ(page.Width(), 620);
    ASSERT_EQ(page.Height(), 877);
    EXPECT_EQ(At(page, 3, 800), kBlack) << "the border";
    EXPECT_EQ(At(page, 1236, 800), kBlack);
    EXPECT_EQ(At(page, 20, 800), kWhite);
    EXPECT_EQ(At(page, 302, 60), kBlack) << "the logo cell's right line";
    EXPECT_LT(At(page, 1000, 100).r, 160) << "the header's bottom line, half a pixel off the grid at this resolution";
    // "-7-" centred below the border.
    EXPECT_GT(gfxtest::CountOtherThan(page, 600 / 2, 1732 / 2, 640 / 2, 1758 / 2, kWhite), 0);
    EXPECT_EQ(gfxtest::CountOtherThan(page, 10, 1732 / 2, 280, 1754 / 2, kWhite), 0);
    EXPECT_EQ(gfx::MissingGlyphCount(L"-7-", report::PointFont(L"Arial", 18)), 0);
    {
        gfx::Bitmap scratch(10, 10);
        gfx::Context context(scratch);
        EXPECT_LE(report::MeasureString(context, L"-7-", report::PointFont(L"Arial", 18)).height, 30.0)
            << "18 pt fits the page number's 30-unit box";
    }
    EXPECT_EQ(gfx::MissingGlyphCount(L"谐波分析 Harmonics 2026/03/01", report::PointFont(L"黑体", 25)), 0);
}

// A heading too long for the title cell is set smaller, on the cell's upper part,
// rather than wrapping into the period line below it.
TEST(ReportPageCanvas, AHeadingKeepsClearOfThePeriodBelowIt)
{
    struct Case {
        const wchar_t* heading;
    };
    const Case cases[] = {
        {L"电压谐波含有率统计表(%)"},
        {L"Voltage Harmonic Ratios (%) (continued)"},
        {L"Voltage negative-sequence unbalance and zero-sequence unbalance (%)"},
    };
    for (const Case& c : cases) {
        const std::string name = platform::WideToUtf8(c.heading);
        CReportPageCanvas canvas(L"", L"", L"", L"", L"", L"", L"");
        ASSERT_EQ(canvas.BeginPage(3, CPageHeader{c.heading, L"2026/03/01 00:00:00 - 2026/03/01 02:00:00", L"", L""}), 1);
        const std::vector<gfxtest::EmfText> texts = gfxtest::Texts(gfxtest::ReadEmf(canvas.EndPage()));
        std::u16string heading;
        const gfxtest::EmfText* period = nullptr;
        for (const gfxtest::EmfText& text : texts) {
            if (text.text.find(u"2026/03/01 00:00:00") != std::u16string::npos) {
                period = &text;
            }
        }
        ASSERT_NE(period, nullptr) << name;
        for (const gfxtest::EmfText& text : texts) {
            // Heading lines: between the page's top and the header's bottom line, in the title cell.
            if (&text == period || text.y > 1000 || text.x < 3030 || text.x > 8030) {
                continue;
            }
            heading += text.text;
            const double descent = 0.25 * -text.height;
            EXPECT_LE(text.y + descent, period->y - 0.8 * -period->height)
                << name << ": \"" << platform::WideToUtf8(platform::Utf16ToWide(text.text)) << "\" runs into the period";
        }
        EXPECT_EQ(platform::Utf16ToWide(heading), c.heading) << name << ": the heading whole";
    }
}

// Once drawing on a page fails, nothing more is placed on it and it gives no
// picture: a page lacking part of what was drawn on it is not handed out.
TEST(ReportPageCanvas, APageWhoseDrawingFailedGivesNoPicture)
{
    for (const auto format : {CReportPageCanvas::PageFormat::Metafile, CReportPageCanvas::PageFormat::Png}) {
        const char* name = format == CReportPageCanvas::PageFormat::Png ? "PNG" : "metafile";
        const auto owned = MakeCanvas();
        CReportPageCanvas& canvas = *owned;
        canvas.SetPageFormat(format);
        gfx::Recording table(100, 50);
        table.NewContext()->FillRect(gfx::Rect{0, 0, 100, 50}, kBlue);
        CZVTrendPic trend(L"t", L"", 0, 60, 1);
        ASSERT_EQ(canvas.BeginPage(1, {}), 1) << name;
        ASSERT_EQ(canvas.DrawImageFitted(table, 1, 0), 1) << name;
        // A restore without its save puts the drawing into an error state for good.
        cairo_t* cr = canvas.GetGraphics()->Cairo();
        cairo_restore(cr);
        cairo_restore(cr);
        ASSERT_FALSE(canvas.GetGraphics()->IsHealthy()) << name;
        EXPECT_EQ(canvas.DrawImageFitted(table, 1, 0), 0) << name;
        EXPECT_EQ(canvas.DrawTrendPage({&trend}, 1, 0), 0) << name;
        EXPECT_EQ(canvas.DrawBarChartPage({&trend}, 4), 0) << name;
        EXPECT_TRUE(canvas.EndPage().empty()) << name;
        EXPECT_FALSE(canvas.IsPageOpen()) << name;
        ASSERT_EQ(canvas.BeginPage(2, {}), 1) << name << ": the next page starts afresh";
        EXPECT_FALSE(canvas.EndPage().empty()) << name;
    }
}

TEST(ReportPageCanvas, ResolutionSetsThePixelsNotTheLayout)
{
    const auto owned = MakeCanvas();
    CReportPageCanvas& canvas = *owned;
    EXPECT_EQ(canvas.PixelWidth(), 620);
    canvas.SetResolution(200);
    EXPECT_EQ(canvas.PixelWidth(), 1653);
    EXPECT_EQ(canvas.PixelHeight(), 2339);
    canvas.SetResolution(300);
    EXPECT_EQ(canvas.PixelWidth(), 2480);
    canvas.SetResolution(1e9);
    EXPECT_EQ(canvas.GetResolution(), 600.0);
    canvas.SetResolution(std::nan(""));
    EXPECT_EQ(canvas.GetResolution(), CReportPageCanvas::kDefaultDpi);
}

TEST(ReportPageCanvas, LogosOfEachFormatAreDecodedAndFitted)
{
    testsupport::TempDir dir;
    for (const char* format : {"png", "jpeg", "bmp"}) {
        SCOPED_TRACE(format);
        std::string bytes;
        ASSERT_TRUE(gfx::EncodeImage(Filled(100, 50, kRed), format, bytes));
        const auto path = dir.Write(std::string("logo.") + format, bytes);
        const auto owned = MakeCanvas(platform::FromPath(path), platform::FromPath(path));
        CReportPageCanvas& canvas = *owned;
        ASSERT_EQ(canvas.BeginPage(1, {}), 1);
        const gfx::Bitmap page = Finish(canvas);
        // 100 x 50 is stretched to the 294 x 91 box at (7, 7).
        EXPECT_TRUE(gfxtest::PixelNear(page, 12 / 2, 12 / 2, kRed, 8));
        EXPECT_TRUE(gfxtest::PixelNear(page, 296 / 2, 94 / 2, kRed, 8));
        EXPECT_TRUE(gfxtest::PixelNear(page, 302 / 2, 60 / 2, kBlack, 8)) << "not past its cell";

        ASSERT_EQ(canvas.DrawFrontPage(L"电能质量测试报告", L"报告人", L"单位"), 1);
        const gfx::Bitmap front = Finish(canvas);
        // 300 x 300 at (471, 101).
        EXPECT_TRUE(gfxtest::PixelNear(front, 475 / 2, 105 / 2, kRed, 8));
        EXPECT_TRUE(gfxtest::PixelNear(front, 766 / 2, 396 / 2, kRed, 8));
        EXPECT_TRUE(gfxtest::PixelNear(front, 466 / 2, 250 / 2, kWhite, 8));
        EXPECT_EQ(canvas.GetLayout().top, 460.0);
    }
    const auto missing = MakeCanvas(platform::FromPath(dir.Path() / "none.png"), L"");
    EXPECT_EQ(missing->BeginPage(1, {}), 1) << "a missing logo does not stop the page";
    EXPECT_EQ(At(Finish(*missing), 150, 50), kWhite);
}

TEST(ReportPageCanvas, PicturesArePlacedAcrossTheLayoutCentre)
{
    const auto owned = MakeCanvas();
    CReportPageCanvas& canvas = *owned;
    ASSERT_EQ(canvas.BeginPage(1, {}), 1);
    std::string png;
    ASSERT_TRUE(gfx::EncodeImage(Filled(100, 40, kBlue), "png", png));
    // 200 x 80 at x = 1234 / 2 - 100 = 517, y = 203 + 100.
    EXPECT_EQ(canvas.DrawImageFromMemory(png, 2.0, 100), 1);

    gfx::Recording table(400, 100);
    table.NewContext()->FillRect(gfx::Rect{0, 0, 400, 100}, kRed);
    // 200 x 50 at x = 517, y = 203 + 600.
    EXPECT_EQ(canvas.DrawImageFitted(table, 0.5, 600), 1);
    EXPECT_EQ(canvas.DrawCenteredText(L"测试次数:1440", 0, 1000, 1240, 30), 1);
    const gfx::Bitmap page = Finish(canvas);
    EXPECT_EQ(At(page, 520, 306), kBlue);
    EXPECT_EQ(At(page, 714, 380), kBlue);
    EXPECT_EQ(At(page, 512, 340), kWhite);
    EXPECT_EQ(At(page, 520, 806), kRed);
    EXPECT_EQ(At(page, 714, 850), kRed);
    EXPECT_EQ(At(page, 722, 830), kWhite);
    EXPECT_GT(gfxtest::CountOtherThan(page, 560 / 2, 1000 / 2, 680 / 2, 1030 / 2, kWhite), 0) << "the caption";
}

}  // namespace
