#include "platform/base/PrivateProfile.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <limits>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace platform {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

enum class LineKind { Other, Section, Key };

// What one decoded line (without its terminator) says.
struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::wstring_view name;       // section or key name, trimmed
    std::wstring_view value;      // value of a key line, trimmed
    std::size_t valueStart = 0;   // where the value begins in the line, blanks after '=' skipped
};

ParsedLine Parse(std::wstring_view line) {
    ParsedLine parsed;
    const std::wstring_view text = Trim(line);
    if (text.empty() || text.front() == L';') {
        return parsed;
    }
    if (text.front() == L'[') {
        const std::wstring_view inside = text.substr(1);
        parsed.kind = LineKind::Section;
        parsed.name = Trim(inside.substr(0, inside.find(L']')));
        return parsed;
    }
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) {
        return parsed;
    }
    parsed.kind = LineKind::Key;
    parsed.name = Trim(line.substr(0, equals));
    parsed.valueStart = equals + 1;
    while (parsed.valueStart < line.size() && IsBlank(line[parsed.valueStart])) {
        ++parsed.valueStart;
    }
    parsed.value = Trim(line.substr(equals + 1));
    return parsed;
}

std::wstring Unquote(std::wstring_view value) {
    if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::wstring(value);
}

// A line break would end the line early; a NUL character would end the text for
// readers that take it as a C string, and its zero bytes make a UTF-8 or GBK file
// read as UTF-16.
bool HasLineBreakOrNul(std::wstring_view text) {
    return text.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos;
}

// One line of a file as stored: its bytes, its terminator's bytes, and its text.
struct RawLine {
    std::string bytes;
    std::string end;
    std::wstring text;
};

struct RawFile {
    TextEncoding encoding = TextEncoding::Utf8;
    bool encodingInDoubt = false;  // read as GBK, but UTF-8 made as much sense
    std::string bom;
    std::vector<RawLine> lines;
};

// A line's text as the reader sees it in the whole file: only the file's first bytes
// can be its byte order mark; one at the start of a line is the character U+FEFF.
std::wstring DecodeLine(std::string_view line, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8Bom:
            return Utf8ToWide(line);
        case TextEncoding::Utf16LE:
            return Decode(line, TextEncoding::Utf16LENoBom);
        case TextEncoding::Utf16BE:
            return Decode(line, TextEncoding::Utf16BENoBom);
        default:
            return Decode(line, encoding);
    }
}

// Splits the bytes at line feeds, in code units of the encoding; a carriage return
// before a line feed belongs to the terminator.
RawFile SplitLines(std::string_view bytes) {
    RawFile file;
    file.encoding = DetectEncoding(bytes);
    file.encodingInDoubt = IsEncodingInDoubt(bytes);
    const std::string_view bom = ByteOrderMark(file.encoding);
    if (!bom.empty() && bytes.substr(0, bom.size()) == bom) {
        file.bom = bom;
        bytes.remove_prefix(bom.size());
    }
    const std::size_t unit = CodeUnitBytes(file.encoding);
    const std::string lineFeed = *EncodeWithoutBom(L"\n", file.encoding);
    const std::string carriageReturn = *EncodeWithoutBom(L"\r", file.encoding);
    const auto isUnit = [&](std::size_t pos, const std::string& code) { return bytes.compare(pos, unit, code) == 0; };
    const auto decode = [&](std::string_view line) { return DecodeLine(line, file.encoding); };
    std::size_t start = 0;
    for (std::size_t pos = 0; pos + unit <= bytes.size(); pos += unit) {
        if (!isUnit(pos, lineFeed)) {
            continue;
        }
        std::size_t contentEnd = pos;
        if (contentEnd >= start + unit && isUnit(contentEnd - unit, carriageReturn)) {
            contentEnd -= unit;
        }
        const std::string_view content = bytes.substr(start, contentEnd - start);
        file.lines.push_back({std::string(content), std::string(bytes.substr(contentEnd, pos + unit - contentEnd)),
                              decode(content)});
        start = pos + unit;
    }
    if (start < bytes.size()) {
        const std::string_view content = bytes.substr(start);
        file.lines.push_back({std::string(content), std::string(), decode(content)});
    }
    return file;
}


// Index of the first section line named `section`, or lines.size().
std::size_t FindSection(const std::vector<std::wstring_view>& lines, std::wstring_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = Parse(lines[i]);
        if (parsed.kind == LineKind::Section && NamesEqualNoCase(parsed.name, section)) {
            return i;
        }
    }
    return lines.size();
}

// Whether the format can carry the line: no line break or NUL anywhere, no ']' in
// the section name, and a key that is not empty, holds no '=' and does not read as a
// section or a comment.
bool Writable(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    return !HasLineBreakOrNul(section) && !HasLineBreakOrNul(key) && !HasLineBreakOrNul(value) &&
           section.find(L']') == std::wstring_view::npos && !key.empty() && key.find(L'=') == std::wstring_view::npos &&
           key.front() != L'[' && key.front() != L';';
}

// Puts one key into the lines: its value replaced where the section has it, else a
// new line after the section's last filled line, else the section and the key added
// at the end. New and changed lines carry only their text (their bytes are empty)
// until the file is encoded.
void SetKey(RawFile& raw, std::wstring_view section, std::wstring_view key, std::wstring_view value,
            const std::string& newLineEnd) {
    std::vector<std::wstring_view> texts;
    texts.reserve(raw.lines.size());
    for (const RawLine& line : raw.lines) {
        texts.emplace_back(line.text);
    }
    const auto fresh = [](std::wstring text, std::string end) { return RawLine{{}, std::move(end), std::move(text)}; };
    const std::wstring keyLineText = std::wstring(key) + L"=" + std::wstring(value);
    const std::size_t sectionLine = FindSection(texts, section);
    if (sectionLine == texts.size()) {
        if (!raw.lines.empty() && raw.lines.back().end.empty()) {
            raw.lines.back().end = newLineEnd;
        }
        raw.lines.push_back(fresh(L"[" + std::wstring(section) + L"]", newLineEnd));
        raw.lines.push_back(fresh(keyLineText, newLineEnd));
        return;
    }
    std::size_t lastFilled = sectionLine;
    for (std::size_t i = sectionLine + 1; i < texts.size(); ++i) {
        const ParsedLine parsed = Parse(texts[i]);
        if (parsed.kind == LineKind::Section) {
            break;
        }
        if (parsed.kind == LineKind::Key && NamesEqualNoCase(parsed.name, key)) {
            // The key keeps its spelling and the spacing around '=' as the file has them.
            RawLine& line = raw.lines[i];
            line = fresh(line.text.substr(0, parsed.valueStart) + std::wstring(value), line.end);
            return;
        }
        if (!Trim(texts[i]).empty()) {
            lastFilled = i;
        }
    }
    if (raw.lines[lastFilled].end.empty()) {
        raw.lines[lastFilled].end = newLineEnd;
    }
    raw.lines.insert(raw.lines.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1), fresh(keyLineText, newLineEnd));
}

bool IsAscii(std::wstring_view text) {
    return std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<char32_t>(c) < 0x80; });
}

// Text other than ASCII takes different bytes in UTF-8 and GBK: written into a file
// whose encoding is in doubt it could only be guessed, and a wrong guess leaves the
// file in two encodings at once.
bool NeedsKnownEncoding(const std::vector<ProfileEntry>& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const ProfileEntry& entry) {
        return !IsAscii(entry.section) || !IsAscii(entry.key) || !IsAscii(entry.value);
    });
}

// Profile files are read, changed and written whole: writes within the process take
// turns so that two writers of one file never lose each other's change.
std::mutex& WriteLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

std::optional<std::wstring> ProfileGetString(const std::filesystem::path& file, std::wstring_view section,
                                             std::wstring_view key) {
    const std::optional<std::string> bytes = ReadFileBytes(file);
    if (!bytes) {
        return std::nullopt;
    }
    return ProfileSnapshot(*bytes).Get(section, key);
}

bool ProfileWriteStrings(const std::filesystem::path& file, const std::vector<ProfileEntry>& entries) {
    for (const ProfileEntry& entry : entries) {
        if (!Writable(Trim(entry.section), Trim(entry.key), entry.value)) {
            return false;
        }
    }
    if (entries.empty()) {
        return true;
    }
    const std::lock_guard<std::mutex> guard(WriteLock());

    RawFile raw;
    std::error_code error;
    if (const std::optional<std::string> bytes = ReadFileBytes(file)) {
        raw = SplitLines(*bytes);
        // A UTF-16 file cut in the middle of a character: lines added after the stray
        // byte would be unreadable, so the damaged file is left alone.
        if (CodeUnitBytes(raw.encoding) == 2 && bytes->size() % 2 != 0) {
            return false;
        }
    } else if (std::filesystem::exists(file, error) || error) {
        return false;  // there but unreadable: never replace it by a new file
    }
    if (raw.encodingInDoubt && NeedsKnownEncoding(entries)) {
        return false;
    }

    // The line terminator of new lines: the file's own, "\n" in a file that has none.
    std::string newLineEnd;
    for (const RawLine& line : raw.lines) {
        if (!line.end.empty()) {
            newLineEnd = line.end;
            break;
        }
    }
    if (newLineEnd.empty()) {
        newLineEnd = *EncodeWithoutBom(L"\n", raw.encoding);
    }

    for (const ProfileEntry& entry : entries) {
        SetKey(raw, Trim(entry.section), Trim(entry.key), entry.value, newLineEnd);
    }

    // Lines the write made or changed carry only their text so far.
    std::vector<bool> untouched;
    untouched.reserve(raw.lines.size());
    for (const RawLine& line : raw.lines) {
        untouched.push_back(!line.bytes.empty());
    }
    bool fits = true;
    for (RawLine& line : raw.lines) {
        if (!line.bytes.empty()) {
            continue;
        }
        std::optional<std::string> bytes = EncodeWithoutBom(line.text, raw.encoding);
        if (!bytes) {
            fits = false;
            break;
        }
        line.bytes = std::move(*bytes);
    }
    if (!fits) {
        // Only GBK can fail. A line the write leaves alone must come through the change
        // to UTF-8 as it is: one that GBK does not hold (a file that already mixes
        // encodings) would be changed, so the file is left as it was.
        for (std::size_t index = 0; index < raw.lines.size(); ++index) {
            if (untouched[index] && !DecodesLosslessly(raw.lines[index].bytes, raw.encoding)) {
                return false;
            }
        }
        // Its terminators are ASCII and stay as they are.
        raw.encoding = TextEncoding::Utf8Bom;
        raw.bom = ByteOrderMark(TextEncoding::Utf8Bom);
        for (RawLine& line : raw.lines) {
            line.bytes = WideToUtf8(line.text);
        }
    }

    std::string out = raw.bom;
    for (const RawLine& line : raw.lines) {
        out += line.bytes;
        out += line.end;
    }
    // UTF-8 without a mark is told from GBK by its text alone: where the written text
    // would read as GBK (a new or ASCII file given a key with U+070B, whose two bytes are
    // also a GBK character), the mark makes the file read as written.
    if (raw.encoding == TextEncoding::Utf8 && DetectEncoding(out) != TextEncoding::Utf8) {
        out.insert(0, ByteOrderMark(TextEncoding::Utf8Bom));
    }
    // GBK has no mark: a change that would make the file read as UTF-8 (a value whose
    // GBK bytes spell Cyrillic letters) is refused rather than written unreadable.
    if (raw.encoding == TextEncoding::Gbk && DetectEncoding(out) != TextEncoding::Gbk) {
        return false;
    }
    return AtomicWriteFile(file, out);
}

bool ProfileWriteString(const std::filesystem::path& file, std::wstring_view section, std::wstring_view key,
                        std::wstring_view value) {
    return ProfileWriteStrings(file, {{std::wstring(section), std::wstring(key), std::wstring(value)}});
}

ProfileSnapshot::ProfileSnapshot(std::string_view bytes) {
    const std::wstring text = DecodeDetected(bytes).text;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        const ParsedLine parsed = Parse(std::wstring_view(text).substr(start, end - start));
        if (parsed.kind == LineKind::Section) {
            m_sections.push_back({std::wstring(parsed.name), {}});
        } else if (parsed.kind == LineKind::Key && !m_sections.empty()) {
            m_sections.back().keys.emplace_back(parsed.name, Unquote(parsed.value));
        }
        start = end + 1;
    }
}

std::optional<std::wstring> ProfileSnapshot::Get(std::wstring_view section, std::wstring_view key) const {
    section = Trim(section);
    key = Trim(key);
    for (const Section& candidate : m_sections) {
        if (!NamesEqualNoCase(candidate.name, section)) {
            continue;
        }
        // Only the first section of that name counts, and in it the first key.
        for (const auto& [name, value] : candidate.keys) {
            if (NamesEqualNoCase(name, key)) {
                return value;
            }
        }
        return std::nullopt;
    }
    return std::nullopt;
}

int ParseProfileInt(std::wstring_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::iswspace(static_cast<wint_t>(text[at]))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10 + (text[at] - L'0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            value = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
            break;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<int>(value);
}

}  // namespace platform
