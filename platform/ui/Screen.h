#pragma once
// The screen as windows are placed on it.

#include <wx/gdicmn.h>

namespace ui {

// The virtual screen: the union of all monitors (the primary one where there is only one).
wxRect VirtualScreenRect();

}  // namespace ui
