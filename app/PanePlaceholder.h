#pragma once
// CPanePlaceholder: the view of a record pane whose own view is not registered
// yet. It observes like every pane view (the controller binds it to its model)
// and shows an empty page.

#include "platform/ui/Window.h"
#include "views/ObserverView.h"

class CPanePlaceholder : public ui::Window, public IObserverView {
public:
    CPanePlaceholder();

    // Nothing to show: every event is taken and ignored.
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override;
    // The pane owns the object; only its window goes.
    void Release() override;
};
