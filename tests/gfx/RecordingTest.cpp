#include <gtest/gtest.h>

#include <memory>

#include "platform/gfx/Context.h"
#include "platform/gfx/Recording.h"
#include "platform/gfx/VectorDrawing.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using gfx::Color;
using gfx::Rect;
using gfxtest::PixelNear;

constexpr Color kRecRed{255, 0, 0};
constexpr Color kRecBlue{0, 0, 255};
constexpr Color kRecWhite{255, 255, 255};

// A 100 x 50 recording: a red left half and a blue square in the right half.
gfx::Recording MakeRecording() {
    gfx::Recording recording(100, 50);
    const std::unique_ptr<gfx::Context> context = recording.NewContext();
    context->FillRect(Rect{0, 0, 50, 50}, kRecRed);
    context->FillRect(Rect{60, 10, 90, 40}, kRecBlue);
    context->FillRect(Rect{-20, -20, 0, 0}, kRecBlue);  // outside the extent: cut off
    return recording;
}

TEST(RecordingTest, RendersAtAnyResolutionWithTheSameLayout) {
    const gfx::Recording recording = MakeRecording();
    ASSERT_FALSE(recording.IsEmpty());
    EXPECT_EQ(100, recording.Width());
    EXPECT_EQ(50, recording.Height());
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{100, 50}, Case{300, 150}, Case{40, 20}}) {
        SCOPED_TRACE(std::to_string(c.width));
        const double s = c.width / 100.0;
        const gfx::Bitmap bitmap = recording.Render(c.width, c.height, kRecWhite);
        ASSERT_EQ(c.width, bitmap.Width());
        EXPECT_TRUE(PixelNear(bitmap, static_cast<int>(25 * s), static_cast<int>(25 * s), kRecRed));
        EXPECT_TRUE(PixelNear(bitmap, static_cast<int>(75 * s), static_cast<int>(25 * s), kRecBlue));
        EXPECT_TRUE(PixelNear(bitmap, static_cast<int>(55 * s), static_cast<int>(25 * s), kRecWhite));
        if (s >= 1) {
            EXPECT_TRUE(PixelNear(bitmap, 0, c.height - 1, kRecRed)) << "nothing shifted at the corner";
        }
    }
}

TEST(RecordingTest, PlaysIntoADestinationRectangleAndIntoOtherRecordings) {
    const gfx::Recording part = MakeRecording();
    gfx::Recording page(200, 200);
    {
        const std::unique_ptr<gfx::Context> context = page.NewContext();
        context->FillRect(Rect{0, 0, 200, 200}, kRecWhite);
        part.Play(*context, Rect::FromSize(100, 100, 50, 25));  // half size
    }
    const gfx::Bitmap bitmap = page.Render(400, 400);  // twice the page units
    EXPECT_TRUE(PixelNear(bitmap, 2 * 110, 2 * 110, kRecRed));
    EXPECT_TRUE(PixelNear(bitmap, 2 * 137, 2 * 112, kRecBlue));
    EXPECT_TRUE(PixelNear(bitmap, 2 * 160, 2 * 110, kRecWhite)) << "nothing beyond the destination";
    EXPECT_TRUE(PixelNear(bitmap, 2 * 90, 2 * 110, kRecWhite));
    // Played as drawing, not as pixels: the edge stays sharp at the finer resolution.
    EXPECT_EQ(kRecRed, bitmap.PixelAt(2 * 125 - 1, 2 * 110));
    EXPECT_EQ(kRecWhite, bitmap.PixelAt(2 * 125, 2 * 110));
}

TEST(RecordingTest, AnEmptyRecordingDrawsNothing) {
    gfx::Recording empty(0, 10);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(nullptr, empty.NewContext());
    gfx::Bitmap bitmap(10, 10);
    gfx::Context context(bitmap);
    empty.Play(context, Rect{0, 0, 10, 10});
    EXPECT_EQ((Color{0, 0, 0, 0}), bitmap.PixelAt(5, 5));
    gfx::Recording moved = MakeRecording();
    gfx::Recording target = std::move(moved);
    EXPECT_TRUE(moved.IsEmpty());  // NOLINT(bugprone-use-after-move): moved-from state is defined
    EXPECT_FALSE(target.IsEmpty());
}

TEST(RecordingTest, RenderingIntoAKeptBitmapReusesItsPixelsAndLeavesNothingBehind) {
    const gfx::Recording first = MakeRecording();
    const gfx::Recording blank(100, 50);
    gfx::Bitmap pixels;
    ASSERT_TRUE(first.RenderInto(pixels, 200, 100, kRecWhite));
    const cairo_surface_t* surface = pixels.Surface();
    EXPECT_TRUE(PixelNear(pixels, 50, 50, kRecRed));

    ASSERT_TRUE(blank.RenderInto(pixels, 200, 100, kRecWhite));
    EXPECT_EQ(surface, pixels.Surface()) << "the same pixels, not new ones";
    EXPECT_EQ(kRecWhite, pixels.PixelAt(50, 50)) << "nothing of the page before";
    ASSERT_TRUE(blank.RenderInto(pixels, 200, 100));
    EXPECT_EQ((Color{0, 0, 0, 0}), pixels.PixelAt(50, 50)) << "a transparent background clears too";

    ASSERT_TRUE(first.RenderInto(pixels, 100, 50, kRecWhite));
    EXPECT_EQ(100, pixels.Width()) << "another size, another bitmap";
    EXPECT_FALSE(first.RenderInto(pixels, 0, 50));
}

TEST(RecordingTest, KeepsItsDrawingAsVectorOperations) {
    gfx::Recording part(100, 50);
    part.NewContext()->FillRect(Rect{0, 0, 10, 10}, kRecRed);
    gfx::Recording page(200, 200);
    {
        const std::unique_ptr<gfx::Context> context = page.NewContext();
        context->Translate(5, 0);
        context->FillRect(Rect{0, 0, 20, 20}, kRecBlue);
        part.Play(*context, Rect::FromSize(100, 100, 50, 25));
    }
    ASSERT_NE(page.Vectors(), nullptr);
    const std::vector<gfx::VectorOp>& ops = page.Vectors()->Ops();
    ASSERT_EQ(ops.size(), 5u) << "the fill, then the part: save, clip, play, restore";
    const auto& fill = std::get<gfx::FillOp>(ops[0]);
    EXPECT_EQ(fill.path.points.front().x, 5.0) << "in the recording's units, the origin moved";
    EXPECT_EQ(fill.brush.color, kRecBlue);
    const auto& clip = std::get<gfx::ClipOp>(ops[2]);
    EXPECT_EQ(clip.rect.left, 105.0);
    const auto& play = std::get<gfx::PlayOp>(ops[3]);
    EXPECT_EQ(play.drawing.get(), part.Vectors());
    EXPECT_EQ(play.scaleX, 0.5);
    EXPECT_EQ(play.dx, 105.0);
    EXPECT_TRUE(std::holds_alternative<gfx::RestoreOp>(ops[4]));
    EXPECT_EQ(gfx::Recording().Vectors(), nullptr);
}

}  // namespace
