#pragma once
// Starting other programs: each argument reaches the program exactly as given (no
// shell reads it), and the caller does not wait for the program to end. Tests put a
// hook in place of the real start to see what would have been started.

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Starts the program (looked up on PATH when it has no '/') with the arguments
// (UTF-8); false when it cannot be found or started.
bool StartProgram(const std::string& program, const std::vector<std::string>& arguments);

using ProgramStarter = std::function<bool(const std::string& program, const std::vector<std::string>& arguments)>;
// Replaces the real start (an empty hook brings it back); returns the previous hook.
ProgramStarter SetProgramStarter(ProgramStarter starter);

}  // namespace platform
