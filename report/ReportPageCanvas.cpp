#include "report/ReportPageCanvas.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "platform/base/Encoding.h"
#include "platform/gfx/EmfWriter.h"
#include "platform/gfx/ImageCodec.h"
#include "report/ReportCanvas.h"
#include "report/ReportChartPainter.h"
#include "report/ReportDrawing.h"
#include "report/ReportFormat.h"

namespace {

using report::Align;
using report::TextStyle;

const wchar_t* const kHei = L"黑体";
constexpr int kPngCompression = 1;

TextStyle Text(const gfx::Font& font, Align align, bool ellipsis = false)
{
    TextStyle style{font};
    style.align = align;
    style.ellipsis = ellipsis;
    return style;
}

gfx::Bitmap LoadLogo(const std::wstring& path)
{
    return path.empty() ? gfx::Bitmap() : gfx::LoadImageFile(platform::ToPath(path));
}

}  // namespace

CReportPageCanvas::CReportPageCanvas(std::wstring headerLogoPath, std::wstring frontLogoPath, std::wstring maxCaption,
                                     std::wstring minCaption, std::wstring avgCaption, std::wstring c95Caption,
                                     std::wstring maxTimeCaption)
    : m_HeaderLogo(LoadLogo(headerLogoPath)),
      m_FrontLogo(LoadLogo(frontLogoPath)),
      m_MaxCaption(std::move(maxCaption)),
      m_MinCaption(std::move(minCaption)),
      m_AvgCaption(std::move(avgCaption)),
      m_C95Caption(std::move(c95Caption)),
      m_MaxTimeCaption(std::move(maxTimeCaption))
{
}

CReportPageCanvas::~CReportPageCanvas() = default;

void CReportPageCanvas::SetResolution(double dpi)
{
    m_Dpi = std::isfinite(dpi) ? std::clamp(dpi, 50.0, 600.0) : kDefaultDpi;
}

int CReportPageCanvas::PixelWidth() const
{
    return static_cast<int>(std::lround(kPageWidth * m_Dpi / kUnitsPerInch));
}

int CReportPageCanvas::PixelHeight() const
{
    return static_cast<int>(std::lround(kPageHeight * m_Dpi / kUnitsPerInch));
}

bool CReportPageCanvas::StartPage()
{
    m_Context.reset();
    m_Page = gfx::Recording(kPageWidth, kPageHeight);
    m_Context = m_Page.NewContext();
    if (m_Context == nullptr) {
        return false;
    }
    if (!m_Context->IsHealthy()) {
        m_Context.reset();
        return false;
    }
    return true;
}

bool CReportPageCanvas::CanDraw() const
{
    return m_Context != nullptr && m_Context->IsHealthy();
}

gfx::Size CReportPageCanvas::FitLogo(double w, double h, double boxWidth, double boxHeight)
{
    if (h <= boxHeight && w <= boxWidth) {
        return {boxWidth, boxHeight};  // a small logo is stretched to the box
    }
    if (w > boxWidth || h <= boxHeight) {
        const double factor = w / boxWidth;
        w = std::trunc(w / factor + 0.5);
        h = std::trunc(h / factor + 0.5);
    }
    if (h > boxHeight) {
        const double factor = h / boxHeight;
        w = std::trunc(w / factor + 0.5);
        h = std::trunc(h / factor + 0.5);
    }
    return {w, h};
}

int CReportPageCanvas::DrawFrontPage(const std::wstring& title, const std::wstring& secondLine,
                                     const std::wstring& thirdLine)
{
    if (!StartPage()) {
        return 0;
    }
    gfx::Context& g = *m_Context;
    report::FillBox(g, gfx::Rect{0, 0, kPageWidth, kPageHeight}, report::kWhite);
    if (!m_FrontLogo.IsEmpty()) {
        const gfx::Size size = FitLogo(m_FrontLogo.Width(), m_FrontLogo.Height(), 300, 300);
        g.DrawBitmap(m_FrontLogo, gfx::Rect::FromSize(0, 0, m_FrontLogo.Width(), m_FrontLogo.Height()),
                     gfx::Rect::FromSize(620 - size.width / 2 + 1, 101, size.width, size.height));
    }
    report::DrawString(g, title, gfx::Rect::FromSize(0, 410, 1240, 140), Text(report::PointFont(kHei, 40), Align::Center));
    const gfx::Font lines = report::PointFont(kHei, 22);
    report::DrawString(g, secondLine, gfx::Rect::FromSize(0, 1514, 1240, 100), Text(lines, Align::Far));
    report::DrawString(g, thirdLine, gfx::Rect::FromSize(0, 1614, 1240, 100), Text(lines, Align::Far));
    m_Layout = {0, 1240, 460, 1054};
    return 1;
}

int CReportPageCanvas::BeginPage(std::uint32_t pageNumber, CPageHeader header)
{
    if (!StartPage()) {
        return 0;
    }
    gfx::Context& g = *m_Context;
    report::FillBox(g, gfx::Rect{0, 0, kPageWidth, kPageHeight}, report::kWhite);
    const report::Stroke thick{report::kBlack, 4.0};
    const report::Stroke thin{report::kBlack, 2.0};
    report::DrawFrame(g, gfx::Rect::FromSize(3, 3, 1234, 1726), thick);
    const double left = 3;
    const double width = 1234;
    const double height = 1726;
    report::DrawString(g, L"-" + std::to_wstring(pageNumber) + L"-", gfx::Rect::FromSize(left, height + 4, width, 30),
                       Text(report::PointFont(L"Arial", 18), Align::Center));
    m_Layout = {left, width, 203, height};

    // Header grid: a logo cell, a title cell, and a right cell of a date strip over a free area.
    report::DrawLine(g, left, 100, left + width, 100, thin);
    report::DrawLine(g, left + 300, 3, left + 300, 100, thin);
    report::DrawLine(g, left + 800, 3, left + 800, 100, thin);
    report::DrawLine(g, left + 800, 35, left + width, 35, thin);
    // A heading too long for one line of the title cell is set smaller in the cell's
    // upper part: wrapped at full size it would run into the period line below it.
    TextStyle heading = Text(report::PointFont(kHei, 25), Align::Center);
    heading.shrinkToFit = true;
    report::DrawString(g, header.heading, gfx::Rect::FromSize(left + 300, 18, 500, 74 - 18), heading);
    report::DrawString(g, header.subheading, gfx::Rect::FromSize(left + 300, 74, 500, 140),
                       Text(report::PointFont(kHei, 14), Align::Center));
    const gfx::Font small = report::PointFont(kHei, 16);
    TextStyle date = Text(small, Align::Near, true);
    date.wrap = false;
    report::DrawString(g, report::DateText(static_cast<std::int64_t>(std::time(nullptr))),
                       gfx::Rect::FromSize(left + 800, 9, 150, 40), date);
    report::DrawString(g, header.corner, gfx::Rect::FromSize(left + 910, 9, 1237 - (left + 915), 22),
                       Text(small, Align::Far));
    if (!m_HeaderLogo.IsEmpty()) {
        const gfx::Size size = FitLogo(m_HeaderLogo.Width(), m_HeaderLogo.Height(), 294, 91);
        g.DrawBitmap(m_HeaderLogo, gfx::Rect::FromSize(0, 0, m_HeaderLogo.Width(), m_HeaderLogo.Height()),
                     gfx::Rect::FromSize(left + 1 + (300 - size.width) / 2, 4 + (97 - size.height) / 2, size.width,
                                         size.height));
    }
    return 1;
}

int CReportPageCanvas::DrawCenteredText(const std::wstring& text, double x, double y, double width, double height)
{
    if (!CanDraw()) {
        return 0;
    }
    report::DrawString(*m_Context, text, gfx::Rect::FromSize(x, y, width, height),
                       Text(report::PointFont(kHei, 14), Align::Center));
    return 1;
}

int CReportPageCanvas::DrawPicturePlaced(double width, double height, double yOffset, const gfx::Recording* vector,
                                         const gfx::Bitmap* raster)
{
    if (!CanDraw() || !std::isfinite(width) || !std::isfinite(height) || !std::isfinite(yOffset) || width <= 0 ||
        height <= 0) {
        return 0;
    }
    const gfx::Rect dest =
        gfx::Rect::FromSize(m_Layout.width / 2 - width / 2, m_Layout.top + yOffset, width, height);
    if (vector != nullptr) {
        vector->Play(*m_Context, dest);
    } else {
        m_Context->DrawBitmap(*raster, gfx::Rect::FromSize(0, 0, raster->Width(), raster->Height()), dest);
    }
    return CanDraw() ? 1 : 0;
}

int CReportPageCanvas::DrawImageFitted(const gfx::Recording& picture, double scale, double yOffset)
{
    if (picture.IsEmpty()) {
        return 0;
    }
    return DrawPicturePlaced(picture.Width() * scale, picture.Height() * scale, yOffset, &picture, nullptr);
}

int CReportPageCanvas::DrawImageFromMemory(std::string_view bytes, double scale, double yOffset)
{
    if (bytes.empty() || !CanDraw()) {
        return 0;
    }
    const gfx::Bitmap image = gfx::DecodeImage(bytes);
    if (image.IsEmpty()) {
        return 0;
    }
    return DrawPicturePlaced(image.Width() * scale, image.Height() * scale, yOffset, nullptr, &image);
}

std::vector<gfx::Rect> CReportPageCanvas::TrendSlots(std::size_t count, int layout, const LayoutRect& page)
{
    const double x = page.left + 20;
    const double w = page.width - 40;
    const double t = page.top;
    auto slots = [&](std::initializer_list<double> offsets, double height) {
        std::vector<gfx::Rect> rects;
        for (const double offset : offsets) {
            rects.push_back(gfx::Rect::FromSize(x, t + offset, w, height));
        }
        return rects;
    };
    const bool compact = layout == 2;
    switch (count) {
        case 1: return compact ? slots({-75}, 350) : slots({300}, 600);
        case 2: return compact ? slots({-75, 456}, 350) : slots({-75, 705}, 600);
        case 3: return slots({-75, 456, 951}, 350);
        case 4: return slots({-75, 305, 690, 1075}, 230);
        default: return {};
    }
}

gfx::Rect CReportPageCanvas::ChartSlot(int slot, const LayoutRect& page)
{
    static constexpr double kOffsets[] = {-75, 456, 951};
    return gfx::Rect::FromSize(page.left + 20, page.top + kOffsets[std::clamp(slot, 0, 2)], page.width - 40, 350);
}

int CReportPageCanvas::DrawTrendPage(const std::vector<const CZVTrendPic*>& pictures, int style, int layout)
{
    const std::vector<gfx::Rect> slots = TrendSlots(pictures.size(), layout, m_Layout);
    if (!CanDraw() || slots.empty() ||
        std::any_of(pictures.begin(), pictures.end(), [](const CZVTrendPic* p) { return p == nullptr; })) {
        return 0;
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const gfx::Rect& r = slots[i];
        CReportCanvas chart(*m_Context, r.left, r.top, r.Width(), r.Height(), m_MaxCaption, m_MinCaption, m_AvgCaption,
                            m_C95Caption, m_MaxTimeCaption);
        chart.DrawTrendChart(*pictures[i], style);
    }
    return 1;
}

int CReportPageCanvas::DrawBarChartPage(const std::vector<const CZVTrendPic*>& charts, int position)
{
    if (!CanDraw() || charts.empty() || charts.front() == nullptr || position < 4 || position > 6) {
        return 0;
    }
    const gfx::Rect r = ChartSlot(position - 4, m_Layout);
    CReportChartPainter painter;
    painter.Set(m_Context.get(), r.left, r.Width(), r.top, r.Height());
    return painter.DrawBarChart(*charts.front(), 1);
}

int CReportPageCanvas::DrawHarmonicPage(const std::vector<const CZVHarmPic*>& charts, int percent, int position)
{
    if (!CanDraw() || charts.empty() || charts.front() == nullptr || position < 1 || position > 3) {
        return 0;
    }
    const gfx::Rect r = ChartSlot(position - 1, m_Layout);
    CReportChartPainter painter;
    painter.Set(m_Context.get(), r.left, r.Width(), r.top, r.Height());
    painter.DrawHarmBarChart(*charts.front(), percent);
    return 1;
}

std::string CReportPageCanvas::EndPage()
{
    if (m_Context == nullptr) {
        return {};
    }
    // A page whose drawing failed part way is no page: it would lack what failed.
    const bool drawn = m_Context->IsHealthy();
    m_Context.reset();
    const gfx::Recording page = std::move(m_Page);
    if (!drawn) {
        return {};
    }
    if (m_Format == PageFormat::Metafile) {
        return gfx::EmfWriter(kUnitsPerInch).Write(page);
    }
    if (!page.RenderInto(m_Pixels, PixelWidth(), PixelHeight(), report::kWhite)) {
        return {};
    }
    // A page is opaque; the fastest compression keeps a mostly white page small.
    return gfx::EncodePng(m_Pixels, gfx::PngOptions{true, kPngCompression});
}
