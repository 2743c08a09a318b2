#pragma once
// How the small shared controls draw themselves, apart from their windows: filled
// polygons, the banner with its centred caption, the coloured text label, a
// stretched picture and the collapse strip. Each draws the whole client area it
// is given, or only its shape where the control is a shape on its background.

#include <span>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"

namespace controls {

// The fill of both polygon controls until the owner sets another.
inline constexpr gfx::Color kDefaultPolygonFill{143, 192, 233};
// The banner is 24 pixels high; its caption is centred on that height.
inline constexpr int kBannerHeight = 24;
// The collapse strip's picture is drawn this size at the control's left edge.
inline constexpr int kStripWidth = 5;
inline constexpr int kStripHeight = 80;
inline constexpr gfx::Color kStripBackground{218, 228, 233};

// The caption font of the banner and the text label.
gfx::Font CaptionFont();

// Fills the polygon (even-odd rule) without an outline; fewer than three points draw nothing.
void FillPolygon(gfx::Context& dc, std::span<const gfx::Point> points, gfx::Color fill);
// The banner: the filled polygon, then the caption centred between the first and
// the fourth point across and on the banner's height down.
void DrawBanner(gfx::Context& dc, std::span<const gfx::Point> points, gfx::Color fill, const std::wstring& caption,
                gfx::Color textColor);
// The text from the top-left corner on the background colour, in the caption font.
void DrawTextLabel(gfx::Context& dc, int width, int height, gfx::Color background, gfx::Color textColor,
                   const std::wstring& text);
// The picture stretched over the whole area; an empty picture draws nothing.
void DrawStretched(gfx::Context& dc, const gfx::Bitmap& picture, int width, int height);
// The collapse strip: its background, and the picture at the left edge, centred down.
void DrawCollapseStrip(gfx::Context& dc, const gfx::Bitmap& picture, int width, int height);

}  // namespace controls
