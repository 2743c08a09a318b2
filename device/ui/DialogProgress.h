#pragma once
// Shows a transport's copy in the progress dialog: the copy runs on the dialog's
// worker thread, each file's name on its first line, one step of the bar per
// file, and Cancel sets the flag the copy polls.

#include <atomic>

#include "device/ProgressRunner.h"

class CProgressDlg;

namespace ui {
class Window;
}

class CDialogProgress : public IProgressRunner {
public:
    explicit CDialogProgress(ui::Window* parent) : m_parent(parent) {}
    int Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t total) override;
    void SetMessage(const std::wstring& text) override;
    void Step() override;

private:
    ui::Window* m_parent;
    // The dialog of the running copy; null between copies.
    std::atomic<CProgressDlg*> m_dialog{nullptr};
};
