#pragma once
// The program folder: settings, colour schemes, languages and libraries live beside
// the executable. Tests point it elsewhere with the environment variable
// ONDRAVA_PROGRAM_DIR so that each test process has its own files.

#include <filesystem>
#include <string>

namespace platform {

inline constexpr const char* kProgramFolderVariable = "ONDRAVA_PROGRAM_DIR";

// Without a trailing separator.
std::filesystem::path ProgramFolder();

// The full path of the running executable.
std::filesystem::path ExecutablePath();

}  // namespace platform
