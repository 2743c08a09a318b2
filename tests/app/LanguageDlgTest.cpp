// The language dialog: the languages of the list, the selected one chosen, and OK
// recording only the new "selectedId".
#include <wx/choice.h>
#include <wx/dialog.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/LanguageDlg.h"
#include "app/MainFrame.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageQueue.h"
#include "report/RtfReportText.h"

namespace apptest {
namespace {

using LanguageDlgTest = AppTest;

std::string List(const std::string& selectedId, const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Languages selectedId=\"" + selectedId + "\" note=\"kept\">\n" +
           entries + "</Languages>\n";
}

std::string Entry(const std::string& id, const std::string& name, const std::string& folder) {
    return "  <Language Id=\"" + id + "\" name=\"" + name + "\" dirName=\"" + folder +
           "\" usPrimaryLanguage=\"4\" usSubLanguage=\"2\" switchTip=\"a\\nb\"/>\n";
}

const std::string kThree = Entry("0", "简体中文", "Chinese") + Entry("1", "English", "English") +
                           Entry("2", "Deutsch", "German");

struct Shown {
    std::vector<std::wstring> names;
    int selection = -2;
};

// Opens the dialog, notes what it shows, then lets the action finish it.
int RunDialog(CLanguageDlg& dialog, Shown& shown, const std::function<void(CLanguageDlg&, wxChoice&)>& action) {
    WhenModalOpens([&](wxDialog&) {
        wxChoice* combo = dialog.GetItem<wxChoice>(CLanguageDlg::kLanguageCombo);
        ASSERT_NE(combo, nullptr);
        for (unsigned i = 0; i < combo->GetCount(); ++i) {
            shown.names.push_back(combo->GetString(i).ToStdWstring());
        }
        shown.selection = combo->GetSelection();
        action(dialog, *combo);
        if (dialog.IsWindow() && dialog.GetWx()->IsShown()) {
            dialog.OnCancel();
        }
    });
    return dialog.DoModal();
}

TEST_F(LanguageDlgTest, ListsTheLanguagesAndStartsOnTheSelectedOne) {
    struct Case {
        const char* name;
        std::optional<std::string> list;
        std::vector<std::wstring> names;
        int selection;
    };
    const std::vector<std::wstring> three = {L"简体中文", L"English", L"Deutsch"};
    const Case cases[] = {
        {"second selected", List("1", kThree), three, 1},
        {"first selected", List("0", kThree), three, 0},
        {"selected id names no entry", List("5", kThree), three, wxNOT_FOUND},
        {"two entries with the selected id",
         List("1", Entry("1", "A", "A") + Entry("1", "B", "B") + Entry("0", "C", "C")), {L"A", L"B", L"C"}, 0},
        {"no list", std::nullopt, {}, wxNOT_FOUND},
        {"broken list", std::string("<Languages selectedId=\"0\">"), {}, wxNOT_FOUND},
        {"other root", std::string("<Tongues selectedId=\"0\"/>"), {}, wxNOT_FOUND},
    };
    for (const Case& row : cases) {
        WriteProgramFile("Language/Language.xml", row.list);
        CLanguageDlg dialog;
        Shown shown;
        EXPECT_EQ(RunDialog(dialog, shown, [](CLanguageDlg&, wxChoice&) {}), ui::kIdCancel) << row.name;
        EXPECT_EQ(shown.names, row.names) << row.name;
        EXPECT_EQ(shown.selection, row.selection) << row.name;
    }
}

TEST_F(LanguageDlgTest, OkRecordsOnlyTheNewSelectedId) {
    const std::string before = List("1", kThree);
    WriteProgramFile("Language/Language.xml", before);
    CLanguageDlg dialog;
    Shown shown;
    const int result = RunDialog(dialog, shown, [](CLanguageDlg& dlg, wxChoice& combo) {
        combo.SetSelection(2);
        dlg.OnOK();
    });
    EXPECT_EQ(result, ui::kIdOk);
    EXPECT_TRUE(Boxes().shown.empty());

    std::string expected = before;
    expected.replace(expected.find("selectedId=\"1\""), 14, "selectedId=\"2\"");
    EXPECT_EQ(ReadProgramFile("Language/Language.xml"), expected);
}

TEST_F(LanguageDlgTest, OkWithoutAUsableChoiceSaysSoAndStaysOpen) {
    struct Case {
        const char* name;
        std::optional<std::string> list;
    };
    const Case cases[] = {
        {"nothing selected", List("9", kThree)},
        {"broken list", std::string("<Languages")},
        {"no list", std::nullopt},
    };
    for (const Case& row : cases) {
        WriteProgramFile("Language/Language.xml", row.list);
        Boxes().Clear();
        CLanguageDlg dialog;
        Shown shown;
        bool openAfterOk = false;
        const int result = RunDialog(dialog, shown, [&](CLanguageDlg& dlg, wxChoice&) {
            dlg.OnOK();
            openAfterOk = dlg.IsWindow() && dlg.GetWx()->IsShown();
        });
        EXPECT_TRUE(openAfterOk) << row.name;
        EXPECT_EQ(result, ui::kIdCancel) << row.name;
        ASSERT_EQ(Boxes().shown.size(), 1u) << row.name;
        EXPECT_EQ(Boxes().shown[0].text, L"切换软件语言失败！\n\n配置文件被破坏，重装软件可能会解决该问题") << row.name;
        EXPECT_EQ(Boxes().shown[0].caption, L"Ondrava") << row.name;
        EXPECT_EQ(Boxes().shown[0].flags, ui::kMbOk) << row.name;
        if (row.list) {
            EXPECT_EQ(ReadProgramFile("Language/Language.xml"), *row.list) << row.name;
        }
    }
}

TEST_F(LanguageDlgTest, CancelChangesNothing) {
    const std::string before = List("0", kThree);
    WriteProgramFile("Language/Language.xml", before);
    CLanguageDlg dialog;
    Shown shown;
    const int result = RunDialog(dialog, shown, [](CLanguageDlg& dlg, wxChoice& combo) {
        combo.SetSelection(1);
        dlg.OnCancel();
    });
    EXPECT_EQ(result, ui::kIdCancel);
    EXPECT_EQ(ReadProgramFile("Language/Language.xml"), before);
}

// The report texts follow the language picked at once, whether or not the program
// is started again, as the spreadsheet template does.
TEST_F(LanguageDlgTest, TheReportTextsFollowTheLanguagePicked) {
    ASSERT_EQ(CRtfReportText::Instance().Text(RtfSection::FrontPage, "Title"), L"电能质量测试报告");
    ui::SetDialogResponder([](ui::Dialog& dialog) {
        auto* languages = dynamic_cast<CLanguageDlg*>(&dialog);
        if (languages == nullptr) {
            return false;
        }
        languages->GetItem<wxChoice>(CLanguageDlg::kLanguageCombo)->SetSelection(1);
        languages->OnOK();
        return true;
    });
    Boxes().answer = ui::kIdNo;  // no restart now
    ui::SendMessage(&Frame(), ui::kMsgCommand, ui::MakeWParam(kCmdLanguage, ui::kNotifyClicked), 0);
    ui::SetDialogResponder(nullptr);
    EXPECT_EQ(CRtfReportText::Instance().Text(RtfSection::FrontPage, "Title"), L"Power Quality Test Report");
    EXPECT_TRUE(CRtfReportText::Instance().IsLoaded());
}

}  // namespace
}  // namespace apptest
