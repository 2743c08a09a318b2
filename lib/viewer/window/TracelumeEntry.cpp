// The library's entry, which the host looks up by name after loading it.
#include <memory>
#include <new>

#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/window/ViewWindow.h"

extern "C" __attribute__((visibility("default"))) ITracelume* CreateTracelume(wxWindow* parent) {
    try {
        tracelume::LoadLanguageFile();
        auto view = std::make_unique<tracelume::CTracelumeView>(std::make_unique<tracelume::CViewWindow>(parent));
        if (!view->Create()) {
            return nullptr;  // no window: the host shows no viewer
        }
        return view.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
