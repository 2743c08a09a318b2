// The harmonic histogram frame in real windows: made by its pane factory, filled
// from a generated folder through the statistic model, its panel driven through its
// controls, its charts laid out and scrolled, recoloured, folded, reset and reloaded.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

#include "ViewsTestSupport.h"
#include "controls/ChartContrl.h"
#include "controls/ResizeCtrl.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/PaneViewRegistry.h"
#include "tests/ui/Clicks.h"
#include "tests/ui/EventPump.h"
#include "views/DlgHarmMain.h"
#include "views/DlgHarmPanel.h"
#include "views/DlgHarmScrollView.h"
#include "views/VolHarmonicHistogramsFrm.h"

namespace {

using Panel = CHarmPanelState;

void Settle()
{
    int rounds = 0;
    uitest::PumpUntil([&] { return ++rounds > 20; });
}

// A box ticked or cleared by the user: the state, then the toolkit's event.
void Tick(wxCheckBox* box, bool checked)
{
    ASSERT_NE(box, nullptr);
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(checked ? 1 : 0);
    box->ProcessWindowEvent(event);
}

void Choose(wxRadioButton* radio)
{
    ASSERT_NE(radio, nullptr);
    radio->SetValue(true);
    wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
    event.SetEventObject(radio);
    event.SetInt(1);
    radio->ProcessWindowEvent(event);
}

const controls::BarChart& Bars(const CDlgHarmScrollView& view, std::uint32_t phase)
{
    return view.Chart(phase)->GetChart()->Chart();
}

class HarmHistogramWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(L"host"));
        m_host.GetFrame()->SetSize(wxRect(40, 40, 1000, 560));
        m_host.ShowWindow(ui::kShow);
        Settle();
    }
    void TearDown() override
    {
        m_made.reset();
        m_host.DestroyWindow();
        Settle();
    }

    CVolHarmonicHistogramsFrm* Make(IDataModel& model)
    {
        RegisterHarmonicHistogramView();
        const ui::PaneViewFactory factory = ui::FindPaneView(40012);
        EXPECT_TRUE(static_cast<bool>(factory));
        if (!factory) {
            return nullptr;
        }
        m_made = factory(m_host.GetClientArea());
        auto* frame = dynamic_cast<CVolHarmonicHistogramsFrm*>(m_made.get());
        if (frame != nullptr) {
            frame->m_pDataModel = &model;
            frame->MoveWindow(wxRect(wxPoint(0, 0), m_host.GetClientArea().GetClientSize()));
            Settle();
        }
        return frame;
    }

    ui::Frame m_host;
    std::unique_ptr<ui::Window> m_made;
};

TEST_F(HarmHistogramWindowTest, ThePanelChoosesTheChartsOfEachPhase)
{
    viewstest::HarmFolder folder;
    CVolHarmonicHistogramsFrm* frame = Make(folder.model);
    ASSERT_NE(frame, nullptr);
    CDlgHarmPanel* panel = frame->Panel();
    CDlgHarmScrollView* view = frame->ScrollView();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(view, nullptr);
    const wxSize client = frame->GetClientSize();
    EXPECT_GE(frame->PanelWidth(), HarmFrameLayout::kPanelWidth);
    EXPECT_EQ(panel->GetWindowRect(), wxRect(client.x - frame->PanelWidth(), 0, frame->PanelWidth(), client.y));
    EXPECT_EQ(view->GetWindowRect(), wxRect(0, 0, client.x - frame->PanelWidth(), client.y));
    auto* list = panel->GetItem<wxChoice>(Panel::kFamilyList);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetCount(), 1u);
    EXPECT_FALSE(list->IsEnabled()) << "nothing loaded yet";

    frame->OnUpdate(CVolHarmonicHistogramsFrm::kEventLoaded, 0, 0);
    ASSERT_GE(list->GetCount(), 3u);
    EXPECT_EQ(list->GetString(0), wxString(L"电压谐波Harm U"));
    EXPECT_TRUE(list->IsEnabled());
    EXPECT_TRUE(panel->GetItem<wxCheckBox>(Panel::kFirstPhase)->GetValue());
    EXPECT_TRUE(panel->GetItem<wxRadioButton>(Panel::kEffective)->GetValue());
    Settle();
    ASSERT_TRUE(view->Chart(0)->IsWindowVisible());
    EXPECT_FALSE(view->Chart(1)->IsWindowVisible());
    EXPECT_EQ(view->Chart(0)->GetWindowRect(), wxRect(0, 0, view->GetClientSize().x, view->GetClientSize().y));
    EXPECT_EQ(Bars(*view, 0).Series().size(), 3u) << "maximum, minimum, average";
    EXPECT_EQ(Bars(*view, 0).Arguments().size(), 15u) << "orders 1 to 15";
    EXPECT_EQ(Bars(*view, 0).valueTitle.text, L"电压谐波[V](L1)");

    // L2 beside it, as ratios with the DC bar.
    Tick(panel->GetItem<wxCheckBox>(Panel::kFirstPhase + 1), true);
    Choose(panel->GetItem<wxRadioButton>(Panel::kRatio));
    ASSERT_TRUE(panel->GetItem<wxCheckBox>(Panel::kDc)->IsEnabled());
    Tick(panel->GetItem<wxCheckBox>(Panel::kDc), true);
    Settle();
    for (const std::uint32_t phase : {0u, 1u}) {
        const controls::BarChart& bars = Bars(*view, phase);
        EXPECT_EQ(bars.Arguments().size(), 16u) << phase;
        EXPECT_EQ(bars.Arguments().back(), L"DC") << phase;
        EXPECT_EQ(bars.valueTitle.text, phase == 0 ? L"电压谐波[%](L1)" : L"电压谐波[%](L2)");
        EXPECT_EQ(view->Chart(phase)->GetWindowRect().GetHeight(), view->GetClientSize().y / 2) << phase;
    }

    // All four in a client lower than 720: a third each, scrolled.
    Tick(panel->GetItem<wxCheckBox>(Panel::kFirstPhase + 2), true);
    Tick(panel->GetItem<wxCheckBox>(Panel::kFirstPhase + 3), true);
    Settle();
    const int third = view->GetClientSize().y / 3;
    EXPECT_EQ(view->Layout().scrollHeight, third * 4);
    EXPECT_EQ(view->Chart(3)->GetWindowRect().GetTop(), third * 3);
    view->ScrollTo(10000);
    EXPECT_EQ(view->GetScrollPosition(), third * 4 - view->GetClientSize().y);
    EXPECT_EQ(view->Chart(0)->GetWindowRect().GetTop(), -view->GetScrollPosition());
    EXPECT_EQ(Bars(*view, 3).valueTitle.text, L"电压谐波[%](LN)");

    // Alt+F4 inside a chart closes nothing.
    ui::SendMessage(view->Chart(2), ui::kMsgSysKeyDown, ui::kKeyF4, ui::kKeyFlagAlt);
    Settle();
    EXPECT_TRUE(view->Chart(2)->IsWindow());
    EXPECT_TRUE(view->IsWindow());
    EXPECT_TRUE(frame->IsWindow());

    // Colours: another view's change leaves the charts alone, this view's recolours.
    controls::ChartSeries& first = view->Chart(1)->GetChart()->Chart().Series()[0];
    const gfx::Color marker{1, 2, 3};
    first.color = marker;
    frame->OnUpdate(CVolHarmonicHistogramsFrm::kEventColors, 40006, 0);
    EXPECT_EQ(first.color, marker);
    frame->OnUpdate(CVolHarmonicHistogramsFrm::kEventColors, 40012, 0);
    EXPECT_NE(first.color, marker);

    // Export asks nothing of this view and gets nothing.
    ExportSource source;
    EXPECT_EQ(frame->FillAttributes(source), 1);
    EXPECT_TRUE(source.managers.empty());
    EXPECT_TRUE(source.keys.empty());
    EXPECT_EQ(frame->RequestRange(1001, 0, 0), 0);

    // The strip folds the panel; a second click unfolds it.
    panel->WindowProc(kMsgResizeClick, 0, 0);
    Settle();
    EXPECT_TRUE(frame->IsCollapsed());
    EXPECT_EQ(panel->GetWindowRect().GetWidth(), HarmFrameLayout::kCollapsedWidth);
    EXPECT_EQ(view->GetWindowRect().GetWidth(), client.x - HarmFrameLayout::kCollapsedWidth);
    panel->WindowProc(kMsgResizeClick, 0, 0);
    Settle();
    EXPECT_FALSE(frame->IsCollapsed());
    EXPECT_EQ(panel->GetWindowRect().GetWidth(), frame->PanelWidth());

    // A reset empties panel and charts; the next load refills every shown chart.
    frame->OnUpdate(CVolHarmonicHistogramsFrm::kEventReset, 0, 0);
    EXPECT_EQ(list->GetCount(), 1u);
    EXPECT_FALSE(list->IsEnabled());
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        EXPECT_TRUE(Bars(*view, phase).Series().empty()) << phase;
    }
    frame->OnUpdate(CVolHarmonicHistogramsFrm::kEventLoaded, 0, 0);
    Settle();
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        EXPECT_TRUE(view->Chart(phase)->IsWindowVisible()) << phase;
        EXPECT_EQ(Bars(*view, phase).Arguments().size(), 15u) << "filled again with the defaults, phase " << phase;
    }
}

}  // namespace
