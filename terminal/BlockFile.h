#pragma once
// BlockFile: one statistic block file opened for reading (others may read it too),
// read at explicit offsets so that several readers of one file never share a
// position.

#include <cstddef>
#include <cstdint>
#include <filesystem>

class BlockFile {
public:
    explicit BlockFile(const std::filesystem::path& path);
    ~BlockFile();
    BlockFile(const BlockFile&) = delete;
    BlockFile& operator=(const BlockFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    // Reads up to `size` bytes at `offset`; the number of bytes read (short at the end
    // of the file or on an error).
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const;

private:
    int m_fd = -1;
};
