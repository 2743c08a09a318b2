#include "platform/ui/OwnerDrawButton.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>

namespace ui {

OwnerDrawButton::OwnerDrawButton(wxWindow* parent, const wxString& label, const wxRect& rect)
    : wxControl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE) {
    SetLabel(label);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &OwnerDrawButton::OnPaint, this);
    for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_ENTER_WINDOW, wxEVT_LEAVE_WINDOW}) {
        Bind(type, &OwnerDrawButton::OnMouse, this);
    }
    // Another window took the pointer while the button was held down: the press
    // is dropped, so the release that follows is no click.
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_state.pressed = false;
        Refresh();
    });
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) { m_state.focused = true; Refresh(); event.Skip(); });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) { m_state.focused = false; Refresh(); event.Skip(); });
}

void OwnerDrawButton::SetPaintHandler(PaintHandler handler) {
    m_paint = std::move(handler);
    Refresh();
}

void OwnerDrawButton::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (!m_paint) {
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        dc.DrawLabel(GetLabel(), wxRect(size), wxALIGN_CENTRE);
        return;
    }
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    auto* context = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
    if (context != nullptr) {
        m_state.enabled = IsEnabled();
        cairo_save(context);
        m_paint(context, size.x, size.y, m_state);
        cairo_restore(context);
    }
}

void OwnerDrawButton::OnMouse(wxMouseEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN) {
        m_state.pressed = true;
        CaptureMouse();
    } else if (type == wxEVT_LEFT_UP) {
        if (HasCapture()) {
            ReleaseMouse();
        }
        const bool clicked = m_state.pressed && wxRect(GetClientSize()).Contains(event.GetPosition());
        m_state.pressed = false;
        if (clicked) {
            wxCommandEvent command(wxEVT_BUTTON, GetId());
            command.SetEventObject(this);
            ProcessWindowEvent(command);
        }
    } else {
        m_state.hot = type == wxEVT_ENTER_WINDOW;
    }
    Refresh();
    event.Skip();
}

}  // namespace ui
