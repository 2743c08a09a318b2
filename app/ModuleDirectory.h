#pragma once
// The program's own folder, where its settings ("Ondrava.ini", "color.cfg"), its
// language packs and its libraries lie.

#include <string>

// The program folder with a trailing separator, so that a file name can be
// appended directly.
std::wstring GetModuleDirectory();
