#include "DialogFixtures.h"

namespace uitest {

DialogItemTemplateInfo Control(const wchar_t* className, std::uint32_t id, std::uint32_t style, int x, int y, int cx,
                               int cy, const wchar_t* caption) {
    DialogItemTemplateInfo item;
    item.className = className;
    item.id = id;
    item.style = kVisibleChild | style;
    item.x = static_cast<std::int16_t>(x);
    item.y = static_cast<std::int16_t>(y);
    item.cx = static_cast<std::int16_t>(cx);
    item.cy = static_cast<std::int16_t>(cy);
    item.caption = caption;
    return item;
}

// A dialog holding every control class the layer maps.
DialogTemplateInfo EveryClass() {
    DialogTemplateInfo info;
    info.helpId = 900;
    info.style = 0x80C800C0;
    info.cx = 280;
    info.cy = 230;
    info.caption = L"全部控件";
    info.fontFace = L"MS Sans Serif";
    info.fontSize = 8;
    info.items = {
        Control(L"STATIC", 1001, kGroup, 7, 9, 40, 10, L"名称:"),
        Control(L"EDIT", 1002, kTabStop | 0x80, 50, 7, 80, 14, L"初值"),
        Control(L"BUTTON", 1003, kTabStop | 0x3, 7, 28, 80, 12, L"显示网格"),
        Control(L"BUTTON", 1006, 0x7, 140, 4, 130, 44, L"相别"),
        Control(L"button", 1004, kGroup | kTabStop | 0x9, 147, 16, 50, 12, L"L1"),
        Control(L"BUTTON", 1005, 0x9, 205, 16, 50, 12, L"L2"),
        Control(L"ComboBox", 1007, kGroup | kTabStop | 0x3, 7, 56, 80, 80),
        Control(L"COMBOBOX", 1008, kTabStop | 0x2, 95, 56, 80, 80, L"可编辑"),
        Control(L"SysListView32", 1009, kTabStop | 0x1 | 0x1000, 7, 78, 125, 50),
        Control(L"SysTreeView32", 1010, kTabStop | 0x7, 140, 78, 130, 50),
        Control(L"msctls_progress32", 1011, 0, 7, 136, 125, 10),
        Control(L"msctls_trackbar32", 1012, kTabStop | 0x1, 140, 134, 130, 16),
        Control(L"EDIT", 1013, kTabStop | 0x2000, 7, 158, 40, 14, L"5"),
        Control(L"msctls_updown32", 1014, 0x2 | 0x10 | 0x4, 60, 170, 10, 14),  // placed by its buddy
        Control(L"SysTabControl32", 1015, kTabStop, 140, 156, 130, 30),
        Control(L"BUTTON", 1016, 0xB, 70, 158, 60, 14, L"颜色"),
        Control(L"BUTTON", 1, kGroup | kTabStop | 0x1, 160, 206, 50, 14, L"确定"),
        Control(L"BUTTON", 2, kTabStop, 220, 206, 50, 14, L"取消"),
    };
    info.itemCount = static_cast<std::uint16_t>(info.items.size());
    return info;
}

}  // namespace uitest
