#pragma once
// Drawing helpers of the report pictures, on the drawing layer: fonts sized in
// points as on the report's reference screen (1 pt = 4/3 unit, so an 18-pt page
// number fills most of its 30-unit box), text boxed and aligned as the report
// layouts give it, and outlines stroked along the given geometry (half the pen
// inside, half outside), in the units of whatever the context draws on: page units
// on a report page, pixels on a picture.

#include <cstdint>
#include <span>
#include <string>

#include "platform/gfx/Context.h"

namespace report {

inline constexpr double kUnitsPerPoint = 4.0 / 3.0;

// The charts' common geometry: the face of their texts, the room of the value
// labels left of the plot, and the legend swatches.
inline constexpr const wchar_t* kChartFace = L"黑体";
inline constexpr double kValueLabelWidth = 90.0;
inline constexpr double kSwatchWidth = 30.0;
inline constexpr double kSwatchGap = 4.0;
inline constexpr double kLegendEntryGap = 10.0;

// A font of the face whose character height is `points` points.
gfx::Font PointFont(std::wstring face, double points, int weight = 400);
// A font of the face whose character height is `units` units.
gfx::Font UnitFont(std::wstring face, double units, int weight = 400);

// Opaque colours from the program's COLORREF values and from ARGB components.
gfx::Color FromColorRef(std::uint32_t colorRef);
inline constexpr gfx::Color Argb(int a, int r, int g, int b)
{
    return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b),
            static_cast<std::uint8_t>(a)};
}
inline constexpr gfx::Color kBlack = Argb(255, 0, 0, 0);
inline constexpr gfx::Color kWhite = Argb(255, 255, 255, 255);

enum class Align { Near, Center, Far };

struct TextStyle {
    gfx::Font font;
    gfx::Color color = kBlack;
    Align align = Align::Near;      // across the box
    Align lineAlign = Align::Near;  // down the box
    bool wrap = true;               // break long text at words within the box width
    bool ellipsis = false;          // cut text that does not fit with "…"
    bool shrinkToFit = false;       // a smaller font when the wrapped text is higher than the box
};

// The style's font, or a smaller one of the same face when the text, wrapped to the
// box's width, would be higher than the box (never below half the size): a long
// label in another language then stays whole in a box laid out for a short one.
gfx::Font FitFont(gfx::Context& context, const std::wstring& text, const gfx::Rect& box, const TextStyle& style);

// Draws the text into the box (x, y, width, height), clipped to it.
void DrawString(gfx::Context& context, const std::wstring& text, const gfx::Rect& box, const TextStyle& style);
// The size of the text on one line in the font.
gfx::Size MeasureString(gfx::Context& context, const std::wstring& text, const gfx::Font& font);

struct Stroke {
    gfx::Color color = kBlack;
    double width = 1.0;
    bool dashed = false;
    bool dotted = false;
};

void DrawLine(gfx::Context& context, double x1, double y1, double x2, double y2, const Stroke& stroke);
void DrawFrame(gfx::Context& context, const gfx::Rect& rect, const Stroke& stroke);
// An open path through the points, with mitred joins.
void DrawPath(gfx::Context& context, std::span<const gfx::Point> points, const Stroke& stroke);
void FillBox(gfx::Context& context, const gfx::Rect& rect, gfx::Color color);

}  // namespace report
