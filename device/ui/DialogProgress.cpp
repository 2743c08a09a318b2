#include "device/ui/DialogProgress.h"

#include "controls/ProgressDlg.h"
#include "platform/ui/MessageQueue.h"

int CDialogProgress::Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t total) {
    CProgressDlg dialog(m_parent);
    dialog.SetTask(task, argument, cancel, total);
    m_dialog.store(&dialog);
    const int result = dialog.DoModal();
    m_dialog.store(nullptr);
    if (result < 0) {
        return -1;
    }
    return result == ui::kIdCancel ? 2 : 1;
}

void CDialogProgress::SetMessage(const std::wstring& text) {
    if (CProgressDlg* dialog = m_dialog.load()) {
        dialog->SetMessage(1, text);
    }
}

void CDialogProgress::Step() {
    if (CProgressDlg* dialog = m_dialog.load()) {
        ui::SendMessage(dialog, kMsgProgressStep);
    }
}
