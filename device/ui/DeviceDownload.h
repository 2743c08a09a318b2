#pragma once
// The entry of the frame's device commands: runs the device dialog and, when the
// user downloaded a record and closed the dialog with OK, hands the record's
// local folder to the frame, which opens it.

#include <functional>
#include <string>

namespace ui {
class Window;
}

// Opens the downloaded folder (mode 0 statistic data, 1 waveform records).
using OpenDownloadedFolder = std::function<void(const std::wstring& folder, int mode)>;

// The dialog's result (ui::kIdOk when a folder was handed on).
int OpenDeviceDialog(int mode, ui::Window* parent, const OpenDownloadedFolder& open);
