#include "device/ui/XTPHyperLinkEx.h"

#include "device/ui/TaskDialogEx.h"

CXTPHyperLinkEx::CXTPHyperLinkEx() {
    OnMessage(ui::kMsgHyperLinkClick, [this](ui::WParam, ui::LParam) -> ui::LResult {
        ShowTransferModeHelp(m_parent);
        return 0;
    });
}
