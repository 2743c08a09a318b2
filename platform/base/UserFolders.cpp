#include "platform/base/UserFolders.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? fs::path(std::u8string(value, value + std::char_traits<char>::length(value)))
                                              : fs::path();
}

fs::path ConfigFolder(const fs::path& home) {
    const fs::path config = FromEnvironment("XDG_CONFIG_HOME");
    return config.is_absolute() ? config : home / ".config";
}

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: a quoted absolute path, or one
// below "$HOME/"; the home folder itself means the desktop has no such folder.
fs::path ConfiguredDocuments(const fs::path& home) {
    std::ifstream file(ConfigFolder(home) / "user-dirs.dirs");
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    while (std::getline(file, line)) {
        if (!line.starts_with(key) || line.size() < key.size() + 1 || line.back() != '"') {
            continue;
        }
        const std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        fs::path folder;
        if (value.starts_with("$HOME/")) {
            folder = home / fs::path(std::u8string(value.begin() + 6, value.end()));
        } else if (value.starts_with("/")) {
            folder = fs::path(std::u8string(value.begin(), value.end()));
        }
        std::error_code error;
        if (!folder.empty() && !fs::equivalent(folder, home, error) && fs::is_directory(folder, error)) {
            return folder;
        }
    }
    return {};
}

}  // namespace

fs::path DocumentsFolder() {
    const fs::path home = FromEnvironment("HOME");
    if (!home.is_absolute()) {
        return {};
    }
    if (fs::path configured = ConfiguredDocuments(home); !configured.empty()) {
        return configured;
    }
    std::error_code error;
    return fs::is_directory(home / "Documents", error) ? home / "Documents" : home;
}

}  // namespace platform
