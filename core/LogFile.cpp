#include "core/LogFile.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

#include "core/TimeText.h"
#include "platform/base/Encoding.h"

namespace {
constexpr const wchar_t* kLinePrefix = L"%Y-%m-%d  %H:%M:%S >> ";
}

CLogFile::CLogFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    // Readers are welcome; a second writer (another instance of the program) is not.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    m_fd = fd;
}

CLogFile::~CLogFile() {
    Close();
}

bool CLogFile::IsOpen() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_fd >= 0;
}

void CLogFile::Write(std::wstring_view message) {
    std::string text = platform::WideToUtf8(message);
    text += "\r\n";

    std::lock_guard<std::mutex> hold(m_lock);
    if (m_fd < 0) {
        return;
    }
    // The time is read under the lock, so that the dates of the lines never go back.
    std::string line = platform::WideToUtf8(FormatTimeText(std::time(nullptr), kLinePrefix));
    line += text;
    // A failed write drops the rest of the line; the log never reports its own faults.
    for (std::size_t written = 0; written < line.size();) {
        const ssize_t n = ::write(m_fd, line.data() + written, line.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
}

void CLogFile::Close() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
