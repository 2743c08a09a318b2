#include <gtest/gtest.h>

#include <filesystem>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/PictureStore.h"
#include "tests/support/ProgramFolderFixture.h"

namespace {

TEST(PictureStoreTest, PicturesAreFoundByIdInTheProgramFolderAndMissingOnesAreEmpty) {
    const std::filesystem::path folder = testsupport::PrepareProgramFolder();
    // Only this test's own picture: the program ships pictures of these ids too.
    std::filesystem::remove_all(folder / "Pictures");
    std::filesystem::create_directories(folder / "Pictures");
    gfx::Bitmap drawn(6, 4);
    drawn.SetPixel(2, 1, gfx::Color{10, 20, 30, 255});
    ASSERT_TRUE(drawn.SavePng(folder / "Pictures" / "4108.png"));

    const gfx::Bitmap loaded = gfx::LoadPicture(4108);
    ASSERT_FALSE(loaded.IsEmpty());
    EXPECT_EQ(6, loaded.Width());
    EXPECT_EQ((gfx::Color{10, 20, 30, 255}), loaded.PixelAt(2, 1));
    EXPECT_TRUE(gfx::LoadPicture(4109).IsEmpty());
    EXPECT_TRUE(gfx::LoadPicture(-1).IsEmpty());
}

}  // namespace
