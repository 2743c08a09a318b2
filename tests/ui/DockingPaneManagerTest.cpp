// Docking panes on a real frame: a pane's window shows only in its tab (never where
// its owner made it), a click on a tab brings that pane to the front unless its tab
// may not be chosen, and the body is laid out only when the layout changed, once
// for a run of changes made under a hold.
#include <memory>

#include <gtest/gtest.h>

#include <wx/aui/auibook.h>
#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/panel.h>

#include "platform/ui/DockingPaneManager.h"
#include "platform/ui/Frame.h"
#include "tests/ui/EventPump.h"

namespace {

class DockingPanes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_frame.Create(L"panes"));
        m_frame.GetFrame()->SetSize(900, 700);
        m_frame.GetFrame()->Show();
        ASSERT_TRUE(m_panes.InstallDockingPanes(m_frame));
        m_panes.HideClient(true);
    }
    void TearDown() override { m_frame.DestroyWindow(); }

    // A shown pane in the group of `neighbour` (a new group at the left without one),
    // with a window made where views are made: a visible child of the frame itself.
    ui::DockingPane* AddPane(unsigned id, ui::DockingPane* group) {
        ui::DockingPane* pane = m_panes.CreatePane(id, wxRect(0, 0, 300, 300), ui::DockDirection::Left, nullptr);
        if (group != nullptr) {
            m_panes.AttachPane(pane, group);
        }
        pane->SetTabCaption(L"pane " + std::to_wstring(id));
        pane->SetTitle(L"title " + std::to_wstring(id));
        pane->Attach(new wxPanel(m_frame.GetFrame(), wxID_ANY, wxPoint(0, 0), wxSize(200, 200)));
        return pane;
    }

    wxAuiTabCtrl* TabsOf(ui::DockingPane* pane) const {
        for (wxWindow* child : pane->GetGroup()->book->GetChildren()) {
            if (auto* tabs = dynamic_cast<wxAuiTabCtrl*>(child)) {
                return tabs;
            }
        }
        return nullptr;
    }

    // A press and release on the tab at `index`, as the window system delivers them.
    void ClickTab(ui::DockingPane* anyInGroup, int index) {
        wxAuiTabCtrl* tabs = TabsOf(anyInGroup);
        ASSERT_NE(tabs, nullptr);
        // The tabs learn their places when they are drawn.
        tabs->Refresh();
        uitest::PumpUntil([&] { return !tabs->GetPage(static_cast<size_t>(index)).rect.IsEmpty(); });
        const wxRect tab = tabs->GetPage(static_cast<size_t>(index)).rect;
        ASSERT_FALSE(tab.IsEmpty());
        for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
            wxMouseEvent event(type);
            event.SetEventObject(tabs);
            event.SetPosition(wxPoint(tab.x + tab.width / 2, tab.y + tab.height / 2));
            tabs->GetEventHandler()->ProcessEvent(event);
        }
        uitest::PumpUntil([&] { return true; });
        m_panes.Realize();
    }

    ui::Frame m_frame;
    ui::DockingPaneManager m_panes;
};

TEST_F(DockingPanes, AWindowShowsOnlyInItsPanesTab) {
    ui::DockingPane* shown = AddPane(1, nullptr);
    ui::DockingPane* closed = AddPane(2, shown);
    closed->Close();
    // Before any layout: neither window stands over the frame where it was made.
    EXPECT_FALSE(shown->GetWindow()->IsShown());
    EXPECT_FALSE(closed->GetWindow()->IsShown());
    m_panes.Realize();
    EXPECT_TRUE(shown->GetWindow()->IsShownOnScreen());
    EXPECT_EQ(shown->GetWindow()->GetParent(), shown->GetGroup()->book);
    EXPECT_FALSE(closed->GetWindow()->IsShown()) << "the window of a closed pane stays out of sight";
    EXPECT_NE(closed->GetWindow()->GetParent(), m_frame.GetFrame());
    // Attached once its pane is shown: out of sight until the tab shows it.
    ui::DockingPane* late = m_panes.CreatePane(3, wxRect(0, 0, 300, 300), ui::DockDirection::Left, nullptr);
    m_panes.AttachPane(late, shown);
    late->Close();
    m_panes.Realize();
    late->Attach(new wxPanel(m_frame.GetFrame(), wxID_ANY, wxPoint(0, 0), wxSize(200, 200)));
    EXPECT_FALSE(late->GetWindow()->IsShown());
}

TEST_F(DockingPanes, AClickOnATabBringsItsPaneToTheFront) {
    ui::DockingPane* first = AddPane(1, nullptr);
    ui::DockingPane* second = AddPane(2, first);
    ui::DockingPane* refused = AddPane(3, first);
    first->Select();
    m_panes.Realize();
    ASSERT_TRUE(first->IsSelected());

    ClickTab(first, 1);
    EXPECT_TRUE(second->IsSelected());
    EXPECT_EQ(m_panes.GetActivePane(), second);
    EXPECT_EQ(first->GetGroup()->book->GetCurrentPage(), second->GetWindow());
    wxAuiManager* aui = wxAuiManager::GetManager(m_frame.GetBody().GetWx());
    ASSERT_NE(aui, nullptr);
    EXPECT_EQ(aui->GetPane(first->GetGroup()->book).caption, wxString(L"title 2")) << "the caption follows";

    refused->SetEnabled(ui::kPaneEnableClient);  // its tab may not be chosen
    ClickTab(first, 2);
    EXPECT_TRUE(second->IsSelected());
    EXPECT_EQ(first->GetGroup()->book->GetCurrentPage(), second->GetWindow());
}

TEST_F(DockingPanes, TheBodyIsLaidOutOnlyWhenItsLayoutChanged) {
    ui::DockingPane* first = AddPane(1, nullptr);
    AddPane(2, first);
    m_panes.Realize();
    int layouts = 0;
    m_frame.GetBody().GetWx()->Bind(wxEVT_AUI_RENDER, [&layouts](wxAuiManagerEvent& event) {
        ++layouts;
        event.Skip();
    });
    m_panes.Realize();
    first->SetTabCaption(L"pane 1");  // as it was
    m_panes.Realize();
    EXPECT_EQ(layouts, 0) << "nothing changed";

    {
        const ui::DockingPaneManager::LayoutHold hold(m_panes);
        m_panes.ShowPane(first, true);
        first->SetTitle(L"another title");
        uitest::PumpUntil([&] { return true; });
        EXPECT_FALSE(first->GetWindow()->IsShown()) << "the layout waits for the hold";
    }
    EXPECT_TRUE(uitest::PumpUntil([&] { return first->GetWindow()->IsShownOnScreen(); }));
}

}  // namespace
