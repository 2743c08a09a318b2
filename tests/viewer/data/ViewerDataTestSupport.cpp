#include "tests/viewer/data/ViewerDataTestSupport.h"

#include <gtest/gtest.h>

#include "platform/gfx/FontConfig.h"
#include "tests/support/ProgramFolderFixture.h"

namespace viewertest {

bool VectorSource::GetNext(std::int64_t* index, std::int64_t* position) {
    if (*index < 0 || static_cast<std::uint64_t>(*index) >= m_samples.size()) {
        return false;
    }
    ++m_reads;
    *position = m_samples[static_cast<std::size_t>((*index)++)];
    return true;
}

bool VectorSource::GetPrev(std::int64_t* index, std::int64_t* position) {
    if (*index < 0 || static_cast<std::uint64_t>(*index) >= m_samples.size()) {
        return false;
    }
    ++m_reads;
    *position = m_samples[static_cast<std::size_t>((*index)--)];
    return true;
}

namespace {

// Every test of this executable runs with a program folder holding the shipped
// resources, and draws text with the fonts.conf the program ships.
class ResourcesEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const auto folder = testsupport::PrepareProgramFolder();
        ASSERT_TRUE(gfx::LoadFontConfig(folder)) << "fonts.conf missing in " << folder;
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ResourcesEnvironment);

}  // namespace

}  // namespace viewertest
