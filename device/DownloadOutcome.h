#pragma once
// What the device dialog does with the result of one folder's download: the
// message it shows (and logs), whether it goes on with the next chosen folder,
// and whether it lists the devices again.

#include <string>

namespace device {

struct DownloadOutcome {
    bool downloaded = false;     // the folder is complete on the PC
    bool goOn = false;           // go on with the next chosen folder
    bool refreshDevices = false; // the device may be gone: list the devices again
    bool showsMessage = false;
    std::wstring message;
};

// result: DownloadRecord's result (0, -1 for a cancel, else an error code);
// refusedName: the remote name a refused download names (GetRefusedName).
DownloadOutcome OutcomeOfDownload(int result, const std::wstring& refusedName = {});

// What the dialog says when the terminal's folders could not be listed whole:
// error is the transport's GetListingError.
std::wstring ListingFailureText(int error);

}  // namespace device
