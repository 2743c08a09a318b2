#include "platform/ui/SpinArrows.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/spinbutt.h>

namespace ui {

SpinArrows::SpinArrows(wxWindow* parent, const wxRect& rect, bool horizontal, bool wrap)
    : wxControl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      m_horizontal(horizontal),
      m_wrap(wrap) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &SpinArrows::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &SpinArrows::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &SpinArrows::OnLeftDown, this);
}

void SpinArrows::SetValue(int value) {
    m_value = std::clamp(value, m_min, m_max);
    Refresh();
}

void SpinArrows::SetRange(int minimum, int maximum) {
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
    SetValue(m_value);
}

void SpinArrows::Step(int direction) {
    int next = m_value + direction;
    if (next > m_max) {
        next = m_wrap ? m_min : m_max;
    } else if (next < m_min) {
        next = m_wrap ? m_max : m_min;
    }
    if (next == m_value) {
        return;
    }
    m_value = next;
    Refresh();
    wxSpinEvent event(wxEVT_SPIN, GetId());
    event.SetEventObject(this);
    event.SetPosition(m_value);
    ProcessWindowEvent(event);
}

wxSize SpinArrows::DoGetBestSize() const { return m_horizontal ? wxSize(24, 14) : wxSize(14, 24); }

void SpinArrows::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    wxRect first = m_horizontal ? wxRect(0, 0, size.x / 2, size.y) : wxRect(0, 0, size.x, size.y / 2);
    wxRect second = m_horizontal ? wxRect(size.x / 2, 0, size.x - size.x / 2, size.y)
                                 : wxRect(0, size.y / 2, size.x, size.y - size.y / 2);
    const int flags = IsEnabled() ? 0 : static_cast<int>(wxCONTROL_DISABLED);
    wxRendererNative& renderer = wxRendererNative::Get();
    renderer.DrawPushButton(this, dc, first, flags);
    renderer.DrawPushButton(this, dc, second, flags);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    auto arrow = [&](const wxRect& box, int dx, int dy) {
        const wxPoint c = box.GetPosition() + wxPoint(box.width / 2, box.height / 2);
        const int r = std::max(2, std::min(box.width, box.height) / 4);
        const wxPoint points[3] = {c + wxPoint(dx * r, dy * r), c + wxPoint(-dy * r - dx * r, -dx * r - dy * r),
                                   c + wxPoint(dy * r - dx * r, dx * r - dy * r)};
        dc.DrawPolygon(3, points);
    };
    if (m_horizontal) {
        arrow(first, -1, 0);
        arrow(second, 1, 0);
    } else {
        arrow(first, 0, -1);
        arrow(second, 0, 1);
    }
}

void SpinArrows::OnLeftDown(wxMouseEvent& event) {
    const wxSize size = GetClientSize();
    const bool firstHalf = m_horizontal ? event.GetX() < size.x / 2 : event.GetY() < size.y / 2;
    // Vertical: the upper arrow steps up; horizontal: the right arrow does.
    Step(m_horizontal ? (firstHalf ? -1 : 1) : (firstHalf ? 1 : -1));
}

}  // namespace ui
