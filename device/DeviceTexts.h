#pragma once
// The language strings of device discovery and download, by id, and the log
// lines the subsystem writes.

#include <string>

namespace device {

inline constexpr unsigned kTextChooseFolder = 10000;        // folder picker title
inline constexpr unsigned kTextColumnName = 10030;
inline constexpr unsigned kTextColumnSize = 10031;
inline constexpr unsigned kTextHelpInstruction = 10041;
inline constexpr unsigned kTextHelpLink = 10056;
inline constexpr unsigned kTextGuideTitle = 10057;
inline constexpr unsigned kTextGuideStep1 = 10061;
inline constexpr unsigned kTextGuideStep2 = 10062;
inline constexpr unsigned kTextGuideStep3 = 10063;
inline constexpr unsigned kTextHelpContent = 10071;
inline constexpr unsigned kTextCaption = 10231;             // message box caption
inline constexpr unsigned kTextDriveListFailed = 10241;
inline constexpr unsigned kTextNoDeviceInfo = 10242;
inline constexpr unsigned kTextMarkerReadFailed = 10243;
inline constexpr unsigned kTextMarkerOpenFailed = 10244;
inline constexpr unsigned kTextCopying = 10245;
inline constexpr unsigned kTextDeviceListColumn = 10247;
inline constexpr unsigned kTextDisconnected = 10248;
inline constexpr unsigned kTextDisconnectedLog = 10249;
inline constexpr unsigned kTextRecordInfoError = 10250;
inline constexpr unsigned kTextAccessDenied = 10251;
inline constexpr unsigned kTextInvalidPath = 10252;
inline constexpr unsigned kTextSourceMissing = 10253;
inline constexpr unsigned kTextDiskFull = 10254;
inline constexpr unsigned kTextWriteProtected = 10255;
inline constexpr unsigned kTextAlreadyExists = 10256;
inline constexpr unsigned kTextNetworkUnavailable = 10257;
inline constexpr unsigned kTextCancelled = 10258;
inline constexpr unsigned kTextConnectionLost = 10259;
inline constexpr unsigned kTextDownloadError = 10260;
inline constexpr unsigned kTextErrorReason = 10261;
inline constexpr unsigned kTextErrorCode = 10262;
inline constexpr unsigned kTextUsbFound = 10263;
inline constexpr unsigned kTextUsbFailed = 10264;
inline constexpr unsigned kTextNetworkNone = 10265;
inline constexpr unsigned kTextUpdatingList = 10266;
inline constexpr unsigned kTextConnectFailed = 10267;
inline constexpr unsigned kTextNoDevice = 10268;
inline constexpr unsigned kTextNetworkFound = 10269;
inline constexpr unsigned kTextDiscoveryFailed = 10270;
inline constexpr unsigned kTextListingFailed = 10271;       // followed by the reason
inline constexpr unsigned kTextListingTimedOut = 10272;
inline constexpr unsigned kTextListingTooLong = 10273;
inline constexpr unsigned kTextNameRefused = 10301;         // %s: the remote name
inline constexpr unsigned kTextTooManyDevices = 10302;      // %d: the cap
inline constexpr unsigned kTextHelpTitle = 32769;

std::wstring LoadDeviceString(unsigned id);
// Writes the language string to the program log.
void LogDeviceString(unsigned id);

}  // namespace device
