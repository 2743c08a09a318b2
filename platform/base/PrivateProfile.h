#pragma once
// The private-profile INI engine: "[section]" lines and "key=value" lines.
// Section and key names compare without regard to case, the first matching section
// and the first matching key in it win, white space around names and values is
// trimmed and a value enclosed in a pair of quotes (" or ') is given without them.
// Lines starting with ';' are comments; lines without '=' are ignored.
// Every read reads the file (its encoding detected: UTF-16 either way round with or
// without byte-order mark, UTF-8, GBK).
// A write keeps the file's other lines byte for byte, their order, their line endings
// and the file's encoding, creates the file and the section when missing, and
// replaces the file atomically. A new file is UTF-8 without byte-order mark with
// "\n" line endings; a GBK file that cannot hold the new text is rewritten whole as
// UTF-8 with byte-order mark (never with '?' in place of a character), unless one of
// its other lines is not GBK: then the write is refused and the file left alone.
// A write never mixes encodings: non-ASCII text into a file whose encoding is in
// doubt (DetectEncoding), and a change that would make a GBK file read as UTF-8, are
// refused the same way.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// The value, or nothing when the file, the section or the key is missing.
std::optional<std::wstring> ProfileGetString(const std::filesystem::path& file, std::wstring_view section,
                                             std::wstring_view key);

// False when the file cannot be read or written; then it is left as it was. Names and
// values that the format cannot carry are refused the same way: a line break or a
// NUL character anywhere, a ']' in the section name, a '=' in the key, an empty key or one that
// starts with '[' or ';'.
bool ProfileWriteString(const std::filesystem::path& file, std::wstring_view section, std::wstring_view key,
                        std::wstring_view value);

// One key to write: its section, its name and its new value.
struct ProfileEntry {
    std::wstring section;
    std::wstring key;
    std::wstring value;
};

// Writes every entry, in order, by the rules of ProfileWriteString, and replaces the
// file once: either all of them land or none. False, with the file left as it was,
// when any entry is refused or the file cannot be read or written. A key named twice
// keeps the later value. No entries: true, and the file is not touched.
bool ProfileWriteStrings(const std::filesystem::path& file, const std::vector<ProfileEntry>& entries);

// Every section and key of one file, read once, found by the rules of
// ProfileGetString: for a reader that asks for many keys while the file stays the same.
class ProfileSnapshot {
public:
    // Every key absent, as for a missing file.
    ProfileSnapshot() = default;
    // The file's bytes, in any encoding ProfileGetString reads.
    explicit ProfileSnapshot(std::string_view bytes);

    std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;

private:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> keys;  // name, value
    };
    std::vector<Section> m_sections;
};

// An integer as the profile functions read one: leading white space, an optional
// sign, the leading decimal digits (0 when there are none), clamped to 32 bits.
int ParseProfileInt(std::wstring_view text);

}  // namespace platform
