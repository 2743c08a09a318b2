#pragma once
// CTipBalloon: the geometry and the picture of a tooltip balloon: a rounded body
// around the text with a pointer whose tip sits on the mouse point. Placing turns a
// direction (a side of the point and an alignment along it) into a window
// rectangle on the screen, flipping side and alignment where the balloon would
// leave the screen. Painting draws the background fill, the text, the border and,
// where the window can be translucent, the blurred shadow and the transparency.
//
// Directions: side 0x00 below the point, 0x10 above, 0x20 right of it, 0x30 left;
// alignment 0 the body extends from the pointer to the right (or down), 1 to the
// left (or up), 2 centred.

#include <cstdint>
#include <functional>
#include <vector>

#include "lib/viewer/html/HtmlGeometry.h"
#include "lib/viewer/html/TipDrawManager.h"
#include "platform/gfx/Bitmap.h"

struct BalloonMetrics {
    int cornerWidth = 16;  // the corner ellipse of the body
    int cornerHeight = 16;
    int marginX = 12;  // between the body's edge and the text
    int marginY = 12;
    int pointerWidth = 12;
    int pointerHeight = 16;
    int pointerOffset = 16;  // of the tip from the body's near edge
    int shadowDx = 6;
    int shadowDy = 6;
    int shadowBlurX = 7;
    int shadowBlurY = 7;
    int shadowDarkness = 50;  // percent
};

struct BalloonLayout {
    int direction = 0;  // after flipping
    HtmlRect window;    // on the screen, without the shadow
    HtmlRect body;      // in window coordinates, as are the rest
    HtmlRect text;
    HtmlPoint tip;
    HtmlPoint baseStart;  // the pointer's base on the body's edge
    HtmlPoint baseEnd;
};

struct BalloonLook {
    int effect = kFillSolid;  // background fill of CTipDrawManager
    std::uint32_t begin = 0xE1FFFF;
    std::uint32_t middle = 0xE1FFFF;
    std::uint32_t end = 0xE1FFFF;
    int granularity = 0;
    std::uint32_t border = 0;
    bool shadow = false;   // only where the window can be translucent
    int transparency = 0;  // percent, 0 opaque .. 100 invisible
};

class CTipBalloon {
public:
    static constexpr int kSideMask = 0x30;
    static constexpr int kBelow = 0x00;
    static constexpr int kAbove = 0x10;
    static constexpr int kRight = 0x20;
    static constexpr int kLeft = 0x30;

    const BalloonMetrics& Metrics() const { return m_metrics; }

    // The balloon for a text of the size at the point; the body is cut to the screen.
    BalloonLayout Place(HtmlPoint point, HtmlSize textSize, int direction, const HtmlRect& screen) const;
    // The balloon's shape in window coordinates as rows of whole pixels, joined with
    // itself at the shadow's offset when the shadow is drawn.
    std::vector<HtmlRect> Region(const BalloonLayout& layout, bool withShadow) const;
    // The window's picture (grown by the shadow offset when the shadow is drawn):
    // transparent outside the region. drawText draws the text into the text rectangle.
    gfx::Bitmap Paint(const BalloonLayout& layout, const BalloonLook& look, CTipDrawManager& draw,
                      const std::function<void(gfx::Context& dc, const HtmlRect& text)>& drawText) const;

private:
    gfx::Bitmap Mask(const BalloonLayout& layout) const;

    BalloonMetrics m_metrics;
};
