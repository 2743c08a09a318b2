// The tooltip's raster routines.
#include <gtest/gtest.h>

#include <string>

#include "lib/viewer/html/TipDrawManager.h"
#include "platform/gfx/Context.h"

namespace {

gfx::Bitmap Filled(int width, int height, gfx::Color colour) {
    gfx::Bitmap bitmap(width, height);
    gfx::Context dc(bitmap);
    dc.FillRect(gfx::Rect::FromSize(0, 0, width, height), colour);
    return bitmap;
}

bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (!(a.PixelAt(x, y) == b.PixelAt(x, y))) {
                return false;
            }
        }
    }
    return true;
}

TEST(TipDrawManagerTest, AlphaBlendByPercent) {
    struct Case {
        int percent;
        gfx::Color expected;  // red over blue
    };
    const Case cases[] = {
        {100, {255, 0, 0, 255}}, {150, {255, 0, 0, 255}}, {0, {0, 0, 255, 255}},
        {-5, {0, 0, 255, 255}},  {50, {128, 0, 128, 255}}, {25, {64, 0, 191, 255}},
    };
    for (const Case& c : cases) {
        const gfx::Bitmap source = Filled(4, 4, {255, 0, 0});
        gfx::Bitmap destination = Filled(4, 4, {0, 0, 255});
        CTipDrawManager::AlphaBlend(source, destination, {1, 1, 3, 3}, c.percent);
        EXPECT_EQ(destination.PixelAt(1, 1), c.expected) << c.percent;
        EXPECT_EQ(destination.PixelAt(0, 0), (gfx::Color{0, 0, 255, 255})) << c.percent;  // outside the part
        EXPECT_EQ(destination.PixelAt(3, 3), (gfx::Color{0, 0, 255, 255})) << c.percent;
    }
}

TEST(TipDrawManagerTest, TransformsByEffectFlags) {
    struct Case {
        unsigned flags;
        gfx::Color plain;  // of the pixel (200, 100, 40)
        gfx::Color keyed;  // of a key-coloured pixel
    };
    const Case cases[] = {
        {kImageGrey | kImageInvert, {132, 132, 132, 255}, {255, 255, 255, 255}},
        {kImageGrey, {123, 123, 123, 255}, {0, 0, 0, 255}},
        {kImageDarken, {150, 75, 30, 255}, {0, 0, 0, 255}},
        {kImageLighten, {250, 125, 50, 255}, {0, 0, 0, 255}},
        {kImageReplace, {1, 2, 3, 255}, {0, 0, 0, 255}},
        {0, {200, 100, 40, 255}, {0, 0, 0, 255}},
    };
    gfx::Bitmap picture = Filled(2, 1, {200, 100, 40});
    picture.SetPixel(1, 0, {255, 0, 255});
    for (const Case& c : cases) {
        CTipDrawManager draw;
        const gfx::Bitmap result = draw.TransformBitmap(picture, c.flags, {true, 0xFF00FF}, 0x030201);
        EXPECT_EQ(result.PixelAt(0, 0), c.plain) << c.flags;
        EXPECT_EQ(result.PixelAt(1, 0), c.keyed) << c.flags;
        EXPECT_FALSE(draw.HasAlpha());
    }
    CTipDrawManager draw;
    gfx::Bitmap translucent = Filled(1, 1, {10, 20, 30, 128});
    draw.TransformBitmap(translucent, 0, {});
    EXPECT_TRUE(draw.HasAlpha());
}

TEST(TipDrawManagerTest, GradientsSkipEmptyBands) {
    // 32 pixels wide: 64 bands, every other one empty; the last is (from + 63 x to) / 64.
    gfx::Bitmap bitmap(32, 2);
    gfx::Context dc(bitmap);
    CTipDrawManager::FillGradient(dc, 0x000000, 0xFFFFFF, {0, 0, 32, 2}, true);
    EXPECT_EQ(bitmap.PixelAt(31, 0), (gfx::Color{251, 251, 251, 255}));
    EXPECT_EQ(bitmap.PixelAt(0, 0), (gfx::Color{3, 3, 3, 255}));  // band 1
    gfx::Bitmap tall(2, 128);
    gfx::Context tallDc(tall);
    CTipDrawManager::FillGradient(tallDc, 0x0000FF, 0xFF0000, {0, 0, 2, 128}, false);
    EXPECT_EQ(tall.PixelAt(0, 0), (gfx::Color{255, 0, 0, 255}));
    EXPECT_EQ(tall.PixelAt(0, 127), (gfx::Color{3, 0, 251, 255}));
}

TEST(TipDrawManagerTest, EveryFillEffectIsReproducibleAndStaysInItsRectangle) {
    for (int effect = -1; effect <= 17; ++effect) {
        auto fill = [&] {
            gfx::Bitmap bitmap(60, 40);
            gfx::Context dc(bitmap);
            CTipDrawManager draw;
            draw.FillEffect(dc, {10, 5, 50, 35}, effect, 0x0000FF, 0x00FF00, 0xFF0000, 20, true);
            return bitmap;
        };
        const gfx::Bitmap first = fill();
        const gfx::Bitmap second = fill();
        EXPECT_TRUE(SamePixels(first, second)) << "effect " << effect;
        EXPECT_EQ(first.PixelAt(9, 20).a, 0) << "effect " << effect;
        EXPECT_EQ(first.PixelAt(50, 20).a, 0) << "effect " << effect;
        EXPECT_EQ(first.PixelAt(30, 4).a, 0) << "effect " << effect;
        EXPECT_EQ(first.PixelAt(30, 35).a, 0) << "effect " << effect;
        EXPECT_EQ(first.PixelAt(30, 20).a, effect < 0 ? 0 : 255) << "effect " << effect;
    }
    // Past the table: the begin colour.
    gfx::Bitmap solid(4, 4);
    gfx::Context dc(solid);
    CTipDrawManager().FillEffect(dc, {0, 0, 4, 4}, 40, 0x0000FF, 0, 0, 0, false);
    EXPECT_EQ(solid.PixelAt(2, 2), (gfx::Color{255, 0, 0, 255}));
}

TEST(TipDrawManagerTest, PatternedFillsOfHugeRectanglesCostOnlyTheVisiblePart) {
    gfx::Bitmap bitmap(50, 50);
    gfx::Context dc(bitmap);
    CTipDrawManager draw;
    for (const int effect : {kFillNoise, kFillMetal, kFillHardBump}) {
        draw.FillEffect(dc, {-100000, -100000, 100000, 100000}, effect, 0x0000FF, 0x00FF00, 0xFF0000, 5, true);
        EXPECT_EQ(bitmap.PixelAt(25, 25).a, 255) << effect;
    }
}

TEST(TipDrawManagerTest, StripCellsWithinTheStripOnly) {
    gfx::Bitmap strip(30, 10);
    {
        gfx::Context dc(strip);
        dc.FillRect(gfx::Rect::FromSize(0, 0, 10, 10), gfx::Color{255, 0, 0});
        dc.FillRect(gfx::Rect::FromSize(10, 0, 10, 10), gfx::Color{0, 255, 0});
        dc.FillRect(gfx::Rect::FromSize(20, 0, 10, 10), gfx::Color{0, 0, 255});
    }
    struct Case {
        int index;
        int cellWidth;
        int cellHeight;
        gfx::Color expected;
    };
    const Case cases[] = {
        {1, 10, 10, {0, 255, 0, 255}}, {2, 10, 10, {0, 0, 255, 255}}, {3, 10, 10, {0, 0, 0, 0}},
        {-1, 10, 10, {0, 0, 0, 0}},    {0, 0, 10, {0, 0, 0, 0}},      {0, 10, 0, {0, 0, 0, 0}},
        {0, 40, 10, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        gfx::Bitmap target(20, 20);
        gfx::Context dc(target);
        CTipDrawManager().DrawImageFromStrip(dc, 0, 0, 10, 10, strip, c.index, c.cellWidth, c.cellHeight, {}, 0, {});
        EXPECT_EQ(target.PixelAt(5, 5), c.expected) << c.index << " " << c.cellWidth << "x" << c.cellHeight;
    }
}

TEST(TipDrawManagerTest, ShadowsDarkenWhatIsBeneath) {
    gfx::Bitmap mask = Filled(10, 10, {255, 255, 255});
    {
        gfx::Context dc(mask);
        dc.FillRect(gfx::Rect::FromSize(0, 0, 10, 10), gfx::Color{128, 128, 128});
    }
    gfx::Bitmap opaque = Filled(20, 20, {200, 200, 200});
    CTipDrawManager::DrawShadow(opaque, 5, 5, mask, false, 0, 0);
    EXPECT_EQ(opaque.PixelAt(7, 7), (gfx::Color{100, 100, 100, 255}));
    EXPECT_EQ(opaque.PixelAt(4, 4), (gfx::Color{200, 200, 200, 255}));

    gfx::Bitmap clear(20, 20);
    CTipDrawManager::DrawShadow(clear, 0, 0, mask, false, 0, 0);
    EXPECT_EQ(clear.PixelAt(5, 5), (gfx::Color{0, 0, 0, 127}));

    // Blurred: the shadow fades towards the mask's edges and stays within them.
    gfx::Bitmap blurred(20, 20);
    const gfx::Bitmap big = Filled(20, 20, {0, 0, 0});
    CTipDrawManager::DrawShadow(blurred, 0, 0, big, true, 7, 7);
    EXPECT_EQ(blurred.PixelAt(10, 10).a, 255);
    EXPECT_LT(blurred.PixelAt(0, 0).a, blurred.PixelAt(4, 4).a);
    EXPECT_LT(blurred.PixelAt(0, 0).a, 255);
}

TEST(TipDrawManagerTest, LinesAndFrames) {
    gfx::Bitmap bitmap(20, 20);
    gfx::Context dc(bitmap);
    CTipDrawManager::DrawLine(dc, 0, 2, 10, 2, 0x0000FF, kLineSolid, 0);  // no width: nothing
    EXPECT_EQ(bitmap.PixelAt(5, 2).a, 0);
    CTipDrawManager::DrawLine(dc, 0, 2, 10, 2, 0x0000FF, kLineDouble, 1);
    EXPECT_EQ(bitmap.PixelAt(5, 2), (gfx::Color{255, 0, 0, 255}));
    EXPECT_EQ(bitmap.PixelAt(5, 4), (gfx::Color{255, 0, 0, 255}));
    EXPECT_EQ(bitmap.PixelAt(5, 3).a, 0);

    gfx::Bitmap frame(20, 20);
    gfx::Context frameDc(frame);
    CTipDrawManager::DrawFrame(frameDc, {2, 2, 12, 12}, 0x0000FF, 0xFF0000, kLineSolid, 2);
    EXPECT_EQ(frame.PixelAt(3, 6), (gfx::Color{255, 0, 0, 255}));   // left
    EXPECT_EQ(frame.PixelAt(6, 3), (gfx::Color{255, 0, 0, 255}));   // top
    EXPECT_EQ(frame.PixelAt(10, 6), (gfx::Color{0, 0, 255, 255}));  // right
    EXPECT_EQ(frame.PixelAt(6, 11), (gfx::Color{0, 0, 255, 255}));  // bottom
    EXPECT_EQ(frame.PixelAt(6, 6).a, 0);
    EXPECT_EQ(frame.PixelAt(12, 6).a, 0);
}

}  // namespace
