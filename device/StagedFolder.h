#pragma once
// A download's folder while it is being filled: a fresh temporary folder beside
// the target, which Commit puts in the target's place only once everything has
// arrived. Until then an earlier complete copy of the target stays as it is; a
// download that fails or is cancelled removes only the temporary folder (and the
// parent folders it had to make, when they stay empty).

#include <filesystem>
#include <vector>

class CStagedFolder {
public:
    explicit CStagedFolder(std::filesystem::path target);
    ~CStagedFolder();
    CStagedFolder(const CStagedFolder&) = delete;
    CStagedFolder& operator=(const CStagedFolder&) = delete;

    // 0 when the temporary folder is ready, else the error code of the failure.
    int Error() const { return m_error; }
    const std::filesystem::path& Path() const { return m_staging; }

    // Replaces the target with the temporary folder (an existing target goes only
    // now); 0 or an error code, the target unchanged on failure.
    int Commit();

private:
    void Discard();

    std::filesystem::path m_target;
    std::filesystem::path m_staging;
    std::vector<std::filesystem::path> m_madeParents;  // innermost first
    int m_error = 0;
    bool m_committed = false;
};
