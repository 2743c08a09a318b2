#pragma once
// Starts another copy of a program as an independent process: no arguments, the
// same environment, nothing waited for.

#include <string>

// False when the process could not be started.
bool StartProgram(const std::wstring& executable);
