#include "device/ui/DeviceDownload.h"

#include "device/ui/OpenNetDlg.h"

int OpenDeviceDialog(int mode, ui::Window* parent, const OpenDownloadedFolder& open) {
    COpenNetDlg dialog(mode, parent);
    const int result = dialog.DoModal();
    if (result == ui::kIdOk && open && !dialog.GetResultPath().empty()) {
        open(dialog.GetResultPath(), mode);
    }
    return result;
}
