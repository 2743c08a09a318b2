// The balloon window with input injected through the window layer: a pane relays its
// mouse messages to its tooltip and answers the text requests, as the viewer's panes do.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <wx/event.h>
#include <wx/window.h>

#include "lib/viewer/html/HtmlToolTip.h"
#include "platform/base/Launcher.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/Screen.h"
#include "tests/ui/EventPump.h"

namespace {

using Clock = std::chrono::steady_clock;

// A pane with its tooltip, as the viewer's panes use one.
class TipPane : public ui::Window {
public:
    TipPane(ui::Window& frame, const wxRect& rect) {
        CreateChild(&frame, 100, ui::kStyleVisible, rect);
        ui::RouteInputMessages(*this);
        tip.CreateForPane(this);
        for (unsigned message = ui::kMsgMouseMove; message <= ui::kMsgMouseWheel; ++message) {
            OnMessage(message, [this, message](ui::WParam wParam, ui::LParam lParam) {
                tip.RelayEvent(ui::CurrentInputMessage(this, message, wParam, lParam));
                return 0;
            });
        }
        OnMessage(kMsgHtmlTipNeedText, [this](ui::WParam, ui::LParam lParam) {
            auto* request = reinterpret_cast<HtmlTipRequest*>(lParam);
            requests.push_back(*request);
            request->tool->text = text;
            if (direction >= 0) {
                request->tool->direction = direction;
            }
            return 0;
        });
    }

    // Screen point of a client point.
    wxPoint Screen(wxPoint client) const { return GetWx()->ClientToScreen(client); }

    std::wstring text = L"<b>Tip</b> text<br><hr color=blue><font color=red>value</font>";
    int direction = -1;
    std::vector<HtmlTipRequest> requests;
    CHtmlToolTip tip;
};

void InjectMouse(wxWindow* target, wxEventType type, wxPoint client, int wheel = 0) {
    wxMouseEvent event(type);
    event.SetEventObject(target);
    event.SetPosition(client);
    event.m_wheelRotation = wheel;
    event.m_wheelDelta = 120;
    target->ProcessWindowEvent(event);
}

void InjectKey(wxWindow* target, wxEventType type, int code, bool alt = false) {
    wxKeyEvent event(type);
    event.SetEventObject(target);
    event.m_keyCode = code;
    event.m_altDown = alt;
    target->ProcessWindowEvent(event);
}

class HtmlToolTipTest : public ::testing::Test {
protected:
    // A small frame at the given place with a pane filling it.
    TipPane& Place(const wxRect& rect) {
        pane.reset();
        frame = std::make_unique<ui::Frame>();
        frame->Create(L"tooltip test");
        frame->MoveWindow(rect);
        frame->ShowWindow(ui::kShow);
        pane = std::make_unique<TipPane>(*frame, wxRect(wxPoint(0, 0), frame->GetClientSize()));
        // Without a window manager the frame lands where it was put, once it is mapped.
        EXPECT_TRUE(uitest::PumpUntil(
            [&] { return frame->GetWx()->IsShownOnScreen() && pane->Screen({0, 0}) == rect.GetPosition(); }));
        return *pane;
    }
    void TearDown() override {
        pane.reset();
        frame.reset();
    }
    bool Shown() const { return pane->tip.IsWindowVisible() && pane->tip.Phase() == CHtmlToolTip::kShown; }
    // The balloon's window without its shadow, which a compositing display adds.
    wxRect Balloon() const {
        wxRect rect = pane->tip.GetWindowRect();
        if (pane->tip.IsTranslucent()) {
            rect.width -= 6;
            rect.height -= 6;
        }
        return rect;
    }
    // Rests the mouse at the client point until the balloon shows.
    bool RestUntilShown(wxPoint client) {
        InjectMouse(pane->GetWx(), wxEVT_MOTION, client);
        return uitest::PumpUntil([&] { return Shown(); });
    }

    std::unique_ptr<ui::Frame> frame;
    std::unique_ptr<TipPane> pane;
};

TEST_F(HtmlToolTipTest, ShowsAfterItsDelayWithTheOwnersText) {
    TipPane& tipPane = Place({100, 300, 300, 160});
    const auto start = Clock::now();
    InjectMouse(tipPane.GetWx(), wxEVT_MOTION, {60, 80});
    EXPECT_FALSE(tipPane.tip.IsWindowVisible());
    ASSERT_TRUE(uitest::PumpUntil([&] { return Shown(); }));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(450));
    ASSERT_EQ(tipPane.requests.size(), 1u);
    const wxPoint point = tipPane.Screen({60, 80});
    EXPECT_EQ(tipPane.requests[0].toolWindow, &tipPane);
    EXPECT_EQ(tipPane.requests[0].code, kHtmlTipNeedTextCode);
    EXPECT_EQ(tipPane.requests[0].point, (HtmlPoint{point.x, point.y}));
    // Above the point, extending right: the pointer's tip on the point.
    const wxRect balloon = Balloon();
    EXPECT_EQ(balloon.GetBottom() + 1, point.y);
    EXPECT_EQ(balloon.GetLeft(), point.x - 16);
    EXPECT_FALSE(tipPane.tip.GetWx()->HasFocus());
    // With the default hide delay it stays while the mouse rests.
    uitest::PumpUntil([start = Clock::now()] { return Clock::now() - start > std::chrono::milliseconds(700); });
    EXPECT_TRUE(Shown());
    EXPECT_EQ(tipPane.requests.size(), 1u);
}

TEST_F(HtmlToolTipTest, AMoveWithinThePaneAsksForTheTextAgain) {
    TipPane& tipPane = Place({100, 300, 300, 160});
    ASSERT_TRUE(RestUntilShown({60, 80}));
    tipPane.text = L"second";
    InjectMouse(tipPane.GetWx(), wxEVT_MOTION, {61, 80});
    EXPECT_FALSE(tipPane.tip.IsWindowVisible());
    ASSERT_TRUE(uitest::PumpUntil([&] { return Shown(); }));
    ASSERT_EQ(tipPane.requests.size(), 2u);
    const wxPoint point = tipPane.Screen({61, 80});
    EXPECT_EQ(tipPane.requests[1].point, (HtmlPoint{point.x, point.y}));
    EXPECT_EQ(tipPane.tip.Drawer().StoredText(), L"second");
    // A text the owner leaves empty shows nothing.
    tipPane.text.clear();
    InjectMouse(tipPane.GetWx(), wxEVT_MOTION, {62, 80});
    ASSERT_TRUE(uitest::PumpUntil([&] { return tipPane.requests.size() == 3; }));
    EXPECT_FALSE(tipPane.tip.IsWindowVisible());
}

TEST_F(HtmlToolTipTest, KeysTheWheelAndClicksHideIt) {
    TipPane& tipPane = Place({100, 300, 300, 160});
    tipPane.tip.SetTimes({100, -1, 0, 0});
    struct Case {
        const char* name;
        std::function<void()> inject;
    };
    wxWindow* paneWx = tipPane.GetWx();
    wxWindow* frameWx = frame->GetWx();
    const Case cases[] = {
        {"key", [&] { InjectKey(paneWx, wxEVT_KEY_DOWN, 'A'); }},
        {"key with Alt", [&] { InjectKey(paneWx, wxEVT_KEY_DOWN, 'F', true); }},
        {"key in another window", [&] { InjectKey(frameWx, wxEVT_KEY_DOWN, WXK_ESCAPE); }},
        {"wheel", [&] { InjectMouse(paneWx, wxEVT_MOUSEWHEEL, {60, 80}, -120); }},
        {"left button", [&] { InjectMouse(paneWx, wxEVT_LEFT_DOWN, {60, 80}); }},
        {"left double click", [&] { InjectMouse(paneWx, wxEVT_LEFT_DCLICK, {60, 80}); }},
        {"right button", [&] { InjectMouse(paneWx, wxEVT_RIGHT_DOWN, {60, 80}); }},
        {"middle button", [&] { InjectMouse(paneWx, wxEVT_MIDDLE_DOWN, {60, 80}); }},
        {"click on the balloon", [&] { InjectMouse(tipPane.tip.GetWx(), wxEVT_LEFT_DOWN, {20, 20}); }},
    };
    int x = 40;
    for (const Case& c : cases) {
        ASSERT_TRUE(RestUntilShown({x++, 80})) << c.name;
        c.inject();
        EXPECT_FALSE(tipPane.tip.IsWindowVisible()) << c.name;
        EXPECT_EQ(tipPane.tip.Phase(), CHtmlToolTip::kHidden) << c.name;
    }
    // A key release or a button release changes nothing.
    ASSERT_TRUE(RestUntilShown({x++, 80}));
    InjectKey(paneWx, wxEVT_KEY_UP, 'A');
    InjectMouse(paneWx, wxEVT_LEFT_UP, {x - 1, 80});
    EXPECT_TRUE(Shown());
}

TEST_F(HtmlToolTipTest, LeavingThePaneOrAHideDelayHidesIt) {
    TipPane& tipPane = Place({100, 300, 300, 160});
    tipPane.tip.SetTimes({100, 200, 0, 0});
    ASSERT_TRUE(RestUntilShown({60, 80}));
    EXPECT_TRUE(uitest::PumpUntil([&] { return !tipPane.tip.IsWindowVisible(); }));

    // Fading in and out (where the display composites; elsewhere at once) ends the same.
    tipPane.tip.SetTimes({100, 200, 20, 20});
    ASSERT_TRUE(RestUntilShown({61, 80}));
    EXPECT_TRUE(uitest::PumpUntil([&] { return !tipPane.tip.IsWindowVisible(); }));
    EXPECT_EQ(tipPane.tip.Phase(), CHtmlToolTip::kHidden);

    tipPane.tip.SetTimes({100, -1, 0, 0});
    ASSERT_TRUE(RestUntilShown({60, 81}));
    tipPane.EnableWindow(false);  // a disabled window has no tool
    InjectMouse(tipPane.GetWx(), wxEVT_MOTION, {60, 82});
    EXPECT_FALSE(tipPane.tip.IsWindowVisible());
}

TEST_F(HtmlToolTipTest, FlipsAtTheScreenEdges) {
    const wxRect screen = ui::VirtualScreenRect();
    struct Case {
        const char* name;
        wxRect frame;
        wxPoint client;
        int direction;  // set by the owner; -1 leaves the default (above, extending right)
        std::function<bool(const wxRect& balloon, wxPoint point)> placed;
    };
    const Case cases[] = {
        {"default: above, extending right", {100, 300, 300, 160}, {60, 80}, -1,
         [](const wxRect& b, wxPoint p) { return b.GetBottom() + 1 == p.y && b.GetLeft() == p.x - 16; }},
        {"at the right edge it extends left", {screen.GetRight() - 299, 300, 300, 160}, {290, 80}, -1,
         [&](const wxRect& b, wxPoint p) {
             return b.GetBottom() + 1 == p.y && b.GetRight() <= screen.GetRight() && b.GetLeft() < p.x - 16;
         }},
        {"at the top it goes below", {100, screen.GetTop(), 300, 160}, {60, 5}, -1,
         [](const wxRect& b, wxPoint p) { return b.GetTop() == p.y && b.GetLeft() == p.x - 16; }},
        {"centred above", {100, 300, 300, 160}, {150, 80}, 0x12,
         [](const wxRect& b, wxPoint p) { return b.GetBottom() + 1 == p.y && b.GetLeft() == p.x - b.GetWidth() / 2; }},
        {"below, at the bottom it goes above", {100, screen.GetBottom() - 159, 300, 160}, {60, 150}, 0x00,
         [](const wxRect& b, wxPoint p) { return b.GetBottom() + 1 == p.y; }},
        {"right of the point, at the right edge it goes left", {screen.GetRight() - 299, 300, 300, 160}, {290, 80},
         0x20, [](const wxRect& b, wxPoint p) { return b.GetRight() + 1 == p.x; }},
    };
    for (const Case& c : cases) {
        TipPane& tipPane = Place(c.frame);
        tipPane.tip.SetTimes({100, -1, 0, 0});
        tipPane.direction = c.direction;
        ASSERT_TRUE(RestUntilShown(c.client)) << c.name;
        const wxRect balloon = Balloon();
        const wxPoint point = tipPane.Screen(c.client);
        EXPECT_TRUE(c.placed(balloon, point)) << c.name << ": balloon " << balloon.x << "," << balloon.y << " "
                                              << balloon.width << "x" << balloon.height << ", point " << point.x
                                              << "," << point.y;
        EXPECT_TRUE(screen.Contains(balloon)) << c.name;
        pane.reset();
    }
}

TEST_F(HtmlToolTipTest, AClickOnALinkOpensOnlyWebAddressesAsOneArgument) {
    std::vector<std::vector<std::string>> started;
    const platform::ProgramStarter previous =
        platform::SetProgramStarter([&](const std::string& program, const std::vector<std::string>& arguments) {
            std::vector<std::string> call{program};
            call.insert(call.end(), arguments.begin(), arguments.end());
            started.push_back(call);
            return true;
        });
    TipPane& tipPane = Place({100, 300, 300, 160});
    tipPane.tip.SetTimes({100, -1, 0, 0});
    struct Case {
        const wchar_t* text;
        std::vector<std::vector<std::string>> expected;
    };
    const Case cases[] = {
        {L"<a href=\"https://example.org/a b;c\">open</a>", {{"xdg-open", "https://example.org/a b;c"}}},
        {L"<a href=\"file:///etc/passwd\">open</a>", {}},
        {L"<a href=\"/usr/bin/xterm\">open</a>", {}},
        {L"<a msg=\"http://example.org\">open</a>", {}},
    };
    int x = 40;
    for (const Case& c : cases) {
        started.clear();
        tipPane.text = c.text;
        ASSERT_TRUE(RestUntilShown({x++, 80}));
        ASSERT_EQ(tipPane.tip.Drawer().HotAreas().size(), 1u);
        const HtmlRect link = tipPane.tip.Drawer().HotAreas()[0].rect;
        InjectMouse(tipPane.tip.GetWx(), wxEVT_LEFT_DOWN, {(link.left + link.right) / 2, (link.top + link.bottom) / 2});
        EXPECT_EQ(started, c.expected);
        EXPECT_FALSE(tipPane.tip.IsWindowVisible());
    }
    platform::SetProgramStarter(previous);
}

}  // namespace
