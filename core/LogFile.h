#pragma once
// CLogFile: an append-only UTF-8 text file of dated lines, "%Y-%m-%d  %H:%M:%S >> "
// then the text and CR LF. Each line goes out in one write under a lock, so lines
// from several threads never interleave. The file is opened once, created when
// missing, never truncated, and held against other writers: when it cannot be
// opened or another process holds it, every write is ignored.

#include <filesystem>
#include <mutex>
#include <string_view>

class CLogFile {
public:
    explicit CLogFile(const std::filesystem::path& file);
    ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    bool IsOpen() const;
    void Write(std::wstring_view message);
    // Closes the file; later writes are ignored.
    void Close();

private:
    mutable std::mutex m_lock;
    int m_fd = -1;
};
