#include "device/USBCommunication.h"

#include <atomic>
#include <optional>
#include <system_error>

#include "core/FileManager.h"
#include "device/LocalTree.h"
#include "device/MarkerFile.h"
#include "device/ProgressRunner.h"
#include "device/StagedFolder.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LocalTime.h"
#include "platform/net/NetErrors.h"

namespace fs = std::filesystem;

namespace {

struct CopyJob {
    fs::path source;
    fs::path target;
    std::atomic<std::int32_t> cancel{0};
    IProgressRunner* progress = nullptr;
    int result = 0;
};

std::uint32_t RunCopy(void* argument) {
    auto* job = static_cast<CopyJob*>(argument);
    job->result = CopyLocalTree(job->source, job->target, &job->cancel, [job](const std::wstring& name) {
        job->progress->SetMessage(name);
        job->progress->Step();
    });
    return 0;
}

std::optional<std::time_t> TimeValue(const SystemTime& time) {
    if (time.year < 1900) {
        return std::nullopt;
    }
    return platform::FromLocalTime(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

void AppendSubfolders(const fs::path& base, std::vector<ZVFolderInfo>& folders) {
    for (const fs::directory_entry& entry : platform::ListSorted(base)) {
        std::error_code error;
        if (entry.is_symlink(error) || !entry.is_directory(error)) {
            continue;
        }
        const TreeSize size = SizeLocalTree(entry.path());
        ZVFolderInfo folder(platform::FromPath(entry.path()), size.bytes);
        folder.SetCounts(size.bytes, size.files);
        folders.push_back(folder);
    }
}

}  // namespace

int CUSBCommunication::SetDevice(const CZVDeviceInfo& device, int mode, IProgressRunner* progress) {
    m_device = device;
    m_mode = mode;
    m_progress = progress;
    // Another drive has other screenshots.
    m_screenFiles.clear();
    m_screenFilesListed = false;
    return 1;
}

int CUSBCommunication::Connect() { return 1; }

int CUSBCommunication::Verify() {
    CZVDeviceInfo::Block block{};
    return ReadMarkerRecord(m_device.m_address + kMarkerFileName, block);
}

int CUSBCommunication::Disconnect() { return 1; }

int CUSBCommunication::ListFolders(std::vector<ZVFolderInfo>& folders) {
    const fs::path root = platform::ToPath(m_device.m_address);
    std::error_code error;
    if (!fs::is_directory(root, error)) {
        return 1;
    }
    if (m_mode == kModeWaveform) {
        AppendSubfolders(platform::ResolveNoCase(root, kWaveFolder), folders);
        return 1;
    }
    const fs::path screen = platform::ResolveNoCase(root, kScreenFolder);
    const TreeSize size = SizeLocalTree(screen);
    ZVFolderInfo screenFolder(platform::FromPath(screen), size.bytes);
    screenFolder.SetCounts(size.bytes, size.files);
    folders.push_back(screenFolder);
    AppendSubfolders(platform::ResolveNoCase(root, kExportFolder), folders);
    return 1;
}

int CUSBCommunication::GetSnapshots(const ZVFolderInfo& folder, const std::wstring& localFolder,
                                    const SystemTime& start, const SystemTime& end) {
    const fs::path snapshots = platform::ToPath(LocalRecordFolder(folder, localFolder)) / kSnapshotFolder;
    std::error_code error;
    fs::create_directories(snapshots, error);
    if (!m_screenFilesListed) {
        CFileManager files;
        if (files.SetRootPath(m_device.m_address) != 0) {
            files.CollectFileTimes(kScreenFolder, m_screenFiles);
        }
        m_screenFilesListed = true;
    }
    const std::optional<std::time_t> lower = TimeValue(start);
    const std::time_t upper = TimeValue(end).value_or(0);
    for (const CZVBoardInfo& file : m_screenFiles) {
        const std::time_t time = file.m_lastWriteTime;
        if ((lower && time < *lower) || time > upper) {
            continue;
        }
        const std::wstring name = platform::FormatLocalTime(time, L"%Y%m%d") + L"_" + file.m_fileName;
        fs::copy_file(platform::ToPath(file.m_fullPath), snapshots / platform::ToPath(name),
                      fs::copy_options::overwrite_existing, error);
    }
    return 0;
}

int CUSBCommunication::ReadRecordTimes(const ZVFolderInfo& folder, const std::wstring& localFolder,
                                       SystemTime& start, SystemTime& end) {
    return ReadDownloadedRecordTimes(folder, localFolder, start, end);
}

int CUSBCommunication::DownloadRecord(const ZVFolderInfo& folder, const std::wstring& localFolder) {
    CStagedFolder stage(platform::ToPath(LocalRecordFolder(folder, localFolder)));
    if (stage.Error() != 0) {
        return stage.Error();
    }
    IProgressRunner& progress = m_progress != nullptr ? *m_progress : InlineProgress();
    CopyJob job;
    job.source = platform::ToPath(folder.GetDisplayName());
    job.target = stage.Path();
    job.progress = &progress;
    const int run = progress.Run(RunCopy, &job, &job.cancel, folder.GetFileCount());
    if (run == 2 || job.cancel.load() != 0) {
        return net::kErrorCancelled;
    }
    if (run < 0) {
        return net::kErrorNotReady;
    }
    return job.result != 0 ? job.result : stage.Commit();
}

bool CUSBCommunication::IsRecordLocked(const ZVFolderInfo& folder) {
    std::error_code error;
    return fs::is_regular_file(platform::ResolveNoCase(platform::ToPath(folder.GetDisplayName()), kRecordLockFile),
                               error);
}
