#include <gtest/gtest.h>

#include <cairo.h>

#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "tests/gfx/PixelAssert.h"
#include "tests/support/TempDir.h"

namespace {

using gfx::Bitmap;
using gfx::Color;
using gfxtest::PixelNear;

TEST(BitmapTest, SizesThatCannotMakeAPictureGiveAnEmptyBitmapThatDoesNothing) {
    struct Case {
        int width;
        int height;
    };
    for (const Case c : {Case{0, 5}, Case{5, 0}, Case{-1, 3}, Case{1 << 20, 1 << 20}}) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        Bitmap bitmap(c.width, c.height);
        EXPECT_TRUE(bitmap.IsEmpty());
        EXPECT_EQ(0, bitmap.Width());
        EXPECT_EQ(0, bitmap.Height());
        EXPECT_TRUE(bitmap.ToPng().empty());
        EXPECT_EQ((Color{0, 0, 0, 0}), bitmap.PixelAt(0, 0));
        gfx::Context context(bitmap);  // draws into nothing, without failing
        context.FillRect(gfx::Rect{0, 0, 10, 10}, Color{255, 0, 0});
        context.TextOut(0, 0, L"文字");
    }
}

TEST(BitmapTest, PixelsStartTransparentAndKeepStraightColoursThroughPremultiplication) {
    Bitmap bitmap(4, 3);
    ASSERT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(4, bitmap.Width());
    EXPECT_EQ(3, bitmap.Height());
    EXPECT_EQ((Color{0, 0, 0, 0}), bitmap.PixelAt(3, 2));

    bitmap.SetPixel(1, 1, Color{200, 100, 50, 255});
    bitmap.SetPixel(2, 1, Color{200, 100, 50, 128});
    bitmap.SetPixel(9, 9, Color{1, 2, 3});  // outside: ignored
    EXPECT_EQ((Color{200, 100, 50, 255}), bitmap.PixelAt(1, 1));
    EXPECT_TRUE(PixelNear(bitmap, 2, 1, Color{200, 100, 50, 128}, 1));
    EXPECT_EQ((Color{0, 0, 0, 0}), bitmap.PixelAt(-1, 0));
    EXPECT_EQ((Color{0, 0, 0, 0}), bitmap.PixelAt(4, 0));
}

TEST(BitmapTest, PngWrittenToAFileReadsBackWithTheSamePixels) {
    Bitmap bitmap(6, 5);
    {
        gfx::Context context(bitmap);
        context.FillRect(gfx::Rect{0, 0, 6, 5}, Color{10, 20, 30});
        context.FillRect(gfx::Rect{2, 1, 4, 3}, Color{250, 128, 0});
    }
    bitmap.SetPixel(5, 4, Color{0, 0, 255, 100});
    testsupport::TempDir dir;
    const auto file = dir / "图片/picture.png";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(bitmap.SavePng(file));

    const Bitmap loaded = Bitmap::LoadPng(file);
    ASSERT_EQ(6, loaded.Width());
    ASSERT_EQ(5, loaded.Height());
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_TRUE(PixelNear(loaded, x, y, bitmap.PixelAt(x, y), 1));
        }
    }
    EXPECT_EQ(bitmap.ToPng().substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST(BitmapTest, OpaquePngLoadsWithFullAlpha) {
    // Pictures without an alpha channel (such as logos) load in another cairo format.
    cairo_surface_t* rgb = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 3, 2);
    cairo_t* cr = cairo_create(rgb);
    cairo_set_source_rgb(cr, 0, 1, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    testsupport::TempDir dir;
    const auto file = dir / "opaque.png";
    ASSERT_EQ(CAIRO_STATUS_SUCCESS, cairo_surface_write_to_png(rgb, file.c_str()));
    cairo_surface_destroy(rgb);

    const Bitmap loaded = Bitmap::LoadPng(file);
    ASSERT_EQ(3, loaded.Width());
    EXPECT_EQ((Color{0, 255, 0, 255}), loaded.PixelAt(2, 1));
}

TEST(BitmapTest, WhatIsNotAPngLoadsAsAnEmptyBitmap) {
    testsupport::TempDir dir;
    Bitmap valid(2, 2);
    const std::string png = valid.ToPng();
    for (const std::string& bytes : {std::string(), std::string("GIF89a not a png"), png.substr(0, png.size() / 2)}) {
        SCOPED_TRACE(bytes.size());
        EXPECT_TRUE(Bitmap::FromPng(bytes).IsEmpty());
    }
    EXPECT_TRUE(Bitmap::LoadPng(dir / "missing.png").IsEmpty());
    EXPECT_FALSE(Bitmap().SavePng(dir / "empty.png"));
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
}

}  // namespace
