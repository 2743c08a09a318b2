#include "views/PanelStrip.h"

#include <cstdint>

#include "controls/ResizeCtrl.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"

CPanelStrip::CPanelStrip() = default;

CPanelStrip::~CPanelStrip() = default;

void CPanelStrip::Attach(ui::Dialog& dialog, unsigned stripId)
{
    auto strip = std::make_unique<CResizeCtrl>(1);
    if (strip->SubclassDlgItem(stripId, &dialog)) {
        m_Strip = std::move(strip);
    }
    dialog.OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) -> ui::LResult {
        if (m_Strip) {
            const int height = static_cast<int>((static_cast<std::uintptr_t>(size) >> 16) & 0xFFFF);
            m_Strip->MoveWindow(wxRect(0, 0, m_Strip->GetWindowRect().GetWidth(), height));
        }
        return 0;
    });
}
