#include "platform/ui/PopupMenu.h"

#include <map>

#include <wx/menu.h>
#include <wx/window.h>

#include "platform/ui/Menu.h"
#include "platform/ui/Window.h"

namespace ui {
namespace {

PopupMenuResponder& PopupMenuResponderSlot() {
    static PopupMenuResponder responder;
    return responder;
}

void Fill(wxMenu& menu, const std::vector<PopupMenuItem>& items) {
    for (const PopupMenuItem& item : items) {
        if (!item.children.empty()) {
            auto* sub = new wxMenu;
            Fill(*sub, item.children);
            menu.AppendSubMenu(sub, wxString(item.text))->Enable(item.enabled);
        } else if (item.id == 0 && item.text.empty()) {
            menu.AppendSeparator();
        } else {
            const int id = MenuIdForCommand(item.id);
            wxMenuItem* entry = item.checked ? menu.AppendCheckItem(id, wxString(item.text))
                                             : menu.Append(id, wxString(item.text));
            if (item.checked) {
                entry->Check(true);
            }
            entry->Enable(item.enabled);
        }
    }
}

}  // namespace

void SetPopupMenuResponder(PopupMenuResponder responder) { PopupMenuResponderSlot() = std::move(responder); }

unsigned TrackPopupMenu(Window& owner, const std::vector<PopupMenuItem>& menu, wxPoint client) {
    if (PopupMenuResponderSlot()) {
        return PopupMenuResponderSlot()(menu, client);
    }
    wxWindow* window = owner.GetWx();
    if (window == nullptr || menu.empty()) {
        return 0;
    }
    wxMenu popup;
    Fill(popup, menu);
    const int chosen = window->GetPopupMenuSelectionFromUser(popup, client);
    return chosen == wxID_NONE ? 0 : CommandForMenuId(chosen);
}

}  // namespace ui
