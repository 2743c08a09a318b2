#include "app/RibbonThemes.h"

#include <array>

namespace {

struct Theme {
    unsigned id;
    gfx::Color face;
    gfx::Color highlight;
    gfx::Color text;
    gfx::Color applicationButton;
};

// Office 2007 blue, black, silver and aqua; Office 2010 blue, silver and black;
// Windows 7 scenic.
constexpr std::array<Theme, 8> kThemes{{
    {32794, {191, 219, 255}, {255, 214, 102}, {21, 66, 139}, {57, 104, 175}},
    {32795, {120, 120, 120}, {255, 200, 90}, {255, 255, 255}, {45, 45, 45}},
    {32796, {208, 212, 221}, {255, 214, 102}, {76, 83, 92}, {110, 118, 132}},
    {32797, {196, 226, 230}, {255, 214, 102}, {32, 88, 108}, {52, 128, 146}},
    {32798, {223, 236, 247}, {255, 219, 117}, {21, 66, 139}, {43, 87, 154}},
    {32812, {233, 236, 238}, {255, 219, 117}, {59, 59, 59}, {91, 108, 136}},
    {32815, {105, 105, 105}, {255, 219, 117}, {255, 255, 255}, {38, 38, 38}},
    {32816, {218, 230, 245}, {184, 214, 251}, {30, 57, 91}, {25, 121, 202}},
}};

constexpr unsigned kBaseTheme = 32798;

gfx::Font CaptionFont() {
    gfx::Font font;
    font.face = L"Tahoma";
    font.height = -13;
    return font;
}

}  // namespace

std::optional<ui::RibbonStyle> ThemeRibbonStyle(unsigned themeId) {
    for (const Theme& theme : kThemes) {
        if (theme.id == themeId) {
            ui::RibbonStyle style;
            style.face = theme.face;
            style.highlight = theme.highlight;
            style.text = theme.text;
            style.applicationButton = theme.applicationButton;
            style.applicationText = {255, 255, 255};
            style.font = CaptionFont();
            return style;
        }
    }
    return std::nullopt;
}

ui::RibbonStyle BaseRibbonStyle() { return *ThemeRibbonStyle(kBaseTheme); }
