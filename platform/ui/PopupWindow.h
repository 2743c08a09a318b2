#pragma once
// A window floating above the program's windows, without a frame and without taking
// the keyboard focus: tooltip balloons. It shows a picture (32 bits with alpha) as it
// stands, and its shape can be cut to a set of rectangles. Where the display
// composites windows, a translucent popup shows its picture's alpha over whatever
// lies beneath (shadows, fading); elsewhere the alpha is not seen and only the shape
// cuts the window.

#include <cairo.h>

#include <vector>

#include <wx/gdicmn.h>

#include "platform/ui/Window.h"

namespace ui {

enum class PopupCursor { Arrow, Hand };

class PopupWindow : public Window {
public:
    // Made hidden, owned by the owner. A translucent popup is asked for; whether the
    // display grants it tells IsTranslucent.
    bool CreatePopup(Window* owner, unsigned id, bool translucent);
    bool IsTranslucent() const { return m_translucent; }

    // The visible and clickable part, in window coordinates; empty: the whole window.
    void SetShape(const std::vector<wxRect>& parts);
    // Shown from the window's top-left corner; the popup keeps its own reference.
    void SetPicture(cairo_surface_t* picture);
    // Moves to the rectangle on the screen and shows without taking the focus.
    void ShowAt(const wxRect& screenRect);
    void SetCursorShape(PopupCursor cursor);

private:
    class Surface;

    bool m_translucent = false;
};

}  // namespace ui
