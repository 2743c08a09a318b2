#pragma once
// Points, sizes and rectangles in pixels. Coordinates name pixel corners, as in the
// window system: the rectangle (0, 0, 2, 1) covers the two pixels (0, 0) and (1, 0).
// They are doubles so that the report pages can place things between pixels.

namespace gfx {

struct Point {
    double x = 0;
    double y = 0;
};

struct Size {
    double width = 0;
    double height = 0;
};

struct Rect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    static constexpr Rect FromSize(double x, double y, double width, double height) {
        return {x, y, x + width, y + height};
    }
    constexpr double Width() const { return right - left; }
    constexpr double Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
};

}  // namespace gfx
