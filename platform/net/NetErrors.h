#pragma once
// The error codes that transfers report to the device dialog. The dialog's table of
// messages is keyed by the numbers the terminals' Windows tools always used, so a
// failing file-system call (errno) or FTP transfer (a curl result) is mapped onto
// those numbers here, in one place.

#include <cstdint>

namespace net {

inline constexpr int kErrorNone = 0;
inline constexpr int kErrorFileNotFound = 2;
inline constexpr int kErrorPathNotFound = 3;
inline constexpr int kErrorAccessDenied = 5;
inline constexpr int kErrorWriteProtect = 19;
inline constexpr int kErrorNotReady = 21;  // the progress display could not be shown
inline constexpr int kErrorDeviceNotAvailable = 55;
inline constexpr int kErrorDiskFull = 112;
inline constexpr int kErrorListingTooLong = 122;  // a listing longer than any terminal's
inline constexpr int kErrorInvalidName = 123;
inline constexpr int kErrorAlreadyExists = 183;
inline constexpr int kErrorCancelled = 1223;
inline constexpr int kErrorTimeout = 12002;
inline constexpr int kErrorExtended = 12003;     // the server answered with an FTP error
inline constexpr int kErrorLoginFailure = 12015;
inline constexpr int kErrorCannotConnect = 12029;
inline constexpr int kErrorConnectionReset = 12031;

// A file-system errno as one of the codes above; an errno the table does not know
// becomes 1000 + errno, which the dialog shows with its number.
int ErrorFromErrno(int error);

// A curl result (CURLcode) as one of the codes above. writeErrno is the errno of
// the local write that failed when the result is a write error (0 when unknown).
int ErrorFromCurl(int curlCode, int writeErrno);

}  // namespace net
