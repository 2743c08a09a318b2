// Every test of this executable draws text with the fonts.conf the program ships,
// loaded from the test's own program folder as the program loads it from its own.

#include <gtest/gtest.h>

#include "platform/gfx/FontConfig.h"
#include "tests/support/ProgramFolderFixture.h"

namespace {

class FontEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const auto folder = testsupport::PrepareProgramFolder();
        ASSERT_TRUE(gfx::LoadFontConfig(folder)) << "fonts.conf missing in " << folder;
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new FontEnvironment);

}  // namespace
