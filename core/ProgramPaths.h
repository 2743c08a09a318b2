#pragma once
// The program folder as the program's parts ask for it: settings, languages, the
// log and crash dumps live there. Tests redirect it (ONDRAVA_PROGRAM_DIR).

#include <string>

// The program folder with a trailing separator.
std::wstring GetExeDirectory();
// The program folder without a trailing separator.
std::wstring GetExeFolder();
