// The shipped pictures are the ones the drawing code makes: a picture changed in
// one place and not the other shows here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "tools/pictures/Pictures.h"

namespace {

TEST(ShellPictures, TheShippedFilesMatchTheDrawing) {
    const std::filesystem::path folder = std::filesystem::path(ONDRAVA_SOURCE_DIR) / "resources" / "Pictures";
    for (const pictures::Picture& picture : pictures::DrawShellPictures()) {
        const gfx::Bitmap shipped = gfx::Bitmap::LoadPng(folder / (std::to_string(picture.id) + ".png"));
        ASSERT_FALSE(shipped.IsEmpty()) << picture.id << ": run ondrava-pictures resources/Pictures";
        ASSERT_EQ(shipped.Width(), picture.bitmap.Width()) << picture.id;
        ASSERT_EQ(shipped.Height(), picture.bitmap.Height()) << picture.id;
        int differing = 0;
        for (int y = 0; y < shipped.Height(); ++y) {
            for (int x = 0; x < shipped.Width(); ++x) {
                differing += shipped.PixelAt(x, y) == picture.bitmap.PixelAt(x, y) ? 0 : 1;
            }
        }
        EXPECT_EQ(differing, 0) << picture.id << ": run ondrava-pictures resources/Pictures";
    }
}

}  // namespace
