#pragma once
// CWavePaneButton: the small button in the caption of the main view's statistic
// pane. It lights yellow under the pointer; a click clears every statistic view
// (the pane's window hears command 3 of a pane command record).

#include <cstdint>

#include "platform/gfx/Color.h"
#include "platform/ui/OwnerDrawButton.h"

namespace ui {
class Window;
}

class CWavePaneButton : public ui::OwnerDrawButton {
public:
    // In the parent window; a click goes to the target (the pane's view).
    CWavePaneButton(wxWindow* parent, ui::Window* target);

    void SetBackground(gfx::Color colour);
    // What a click does.
    void Clicked();

private:
    ui::Window* m_target;
    gfx::Color m_background{255, 255, 255};
};
