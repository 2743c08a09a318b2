#include "platform/ui/Menu.h"

#include <map>

#include <wx/bitmap.h>

#include <wx/menu.h>
#include <wx/window.h>

namespace ui {
namespace {

constexpr unsigned kLargestPlainMenuId = 0x7FFE;

struct CommandIds {
    std::map<unsigned, int> toMenu;
    std::map<int, unsigned> toCommand;
};

CommandIds& Ids() {
    static CommandIds ids;
    return ids;
}

// Reads one level from position `at`; stops after the item flagged as the end.
std::vector<MenuNode> ParseLevel(const MenuTemplate& records, std::size_t& at) {
    std::vector<MenuNode> level;
    while (at < records.size()) {
        const MenuItemTemplateInfo& record = records[at++];
        MenuNode node;
        node.caption = record.caption;
        node.id = record.id;
        if ((record.flags & kMenuFlagPopup) != 0) {
            node.kind = MenuNode::Kind::Popup;
            node.id = 0;
            node.children = ParseLevel(records, at);
        } else if ((record.flags & kMenuFlagSeparator) != 0) {
            node.kind = MenuNode::Kind::Separator;
            node.id = 0;
            node.caption.clear();
        }
        level.push_back(std::move(node));
        if ((record.flags & kMenuFlagEnd) != 0) {
            break;
        }
    }
    return level;
}

void Fill(wxMenu& menu, const std::vector<MenuNode>& nodes, const MenuIcons& icons) {
    for (const MenuNode& node : nodes) {
        switch (node.kind) {
        case MenuNode::Kind::Separator:
            menu.AppendSeparator();
            break;
        case MenuNode::Kind::Popup: {
            auto* sub = new wxMenu;
            Fill(*sub, node.children, icons);
            menu.AppendSubMenu(sub, wxString(node.caption));
            break;
        }
        case MenuNode::Kind::Command: {
            const wxBitmap icon = icons ? icons(node.id) : wxBitmap();
            if (icon.IsOk()) {
                auto* item = new wxMenuItem(&menu, MenuIdForCommand(node.id), wxString(node.caption));
                item->SetBitmap(icon);
                menu.Append(item);
            } else {
                // Checkable, so that update handlers can check any item.
                menu.AppendCheckItem(MenuIdForCommand(node.id), wxString(node.caption));
            }
            break;
        }
        }
    }
}

}  // namespace

int MenuIdForCommand(unsigned command) {
    if (command <= kLargestPlainMenuId) {
        return static_cast<int>(command);
    }
    CommandIds& ids = Ids();
    if (const auto found = ids.toMenu.find(command); found != ids.toMenu.end()) {
        return found->second;
    }
    const int menuId = wxWindow::NewControlId();
    ids.toMenu[command] = menuId;
    ids.toCommand[menuId] = command;
    return menuId;
}

unsigned CommandForMenuId(int menuId) {
    if (menuId >= 0 && static_cast<unsigned>(menuId) <= kLargestPlainMenuId) {
        return static_cast<unsigned>(menuId);
    }
    const auto found = Ids().toCommand.find(menuId);
    return found != Ids().toCommand.end() ? found->second : 0;
}

std::vector<MenuNode> ParseMenu(const MenuTemplate& records) {
    std::size_t at = 0;
    return ParseLevel(records, at);
}

wxMenuBar* BuildMenuBar(const MenuTemplate& records) {
    const std::vector<MenuNode> top = ParseMenu(records);
    wxMenuBar* bar = nullptr;
    for (const MenuNode& node : top) {
        if (node.kind != MenuNode::Kind::Popup) {
            continue;
        }
        if (bar == nullptr) {
            bar = new wxMenuBar;
        }
        auto* menu = new wxMenu;
        Fill(*menu, node.children, {});
        bar->Append(menu, wxString(node.caption));
    }
    return bar;
}

wxMenu* BuildPopupMenu(const MenuTemplate& records) { return BuildPopupMenu(ParseMenu(records), {}); }

wxMenu* BuildPopupMenu(const std::vector<MenuNode>& nodes, const MenuIcons& icons) {
    auto* menu = new wxMenu;
    Fill(*menu, nodes, icons);
    return menu;
}

}  // namespace ui
