#pragma once
// Menu records as the resource managers hand them out. The window layer builds
// real menus from them; the Windows binary menu layout is not reproduced. Like the
// dialog records they sit in the base layer, between their producer and their reader.
// A menu is a flat list in depth-first document order: a pop-up's items follow it
// at once, and the last item of every level carries kMenuFlagEnd.

#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint16_t kMenuFlagPopup = 0x0010;
inline constexpr std::uint16_t kMenuFlagEnd = 0x0080;
inline constexpr std::uint16_t kMenuFlagSeparator = 0x0800;

struct MenuItemTemplateInfo {
    std::uint16_t flags = 0;
    std::uint16_t id = 0;  // command identifier; 0 for pop-ups and separators
    std::wstring caption;
};

using MenuTemplate = std::vector<MenuItemTemplateInfo>;
