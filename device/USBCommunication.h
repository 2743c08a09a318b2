#pragma once
// CUSBCommunication: the transport to a terminal's data on a mounted drive (its
// address is the drive's root folder). Records are copied file by file under the
// progress runner; a cancel gives kErrorCancelled (1223), which the dialog shows
// and then goes on with the next folder.

#include <vector>

#include "core/ZVBoardInfo.h"
#include "device/CommunicationBase.h"
#include "device/ZVDeviceInfo.h"

class CUSBCommunication : public ICommunicationBase {
public:
    int SetDevice(const CZVDeviceInfo& device, int mode, IProgressRunner* progress) override;
    int Connect() override;
    int Verify() override;
    int Disconnect() override;
    int ListFolders(std::vector<ZVFolderInfo>& folders) override;
    int GetSnapshots(const ZVFolderInfo& folder, const std::wstring& localFolder, const SystemTime& start,
                     const SystemTime& end) override;
    int ReadRecordTimes(const ZVFolderInfo& folder, const std::wstring& localFolder, SystemTime& start,
                        SystemTime& end) override;
    int DownloadRecord(const ZVFolderInfo& folder, const std::wstring& localFolder) override;
    bool IsRecordLocked(const ZVFolderInfo& folder) override;

private:
    CZVDeviceInfo m_device;
    // The drive's screenshots, listed once per device.
    std::vector<CZVBoardInfo> m_screenFiles;
    bool m_screenFilesListed = false;
    IProgressRunner* m_progress = nullptr;
    int m_mode = kModeStatistic;
};
