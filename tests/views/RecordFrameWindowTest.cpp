// The statistic record frames in real windows: made by their pane factories, the
// viewer loaded from the program folder, the panel driven through its controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

#include "ViewsTestSupport.h"
#include "core/ZVResourceManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PaneViewRegistry.h"
#include "terminal/PaneManager.h"
#include "terminal/ZVController.h"
#include "tests/ui/EventPump.h"
#include "controls/ResizeCtrl.h"
#include "views/RecordAttribDlg.h"
#include "views/RecordFrameWnd.h"
#include "views/RecordViews.h"
#include "views/HarmTrendNewDlg.h"
#include "views/RecordHarmTrendFrm.h"

namespace {

void SettleFrame()
{
    int rounds = 0;
    uitest::PumpUntil([&] { return ++rounds > 20; });
}

// A check box or list changed by the user: the state, then the toolkit's event.
void TickBox(wxCheckBox* box, bool checked)
{
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(checked ? 1 : 0);
    box->ProcessWindowEvent(event);
}

void Press(wxRadioButton* button)
{
    button->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, button->GetId());
    event.SetEventObject(button);
    event.SetInt(1);
    button->ProcessWindowEvent(event);
}

void Choose(wxChoice* list, int index)
{
    list->SetSelection(index);
    wxCommandEvent event(wxEVT_CHOICE, list->GetId());
    event.SetEventObject(list);
    event.SetInt(index);
    list->ProcessWindowEvent(event);
}

class RecordFrameWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        viewstest::WriteColorScheme();
        ASSERT_TRUE(m_host.Create(L"host"));
        m_host.GetFrame()->SetSize(wxRect(60, 60, 900, 420));
        m_host.ShowWindow(ui::kShow);
        SettleFrame();
    }
    void TearDown() override
    {
        ui::SetMessageBoxResponder(nullptr);
        ui::SetColorChooserResponder(nullptr);
        m_host.DestroyWindow();
        SettleFrame();
    }
    ui::Window& Host() { return m_host.GetClientArea(); }

    ui::Frame m_host;
};

TEST_F(RecordFrameWindowTest, ThePanelsControlsChooseTheSeries)
{
    const gen::StatisticFolderOptions options = viewstest::FrameFolder(40, {});
    viewstest::LoadedFolder folder(options);

    std::unique_ptr<ui::Window> made = CRecordFrameWnd::CreateObject(VolAndCurProfile(), Host());
    auto* frame = dynamic_cast<CRecordFrameWnd*>(made.get());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->Viewer(), nullptr);
    ASSERT_NE(frame->Panel(), nullptr);
    frame->m_pDataModel = &folder.model;
    frame->m_pSecondDataModel = &folder.second;
    frame->MoveWindow(wxRect(wxPoint(0, 0), Host().GetClientSize()));
    SettleFrame();
    EXPECT_GE(frame->PanelWidth(), CRecordFrameWnd::kPanelWidth);
    EXPECT_EQ(frame->Panel()->GetWindowRect().GetWidth(), frame->PanelWidth());
    EXPECT_EQ(frame->Viewer()->GetHwnd()->GetSize().x, Host().GetClientSize().x - frame->PanelWidth());
    EXPECT_TRUE(frame->Panel()->IsWindowVisible());

    frame->OnUpdate(0x8, 0, 0);
    auto* list = frame->Panel()->GetItem<wxChoice>(6500);
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->GetCount(), 1u);
    EXPECT_EQ(list->GetString(0), wxString(L"电压有效值U rms"));
    auto* l1 = frame->Panel()->GetItem<wxCheckBox>(6508);
    auto* avg = frame->Panel()->GetItem<wxCheckBox>(6504);
    ASSERT_NE(l1, nullptr);
    ASSERT_NE(avg, nullptr);
    EXPECT_TRUE(l1->GetValue());
    EXPECT_TRUE(avg->GetValue());
    EXPECT_FALSE(frame->Panel()->GetItem<wxCheckBox>(6505)->IsShown()) << "CP95 is never offered";
    EXPECT_EQ(frame->Frame().ShownKeys().size(), 1u);
    EXPECT_EQ(frame->Viewer()->GetDataLength(), 40);

    TickBox(frame->Panel()->GetItem<wxCheckBox>(6509), true);
    TickBox(frame->Panel()->GetItem<wxCheckBox>(6502), true);
    EXPECT_EQ(frame->Frame().ShownKeys().size(), 4u) << "L1 and L2, maximum and average";
    TickBox(frame->Panel()->GetItem<wxCheckBox>(6502), false);
    EXPECT_EQ(frame->Frame().ShownKeys().size(), 2u);

    ASSERT_GE(list->GetCount(), 2u);
    Choose(list, 1);
    EXPECT_EQ(frame->Frame().CurrentItem(), frame->Frame().Panel().Entries()[1].code);
    EXPECT_EQ(frame->Frame().ShownKeys().size(), 2u) << "the same boxes for the new item";

    // The collapse strip folds the panel to its edge and the viewer takes the room.
    frame->Panel()->WindowProc(kMsgResizeClick, 0, 0);
    SettleFrame();
    EXPECT_TRUE(frame->Frame().PanelCollapsed());
    EXPECT_EQ(frame->Panel()->GetWindowRect().GetWidth(), CRecordFrameWnd::kCollapsedWidth);
    EXPECT_EQ(frame->Viewer()->GetHwnd()->GetSize().x, Host().GetClientSize().x - CRecordFrameWnd::kCollapsedWidth);

    EXPECT_EQ(frame->RequestRange(1001, 0, 0), 0);
    frame->OnUpdate(0x200, 0, 0);
    EXPECT_EQ(frame->Frame().Grid().ManagerCount(), 0u);
    EXPECT_EQ(list->GetCount(), 1u);
    EXPECT_FALSE(list->IsEnabled());
}

// The harmonic trend frame made by its pane factory, driven through its panel's
// controls over a generated folder: quantities, orders, phases, value type, the
// K factor, a swatch's colour, the collapse strip; Esc, Enter and Alt+F4 leave it.
TEST_F(RecordFrameWindowTest, HarmonicTrendFrameFollowsItsPanelsControls)
{
    viewstest::HarmTrendFolder folder;
    RegisterRecordViews();
    const ui::PaneViewFactory factory = ui::FindPaneView(40011);
    ASSERT_TRUE(factory) << "the harmonic trend pane is registered";
    std::unique_ptr<ui::Window> made = factory(Host());
    auto* frame = dynamic_cast<CRecordHarmTrendFrm*>(made.get());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->Viewer(), nullptr);
    CHarmTrendNewDlg* panel = frame->Panel();
    ASSERT_NE(panel, nullptr);
    frame->m_pDataModel = &folder.model;
    frame->m_pSecondDataModel = &folder.second;
    frame->MoveWindow(wxRect(wxPoint(0, 0), Host().GetClientSize()));
    SettleFrame();
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_EQ(frame->Viewer()->GetHwnd()->GetSize().x, Host().GetClientSize().x - frame->PanelWidth());

    frame->OnUpdate(0x8, 0, 0);
    CHarmTrendFrame& trend = frame->Frame();
    auto* list = panel->GetItem<wxChoice>(6701);
    ASSERT_NE(list, nullptr);
    ASSERT_GE(list->GetCount(), 9u);
    EXPECT_EQ(list->GetString(0), wxString(L"电压谐波总畸变率THD U"));
    EXPECT_TRUE(panel->GetItem<wxRadioButton>(6692)->GetValue()) << "THD is a content ratio";
    EXPECT_FALSE(panel->GetItem<wxRadioButton>(6691)->IsEnabled());
    EXPECT_FALSE(panel->GetItem<wxChoice>(6694)->IsEnabled()) << "no orders for THD";
    ASSERT_NE(trend.Row(0), nullptr);
    EXPECT_EQ(trend.Row(0)->GetImpCount(), 1);

    int current = -1;
    for (unsigned i = 0; i < list->GetCount(); ++i) {
        if (list->GetString(i) == wxString(L"电流谐波Harm I")) {
            current = static_cast<int>(i);
        }
    }
    ASSERT_GE(current, 0);
    Choose(list, current);
    EXPECT_EQ(trend.Items(), std::vector<std::uint32_t>{7000});
    auto* second = panel->GetItem<wxChoice>(6695);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->IsEnabled());
    EXPECT_EQ(second->GetStringSelection(), wxString(L"3"));
    EXPECT_EQ(trend.Row(0)->GetImpCount(), 4) << "the four preset orders";
    auto* group = panel->GetItem<wxWindow>(6839);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->GetLabel(), wxString(L"电流谐波次数"));

    // Order 9 in the first list, phase N beside L1, the maximum, the K factor.
    auto* first = panel->GetItem<wxChoice>(6694);
    Choose(first, first->FindString(L"9"));
    EXPECT_EQ(trend.OrderSlots()[0], 9u);
    TickBox(panel->GetItem<wxCheckBox>(6881), true);
    Press(panel->GetItem<wxRadioButton>(9529));
    TickBox(panel->GetItem<wxCheckBox>(6700), true);
    EXPECT_EQ(trend.Items(), (std::vector<std::uint32_t>{7000, 23}));
    EXPECT_EQ(trend.KindMask(), 1u);
    ASSERT_NE(trend.Row(3), nullptr);
    EXPECT_EQ(trend.Row(0)->GetImpCount(), 6) << "five orders and the K factor";
    EXPECT_EQ(trend.Row(3)->GetImpCount(), 6);
    EXPECT_EQ(trend.Row(3)->GetName(), L"N");

    // The content ratio takes the K factor away.
    Press(panel->GetItem<wxRadioButton>(6692));
    EXPECT_EQ(trend.ValueTypeMask(), 2u);
    EXPECT_FALSE(panel->GetItem<wxCheckBox>(6700)->IsEnabled());
    EXPECT_EQ(trend.Items(), std::vector<std::uint32_t>{7000});

    // A swatch's colour: chosen, stored in the scheme, and the first slot's series take it.
    std::vector<ui::ColorChooserRequest> asked;
    ui::SetColorChooserResponder([&](const ui::ColorChooserRequest& request) -> std::optional<std::uint32_t> {
        asked.push_back(request);
        return 0x00C0FFu;
    });
    ui::SendMessage(panel, ui::kMsgCommand, ui::MakeWParam(32887, ui::kNotifyClicked), 0);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].initial, viewstest::HarmSchemeColor(1));
    EXPECT_EQ(trend.OrderSlotColor(1), 0x00C0FFu);
    bool recoloured = false;
    for (int i = 0; i < trend.Row(0)->GetImpCount(); ++i) {
        CLineStyleInfo style;
        trend.Row(0)->GetImpStyle(trend.Row(0)->GetImp(i), &style);
        if (style.m_hostWord == 1) {
            EXPECT_EQ(style.m_lineColor, 0x00C0FFu);
            recoloured = true;
        }
    }
    EXPECT_TRUE(recoloured);
    EXPECT_EQ(panel->Swatch(0)->GetBackgroundColour(), wxColour(0xFF, 0xC0, 0x00));

    // Esc, Enter and Alt+F4 inside the frame leave it and its panel.
    ui::SendMessage(panel, ui::kMsgCommand, ui::MakeWParam(static_cast<unsigned>(ui::kIdCancel), ui::kNotifyClicked), 0);
    ui::SendMessage(panel, ui::kMsgCommand, ui::MakeWParam(static_cast<unsigned>(ui::kIdOk), ui::kNotifyClicked), 0);
    ui::SendMessage(panel, ui::kMsgSysKeyDown, ui::kKeyF4, ui::kKeyFlagAlt);
    ui::SendMessage(frame, ui::kMsgSysKeyDown, ui::kKeyF4, ui::kKeyFlagAlt);
    SettleFrame();
    EXPECT_TRUE(frame->IsWindow());
    EXPECT_TRUE(panel->IsWindowVisible());

    // The collapse strip folds the panel to its edge.
    panel->WindowProc(kMsgResizeClick, 0, 0);
    SettleFrame();
    EXPECT_TRUE(trend.PanelCollapsed());
    EXPECT_EQ(panel->GetWindowRect().GetWidth(), CRecordFrameWnd::kCollapsedWidth);

    EXPECT_EQ(frame->RequestRange(1001, 0, 0), 3);
    frame->OnUpdate(0x200, 0, 0);
    EXPECT_EQ(trend.Row(0), nullptr);
    EXPECT_EQ(trend.Grid().ManagerCount(), 0u);
    EXPECT_EQ(list->GetCount(), 1u);
    EXPECT_FALSE(list->IsEnabled());
    ui::RegisterPaneView(40011, nullptr);
}

// The pane table of the controller's pane manager, as the shell uses it.
class FactoryPanes final : public IPaneManager {
public:
    explicit FactoryPanes(ui::Window& host) : m_host(host) {}
    IObserverViewBase* ShowPane(std::uint32_t id) override
    {
        const ui::PaneViewFactory factory = ui::FindPaneView(id);
        if (!factory) {
            return nullptr;
        }
        views.push_back(factory(m_host));
        return dynamic_cast<IObserverViewBase*>(views.back().get());
    }
    int SelectPane(std::uint32_t) override { return 1; }
    void ClosePane(std::uint32_t) override {}
    std::vector<std::unique_ptr<ui::Window>> views;

private:
    ui::Window& m_host;
};

TEST_F(RecordFrameWindowTest, WithoutTheViewerLibraryTheVoltageFrameTellsAndIsNotBound)
{
    const std::filesystem::path library = platform::ProgramFolder() / "libTracelume.so";
    const std::filesystem::path aside = platform::ProgramFolder() / "libTracelume.so.aside";
    std::filesystem::rename(library, aside);
    std::vector<ui::MessageBoxRequest> boxes;
    ui::SetMessageBoxResponder([&](const ui::MessageBoxRequest& request) {
        boxes.push_back(request);
        return ui::kIdOk;
    });

    RegisterRecordViews();
    CGlobalModel model;
    CZVController controller;
    controller.SetStatisticModel(&model);
    FactoryPanes panes(Host());
    controller.SetPaneManager(&panes);
    controller.BindView(panes.ShowPane(40006), 40006);
    ASSERT_EQ(panes.views.size(), 1u);
    EXPECT_EQ(panes.views[0], nullptr) << "no frame without its viewer";
    EXPECT_EQ(model.ObserverCount(), 0u) << "nothing bound";
    ASSERT_EQ(boxes.size(), 1u);
    auto* resources = CZVResourceManager::GetResourceManager();
    EXPECT_EQ(boxes[0].text, resources->LoadString(6122));
    EXPECT_EQ(boxes[0].caption, resources->LoadString(6123));

    // The other frames open empty and quietly, and take the model's events.
    controller.BindView(panes.ShowPane(40009), 40009);
    ASSERT_EQ(panes.views.size(), 2u);
    auto* frequency = dynamic_cast<CRecordFrameWnd*>(panes.views[1].get());
    ASSERT_NE(frequency, nullptr);
    EXPECT_EQ(frequency->Viewer(), nullptr);
    EXPECT_EQ(model.ObserverCount(), 1u);
    frequency->OnUpdate(0x8, 0, 0);
    EXPECT_EQ(boxes.size(), 1u);
    for (const RecordFrameProfile* profile : RecordFrameProfiles()) {
        ui::RegisterPaneView(profile->viewId, nullptr);
    }
    ui::RegisterPaneView(40011, nullptr);
    std::filesystem::rename(aside, library);
}

}  // namespace
