#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <string>

#include "lib/viewer/data/BitmapFile.h"
#include "platform/gfx/Bitmap.h"
#include "tests/support/TempDir.h"

namespace {

std::uint32_t Field(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    }
    return value;
}

TEST(BitmapFileTest, WritesHeadersAndBottomUpRows) {
    gfx::Bitmap picture(3, 2);
    picture.SetPixel(0, 0, {255, 0, 0});        // top left: red
    picture.SetPixel(2, 1, {0, 0, 255});        // bottom right: blue
    picture.SetPixel(1, 1, {0, 0, 0, 0});       // transparent: white on the page
    testsupport::TempDir folder;
    const auto file = folder / "picture.bmp";
    ASSERT_TRUE(tracelume::SaveBitmapFile(picture, file));
    const std::string bytes = testsupport::ReadAll(file);
    const std::uint32_t stride = 12;  // 3 pixels of 3 bytes, padded to 4 bytes
    ASSERT_EQ(bytes.size(), 54u + 2 * stride);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Field(bytes, 2, 4), bytes.size());
    EXPECT_EQ(Field(bytes, 10, 4), 54u);
    EXPECT_EQ(Field(bytes, 14, 4), 40u);
    EXPECT_EQ(Field(bytes, 18, 4), 3u);
    EXPECT_EQ(Field(bytes, 22, 4), 2u);
    EXPECT_EQ(Field(bytes, 26, 2), 1u);
    EXPECT_EQ(Field(bytes, 28, 2), 24u);
    EXPECT_EQ(Field(bytes, 30, 4), 0u);
    EXPECT_EQ(Field(bytes, 34, 4), 2 * stride);
    // The bottom row first, each pixel blue, green, red.
    EXPECT_EQ(Field(bytes, 54 + 3, 3), 0xFFFFFFu);       // (1, 1) white
    EXPECT_EQ(Field(bytes, 54 + 6, 3), 0x0000FFu);       // (2, 1) blue: its byte comes first
    EXPECT_EQ(Field(bytes, 54 + stride, 3), 0xFF0000u);  // (0, 0) red: its byte comes last
    EXPECT_EQ(Field(bytes, 54 + stride - 3, 3), 0u);     // padding
}

TEST(BitmapFileTest, FailuresAreReportedAndLeaveTheOldFile) {
    testsupport::TempDir folder;
    const auto file = folder.Write("old.bmp", "old");
    EXPECT_FALSE(tracelume::SaveBitmapFile(gfx::Bitmap(), file));
    EXPECT_EQ(testsupport::ReadAll(file), "old");
    errno = 0;
    EXPECT_FALSE(tracelume::SaveBitmapFile(gfx::Bitmap(2, 2), folder / "missing/folder/new.bmp"));
    EXPECT_NE(errno, 0);
}

}  // namespace
