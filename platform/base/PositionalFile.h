#pragma once
// A file opened for reading at explicit offsets, so that several readers of one
// file never share a position. Closed when the object goes.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace platform {

class PositionalFile {
public:
    explicit PositionalFile(const std::filesystem::path& path);
    ~PositionalFile();
    PositionalFile(const PositionalFile&) = delete;
    PositionalFile& operator=(const PositionalFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Reads up to `size` bytes at `offset`; the number read, fewer only at the end of
    // the file or on an error.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;
    // Size in bytes; 0 when it cannot be told.
    std::uint64_t Size() const;

private:
    int m_fd = -1;
};

}  // namespace platform
