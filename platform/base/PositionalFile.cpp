#include "platform/base/PositionalFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

PositionalFile::PositionalFile(const std::filesystem::path& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}

PositionalFile::~PositionalFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::size_t PositionalFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) const {
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

std::uint64_t PositionalFile::Size() const {
    struct stat status {};
    return m_fd >= 0 && ::fstat(m_fd, &status) == 0 && status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size)
                                                                          : 0;
}

}  // namespace platform
