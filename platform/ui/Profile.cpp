#include "platform/ui/Profile.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <system_error>

#include "platform/base/Encoding.h"
#include "platform/base/PrivateProfile.h"

namespace ui {
namespace {

constexpr const wchar_t* kRecentSection = L"Recent File List";

std::wstring RecentKey(std::size_t index) { return L"File" + std::to_wstring(index + 1); }

}  // namespace

std::filesystem::path ProfileFile() {
    std::filesystem::path folder;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        folder = platform::ToPath(std::string_view(config));
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        folder = platform::ToPath(std::string_view(home)) / ".config";
    } else {
        return {};
    }
    return folder / "ondrava" / "profile.ini";
}

std::wstring GetProfileString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue) {
    const std::filesystem::path file = ProfileFile();
    if (file.empty()) {
        return defaultValue;
    }
    return platform::ProfileGetString(file, section, key).value_or(defaultValue);
}

bool WriteProfileString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    const std::filesystem::path file = ProfileFile();
    if (file.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return platform::ProfileWriteString(file, section, key, value);
}

int GetProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue) {
    const std::string text = platform::WideToUtf8(GetProfileString(section, key, std::wstring()));
    int value = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(begin, end, value);
    return (error == std::errc() && stop == end) ? value : defaultValue;
}

bool WriteProfileInt(const std::wstring& section, const std::wstring& key, int value) {
    return WriteProfileString(section, key, std::to_wstring(value));
}

void RecentFileList::Load() {
    m_files.clear();
    for (std::size_t i = 0; i < m_capacity; ++i) {
        const std::wstring file = GetProfileString(kRecentSection, RecentKey(i), std::wstring());
        if (!file.empty() && std::find(m_files.begin(), m_files.end(), file) == m_files.end()) {
            m_files.push_back(file);
        }
    }
}

bool RecentFileList::Save() const {
    bool saved = true;
    for (std::size_t i = 0; i < m_capacity; ++i) {
        saved = WriteProfileString(kRecentSection, RecentKey(i), i < m_files.size() ? m_files[i] : std::wstring()) &&
                saved;
    }
    return saved;
}

void RecentFileList::Add(const std::wstring& file) {
    if (file.empty() || m_capacity == 0) {
        return;
    }
    m_files.erase(std::remove(m_files.begin(), m_files.end(), file), m_files.end());
    m_files.insert(m_files.begin(), file);
    if (m_files.size() > m_capacity) {
        m_files.resize(m_capacity);
    }
}

void RecentFileList::Remove(std::size_t index) {
    if (index < m_files.size()) {
        m_files.erase(m_files.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

}  // namespace ui
