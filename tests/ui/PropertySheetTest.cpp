// A list-navigated property sheet: the list names the pages in order, a page is
// built when first chosen and only then, the sheet's buttons route their commands,
// and a page that needed more room than its template enlarges the sheet with the
// buttons keeping their side.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/listbox.h>

#include "Clicks.h"
#include "DialogFixtures.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/PropertyPage.h"
#include "platform/ui/PropertySheet.h"

namespace {

constexpr unsigned kLeftButton = 33;
constexpr unsigned kSaveButton = 32;

DialogTemplateInfo PageTemplate(const wchar_t* caption, const wchar_t* text, int textWidth) {
    DialogTemplateInfo info;
    info.style = 0x40000000;  // a child page
    info.cx = 160;
    info.cy = 90;
    info.caption = caption;
    info.fontFace = L"MS Sans Serif";
    info.fontSize = 8;
    // A single line that does not wrap.
    info.items.push_back(uitest::Control(L"STATIC", 100, 0xC, 7, 7, textWidth, 8, text));
    info.itemCount = 1;
    return info;
}

class CountingPage : public ui::PropertyPage {
public:
    using ui::PropertyPage::PropertyPage;
    bool OnInitDialog() override {
        ++opened;
        return ui::PropertyPage::OnInitDialog();
    }
    int opened = 0;
};

class Sheet : public ui::PropertySheet {
public:
    Sheet() : ui::PropertySheet(L"配色方案") {}
    bool makeButtons = true;

protected:
    bool CreateButtons() override {
        return makeButtons && AddButton(L"还原", kLeftButton) && AddButton(L"保存", kSaveButton) &&
               AddButton(L"退出", ui::kIdCancel);
    }
};

wxListBox* List(ui::PropertySheet& sheet) {
    for (wxWindow* child : sheet.GetWx()->GetChildren()) {
        if (auto* list = dynamic_cast<wxListBox*>(child)) {
            return list;
        }
    }
    return nullptr;
}

// Runs the sheet modally and the action once it is up.
int RunSheet(ui::PropertySheet& sheet, std::function<void()> action) {
    ui::PostToUiThread(std::move(action));
    return sheet.DoModal();
}

TEST(PropertySheetTest, PagesAreBuiltWhenFirstChosenAndTheListNamesThemInOrder) {
    CountingPage first(PageTemplate(L"频率", L"一", 40));
    CountingPage second(PageTemplate(L"谐波", L"二", 40));
    CountingPage never(PageTemplate(L"不平衡", L"三", 40));
    Sheet sheet;
    for (CountingPage* page : {&first, &second, &never}) {
        sheet.AddPage(page);
    }
    std::vector<std::wstring> names;
    int saves = 0;
    sheet.OnCommand(kSaveButton, [&] { ++saves; });
    const int result = RunSheet(sheet, [&] {
        wxListBox* list = List(sheet);
        ASSERT_NE(list, nullptr);
        for (unsigned i = 0; i < list->GetCount(); ++i) {
            names.push_back(list->GetString(i).ToStdWstring());
        }
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_TRUE(first.IsWindowVisible());
        EXPECT_FALSE(second.IsWindow()) << "a page not yet chosen has no window";

        // The user picks the second page in the list.
        list->SetSelection(1);
        wxCommandEvent pick(wxEVT_LISTBOX, list->GetId());
        pick.SetEventObject(list);
        pick.SetInt(1);
        list->ProcessWindowEvent(pick);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_TRUE(second.IsWindowVisible());
        EXPECT_FALSE(first.IsWindowVisible());

        EXPECT_TRUE(sheet.SetActivePage(0));
        EXPECT_EQ(list->GetSelection(), 0);
        EXPECT_FALSE(sheet.SetActivePage(3));
        EXPECT_EQ(sheet.GetActiveIndex(), 0);

        uitest::PressButton(sheet.GetButton(kSaveButton));
        uitest::PressButton(sheet.GetButton(ui::kIdCancel));
    });
    EXPECT_EQ(result, ui::kIdCancel);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"频率", L"谐波", L"不平衡"}));
    EXPECT_EQ(first.opened, 1) << "coming back to a page does not build it again";
    EXPECT_EQ(second.opened, 1);
    EXPECT_EQ(never.opened, 0);
    EXPECT_EQ(saves, 1);
}

TEST(PropertySheetTest, AFailedButtonStepKeepsTheSheetShut) {
    CountingPage page(PageTemplate(L"频率", L"一", 40));
    Sheet sheet;
    sheet.makeButtons = false;
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), -1);
    EXPECT_EQ(page.opened, 0);
}

TEST(PropertySheetTest, ALargerPageEnlargesTheSheetAndButtonsKeepTheirSide) {
    CountingPage small(PageTemplate(L"小", L"短", 40));
    // Text far wider than its box: the page grows to fit it when it is built.
    CountingPage large(PageTemplate(L"大", std::wstring(60, L'宽').c_str(), 40));
    Sheet sheet;
    sheet.AddPage(&small);
    sheet.AddPage(&large);
    RunSheet(sheet, [&] {
        wxWindow* window = sheet.GetWx();
        wxButton* left = sheet.GetButton(kLeftButton);
        wxButton* exit = sheet.GetButton(ui::kIdCancel);
        left->Move(10, left->GetPosition().y);
        const int before = window->GetClientSize().x;
        const int exitGap = before - exit->GetRect().GetRight();

        ASSERT_TRUE(sheet.SetActivePage(1));
        const wxRect page = large.GetWindowRect();
        const wxSize client = window->GetClientSize();
        EXPECT_GT(client.x, before);
        EXPECT_LE(page.GetRight(), client.x) << "the page fits the sheet";
        EXPECT_LT(page.GetBottom(), exit->GetPosition().y) << "the buttons stay below the page";
        EXPECT_EQ(left->GetPosition().x, 10) << "a button on the left stays on the left";
        EXPECT_EQ(client.x - exit->GetRect().GetRight(), exitGap) << "a button on the right follows the edge";
        sheet.EndDialog(ui::kIdOk);
    });
}

}  // namespace
