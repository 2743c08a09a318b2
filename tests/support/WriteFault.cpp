#include "tests/support/WriteFault.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct Fault {
    std::string folder;  // with a trailing '/'
    testsupport::WriteFault::Kind kind;
    std::atomic<std::uint64_t> bytesLeft;
    std::atomic<std::uint64_t> failures{0};
};

std::atomic<Fault*> g_fault{nullptr};

ssize_t RealWrite(int fd, const void* bytes, std::size_t count) {
    return static_cast<ssize_t>(::syscall(SYS_write, fd, bytes, count));
}

// Whether the descriptor is a regular file below the folder.
bool IsBelow(int fd, const std::string& folder) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    char target[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t size = ::readlink(link.c_str(), target, sizeof target - 1);
    return size > 0 && std::string(target, static_cast<std::size_t>(size)).starts_with(folder);
}

}  // namespace

// Every write of the program comes here first; without a fault it is the system's.
extern "C" ssize_t write(int fd, const void* bytes, std::size_t count) {
    Fault* fault = g_fault.load();
    if (fault == nullptr || count == 0 || !IsBelow(fd, fault->folder)) {
        return RealWrite(fd, bytes, count);
    }
    std::uint64_t left = fault->bytesLeft.load();
    if (left > 0) {
        const std::size_t passed = count < left ? count : static_cast<std::size_t>(left);
        fault->bytesLeft.fetch_sub(passed);
        return RealWrite(fd, bytes, passed);
    }
    ++fault->failures;
    if (fault->kind == testsupport::WriteFault::Kind::Kill) {
        ::raise(SIGKILL);
    }
    errno = ENOSPC;
    return -1;
}

namespace testsupport {

WriteFault::WriteFault(const std::filesystem::path& folder, Kind kind, std::uint64_t bytesBefore) {
    std::error_code error;
    std::string canonical = std::filesystem::weakly_canonical(folder, error).string();
    if (canonical.empty() || canonical.back() != '/') {
        canonical += '/';
    }
    g_fault.store(new Fault{canonical, kind, bytesBefore});
}

WriteFault::~WriteFault() { delete g_fault.exchange(nullptr); }

std::uint64_t WriteFault::Failures() const {
    const Fault* fault = g_fault.load();
    return fault != nullptr ? fault->failures.load() : 0;
}

}  // namespace testsupport
