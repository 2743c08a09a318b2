#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"
#include "tools/gen/DescriptionFiles.h"

namespace {

int RunGenerator(const std::string& arguments) {
    const std::string command =
        "\"" ONDRAVA_BUILD_PROGRAM_DIR "/ondrava-gen\" " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str());
}

std::string Quoted(const std::filesystem::path& path) { return "\"" + platform::PathToUtf8(path) + "\""; }

TEST(GeneratorProgramTest, CommandsWriteFoldersThatCIniReads) {
    testsupport::TempDir dir;
    ASSERT_EQ(RunGenerator("sample " + Quoted(dir / "样例")), 0);
    EXPECT_EQ(CIni(platform::FromPath(gen::RecordInfoPath(dir / "样例"))).GetString(L"cfg", L"DeviceType"), L"K7700");
    EXPECT_TRUE(std::filesystem::exists(gen::StatisticCfgPath(dir / "样例")));

    ASSERT_EQ(RunGenerator("description " + Quoted(dir / "k7900") + " --encoding utf16le --device K7900"), 0);
    const std::string bytes = testsupport::ReadAll(gen::RecordSetPath(dir / "k7900"));
    EXPECT_EQ(platform::DetectEncoding(bytes), platform::TextEncoding::Utf16LE);
    EXPECT_EQ(CIni(platform::FromPath(gen::RecordInfoPath(dir / "k7900"))).GetString(L"cfg", L"DeviceType"), L"K7900");
}

TEST(GeneratorProgramTest, RefusesWhatItDoesNotKnow) {
    testsupport::TempDir dir;
    EXPECT_NE(RunGenerator(""), 0);
    EXPECT_NE(RunGenerator("no-such-command x"), 0);
    EXPECT_NE(RunGenerator("sample"), 0);
    EXPECT_NE(RunGenerator("description " + Quoted(dir / "x") + " --encoding latin1"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "x"));
}

}  // namespace
