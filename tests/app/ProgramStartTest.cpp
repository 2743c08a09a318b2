// The program folder as the program finds it, and starting another copy of a
// program (the language restart).
#include <filesystem>

#include "AppTestSupport.h"
#include "app/ModuleDirectory.h"
#include "app/ProgramStart.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace apptest {
namespace {

TEST(ModuleDirectory, IsTheProgramFolderReadyForAFileName) {
    const std::wstring folder = GetModuleDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'/');
    EXPECT_EQ(std::filesystem::equivalent(platform::ToPath(folder), platform::ProgramFolder()), true);
}

TEST(ModuleDirectory, IsThePathCutAfterItsLastSeparator) {
    struct Case {
        const wchar_t* path;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"/opt/ondrava/ondrava", L"/opt/ondrava/"},
        {L"/ondrava", L"/"},
        {L"ondrava", L""},
        {L"", L""},
        {L"/opt/数据/ondrava", L"/opt/数据/"},
        {L"C:\\Ondrava\\Ondrava.exe", L"C:\\Ondrava\\"},
        {L"C:\\Ondrava.exe", L"C:\\"},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(ModuleDirectoryOf(row.path), row.folder) << platform::WideToUtf8(row.path);
    }
}

TEST(ProgramStart, StartsAnIndependentCopyWithOurEnvironment) {
    testsupport::TempDir temp;
    const auto marker = temp / "started";
    const auto script = temp.Write("program.sh", "#!/bin/sh\nprintf '%s' \"$ONDRAVA_PROGRAM_DIR\" > \"$0.tmp\" && "
                                                 "mv \"$0.tmp\" \"" + platform::PathToUtf8(marker) + "\"\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);

    ASSERT_TRUE(StartProgram(platform::FromPath(script)));
    ASSERT_TRUE(PumpUntil([&] { return std::filesystem::exists(marker); }));
    EXPECT_EQ(testsupport::ReadAll(marker), platform::PathToUtf8(platform::ProgramFolder()));
}

TEST(ProgramStart, AMissingProgramIsAFailure) {
    testsupport::TempDir temp;
    EXPECT_FALSE(StartProgram(platform::FromPath(temp / "ondrava")));
}

}  // namespace
}  // namespace apptest
