#pragma once
// CCustomDockPaneTheme: the program's blue look of the docking panes: tabs at the
// top in the colours of CCustomColorSet, blue captions (the active pane's light),
// a blue body between the groups.

#include "app/CustomColorSet.h"
#include "platform/ui/DockTheme.h"

class CCustomDockPaneTheme : public ui::DockTheme {
public:
    void FillTabArea(gfx::Context& context, const gfx::Rect& rect) override;
    gfx::Color DrawTab(gfx::Context& context, const gfx::Rect& rect, TabState state) override;
    gfx::Font TabFont() const override;
    CaptionColours Caption(bool active) const override;
    gfx::Color Background() const override;

private:
    CCustomColorSet m_colors;
};
