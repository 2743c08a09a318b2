#include "device/ui/TaskDialogEx.h"

#include "device/DeviceTexts.h"
#include "device/ui/XTPPropertyNetSheet.h"
#include "platform/ui/MessageQueue.h"

namespace {

HelpWatch& Watch() {
    static HelpWatch watch;
    return watch;
}

// Queued before the window's modal loop starts, so it runs inside that loop.
template <class Window>
void WatchWhileOpen(const std::function<void(Window&)>& watch, Window& window) {
    if (watch) {
        ui::PostToUiThread([watch, &window] { watch(window); });
    }
}

}  // namespace

void SetHelpWatch(HelpWatch watch) { Watch() = std::move(watch); }

CTaskDialogEx::CTaskDialogEx() {
    SetWindowTitle(device::LoadDeviceString(device::kTextHelpTitle));
    SetMainInstruction(device::LoadDeviceString(device::kTextHelpInstruction));
    SetContent(device::LoadDeviceString(device::kTextHelpContent) + device::LoadDeviceString(device::kTextHelpLink));
    EnableHyperlinks(true);
    EnableCancellation(true);
    SetCommonButtons(kButtonOk);
    SetMainIcon(Icon::Shield);
}

void CTaskDialogEx::OnHyperlinkClicked(const std::wstring&) {
    CXTPPropertyNetSheet guide;
    WatchWhileOpen(Watch().guide, guide);
    guide.DoModal(this);
    EndDialog(ui::kIdOk);
}

int ShowTransferModeHelp(ui::Window* parent) {
    CTaskDialogEx dialog;
    WatchWhileOpen(Watch().taskDialog, dialog);
    return dialog.DoModal(parent);
}
