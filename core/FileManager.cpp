#include "core/FileManager.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unordered_set>

#include "core/OndravaLog.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"

namespace fs = std::filesystem;

namespace {

// A full path given with either separator, without trailing separators.
fs::path NativePath(std::wstring text) {
    std::replace(text.begin(), text.end(), L'\\', L'/');
    while (text.size() > 1 && text.back() == L'/') {
        text.pop_back();
    }
    return platform::ToPath(text);
}

bool IsRealFolder(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error) && !entry.is_symlink(error);
}

// Visits every regular file below the folder, folders in name order, without
// following links to folders (which could loop).
void ForEachFile(const fs::path& folder, const std::function<void(const fs::directory_entry&)>& visit) {
    for (const auto& entry : platform::ListSorted(folder)) {
        std::error_code error;
        if (IsRealFolder(entry)) {
            ForEachFile(entry.path(), visit);
        } else if (entry.is_regular_file(error)) {
            visit(entry);
        }
    }
}

std::uint64_t FileSize(const fs::directory_entry& entry) {
    std::error_code error;
    const std::uintmax_t size = entry.file_size(error);
    return error ? 0 : size;
}

// The birth time where the file system keeps one, else the last-write time.
void ReadFileTimes(const fs::path& file, CZVBoardInfo& info) {
    struct statx status {};
    if (::statx(AT_FDCWD, file.c_str(), 0, STATX_BTIME | STATX_MTIME, &status) != 0) {
        return;
    }
    info.m_lastWriteTime = status.stx_mtime.tv_sec;
    info.m_creationTime = (status.stx_mask & STATX_BTIME) != 0 ? status.stx_btime.tv_sec : status.stx_mtime.tv_sec;
}

// The name relative to the root with '/' separators, cut at the last dot of the
// file name (a dot in a folder name is not an extension).
std::wstring NameWithoutExtension(const fs::path& file, const fs::path& root) {
    std::wstring name = platform::FromPath(file.lexically_relative(root).generic_u8string());
    const std::size_t slash = name.rfind(L'/');
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) {
        name.erase(dot);
    }
    return name;
}

}  // namespace

int CFileManager::SetRootPath(const std::wstring& root) {
    if (root.empty()) {
        return 0;
    }
    m_root = root;
    return 1;
}

void CFileManager::SetFileFilter(FileFilter filter, std::uint32_t context0, std::uint32_t context1,
                                 std::uint32_t context2, std::uint32_t context3) {
    m_filter = filter;
    m_context[0] = context0;
    m_context[1] = context1;
    m_context[2] = context2;
    m_context[3] = context3;
}

int CFileManager::ListFileNames(const std::wstring& relativeFolder, std::vector<std::wstring>& names) const {
    if (m_root.empty() || relativeFolder.empty()) {
        return 0;
    }
    const fs::path root = NativePath(m_root);
    std::unordered_set<std::wstring> known(names.begin(), names.end());
    ForEachFile(platform::ResolveNoCase(root, relativeFolder), [&](const fs::directory_entry& entry) {
        std::wstring name = NameWithoutExtension(entry.path(), root);
        if (known.count(name) != 0) {
            return;
        }
        if (m_filter != nullptr && m_filter(m_context[0], m_context[1], m_context[2], m_context[3], name) == 0) {
            return;
        }
        known.insert(name);
        names.push_back(std::move(name));
    });
    return 1;
}

int CFileManager::ScanFolder(const std::wstring& folder, std::uint64_t& total) const {
    if (m_root.empty()) {
        return 0;
    }
    ForEachFile(NativePath(folder), [&](const fs::directory_entry& entry) { total += FileSize(entry); });
    return 1;
}

int CFileManager::ListFolders(const std::wstring& folder, std::vector<ZVFolderInfo>& folders) const {
    if (m_root.empty() || folder.empty()) {
        return 0;
    }
    for (const auto& entry : platform::ListSorted(NativePath(folder))) {
        if (!IsRealFolder(entry)) {
            continue;
        }
        const std::wstring path = platform::FromPath(entry.path());
        std::uint64_t size = 0;
        ScanFolder(path, size);
        folders.emplace_back(path, size, 0);
    }
    return 1;
}

int CFileManager::CollectFileTimes(const std::wstring& relativeFolder, std::vector<CZVBoardInfo>& files) const {
    if (m_root.empty() || relativeFolder.empty()) {
        return 0;
    }
    ForEachFile(platform::ResolveNoCase(NativePath(m_root), relativeFolder), [&](const fs::directory_entry& entry) {
        CZVBoardInfo info;
        ReadFileTimes(entry.path(), info);
        info.m_fullPath = platform::FromPath(entry.path());
        info.m_fileName = platform::FromPath(entry.path().filename());
        files.push_back(std::move(info));
    });
    return 1;
}

int CFileManager::CopyFolderTree(const std::wstring& source, const std::wstring& destination,
                                 std::uint64_t totalBytes) {
    if (m_root.empty()) {
        return 0;
    }
    const fs::path from = NativePath(source);
    std::error_code error;
    if (!fs::is_directory(from, error)) {
        return 0;
    }
    const fs::path target = NativePath(destination) / from.filename();
    if (!fs::create_directory(target, error)) {
        if (error) {
            return 0;
        }
        COndravaLog::GetInstance()->Write(L"当前文件已存在,是否覆盖");
    }
    for (const auto& entry : platform::ListSorted(from)) {
        if (IsRealFolder(entry)) {
            if (CopyFolderTree(platform::FromPath(entry.path()), platform::FromPath(target), totalBytes) == 0) {
                return 0;
            }
            continue;
        }
        if (!entry.is_regular_file(error)) {
            continue;
        }
        std::error_code copyError;
        fs::copy_file(entry.path(), target / entry.path().filename(), fs::copy_options::overwrite_existing, copyError);
        if (copyError) {
            m_cancel.store(1);
        } else {
            m_copiedBytes += FileSize(entry);
            const double percent =
                totalBytes == 0 ? 100.0 : static_cast<double>(m_copiedBytes) * 100.0 / static_cast<double>(totalBytes);
            UpdateHourglaze(std::min(percent, 100.0));
        }
        if (m_cancel.load() != 0) {
            return 0;
        }
    }
    return 1;
}

int CFileManager::DeleteFolderTree(const std::wstring& folder) {
    if (folder.empty()) {
        return 0;
    }
    const fs::path path = NativePath(folder);
    for (const auto& entry : platform::ListSorted(path)) {
        if (IsRealFolder(entry)) {
            DeleteFolderTree(platform::FromPath(entry.path()));
        } else {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
    std::error_code error;
    if (!fs::remove(path, error)) {
        COndravaLog::GetInstance()->Write(L"删除目录失败");
        return 0;
    }
    return 1;
}
