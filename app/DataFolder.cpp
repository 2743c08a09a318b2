#include "app/DataFolder.h"

#include <array>
#include <cwctype>
#include <limits>
#include <system_error>

#include "app/AppText.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

namespace fs = std::filesystem;

using apptext::WithSeparator;

bool HasFile(const fs::path& folder, const wchar_t* name) {
    std::error_code error;
    const auto found = platform::FindNoCase(folder, name);
    return found && fs::is_regular_file(*found, error);
}

bool EndsWithNoCase(const std::wstring& name, std::wstring_view suffix) {
    return name.size() >= suffix.size() &&
           platform::NamesEqualNoCase(std::wstring_view(name).substr(name.size() - suffix.size()), suffix);
}

using apptext::StartsWithNoCase;

// One "%d" of the version pattern: blanks, a sign, digits; nothing when no digit follows.
bool ReadNumber(const std::wstring& text, std::size_t& at, long long& value) {
    std::size_t i = at;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    if (i >= text.size() || text[i] < L'0' || text[i] > L'9') {
        return false;
    }
    long long number = 0;
    constexpr long long kLimit = std::numeric_limits<int>::max();
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        number = std::min(kLimit, number * 10 + (text[i] - L'0'));
    }
    value = negative ? -number : number;
    at = i;
    return true;
}

std::array<long long, 3> ReadVersion(const std::wstring& text) {
    std::array<long long, 3> fields{0, 0, 0};
    std::size_t at = 0;
    // Terminals write "V1.2.4"; some write the number alone.
    if (!text.empty() && (text[0] == L'V' || text[0] == L'v')) {
        ++at;
    }
    for (std::size_t field = 0; field < fields.size(); ++field) {
        if (field > 0) {
            if (at >= text.size() || text[at] != L'.') {
                break;
            }
            ++at;
        }
        if (!ReadNumber(text, at, fields[field])) {
            break;
        }
    }
    return fields;
}

}  // namespace

bool IsDataFolder(const std::wstring& folder) {
    if (folder.empty()) {
        return false;
    }
    const fs::path path = platform::ToPath(WithSeparator(folder));
    return HasFile(path, L"recordinfo.cfg") && HasFile(path, L"recordset.ini");
}

bool HasStatisticFiles(const std::wstring& folder) {
    if (folder.empty()) {
        return false;
    }
    bool data = false;
    bool cfg = false;
    std::error_code error;
    for (const auto& entry : platform::ListSorted(platform::ToPath(WithSeparator(folder)))) {
        if (!entry.is_regular_file(error)) {
            continue;
        }
        const std::wstring name = platform::FromPath(entry.path().filename());
        data = data || EndsWithNoCase(name, L".data");
        cfg = cfg || EndsWithNoCase(name, L".cfg");
    }
    return data && cfg;
}

bool FindDataFolder(std::wstring& folder) {
    if (IsDataFolder(folder)) {
        return true;
    }
    // "data/Statistic/" is inside "data", as "data/Statistic" is.
    const std::size_t end = folder.find_last_not_of(L"/\\");
    if (end == std::wstring::npos) {
        return false;
    }
    const std::size_t last = folder.find_last_of(L"/\\", end);
    if (last == std::wstring::npos) {
        return false;
    }
    std::wstring parent = folder.substr(0, last);
    if (!IsDataFolder(parent)) {
        return false;
    }
    folder = std::move(parent);
    return true;
}

bool FindBoardFolder(const std::wstring& folder, int mode) {
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    for (const auto& entry : platform::ListSorted(platform::ToPath(WithSeparator(folder)))) {
        const std::wstring name = platform::FromPath(entry.path().filename());
        if (!StartsWithNoCase(name, L"Board") || !entry.is_directory(error)) {
            continue;
        }
        const std::wstring board = WithSeparator(folder) + name;
        return mode == 0 ? IsDataFolder(board) : HasStatisticFiles(board);
    }
    return false;
}

std::map<int, std::wstring> FindBoards(const std::wstring& folder, int mode) {
    std::map<int, std::wstring> boards;
    if (folder.empty()) {
        return boards;
    }
    std::error_code error;
    for (const auto& entry : platform::ListSorted(platform::ToPath(WithSeparator(folder)))) {
        const std::wstring name = platform::FromPath(entry.path().filename());
        std::size_t at = 5;
        long long number = 0;
        if (!StartsWithNoCase(name, L"Board") || !ReadNumber(name, at, number) || number < 0 ||
            !entry.is_directory(error) || boards.count(static_cast<int>(number)) != 0) {
            continue;
        }
        const std::wstring board = WithSeparator(folder) + name;
        if (mode == 0 ? IsDataFolder(board) : HasStatisticFiles(board)) {
            boards.emplace(static_cast<int>(number), name);
        }
    }
    return boards;
}

int IsVersionAtLeast(const std::wstring& version, const std::wstring& minimum) {
    return ReadVersion(version) >= ReadVersion(minimum) ? 1 : 0;
}
