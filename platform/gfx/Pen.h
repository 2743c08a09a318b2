#pragma once
// What lines and outlines are drawn with. A width below 1 draws 1 pixel wide, as
// the program's thin pens expect. Dash lengths scale with the width, so a wide
// dashed line keeps its look.

#include "platform/gfx/Color.h"

namespace gfx {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, None };

struct Pen {
    Color color;
    double width = 1.0;
    PenStyle style = PenStyle::Solid;

    static Pen Null() { return {Color{}, 0.0, PenStyle::None}; }
    bool Draws() const { return style != PenStyle::None && color.a != 0; }
};

}  // namespace gfx
