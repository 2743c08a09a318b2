#include "app/ModuleDirectory.h"

#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"

std::wstring GetModuleDirectory() {
    // The program folder the tests may redirect, with the program's own name in it.
    const std::filesystem::path module = platform::ProgramFolder() / platform::ExecutablePath().filename();
    return ModuleDirectoryOf(platform::FromPath(module));
}

std::wstring ModuleDirectoryOf(std::wstring_view modulePath) {
    const std::size_t last = modulePath.find_last_of(L"/\\");
    if (last == std::wstring_view::npos) {
        return {};
    }
    return std::wstring(modulePath.substr(0, last + 1));
}
