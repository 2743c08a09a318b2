#pragma once
// The user's profile: the settings the program keeps per user rather than beside
// the program (the theme, the recent files). An INI file, "profile.ini", in the
// folder "ondrava" of the user's configuration folder ($XDG_CONFIG_HOME, else
// ~/.config), written atomically. Missing file, section or key: the default.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace ui {

// Empty when neither $XDG_CONFIG_HOME nor $HOME gives a folder.
std::filesystem::path ProfileFile();

int GetProfileInt(const std::wstring& section, const std::wstring& key, int defaultValue);
bool WriteProfileInt(const std::wstring& section, const std::wstring& key, int value);
std::wstring GetProfileString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue);
bool WriteProfileString(const std::wstring& section, const std::wstring& key, const std::wstring& value);

// The recent-file list: section "Recent File List", keys "File1" (newest) to
// "File<n>".
class RecentFileList {
public:
    explicit RecentFileList(std::size_t capacity) : m_capacity(capacity) {}

    void Load();
    bool Save() const;
    // Puts the file first (once), dropping the oldest beyond the capacity.
    void Add(const std::wstring& file);
    void Remove(std::size_t index);
    const std::vector<std::wstring>& Files() const { return m_files; }

private:
    std::size_t m_capacity;
    std::vector<std::wstring> m_files;
};

}  // namespace ui
