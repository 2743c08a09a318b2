// The about box: an underscore and the version recorded in "Ondrava.ini".
#include <algorithm>

#include <wx/dialog.h>

#include "AppTestSupport.h"
#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"

namespace apptest {
namespace {

using AboutDlgTest = AppTest;

struct VersionCase {
    const char* name;
    std::optional<std::string> settings;
    std::wstring shown;
};

const VersionCase kVersionCases[] = {
    {"stored version", std::string("[Ondrava]\r\nVersion=2.1.0\r\n"), L"_2.1.0"},
    {"no settings file", std::nullopt, L"_1.0.X"},
    {"no Version key", std::string("[Ondrava]\r\nHomepage=http://example.org\r\n"), L"_1.0.X"},
    {"key in another section", std::string("[Other]\r\nVersion=9.9.9\r\n"), L"_1.0.X"},
};

TEST_F(AboutDlgTest, ShowsTheStoredVersionBehindAnUnderscore) {
    for (const VersionCase& row : kVersionCases) {
        WriteProgramFile("Ondrava.ini", row.settings);
        CAboutDlg about;
        std::wstring shown;
        WhenModalOpens([&](wxDialog&) {
            shown = about.GetDlgItemText(CAboutDlg::kVersionControl);
            about.EndDialog(ui::kIdOk);
        });
        EXPECT_EQ(about.DoModal(), ui::kIdOk) << row.name;
        EXPECT_EQ(shown, row.shown) << row.name;
    }
}

TEST_F(AboutDlgTest, TheAboutCommandOpensItWithTheProductTitleAndItsOkButtonClosesIt) {
    WriteProgramFile("Ondrava.ini", std::string("[Ondrava]\r\nVersion=3.0.1\r\n"));
    std::vector<std::wstring> texts;
    bool closed = false;
    WhenModalOpens([&](wxDialog& dialog) {
        texts = StaticTexts(dialog);
        closed = ClickButton(dialog, L"确定");
    });
    Frame().OnCmdMsg(kCmdAbout, nullptr);
    EXPECT_TRUE(closed);
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"_3.0.1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"Ondrava电能质量分析软件_Beta"), texts.end());
    EXPECT_TRUE(Frame().IsWindow());
}

}  // namespace
}  // namespace apptest
