#pragma once
// Names that come from a terminal (folder and file names in its listings) are
// data, not paths: a name is used only when it is one plain path component, so
// that nothing written for it can land outside the chosen target folder.

#include <string>
#include <string_view>

// False for an empty name, "." and "..", and names holding "/", "\", NUL or a
// control character.
bool IsSafeRemoteName(std::wstring_view name);

// The name as a message can show it: control characters written as "\xNN" and a
// name longer than a message holds cut with "...".
std::wstring PrintableRemoteName(std::wstring_view name);
