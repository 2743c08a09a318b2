#include "lib/viewer/html/TipBalloon.h"

#include <algorithm>

#include "lib/viewer/html/BitmapPixels.h"
#include "platform/gfx/Context.h"

namespace {

// Runs of opaque pixels, row by row, moved by (dx, dy).
void AddRuns(const gfx::Bitmap& mask, int dx, int dy, std::vector<HtmlRect>& runs) {
    CBitmapPixels pixels(mask);
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint32_t* row = pixels.Row(y);
        int x = 0;
        while (x < pixels.Width()) {
            while (x < pixels.Width() && (row[x] >> 24) == 0) {
                ++x;
            }
            const int start = x;
            while (x < pixels.Width() && (row[x] >> 24) != 0) {
                ++x;
            }
            if (x > start) {
                runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
            }
        }
    }
}

}  // namespace

BalloonLayout CTipBalloon::Place(HtmlPoint point, HtmlSize textSize, int direction, const HtmlRect& screen) const {
    const BalloonMetrics& m = m_metrics;
    int side = direction & kSideMask;
    int align = direction & 0x0F;
    if (align > 2) {
        align = 0;
    }
    // Pointer on the top or bottom edge: the alignment runs across the screen.
    const bool vertical = side == kBelow || side == kAbove;
    const int pointer = m.pointerHeight;
    const int width = std::clamp(textSize.cx + 2 * m.marginX, 1, std::max(1, screen.Width() - (vertical ? 0 : pointer)));
    const int height =
        std::clamp(textSize.cy + 2 * m.marginY, 1, std::max(1, screen.Height() - (vertical ? pointer : 0)));

    // Along the alignment axis.
    const int along = vertical ? point.x : point.y;
    const int low = vertical ? screen.left : screen.top;
    const int high = vertical ? screen.right : screen.bottom;
    const int length = vertical ? width : height;
    auto tipFor = [&](int a) { return a == 0 ? m.pointerOffset : a == 1 ? length - m.pointerOffset : length / 2; };
    auto fits = [&](int a) {
        const int start = along - tipFor(a);
        return start >= low && start + length <= high;
    };
    if (!fits(align) && align != 2) {
        align = fits(1 - align) ? 1 - align : 2;
    }
    if (!fits(align) && align == 2) {
        align = along - length / 2 < low ? 0 : 1;
    }
    int tip = tipFor(align);
    if (along - tip < low) {
        tip = along - low;
    } else if (along - tip + length > high) {
        tip = along - (high - length);
    }
    tip = std::clamp(tip, 0, length);

    // Across: the side of the point, flipped when the balloon would leave the screen there.
    const int across = vertical ? point.y : point.x;
    const int lowAcross = vertical ? screen.top : screen.left;
    const int highAcross = vertical ? screen.bottom : screen.right;
    const int depth = (vertical ? height : width) + pointer;
    bool after = side == kBelow || side == kRight;  // the window starts at the point
    auto room = [&](bool a) { return a ? highAcross - across : across - lowAcross; };
    if (room(after) < depth && room(!after) > room(after)) {
        after = !after;
    }
    side = vertical ? (after ? kBelow : kAbove) : (after ? kRight : kLeft);

    BalloonLayout layout;
    layout.direction = side | align;
    int windowWidth = 0;
    int windowHeight = 0;
    if (vertical) {
        windowWidth = width;
        windowHeight = height + pointer;
        layout.body = after ? HtmlRect{0, pointer, width, pointer + height} : HtmlRect{0, 0, width, height};
        layout.tip = {tip, after ? 0 : windowHeight};
        layout.window.left = point.x - tip;
        layout.window.top = after ? point.y : point.y - windowHeight;
    } else {
        windowWidth = width + pointer;
        windowHeight = height;
        layout.body = after ? HtmlRect{pointer, 0, pointer + width, height} : HtmlRect{0, 0, width, height};
        layout.tip = {after ? 0 : windowWidth, tip};
        layout.window.left = after ? point.x : point.x - windowWidth;
        layout.window.top = point.y - tip;
    }
    layout.window.right = layout.window.left + windowWidth;
    layout.window.bottom = layout.window.top + windowHeight;
    layout.text = {layout.body.left + m.marginX, layout.body.top + m.marginY, layout.body.right - m.marginX,
                   layout.body.bottom - m.marginY};

    // The pointer's base lies on the straight part of the body's edge where it can.
    int baseStart = align == 0 ? tip : align == 1 ? tip - m.pointerWidth : tip - m.pointerWidth / 2;
    const int corner = (vertical ? m.cornerWidth : m.cornerHeight) / 2;
    if (length >= 2 * corner + m.pointerWidth) {
        baseStart = std::clamp(baseStart, corner, length - corner - m.pointerWidth);
    } else {
        baseStart = std::clamp(baseStart, 0, std::max(0, length - m.pointerWidth));
    }
    const int baseEnd = baseStart + m.pointerWidth;
    if (vertical) {
        const int edge = after ? layout.body.top : layout.body.bottom;
        layout.baseStart = {baseStart, edge};
        layout.baseEnd = {baseEnd, edge};
    } else {
        const int edge = after ? layout.body.left : layout.body.right;
        layout.baseStart = {edge, baseStart};
        layout.baseEnd = {edge, baseEnd};
    }
    return layout;
}

gfx::Bitmap CTipBalloon::Mask(const BalloonLayout& layout) const {
    gfx::Bitmap mask(layout.window.Width(), layout.window.Height());
    gfx::Context dc(mask);
    dc.SetAntialias(false);
    dc.SetPen(gfx::Pen::Null());
    dc.SetBrush(gfx::Color{0, 0, 0});
    dc.RoundRectangle(layout.body.ToGfx(), m_metrics.cornerWidth, m_metrics.cornerHeight);
    // The base reaches a pixel into the body, so that the pointer joins it.
    auto inward = [&](HtmlPoint p) {
        const double x = p.x + (layout.body.left == p.x && layout.body.left > 0 ? 1 : 0) -
                         (layout.body.right == p.x && layout.body.right < layout.window.Width() ? 1 : 0);
        const double y = p.y + (layout.body.top == p.y && layout.body.top > 0 ? 1 : 0) -
                         (layout.body.bottom == p.y && layout.body.bottom < layout.window.Height() ? 1 : 0);
        return gfx::Point{x, y};
    };
    const gfx::Point pointer[] = {{double(layout.tip.x), double(layout.tip.y)}, inward(layout.baseStart),
                                  inward(layout.baseEnd)};
    dc.Polygon(pointer);
    // The pixel under the mouse stays outside, so that the balloon never takes the
    // mouse from the window it belongs to just by appearing.
    const bool below = layout.body.top > 0;
    const bool right = layout.body.left > 0;
    if (below || right) {
        CBitmapPixels pixels(mask);
        for (int i = 0; i < (below ? pixels.Width() : pixels.Height()); ++i) {
            (below ? pixels.At(i, 0) : pixels.At(0, i)) = 0;
        }
    }
    return mask;
}

std::vector<HtmlRect> CTipBalloon::Region(const BalloonLayout& layout, bool withShadow) const {
    const gfx::Bitmap mask = Mask(layout);
    std::vector<HtmlRect> runs;
    AddRuns(mask, 0, 0, runs);
    if (withShadow) {
        AddRuns(mask, m_metrics.shadowDx, m_metrics.shadowDy, runs);
    }
    return runs;
}

gfx::Bitmap CTipBalloon::Paint(const BalloonLayout& layout, const BalloonLook& look, CTipDrawManager& draw,
                               const std::function<void(gfx::Context& dc, const HtmlRect& text)>& drawText) const {
    const int width = layout.window.Width();
    const int height = layout.window.Height();
    const gfx::Bitmap mask = Mask(layout);
    gfx::Bitmap balloon(width, height);
    {
        // The body's fill; the pointer's area continues the fill's edge next to it.
        const HtmlRect& body = layout.body;
        gfx::Bitmap fill(body.Width(), body.Height());
        {
            gfx::Context fillDc(fill);
            draw.FillEffect(fillDc, {0, 0, body.Width(), body.Height()}, look.effect, look.begin, look.middle,
                            look.end, look.granularity, look.granularity > 0);
        }
        gfx::Context dc(balloon);
        dc.DrawBitmap(fill, body.left, body.top);
        gfx::Rect edge;
        gfx::Rect strip;
        if (body.top > 0) {
            edge = {0, 0, double(body.Width()), 1};
            strip = {double(body.left), 0, double(body.right), double(body.top)};
        } else if (body.bottom < height) {
            edge = {0, double(body.Height() - 1), double(body.Width()), double(body.Height())};
            strip = {double(body.left), double(body.bottom), double(body.right), double(height)};
        } else if (body.left > 0) {
            edge = {0, 0, 1, double(body.Height())};
            strip = {0, double(body.top), double(body.left), double(body.bottom)};
        } else {
            edge = {double(body.Width() - 1), 0, double(body.Width()), double(body.Height())};
            strip = {double(body.right), double(body.top), double(width), double(body.bottom)};
        }
        dc.DrawBitmap(fill, edge, strip);
        drawText(dc, layout.text);
    }
    {
        // Cut to the region, then frame it: a pixel inside with a neighbour outside.
        CBitmapPixels shape(mask);
        CBitmapPixels pixels(balloon);
        auto inside = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < width && y < height && (shape.At(x, y) >> 24) != 0;
        };
        const std::uint32_t border = CBitmapPixels::Pack(255, look.border & 0xFF, (look.border >> 8) & 0xFF,
                                                         (look.border >> 16) & 0xFF);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!inside(x, y)) {
                    pixels.At(x, y) = 0;
                } else if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
                    pixels.At(x, y) = border;
                }
            }
        }
    }
    const int transparency = std::clamp(look.transparency, 0, 100);
    const BalloonMetrics& m = m_metrics;
    gfx::Bitmap result(width + (look.shadow ? m.shadowDx : 0), height + (look.shadow ? m.shadowDy : 0));
    if (look.shadow) {
        // The shadow is lighter the more transparent the balloon is.
        const int base = (255 * (100 - m.shadowDarkness) + 50) / 100;
        const int level = base + (255 - base) * transparency / 100;
        gfx::Bitmap levels(width, height);
        {
            CBitmapPixels shape(mask);
            CBitmapPixels out(levels);
            const std::uint32_t white = CBitmapPixels::Pack(255, 255, 255, 255);
            const std::uint32_t grey = CBitmapPixels::Pack(255, level, level, level);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    out.At(x, y) = (shape.At(x, y) >> 24) != 0 ? grey : white;
                }
            }
        }
        CTipDrawManager::DrawShadow(result, m.shadowDx, m.shadowDy, levels, true, m.shadowBlurX, m.shadowBlurY);
    }
    std::vector<HtmlRect> runs;
    AddRuns(mask, 0, 0, runs);
    for (const HtmlRect& run : runs) {
        CTipDrawManager::AlphaBlend(balloon, result, run, 100 - transparency);
    }
    return result;
}
