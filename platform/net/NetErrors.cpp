#include "platform/net/NetErrors.h"

#include <cerrno>

#include <curl/curl.h>

namespace net {

int ErrorFromErrno(int error) {
    switch (error) {
    case 0:
        return kErrorNone;
    case ENOENT:
    case ENOTDIR:
        return kErrorPathNotFound;
    case EACCES:
    case EPERM:
        return kErrorAccessDenied;
    case EROFS:
        return kErrorWriteProtect;
    case ENOSPC:
    case EDQUOT:
        return kErrorDiskFull;
    case EEXIST:
    case ENOTEMPTY:
        return kErrorAlreadyExists;
    case ENAMETOOLONG:
    case EINVAL:
        return kErrorInvalidName;
    case ENODEV:
    case ENXIO:
    case EIO:
        return kErrorDeviceNotAvailable;
    default:
        // Outside the dialog's table: shown with its number.
        return 1000 + error;
    }
}

int ErrorFromCurl(int curlCode, int writeErrno) {
    switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_OK:
        return kErrorNone;
    case CURLE_ABORTED_BY_CALLBACK:
        return kErrorCancelled;
    case CURLE_WRITE_ERROR:
        return writeErrno != 0 ? ErrorFromErrno(writeErrno) : kErrorAccessDenied;
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_REMOTE_ACCESS_DENIED:
        return kErrorFileNotFound;
    case CURLE_LOGIN_DENIED:
        return kErrorLoginFailure;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return kErrorCannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return kErrorTimeout;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_WEIRD_SERVER_REPLY:
        return kErrorConnectionReset;
    default:
        return kErrorExtended;
    }
}

}  // namespace net
