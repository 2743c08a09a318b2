#pragma once
// Where a fuzz target puts the files a reader opens: a folder of its own in memory
// (/dev/shm, or $ONDRAVA_FUZZ_TMP when set), emptied before every input and removed
// when the process ends. Each process (libFuzzer's jobs are processes) has its own.
// The folder also holds the process's program folder, so the readers' settings and
// log stay out of the build tree: the log is a link to /dev/null, for a million
// inputs each logging why they were refused would fill the memory. The busy
// indicator the readers move is one that forgets what it is told.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/FuzzInput.h"

namespace fuzz {

class FuzzFolder {
public:
    // The process's folder, made on first use together with the program folder.
    static FuzzFolder& Get();

    // An empty folder for the next input.
    const std::filesystem::path& Fresh();
    // Writes a file below the input folder (folders made as needed); an absent file
    // is not written.
    void Write(std::string_view relativeUtf8, const std::optional<std::string>& bytes) const;
    // Writes the files whose paths stay inside the input folder (relative, no "..",
    // at most four levels); others, and those that clash with a folder already
    // written, are left out. Returns how many were written.
    std::size_t Write(const std::vector<NamedFile>& files) const;
    const std::filesystem::path& Input() const { return m_input; }
    const std::filesystem::path& ProgramFolder() const { return m_program; }
    // Copies a file of the source tree into the program folder (a shipped resource
    // the reader looks up there).
    void ProvideResource(std::string_view sourceRelativeUtf8) const;

    ~FuzzFolder();
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

private:
    FuzzFolder();
    std::filesystem::path m_root;
    std::filesystem::path m_input;
    std::filesystem::path m_program;
};

}  // namespace fuzz
