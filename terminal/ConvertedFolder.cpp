#include "terminal/ConvertedFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/PrivateProfile.h"

namespace fs = std::filesystem;

namespace converted {

namespace {

constexpr const wchar_t* kMarkerName = L"converted.ini";
WriteProbe g_Probe = nullptr;

std::uint64_t Fnv1a(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

fs::path Absolute(const fs::path& folder)
{
    std::error_code error;
    fs::path path = fs::weakly_canonical(folder, error);
    if (error) {
        path = fs::absolute(folder, error);
    }
    std::string text = platform::PathToUtf8(path);
    while (text.size() > 1 && text.back() == '/') {
        text.pop_back();
    }
    return platform::ToPath(std::string_view(text));
}

bool RealProbe(const fs::path& folder)
{
    std::string name = platform::PathToUtf8(folder / ".ondrava-write-XXXXXX");
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(name.c_str());
    return true;
}

// What the user can be told of a folder that could not be made.
int ResultOfError(int error)
{
    switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
        return kConvertReadOnly;
    case ENOSPC:
    case EDQUOT:
        return kConvertDiskFull;
    case ENAMETOOLONG:
        return kConvertPathTooLong;
    default:
        return kConvertIoFailure;
    }
}

int RunConverter(const fs::path& itemFolder, const fs::path& statisticFolder,
                 const std::function<IDataTransform*()>& makeConverter, TransProgressCallback progress)
{
    IDataTransform* converter = makeConverter ? makeConverter() : nullptr;
    if (converter == nullptr) {
        return -1;
    }
    const std::wstring output = platform::FromPath(itemFolder);
    if (converter->SetPath(output) == 1) {
        // Marked only: the old item files go once their replacements are written.
        converter->DeleteDataFiles(output);
    }
    converter->SetProgressCallback(progress);
    const int code = converter->Convert(platform::FromPath(statisticFolder));
    converter->Release();
    return code;
}

}  // namespace

fs::path CacheRoot()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') {
        return platform::ToPath(std::string_view(cache)) / "ondrava";
    }
    const char* home = std::getenv("HOME");
    return platform::ToPath(std::string_view(home != nullptr && home[0] != '\0' ? home : "/tmp")) / ".cache" /
           "ondrava";
}

fs::path CacheFolderOf(const fs::path& terminalFolder)
{
    const fs::path absolute = Absolute(terminalFolder);
    std::string name = platform::PathToUtf8(absolute.filename());
    // A readable hint of the folder; the hash keeps folders of one name apart.
    for (char& c : name) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) {
            c = '_';
        }
    }
    if (name.size() > 64) {
        name.resize(64);
    }
    char hash[20];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(Fnv1a(platform::PathToUtf8(absolute))));
    return CacheRoot() / platform::ToPath(std::string_view(name + "-" + hash));
}

std::optional<fs::path> CachedItemFolder(const fs::path& terminalFolder)
{
    const fs::path folder = CacheFolderOf(terminalFolder);
    const std::optional<std::wstring> source =
        platform::ProfileGetString(folder / platform::ToPath(std::wstring(kMarkerName)), L"data_convert", L"source");
    const std::optional<std::wstring> done =
        platform::ProfileGetString(folder / platform::ToPath(std::wstring(kMarkerName)), L"data_convert", L"pre_convert");
    if (!source || !done || *done != L"1" || *source != platform::FromPath(Absolute(terminalFolder))) {
        return std::nullopt;
    }
    return folder / "newfiles";
}

bool CanWriteInto(const fs::path& folder)
{
    return g_Probe != nullptr ? g_Probe(folder) : RealProbe(folder);
}

void SetWriteProbe(WriteProbe probe)
{
    g_Probe = probe;
}

int ConvertInto(const fs::path& terminalFolder, const fs::path& itemFolder,
                const std::function<IDataTransform*()>& makeConverter, TransProgressCallback progress,
                fs::path& usedFolder)
{
    const fs::path statisticFolder = platform::ResolveNoCase(terminalFolder, L"Statistic");
    std::error_code error;
    fs::create_directories(itemFolder, error);
    int code = kConvertReadOnly;
    if (!error && CanWriteInto(itemFolder)) {
        code = RunConverter(itemFolder, statisticFolder, makeConverter, progress);
        if (code == kConvertOk) {
            usedFolder = itemFolder;
            return code;
        }
        if (code != kConvertReadOnly && code != kConvertDiskFull && code != kConvertPathTooLong) {
            return code;
        }
    } else if (error) {
        code = ResultOfError(error.value());
    }

    // The folder cannot take the item files: the user's cache can.
    const fs::path cache = CacheFolderOf(terminalFolder);
    const fs::path cacheItems = cache / "newfiles";
    const fs::path marker = cache / platform::ToPath(std::wstring(kMarkerName));
    fs::remove(marker, error);
    error.clear();
    fs::create_directories(cacheItems, error);
    if (error) {
        return ResultOfError(error.value());
    }
    if (!CanWriteInto(cacheItems)) {
        return kConvertReadOnly;
    }
    code = RunConverter(cacheItems, statisticFolder, makeConverter, progress);
    if (code != kConvertOk) {
        return code;
    }
    if (!platform::ProfileWriteStrings(marker, {{L"data_convert", L"source", platform::FromPath(Absolute(terminalFolder))},
                                                {L"data_convert", L"pre_convert", L"1"}})) {
        return ResultOfError(errno);
    }
    usedFolder = cacheItems;
    return kConvertOk;
}

}  // namespace converted
