#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "report/RtfReportText.h"
#include "tests/support/ProgramFolderFixture.h"

namespace reporttest {

namespace {

// Fills the program folder (language files, itemInfo.ini) before any test reads it,
// and loads the report wording of the selected language once, as the main frame does.
class ProgramFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        testsupport::PrepareProgramFolder();
        CRtfReportText::Instance().Load();
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
