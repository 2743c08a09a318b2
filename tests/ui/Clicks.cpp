#include "Clicks.h"

#include <wx/event.h>
#include <wx/window.h>

namespace uitest {

void PressButton(wxWindow* button) {
    if (button == nullptr) {
        return;
    }
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

void ClickWithMouse(wxWindow* control) {
    if (control == nullptr) {
        return;
    }
    for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
        wxMouseEvent event(type);
        event.SetEventObject(control);
        event.SetPosition(wxPoint(control->GetSize().x / 2, control->GetSize().y / 2));
        control->GetEventHandler()->ProcessEvent(event);
    }
}

}  // namespace uitest
