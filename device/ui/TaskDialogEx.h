#pragma once
// The help task dialog of the device dialog: what to check when no terminal can
// be reached, with a link to the transfer-mode guide. Closing the guide closes
// the task dialog too, back to the device dialog.

#include <functional>

#include "platform/ui/TaskDialog.h"

class CXTPPropertyNetSheet;

class CTaskDialogEx : public ui::TaskDialog {
public:
    CTaskDialogEx();

protected:
    void OnHyperlinkClicked(const std::wstring& target) override;
};

// Opens the help task dialog over the parent; its result.
int ShowTransferModeHelp(ui::Window* parent);

// Lets a test look at the help as the user sees it: each function runs on the
// user-interface thread while its window is open (empty functions: nothing).
struct HelpWatch {
    std::function<void(CTaskDialogEx&)> taskDialog;
    std::function<void(CXTPPropertyNetSheet&)> guide;
};
void SetHelpWatch(HelpWatch watch);
