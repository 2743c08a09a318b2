#include "platform/ui/Screen.h"

#include <wx/display.h>

namespace ui {

wxRect VirtualScreenRect() {
    wxRect screen;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        screen = screen.IsEmpty() ? wxDisplay(i).GetGeometry() : screen.Union(wxDisplay(i).GetGeometry());
    }
    if (screen.IsEmpty()) {
        screen = wxRect(wxPoint(0, 0), wxGetDisplaySize());
    }
    return screen;
}

}  // namespace ui
