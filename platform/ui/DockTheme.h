#pragma once
// The look of docking panes, drawn through platform/gfx: the strip behind a
// group's tabs, each tab by its state, and the colours of the group captions.
// The program supplies its own; the manager draws plainly without one.

#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"

namespace ui {

class DockTheme {
public:
    enum class TabState { Normal, Selected, Highlighted, Disabled };

    struct CaptionColours {
        gfx::Color start;  // the caption's gradient, left to right
        gfx::Color end;
        gfx::Color text;
    };

    virtual ~DockTheme() = default;

    // Behind the tabs of a group.
    virtual void FillTabArea(gfx::Context& context, const gfx::Rect& rect) = 0;
    // One tab's background; returns the colour of its caption.
    virtual gfx::Color DrawTab(gfx::Context& context, const gfx::Rect& rect, TabState state) = 0;
    virtual gfx::Font TabFont() const = 0;
    virtual CaptionColours Caption(bool active) const = 0;
    // The frame's body behind and between the groups.
    virtual gfx::Color Background() const = 0;
};

}  // namespace ui
