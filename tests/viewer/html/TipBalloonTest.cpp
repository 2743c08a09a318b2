// The balloon's placement, shape and picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "lib/viewer/html/TipBalloon.h"
#include "platform/gfx/Context.h"

namespace {

const HtmlRect kScreen{0, 0, 1600, 1000};
// A text of 100 x 20 makes a body of 124 x 44 with the default margins of 12.
const HtmlSize kText{100, 20};

bool InRegion(const std::vector<HtmlRect>& runs, int x, int y) {
    return std::any_of(runs.begin(), runs.end(), [&](const HtmlRect& run) {
        return y >= run.top && y < run.bottom && x >= run.left && x < run.right;
    });
}

TEST(TipBalloonTest, PlacementFlipsAtTheScreenEdges) {
    struct Case {
        const char* name;
        HtmlPoint point;
        int direction;
        int placed;
        HtmlRect window;
    };
    const Case cases[] = {
        {"above, extending right", {800, 500}, 0x10, 0x10, {784, 440, 908, 500}},
        {"near the right edge it extends left", {1590, 500}, 0x10, 0x11, {1476, 440, 1600, 500}},
        {"near the top it goes below", {800, 10}, 0x10, 0x00, {784, 10, 908, 70}},
        {"above, centred", {800, 500}, 0x12, 0x12, {738, 440, 862, 500}},
        {"near the bottom it goes above", {800, 990}, 0x00, 0x10, {784, 930, 908, 990}},
        {"below, extending left, near the left edge", {20, 500}, 0x01, 0x00, {4, 500, 128, 560}},
        {"at the very left edge the pointer moves", {5, 500}, 0x01, 0x00, {0, 500, 124, 560}},
        {"centred near the left edge", {30, 500}, 0x02, 0x00, {14, 500, 138, 560}},
        {"right of the point near the right edge", {1550, 500}, 0x20, 0x30, {1410, 484, 1550, 528}},
        {"left of the point near the left edge", {50, 500}, 0x30, 0x20, {50, 484, 190, 528}},
    };
    CTipBalloon balloon;
    for (const Case& c : cases) {
        const BalloonLayout layout = balloon.Place(c.point, kText, c.direction, kScreen);
        EXPECT_EQ(layout.direction, c.placed) << c.name;
        EXPECT_EQ(layout.window, c.window) << c.name;
        // The pointer's tip is on the point.
        EXPECT_EQ(layout.window.left + layout.tip.x, c.point.x) << c.name;
        EXPECT_EQ(layout.window.top + layout.tip.y, c.point.y) << c.name;
        EXPECT_GE(layout.window.left, kScreen.left) << c.name;
        EXPECT_LE(layout.window.right, kScreen.right) << c.name;
    }
}

TEST(TipBalloonTest, TheBodyIsCutToTheScreen) {
    CTipBalloon balloon;
    const BalloonLayout layout = balloon.Place({800, 500}, {100000, 100000}, 0x00, kScreen);
    EXPECT_LE(layout.window.Width(), kScreen.Width());
    EXPECT_LE(layout.window.Height(), kScreen.Height());
}

TEST(TipBalloonTest, RegionHoldsTheBodyAndPointerWithoutTheCorners) {
    CTipBalloon balloon;
    const BalloonLayout layout = balloon.Place({800, 500}, kText, 0x00, kScreen);
    const std::vector<HtmlRect> runs = balloon.Region(layout, false);
    EXPECT_TRUE(InRegion(runs, layout.tip.x + 1, layout.tip.y + 4));
    EXPECT_TRUE(InRegion(runs, layout.tip.x + 2, layout.body.top - 1));  // the pointer joins the body
    EXPECT_TRUE(InRegion(runs, 60, 30));
    EXPECT_FALSE(InRegion(runs, 0, layout.body.top));  // a rounded corner
    EXPECT_FALSE(InRegion(runs, 100, 2));               // beside the pointer
    const std::vector<HtmlRect> shadowed = balloon.Region(layout, true);
    EXPECT_TRUE(InRegion(shadowed, layout.body.right + 3, layout.body.bottom + 3));
    EXPECT_FALSE(InRegion(runs, layout.body.right + 3, layout.body.bottom + 3));
}

TEST(TipBalloonTest, PaintsFillTextBorderShadowAndTransparency) {
    CTipBalloon balloon;
    CTipDrawManager draw;
    const BalloonLayout layout = balloon.Place({800, 500}, kText, 0x00, kScreen);
    HtmlRect textRect;
    BalloonLook look;
    look.begin = 0xE1FFFF;
    look.border = 0x000000;
    auto drawText = [&](gfx::Context& dc, const HtmlRect& text) {
        textRect = text;
        dc.FillRect(gfx::Rect::FromSize(text.left, text.top, 5, 5), gfx::Color{255, 0, 0});
    };
    const gfx::Bitmap opaque = balloon.Paint(layout, look, draw, drawText);
    EXPECT_EQ(opaque.Width(), layout.window.Width());
    EXPECT_EQ(textRect, (HtmlRect{12, 16 + 12, 112, 16 + 32}));
    EXPECT_EQ(opaque.PixelAt(60, 40), (gfx::Color{255, 255, 225, 255}));
    EXPECT_EQ(opaque.PixelAt(13, 29), (gfx::Color{255, 0, 0, 255}));
    EXPECT_EQ(opaque.PixelAt(60, layout.body.bottom - 1), (gfx::Color{0, 0, 0, 255}));  // the border
    EXPECT_EQ(opaque.PixelAt(0, layout.body.top).a, 0);
    EXPECT_EQ(opaque.PixelAt(layout.tip.x + 2, 8), (gfx::Color{255, 255, 225, 255}));  // the pointer's fill

    look.shadow = true;
    look.transparency = 50;
    const gfx::Bitmap translucent = balloon.Paint(layout, look, draw, drawText);
    EXPECT_EQ(translucent.Width(), layout.window.Width() + 6);
    EXPECT_EQ(translucent.Height(), layout.window.Height() + 6);
    const gfx::Color body = translucent.PixelAt(60, 40);
    // Half the balloon over its shadow, which is lighter by half: 64 of 255 dark.
    EXPECT_NEAR(body.a, (255 + 64) / 2, 2);
    const gfx::Color shade = translucent.PixelAt(layout.body.right + 2, layout.body.bottom + 2);
    EXPECT_EQ(shade.r, 0);
    EXPECT_GT(shade.a, 0);
    EXPECT_EQ(translucent.PixelAt(layout.body.right + 5, 2).a, 0);
}

}  // namespace
