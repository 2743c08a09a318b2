// The INI engine: an INI file in any bytes, and keys to write into it. A read never
// fails on it; a write either lands whole, so that every key reads back as written,
// or is refused with the file byte for byte as it was.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/PrivateProfile.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

// The entries: UTF-8 fields separated by 0x1F, three to an entry.
std::vector<platform::ProfileEntry> Entries(const std::string& text) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\x1f', start)) != std::string::npos; start = end + 1) {
        fields.push_back(platform::Utf8ToWide(text.substr(start, end - start)));
    }
    fields.push_back(platform::Utf8ToWide(text.substr(start)));
    std::vector<platform::ProfileEntry> entries;
    for (std::size_t i = 0; i + 3 <= fields.size() && entries.size() < 8; i += 3) {
        entries.push_back({fields[i], fields[i + 1], fields[i + 2]});
    }
    return entries;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring Trimmed(std::wstring text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.erase(text.begin());
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.pop_back();
    }
    return text;
}

// What a read gives for a written value: blanks around it trimmed, one pair of quotes taken off.
std::wstring AsRead(std::wstring value) {
    value = Trimmed(std::move(value));
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Section and key as the engine compares them.
struct NameOrder {
    bool operator()(const std::pair<std::wstring, std::wstring>& a,
                    const std::pair<std::wstring, std::wstring>& b) const {
        const int section = platform::CompareNoCase(a.first, b.first);
        return section != 0 ? section < 0 : platform::CompareNoCase(a.second, b.second) < 0;
    }
};

std::pair<std::wstring, std::wstring> Name(const platform::ProfileEntry& entry) {
    return {Trimmed(entry.section), Trimmed(entry.key)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    const auto files = fuzz::SplitFiles(std::string_view(reinterpret_cast<const char*>(data), size), 2);
    const std::string original = files[0].value_or(std::string());
    const std::vector<platform::ProfileEntry> entries = Entries(files[1].value_or(std::string()));

    const platform::ProfileSnapshot snapshot(original);
    for (const platform::ProfileEntry& entry : entries) {
        (void)snapshot.Get(entry.section, entry.key);
    }

    folder.Fresh();
    const std::filesystem::path file = folder.Input() / "settings.ini";
    folder.Write("settings.ini", original);

    CIni ini(platform::FromPath(file));
    for (const platform::ProfileEntry& entry : entries) {
        (void)ini.GetUInt(entry.section.c_str(), entry.key.c_str(), 7, 16);
        (void)ini.GetUInt(entry.section.c_str(), entry.key.c_str(), 7);
        (void)ini.GetDouble(entry.section.c_str(), entry.key.c_str(), 1.5);
        (void)ini.GetBool(entry.section.c_str(), entry.key.c_str(), 1);
        wchar_t buffer[8];
        (void)ini.ReadToBuffer(entry.section.c_str(), entry.key.c_str(), buffer, std::size(buffer), L"none");
    }

    if (ini.WriteStrings(entries) == 0) {
        if (platform::ReadFileBytes(file) != original) {
            fuzz::PropertyBroken("INI", "a refused write changed the file");
        }
        return 0;
    }
    // The last value written for a key is the one read.
    std::map<std::pair<std::wstring, std::wstring>, std::wstring, NameOrder> expected;
    for (const platform::ProfileEntry& entry : entries) {
        expected[Name(entry)] = AsRead(entry.value);
    }
    for (const platform::ProfileEntry& entry : entries) {
        const auto read = platform::ProfileGetString(file, entry.section, entry.key);
        const auto wanted = expected.find(Name(entry));
        if (!read || *read != wanted->second) {
            fuzz::PropertyBroken("INI", "a written key does not read back as written");
        }
    }
    return 0;
}
