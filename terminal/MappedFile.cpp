#include "terminal/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

CMappedFile::~CMappedFile()
{
    Close();
}

bool CMappedFile::Open(const std::filesystem::path& file)
{
    Close();
    m_Fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_Fd < 0) {
        m_Error = errno;
        return false;
    }
    struct stat status {};
    if (::fstat(m_Fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        m_Error = !S_ISREG(status.st_mode) ? (S_ISDIR(status.st_mode) ? EISDIR : EINVAL) : errno;
        Close();
        return false;
    }
    m_Size = static_cast<std::uint64_t>(status.st_size);
    m_Error = 0;
    return true;
}

void CMappedFile::Close()
{
    Unmap();
    if (m_Fd >= 0) {
        ::close(m_Fd);
        m_Fd = -1;
    }
    m_Size = 0;
}

void CMappedFile::Unmap()
{
    if (m_Window != nullptr) {
        ::munmap(m_Window, m_WindowLength);
        m_Window = nullptr;
    }
    m_WindowOffset = 0;
    m_WindowLength = 0;
}

const std::uint8_t* CMappedFile::Map(std::uint64_t offset, std::uint64_t length)
{
    if (m_Fd < 0 || length == 0 || offset > m_Size || length > m_Size - offset) {
        return nullptr;
    }
    const std::uint64_t end = offset + length;
    if (m_Window == nullptr || offset < m_WindowOffset || end > m_WindowOffset + m_WindowLength) {
        Unmap();
        const std::uint64_t start = offset / kGranularity * kGranularity;
        std::uint64_t windowLength = (end - start + kGranularity - 1) / kGranularity * kGranularity;
        if (windowLength > m_Size - start) {
            windowLength = m_Size - start;
        }
        void* window = ::mmap(nullptr, windowLength, PROT_READ, MAP_SHARED, m_Fd, static_cast<off_t>(start));
        if (window == MAP_FAILED) {
            m_Error = errno;
            return nullptr;
        }
        m_Window = window;
        m_WindowOffset = start;
        m_WindowLength = windowLength;
    }
    return static_cast<const std::uint8_t*>(m_Window) + (offset - m_WindowOffset);
}

bool CMappedFile::ReadAt(std::uint64_t offset, void* destination, std::size_t length)
{
    if (m_Fd < 0) {
        return false;
    }
    auto* out = static_cast<std::uint8_t*>(destination);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_Fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            m_Error = got < 0 ? errno : 0;
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}
