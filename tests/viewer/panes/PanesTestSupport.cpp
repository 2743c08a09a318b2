#include "tests/viewer/panes/PanesTestSupport.h"

#include "lib/viewer/panes/LegendWnd.h"
#include "lib/viewer/panes/SimpleWnd.h"
#include "lib/viewer/panes/ToolBarWithTip.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "lib/viewer/panes/WaveMarkCtrl.h"
#include "lib/viewer/panes/WaveNavigatorCtrl.h"

namespace panestest {

void FakePlatform::Attach(tracelume::CPane& pane) {
    auto surface = std::make_unique<FakeSurface>(pane);
    pane.AttachSurface(surface.get());
    m_surfaces[&pane] = std::move(surface);
}

bool FakePlatform::CreateWindows(tracelume::CTracelumeView& view) {
    Attach(view);
    Attach(view.ToolBar());
    Attach(view.TopCorner());
    Attach(view.BottomCorner());
    Attach(view.Tree());
    Attach(view.Wave());
    Attach(view.Ruler());
    Attach(view.MarkBar());
    Attach(view.Navigator());
    return true;
}

void FakePlatform::CreatePaneWindow(tracelume::CPane& pane, tracelume::CPane&) { Attach(pane); }

std::intptr_t RecordingCallback::Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    Call call;
    call.code = code;
    call.wParam = static_cast<std::int64_t>(wParam);
    call.lParam = static_cast<std::int64_t>(lParam);
    if (code == tracelume::kNotifyRegionGesture && lParam != 0) {
        call.point = *reinterpret_cast<const tracelume::NotifyPoint*>(lParam);
    }
    calls.push_back(call);
    return 0;
}

std::vector<std::uint32_t> RecordingCallback::Codes() const {
    std::vector<std::uint32_t> codes;
    for (const Call& call : calls) {
        codes.push_back(call.code);
    }
    return codes;
}

HeadlessViewer::HeadlessViewer(int width, int height, bool withPlatform) {
    std::unique_ptr<FakePlatform> owned;
    if (withPlatform) {
        owned = std::make_unique<FakePlatform>();
        platform = owned.get();
    }
    viewPtr = std::make_unique<tracelume::CTracelumeView>(std::move(owned));
    viewPtr->Create();
    viewPtr->ShowToolBar(1);
    viewPtr->Place(gfx::Rect::FromSize(0, 0, width, height), true);
    viewPtr->SetCallback(&callback);
}

HeadlessViewer::~HeadlessViewer() = default;

tracelume::CTracelumeCtrl& HeadlessViewer::wave() { return viewPtr->Wave(); }

FakeSurface& HeadlessViewer::waveSurface() { return platform->SurfaceOf(viewPtr->Wave()); }

void HeadlessViewer::Mouse(tracelume::MouseEvent::Kind kind, int x, int y, unsigned keys, int wheel) {
    tracelume::MouseEvent event;
    event.kind = kind;
    event.x = x;
    event.y = y;
    event.keys = keys;
    event.wheel = wheel;
    wave().OnMouse(event);
}

}  // namespace panestest
