#pragma once
// Each test executable runs with its own program folder (ONDRAVA_PROGRAM_DIR, set by
// CTest). PrepareProgramFolder fills it afresh with the resource files the build put
// into build/bin (languages, itemInfo.ini, ...), so tests read the shipped resources
// without sharing or changing the real program folder.

#include <filesystem>

namespace testsupport {

// Empties the test program folder, copies the build's resource files into it and
// links the build's shared libraries there (no executables). Returns the folder.
std::filesystem::path PrepareProgramFolder();

// The build's own program folder (build/bin).
std::filesystem::path BuildProgramFolder();

}  // namespace testsupport
