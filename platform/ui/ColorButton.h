#pragma once
// A colour button: shows its colour as a swatch; a click opens the colour chooser
// (ColorChooser.h) and, when the user picks a colour, takes it and tells its owner
// window with kMsgCommand (low word the button's id, high word kNotifyColorChosen),
// also when the colour picked is the one it had. Beside its colour it keeps a
// default colour, which the chooser offers one pick away; the owner may use it to
// remember a colour of its own (the saved one).
//
// Colours are 32-bit values with red in the low byte, then green, then blue.

#include <cstdint>

#include "platform/ui/OwnerDrawButton.h"

namespace ui {

class Window;

// The notification of a colour button whose user picked a colour.
inline constexpr unsigned kNotifyColorChosen = 10028;

class ColorButton : public OwnerDrawButton {
public:
    // A button in the parent wx window whose notifications go to the owner (usually
    // the dialog that holds the parent).
    ColorButton(Window* owner, wxWindow* parent, unsigned id, const wxRect& rect);

    unsigned GetDlgCtrlID() const { return m_id; }
    // Repaints with the colour; the owner is not told.
    void SetColor(std::uint32_t color);
    std::uint32_t GetColor() const { return m_color; }
    void SetDefaultColor(std::uint32_t color) { m_defaultColor = color; }
    std::uint32_t GetDefaultColor() const { return m_defaultColor; }

private:
    void OnClicked(wxCommandEvent& event);
    void Paint(cairo_t* context, int width, int height, const State& state) const;

    Window* m_owner;
    std::uint64_t m_ownerSerial;
    unsigned m_id;
    std::uint32_t m_color = 0;
    std::uint32_t m_defaultColor = 0;
};

}  // namespace ui
