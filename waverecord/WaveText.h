#pragma once
// The window's texts come from the language packs with one printf-style field
// ("%d", "%s", "%g"); the value is put in its place already formatted, so a
// translated text cannot make the program read an argument that is not there.

#include <string>
#include <string_view>

// The text (by language id) with its first field replaced by the value; a text
// without a field is returned as it stands.
std::wstring WaveText(unsigned id);
std::wstring WaveFillField(std::wstring_view format, std::wstring_view value);
