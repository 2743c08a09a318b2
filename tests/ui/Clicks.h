#pragma once
// Clicks as the window system delivers them, for tests that drive controls.

class wxWindow;

namespace uitest {

// The command a button sends when it is clicked.
void PressButton(wxWindow* button);
// A left press and release in the middle of the control.
void ClickWithMouse(wxWindow* control);

}  // namespace uitest
