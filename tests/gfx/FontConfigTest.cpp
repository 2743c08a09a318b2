#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/base/ProgramFolder.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/FontConfig.h"
#include "tests/support/TempDir.h"

namespace {

gfx::Font FaceOnly(const std::wstring& face) {
    gfx::Font font;
    font.face = face;
    return font;
}

std::string ConfigMapping(const std::string& face, const std::string& family) {
    return "<?xml version=\"1.0\"?>\n<fontconfig><match target=\"pattern\"><test qual=\"first\" name=\"family\">"
           "<string>" + face + "</string></test><edit name=\"family\" mode=\"assign_replace\" binding=\"strong\">"
           "<string>" + family + "</string></edit></match></fontconfig>\n";
}

// Loading replaces the configuration even after text has been laid out (as it is
// once the window toolkit has started), and a file that cannot be used keeps the
// one in force.
TEST(FontConfigTest, LoadingAppliesAFileAndKeepsTheCurrentMappingWhenItCannot) {
    ASSERT_EQ("DejaVu Sans", gfx::MatchedFamily(FaceOnly(L"Tahoma")));  // laid out with the shipped file

    struct Case {
        const char* name;
        std::optional<std::string> file;  // none: no fonts.conf in the folder
        bool loads;
        std::string family;  // of "OndravaProbe" afterwards
    };
    const Case cases[] = {
        {"a mapping file", ConfigMapping("OndravaProbe", "Liberation Mono"), true, "Liberation Mono"},
        {"no file", std::nullopt, false, "Liberation Mono"},
        {"broken XML", std::string("<fontconfig><match>"), false, "Liberation Mono"},
        {"another mapping", ConfigMapping("OndravaProbe", "Liberation Serif"), true, "Liberation Serif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir folder;
        if (c.file) {
            folder.Write(gfx::kFontConfigFileName, *c.file);
        }
        EXPECT_EQ(c.loads, gfx::LoadFontConfig(folder.Path()));
        EXPECT_EQ(c.family, gfx::MatchedFamily(FaceOnly(L"OndravaProbe")));
    }
    // Back to the shipped file for the other tests.
    ASSERT_TRUE(gfx::LoadFontConfig(platform::ProgramFolder()));
    EXPECT_EQ("DejaVu Sans", gfx::MatchedFamily(FaceOnly(L"Tahoma")));
}

}  // namespace
