#include "HtmlTestEnvironment.h"

#include <gtest/gtest.h>

#include "platform/base/ProgramFolder.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/FontConfig.h"
#include "tests/support/ProgramFolderFixture.h"

namespace htmltest {
namespace {

class HtmlTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::filesystem::path folder = testsupport::PrepareProgramFolder();
        ASSERT_TRUE(gfx::LoadFontConfig(folder));
        std::filesystem::create_directories(folder / "Pictures");
        gfx::Bitmap strip(64, 16);
        {
            gfx::Context dc(strip);
            for (int frame = 0; frame < 4; ++frame) {
                dc.FillRect(gfx::Rect::FromSize(frame * 16, 0, 16, 16), kStripColours[frame]);
            }
        }
        ASSERT_TRUE(strip.SavePng(folder / "Pictures" / (std::to_string(kStripPicture) + ".png")));
        gfx::Bitmap red(20, 10);
        {
            gfx::Context dc(red);
            dc.FillRect(gfx::Rect::FromSize(0, 0, 20, 10), gfx::Color{255, 0, 0});
        }
        red.SetPixel(0, 0, gfx::Color{255, 0, 255});
        ASSERT_TRUE(red.SavePng(folder / "Pictures" / (std::to_string(kRedPicture) + ".png")));
        ASSERT_TRUE(red.SavePng(OutsidePicture()));
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new HtmlTestEnvironment);

}  // namespace

std::filesystem::path OutsidePicture() {
    return platform::ProgramFolder().parent_path() / "html_tests_outside.png";
}

}  // namespace htmltest
