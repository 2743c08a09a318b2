#pragma once
// A shown frame with one plain child window that the tests make their controls in
// and that records the messages the controls send it.

#include <functional>
#include <vector>

#include "platform/base/DialogTemplate.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Window.h"

namespace controlstest {

struct Received {
    unsigned message;
    ui::WParam wParam;
    ui::LParam lParam;
};

// A child panel template of the size (dialog units) holding the one control.
DialogTemplateInfo PanelWith(const DialogItemTemplateInfo& control, int cx, int cy);

class Host {
public:
    Host();
    ~Host();

    ui::Window& Window() { return m_window; }
    // Records every message of that number the window receives (answering 0).
    void Record(unsigned message);
    std::vector<Received>& Messages() { return m_messages; }

private:
    ui::Frame m_frame;
    ui::Window m_window;
    ui::Window m_sibling;  // a frame stretches a single child over its client area
    std::vector<Received> m_messages;
};

}  // namespace controlstest
