// The collapse strip as a window: injected pointer messages walk its states, show
// its pictures and tip, and a click reaches the parent as its click message with
// the position. The window layer turns real pointer events into those messages,
// hover after the pointer rested included.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include <wx/event.h>
#include <wx/window.h>

#include "tests/ui/EventPump.h"
#include "Host.h"
#include "controls/ResizeCtrl.h"
#include "platform/ui/Dialog.h"
#include "tests/ui/DialogFixtures.h"
#include "platform/ui/MessageQueue.h"

namespace {

using controls::ResizeCtrlState;
using controlstest::Host;

struct Click {
    ui::WParam flags;
    int x, y;
};

// Records the parent's click messages, copying the point while the send lasts.
std::vector<Click>* RecordClicks(Host& host) {
    static std::vector<Click> clicks;
    clicks.clear();
    host.Window().OnMessage(kMsgResizeClick, [](ui::WParam flags, ui::LParam point) {
        const auto* at = reinterpret_cast<const wxPoint*>(point);
        clicks.push_back({flags, at->x, at->y});
        return ui::LResult{0};
    });
    return &clicks;
}

void Inject(wxWindow* window, wxEventType type, int x, int y) {
    wxMouseEvent event(type);
    event.SetPosition(wxPoint(x, y));
    event.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(event);
}

TEST(ResizeCtrl, InjectedMessagesWalkItsStatesPicturesAndTip) {
    Host host;
    std::vector<Click>* clicks = RecordClicks(host);
    CResizeCtrl strip(1);
    ASSERT_TRUE(strip.Create(&host.Window(), 6840, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 8, 150)));
    EXPECT_EQ(ResizeCtrlState::kPictureExpanded, strip.GetPictureId());

    ui::SendMessage(&strip, ui::kMsgMouseMove, 0, ui::MakePointLParam(3, 70));
    EXPECT_EQ(ResizeCtrlState::kMoving, strip.GetState().Current());
    EXPECT_EQ(ResizeCtrlState::kPictureExpandedHover, strip.GetPictureId());
    EXPECT_EQ(ui::kTrackHover | ui::kTrackLeave, strip.GetTrackedEvents());

    ui::SendMessage(&strip, ui::kMsgMouseHover, 0, ui::MakePointLParam(3, 70));
    EXPECT_EQ(ResizeCtrlState::kExpandedHover, strip.GetState().Current());
    EXPECT_EQ(L"点击收缩", strip.GetTipText());
    EXPECT_TRUE(strip.IsTipShown());

    ui::SendMessage(&strip, ui::kMsgLButtonDown, ui::kMouseLeftButton, ui::MakePointLParam(3, 70));
    ASSERT_EQ(1u, clicks->size());
    EXPECT_EQ(ui::kMouseLeftButton, clicks->front().flags);
    EXPECT_EQ(3, clicks->front().x);
    EXPECT_EQ(70, clicks->front().y);
    EXPECT_EQ(ResizeCtrlState::kCollapsed, strip.GetState().Current());
    EXPECT_EQ(L"", strip.GetTipText());
    EXPECT_FALSE(strip.IsTipShown());
    EXPECT_EQ(ResizeCtrlState::kPictureExpandedHover, strip.GetPictureId()) << "the look waits for the leave";

    ui::SendMessage(&strip, ui::kMsgMouseLeave);
    EXPECT_EQ(ResizeCtrlState::kPictureCollapsed, strip.GetPictureId());

    ui::SendMessage(&strip, ui::kMsgMouseMove, 0, ui::MakePointLParam(2, 20));
    ui::SendMessage(&strip, ui::kMsgMouseHover, 0, ui::MakePointLParam(2, 20));
    EXPECT_EQ(ResizeCtrlState::kCollapsedHover, strip.GetState().Current());
    EXPECT_EQ(L"点击展开", strip.GetTipText());
    EXPECT_EQ(ResizeCtrlState::kPictureCollapsedHover, strip.GetPictureId());
}

TEST(ResizeCtrl, PointerEventsBecomeMoveRestLeaveAndClickMessages) {
    Host host;
    std::vector<Click>* clicks = RecordClicks(host);
    CResizeCtrl strip(0);
    ASSERT_TRUE(strip.Create(&host.Window(), 6840, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 8, 150)));
    wxWindow* window = strip.GetWx();

    Inject(window, wxEVT_MOTION, 4, 60);
    EXPECT_EQ(ResizeCtrlState::kMoving, strip.GetState().Current());
    ASSERT_TRUE(uitest::PumpUntil([&] { return strip.GetState().Current() == ResizeCtrlState::kCollapsedHover; }))
        << "the pointer rested";
    EXPECT_EQ(ui::kTrackLeave, strip.GetTrackedEvents());

    Inject(window, wxEVT_LEFT_DOWN, 4, 61);
    ASSERT_EQ(1u, clicks->size());
    EXPECT_EQ(61, clicks->front().y);
    EXPECT_EQ(ResizeCtrlState::kExpanded, strip.GetState().Current());

    Inject(window, wxEVT_LEAVE_WINDOW, 20, 61);
    EXPECT_EQ(ResizeCtrlState::kPictureExpanded, strip.GetPictureId());
    EXPECT_EQ(0u, strip.GetTrackedEvents());
    // Without a request, a leave is not reported again.
    Inject(window, wxEVT_LEAVE_WINDOW, 20, 61);
    EXPECT_EQ(ResizeCtrlState::kExpanded, strip.GetState().Current());
}

TEST(ResizeCtrl, TakesThePlaceOfItsTemplateControl) {
    Host host;
    ui::Dialog panel(controlstest::PanelWith(uitest::Control(L"MFCResizeCtrl", 6840, 0, 0, 0, 3, 150), 100, 150));
    ASSERT_TRUE(panel.Create(&host.Window()));
    const wxRect box = panel.GetDlgItem(6840)->GetRect();
    CResizeCtrl strip(1);
    ASSERT_TRUE(strip.SubclassDlgItem(6840, &panel));
    EXPECT_EQ(strip.GetWx(), panel.GetDlgItem(6840));
    EXPECT_EQ(box, strip.GetWindowRect());
    EXPECT_TRUE(strip.IsWindowVisible());
    EXPECT_EQ(&panel, strip.GetParent());
    EXPECT_FALSE(strip.SubclassDlgItem(6840, &panel)) << "made once";
    CResizeCtrl other(1);
    EXPECT_FALSE(other.SubclassDlgItem(9999, &panel));
}

}  // namespace
