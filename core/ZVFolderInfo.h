#pragma once
// ZVFolderInfo: a terminal data folder as the download and selection lists show
// it: its path, the size and number of its files, and the board it belongs to.

#include <cstdint>
#include <string>

class ZVFolderInfo {
public:
    ZVFolderInfo() = default;
    // A folder with its total size; the file count starts at 0. Board 0 = none.
    ZVFolderInfo(std::wstring path, std::uint64_t totalSize, std::int32_t board = 0);
    ZVFolderInfo(const ZVFolderInfo&) = default;
    ZVFolderInfo& operator=(const ZVFolderInfo&) = default;
    virtual ~ZVFolderInfo() = default;

    std::uint64_t GetTotalSize() const { return m_totalSize; }
    std::uint64_t GetFileCount() const { return m_fileCount; }
    void SetCounts(std::uint64_t totalSize, std::uint64_t fileCount);
    const std::wstring& GetPath() const { return m_path; }
    std::int32_t GetBoard() const { return m_board; }

    // The path, and with a board its sub-folder "Board<n>" (one separator between).
    std::wstring GetDisplayName() const;
    // The last component of the path; with a board, mode 0 adds "--板卡<n>" and
    // mode 1 adds "/Board<n>". Other modes add nothing.
    std::wstring GetFolderName(int mode) const;

private:
    std::uint64_t m_totalSize = 0;
    std::uint64_t m_fileCount = 0;
    std::wstring m_path;
    std::int32_t m_board = 0;
};
