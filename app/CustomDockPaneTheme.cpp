#include "app/CustomDockPaneTheme.h"

void CCustomDockPaneTheme::FillTabArea(gfx::Context& context, const gfx::Rect& rect) {
    m_colors.FillTabArea(context, rect);
}

gfx::Color CCustomDockPaneTheme::DrawTab(gfx::Context& context, const gfx::Rect& rect, TabState state) {
    return m_colors.FillTab(context, rect, state);
}

gfx::Font CCustomDockPaneTheme::TabFont() const {
    gfx::Font font;
    font.face = L"Tahoma";
    font.height = -12;
    return font;
}

ui::DockTheme::CaptionColours CCustomDockPaneTheme::Caption(bool active) const {
    if (active) {
        return {{255, 252, 242}, {255, 232, 166}, {0, 0, 0}};
    }
    return {{65, 96, 117}, {46, 95, 116}, {255, 255, 255}};
}

gfx::Color CCustomDockPaneTheme::Background() const { return {73, 128, 155}; }
