#pragma once
// MappedRegion: a stretch of a file mapped read-only into memory. The pages belong to
// the system's file cache, so the memory they take is the cache's and is given back
// under pressure instead of being a private copy of the file. The stretch is cut to
// the file's size when it is mapped: bytes the file does not hold are never mapped,
// so reading inside size() never touches a page past the end of the file (which
// would stop the process). Unmapped when the object goes.

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace platform {

class MappedRegion {
public:
    MappedRegion() = default;
    ~MappedRegion();
    MappedRegion(MappedRegion&& other) noexcept;
    MappedRegion& operator=(MappedRegion&& other) noexcept;
    MappedRegion(const MappedRegion&) = delete;
    MappedRegion& operator=(const MappedRegion&) = delete;

    // Maps up to `length` bytes of `path` from `offset`, cut to what the file holds.
    // A file that cannot be opened, or holds nothing from `offset` on, gives an empty
    // region; OpenFailed() or MapFailed() then tells why.
    static MappedRegion Map(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t length);

    const unsigned char* Data() const { return m_Data; }
    std::size_t Size() const { return m_Size; }
    bool OpenFailed() const { return m_OpenFailed; }
    // The file holds the bytes but the system gave no mapping (address space or
    // mapping count exhausted).
    bool MapFailed() const { return m_MapFailed; }

private:
    void Release() noexcept;

    void* m_Base = nullptr;  // page-aligned start of the mapping
    std::size_t m_Length = 0;  // mapped bytes from m_Base
    const unsigned char* m_Data = nullptr;
    std::size_t m_Size = 0;
    bool m_OpenFailed = false;
    bool m_MapFailed = false;
};

}  // namespace platform
