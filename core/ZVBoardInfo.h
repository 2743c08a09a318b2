#pragma once
// CZVBoardInfo: one file found by CFileManager::CollectFileTimes, with its times
// as seconds since 1970 (the creation time is the file system's birth time where
// it keeps one, else the last-write time).

#include <cstdint>
#include <string>

struct CZVBoardInfo {
    std::int64_t m_creationTime = 0;
    std::int64_t m_lastWriteTime = 0;
    std::wstring m_fullPath;
    std::wstring m_fileName;
};
