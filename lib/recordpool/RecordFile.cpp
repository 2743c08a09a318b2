#include "lib/recordpool/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace sampolyx {

std::shared_ptr<CRecordFile> CRecordFile::Open(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    return std::shared_ptr<CRecordFile>(new CRecordFile(fd));
}

CRecordFile::~CRecordFile()
{
    ::close(m_fd);
}

bool CRecordFile::ReadAt(std::uint64_t offset, void* bytes, std::size_t size) const
{
    return ReadSome(offset, bytes, size) == size;
}

std::size_t CRecordFile::ReadSome(std::uint64_t offset, void* bytes, std::size_t size) const
{
    auto* at = static_cast<char*>(bytes);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(m_fd, at + done, size - done, static_cast<off_t>(offset + done));
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

std::uint64_t CRecordFile::Size() const
{
    struct stat status {};
    return ::fstat(m_fd, &status) == 0 && status.st_size > 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

}  // namespace sampolyx
