#include "device/DownloadOutcome.h"

#include "device/DeviceTexts.h"
#include "platform/net/NetErrors.h"

namespace device {

namespace {

struct KnownError {
    int code;
    unsigned text;
};

constexpr KnownError kKnownErrors[] = {
    {net::kErrorFileNotFound, kTextSourceMissing},
    {net::kErrorPathNotFound, kTextInvalidPath},
    {net::kErrorAccessDenied, kTextAccessDenied},
    {net::kErrorWriteProtect, kTextWriteProtected},
    {net::kErrorDeviceNotAvailable, kTextNetworkUnavailable},
    {net::kErrorDiskFull, kTextDiskFull},
    {124, kTextDriveListFailed},
    {net::kErrorAlreadyExists, kTextAlreadyExists},
    {net::kErrorConnectionReset, kTextConnectionLost},
};

}  // namespace

DownloadOutcome OutcomeOfDownload(int result) {
    DownloadOutcome outcome;
    if (result == 0) {
        outcome.downloaded = true;
        outcome.goOn = true;
        return outcome;
    }
    // Cancelled in the progress dialog, or no connection: nothing was
    // downloaded, and the user wants no more of this round.
    if (result == -1) {
        return outcome;
    }
    outcome.showsMessage = true;
    if (result == net::kErrorCancelled) {
        outcome.goOn = true;
        outcome.message = LoadDeviceString(kTextCancelled);
        return outcome;
    }
    outcome.refreshDevices = true;
    for (const KnownError& known : kKnownErrors) {
        if (known.code == result) {
            outcome.message = LoadDeviceString(known.text);
            return outcome;
        }
    }
    outcome.message = LoadDeviceString(kTextDownloadError) + LoadDeviceString(kTextErrorCode) + std::to_wstring(result);
    return outcome;
}

}  // namespace device
