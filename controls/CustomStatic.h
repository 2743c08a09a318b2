#pragma once
// A text label in its own colours: the text from the top-left corner, in the
// caption font, on a filled background.

#include <cstdint>
#include <string>

#include "platform/gfx/Color.h"
#include "platform/ui/CustomControl.h"

class CCustomStatic : public ui::CustomControl {
public:
    CCustomStatic();

    // Colour values with red in the low byte. The background shows at the next
    // paint; a new text repaints at once. Both return 0.
    int SetBkColor(std::uint32_t color);
    int SetText(const std::wstring& text, std::uint32_t textColor);
    const std::wstring& GetText() const { return m_text; }

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    gfx::Color m_background;
    gfx::Color m_textColor;
    std::wstring m_text;
};
