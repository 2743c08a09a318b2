#pragma once
// Acting inside a modal dialog from a test: the dialog's own loop runs the action
// once the dialog is up, as a user's click would come.

#include <functional>
#include <string>

class wxButton;
class wxDialog;
class wxWindow;

namespace uitest {

// Queues the action to run once the modal dialog that the next call opens is up.
// The action receives that dialog; a test failure is added when none opens.
void WhenModalOpens(std::function<void(wxDialog&)> action);
// The first button inside the window whose label reads so (null: none).
wxButton* FindButton(wxWindow& window, const std::wstring& label);

}  // namespace uitest
