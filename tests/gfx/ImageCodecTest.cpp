#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/Context.h"
#include "platform/gfx/ImageCodec.h"
#include "tests/gfx/PixelAssert.h"
#include "tests/support/TempDir.h"

namespace {

using gfx::Color;
using gfxtest::PixelNear;

// 16 x 8: a red left half, a blue right half, one half-transparent green pixel.
gfx::Bitmap MakePicture() {
    gfx::Bitmap bitmap(16, 8);
    gfx::Context context(bitmap);
    context.FillRect(gfx::Rect{0, 0, 8, 8}, Color{255, 0, 0});
    context.FillRect(gfx::Rect{8, 0, 16, 8}, Color{0, 0, 255});
    bitmap.SetPixel(15, 7, Color{0, 255, 0, 128});
    return bitmap;
}

TEST(ImageCodecTest, EachWritableFormatReadsBackAsTheSamePicture) {
    const gfx::Bitmap picture = MakePicture();
    struct Case {
        const char* format;
        int tolerance;      // lossy formats move colours a little
        bool keepsAlpha;    // read back exactly (gdk-pixbuf's TIFF loader premultiplies)
    };
    for (const Case c : {Case{"png", 0, true}, Case{"jpeg", 40, false}, Case{"bmp", 0, false},
                         Case{"tiff", 1, false}}) {
        SCOPED_TRACE(c.format);
        ASSERT_TRUE(gfx::CanEncodeImage(c.format));
        std::string bytes;
        ASSERT_TRUE(gfx::EncodeImage(picture, c.format, bytes));
        const gfx::Bitmap read = gfx::DecodeImage(bytes);
        ASSERT_EQ(16, read.Width());
        ASSERT_EQ(8, read.Height());
        EXPECT_TRUE(PixelNear(read, 2, 3, Color{255, 0, 0}, c.tolerance));
        EXPECT_TRUE(PixelNear(read, 11, 3, Color{0, 0, 255}, c.tolerance));
        if (c.keepsAlpha) {
            EXPECT_TRUE(PixelNear(read, 15, 7, Color{0, 255, 0, 128}, 2));
        }
    }
}

TEST(ImageCodecTest, UnknownFormatsAndBrokenBytesGiveNothing) {
    std::string bytes = "kept";
    EXPECT_FALSE(gfx::CanEncodeImage("gif")) << "gdk-pixbuf reads GIF but cannot write it";
    EXPECT_FALSE(gfx::EncodeImage(MakePicture(), "gif", bytes));
    EXPECT_FALSE(gfx::EncodeImage(MakePicture(), "nonsense", bytes));
    EXPECT_FALSE(gfx::EncodeImage(gfx::Bitmap(), "png", bytes));
    EXPECT_EQ("kept", bytes);
    EXPECT_TRUE(gfx::DecodeImage("").IsEmpty());
    EXPECT_TRUE(gfx::DecodeImage("not a picture at all").IsEmpty());
    std::string png;
    ASSERT_TRUE(gfx::EncodeImage(MakePicture(), "png", png));
    EXPECT_TRUE(gfx::DecodeImage(png.substr(0, png.size() / 2)).IsEmpty()) << "a truncated file";
    testsupport::TempDir dir;
    EXPECT_TRUE(gfx::LoadImageFile(dir.Path() / "missing.jpg").IsEmpty());
}

TEST(ImageCodecTest, FastPngKeepsThePicture)
{
    const gfx::Bitmap picture = MakePicture();
    struct Case {
        bool opaque;
        int compression;
    };
    for (const Case c : {Case{false, 1}, Case{false, 9}, Case{true, 1}, Case{true, 0}}) {
        SCOPED_TRACE(std::to_string(c.opaque) + " " + std::to_string(c.compression));
        const std::string png = gfx::EncodePng(picture, gfx::PngOptions{c.opaque, c.compression});
        const gfx::Bitmap read = gfx::Bitmap::FromPng(png);
        ASSERT_EQ(16, read.Width());
        EXPECT_EQ((Color{255, 0, 0}), read.PixelAt(2, 3));
        EXPECT_EQ((Color{0, 0, 255}), read.PixelAt(11, 3));
        // Opaque drops the alpha: the half-transparent pixel keeps its premultiplied colour.
        EXPECT_TRUE(PixelNear(read, 15, 7, c.opaque ? Color{0, 128, 0} : Color{0, 255, 0, 128}, 2));
    }
    EXPECT_TRUE(gfx::EncodePng(gfx::Bitmap(), gfx::PngOptions{}).empty());
}

}  // namespace
