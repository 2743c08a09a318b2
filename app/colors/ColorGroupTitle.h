#pragma once
// CColorGroupTitle: the banner over a group of colour buttons, 100 by 24 pixels with
// its two lower corners cut by 3 pixels, filled with one colour, its caption centred
// over it in the title font. It takes the place of a dialog template's control.

#include <cstdint>
#include <string>

#include "platform/ui/Window.h"

namespace ui {
class Dialog;
}

class CColorGroupTitle : public ui::Window {
public:
    CColorGroupTitle();
    ~CColorGroupTitle() override;

    // Replaces the dialog's control of that id (same box and visibility); false when
    // there is none or this title exists already.
    bool SubclassDlgItem(unsigned id, ui::Dialog* parent);
    // Colours with red in the low byte; shown at the next paint.
    void SetFillColor(std::uint32_t color) { m_fill = color; }
    void SetCaption(const std::wstring& caption, std::uint32_t textColor);

private:
    std::uint32_t m_fill;
    std::uint32_t m_textColor;
    std::uint32_t m_background = 0xFFFFFF;
    std::wstring m_caption;
};
