#pragma once
// The private-profile INI engine: "[section]" lines and "key=value" lines.
// Section and key names compare without regard to case, the first matching section
// and the first matching key in it win, white space around names and values is
// trimmed and a value enclosed in a pair of quotes (" or ') is given without them.
// Lines starting with ';' are comments; lines without '=' are ignored.
// Every read reads the file (its encoding detected: UTF-16LE, UTF-8, GBK).
// A write keeps the file's other lines byte for byte, their order, their line endings
// and the file's encoding, creates the file and the section when missing, and
// replaces the file atomically. A new file is UTF-8 without byte-order mark with
// "\n" line endings; a GBK file that cannot hold the new text is rewritten whole as
// UTF-8 with byte-order mark (never with '?' in place of a character).

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The value, or nothing when the file, the section or the key is missing.
std::optional<std::wstring> ProfileGetString(const std::filesystem::path& file, std::wstring_view section,
                                             std::wstring_view key);

// False when the file cannot be read or written; then it is left as it was. Names and
// values that the format cannot carry are refused the same way: a line break
// anywhere, a ']' in the section name, a '=' in the key, an empty key or one that
// starts with '[' or ';'.
bool ProfileWriteString(const std::filesystem::path& file, std::wstring_view section, std::wstring_view key,
                        std::wstring_view value);

// An integer as the profile functions read one: leading white space, an optional
// sign, the leading decimal digits (0 when there are none), clamped to 32 bits.
int ParseProfileInt(std::wstring_view text);

}  // namespace platform
