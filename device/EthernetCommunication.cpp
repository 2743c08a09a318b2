#include "device/EthernetCommunication.h"

#include <ctime>

#include "device/MarkerFile.h"
#include "device/StagedFolder.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

struct Login {
    const wchar_t* user;
    const wchar_t* password;
};

constexpr Login kLogins[] = {{L"anonymous", L"Vemtrask@"}, {L"admin", L"804317"}};

// The terminal's wall clock as seconds (see FtpClient.h for why no zone enters).
std::int64_t WallClockSeconds(const SystemTime& time) {
    std::tm fields{};
    fields.tm_year = time.year - 1900;
    fields.tm_mon = time.month - 1;
    fields.tm_mday = time.day;
    fields.tm_hour = time.hour;
    fields.tm_min = time.minute;
    fields.tm_sec = time.second;
    return static_cast<std::int64_t>(::timegm(&fields));
}

}  // namespace

int BoardOfFolderName(const std::wstring& name) {
    if (name.size() == 6 && name.starts_with(L"Board") && name[5] >= L'1' && name[5] <= L'9') {
        return name[5] - L'0';
    }
    return 0;
}

int CEthernetCommunication::SetDevice(const CZVDeviceInfo& device, int mode, IProgressRunner* progress) {
    m_device = device;
    m_mode = mode;
    m_progress = progress;
    m_client.SetProgressRunner(progress);
    return 1;
}

int CEthernetCommunication::Connect() {
    for (const Login& login : kLogins) {
        if (m_client.Open(m_device.m_address, m_port, login.user, login.password) != 0) {
            return 1;
        }
    }
    return 0;
}

int CEthernetCommunication::Verify() {
    if (!m_client.IsConnected() || m_client.SetCurrentDirectory(L"/") == 0) {
        return 0;
    }
    return m_client.FindFile(kMarkerFileName);
}

int CEthernetCommunication::Disconnect() {
    m_client.Close();
    return 1;
}

std::wstring CEthernetCommunication::RootFolder(const wchar_t* name) {
    std::vector<std::wstring> names;
    m_client.ListSubfolders(L"", names);
    for (const std::wstring& found : names) {
        if (platform::NamesEqualNoCase(found, name)) {
            return found;
        }
    }
    return name;
}

int CEthernetCommunication::ListFolders(std::vector<ZVFolderInfo>& folders) {
    // A listing that broke off ends the walk: the server has stalled or dropped the
    // connection, and every further listing would wait as long.
    m_client.ResetListingFailure();
    m_lockChecksStopped = false;
    const auto broke = [this] { return m_client.GetListingFailure() != 0; };
    std::wstring base;
    if (m_mode == kModeStatistic) {
        const std::wstring screen = RootFolder(kScreenFolder);
        if (broke()) {
            return 0;
        }
        folders.emplace_back(screen, 0);
        base = RootFolder(kExportFolder);
    } else {
        base = RootFolder(kWaveFolder);
    }
    std::vector<std::wstring> records;
    if (!broke()) {
        m_client.ListSubfolders(base, records);
    }
    for (const std::wstring& record : records) {
        const std::wstring path = base + L"/" + record;
        std::vector<ZVFolderInfo> offered;
        if (m_device.m_model == kModelK7900) {
            std::vector<std::wstring> boards;
            m_client.ListSubfolders(path, boards);
            for (const std::wstring& board : boards) {
                if (const int number = BoardOfFolderName(board); number != 0) {
                    offered.emplace_back(path, 0, number);
                }
            }
        } else {
            offered.emplace_back(path, 0);
        }
        for (ZVFolderInfo& folder : offered) {
            std::uint64_t total = 0;
            std::uint64_t count = 0;
            m_client.GetFolderSize(folder.GetDisplayName(), total, count);
            if (broke()) {
                return 0;  // its size would be short
            }
            folder.SetCounts(total, count);
            folders.push_back(folder);
        }
        if (broke()) {
            return 0;
        }
    }
    return broke() ? 0 : 1;
}

int CEthernetCommunication::GetSnapshots(const ZVFolderInfo& folder, const std::wstring& localFolder,
                                         const SystemTime& start, const SystemTime& end) {
    const std::wstring snapshots = platform::FromPath(platform::ToPath(LocalRecordFolder(folder, localFolder)) /
                                                      platform::ToPath(std::wstring(kSnapshotFolder)));
    CFtpClient::MakeFolderPath(snapshots);
    std::vector<CZVBoardInfo> files;
    m_client.ListFilesRecursive(RootFolder(kScreenFolder), files);
    const std::int64_t lower = start.year < 1900 ? 0 : WallClockSeconds(start);
    const std::int64_t upper = WallClockSeconds(end);
    for (const CZVBoardInfo& file : files) {
        if (file.m_lastWriteTime < lower || file.m_lastWriteTime > upper) {
            continue;
        }
        const int result = m_client.GetFile(file.m_fullPath, snapshots, 0);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

int CEthernetCommunication::ReadRecordTimes(const ZVFolderInfo& folder, const std::wstring& localFolder,
                                            SystemTime& start, SystemTime& end) {
    return ReadDownloadedRecordTimes(folder, localFolder, start, end);
}

int CEthernetCommunication::DownloadRecord(const ZVFolderInfo& folder, const std::wstring& localFolder) {
    if (!m_client.IsConnected()) {
        return kDownloadCancelled;
    }
    std::uint64_t count = folder.GetFileCount();
    if (count == 0) {
        // The "SCREEN" entry is listed without sizes: count it now for the bar.
        std::uint64_t total = 0;
        m_client.GetFolderSize(folder.GetDisplayName(), total, count);
    }
    CStagedFolder stage(platform::ToPath(LocalRecordFolder(folder, localFolder)));
    if (stage.Error() != 0) {
        return stage.Error();
    }
    const int result = m_client.DownloadWithProgress(folder.GetDisplayName(), platform::FromPath(stage.Path()), count, 0);
    return result != 0 ? result : stage.Commit();
}

bool CEthernetCommunication::IsRecordLocked(const ZVFolderInfo& folder) {
    // Once a listing broke off here, the terminal is not asked again (each question
    // would wait as long), and a record whose lock was not looked for is not offered.
    if (m_lockChecksStopped) {
        return true;
    }
    const std::uint64_t broken = m_client.BrokenListings();
    const std::wstring lock = std::wstring(L"/") + kRecordLockFile;
    // A board's record is being written while its record folder carries the lock.
    const bool locked = m_client.FileExists(folder.GetDisplayName() + lock) != 0 ||
                        (folder.GetBoard() != 0 && m_client.FileExists(folder.GetPath() + lock) != 0);
    m_lockChecksStopped = m_client.BrokenListings() != broken;
    return locked || m_lockChecksStopped;
}
