#include "core/ZVFolderInfo.h"

#include <filesystem>

namespace {

constexpr wchar_t kSeparator = static_cast<wchar_t>(std::filesystem::path::preferred_separator);

// Stored paths may carry either separator.
bool IsSeparator(wchar_t c) {
    return c == L'/' || c == L'\\';
}

}  // namespace

ZVFolderInfo::ZVFolderInfo(std::wstring path, std::uint64_t totalSize, std::int32_t board)
    : m_totalSize(totalSize), m_path(std::move(path)), m_board(board) {}

void ZVFolderInfo::SetCounts(std::uint64_t totalSize, std::uint64_t fileCount) {
    m_totalSize = totalSize;
    m_fileCount = fileCount;
}

std::wstring ZVFolderInfo::GetDisplayName() const {
    std::wstring name = m_path;
    if (m_board != 0) {
        if (name.empty() || !IsSeparator(name.back())) {
            name += kSeparator;
        }
        name += L"Board" + std::to_wstring(m_board);
    }
    return name;
}

std::wstring ZVFolderInfo::GetFolderName(int mode) const {
    std::size_t end = m_path.size();
    while (end > 0 && IsSeparator(m_path[end - 1])) {
        --end;
    }
    std::size_t start = end;
    while (start > 0 && !IsSeparator(m_path[start - 1])) {
        --start;
    }
    std::wstring name = m_path.substr(start, end - start);
    if (m_board != 0) {
        if (mode == 0) {
            name += L"--板卡" + std::to_wstring(m_board);
        } else if (mode == 1) {
            name += kSeparator + (L"Board" + std::to_wstring(m_board));
        }
    }
    return name;
}
