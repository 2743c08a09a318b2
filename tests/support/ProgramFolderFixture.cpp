#include "tests/support/ProgramFolderFixture.h"

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <system_error>

#include "platform/base/ProgramFolder.h"

namespace testsupport {

std::filesystem::path BuildProgramFolder() { return ONDRAVA_BUILD_PROGRAM_DIR; }

std::filesystem::path PrepareProgramFolder() {
    namespace fs = std::filesystem;
    // Without the override the program folder is the test executable's own folder,
    // which must never be emptied.
    const char* overridden = std::getenv(platform::kProgramFolderVariable);
    if (overridden == nullptr || *overridden == '\0') {
        throw std::runtime_error(std::string("run the tests through ctest, or set ") +
                                 platform::kProgramFolderVariable + " to a scratch folder");
    }
    const fs::path folder = platform::ProgramFolder();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(BuildProgramFolder(), ignored)) {
        const fs::path name = entry.path().filename();
        const bool isProgram = entry.is_regular_file() && (fs::status(entry.path()).permissions() &
                                                           fs::perms::owner_exec) != fs::perms::none;
        if (name.string().find(".so") != std::string::npos) {
            // The shared libraries are the build's own, linked rather than copied: a
            // library the program loads at run time from its folder (the viewer) is
            // found there, with the libraries beside it that it needs.
            fs::create_symlink(entry.path(), folder / name, ignored);
            continue;
        }
        if (isProgram) {
            continue;
        }
        fs::copy(entry.path(), folder / name, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
                 ignored);
    }
    return folder;
}

}  // namespace testsupport
