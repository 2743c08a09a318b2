#pragma once
// CColorPopup: the small colour popup a colour swatch opens beside the pointer. The
// user picks the default colour, one of 40 colours, or opens the full colour
// chooser from the bottom bar; the choice is posted to the popup's owner as
// kMsgColorPopupChosen (wParam the colour) and the popup closes. A click anywhere
// else closes it without a choice. Clicks arrive as the window layer's mouse
// messages, so a test clicks a part by sending them (ColorPopupLayout::Centre).
//
// Colours are 32-bit values with red in the low byte, then green, then blue.

#include <cstdint>
#include <memory>

#include "controls/ColorPopupLayout.h"
#include "platform/ui/PopupWindow.h"

namespace ui {
class InputWatch;
}

// Posted to the owner: wParam the chosen colour.
inline constexpr unsigned kMsgColorPopupChosen = 0x272C;

class CColorPopup : public ui::PopupWindow {
public:
    CColorPopup();
    ~CColorPopup() override;

    // Shows the popup with its top-left corner at the point (on the screen, kept on
    // the screen); false when it cannot be made.
    bool Open(ui::Window* owner, const wxPoint& screenPoint, std::uint32_t current, std::uint32_t defaultColor);
    bool IsOpen() const;
    // Hides the popup without a choice.
    void Close();

    std::uint32_t GetCurrentColor() const { return m_current; }
    std::uint32_t GetDefaultColor() const { return m_default; }
    const controls::ColorPopupHit& GetHover() const { return m_hover; }

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

private:
    void Redraw();
    void Choose(const controls::ColorPopupHit& part);

    ui::Window* m_owner = nullptr;
    std::uint64_t m_ownerSerial = 0;
    std::uint32_t m_current = 0;
    std::uint32_t m_default = 0;
    controls::ColorPopupHit m_hover;
    std::unique_ptr<ui::InputWatch> m_watch;
};
