// The off-screen drawing context: a paint lands on the target only when the
// context goes, covers the target's clip box at the target's coordinates on the
// target's background colour, and goes straight to a vector target.
#include <gtest/gtest.h>

#include <cairo.h>

#include "controls/MemDC.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using gfxtest::PixelNear;

constexpr gfx::Color kMemWhite{255, 255, 255};
constexpr gfx::Color kMemGreen{0, 160, 0};
constexpr gfx::Color kMemRed{255, 0, 0};
constexpr gfx::Color kGrey{200, 200, 200};

TEST(MemDCTest, DrawingReachesTheTargetInOneCopyWithinTheClipBox) {
    gfx::Bitmap bitmap(40, 30);
    gfx::Context target(bitmap);
    target.FillRect({0, 0, 40, 30}, kMemWhite);
    target.IntersectClip({10, 5, 30, 25});
    target.SetBackgroundColor(kGrey);
    {
        CMemDC dc(target);
        EXPECT_TRUE(dc.IsOffscreen());
        EXPECT_DOUBLE_EQ(10, dc.DrawRect().left);
        EXPECT_DOUBLE_EQ(25, dc.DrawRect().bottom);
        dc.FillRect({12, 8, 16, 12}, kMemGreen);  // the target's own coordinates
        dc.FillRect({0, 0, 40, 30}, kMemRed);      // nothing outside the clip box may change
        dc.FillRect({20, 15, 30, 25}, kMemGreen);
        EXPECT_TRUE(PixelNear(bitmap, 14, 10, kMemWhite)) << "nothing reaches the target before the copy";
    }
    EXPECT_TRUE(PixelNear(bitmap, 22, 20, kMemGreen));
    EXPECT_TRUE(PixelNear(bitmap, 14, 10, kMemRed));
    EXPECT_TRUE(PixelNear(bitmap, 5, 10, kMemWhite)) << "outside the clip box";
    EXPECT_TRUE(PixelNear(bitmap, 35, 28, kMemWhite)) << "outside the clip box";
}

TEST(MemDCTest, TheBitmapStartsInTheTargetsBackgroundColour) {
    gfx::Bitmap bitmap(20, 20);
    gfx::Context target(bitmap);
    target.SetBackgroundColor(kGrey);
    { CMemDC dc(target); }
    EXPECT_TRUE(PixelNear(bitmap, 0, 0, kGrey));
    EXPECT_TRUE(PixelNear(bitmap, 19, 19, kGrey));
}

TEST(MemDCTest, AnEmptyClipBoxDrawsNothing) {
    gfx::Bitmap bitmap(20, 20);
    gfx::Context target(bitmap);
    target.IntersectClip({5, 5, 5, 15});
    {
        CMemDC dc(target);
        dc.FillRect({0, 0, 20, 20}, kMemRed);
    }
    EXPECT_EQ(0, gfxtest::CountOtherThan(bitmap, 0, 0, 20, 20, gfx::Color{0, 0, 0, 0}));
}

TEST(MemDCTest, AVectorTargetIsDrawnOnDirectly) {
    cairo_surface_t* recording = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* cr = cairo_create(recording);
    {
        gfx::Context target(cr);
        CMemDC dc(target);
        EXPECT_FALSE(dc.IsOffscreen());
        dc.FillRect({2, 3, 6, 7}, kMemGreen);
    }
    cairo_destroy(cr);
    // What was recorded, played onto an image: the rectangle and nothing else.
    gfx::Bitmap bitmap(10, 10);
    gfx::Context replay(bitmap);
    cairo_set_source_surface(replay.Cairo(), recording, 0, 0);
    cairo_paint(replay.Cairo());
    cairo_surface_destroy(recording);
    EXPECT_TRUE(PixelNear(bitmap, 3, 4, kMemGreen));
    EXPECT_TRUE(PixelNear(bitmap, 8, 8, gfx::Color{0, 0, 0, 0}));
}

}  // namespace
