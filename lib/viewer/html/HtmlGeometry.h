#pragma once
// Whole-pixel points, sizes and rectangles of the HTML renderer and the tooltip:
// markup lengths are whole pixels, and the two passes of the renderer must land on
// exactly the same positions, so the layout never works with fractions.

#include "platform/gfx/Geometry.h"

struct HtmlPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const HtmlPoint&, const HtmlPoint&) = default;
};

struct HtmlSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const HtmlSize&, const HtmlSize&) = default;
};

struct HtmlRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Edges count as inside, as the hot areas of links are tested.
    bool ContainsInclusive(HtmlPoint point) const {
        return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
    }
    gfx::Rect ToGfx() const { return {double(left), double(top), double(right), double(bottom)}; }
    friend bool operator==(const HtmlRect&, const HtmlRect&) = default;
};
