#pragma once
// CToolBarWithTip: the viewer's toolbar: flat 16 x 16 buttons for the waveform's
// commands in a fixed order, with room for the time box, and a tip for the button
// under the mouse taken from the viewer's texts (the part before the line feed of
// the command's text). The view enables and checks the buttons as the commands
// stand; a click is passed to the view as the command.

#include <functional>
#include <vector>

#include "lib/viewer/panes/Pane.h"

namespace tracelume {

class CToolBarWithTip final : public CPane {
public:
    static constexpr int kHeight = 28;
    static constexpr int kButtonSize = 24;
    static constexpr int kSeparatorWidth = 8;

    struct Button {
        unsigned id = 0;  // 0 for a separator
        gfx::Rect rect;
        bool enabled = true;
        bool checked = false;
    };

    CToolBarWithTip();

    void SetCommandHandler(std::function<void(unsigned id)> handler) { m_command = std::move(handler); }
    void SetState(unsigned id, bool enabled, bool checked);
    const std::vector<Button>& Buttons() const { return m_buttons; }
    // The button's rectangle; empty for an id without one.
    gfx::Rect ButtonRect(unsigned id) const;
    // The index of the button at a point, -1 for none.
    int HitTest(int x, int y) const;
    // The tip of the button at a point; empty elsewhere.
    std::wstring TipTextAt(int x, int y) const;

    void OnPaint(gfx::Context& dc) override;
    void OnMouse(const MouseEvent& event) override;

private:
    std::vector<Button> m_buttons;
    std::function<void(unsigned)> m_command;
    int m_hover = -1;
    int m_pressed = -1;
};

}  // namespace tracelume
