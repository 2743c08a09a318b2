// The user manual and the web page open through the desktop's opener with the file
// or address as its one argument; anything unsafe, missing or failing is told.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/DocumentLauncher.h"
#include "app/MainFrame.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

// An "xdg-open" first on PATH that writes its arguments, one per line, into a
// record file and ends with the given code; or, with no code, none on PATH at all.
class FakeOpener {
public:
    explicit FakeOpener(std::optional<int> exitCode) {
        m_oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
        const std::string record = platform::PathToUtf8(m_dir / "record");
        if (exitCode) {
            // Only builtins and full paths: PATH holds nothing but this folder.
            const std::string script = "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record + ".tmp'\n" +
                                       "/bin/mv '" + record + ".tmp' '" + record + "'\nexit " +
                                       std::to_string(*exitCode) + "\n";
            fs::permissions(m_dir.Write("bin/xdg-open", script), fs::perms::owner_all);
        } else {
            fs::create_directories(m_dir / "bin");
        }
        setenv("PATH", platform::PathToUtf8(m_dir / "bin").c_str(), 1);
    }
    ~FakeOpener() { setenv("PATH", m_oldPath.c_str(), 1); }

    bool Called() const { return fs::exists(m_dir / "record"); }
    // The argument count, then each argument, one per line.
    std::string Record() const { return testsupport::ReadAll(m_dir / "record"); }

private:
    testsupport::TempDir m_dir;
    std::string m_oldPath;
};

std::wstring Manual() { return platform::FromPath(ProgramFile("Language/Chinese/UserManual.chm")); }

using DocumentLauncherTest = AppTest;

TEST_F(DocumentLauncherTest, TheHelpCommandOpensTheLanguagesManualOrSaysWhatWentWrong) {
    struct Case {
        const char* name;
        bool manual;
        std::optional<int> opener;  // its exit code; none: no opener on PATH
        bool called;
        std::wstring message;  // the box shown, empty for none
    };
    const Case cases[] = {
        {"opened", true, 0, true, L""},
        {"no manual", false, 0, false, L"找不到帮助文档：\n" + Manual()},
        {"the opener fails", true, 4, true, L"无法打开，请检查系统中是否安装了相应的查看程序。"},
        {"no opener", true, std::nullopt, false, L"无法打开，请检查系统中是否安装了相应的查看程序。"},
    };
    for (const Case& row : cases) {
        WriteProgramFile("Language/Chinese/UserManual.chm",
                         row.manual ? std::optional<std::string>("manual") : std::nullopt);
        Boxes().Clear();
        const FakeOpener opener(row.opener);
        ASSERT_TRUE(Frame().OnCmdMsg(kCmdHelpDocument, nullptr)) << row.name;
        if (row.called) {
            ASSERT_TRUE(PumpUntil([&] { return opener.Called(); })) << row.name;
            EXPECT_EQ(opener.Record(), "1\n" + platform::WideToUtf8(Manual()) + "\n") << row.name;
        }
        if (!row.message.empty()) {
            ASSERT_TRUE(PumpUntil([] { return !Boxes().shown.empty(); })) << row.name;
            EXPECT_EQ(Boxes().shown[0].text, row.message) << row.name;
        } else {
            // Past the opener's end: nothing more is said.
            ASSERT_TRUE(PumpUntil([] { return !Frame().GetLauncher().IsWatching(); })) << row.name;
            EXPECT_TRUE(Boxes().shown.empty()) << row.name;
        }
        EXPECT_EQ(opener.Called(), row.called) << row.name;
    }
    WriteProgramFile("Language/Chinese/UserManual.chm", std::nullopt);
}

TEST_F(DocumentLauncherTest, OnlyWebAddressesAreOpenedAsTheHomePage) {
    struct Case {
        std::wstring address;
        bool opened;
    };
    const Case cases[] = {
        {L"https://ondrava.example.com/", true},
        {L"HTTP://ondrava.example.com/products?id=7&lang=zh", true},
        {L"file:///etc/passwd", false},
        {L"javascript:alert(1)", false},
        {L"-e http://ondrava.example.com", false},
        {L"https://ondrava.example.com/a b", false},
        {L"https://ondrava.example.com/\nsecond", false},
        {L"https://", false},
        {L"http:///etc", false},
        {L"ondrava.example.com", false},
        {L"", false},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(CDocumentLauncher::IsWebAddress(row.address), row.opened) << platform::WideToUtf8(row.address);
    }

    const FakeOpener opener(0);
    Boxes().Clear();
    EXPECT_FALSE(Frame().GetLauncher().OpenWebPage(L"file:///etc/passwd"));
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"主页地址无效，只能打开以 http 或 https 开头的网址：\nfile:///etc/passwd");
    EXPECT_FALSE(opener.Called());

    ASSERT_TRUE(Frame().GetLauncher().OpenWebPage(L"https://ondrava.example.com/a?b=1;c"));
    ASSERT_TRUE(PumpUntil([&] { return opener.Called(); }));
    EXPECT_EQ(opener.Record(), "1\nhttps://ondrava.example.com/a?b=1;c\n");
}

}  // namespace
}  // namespace apptest
