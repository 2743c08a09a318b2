#pragma once
// CReportPageCanvas: draws the pages of the RTF report, one A4 sheet at a time, in
// page units of a 1240 x 1754 frame (150 units per inch, origin top left). A page
// is recorded as vector drawing (the sheet, its border and header or the front
// page, tables and charts placed on it) and turned into the picture the document
// embeds when it is finished: an enhanced metafile, whose text stays text; or, for
// readers that cannot show metafiles, a PNG picture rasterised at the canvas's
// resolution (200 dpi unless set otherwise). One canvas serves one report on one
// thread.
//
// Every page: BeginPage or DrawFrontPage, any drawing operations, EndPage. A
// drawing operation without an open page, or with nothing to draw, returns 0 and
// draws nothing.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Recording.h"
#include "report/PageHeader.h"
#include "report/ZVHarmPic.h"
#include "report/ZVTrendPic.h"

class CReportPageCanvas {
public:
    static constexpr double kPageWidth = 1240.0;
    static constexpr double kPageHeight = 1754.0;
    static constexpr double kUnitsPerInch = 150.0;
    static constexpr double kDefaultDpi = 200.0;

    enum class PageFormat { Metafile, Png };

    // The layout rectangle of the current page: the area its content is placed in.
    struct LayoutRect {
        double left = 0.0;
        double width = 0.0;
        double top = 0.0;
        double height = 0.0;
    };

    // The logos are read at once (JPEG, PNG, BMP and the other formats the picture
    // loaders know); one that cannot be read is simply not drawn. The captions are
    // handed to every trend chart.
    CReportPageCanvas(std::wstring headerLogoPath, std::wstring frontLogoPath, std::wstring maxCaption,
                      std::wstring minCaption, std::wstring avgCaption, std::wstring c95Caption,
                      std::wstring maxTimeCaption);
    ~CReportPageCanvas();
    CReportPageCanvas(const CReportPageCanvas&) = delete;
    CReportPageCanvas& operator=(const CReportPageCanvas&) = delete;

    // What the finished pages are: metafiles unless set otherwise.
    void SetPageFormat(PageFormat format) { m_Format = format; }
    PageFormat GetPageFormat() const { return m_Format; }
    // Resolution of PNG pages, held to 50 to 600 dpi; the page units stay.
    void SetResolution(double dpi);
    double GetResolution() const { return m_Dpi; }
    // The pixel size of a PNG page.
    int PixelWidth() const;
    int PixelHeight() const;

    // --- Starting a page (an open page is discarded)
    int DrawFrontPage(const std::wstring& title, const std::wstring& secondLine, const std::wstring& thirdLine);
    int BeginPage(std::uint32_t pageNumber, CPageHeader header);
    bool IsPageOpen() const { return m_Context != nullptr; }
    const LayoutRect& GetLayout() const { return m_Layout; }
    // The drawing context of the open page, for callers that draw on it themselves.
    gfx::Context* GetGraphics() { return m_Context.get(); }

    // --- Drawing on the open page
    int DrawCenteredText(const std::wstring& text, double x, double y, double width, double height);
    // A vector picture (a table, the ITIC chart) at its size times the scale,
    // centred across the layout, `yOffset` below the layout top.
    int DrawImageFitted(const gfx::Recording& picture, double scale, double yOffset);
    // A picture given as file bytes (PNG, JPEG, BMP ...), placed alike by its pixel size.
    int DrawImageFromMemory(std::string_view bytes, double scale, double yOffset);
    // One to four trend charts; layout 2 is the compact one.
    int DrawTrendPage(const std::vector<const CZVTrendPic*>& pictures, int style, int layout);
    // The first chart of the list at position 4, 5 or 6 (top, middle, bottom).
    int DrawBarChartPage(const std::vector<const CZVTrendPic*>& charts, int position);
    // The first chart of the list at position 1, 2 or 3 (top, middle, bottom).
    int DrawHarmonicPage(const std::vector<const CZVHarmPic*>& charts, int percent, int position);

    // --- Finishing: the page's metafile or PNG bytes; empty without an open page,
    // when drawing on the page failed or when the picture cannot be made.
    std::string EndPage();

    // --- Page geometry, as the operations above use it
    // The chart rectangles (x, y, width, height) of a trend page of `count` charts.
    static std::vector<gfx::Rect> TrendSlots(std::size_t count, int layout, const LayoutRect& page);
    // The chart rectangle of a bar or harmonic slot 0 (top), 1 or 2.
    static gfx::Rect ChartSlot(int slot, const LayoutRect& page);
    // The size a logo of w x h pixels is drawn at in a box of boxWidth x boxHeight.
    static gfx::Size FitLogo(double w, double h, double boxWidth, double boxHeight);

private:
    bool StartPage();
    bool CanDraw() const;
    int DrawPicturePlaced(double width, double height, double yOffset, const gfx::Recording* vector,
                          const gfx::Bitmap* raster);

    gfx::Recording m_Page;
    std::unique_ptr<gfx::Context> m_Context;
    // The pixels of PNG pages, made once and drawn over page after page.
    gfx::Bitmap m_Pixels;
    PageFormat m_Format = PageFormat::Metafile;
    LayoutRect m_Layout;
    gfx::Bitmap m_HeaderLogo;
    gfx::Bitmap m_FrontLogo;
    std::wstring m_MaxCaption;
    std::wstring m_MinCaption;
    std::wstring m_AvgCaption;
    std::wstring m_C95Caption;
    std::wstring m_MaxTimeCaption;
    double m_Dpi = kDefaultDpi;
};
