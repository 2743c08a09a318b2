#pragma once
// CFileManager: walking, sizing, listing, copying and deleting folder trees below
// a root folder. Copies move the busy indicator; copy and delete failures go to the
// log. Folders that cannot be listed contribute nothing; nothing throws.
// Paths may use either separator.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "core/ZVBoardInfo.h"
#include "core/ZVFolderInfo.h"

class CFileManager {
public:
    // Decides whether ListFileNames keeps a file: called with the four context words
    // given to SetFileFilter and the file's name relative to the root (without its
    // extension); 0 skips the file.
    using FileFilter = int (*)(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                               const std::wstring& relativeName);

    CFileManager() = default;
    virtual ~CFileManager() = default;
    CFileManager(const CFileManager&) = delete;
    CFileManager& operator=(const CFileManager&) = delete;

    // 0 for an empty path.
    int SetRootPath(const std::wstring& root);
    void SetFileFilter(FileFilter filter, std::uint32_t context0, std::uint32_t context1, std::uint32_t context2,
                       std::uint32_t context3);

    // The operations below return 0 while no root is set.

    // Appends the path of every file below root + relativeFolder, relative to the
    // root and without its extension, unless the list holds it already (a record's
    // files that differ only in extension count once). 0 for an empty relativeFolder.
    int ListFileNames(const std::wstring& relativeFolder, std::vector<std::wstring>& names) const;
    // Adds the sizes of every file below the folder (a full path) to total.
    int ScanFolder(const std::wstring& folder, std::uint64_t& total) const;
    // Appends one entry per immediate sub-folder of the folder (a full path) with its
    // total size, in name order. 0 for an empty folder.
    int ListFolders(const std::wstring& folder, std::vector<ZVFolderInfo>& folders) const;
    // Appends every file below root + relativeFolder with its times. 0 for an empty relativeFolder.
    int CollectFileTimes(const std::wstring& relativeFolder, std::vector<CZVBoardInfo>& files) const;
    // Copies the source folder, under its own name, into the destination folder,
    // overwriting files there. totalBytes (the size of what is copied) scales the
    // busy indicator. 1 when everything was copied; 0 when a folder could not be
    // made or a file copy failed (which sets the cancel flag) or the owner set the
    // cancel flag; files copied before stay.
    int CopyFolderTree(const std::wstring& source, const std::wstring& destination, std::uint64_t totalBytes);

    // Deletes every file and sub-folder, then the folder. 1 when the folder itself
    // is gone; 0 (and a log line) when it could not be removed.
    int DeleteFolderTree(const std::wstring& folder);

    std::uint64_t GetCopiedBytes() const { return m_copiedBytes; }
    int GetCancelFlag() const { return m_cancel.load(); }
    // The owner may set it from another thread to stop a copy after the current file.
    void SetCancelFlag(int cancel) { m_cancel.store(cancel); }

private:
    std::wstring m_root;
    std::uint64_t m_copiedBytes = 0;
    std::atomic<int> m_cancel{0};
    FileFilter m_filter = nullptr;
    std::uint32_t m_context[4] = {0, 0, 0, 0};
};
