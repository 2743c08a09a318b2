#pragma once
// Helpers of the viewer pane tests: a window stand-in that records what a pane
// asks of it and answers menus as a test says, a platform that gives every pane
// one and answers the dialogs, a host callback that records the codes it gets, and
// a headless viewer made of them.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/viewer/data/TracelumeCallback.h"
#include "lib/viewer/panes/Pane.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/ViewPlatform.h"

namespace panestest {

class FakeSurface final : public tracelume::IPaneSurface {
public:
    explicit FakeSurface(tracelume::CPane& pane) : m_pane(pane) {}

    void Invalidate() override { ++invalidations; }
    void UpdateNow() override { ++updates; }
    void Place(const gfx::Rect& rect, bool) override {
        m_pane.SizeChanged(static_cast<int>(rect.Width()), static_cast<int>(rect.Height()));
    }
    void SetCapture(bool capture) override { captured = capture; }
    void SetCursor(int shape) override { cursor = shape; }
    void SetFocus() override {}
    bool HasFocus() override { return true; }
    void SetTimer(unsigned id, unsigned) override { timers[id] = true; }
    void KillTimer(unsigned id) override { timers[id] = false; }
    void SetScrollBar(bool vertical, int range, int page, int position) override {
        (vertical ? vertical_ : horizontal) = {range, page, position};
    }
    void SetTipText(const std::wstring& html) override { tip = html; }
    gfx::Point ClientToScreen(gfx::Point point) override { return {point.x + 1000, point.y + 2000}; }
    bool IsControlDown() override { return controlDown; }
    unsigned TrackMenu(const std::vector<tracelume::MenuItem>& menu, int, int) override {
        menus.push_back(menu);
        return menuAnswer ? menuAnswer(menu) : 0;
    }

    struct Bar {
        int range = 0;
        int page = 0;
        int position = 0;
    };
    int invalidations = 0;
    int updates = 0;
    bool captured = false;
    int cursor = -1;
    std::map<unsigned, bool> timers;
    Bar horizontal;
    Bar vertical_;
    std::wstring tip;
    bool controlDown = false;
    std::vector<std::vector<tracelume::MenuItem>> menus;
    std::function<unsigned(const std::vector<tracelume::MenuItem>&)> menuAnswer;

private:
    tracelume::CPane& m_pane;
};

class FakePlatform final : public tracelume::IViewPlatform {
public:
    bool CreateWindows(tracelume::CTracelumeView& view) override;
    void CreatePaneWindow(tracelume::CPane& pane, tracelume::CPane& parent) override;
    wxWindow* Handle() override { return nullptr; }
    void PostRefresh() override { ++refreshPosts; }
    void PlaceTimeBox(const gfx::Rect&, bool) override {}
    void SetTimeBoxText(const std::wstring& text) override { timeBox = text; }
    int SetToolStrip(wxWindow*) override { return 0; }
    void PlaceToolStrip(gfx::Point, double, bool) override {}
    std::wstring AskSaveFile(const std::wstring&, const std::wstring&) override { return saveAnswer; }
    bool AskYesNo(const std::wstring& text) override {
        questions.push_back(text);
        return yesAnswer;
    }
    void ShowError(const std::wstring& text) override { errors.push_back(text); }
    int ChooseMark(IMarkManager&, double) override { return markAnswer; }
    bool CopyToClipboard(const gfx::Bitmap& picture) override {
        clipboard = {picture.Width(), picture.Height()};
        return true;
    }
    void SetBusy(bool) override {}

    FakeSurface& SurfaceOf(const tracelume::CPane& pane) { return *m_surfaces.at(&pane); }

    int refreshPosts = 0;
    std::wstring timeBox;
    std::wstring saveAnswer;
    bool yesAnswer = true;
    int markAnswer = -1;
    std::vector<std::wstring> questions;
    std::vector<std::wstring> errors;
    std::pair<int, int> clipboard{0, 0};

private:
    void Attach(tracelume::CPane& pane);
    std::map<const tracelume::CPane*, std::unique_ptr<FakeSurface>> m_surfaces;
};

// Records every code the viewer reports, the position words as 64-bit values.
class RecordingCallback final : public ITracelumeCallback {
public:
    struct Call {
        std::uint32_t code = 0;
        std::int64_t wParam = 0;
        std::int64_t lParam = 0;
        tracelume::NotifyPoint point;  // code 116
    };
    void ShowProperties(const std::wstring& xml) override { properties.push_back(xml); }
    void BeginProperties() override { ++begins; }
    std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override;

    std::vector<std::uint32_t> Codes() const;
    void Clear() { calls.clear(); }

    std::vector<Call> calls;
    std::vector<std::wstring> properties;
    int begins = 0;
};

// A viewer without windows, laid out at the size given, with the toolbar shown.
struct HeadlessViewer {
    explicit HeadlessViewer(int width = 800, int height = 600, bool withPlatform = true);
    ~HeadlessViewer();

    tracelume::CTracelumeView& view() { return *viewPtr; }
    tracelume::CTracelumeCtrl& wave();
    FakeSurface& waveSurface();
    // Mouse input to the waveform at a client point.
    void Mouse(tracelume::MouseEvent::Kind kind, int x, int y, unsigned keys = 0, int wheel = 0);

    FakePlatform* platform = nullptr;
    RecordingCallback callback;
    std::unique_ptr<tracelume::CTracelumeView> viewPtr;
};

}  // namespace panestest
