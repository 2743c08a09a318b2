#include "tools/gen/IniDocument.h"

#include <algorithm>
#include <system_error>

#include "platform/base/FileSystem.h"

namespace gen {

IniDocument& IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    auto found = std::find_if(m_sections.begin(), m_sections.end(), [&](const Section& s) { return s.name == section; });
    if (found == m_sections.end()) {
        m_sections.push_back({std::wstring(section), {}});
        found = std::prev(m_sections.end());
    }
    auto entry = std::find_if(found->keys.begin(), found->keys.end(), [&](const auto& k) { return k.first == key; });
    if (entry == found->keys.end()) {
        found->keys.emplace_back(std::wstring(key), std::wstring(value));
    } else {
        entry->second = value;
    }
    return *this;
}

IniDocument& IniDocument::SetInt(std::wstring_view section, std::wstring_view key, std::int64_t value) {
    return Set(section, key, std::to_wstring(value));
}

bool IniDocument::Remove(std::wstring_view section, std::wstring_view key) {
    for (Section& s : m_sections) {
        if (s.name != section) {
            continue;
        }
        const auto entry = std::find_if(s.keys.begin(), s.keys.end(), [&](const auto& k) { return k.first == key; });
        if (entry != s.keys.end()) {
            s.keys.erase(entry);
            return true;
        }
    }
    return false;
}

std::optional<std::wstring> IniDocument::Get(std::wstring_view section, std::wstring_view key) const {
    for (const Section& s : m_sections) {
        for (const auto& [name, value] : s.keys) {
            if (s.name == section && name == key) {
                return value;
            }
        }
    }
    return std::nullopt;
}

std::wstring IniDocument::Text(LineEnd lineEnd) const {
    const std::wstring_view end = lineEnd == LineEnd::CrLf ? L"\r\n" : L"\n";
    std::wstring text;
    for (const Section& s : m_sections) {
        text.append(L"[").append(s.name).append(L"]").append(end);
        for (const auto& [key, value] : s.keys) {
            text.append(key).append(L"=").append(value).append(end);
        }
    }
    return text;
}

std::optional<std::string> IniDocument::Bytes(const FileFormat& format) const {
    return platform::Encode(Text(format.lineEnd), format.encoding);
}

bool IniDocument::Write(const std::filesystem::path& file, const FileFormat& format) const {
    const std::optional<std::string> bytes = Bytes(format);
    if (!bytes) {
        return false;
    }
    std::error_code error;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    return !error && platform::AtomicWriteFile(file, *bytes);
}

}  // namespace gen
