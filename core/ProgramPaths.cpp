#include "core/ProgramPaths.h"

#include <filesystem>

#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"

std::wstring GetExeDirectory() {
    std::wstring folder = GetExeFolder();
    folder += static_cast<wchar_t>(std::filesystem::path::preferred_separator);
    return folder;
}

std::wstring GetExeFolder() {
    std::wstring folder = platform::FromPath(platform::ProgramFolder());
    while (folder.size() > 1 && folder.back() == static_cast<wchar_t>(std::filesystem::path::preferred_separator)) {
        folder.pop_back();
    }
    return folder;
}
