#include "EventPump.h"

#include <chrono>

#include <wx/app.h>
#include <wx/evtloop.h>

namespace uitest {

bool PumpUntil(const std::function<bool()>& condition) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    wxEventLoopBase* active = wxEventLoopBase::GetActive();
    wxGUIEventLoop own;
    wxEventLoopBase* loop = active != nullptr ? active : &own;
    wxEventLoopActivator activator(loop);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        wxTheApp->ProcessPendingEvents();
        loop->DispatchTimeout(5);
    }
    return true;
}

}  // namespace uitest
