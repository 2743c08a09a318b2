#pragma once
// The program's own folder, where its settings ("Ondrava.ini", "color.cfg"), its
// language packs and its libraries lie.

#include <string>
#include <string_view>

// The program folder with a trailing separator, so that a file name can be
// appended directly.
std::wstring GetModuleDirectory();

// The folder part of a module's full path, cut after its last separator (so it
// ends in one); empty when the path has no separator. A module in the root folder
// gives the root.
std::wstring ModuleDirectoryOf(std::wstring_view modulePath);
