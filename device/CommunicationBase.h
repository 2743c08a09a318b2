#pragma once
// ICommunicationBase: the transport between the device dialog and one terminal's
// data, over the network or on a removable drive. The dialog calls SetDevice,
// Connect, Verify and ListFolders, then per chosen folder DownloadRecord,
// ReadRecordTimes and GetSnapshots, and finally Disconnect. Every operation has a
// default body (result 0) that an implementation replaces or keeps.
//
// Remote folder and file names are never trusted as paths (RemoteName.h), and a
// record is downloaded into a temporary folder beside its target that takes the
// target's place only when complete (StagedFolder.h): a failed or cancelled
// download leaves an earlier complete copy as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "core/SystemTime.h"
#include "core/ZVFolderInfo.h"
#include "device/ZVDeviceInfo.h"

class IProgressRunner;

// Modes of the dialog and its transports.
inline constexpr int kModeStatistic = 0;
inline constexpr int kModeWaveform = 1;

// DownloadRecord's result when the copy was cancelled or the transport is not
// connected: not a success and not an error to report.
inline constexpr int kDownloadCancelled = -1;

// Folders of a terminal's medium.
inline constexpr const wchar_t* kScreenFolder = L"SCREEN";
inline constexpr const wchar_t* kExportFolder = L"EXPORT";
inline constexpr const wchar_t* kWaveFolder = L"WAVE";
inline constexpr const wchar_t* kRecordLockFile = L"record.lock";
inline constexpr const wchar_t* kRecordInfoFile = L"recordinfo.cfg";
inline constexpr const wchar_t* kSnapshotFolder = L"Snapshot";

class ICommunicationBase {
public:
    virtual ~ICommunicationBase() = default;

    // The progress runner shows the copies (null: the inline runner). 1.
    virtual int SetDevice(const CZVDeviceInfo& device, int mode, IProgressRunner* progress);
    virtual int Connect();
    virtual int Verify();
    virtual int Disconnect();
    // 1 when the medium could be listed whole. 0 when a listing broke off: the
    // folders listed whole until then are appended, and GetListingError says why.
    virtual int ListFolders(std::vector<ZVFolderInfo>& folders);
    virtual int ListScreenFiles(const std::wstring& recordName, int second);
    virtual int CopyFiles(const std::wstring& first, const std::wstring& second, int third);
    virtual int GetSnapshots(const ZVFolderInfo& folder, const std::wstring& localFolder, const SystemTime& start,
                             const SystemTime& end);
    virtual int ReadRecordTimes(const ZVFolderInfo& folder, const std::wstring& localFolder, SystemTime& start,
                                SystemTime& end);
    virtual int DownloadRecord(const ZVFolderInfo& folder, const std::wstring& localFolder);
    // Whether the record is still being written ("record.lock" in its folder on
    // the medium); such records are not offered.
    virtual bool IsRecordLocked(const ZVFolderInfo& folder);
    // Why the last ListFolders broke off (an error code of NetErrors.h); 0 when it
    // did not.
    virtual int GetListingError();
    // The remote name that made the last download fail as unsafe; empty when none.
    virtual std::wstring GetRefusedName();
};

// Where a record lands: the local folder and the record's name with its board
// ("<local>/<record>" or "<local>/<record>/Board<n>").
std::wstring LocalRecordFolder(const ZVFolderInfo& folder, const std::wstring& localFolder);

// The downloaded copy's "recordinfo.cfg" read into the times (1), or 0 when the
// download holds none.
int ReadDownloadedRecordTimes(const ZVFolderInfo& folder, const std::wstring& localFolder, SystemTime& start,
                              SystemTime& end);
