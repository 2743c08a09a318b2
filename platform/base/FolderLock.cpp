#include "platform/base/FolderLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FolderLock::~FolderLock() { Release(); }

bool FolderLock::Hold(const std::filesystem::path& folder) {
    Release();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    m_fd = fd;
    m_folder = folder;
    return true;
}

void FolderLock::Release() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_folder.clear();
}

bool FolderLock::StillPresent() const {
    if (m_fd < 0) {
        return false;
    }
    struct stat held {};
    struct stat named {};
    if (::fstat(m_fd, &held) != 0 || ::stat(m_folder.c_str(), &named) != 0) {
        return false;
    }
    // A removed folder keeps its inode while we hold it, but its link count drops
    // to zero and its path leads elsewhere or nowhere.
    return held.st_nlink > 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace platform
