#pragma once
// Holds a folder open while the program works on its files. Unlike Windows, Linux
// lets others delete or rename a folder that is held open, so holding it cannot
// prevent that; what it gives is a way to notice: StillPresent tells whether the
// path still names the very folder that was opened (not removed, not replaced by
// another folder of the same name), which callers check before each load.

#include <filesystem>

namespace platform {

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Releases a held folder, then opens the folder for reading; false (and nothing
    // held) when it is no folder or cannot be opened.
    bool Hold(const std::filesystem::path& folder);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }
    const std::filesystem::path& Folder() const { return m_folder; }

    // True while a folder is held and its path still leads to that same folder.
    bool StillPresent() const;

private:
    int m_fd = -1;
    std::filesystem::path m_folder;
};

}  // namespace platform
