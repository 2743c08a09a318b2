// A wizard: pages in order, built when first reached, Back, Next and Finish as the
// pages allow them, the pages' answers keeping the user where they are, and the
// result telling Finish from Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/display.h>

#include "Clicks.h"
#include "DialogFixtures.h"
#include "EventPump.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WizardPage.h"
#include "platform/ui/WizardSheet.h"

namespace {

DialogTemplateInfo PageTemplate(const wchar_t* caption, short cx = 160, short cy = 90) {
    DialogTemplateInfo info;
    info.style = 0x40000000;
    info.cx = cx;
    info.cy = cy;
    info.caption = caption;
    info.fontFace = L"MS Sans Serif";
    info.fontSize = 8;
    info.items.push_back(uitest::Control(L"STATIC", 100, 0xC, 7, 7, 60, 8, caption));
    info.itemCount = 1;
    return info;
}

// A page that notes what the sheet asks it and answers as told; on being shown it
// asks for the buttons it was given, as the program's pages do, by a posted message.
class Page : public ui::WizardPage {
public:
    Page(const wchar_t* name, std::vector<std::wstring>& log, unsigned buttons, short cx = 160, short cy = 90)
        : ui::WizardPage(PageTemplate(name, cx, cy)), m_name(name), m_log(log), m_buttons(buttons) {}

    bool OnInitDialog() override {
        m_log.push_back(m_name + L" built");
        return ui::WizardPage::OnInitDialog();
    }
    bool OnSetActive() override {
        m_log.push_back(m_name + L" shown");
        ui::PostMessage(GetSheet(), ui::kMsgSetWizardButtons, 0, static_cast<ui::LParam>(m_buttons));
        GetSheet()->SetTitle(m_name);
        return true;
    }
    ui::LResult OnWizardNext() override {
        m_log.push_back(m_name + L" next");
        return next;
    }
    ui::LResult OnWizardBack() override {
        m_log.push_back(m_name + L" back");
        return 0;
    }
    bool OnWizardFinish() override {
        m_log.push_back(m_name + L" finish");
        return finish;
    }

    ui::LResult next = 0;
    bool finish = true;

private:
    std::wstring m_name;
    std::vector<std::wstring>& m_log;
    unsigned m_buttons;
};

bool Enabled(ui::WizardSheet& sheet, unsigned id) { return sheet.GetButton(id)->IsEnabled(); }

TEST(WizardSheetTest, NextAndBackMoveThroughThePagesAsTheyAllow) {
    std::vector<std::wstring> log;
    Page first(L"一", log, ui::kWizardNext);
    Page second(L"二", log, ui::kWizardBack | ui::kWizardNext);
    Page last(L"三", log, ui::kWizardBack | ui::kWizardFinish);
    ui::WizardSheet sheet(L"向导", {L"上一步", L"下一步", L"完成", L"取消"});
    for (Page* page : {&first, &second, &last}) {
        sheet.AddPage(page);
    }
    EXPECT_EQ(sheet.GetPageIndex(&second), 1);
    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardNext; }));
        EXPECT_EQ(sheet.GetTitle(), L"一");
        EXPECT_FALSE(second.IsWindow()) << "a page not yet reached has no window";
        EXPECT_FALSE(Enabled(sheet, ui::kIdWizardBack));
        EXPECT_TRUE(Enabled(sheet, ui::kIdWizardNext));
        EXPECT_FALSE(Enabled(sheet, ui::kIdWizardFinish));
        EXPECT_EQ(sheet.GetButton(ui::kIdWizardFinish)->GetLabel(), L"完成");

        uitest::PressButton(sheet.GetButton(ui::kIdWizardBack));  // disabled: nothing
        first.next = -1;
        uitest::PressButton(sheet.GetButton(ui::kIdWizardNext));
        EXPECT_EQ(sheet.GetActiveIndex(), 0) << "the page kept the user";
        first.next = 0;
        uitest::PressButton(sheet.GetButton(ui::kIdWizardNext));
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_TRUE(second.IsWindowVisible());
        EXPECT_FALSE(first.IsWindowVisible());
        uitest::PressButton(sheet.GetButton(ui::kIdWizardNext));
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == (ui::kWizardBack | ui::kWizardFinish); }));
        EXPECT_FALSE(Enabled(sheet, ui::kIdWizardNext));
        EXPECT_TRUE(Enabled(sheet, ui::kIdWizardFinish));
        uitest::PressButton(sheet.GetButton(ui::kIdWizardBack));
        EXPECT_EQ(sheet.GetActiveIndex(), 1);

        sheet.SetFinishText(L"生成报表文件");
        EXPECT_EQ(sheet.GetButton(ui::kIdWizardFinish)->GetLabel(), L"生成报表文件");
        sheet.SetWizardButtons(ui::kWizardBack | ui::kWizardDisabledFinish);
        EXPECT_FALSE(Enabled(sheet, ui::kIdWizardFinish));
        uitest::PressButton(sheet.GetButton(ui::kIdWizardFinish));  // disabled: the wizard stays
        EXPECT_TRUE(sheet.IsWindowVisible());
        uitest::PressButton(sheet.GetButton(ui::kIdCancel));
    });
    EXPECT_EQ(sheet.DoModal(), ui::kIdCancel);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"一 built", L"一 shown", L"一 next", L"一 next", L"二 built", L"二 shown",
                                              L"二 next", L"三 built", L"三 shown", L"三 back", L"二 shown"}));
}

// A page larger than the screen: the wizard keeps within the work area with its
// buttons in sight, and the page keeps its size, scrolled.
TEST(WizardSheetTest, AWizardLargerThanTheScreenFitsItAndScrollsThePage) {
    std::vector<std::wstring> log;
    Page big(L"大", log, ui::kWizardFinish, 1200, 800);
    ui::WizardSheet sheet(L"向导");
    sheet.AddPage(&big);
    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardFinish; }));
        wxWindow* window = sheet.GetWx();
        const wxRect work = wxDisplay(0u).GetClientArea();
        EXPECT_LE(window->GetSize().x, work.width);
        EXPECT_LE(window->GetSize().y, work.height);
        const wxRect client(window->GetClientSize());
        for (const unsigned id : {static_cast<unsigned>(ui::kIdWizardFinish), static_cast<unsigned>(ui::kIdCancel)}) {
            EXPECT_TRUE(client.Contains(sheet.GetButton(id)->GetRect())) << id;
        }
        const wxSize page = big.GetWx()->GetSize();
        EXPECT_GT(page.y, work.height) << "the page keeps its size";
        EXPECT_LT(big.GetWx()->GetParent()->GetClientSize().y, page.y) << "and is scrolled";
        uitest::PressButton(sheet.GetButton(ui::kIdCancel));
    });
    EXPECT_EQ(sheet.DoModal(), ui::kIdCancel);
}

TEST(WizardSheetTest, FinishEndsTheWizardOnlyWhenThePageAgrees) {
    std::vector<std::wstring> log;
    Page only(L"一", log, ui::kWizardFinish);
    ui::WizardSheet sheet(L"向导");
    sheet.AddPage(&only);
    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardFinish; }));
        only.finish = false;
        uitest::PressButton(sheet.GetButton(ui::kIdWizardFinish));
        EXPECT_TRUE(sheet.IsWindowVisible());
        only.finish = true;
        uitest::PressButton(sheet.GetButton(ui::kIdWizardFinish));
    });
    EXPECT_EQ(sheet.DoModal(), static_cast<int>(ui::kIdWizardFinish));
    EXPECT_EQ(log, (std::vector<std::wstring>{L"一 built", L"一 shown", L"一 finish", L"一 finish"}));

    ui::WizardSheet empty(L"向导");
    EXPECT_EQ(empty.DoModal(), -1) << "a wizard without pages cannot run";
}

}  // namespace
