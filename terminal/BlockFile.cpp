#include "terminal/BlockFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

BlockFile::BlockFile(const std::filesystem::path& path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

BlockFile::~BlockFile()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::size_t BlockFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const
{
    if (m_fd < 0) {
        return 0;
    }
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(m_fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}
