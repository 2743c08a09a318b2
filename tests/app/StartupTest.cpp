// Start-up: the selected language, the frame shown maximised with its title, and
// a restart in the language chosen in the language dialog.
#include <filesystem>

#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/Menu.h"
#include "platform/ui/RibbonBar.h"

namespace apptest {
namespace {

const std::wstring kChineseTitle = L"Ondrava电能质量分析软件";
const std::wstring kEnglishTitle = L"Ondrava Power Quality Analysis";
constexpr std::uint16_t kChinese = 0x0804;
constexpr std::uint16_t kEnglish = 0x0409;

std::string StartupLanguageList(const std::string& selectedId) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Languages selectedId=\"" + selectedId +
           "\">\n"
           "  <Language Id=\"0\" name=\"简体中文\" dirName=\"Chinese\" usPrimaryLanguage=\"4\" usSubLanguage=\"2\" "
           "switchTip=\"切换成功\\n重启\"/>\n"
           "  <Language Id=\"1\" name=\"English\" dirName=\"English\" usPrimaryLanguage=\"9\" usSubLanguage=\"1\" "
           "switchTip=\"Switched.\\nRestart now?\"/>\n"
           "</Languages>\n";
}

// The program the language restart starts, standing in for the real one (which
// the tests' program folder lacks): it starts and ends at once.
class StandInProgram {
public:
    StandInProgram() {
        WriteProgramFile("ondrava", std::string("#!/bin/sh\nexit 0\n"));
        std::filesystem::permissions(ProgramFile("ondrava"), std::filesystem::perms::owner_all);
    }
    ~StandInProgram() { WriteProgramFile("ondrava", std::nullopt); }
};

using StartupTest = AppTest;

TEST_F(StartupTest, ShowsTheFrameMaximisedWithTheProductTitle) {
    CMainFrame& frame = Frame();
    EXPECT_EQ(App().GetMainWindow(), &frame);
    ASSERT_TRUE(frame.IsWindow());
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_EQ(frame.GetLastShowCommand(), ui::kShowMaximized);
    EXPECT_EQ(frame.GetWindowText(), CZVResourceManager::GetResourceManager()->LoadString(200));
    EXPECT_EQ(frame.GetWindowText(), kChineseTitle);
    const wxSize minimum = frame.GetFrame()->GetMinSize();
    EXPECT_EQ(minimum.GetWidth(), 950);
    EXPECT_EQ(minimum.GetHeight(), 740);
}

TEST_F(StartupTest, TheStatusBarHasThePromptPaneAndTheDataPane) {
    const wxStatusBar* status = Frame().GetFrame()->GetStatusBar();
    ASSERT_NE(status, nullptr);
    ASSERT_EQ(status->GetFieldsCount(), 2) << "the prompt pane, then pane 10074 for the loaded data";
    EXPECT_EQ(status->GetStatusText(0).ToStdWstring(), L"就绪");
    EXPECT_EQ(status->GetStatusText(CMainFrame::kStatusDataPane).ToStdWstring(), L"");
}

TEST_F(StartupTest, TheRibbonCarriesTheSystemCommandsInPlaceOfAMenuBar) {
    EXPECT_EQ(Frame().GetFrame()->GetMenuBar(), nullptr);
    ui::RibbonBar* ribbon = Frame().GetRibbonBar();
    ASSERT_NE(ribbon, nullptr);
    EXPECT_EQ(Frame().GetTopBar(), reinterpret_cast<wxWindow*>(ribbon->GetWx()));
    struct Item {
        unsigned command;
        std::wstring caption;
    };
    // The application menu, then the system-settings tab.
    const std::vector<ui::MenuNode>& menu = ribbon->GetApplicationMenu();
    ASSERT_EQ(menu.size(), 2u);
    const Item application[] = {{kCmdHelpDocument, L"帮助文档"}, {kCmdAppExit, L"退出系统"}};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(menu[i].id, application[i].command);
        EXPECT_EQ(menu[i].caption, application[i].caption);
        EXPECT_TRUE(Frame().QueryCommand(application[i].command).IsEnabled()) << application[i].command;
    }
    const Item tab[] = {{kCmdLanguage, L"软件语言"}, {kCmdHelpDocument, L"帮助文档"}, {kCmdAbout, L"关于"}};
    for (const Item& item : tab) {
        const ui::RibbonBar::Button* button = ribbon->FindButton(item.command);
        ASSERT_NE(button, nullptr) << item.command;
        EXPECT_EQ(button->caption, item.caption) << item.command;
        EXPECT_EQ(button->tab, 2u) << item.command;
        EXPECT_TRUE(button->enabled) << item.command;
    }
}

TEST_F(StartupTest, TheSelectedLanguageGivesTheLocaleAndTheTexts) {
    struct Case {
        const char* name;
        std::optional<std::string> list;
        std::uint16_t locale;
        std::wstring title;
    };
    const Case cases[] = {
        {"Chinese selected", StartupLanguageList("0"), kChinese, kChineseTitle},
        {"English selected", StartupLanguageList("1"), kEnglish, kEnglishTitle},
        {"no list", std::nullopt, kChinese, kChineseTitle},
        {"empty list", std::string(), kChinese, kChineseTitle},
        {"broken list", std::string("<Languages selectedId=\"1\"><Language"), kChinese, kChineseTitle},
        {"selected id names no entry", StartupLanguageList("7"), kChinese, kChineseTitle},
        {"selected id with a leading zero", StartupLanguageList("01"), kChinese, kChineseTitle},
    };
    for (const Case& row : cases) {
        WriteProgramFile("Language/Language.xml", row.list);
        Restart();
        EXPECT_EQ(COndravaApp::GetThreadLocale(), row.locale) << row.name;
        EXPECT_EQ(Frame().GetWindowText(), row.title) << row.name;
        EXPECT_EQ(Frame().GetLastShowCommand(), ui::kShowMaximized) << row.name;
    }
}

TEST_F(StartupTest, ChoosingEnglishAndRestartingShowsEnglish) {
    const StandInProgram program;
    WriteProgramFile("Language/Language.xml", StartupLanguageList("0"));
    Restart();
    ASSERT_EQ(Frame().GetWindowText(), kChineseTitle);

    Boxes().answer = ui::kIdYes;
    bool chosen = false;
    WhenModalOpens([&](wxDialog& dialog) {
        wxChoice* combo = FindChoice(dialog);
        ASSERT_NE(combo, nullptr);
        combo->SetSelection(combo->FindString(L"English"));
        chosen = ClickButton(dialog, L"确定");
    });
    Frame().OnCmdMsg(kCmdLanguage, nullptr);
    EXPECT_TRUE(chosen);

    // Only the restart question was asked (no exit question), in the new language's words.
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"Switched.\nRestart now?");
    EXPECT_EQ(Boxes().shown[0].caption, L"Ondrava");
    EXPECT_EQ(Boxes().shown[0].flags & ui::kMbButtonMask, ui::kMbYesNo);
    EXPECT_FALSE(Frame().IsWindow());
    EXPECT_EQ(Frame().GetCloseReason(), kCloseReasonLanguageRestart);

    App().InitInstance();
    Drain();
    EXPECT_EQ(Frame().GetWindowText(), kEnglishTitle);
    EXPECT_EQ(COndravaApp::GetThreadLocale(), kEnglish);
}

// Starts in Chinese, picks the second language in the language dialog and answers
// the restart question.
void PickEnglishAndAnswer(int answer) {
    WriteProgramFile("Language/Language.xml", StartupLanguageList("0"));
    Restart();
    Boxes().answer = answer;
    WhenModalOpens([&](wxDialog& dialog) {
        wxChoice* combo = FindChoice(dialog);
        ASSERT_NE(combo, nullptr);
        combo->SetSelection(1);
        EXPECT_TRUE(ClickButton(dialog, L"确定"));
    });
    Frame().OnCmdMsg(kCmdLanguage, nullptr);
}

TEST_F(StartupTest, ARestartThatCannotStartIsToldAndTheProgramKeepsRunning) {
    WriteProgramFile("ondrava", std::nullopt);
    PickEnglishAndAnswer(ui::kIdYes);

    ASSERT_EQ(Boxes().shown.size(), 2u) << "the restart question, then the failure";
    EXPECT_EQ(Boxes().shown[1].text, L"无法重新启动软件，新的语言将在下次启动软件时生效。");
    EXPECT_EQ(Boxes().shown[1].flags & ui::kMbIconMask, ui::kMbIconExclamation);
    EXPECT_TRUE(Frame().IsWindow());
    EXPECT_NE(Frame().GetCloseReason(), kCloseReasonLanguageRestart);
    // The choice is kept for the next start.
    EXPECT_NE(ReadProgramFile("Language/Language.xml").find("selectedId=\"1\""), std::string::npos);
}

TEST_F(StartupTest, DecliningTheRestartKeepsTheFrameAndTheChoice) {
    PickEnglishAndAnswer(ui::kIdNo);

    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_TRUE(Frame().IsWindow());
    EXPECT_EQ(Frame().GetWindowText(), kChineseTitle);  // the running program keeps its texts
    EXPECT_NE(ReadProgramFile("Language/Language.xml").find("selectedId=\"1\""), std::string::npos);
}

}  // namespace
}  // namespace apptest
