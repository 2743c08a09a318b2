#include "Host.h"

namespace controlstest {

DialogTemplateInfo PanelWith(const DialogItemTemplateInfo& control, int cx, int cy) {
    DialogTemplateInfo info;
    info.style = ui::kStyleChild | ui::kStyleVisible;
    info.cx = static_cast<std::int16_t>(cx);
    info.cy = static_cast<std::int16_t>(cy);
    info.items.push_back(control);
    return info;
}

Host::Host() {
    m_frame.Create(L"controls");
    m_window.CreateChild(&m_frame, 100, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 600, 400));
    m_sibling.CreateChild(&m_frame, 101, ui::kStyleChild, wxRect(0, 0, 1, 1));
    m_frame.ShowWindow(ui::kShow);
}

Host::~Host() { m_frame.DestroyWindow(); }

void Host::Record(unsigned message) {
    m_window.OnMessage(message, [this, message](ui::WParam wParam, ui::LParam lParam) {
        m_messages.push_back({message, wParam, lParam});
        return ui::LResult{0};
    });
}

}  // namespace controlstest
