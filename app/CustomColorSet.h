#pragma once
// CCustomColorSet: the program's blue colours of the pane tabs. The strip behind
// the tabs is a pattern of 30 rows, light blue at the top to dark blue at the
// foot, repeated downwards; each tab is filled by its state:
// - the front tab light, its lower half a gradient to a warm yellow;
// - a tab under the pointer a mid-blue gradient;
// - a tab that may not be chosen a pale blue;
// - any other tab the blue gradient of the pattern's first to last row.

#include <array>

#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"
#include "platform/ui/DockTheme.h"

class CCustomColorSet {
public:
    // The pattern's rows, top to bottom.
    static const std::array<gfx::Color, 30>& PatternRows();

    void FillTabArea(gfx::Context& context, const gfx::Rect& rect) const;
    // Returns the colour the tab's caption is written in.
    gfx::Color FillTab(gfx::Context& context, const gfx::Rect& rect, ui::DockTheme::TabState state) const;
};
