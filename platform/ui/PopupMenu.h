#pragma once
// Pop-up menus put up by a window at a point, built from items with their enabled
// and checked states (sub-menus nest). The call returns the command chosen, or 0
// when the menu was dismissed. Tests install a responder that chooses in place of
// the user.

#include <functional>
#include <string>
#include <vector>

#include <wx/gdicmn.h>

namespace ui {

class Window;

struct PopupMenuItem {
    unsigned id = 0;  // 0 with no text and no children: a separator
    std::wstring text;
    bool enabled = true;
    bool checked = false;
    std::vector<PopupMenuItem> children;
};

// Chooses in place of the user: the command, or 0.
using PopupMenuResponder = std::function<unsigned(const std::vector<PopupMenuItem>& menu, wxPoint client)>;
void SetPopupMenuResponder(PopupMenuResponder responder);

// Shows the menu at the client point of the window and waits for the choice.
unsigned TrackPopupMenu(Window& owner, const std::vector<PopupMenuItem>& menu, wxPoint client);

}  // namespace ui
