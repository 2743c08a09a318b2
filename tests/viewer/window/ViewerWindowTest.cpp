// The viewer library as a host sees it: loaded from the program folder, created in
// a window, driven through ITracelume and through input injected into its windows,
// heard through the callback.
#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <cstdint>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>
#include <wx/popupwin.h>

#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "lib/viewer/data/TracelumeCallback.h"
#include "platform/base/DynamicLibrary.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/PopupMenu.h"
#include "terminal/SimpleDataManager.h"
#include "tests/support/TempDir.h"
#include "tests/ui/EventPump.h"

// Last: the X headers define short names (None, Status, Bool) that others use.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

using Codes = std::vector<std::uint32_t>;
constexpr std::int64_t k2To32 = std::int64_t{1} << 32;

class Recorder final : public ITracelumeCallback {
public:
    struct Call {
        std::uint32_t code;
        std::int64_t wParam;
        std::int64_t lParam;
    };
    void ShowProperties(const std::wstring&) override {}
    void BeginProperties() override {}
    std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override {
        calls.push_back({code, static_cast<std::int64_t>(wParam), static_cast<std::int64_t>(lParam)});
        return 0;
    }
    Codes CodesFrom(std::size_t first) const {
        Codes codes;
        for (std::size_t i = first; i < calls.size(); ++i) {
            codes.push_back(calls[i].code);
        }
        return codes;
    }
    std::vector<Call> calls;
};

// Samples computed from their index, as the program's data managers hand them out.
class FunctionSource final : public ISimpleDataManager {
public:
    FunctionSource(std::int64_t count, std::function<std::int64_t(std::int64_t)> function)
        : m_count(count), m_function(std::move(function)) {}
    void Release() override {}
    std::int32_t ReservedSlot2(std::uint32_t, std::uint32_t, std::uint32_t) override { return 0; }
    bool GetNext(std::int64_t* index, std::int64_t* position) override {
        if (*index < 0 || *index >= m_count) {
            return false;
        }
        *position = m_function((*index)++);
        return true;
    }
    bool GetPrev(std::int64_t* index, std::int64_t* position) override {
        if (*index < 0 || *index >= m_count) {
            return false;
        }
        *position = m_function((*index)--);
        return true;
    }
    std::uint64_t GetCount() override { return static_cast<std::uint64_t>(m_count); }
    bool GetValue(std::int64_t, double*) override { return false; }

private:
    std::int64_t m_count;
    std::function<std::int64_t(std::int64_t)> m_function;
};

// A sine of 200 samples a period, as display positions.
std::int64_t Sine(std::int64_t i) {
    return static_cast<std::int64_t>((0.5 + 0.4 * std::sin(static_cast<double>(i % 200) * 6.283185307 / 200)) *
                                     4294967296.0);
}

// A host window with the viewer in it, the library loaded from the program folder.
class ViewerHost : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_library.Load(platform::ProgramFolder() / "libTracelume.so")) << m_library.Error();
        m_create = reinterpret_cast<CreateTracelumeFunction>(m_library.Symbol("CreateTracelume"));
        ASSERT_NE(m_create, nullptr);
        // Away from the screen's middle, where the pointer rests, and from other tests' windows.
        m_frame = new wxFrame(nullptr, wxID_ANY, "host", wxPoint(1000, 620), wxSize(580, 360));
        m_frame->Show();
        // Without a window manager the frame lands where it was put, once it is mapped.
        ASSERT_TRUE(uitest::PumpUntil([&] { return m_frame->IsShownOnScreen(); }));
        m_viewer = m_create(m_frame);
        ASSERT_NE(m_viewer, nullptr);
        ASSERT_NE(m_viewer->GetHwnd(), nullptr);
        m_viewer->ShowToolBar(1);
        m_viewer->SetCallback(&m_recorder);
        m_viewer->GetHwnd()->SetSize(m_frame->GetClientSize());
        Settle();
    }
    void TearDown() override {
        if (m_viewer != nullptr) {
            m_viewer->Release();
        }
        if (m_frame != nullptr) {
            m_frame->Destroy();
        }
        Settle();
    }
    static void Settle() {
        int rounds = 0;
        uitest::PumpUntil([&] { return ++rounds > 20; });
    }
    wxWindow* Pane(const char* name) const { return wxWindow::FindWindowByName(name, m_viewer->GetHwnd()); }

    static void Inject(wxWindow* target, wxEventType type, wxPoint at, bool leftHeld = false, bool control = false) {
        wxMouseEvent event(type);
        event.SetEventObject(target);
        event.SetId(target->GetId());
        event.m_x = at.x;
        event.m_y = at.y;
        event.m_leftDown = leftHeld || type == wxEVT_LEFT_DOWN;
        event.m_controlDown = control;
        target->ProcessWindowEvent(event);
    }
    static void Click(wxWindow* target, wxPoint at) {
        Inject(target, wxEVT_LEFT_DOWN, at);
        Inject(target, wxEVT_LEFT_UP, at);
    }
    static void Key(wxWindow* target, int code) {
        for (const wxEventType type : {wxEVT_KEY_DOWN, wxEVT_KEY_UP}) {
            wxKeyEvent event(type);
            event.SetEventObject(target);
            event.m_keyCode = code;
            target->ProcessWindowEvent(event);
        }
    }
    // The middle of the toolbar button of the n-th place (separators count).
    static wxPoint ToolbarButton(int place) {
        static const int kWidths[] = {24, 24, 8, 24, 24, 24, 24, 24, 8, 24, 24, 8, 24, 24, 24};
        int x = 3;
        for (int i = 0; i < place; ++i) {
            x += kWidths[i];
        }
        return {x + 12, 14};
    }

    platform::DynamicLibrary m_library;
    CreateTracelumeFunction m_create = nullptr;
    wxFrame* m_frame = nullptr;
    ITracelume* m_viewer = nullptr;
    Recorder m_recorder;
};

TEST(ViewerEntryTest, NoWindowNoViewer) {
    platform::DynamicLibrary library(platform::ProgramFolder() / "libTracelume.so");
    ASSERT_TRUE(library.IsLoaded()) << library.Error();
    auto create = reinterpret_cast<CreateTracelumeFunction>(library.Symbol("CreateTracelume"));
    ASSERT_NE(create, nullptr);
    EXPECT_EQ(create(nullptr), nullptr);
}

TEST_F(ViewerHost, HostHearsTheCodesOfBuildingDetailGesturesAndSelection) {
    wxWindow* wave = Pane("CTracelumeCtrl");
    wxWindow* toolbar = Pane("CToolBarWithTip");
    ASSERT_NE(wave, nullptr);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_GT(wave->GetClientSize().x, 300);

    FunctionSource source(250000, Sine);
    IBufferredDataManager* cache = m_viewer->CreateDataManager(&source);
    ASSERT_EQ(m_recorder.CodesFrom(0), Codes{tracelume::kNotifyCacheProgress});
    EXPECT_EQ(m_recorder.calls[0].wParam, 2);

    // A record of 2^33 + 16 samples at 1 kHz, its end in view, detail allowed.
    m_viewer->SetDataLength(0x10, 0x2);
    m_viewer->SetSampleRate(1000);
    m_viewer->Command(tracelume::kCommandDetailView, 1, 0);
    m_viewer->GoTo(4);
    int min = 0;
    int max = 0;
    m_viewer->GetZoomRange(&min, &max);
    m_viewer->SetZoom(max - 1);
    m_viewer->GoTo(4);
    Settle();
    // Zoom in with the toolbar's button: to the top level, then into the detail view.
    Click(toolbar, ToolbarButton(4));
    Click(toolbar, ToolbarButton(4));
    ASSERT_EQ(m_recorder.CodesFrom(1), Codes{tracelume::kNotifyDetailRange});
    EXPECT_GT(m_recorder.calls[1].wParam, 10 * k2To32);
    EXPECT_GT(m_recorder.calls[1].lParam, 20);
    EXPECT_EQ(m_viewer->GetSampleRate(), 10000);
    // Out again with the keypad's minus.
    Key(wave, WXK_NUMPAD_SUBTRACT);
    EXPECT_EQ(m_recorder.CodesFrom(1), (Codes{tracelume::kNotifyDetailRange, tracelume::kNotifyDetailLeft}));

    // A double click says where.
    Inject(wave, wxEVT_LEFT_DCLICK, {200, 40});
    ASSERT_EQ(m_recorder.calls.size(), 4u);
    EXPECT_EQ(m_recorder.calls[3].code, tracelume::kNotifyDoubleClick);
    EXPECT_GT(m_recorder.calls[3].lParam, k2To32);
    EXPECT_EQ(m_recorder.calls[3].wParam, m_recorder.calls[3].lParam >> 32);

    // Region mode from the toolbar, then a drag across the waveform.
    m_viewer->Command(tracelume::kCommandMinRegion, 10, 0);
    Click(toolbar, ToolbarButton(14));
    Inject(wave, wxEVT_LEFT_DOWN, {100, 60});
    Inject(wave, wxEVT_MOTION, {250, 60}, true);
    Inject(wave, wxEVT_LEFT_UP, {300, 60});
    ASSERT_EQ(m_recorder.CodesFrom(4), (Codes{tracelume::kNotifyRegionGesture, tracelume::kNotifyRegionState,
                                              tracelume::kNotifyRegion}));
    EXPECT_EQ(m_recorder.calls[4].wParam, 1);
    EXPECT_GT(m_recorder.calls[6].wParam, k2To32);
    EXPECT_GT(m_recorder.calls[6].lParam, m_recorder.calls[6].wParam);

    // The host selects a stretch beyond 2^32 itself.
    const std::int64_t first = 5 * k2To32 / 4;
    m_viewer->Command(tracelume::kCommandSelectRegion, first, first + 500);
    ASSERT_EQ(m_recorder.CodesFrom(7), (Codes{tracelume::kNotifyRegionGesture, tracelume::kNotifyRegionState,
                                              tracelume::kNotifyRegion}));
    EXPECT_EQ(m_recorder.calls[9].wParam, first);
    EXPECT_EQ(m_recorder.calls[9].lParam, first + 501);
    cache->Release();
}

TEST_F(ViewerHost, RowsShowTheirValuesInATipAndTheTimeBoxItsTime) {
    FunctionSource source(20000, Sine);
    IBufferredDataManager* cache = m_viewer->CreateDataManager(&source);
    IRowItem* row = m_viewer->AddRow(nullptr);
    row->SetName(L"U1 <a&b>");
    IRowItemImp* kind = m_viewer->CreateRowImp(3);
    kind->SetData(cache);
    row->AddImp(kind);
    CLineStyleInfo style;
    style.m_name = L"Ua";
    style.m_lineColor = 0x0000FF;
    row->SetImpStyle(kind, style);
    m_viewer->SetDataLength(20000, 0);
    m_viewer->SetSampleRate(10000);
    m_viewer->ZoomAll();
    Settle();
    wxWindow* wave = Pane("CTracelumeCtrl");
    // The mouse resting over the row brings up the balloon tooltip (moved there
    // again should other input on the display have hidden it).
    const auto balloonShown = [&] {
        for (wxWindow* child : wave->GetChildren()) {
            if (dynamic_cast<wxPopupWindow*>(child) != nullptr && child->IsShown()) {
                return true;
            }
        }
        return false;
    };
    auto rested = std::chrono::steady_clock::now() - std::chrono::seconds(5);
    EXPECT_TRUE(uitest::PumpUntil([&] {
        if (balloonShown()) {
            return true;
        }
        if (std::chrono::steady_clock::now() - rested > std::chrono::seconds(2)) {
            Inject(wave, wxEVT_MOTION, {100, 60});
            rested = std::chrono::steady_clock::now();
        }
        return false;
    }));
    // A press hides it.
    Inject(wave, wxEVT_LEFT_DOWN, {100, 60});
    Inject(wave, wxEVT_LEFT_UP, {100, 60});
    EXPECT_TRUE(uitest::PumpUntil([&] { return !balloonShown(); }));
    // The time box shows the left edge's time.
    auto* timeBox = dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowByName("Edit", Pane("CToolBarWithTip")));
    ASSERT_NE(timeBox, nullptr);
    EXPECT_EQ(timeBox->GetValue(), "0.000s");
    m_viewer->RemoveAllRows();
    cache->Release();
}

// The wheel turned over the waveform moves it along time a line at a time: towards
// the end when turned towards the user, back when turned away.
TEST_F(ViewerHost, TheWheelOverTheWaveformScrollsItAlongTime) {
    constexpr std::int64_t kCount = 20000;
    FunctionSource analog(kCount, Sine);
    IBufferredDataManager* cache = m_viewer->CreateDataManager(&analog);
    IRowItem* row = m_viewer->AddRow(nullptr);
    IRowItemImp* imp = m_viewer->CreateRowImp(3);
    imp->SetData(cache);
    row->AddImp(imp);
    m_viewer->SetDataLength(static_cast<std::uint32_t>(kCount), 0);
    m_viewer->SetSampleRate(1000);
    m_viewer->ZoomAll();
    m_viewer->SetZoom(m_viewer->GetZoom() + 2);
    m_viewer->GoTo(0);
    Settle();
    wxWindow* wave = Pane("CTracelumeCtrl");
    ASSERT_NE(wave, nullptr);
    auto* timeBox = dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowByName("Edit", Pane("CToolBarWithTip")));
    ASSERT_NE(timeBox, nullptr);
    const auto wheel = [&](int turn) {
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.SetEventObject(wave);
        event.SetPosition({150, 40});
        event.m_wheelRotation = turn;
        event.m_wheelDelta = 120;
        event.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
        wave->ProcessWindowEvent(event);
        Settle();
    };
    const wxString start = timeBox->GetValue();
    wheel(-120);
    const wxString later = timeBox->GetValue();
    EXPECT_NE(later, start) << "towards the end";
    wheel(120);
    EXPECT_EQ(timeBox->GetValue(), start) << "and back";

    // The same with the X server's own wheel, as a mouse turns it: one notch towards
    // the user (button 5) over the waveform moves it one line, not a line and rows.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const wxPoint centre = wave->ClientToScreen(wxPoint(150, 40));
    XTestFakeMotionEvent(display, -1, centre.x, centre.y, CurrentTime);
    XSync(display, False);
    Settle();
    XTestFakeButtonEvent(display, 5, True, CurrentTime);
    XTestFakeButtonEvent(display, 5, False, CurrentTime);
    XSync(display, False);
    XCloseDisplay(display);
    EXPECT_TRUE(uitest::PumpUntil([&] { return timeBox->GetValue() != start; })) << "the real wheel";
    Settle();
    EXPECT_EQ(timeBox->GetValue(), later) << "one line, as the window layer's wheel";
    m_viewer->RemoveAllRows();
    cache->Release();
}

TEST_F(ViewerHost, AHostsRowsZoomScrollMarksAndAPictureThroughTheWindows) {
    constexpr std::int64_t kCount = 20000;
    FunctionSource analog(kCount, Sine);
    FunctionSource bus(kCount, [](std::int64_t i) { return (i / 1000) % 256; });
    FunctionSource bit(kCount, [](std::int64_t i) { return (i / 700) % 2; });
    std::vector<IBufferredDataManager*> caches;
    for (auto [source, kind, bits] : {std::tuple<ISimpleDataManager*, int, int>{&analog, 3, 32},
                                      std::tuple<ISimpleDataManager*, int, int>{&bus, 1, 8},
                                      std::tuple<ISimpleDataManager*, int, int>{&bit, 2, 1}}) {
        caches.push_back(m_viewer->CreateDataManager(source));
        IRowItem* row = m_viewer->AddRow(nullptr);
        row->SetBitWidth(bits);
        IRowItemImp* imp = m_viewer->CreateRowImp(kind);
        imp->SetData(caches.back());
        row->AddImp(imp);
    }
    m_viewer->SetDataLength(static_cast<std::uint32_t>(kCount), 0);
    m_viewer->SetSampleRate(1000);
    m_viewer->ZoomAll();
    Settle();
    wxWindow* wave = Pane("CTracelumeCtrl");
    wxWindow* toolbar = Pane("CToolBarWithTip");
    const int fitted = m_viewer->GetZoom();
    Click(toolbar, ToolbarButton(4));
    Click(toolbar, ToolbarButton(4));
    EXPECT_EQ(m_viewer->GetZoom(), fitted + 2);
    // Right arrow: 100 pixels on.
    auto* timeBox = dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowByName("Edit", toolbar));
    ASSERT_NE(timeBox, nullptr);
    m_viewer->GoTo(0);
    const wxString before = timeBox->GetValue();
    Key(wave, WXK_RIGHT);
    EXPECT_NE(timeBox->GetValue(), before);

    // A mark from the waveform's menu, where the right button went down; the next
    // menu lists it.
    const auto openMenu = [&] {
        for (const wxEventType type : {wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP}) {
            Inject(wave, type, {150, 40});
        }
        wxContextMenuEvent menu(wxEVT_CONTEXT_MENU, wave->GetId(), wave->ClientToScreen({150, 40}));
        menu.SetEventObject(wave);
        wave->ProcessWindowEvent(menu);
    };
    ui::SetPopupMenuResponder([](const std::vector<ui::PopupMenuItem>&, wxPoint) { return 32806u; });
    openMenu();
    bool listed = false;
    ui::SetPopupMenuResponder([&](const std::vector<ui::PopupMenuItem>& items, wxPoint) {
        for (const ui::PopupMenuItem& item : items) {
            for (const ui::PopupMenuItem& child : item.children) {
                listed = listed || child.text == L"M1";
            }
        }
        return 0u;
    });
    openMenu();
    EXPECT_TRUE(listed);

    // A picture of a dragged rectangle, saved where the user says.
    testsupport::TempDir folder;
    const std::filesystem::path file = folder / "picture.bmp";
    ui::SetPopupMenuResponder([](const std::vector<ui::PopupMenuItem>& items, wxPoint) {
        return items.size() == 2 ? items[0].id : 0u;
    });
    ui::SetPickerResponder([&](const ui::PickerRequest& request) {
        EXPECT_EQ(request.kind, ui::PickerRequest::Kind::SaveFile);
        return platform::FromPath(file);
    });
    m_viewer->SetMouseMode(1);
    Inject(wave, wxEVT_LEFT_DOWN, {20, 10});
    Inject(wave, wxEVT_MOTION, {220, 110}, true);
    Inject(wave, wxEVT_LEFT_UP, {220, 110});
    ui::SetPopupMenuResponder(nullptr);
    ui::SetPickerResponder(nullptr);
    const std::string bytes = testsupport::ReadAll(file);
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    m_viewer->RemoveAllRows();
    for (IBufferredDataManager* cache : caches) {
        cache->Release();
    }
}

TEST_F(ViewerHost, HostsStripSitsRightOfTheTimeBoxAndComesBack) {
    auto* strip = new wxPanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(80, 20));
    EXPECT_EQ(m_viewer->SetToolStrip(strip), 1);
    Settle();
    wxWindow* toolbar = Pane("CToolBarWithTip");
    wxWindow* timeBox = wxWindow::FindWindowByName("Edit", toolbar);
    ASSERT_NE(timeBox, nullptr);
    EXPECT_EQ(strip->GetParent(), toolbar);
    EXPECT_TRUE(strip->IsShown());
    EXPECT_EQ(strip->GetPosition().x, timeBox->GetRect().GetRight() + 1 + 6);
    EXPECT_EQ(strip->GetSize(), wxSize(80, 20));
    // Hiding the toolbar hides the strip; taking it out gives it back hidden.
    m_viewer->ShowToolBar(0);
    EXPECT_FALSE(strip->IsShown());
    EXPECT_EQ(m_viewer->SetToolStrip(nullptr), 1);
    EXPECT_EQ(strip->GetParent(), m_frame);
    EXPECT_FALSE(strip->IsShown());
    // A strip left in the toolbar goes with the viewer.
    auto* second = new wxPanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(50, 20));
    m_viewer->SetToolStrip(second);
    wxWeakRef<wxWindow> watch(second);
    m_viewer->Release();
    m_viewer = nullptr;
    EXPECT_EQ(watch.get(), nullptr);
    EXPECT_NE(strip->GetParent(), nullptr);
}

TEST_F(ViewerHost, HostsStripKeepsItsOwnWidthThroughANarrowLayout) {
    // The host hands its strip over while the viewer is still narrow, as a pane
    // does before its first real size: the strip is cut to the room there is, and
    // gets its whole width back once the viewer is wide again.
    wxWindow* toolbar = Pane("CToolBarWithTip");
    wxWindow* timeBox = wxWindow::FindWindowByName("Edit", toolbar);
    ASSERT_NE(timeBox, nullptr);
    const auto room = [&] { return toolbar->GetClientSize().x - (timeBox->GetRect().GetRight() + 1 + 6); };
    m_viewer->GetHwnd()->SetSize(wxSize(500, 300));
    Settle();
    auto* strip = new wxPanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(180, 20));
    ASSERT_EQ(m_viewer->SetToolStrip(strip), 1);
    Settle();
    ASSERT_LT(room(), 180) << "the first layout has less room than the strip";
    EXPECT_EQ(strip->GetSize().x, std::max(room(), 0));
    for (int width : {900, 560, 1000}) {
        m_viewer->GetHwnd()->SetSize(wxSize(width, 300));
        Settle();
        EXPECT_EQ(strip->GetPosition().x, timeBox->GetRect().GetRight() + 1 + 6) << width;
        EXPECT_EQ(strip->GetSize(), wxSize(std::clamp(room(), 0, 180), 20)) << width;
    }
    EXPECT_EQ(strip->GetSize().x, 180) << "wide again: the whole strip";
}

TEST_F(ViewerHost, ReleaseTakesTheWindowAway) {
    wxWeakRef<wxWindow> window(m_viewer->GetHwnd());
    EXPECT_EQ(window->GetParent(), m_frame);
    m_viewer->Refresh();  // a relayout still queued when the viewer goes
    m_viewer->Release();
    m_viewer = nullptr;
    EXPECT_EQ(window.get(), nullptr);
    Settle();
}

}  // namespace
