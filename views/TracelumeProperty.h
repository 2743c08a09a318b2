#pragma once
// CtracelumeProperty: the viewer callback of a view that hosts the waveform viewer.
// Every event code of the viewer goes unchanged to the owner's RequestRange; with
// no owner (not set yet, or a view that wants no events) an event is ignored. The
// view owns the callback and releases its viewer before the callback goes.

#include "lib/viewer/data/TracelumeCallback.h"
#include "views/ObserverView.h"

class CtracelumeProperty final : public ITracelumeCallback {
public:
    void ShowProperties(const std::wstring&) override {}
    void BeginProperties() override {}
    std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        if (m_pOwner != nullptr) {
            m_pOwner->RequestRange(code, wParam, lParam);
        }
        return 0;
    }

    IObserverView* m_pOwner = nullptr;
};
