#include "controls/ColorPopupLayout.h"

#include "controls/ControlDrawing.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Pen.h"

namespace controls {
namespace {

constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16;
}

constexpr std::uint32_t kSwatches[ColorPopupLayout::kColumns * ColorPopupLayout::kRows] = {
    Rgb(0, 0, 0),       Rgb(153, 51, 0),    Rgb(51, 51, 0),     Rgb(0, 51, 0),      Rgb(0, 51, 102),
    Rgb(0, 0, 128),     Rgb(51, 51, 153),   Rgb(51, 51, 51),    Rgb(128, 0, 0),     Rgb(255, 102, 0),
    Rgb(128, 128, 0),   Rgb(0, 128, 0),     Rgb(0, 128, 128),   Rgb(0, 0, 255),     Rgb(102, 102, 153),
    Rgb(128, 128, 128), Rgb(255, 0, 0),     Rgb(255, 153, 0),   Rgb(153, 204, 0),   Rgb(51, 153, 102),
    Rgb(51, 204, 204),  Rgb(51, 102, 255),  Rgb(128, 0, 128),   Rgb(153, 153, 153), Rgb(255, 0, 255),
    Rgb(255, 204, 0),   Rgb(255, 255, 0),   Rgb(0, 255, 0),     Rgb(0, 255, 255),   Rgb(0, 204, 255),
    Rgb(153, 51, 102),  Rgb(192, 192, 192), Rgb(255, 153, 204), Rgb(255, 204, 153), Rgb(255, 255, 153),
    Rgb(204, 255, 204), Rgb(204, 255, 255), Rgb(153, 204, 255), Rgb(204, 153, 255), Rgb(255, 255, 255),
};

constexpr gfx::Color kFace{246, 246, 246};
constexpr gfx::Color kFrame{128, 128, 128};
constexpr gfx::Color kLit{255, 226, 148};
constexpr gfx::Color kLitFrame{0, 0, 128};

bool Inside(const gfx::Rect& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

void Outline(gfx::Context& dc, const gfx::Rect& rect, gfx::Color colour)
{
    dc.SetPen(gfx::Pen{colour, 1.0, gfx::PenStyle::Solid});
    dc.SetBrush(gfx::Brush::Null());
    dc.Rectangle(rect);
}

void DrawBar(gfx::Context& dc, const gfx::Rect& rect, bool lit, const std::wstring& text, const std::uint32_t* swatch)
{
    dc.FillRect(rect, gfx::Brush(lit ? kLit : kFace));
    Outline(dc, rect, lit ? kLitFrame : kFrame);
    gfx::Rect textBox = rect;
    if (swatch) {
        const gfx::Rect box = gfx::Rect::FromSize(rect.left + 4, rect.top + 4, rect.Height() - 8, rect.Height() - 8);
        dc.FillRect(box, gfx::Brush(gfx::Color::FromColorRef(*swatch)));
        Outline(dc, box, kFrame);
        textBox.left = box.right + 4;
    }
    dc.SetFont(CaptionFont());
    dc.SetTextColor(gfx::Color{0, 0, 0});
    dc.DrawText(text, textBox,
                (swatch ? gfx::TextFormat::Left : gfx::TextFormat::Center) | gfx::TextFormat::VCenter |
                    gfx::TextFormat::SingleLine);
}

}  // namespace

std::span<const std::uint32_t> ColorPopupLayout::Swatches() { return kSwatches; }

gfx::Rect ColorPopupLayout::DefaultRect() { return gfx::Rect::FromSize(kMargin, kMargin, kColumns * kCell, kBar); }

gfx::Rect ColorPopupLayout::SwatchRect(int index)
{
    const int column = index % kColumns, row = index / kColumns;
    return gfx::Rect::FromSize(kMargin + column * kCell, 2 * kMargin + kBar + row * kCell, kCell, kCell);
}

gfx::Rect ColorPopupLayout::MoreRect()
{
    return gfx::Rect::FromSize(kMargin, 3 * kMargin + kBar + kRows * kCell, kColumns * kCell, kBar);
}

ColorPopupHit ColorPopupLayout::HitTest(int x, int y)
{
    if (Inside(DefaultRect(), x, y)) {
        return {ColorPopupPart::Default, -1};
    }
    if (Inside(MoreRect(), x, y)) {
        return {ColorPopupPart::More, -1};
    }
    for (int index = 0; index < kColumns * kRows; ++index) {
        if (Inside(SwatchRect(index), x, y)) {
            return {ColorPopupPart::Swatch, index};
        }
    }
    return {};
}

gfx::Point ColorPopupLayout::Centre(const ColorPopupHit& part)
{
    gfx::Rect rect;
    switch (part.part) {
    case ColorPopupPart::Default: rect = DefaultRect(); break;
    case ColorPopupPart::More: rect = MoreRect(); break;
    case ColorPopupPart::Swatch: rect = SwatchRect(part.index); break;
    case ColorPopupPart::None: return {-1, -1};
    }
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ColorPopupLayout::Draw(gfx::Context& dc, std::uint32_t current, std::uint32_t defaultColor,
                            const ColorPopupHit& hover, const std::wstring& defaultText, const std::wstring& moreText)
{
    dc.Save();
    const gfx::Rect all = gfx::Rect::FromSize(0, 0, Width(), Height());
    dc.FillRect(all, gfx::Brush(kFace));
    Outline(dc, gfx::Rect::FromSize(0, 0, Width() - 1, Height() - 1), kFrame);
    DrawBar(dc, DefaultRect(), hover.part == ColorPopupPart::Default, defaultText, &defaultColor);
    bool framed = false;
    for (int index = 0; index < kColumns * kRows; ++index) {
        const gfx::Rect cell = SwatchRect(index);
        const bool lit = hover == ColorPopupHit{ColorPopupPart::Swatch, index};
        const bool chosen = !framed && kSwatches[index] == current;
        framed = framed || chosen;
        if (lit || chosen) {
            dc.FillRect(cell, gfx::Brush(lit ? kLit : kFace));
            Outline(dc, gfx::Rect{cell.left, cell.top, cell.right - 1, cell.bottom - 1}, kLitFrame);
        }
        const gfx::Rect box{cell.left + 3, cell.top + 3, cell.right - 3, cell.bottom - 3};
        dc.FillRect(box, gfx::Brush(gfx::Color::FromColorRef(kSwatches[index])));
        Outline(dc, box, kFrame);
    }
    DrawBar(dc, MoreRect(), hover.part == ColorPopupPart::More, moreText, nullptr);
    dc.Restore();
}

}  // namespace controls
