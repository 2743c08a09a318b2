#include <gtest/gtest.h>

#include <cairo.h>

#include <string>
#include <vector>

#include "platform/gfx/Context.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using gfx::Bitmap;
using gfx::Brush;
using gfx::Color;
using gfx::Context;
using gfx::Pen;
using gfx::PenStyle;
using gfx::Point;
using gfx::Rect;
using gfxtest::CountOtherThan;
using gfxtest::PixelNear;

constexpr Color kWhite{255, 255, 255};
constexpr Color kRed{255, 0, 0};
constexpr Color kBlue{0, 0, 255};

Bitmap WhiteBitmap(int width, int height) {
    Bitmap bitmap(width, height);
    Context(bitmap).FillRect(Rect{0, 0, double(width), double(height)}, kWhite);
    return bitmap;
}

TEST(ColorTest, ColorRefHasRedInTheLowByteAndArgbAlphaInTheHighByte) {
    struct Case {
        const char* name;
        Color color;
        Color expected;
    };
    const Case cases[] = {
        {"COLORREF", Color::FromColorRef(0x00336699), Color{0x99, 0x66, 0x33, 255}},
        {"COLORREF with alpha", Color::FromColorRef(0x00FF0000, 200), Color{0, 0, 255, 200}},
        {"COLORREF ignores its high byte", Color::FromColorRef(0xFF000001), Color{1, 0, 0, 255}},
        {"ARGB", Color::FromArgb(0xC87DA2CE), Color{125, 162, 206, 200}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, c.color) << c.name;
    }
    EXPECT_EQ(0x00336699u, Color::FromColorRef(0x00336699).ToColorRef());
}

TEST(ContextTest, LinesLightThePixelRowsTheyName) {
    struct Case {
        const char* name;
        double width;
        Point from, to;
        std::vector<Point> lit;
        std::vector<Point> unlit;
        bool antialias = true;
    };
    const Case cases[] = {
        {"horizontal 1px", 1, {2, 5}, {18, 5}, {{2, 5}, {10, 5}, {17, 5}}, {{10, 4}, {10, 6}, {1, 5}, {19, 5}}},
        {"vertical 1px", 1, {7, 1}, {7, 15}, {{7, 1}, {7, 14}}, {{6, 8}, {8, 8}, {7, 16}}},
        {"width 0 draws 1px", 0, {2, 5}, {18, 5}, {{2, 5}, {17, 5}}, {{10, 4}, {10, 6}, {18, 5}}},
        {"diagonal without antialiasing", 1, {0, 0}, {10, 10}, {{0, 0}, {5, 5}, {9, 9}}, {{10, 10}, {1, 0}, {0, 1}},
         false},
        {"horizontal 2px", 2, {2, 5}, {18, 5}, {{10, 4}, {10, 5}}, {{10, 3}, {10, 6}}},
        {"horizontal 3px", 3, {2, 5}, {18, 5}, {{10, 4}, {10, 5}, {10, 6}}, {{10, 3}, {10, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap = WhiteBitmap(20, 20);
        {
            Context context(bitmap);
            context.SetPen(Pen{kRed, c.width});
            context.SetAntialias(c.antialias);
            context.MoveTo(c.from.x, c.from.y);
            context.LineTo(c.to.x, c.to.y);
        }
        for (const Point& p : c.lit) {
            EXPECT_TRUE(PixelNear(bitmap, int(p.x), int(p.y), kRed));
        }
        for (const Point& p : c.unlit) {
            EXPECT_TRUE(PixelNear(bitmap, int(p.x), int(p.y), kWhite));
        }
    }
}

TEST(ContextTest, PenStylesLightTheirShareOfALine) {
    // 48 pixels of a 1-pixel line: dash 3 on 1 off, dot 1 on 1 off, and so on.
    struct Case {
        PenStyle style;
        int lit;
    };
    for (const Case c : {Case{PenStyle::Solid, 48}, Case{PenStyle::Dash, 36}, Case{PenStyle::Dot, 24},
                         Case{PenStyle::DashDot, 32}, Case{PenStyle::DashDotDot, 30}, Case{PenStyle::None, 0}}) {
        SCOPED_TRACE(int(c.style));
        Bitmap bitmap = WhiteBitmap(60, 3);
        {
            Context context(bitmap);
            context.SetPen(Pen{Color{0, 0, 0}, 1, c.style});
            context.DrawLine({0, 1}, {48, 1});
        }
        EXPECT_EQ(c.lit, CountOtherThan(bitmap, 0, 0, 60, 3, kWhite));
        EXPECT_EQ(c.lit, 48 - CountOtherThan(bitmap, 0, 1, 48, 2, Color{0, 0, 0}));
    }
}

TEST(ContextTest, ShapesFillWithTheBrushAndOutlineWithThePenInsideTheirRectangle) {
    Bitmap bitmap = WhiteBitmap(100, 40);
    {
        Context context(bitmap);
        context.SetPen(Pen{kRed});
        context.SetBrush(kBlue);
        context.Rectangle(Rect{10, 10, 20, 20});
        context.SetPen(Pen::Null());
        context.Rectangle(Rect{30, 10, 40, 20});
        context.SetPen(Pen{kRed});
        context.SetBrush(Brush::Null());
        context.Rectangle(Rect{50, 10, 60, 20});
        context.SetBrush(kBlue);
        context.Ellipse(Rect{70, 10, 90, 30});
    }
    // outlined and filled
    EXPECT_TRUE(PixelNear(bitmap, 10, 10, kRed));
    EXPECT_TRUE(PixelNear(bitmap, 19, 19, kRed));
    EXPECT_TRUE(PixelNear(bitmap, 15, 15, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 20, 20, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 9, 9, kWhite));
    // no pen: filled to the edge, nothing outside
    EXPECT_TRUE(PixelNear(bitmap, 30, 10, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 39, 19, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 40, 15, kWhite));
    // no brush: outline only
    EXPECT_TRUE(PixelNear(bitmap, 50, 15, kRed));
    EXPECT_TRUE(PixelNear(bitmap, 55, 15, kWhite));
    // ellipse: centre filled, edge midpoints outlined, bounding corners untouched
    EXPECT_TRUE(PixelNear(bitmap, 80, 20, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 80, 10, kRed, 60));
    EXPECT_TRUE(PixelNear(bitmap, 70, 10, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 89, 29, kWhite));
}

TEST(ContextTest, RoundRectangleCutsItsCornersAndPolygonsFillByTheEvenOddRule) {
    Bitmap bitmap = WhiteBitmap(80, 40);
    {
        Context context(bitmap);
        context.SetPen(Pen::Null());
        context.SetBrush(kBlue);
        context.RoundRectangle(Rect{0, 0, 30, 30}, 16, 16);
        // An outer square with an inner square in one polygon: the inner one is a hole.
        const std::vector<Point> ring = {{40, 0},  {70, 0},  {70, 30}, {40, 30}, {40, 0},
                                         {50, 10}, {50, 20}, {60, 20}, {60, 10}, {50, 10}};
        context.Polygon(ring);
    }
    EXPECT_TRUE(PixelNear(bitmap, 0, 0, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 29, 29, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 15, 0, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 0, 15, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 15, 15, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 45, 15, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 55, 15, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 75, 15, kWhite));
}

TEST(ContextTest, LinearGradientsRunFromTheirStartColourToTheirEndColour) {
    struct Case {
        const char* name;
        Point from, to;
        Point sample;
        Color expected;
    };
    const Color black{0, 0, 0};
    const Case cases[] = {
        {"left end", {0, 0}, {100, 0}, {0, 5}, black},
        {"middle", {0, 0}, {100, 0}, {50, 5}, Color{129, 129, 129}},
        {"right end", {0, 0}, {100, 0}, {99, 5}, Color{253, 253, 253}},
        {"vertical middle", {0, 0}, {0, 10}, {50, 5}, Color{140, 140, 140}},
        {"before the start keeps the start colour", {20, 0}, {80, 0}, {5, 5}, black},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap(100, 10);
        Context(bitmap).FillRect(Rect{0, 0, 100, 10}, Brush::Linear(c.from, c.to, black, kWhite));
        EXPECT_TRUE(PixelNear(bitmap, int(c.sample.x), int(c.sample.y), c.expected, 3));
    }
}

TEST(ContextTest, BitmapsBlendByOpacityAndByTheirOwnAlpha) {
    Bitmap opaqueRed(10, 10);
    Context(opaqueRed).FillRect(Rect{0, 0, 10, 10}, kRed);
    Bitmap halfBlue(10, 10);
    Context(halfBlue).FillRect(Rect{0, 0, 10, 10}, Color{0, 0, 255, 128});

    Bitmap target = WhiteBitmap(70, 20);
    {
        Context context(target);
        context.FillRect(Rect{50, 0, 60, 10}, Color{0, 0, 255, 128});
        context.DrawBitmap(opaqueRed, 0, 0);
        context.DrawBitmap(opaqueRed, 10, 0, 0.5);
        context.DrawBitmap(opaqueRed, 20, 0, 0.0);
        context.DrawBitmap(halfBlue, 30, 0);
        context.DrawBitmap(halfBlue, 40, 0, 0.5);
    }
    EXPECT_TRUE(PixelNear(target, 5, 5, kRed));
    EXPECT_TRUE(PixelNear(target, 15, 5, Color{255, 128, 128}));
    EXPECT_TRUE(PixelNear(target, 25, 5, kWhite));
    EXPECT_TRUE(PixelNear(target, 35, 5, Color{127, 127, 255}));
    EXPECT_TRUE(PixelNear(target, 45, 5, Color{191, 191, 255}));
    EXPECT_TRUE(PixelNear(target, 55, 5, Color{127, 127, 255}));  // a translucent fill blends alike
    EXPECT_TRUE(PixelNear(target, 5, 15, kWhite));  // nothing below the bitmaps
}

TEST(ContextTest, BitmapsStretchFromTheirSourcePartOntoTheDestination) {
    Bitmap quarters(2, 2);
    quarters.SetPixel(0, 0, kRed);
    quarters.SetPixel(1, 0, kBlue);
    quarters.SetPixel(0, 1, Color{0, 255, 0});
    quarters.SetPixel(1, 1, Color{0, 0, 0});
    Bitmap target = WhiteBitmap(60, 20);
    {
        Context context(target);
        context.DrawBitmap(quarters, Rect{0, 0, 2, 2}, Rect{0, 0, 20, 20});
        context.DrawBitmap(quarters, Rect{1, 0, 2, 1}, Rect{30, 0, 40, 10});
    }
    EXPECT_TRUE(PixelNear(target, 2, 2, kRed));
    EXPECT_TRUE(PixelNear(target, 17, 2, kBlue));
    EXPECT_TRUE(PixelNear(target, 2, 17, Color{0, 255, 0}));
    EXPECT_TRUE(PixelNear(target, 17, 17, Color{0, 0, 0}));
    EXPECT_TRUE(PixelNear(target, 30, 0, kBlue));
    EXPECT_TRUE(PixelNear(target, 39, 9, kBlue));
    EXPECT_TRUE(PixelNear(target, 40, 5, kWhite));
    EXPECT_TRUE(PixelNear(target, 35, 10, kWhite));
}

TEST(ContextTest, ClippingLimitsDrawingUntilRestore) {
    Bitmap bitmap = WhiteBitmap(40, 20);
    {
        Context context(bitmap);
        context.SetPen(Pen{kRed});
        context.Save();
        context.IntersectClip(Rect{10, 0, 30, 20});
        context.ExcludeClip(Rect{15, 5, 20, 10});
        const Rect box = context.ClipBox();
        EXPECT_EQ(10, box.left);
        EXPECT_EQ(30, box.right);
        context.SetPen(Pen{kBlue});
        context.Translate(1, 0);
        context.FillRect(Rect{-1, 0, 39, 20}, kBlue);
        context.Restore();
        EXPECT_EQ(kRed, context.GetPen().color);
        EXPECT_EQ(0, context.ClipBox().left);
        context.Restore();  // unmatched: nothing happens
        context.DrawLine({0, 19}, {40, 19});
    }
    EXPECT_TRUE(PixelNear(bitmap, 9, 2, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 10, 2, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 29, 2, kBlue));
    EXPECT_TRUE(PixelNear(bitmap, 30, 2, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 17, 7, kWhite));  // the excluded hole
    EXPECT_TRUE(PixelNear(bitmap, 0, 19, kRed));    // after Restore the origin and clip are back
    EXPECT_TRUE(PixelNear(bitmap, 39, 19, kRed));
}

TEST(ContextTest, ABorrowedCairoContextGetsItsStateBack) {
    Bitmap bitmap = WhiteBitmap(20, 20);
    cairo_t* cr = cairo_create(bitmap.Surface());
    cairo_set_source_rgb(cr, 0, 1, 0);
    {
        Context context(cr);
        context.Save();  // left open on purpose
        context.IntersectClip(Rect{0, 0, 5, 5});
        context.Translate(2, 2);
        context.FillRect(Rect{0, 0, 10, 10}, kRed);
    }
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    EXPECT_EQ(20, x2);
    cairo_rectangle(cr, 10, 10, 1, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    EXPECT_TRUE(PixelNear(bitmap, 3, 3, kRed));
    EXPECT_TRUE(PixelNear(bitmap, 6, 6, kWhite));
    EXPECT_TRUE(PixelNear(bitmap, 10, 10, Color{0, 255, 0}));
}

}  // namespace
