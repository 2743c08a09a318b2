#include "platform/base/ProgramFolder.h"

#include <cstdlib>
#include <system_error>

#include "platform/base/Encoding.h"

namespace platform {

std::filesystem::path ExecutablePath() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe;
}

std::filesystem::path ProgramFolder() {
    if (const char* overridden = std::getenv(kProgramFolderVariable); overridden != nullptr && *overridden != '\0') {
        std::filesystem::path folder = ToPath(std::string_view(overridden));
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        return folder;
    }
    return ExecutablePath().parent_path();
}

}  // namespace platform
