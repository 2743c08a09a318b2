#pragma once
// Conversions between wide text, the ANSI code page (CP936, the code page of the
// terminals and their Windows users) and UTF-8. Every form returns the whole text,
// whatever its length: nothing is cut to fit a buffer.

#include <string>
#include <string_view>

// Code pages that WideToMultiByteCP accepts. The ANSI, OEM and thread code pages of
// the systems the data comes from are all CP936.
inline constexpr unsigned kCodePageAnsi = 0;
inline constexpr unsigned kCodePageOem = 1;
inline constexpr unsigned kCodePageThreadAnsi = 3;
inline constexpr unsigned kCodePageGbk = 936;
inline constexpr unsigned kCodePageUtf8 = 65001;

// The text in the ANSI code page; characters it lacks become '?'. 0 (and an empty
// result) for an empty text, else 1.
int WideToAnsi(std::wstring_view text, std::string& result);

// 1 and the wide text for valid UTF-8; 0 and an empty result otherwise.
int Utf8ToWide(std::string_view utf8, std::wstring& result);

// The text in the code page: 1 on success; 0 and an empty result for a code page
// other than those above or a character the code page cannot hold.
int WideToMultiByteCP(unsigned codePage, std::wstring_view text, std::string& result);

// The ANSI-code-page form ('?' for characters it lacks), and back.
std::string WideToAnsiString(std::wstring_view text);
std::wstring AnsiToWideString(std::string_view text);
