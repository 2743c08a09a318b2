#include "waverecord/ui/WavePaneLite.h"

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "platform/ui/MessageQueue.h"

CWavePaneLite::CWavePaneLite()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId))
{
}

bool CWavePaneLite::OnInitDialog()
{
    for (int channel = 0; channel < 4; ++channel) {
        OnCommand(kBoxes[channel], [this, channel] { Clicked(channel); });
    }
    return ui::Dialog::OnInitDialog();
}

void CWavePaneLite::InitFromWiring(std::uint32_t phaseMask)
{
    m_checked = 0;
    for (int channel = 0; channel < 4; ++channel) {
        const bool present = (phaseMask & (1u << channel)) != 0;
        if (wxWindow* box = GetDlgItem(kBoxes[channel])) {
            box->Enable(present);
        }
        CheckDlgButton(kBoxes[channel], present ? 1 : 0);
        if (present) {
            m_checked |= 1u << channel;
        }
    }
}

void CWavePaneLite::Clicked(int channel)
{
    const int checked = IsDlgButtonChecked(kBoxes[channel]);
    if (checked != 0) {
        m_checked |= 1u << channel;
    } else {
        m_checked &= ~(1u << channel);
    }
    ui::PostMessage(m_target, kMsgChannel, static_cast<ui::WParam>(checked),
                    static_cast<ui::LParam>(4 | (channel << 16)));
}
