#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/gfx/FontConfig.h"
#include "report/RtfReportText.h"
#include "tests/support/ProgramFolderFixture.h"

namespace reporttest {

namespace {

// Fills the program folder (language files, itemInfo.ini, fonts.conf) before any test
// reads it, loads the report wording of the selected language once, as the main frame
// does, and the font mapping, as the program does at start.
class ProgramFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        const auto folder = testsupport::PrepareProgramFolder();
        CRtfReportText::Instance().Load();
        ASSERT_TRUE(gfx::LoadFontConfig(folder)) << "fonts.conf missing in " << folder;
    }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new ProgramFolderEnvironment);

}  // namespace

int FixedModel::GetSource(std::uint32_t* source)
{
    *source = m_Kind;
    return 1;
}

int FixedModel::QueryBasicInfo(BasicInfo* info)
{
    *info = m_Info;
    return 1;
}

int Reporter::Prepare(std::wstring subLogo, std::wstring mainLogo)
{
    if (throwInPrepare) {
        throw std::runtime_error("no canvas");
    }
    preparedSubLogo = std::move(subLogo);
    preparedMainLogo = std::move(mainLogo);
    return prepareResult;
}

}  // namespace reporttest
