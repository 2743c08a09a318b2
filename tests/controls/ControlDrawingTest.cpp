// How the small controls draw: polygons, the banner's centred caption, the text
// label, stretched pictures, the collapse strip and the animation's frames.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "controls/AnimationClip.h"
#include "controls/ControlDrawing.h"
#include "controls/ResizeCtrlState.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/PictureStore.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using gfxtest::CountOtherThan;
using gfxtest::PixelNear;

constexpr gfx::Color kWhite{255, 255, 255};
constexpr gfx::Color kDrawRed{255, 0, 0};
constexpr gfx::Color kDrawBlue{0, 0, 255};

gfx::Bitmap WhiteDrawingBitmap(int width, int height) {
    gfx::Bitmap bitmap(width, height);
    gfx::Context(bitmap).FillRect(gfx::Rect::FromSize(0, 0, width, height), kWhite);
    return bitmap;
}

// The bounding box of the pixels that are not white; empty when all are.
gfx::Rect Ink(const gfx::Bitmap& bitmap, gfx::Color background = kWhite) {
    int left = bitmap.Width(), top = bitmap.Height(), right = 0, bottom = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (!(bitmap.PixelAt(x, y) == background)) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x + 1);
                bottom = std::max(bottom, y + 1);
            }
        }
    }
    return right > left ? gfx::Rect{double(left), double(top), double(right), double(bottom)} : gfx::Rect{};
}

TEST(ControlDrawingTest, PolygonsAreFilledWithoutOutlineAndNeedThreePoints) {
    struct Case {
        const char* name;
        std::vector<gfx::Point> points;
        int filled;  // pixels in the fill colour
    };
    const Case cases[] = {
        {"no points", {}, 0},
        {"two points", {{0, 0}, {10, 10}}, 0},
        {"quadrilateral", {{2, 2}, {2, 12}, {22, 12}, {22, 2}}, 200},
    };
    for (const Case& c : cases) {
        gfx::Bitmap bitmap = WhiteDrawingBitmap(30, 20);
        gfx::Context dc(bitmap);
        controls::FillPolygon(dc, c.points, controls::kDefaultPolygonFill);
        EXPECT_EQ(30 * 20 - c.filled, CountOtherThan(bitmap, 0, 0, 30, 20, controls::kDefaultPolygonFill)) << c.name;
    }
}

TEST(ControlDrawingTest, BannerCaptionIsCentredOverTheBannerInTheCaptionFont) {
    const std::array<gfx::Point, 6> banner{{{0, 0}, {0, 21}, {3, 24}, {97, 24}, {100, 21}, {100, 0}}};
    for (const std::wstring caption : {L"谐波颜色", L"Harmonic"}) {
        EXPECT_EQ(0, gfx::MissingGlyphCount(caption, controls::CaptionFont()));
        gfx::Bitmap bitmap = WhiteDrawingBitmap(100, 24);
        gfx::Context dc(bitmap);
        controls::DrawBanner(dc, banner, controls::kDefaultPolygonFill, caption, kDrawRed);
        const gfx::Rect ink = Ink(bitmap, controls::kDefaultPolygonFill);
        ASSERT_FALSE(ink.IsEmpty());
        // The cut corners are left white; the caption's ink is what remains in red-ish pixels.
        gfx::Bitmap textOnly = WhiteDrawingBitmap(100, 24);
        gfx::Context plain(textOnly);
        controls::DrawBanner(plain, banner, kWhite, caption, kDrawRed);
        const gfx::Rect text = Ink(textOnly);
        ASSERT_FALSE(text.IsEmpty());
        EXPECT_NEAR(50, (text.left + text.right) / 2, 4) << "centred across";
        EXPECT_NEAR(12, (text.top + text.bottom) / 2, 4) << "centred down";
    }
}

TEST(ControlDrawingTest, BannerWithoutCaptionIsOnlyTheShape) {
    const std::array<gfx::Point, 6> banner{{{0, 0}, {0, 21}, {3, 24}, {97, 24}, {100, 21}, {100, 0}}};
    gfx::Bitmap bitmap = WhiteDrawingBitmap(100, 24);
    gfx::Context dc(bitmap);
    controls::DrawBanner(dc, banner, controls::kDefaultPolygonFill, L"", kDrawRed);
    EXPECT_TRUE(PixelNear(bitmap, 50, 12, controls::kDefaultPolygonFill, 0));
    EXPECT_TRUE(PixelNear(bitmap, 0, 23, kWhite, 0)) << "the cut corner";
    EXPECT_EQ(0, CountOtherThan(bitmap, 3, 0, 97, 21, controls::kDefaultPolygonFill));
}

TEST(ControlDrawingTest, TextLabelFillsItsBackgroundAndWritesFromTheTopLeft) {
    const std::wstring text = L"时长：\n大小：";
    EXPECT_EQ(0, gfx::MissingGlyphCount(text, controls::CaptionFont()));
    const gfx::Color background{113, 169, 208};
    gfx::Bitmap bitmap = WhiteDrawingBitmap(120, 60);
    gfx::Context dc(bitmap);
    controls::DrawTextLabel(dc, 120, 60, background, kWhite, text);
    const gfx::Rect ink = Ink(bitmap, background);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_LT(ink.left, 4);
    EXPECT_LT(ink.top, 6);
    EXPECT_GT(ink.bottom, 24) << "the line break starts a second line";
    EXPECT_TRUE(PixelNear(bitmap, 119, 59, background, 0));
}

TEST(ControlDrawingTest, PicturesAreStretchedOverTheAreaAndAMissingOneDrawsNothing) {
    gfx::Bitmap picture(2, 1);
    picture.SetPixel(0, 0, kDrawRed);
    picture.SetPixel(1, 0, kDrawBlue);
    gfx::Bitmap bitmap = WhiteDrawingBitmap(40, 10);
    gfx::Context dc(bitmap);
    controls::DrawStretched(dc, picture, 40, 10);
    EXPECT_TRUE(PixelNear(bitmap, 2, 8, kDrawRed));
    EXPECT_TRUE(PixelNear(bitmap, 37, 1, kDrawBlue));

    gfx::Bitmap untouched = WhiteDrawingBitmap(40, 10);
    gfx::Context other(untouched);
    controls::DrawStretched(other, gfx::Bitmap(), 40, 10);
    controls::DrawCollapseStrip(other, gfx::Bitmap(), 40, 10);
    EXPECT_EQ(0, CountOtherThan(untouched, 0, 0, 40, 10, kWhite));
}

TEST(ControlDrawingTest, CollapseStripPutsItsPictureAtTheLeftEdgeCentredDown) {
    gfx::Bitmap picture(1, 1);
    picture.SetPixel(0, 0, kDrawRed);
    gfx::Bitmap bitmap = WhiteDrawingBitmap(12, 200);
    gfx::Context dc(bitmap);
    controls::DrawCollapseStrip(dc, picture, 12, 200);
    const gfx::Rect red = Ink(bitmap, controls::kStripBackground);
    EXPECT_DOUBLE_EQ(0, red.left);
    EXPECT_DOUBLE_EQ(controls::kStripWidth, red.right);
    EXPECT_DOUBLE_EQ(100 - 40, red.top);
    EXPECT_DOUBLE_EQ(100 + 40, red.bottom);
}

TEST(ControlDrawingTest, AnimationFramesAreCutFromTheStrip) {
    gfx::Bitmap strip(6, 2);
    for (int x = 0; x < 6; ++x) {
        strip.SetPixel(x, 0, x < 2 ? kDrawRed : x < 4 ? kDrawBlue : kWhite);
        strip.SetPixel(x, 1, x < 2 ? kDrawRed : x < 4 ? kDrawBlue : kWhite);
    }
    const controls::AnimationClip clip(std::move(strip), 3);
    ASSERT_EQ(3, clip.FrameCount());
    EXPECT_EQ(2, clip.FrameWidth());
    gfx::Bitmap bitmap(4, 4);
    gfx::Context dc(bitmap);
    clip.DrawFrame(dc, 1, 1, 1);
    clip.DrawFrame(dc, 3, 0, 0);  // past the last frame: nothing
    EXPECT_TRUE(PixelNear(bitmap, 1, 1, kDrawBlue, 0));
    EXPECT_TRUE(PixelNear(bitmap, 2, 2, kDrawBlue, 0));
    EXPECT_TRUE(PixelNear(bitmap, 0, 0, gfx::Color{0, 0, 0, 0}, 0));

    EXPECT_TRUE(controls::AnimationClip(gfx::Bitmap(7, 2), 3).IsEmpty()) << "not divisible into frames";
    EXPECT_TRUE(controls::AnimationClip(gfx::Bitmap(), 3).IsEmpty());
}

TEST(ControlDrawingTest, TheProgramShipsTheTogglePicturesAndTheCopyingClip) {
    for (const int id : {controls::ResizeCtrlState::kPictureExpanded, controls::ResizeCtrlState::kPictureExpandedHover,
                         controls::ResizeCtrlState::kPictureCollapsed,
                         controls::ResizeCtrlState::kPictureCollapsedHover}) {
        const gfx::Bitmap picture = gfx::LoadPicture(id);
        EXPECT_EQ(controls::kStripWidth, picture.Width()) << id;
        EXPECT_EQ(controls::kStripHeight, picture.Height()) << id;
    }
    const controls::AnimationClip clip(gfx::LoadPicture(controls::kCopyClipPicture), controls::kCopyClipFrames);
    EXPECT_FALSE(clip.IsEmpty());
}

}  // namespace
