#pragma once
// Text encodings of the files the program meets: terminal description files and
// INI files may be UTF-16 (little or big endian, with or without BOM), UTF-8 (with
// or without BOM) or GBK (CP936, the Chinese "ANSI" code page of the terminals and
// their Windows users). Every conversion between them lives here.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class TextEncoding {
    Utf8,          // UTF-8 without byte-order mark
    Utf8Bom,       // UTF-8 with byte-order mark
    Utf16LE,       // UTF-16 little endian with byte-order mark
    Gbk,           // CP936
    Utf16BE,       // UTF-16 big endian with byte-order mark
    Utf16LENoBom,  // UTF-16 little endian without byte-order mark
    Utf16BENoBom,  // UTF-16 big endian without byte-order mark
};

// By byte-order mark; then UTF-16 without one by its zero bytes (text in the other
// encodings has none), little or big endian by where they stand; then UTF-8
// validity, then GBK. Pure ASCII counts as UTF-8. Text that is valid UTF-8 only
// through two-byte sequences reads whole in GBK too (terminals write GBK, and some
// of its Chinese happens to form such sequences); it is told by sense:
// - UTF-8 when its UTF-8 reading is Latin-1 letters and signs alone (é, ü, °, µ);
// - UTF-8 when each run of its UTF-8 reading is the letters of one script (Cyrillic,
//   Greek, Latin Extended, ...) while its GBK reading needs characters that Chinese
//   text does not hold: beyond GB2312, from GB2312's rarer second level, or three in
//   a row from one row of the table;
// - GBK otherwise.
TextEncoding DetectEncoding(std::string_view bytes);

// Whether the choice between UTF-8 and GBK above was left in doubt: both readings
// make sense (or neither does), and the text was taken for GBK only because
// terminals write GBK. A writer then cannot know which encoding new text must take.
bool IsEncodingInDoubt(std::string_view bytes);

// The byte-order mark the encoding carries (empty for those without one).
std::string_view ByteOrderMark(TextEncoding encoding);
// Bytes of one code unit: 2 for UTF-16, else 1.
std::size_t CodeUnitBytes(TextEncoding encoding);
// Whether the bytes decode without loss: encoded again they give the same bytes. A
// line of another encoding inside a GBK file does not.
bool DecodesLosslessly(std::string_view bytes, TextEncoding encoding);

bool IsValidUtf8(std::string_view bytes);

// Decodes bytes in the given encoding; a leading byte-order mark is dropped.
// Invalid sequences become U+FFFD; nothing is cut.
std::wstring Decode(std::string_view bytes, TextEncoding encoding);

struct DecodedText {
    std::wstring text;
    TextEncoding encoding = TextEncoding::Utf8;
};
DecodedText DecodeDetected(std::string_view bytes);

// Encodes with the byte-order mark the encoding carries (UTF-8 with BOM, UTF-16 with BOM).
// Empty when the encoding cannot hold the text (only GBK can fail): callers then
// fall back to UTF-8 with BOM rather than substituting characters.
std::optional<std::string> Encode(std::wstring_view text, TextEncoding encoding);
// The same without the byte-order mark, for text placed inside a file that has one.
std::optional<std::string> EncodeWithoutBom(std::wstring_view text, TextEncoding encoding);

std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// CP936. WideToGbk gives nothing when a character has no GBK form; the lossy form
// puts the replacement in its place.
std::optional<std::string> WideToGbk(std::wstring_view text);
std::string WideToGbkLossy(std::wstring_view text, char replacement = '?');
std::wstring GbkToWide(std::string_view text);

// UTF-16 where the data relies on 16-bit units (binary fields, character references).
std::u16string WideToUtf16(std::wstring_view text);
std::wstring Utf16ToWide(std::u16string_view text);

// Paths are built from UTF-8; never from a wide string holding non-ASCII text.
std::filesystem::path ToPath(std::wstring_view text);
std::filesystem::path ToPath(std::string_view utf8);
std::wstring FromPath(const std::filesystem::path& path);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace platform
