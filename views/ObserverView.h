#pragma once
// IObserverView: a record view as the main frame and the exporters reach it, on top
// of the observer side every pane view has (IObserverViewBase: OnUpdate and the
// model words the controller writes). The main frame's active observer is one of
// these.

#include <cstdint>

#include "export/ExportSource.h"
#include "terminal/ObserverViewBase.h"

class IObserverView : public IObserverViewBase {
public:
    // The main frame's question for the kind of a statistic frame, asked with
    // (kQueryKind, 0, 0) after FillAttributes.
    static constexpr std::uint32_t kQueryKind = 1001;

    // Destroys the whole view (its window with it).
    virtual void Release() = 0;
    // The viewer's event codes (through the view's CtracelumeProperty) and the
    // main frame's kind query; 0 when the view does not take the code.
    virtual std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
    {
        (void)code;
        (void)wParam;
        (void)lParam;
        return 0;
    }
    // Fills an export request with what the view shows (start time, interval, one
    // supplier and key per shown series) without changing what it shows; 1.
    virtual int FillAttributes(ExportSource& source)
    {
        (void)source;
        return 1;
    }
};
