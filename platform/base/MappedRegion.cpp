#include "platform/base/MappedRegion.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <limits>
#include <utility>

namespace platform {

MappedRegion::~MappedRegion() { Release(); }

MappedRegion::MappedRegion(MappedRegion&& other) noexcept
    : m_Base(std::exchange(other.m_Base, nullptr)),
      m_Length(std::exchange(other.m_Length, 0)),
      m_Data(std::exchange(other.m_Data, nullptr)),
      m_Size(std::exchange(other.m_Size, 0)),
      m_OpenFailed(std::exchange(other.m_OpenFailed, false)),
      m_MapFailed(std::exchange(other.m_MapFailed, false)) {}

MappedRegion& MappedRegion::operator=(MappedRegion&& other) noexcept {
    if (this != &other) {
        Release();
        m_Base = std::exchange(other.m_Base, nullptr);
        m_Length = std::exchange(other.m_Length, 0);
        m_Data = std::exchange(other.m_Data, nullptr);
        m_Size = std::exchange(other.m_Size, 0);
        m_OpenFailed = std::exchange(other.m_OpenFailed, false);
        m_MapFailed = std::exchange(other.m_MapFailed, false);
    }
    return *this;
}

void MappedRegion::Release() noexcept {
    if (m_Base != nullptr) {
        ::munmap(m_Base, m_Length);
    }
    m_Base = nullptr;
    m_Length = 0;
    m_Data = nullptr;
    m_Size = 0;
}

MappedRegion MappedRegion::Map(const std::filesystem::path& path, std::uint64_t offset, std::uint64_t length) {
    MappedRegion region;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        region.m_OpenFailed = true;
        return region;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        region.m_OpenFailed = true;
        return region;
    }
    const auto fileSize = static_cast<std::uint64_t>(status.st_size);
    const std::uint64_t size = offset < fileSize ? std::min(length, fileSize - offset) : 0;
    if (size == 0) {
        ::close(fd);
        return region;
    }
    const auto page = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
    const std::uint64_t start = offset / page * page;
    const std::uint64_t mapped = offset - start + size;
    if (mapped > std::numeric_limits<std::size_t>::max() ||
        start > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        ::close(fd);
        region.m_MapFailed = true;
        return region;
    }
    void* base = ::mmap(nullptr, static_cast<std::size_t>(mapped), PROT_READ, MAP_SHARED, fd, static_cast<off_t>(start));
    ::close(fd);  // the mapping keeps the file
    if (base == MAP_FAILED) {
        region.m_MapFailed = true;
        return region;
    }
    region.m_Base = base;
    region.m_Length = static_cast<std::size_t>(mapped);
    region.m_Data = static_cast<const unsigned char*>(base) + (offset - start);
    region.m_Size = static_cast<std::size_t>(size);
    return region;
}

}  // namespace platform
