#include "platform/base/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cwctype>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/base/Encoding.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') {
        return static_cast<wchar_t>(c - L'A' + L'a');
    }
    return c < 0x80 ? c : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
}

std::vector<std::wstring> SplitRelative(std::wstring_view relative) {
    std::vector<std::wstring> parts;
    std::wstring current;
    for (wchar_t c : relative) {
        if (c == L'/' || c == L'\\') {
            if (!current.empty()) {
                parts.push_back(std::move(current));
                current.clear();
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(std::move(current));
    }
    return parts;
}

}  // namespace

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const wchar_t x = FoldCase(a[i]);
        const wchar_t y = FoldCase(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool NamesEqualNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

std::vector<fs::directory_entry> ListSorted(const fs::path& folder) {
    std::vector<std::pair<std::wstring, fs::directory_entry>> named;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        named.emplace_back(FromPath(it->path().filename()), *it);
    }
    std::sort(named.begin(), named.end(), [](const auto& x, const auto& y) {
        const int order = CompareNoCase(x.first, y.first);
        return order != 0 ? order < 0 : x.first < y.first;
    });
    std::vector<fs::directory_entry> entries;
    entries.reserve(named.size());
    for (auto& item : named) {
        entries.push_back(std::move(item.second));
    }
    return entries;
}

std::optional<fs::path> FindNoCase(const fs::path& folder, std::wstring_view name) {
    std::error_code error;
    const fs::path exact = folder / ToPath(name);
    if (fs::exists(exact, error)) {
        return exact;
    }
    for (const auto& entry : ListSorted(folder)) {
        if (NamesEqualNoCase(FromPath(entry.path().filename()), name)) {
            return entry.path();
        }
    }
    return std::nullopt;
}

fs::path ResolveNoCase(const fs::path& base, std::wstring_view relative) {
    fs::path current = base;
    bool exists = true;
    for (const std::wstring& part : SplitRelative(relative)) {
        if (exists) {
            if (auto found = FindNoCase(current, part)) {
                current = *found;
                continue;
            }
            exists = false;
        }
        current /= ToPath(part);
    }
    return current;
}

std::optional<std::string> ReadFileBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(bytes).str();
}

bool IsDiskFullError(int error) { return error == ENOSPC || error == EDQUOT; }

bool AtomicWriteFile(const fs::path& link, std::string_view bytes) {
    // A linked file is replaced where it lives, so the link stays a link.
    std::error_code error;
    fs::path file = link;
    if (fs::is_symlink(fs::symlink_status(link, error))) {
        const fs::path resolved = fs::weakly_canonical(link, error);
        if (!error) {
            file = resolved;
        }
    }
    // A file the user made read-only stays as it is, as it would under an in-place write.
    if (::access(PathToUtf8(file).c_str(), F_OK) == 0 && ::access(PathToUtf8(file).c_str(), W_OK) != 0) {
        return false;
    }
    // The temporary file is made with the usual mode, so the process umask applies;
    // the umask itself is never changed, since other threads create files meanwhile.
    static std::atomic<unsigned> counter{0};
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = PathToUtf8(folder / (PathToUtf8(file.filename()) + ".tmp-" + std::to_string(::getpid()) + "-" +
                                         std::to_string(counter.fetch_add(1))));
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    for (std::size_t written = 0; ok && written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        ok = n > 0;
        written += ok ? static_cast<std::size_t>(n) : 0;
    }
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (ok && ::stat(PathToUtf8(file).c_str(), &old) == 0) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) {
        ok = std::rename(temporary.c_str(), PathToUtf8(file).c_str()) == 0;
    }
    if (!ok) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
    }
    return ok;
}

}  // namespace platform
