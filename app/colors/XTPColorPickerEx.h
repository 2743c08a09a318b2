#pragma once
// CXTPColorPickerEx: one colour button of a colour page. Beside the colour it shows
// it knows its key in the page's section of "color.cfg" and the id of the marker
// that shows while its colour differs from the saved one. The saved colour is kept
// as the button's default colour, which the chooser offers one pick away.

#include <string>

#include "platform/ui/ColorButton.h"

class CXTPColorPickerEx : public ui::ColorButton {
public:
    CXTPColorPickerEx(ui::Window* owner, wxWindow* parent, unsigned id, const wxRect& rect);
    ~CXTPColorPickerEx() override;

    void SetKey(const std::wstring& key) { m_key = key; }
    const std::wstring& GetKey() const { return m_key; }
    void SetMarkerId(unsigned id) { m_markerId = id; }
    unsigned GetMarkerId() const { return m_markerId; }

private:
    std::wstring m_key;
    unsigned m_markerId = 0;
};
