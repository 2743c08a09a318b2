#pragma once
// CEthernetCommunication: the transport to a terminal on the network, whose FTP
// server serves "jmr_zv.verify", "SCREEN", "WAVE" and "EXPORT" from its root. A
// K7900's record folders hold one "Board<n>" folder per board, and each board is
// offered, listed and downloaded as a record of its own.

#include <cstdint>

#include "device/CommunicationBase.h"
#include "device/FtpClient.h"
#include "device/ZVDeviceInfo.h"

class CEthernetCommunication : public ICommunicationBase {
public:
    int SetDevice(const CZVDeviceInfo& device, int mode, IProgressRunner* progress) override;
    // Tries the terminal's two logins in order; 1 on the first that succeeds.
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
    int GetListingError() override { return m_client.GetListingFailure(); }
    std::wstring GetRefusedName() override { return m_client.RefusedName(); }

    // The terminals serve on 21; tests run their server elsewhere.
    void SetPort(std::uint16_t port) { m_port = port; }
    CFtpClient& GetClient() { return m_client; }

private:
    // The folder's real name in the root ("EXPORT" as the server spells it).
    std::wstring RootFolder(const wchar_t* name);

    CFtpClient m_client;
    CZVDeviceInfo m_device;
    // Set when a lock could not be looked for: the terminal is not asked again.
    bool m_lockChecksStopped = false;
    IProgressRunner* m_progress = nullptr;
    int m_mode = kModeStatistic;
    std::uint16_t m_port = 21;
};

// The board a K7900 record's sub-folder stands for: 1 to 9 for "Board1" to
// "Board9", else 0 (not a board folder).
int BoardOfFolderName(const std::wstring& name);
