#include "device/DownloadOutcome.h"

#include "device/DeviceTexts.h"
#include "device/RemoteName.h"
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

// The text of a known error code; empty for others.
std::wstring KnownErrorText(int code) {
    for (const KnownError& known : kKnownErrors) {
        if (known.code == code) {
            return LoadDeviceString(known.text);
        }
    }
    return {};
}

std::wstring ErrorCodeText(int code) { return LoadDeviceString(kTextErrorCode) + std::to_wstring(code); }

}  // namespace

DownloadOutcome OutcomeOfDownload(int result, const std::wstring& refusedName) {
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
    if (result == net::kErrorInvalidName && !refusedName.empty()) {
        outcome.message = LoadDeviceString(kTextNameRefused);
        const std::size_t at = outcome.message.find(L"%s");
        const std::wstring shown = PrintableRemoteName(refusedName);
        if (at != std::wstring::npos) {
            outcome.message.replace(at, 2, shown);
        } else {
            outcome.message += shown;
        }
        return outcome;
    }
    outcome.message = KnownErrorText(result);
    if (outcome.message.empty()) {
        outcome.message = LoadDeviceString(kTextDownloadError) + ErrorCodeText(result);
    }
    return outcome;
}

std::wstring ListingFailureText(int error) {
    std::wstring reason;
    if (error == net::kErrorTimeout) {
        reason = LoadDeviceString(kTextListingTimedOut);
    } else if (error == net::kErrorListingTooLong) {
        reason = LoadDeviceString(kTextListingTooLong);
    } else {
        reason = KnownErrorText(error);
        if (reason.empty()) {
            reason = ErrorCodeText(error);
        }
    }
    return LoadDeviceString(kTextListingFailed) + reason;
}

}  // namespace device
