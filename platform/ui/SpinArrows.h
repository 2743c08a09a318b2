#pragma once
// The up-down control of dialogs: two arrow buttons that step a position within a
// range, drawn by us so that it fits the narrow box templates give it (the GTK spin
// button needs several times that room). A step sends wxEVT_SPIN with the new
// position. Vertical: the upper arrow steps up; horizontal: the right arrow.

#include <wx/control.h>

namespace ui {

class SpinArrows : public wxControl {
public:
    SpinArrows(wxWindow* parent, const wxRect& rect, bool horizontal, bool wrap);

    int GetValue() const { return m_value; }
    void SetValue(int value);
    void SetRange(int minimum, int maximum);
    int GetMin() const { return m_min; }
    int GetMax() const { return m_max; }
    bool IsHorizontal() const { return m_horizontal; }
    // Steps as a click on an arrow does (+1 or -1).
    void Step(int direction);

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);

    bool m_horizontal;
    bool m_wrap;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
};

}  // namespace ui
