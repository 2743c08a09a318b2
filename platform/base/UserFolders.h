#pragma once
// The user's own folders as the desktop names them (xdg-user-dirs).

#include <filesystem>

namespace platform {

// The user's documents folder: XDG_DOCUMENTS_DIR of "user-dirs.dirs" in the user's
// configuration folder, else "Documents" in the home folder when it exists, else
// the home folder itself; empty without a home folder. Nothing is created.
std::filesystem::path DocumentsFolder();

}  // namespace platform
