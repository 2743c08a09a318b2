#pragma once
// A fresh folder below the system's temporary folder, removed with everything in it
// when the object goes.

#include <filesystem>
#include <string>
#include <string_view>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // Path of a file or folder inside, built from UTF-8 ("a/b.ini").
    std::filesystem::path operator/(std::string_view relativeUtf8) const;
    // Writes bytes to a file inside (folders made as needed) and returns its path.
    std::filesystem::path Write(std::string_view relativeUtf8, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

std::string ReadAll(const std::filesystem::path& file);

}  // namespace testsupport
