#include "lib/tables/TableFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <signal.h>
#include <string_view>
#include <system_error>
#include <unistd.h>
#include <utility>

#include "platform/base/Encoding.h"

namespace tabulist {

namespace {

constexpr int kMaxCopies = 1000;
// Table files have always been named within 1024 bytes; a longer name is refused
// rather than written where tools that keep such names could not follow it.
constexpr std::size_t kMaxNameBytes = 1023;
// Temporaries are named ".~Tabulist<process id>-<number>.tmp": hidden, never the
// name of a table, and telling which process writes them.
constexpr std::string_view kTemporaryPrefix = ".~Tabulist";
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr int kTemporaryAttempts = 100;

std::string Utf8Path(const std::wstring& path) { return platform::PathToUtf8(platform::ToPath(std::wstring_view(path))); }

// The process that wrote a temporary of ours, or nothing for any other name.
std::optional<pid_t> WriterOfTemporary(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return std::nullopt;
    }
    name = name.substr(kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
    if (error != std::errc() || end != name.data() + dash || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

// Removes the temporaries in the folder whose writing process is gone: a save that
// was killed leaves its temporary behind.
void RemoveStaleTemporaries(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::optional<pid_t> writer = WriterOfTemporary(platform::PathToUtf8(it->path().filename()));
        if (writer && ::kill(*writer, 0) != 0 && errno == ESRCH) {
            ::unlink(platform::PathToUtf8(it->path()).c_str());
        }
    }
}

// Renames `from` to `to` only when `to` does not exist; 0 or the errno. Where the
// file system cannot refuse to replace by itself, a hard link does it, and where
// it has no hard links either (FAT drives) the name is looked for first.
int MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return errno;
    }
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) {
        return errno;
    }
    if (::access(to.c_str(), F_OK) == 0) {
        return EEXIST;
    }
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

std::optional<CTableFile> CTableFile::Create(const std::wstring& stem, const std::wstring& extension, int& error) {
    // The system takes a name only up to a NUL: the file would be made under another
    // name than the one handed back.
    if (stem.find(L'\0') != std::wstring::npos || extension.find(L'\0') != std::wstring::npos) {
        error = EINVAL;
        return std::nullopt;
    }
    const std::filesystem::path target = platform::ToPath(std::wstring_view(stem + extension));
    if (platform::PathToUtf8(target).size() > kMaxNameBytes) {
        error = ENAMETOOLONG;
        return std::nullopt;
    }
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveStaleTemporaries(folder);
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::string temporary =
            platform::PathToUtf8(folder / (std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
                                           std::to_string(counter.fetch_add(1)) + std::string(kTemporarySuffix)));
        const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            return CTableFile(descriptor, temporary, stem, extension);
        }
        if (errno != EEXIST) {
            error = errno;
            return std::nullopt;
        }
    }
    error = EEXIST;
    return std::nullopt;
}

CTableFile::CTableFile(int descriptor, std::string temporary, std::wstring stem, std::wstring extension)
    : m_descriptor(descriptor),
      m_temporary(std::move(temporary)),
      m_stem(std::move(stem)),
      m_extension(std::move(extension)) {
    m_buffer.resize(kChunk);
}

CTableFile::CTableFile(CTableFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)),
      m_temporary(std::exchange(other.m_temporary, {})),
      m_stem(std::move(other.m_stem)),
      m_extension(std::move(other.m_extension)),
      m_path(std::move(other.m_path)),
      m_buffer(std::move(other.m_buffer)),
      m_used(other.m_used),
      m_error(other.m_error) {}

CTableFile::~CTableFile() { Discard(); }

bool CTableFile::Fail(int error) {
    if (m_error == 0) {
        m_error = error != 0 ? error : EIO;
    }
    return false;
}

char* CTableFile::ClaimAfterFlush(std::size_t bytes) {
    if (!Flush()) {
        return nullptr;
    }
    if (m_buffer.size() < bytes) {
        m_buffer.resize(bytes);
    }
    return m_buffer.data();
}

bool CTableFile::Append(std::string_view bytes) {
    char* out = Claim(bytes.size());
    if (out == nullptr) {
        return false;
    }
    std::memcpy(out, bytes.data(), bytes.size());
    Commit(out + bytes.size());
    return true;
}

bool CTableFile::Flush() {
    std::string_view rest(m_buffer.data(), m_used);
    m_used = 0;
    while (m_error == 0 && !rest.empty()) {
        const ssize_t written = ::write(m_descriptor, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write that takes nothing without an error: the disk is full.
            return Fail(written < 0 ? errno : ENOSPC);
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return m_error == 0;
}

bool CTableFile::Finish() {
    if (m_descriptor < 0 || !Flush()) {
        Discard();
        return Fail(EBADF);
    }
    if (::fsync(m_descriptor) != 0) {
        Fail(errno);
    }
    if (::close(std::exchange(m_descriptor, -1)) != 0) {
        Fail(errno);
    }
    if (m_error != 0 || !TakeName()) {
        Discard();
        return false;
    }
    return true;
}

bool CTableFile::TakeName() {
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        std::wstring path = m_stem;
        if (copy > 1) {
            path += L"(" + std::to_wstring(copy) + L")";
        }
        path += m_extension;
        const std::string name = Utf8Path(path);
        if (name.size() > kMaxNameBytes) {
            return Fail(ENAMETOOLONG);
        }
        const int error = MoveWithoutReplacing(m_temporary, name);
        if (error == 0) {
            m_temporary.clear();
            m_path = std::move(path);
            return true;
        }
        if (error != EEXIST) {
            return Fail(error);
        }
    }
    return Fail(EEXIST);
}

void CTableFile::Discard() {
    if (m_descriptor >= 0) {
        ::close(std::exchange(m_descriptor, -1));
    }
    if (!m_temporary.empty()) {
        ::unlink(std::exchange(m_temporary, {}).c_str());
    }
}

}  // namespace tabulist
