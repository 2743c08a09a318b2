#include "waverecord/ui/HarmChartControl.h"

#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"

CHarmChartControl::CHarmChartControl() { EnableHoverLabels(1); }

ui::LResult CHarmChartControl::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    const ui::LResult result = CChartContrl::WindowProc(message, wParam, lParam);
    if (message == ui::kMsgLButtonDown && m_owner) {
        ui::PostMessage(m_owner, kMsgClicked, 0, 0);
    }
    return result;
}
