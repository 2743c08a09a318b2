#include "waverecord/WaveExportFolder.h"

#include <cerrno>
#include <sys/stat.h>

#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// Tries a few hundred names before giving up: a folder full of exports of the same
// second is not worth more.
constexpr int kMaxAttempts = 500;

}  // namespace

std::wstring SanitizeWaveFileName(std::wstring_view text)
{
    std::wstring result;
    result.reserve(text.size());
    for (const wchar_t c : text) {
        const bool forbidden = c < 0x20 || c == 0x7F || IsSeparator(c) || c == L':' || c == L'*' || c == L'?' ||
                               c == L'"' || c == L'<' || c == L'>' || c == L'|';
        result += forbidden ? L'_' : c;
    }
    while (!result.empty() && (result.back() == L'.' || result.back() == L' ')) {
        result.pop_back();
    }
    return result.empty() ? std::wstring(L"_") : result;
}

std::wstring CWaveExportFolder::RecordName(const std::wstring& recordPath)
{
    std::size_t end = recordPath.size();
    while (end > 0 && IsSeparator(recordPath[end - 1])) {
        --end;
    }
    std::size_t begin = end;
    while (begin > 0 && !IsSeparator(recordPath[begin - 1])) {
        --begin;
    }
    return recordPath.substr(begin, end - begin);
}

std::wstring CWaveExportFolder::FolderName(const std::wstring& recordPath, std::time_t when)
{
    return SanitizeWaveFileName(RecordName(recordPath)) + platform::FormatLocalTime(when, L"_%Y-%m-%d_%H-%M-%S");
}

std::optional<std::wstring> CWaveExportFolder::Create(const std::wstring& baseFolder, const std::wstring& recordPath,
                                                      std::time_t when)
{
    std::wstring base = baseFolder;
    while (base.size() > 1 && IsSeparator(base.back())) {
        base.pop_back();
    }
    const std::wstring name = FolderName(recordPath, when);
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        std::wstring folder = base + L'/' + name;
        if (attempt > 1) {
            folder += L'(' + std::to_wstring(attempt) + L')';
        }
        // mkdir creates only a folder that does not exist yet: nothing is reused.
        if (::mkdir(platform::PathToUtf8(platform::ToPath(folder)).c_str(), 0777) == 0) {
            return folder;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}
