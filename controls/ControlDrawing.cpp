#include "controls/ControlDrawing.h"

#include <cmath>

namespace controls {

gfx::Font CaptionFont() {
    gfx::Font font;
    font.face = L"仿宋体";
    font.height = 16;
    font.weight = 500;
    return font;
}

void FillPolygon(gfx::Context& dc, std::span<const gfx::Point> points, gfx::Color fill) {
    if (points.size() < 3) {
        return;
    }
    dc.Save();
    // A filled region: whole pixels whose centres lie inside, no blended edges.
    dc.SetAntialias(false);
    dc.SetPen(gfx::Pen::Null());
    dc.SetBrush(fill);
    dc.Polygon(points);
    dc.Restore();
}

void DrawBanner(gfx::Context& dc, std::span<const gfx::Point> points, gfx::Color fill, const std::wstring& caption,
                gfx::Color textColor) {
    FillPolygon(dc, points, fill);
    if (points.size() < 4 || caption.empty()) {
        return;
    }
    dc.Save();
    dc.SetFont(CaptionFont());
    dc.SetTextColor(textColor);
    const gfx::Size extent = dc.TextExtent(caption);
    const int width = static_cast<int>(std::ceil(extent.width));
    const int height = static_cast<int>(std::ceil(extent.height));
    const int x = static_cast<int>(points[0].x) + (static_cast<int>(points[3].x - points[0].x) - width) / 2;
    const int y = static_cast<int>(points[0].y) + (kBannerHeight - height) / 2;
    dc.TextOut(x, y, caption);
    dc.Restore();
}

void DrawTextLabel(gfx::Context& dc, int width, int height, gfx::Color background, gfx::Color textColor,
                   const std::wstring& text) {
    dc.Save();
    dc.FillRect(gfx::Rect::FromSize(0, 0, width, height), background);
    dc.SetFont(CaptionFont());
    dc.SetTextColor(textColor);
    dc.SetBackgroundColor(background);
    gfx::Rect box = gfx::Rect::FromSize(0, 0, width, height);
    dc.DrawText(text, box, gfx::TextFormat::Left | gfx::TextFormat::Top);
    dc.Restore();
}

void DrawStretched(gfx::Context& dc, const gfx::Bitmap& picture, int width, int height) {
    if (picture.IsEmpty()) {
        return;
    }
    dc.DrawBitmap(picture, gfx::Rect::FromSize(0, 0, picture.Width(), picture.Height()),
                  gfx::Rect::FromSize(0, 0, width, height));
}

void DrawCollapseStrip(gfx::Context& dc, const gfx::Bitmap& picture, int width, int height) {
    if (picture.IsEmpty()) {
        return;
    }
    dc.FillRect(gfx::Rect::FromSize(0, 0, width, height), kStripBackground);
    const int top = height / 2 - kStripHeight / 2;
    dc.DrawBitmap(picture, gfx::Rect::FromSize(0, 0, picture.Width(), picture.Height()),
                  gfx::Rect::FromSize(0, top, kStripWidth, kStripHeight));
}

}  // namespace controls
