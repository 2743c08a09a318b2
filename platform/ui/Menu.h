#pragma once
// Menus from menu records (platform/base/MenuTemplate.h). The flat depth-first list becomes
// a tree first (a pop-up's items follow it; kMenuFlagEnd closes a level); a list
// that ends before its levels are closed closes them all. The tree then becomes a
// wx menu bar (top-level pop-ups become the bar's menus; other top-level items
// have no place on a bar and are left out) or a pop-up menu.

#include <functional>
#include <string>
#include <vector>

#include "platform/base/MenuTemplate.h"

class wxBitmap;
class wxMenu;
class wxMenuBar;

namespace ui {

struct MenuNode {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    unsigned id = 0;
    std::wstring caption;
    std::vector<MenuNode> children;
};

std::vector<MenuNode> ParseMenu(const MenuTemplate& records);

// wx menu ids stay below 0x7FFF; a larger command id (the program's run up to
// 0xE1FF) gets a wx id of its own, the same one each time.
int MenuIdForCommand(unsigned command);
unsigned CommandForMenuId(int menuId);

// Null when the records hold no top-level pop-up.
wxMenuBar* BuildMenuBar(const MenuTemplate& records);
// The items of the whole list as one menu (owned by the caller).
wxMenu* BuildPopupMenu(const MenuTemplate& records);
// The picture a menu item of the command shows; an invalid bitmap for none.
using MenuIcons = std::function<wxBitmap(unsigned command)>;
// The nodes as one menu (owned by the caller). An item with a picture is a plain
// item; any other can be checked by the update handlers.
wxMenu* BuildPopupMenu(const std::vector<MenuNode>& nodes, const MenuIcons& icons);

}  // namespace ui
