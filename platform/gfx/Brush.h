#pragma once
// What areas are filled with: nothing, one colour, or a linear gradient between two
// points (the colour is constant along lines at right angles to the gradient and
// extends past both ends).

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

namespace gfx {

struct Brush {
    enum class Kind { None, Solid, LinearGradient };

    Kind kind = Kind::None;
    Color color;       // the solid colour, or the gradient's start colour
    Color endColor;    // the gradient's end colour
    Point start;       // where the gradient has its start colour
    Point end;         // where it has its end colour

    Brush() = default;
    // A solid brush; implicit so that a colour can be passed where a brush is asked for.
    Brush(Color solid) : kind(Kind::Solid), color(solid) {}

    static Brush Null() { return Brush(); }
    static Brush Linear(Point from, Point to, Color fromColor, Color toColor) {
        Brush brush(fromColor);
        brush.kind = Kind::LinearGradient;
        brush.endColor = toColor;
        brush.start = from;
        brush.end = to;
        return brush;
    }
};

}  // namespace gfx
