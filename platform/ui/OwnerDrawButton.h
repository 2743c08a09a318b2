#pragma once
// An owner-drawn button: the program paints it (through the paint handler, on the
// button's own surface) and a click is a button command like any other.

#include <cairo.h>
#include <functional>

#include <wx/control.h>

namespace ui {

class OwnerDrawButton : public wxControl {
public:
    struct State {
        bool pressed = false;
        bool hot = false;  // the pointer is over it
        bool enabled = true;
        bool focused = false;
    };
    using PaintHandler = std::function<void(cairo_t* context, int width, int height, const State& state)>;

    OwnerDrawButton(wxWindow* parent, const wxString& label, const wxRect& rect);

    void SetPaintHandler(PaintHandler handler);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);

    PaintHandler m_paint;
    State m_state;
};

}  // namespace ui
