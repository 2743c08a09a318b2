#include "lib/tables/TableFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

}  // namespace

std::optional<CTableFile> CTableFile::Create(const std::wstring& stem, const std::wstring& extension) {
    // The system takes a name only up to a NUL: the file would be made under another
    // name than the one handed back.
    if (stem.find(L'\0') != std::wstring::npos || extension.find(L'\0') != std::wstring::npos) {
        return std::nullopt;
    }
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        std::wstring path = stem;
        if (copy > 1) {
            path += L"(" + std::to_wstring(copy) + L")";
        }
        path += extension;
        const std::string name = platform::PathToUtf8(platform::ToPath(std::wstring_view(path)));
        if (name.size() > kMaxNameBytes) {
            return std::nullopt;
        }
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            return CTableFile(descriptor, std::move(path));
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

CTableFile::CTableFile(int descriptor, std::wstring path) : m_descriptor(descriptor), m_path(std::move(path)) {
    m_buffer.resize(kChunk);
}

CTableFile::CTableFile(CTableFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)),
      m_path(std::move(other.m_path)),
      m_buffer(std::move(other.m_buffer)),
      m_used(other.m_used),
      m_failed(other.m_failed) {}

CTableFile::~CTableFile() { Discard(); }

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
    while (!m_failed && !rest.empty()) {
        const ssize_t written = ::write(m_descriptor, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_failed = true;
            break;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    m_used = 0;
    return !m_failed;
}

bool CTableFile::Finish() {
    if (m_descriptor < 0) {
        return false;
    }
    const bool flushed = Flush();
    const bool closed = ::close(std::exchange(m_descriptor, -1)) == 0;
    if (!flushed || !closed) {
        std::error_code ignored;
        std::filesystem::remove(platform::ToPath(std::wstring_view(m_path)), ignored);
        return false;
    }
    return true;
}

void CTableFile::Discard() {
    if (m_descriptor < 0) {
        return;
    }
    ::close(std::exchange(m_descriptor, -1));
    std::error_code ignored;
    std::filesystem::remove(platform::ToPath(std::wstring_view(m_path)), ignored);
}

}  // namespace tabulist
