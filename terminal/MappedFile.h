#pragma once
// CMappedFile: a file opened read-only and mapped into memory, whole or a window at
// a time. Windows start at a multiple of the granularity and grow in whole
// granularity steps; a window that already covers a request is reused. The file is
// never copied; callers copy out what they keep before asking for another window.

#include <cstddef>
#include <cstdint>
#include <filesystem>

class CMappedFile {
public:
    // A multiple of the page size, as the windows of the terminal readers use it.
    static constexpr std::uint64_t kGranularity = 65536;

    CMappedFile() = default;
    ~CMappedFile();
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    // Opens the file for reading; false with LastError() set when it cannot be opened.
    bool Open(const std::filesystem::path& file);
    void Close();
    bool IsOpen() const { return m_Fd >= 0; }
    std::uint64_t Size() const { return m_Size; }
    // The system error of the last failed open, read or mapping.
    int LastError() const { return m_Error; }

    // The bytes [offset, offset + length) inside a mapped window; null when they do not
    // lie inside the file or the window cannot be mapped.
    const std::uint8_t* Map(std::uint64_t offset, std::uint64_t length);
    // Drops the current window.
    void Unmap();
    // Copies bytes through the file handle; false unless all of them were read.
    bool ReadAt(std::uint64_t offset, void* destination, std::size_t length);

private:
    int m_Fd = -1;
    std::uint64_t m_Size = 0;
    int m_Error = 0;
    void* m_Window = nullptr;
    std::uint64_t m_WindowOffset = 0;
    std::uint64_t m_WindowLength = 0;
};
