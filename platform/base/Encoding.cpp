#include "platform/base/Encoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

#include <optional>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool IsUtf16(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE ||
           encoding == TextEncoding::Utf16LENoBom || encoding == TextEncoding::Utf16BENoBom;
}

bool IsBigEndian(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16BE || encoding == TextEncoding::Utf16BENoBom;
}

// One UTF-8 sequence at `pos`: the code point and its length, or length 0 when invalid.
struct Utf8Step {
    char32_t codePoint;
    std::size_t length;
};

Utf8Step NextUtf8(std::string_view bytes, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return {0, 0};
    }
    if (pos + length > bytes.size()) {
        return {0, 0};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return {0, 0};
        }
        value = (value << 6) | (byte(pos + i) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return {0, 0};
    }
    return {value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// An iconv conversion descriptor, closed when the object goes.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// Converts one character (UTF-32LE, 4 bytes) to GBK; false when GBK has no form for it.
bool AppendGbk(Converter& converter, char32_t c, std::string& out) {
    char input[4] = {static_cast<char>(c & 0xFF), static_cast<char>((c >> 8) & 0xFF),
                     static_cast<char>((c >> 16) & 0xFF), static_cast<char>((c >> 24) & 0xFF)};
    char output[8];
    char* in = input;
    char* outPtr = output;
    std::size_t inLeft = sizeof input;
    std::size_t outLeft = sizeof output;
    iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        return false;
    }
    out.append(output, static_cast<std::size_t>(outPtr - output));
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Step step = NextUtf8(bytes, pos);
        if (step.length == 0) {
            return false;
        }
        pos += step.length;
    }
    return true;
}

namespace {

// UTF-16 without a byte-order mark: the zero bytes of its ASCII characters stand at
// odd offsets (little endian) or even ones (big endian).
std::optional<TextEncoding> UnmarkedUtf16(std::string_view bytes) {
    std::size_t even = 0;
    std::size_t odd = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') {
            ++(i % 2 == 0 ? even : odd);
        }
    }
    if (even == 0 && odd == 0) {
        return std::nullopt;
    }
    return odd >= even ? TextEncoding::Utf16LENoBom : TextEncoding::Utf16BENoBom;
}

bool IsCjk(char32_t c) {
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// The writing system of a letter that UTF-8 writes in two bytes. Signs that any
// script uses beside its letters (Latin-1 punctuation, degree and micro signs,
// combining accents) belong to none; code points that ordinary text does not hold
// there (C1 controls, phonetic and modifier letters, the rarer scripts) are Other.
enum class Script { Neutral, Latin, Greek, Cyrillic, Armenian, Hebrew, Arabic, Other };

Script ScriptOf(char32_t c) {
    if ((c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || (c >= 0x300 && c <= 0x36F)) {
        return Script::Neutral;
    }
    if (c >= 0xC0 && c <= 0x24F) {
        return Script::Latin;
    }
    if (c >= 0x370 && c <= 0x3FF) {
        return Script::Greek;
    }
    if (c >= 0x400 && c <= 0x52F) {
        return Script::Cyrillic;
    }
    if (c >= 0x531 && c <= 0x58F) {
        return Script::Armenian;
    }
    if (c >= 0x590 && c <= 0x5FF) {
        return Script::Hebrew;
    }
    if ((c >= 0x600 && c <= 0x6FF) || (c >= 0x750 && c <= 0x77F)) {
        return Script::Arabic;
    }
    return Script::Other;
}

// How text that is valid UTF-8 through two-byte sequences alone reads either way.
// Each such sequence is also one GBK character (a lead byte 0xC2-0xDF, a trail byte
// 0x80-0xBF), so both readings are whole and only their sense can tell them apart.
struct TwoByteReadings {
    bool any = false;           // some non-ASCII text
    bool latin1Only = true;     // UTF-8: Latin-1 letters and signs alone (é, ü, °, µ)
    bool utf8InOneScript = true;  // UTF-8: each run of non-ASCII characters one script's letters
    bool gbkUnlikely = false;   // GBK: characters that Chinese text does not hold
};

// Nothing when the bytes are not valid UTF-8 or hold a longer sequence: then the
// question does not arise.
std::optional<TwoByteReadings> ReadTwoByteText(std::string_view bytes) {
    TwoByteReadings readings;
    Script runScript = Script::Neutral;
    unsigned char runRow = 0;
    std::size_t sameRow = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Step step = NextUtf8(bytes, pos);
        if (step.length == 0 || step.length > 2) {
            return std::nullopt;
        }
        if (step.length == 1) {
            runScript = Script::Neutral;
            sameRow = 0;
            ++pos;
            continue;
        }
        readings.any = true;
        readings.latin1Only = readings.latin1Only && step.codePoint >= 0xA0 && step.codePoint <= 0xFF;
        const Script script = ScriptOf(step.codePoint);
        const bool mixed = script != Script::Neutral && runScript != Script::Neutral && script != runScript;
        if (script == Script::Other || mixed) {
            readings.utf8InOneScript = false;
        }
        if (script != Script::Neutral) {
            runScript = script;
        }
        // As GBK: a trail byte below 0xA1 lies outside GB2312, the set of Chinese in
        // everyday use; lead bytes from 0xD8 on are its second, rarer level; and three
        // characters in a row from one row of the table (GB2312 orders its rows by
        // sound) are a list, not a sentence. The letters of one small alphabet share
        // their lead byte in UTF-8 and read just so.
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const auto trail = static_cast<unsigned char>(bytes[pos + 1]);
        sameRow = sameRow > 0 && lead == runRow ? sameRow + 1 : 1;
        runRow = lead;
        if (trail < 0xA1 || lead >= 0xD8 || sameRow >= 3) {
            readings.gbkUnlikely = true;
        }
        pos += 2;
    }
    return readings;
}

// Whether valid UTF-8 is the GBK of a terminal that merely happens to be valid
// UTF-8 ("模式" reads "ģʽ"), and whether that choice is made by the text's sense or
// left in doubt.
struct GbkLookalike {
    bool gbk = false;
    bool inDoubt = false;
};

GbkLookalike JudgeGbkLookalike(std::string_view bytes) {
    const std::optional<TwoByteReadings> readings = ReadTwoByteText(bytes);
    // Latin-1 letters and signs alone are UTF-8, as the program's own files write them.
    if (!readings || !readings->any || readings->latin1Only) {
        return {};
    }
    const std::wstring text = GbkToWide(bytes);
    for (wchar_t c : text) {
        if (static_cast<char32_t>(c) >= 0x80 && !IsCjk(static_cast<char32_t>(c))) {
            return {};
        }
    }
    // Letters of one script against characters Chinese text does not hold: UTF-8.
    // Otherwise GBK, as terminals write it; in doubt where neither reading is the
    // more plausible.
    if (readings->utf8InOneScript && readings->gbkUnlikely) {
        return {};
    }
    return {true, readings->utf8InOneScript || readings->gbkUnlikely};
}

}  // namespace

TextEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf16LeBom)) {
        return TextEncoding::Utf16LE;
    }
    if (StartsWith(bytes, kUtf16BeBom)) {
        return TextEncoding::Utf16BE;
    }
    if (StartsWith(bytes, kUtf8Bom)) {
        return TextEncoding::Utf8Bom;
    }
    if (const std::optional<TextEncoding> utf16 = UnmarkedUtf16(bytes)) {
        return *utf16;
    }
    if (!IsValidUtf8(bytes) || JudgeGbkLookalike(bytes).gbk) {
        return TextEncoding::Gbk;
    }
    return TextEncoding::Utf8;
}

bool IsEncodingInDoubt(std::string_view bytes) {
    if (StartsWith(bytes, kUtf16LeBom) || StartsWith(bytes, kUtf16BeBom) || StartsWith(bytes, kUtf8Bom) ||
        UnmarkedUtf16(bytes)) {
        return false;
    }
    return JudgeGbkLookalike(bytes).inDoubt;
}

std::string_view ByteOrderMark(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            return kUtf8Bom;
        case TextEncoding::Utf16LE:
            return kUtf16LeBom;
        case TextEncoding::Utf16BE:
            return kUtf16BeBom;
        default:
            return {};
    }
}

std::size_t CodeUnitBytes(TextEncoding encoding) { return IsUtf16(encoding) ? 2 : 1; }

bool DecodesLosslessly(std::string_view bytes, TextEncoding encoding) {
    const std::optional<std::string> again = EncodeWithoutBom(Decode(bytes, encoding), encoding);
    return again && *again == bytes;
}

std::wstring Utf8ToWide(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const Utf8Step step = NextUtf8(bytes, pos);
        if (step.length == 0) {
            out += static_cast<wchar_t>(kReplacement);
            ++pos;
        } else {
            out += static_cast<wchar_t>(step.codePoint);
            pos += step.length;
        }
    }
    return out;
}

std::string WideToUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        AppendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

std::u16string WideToUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        char32_t c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            c = kReplacement;
        }
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::wstring Utf16ToWide(std::u16string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out += static_cast<wchar_t>(kReplacement);
        } else {
            out += static_cast<wchar_t>(unit);
        }
    }
    return out;
}

std::wstring GbkToWide(std::string_view text) {
    // GBK keeps ASCII as it is; most text read this way (the lines of settings and
    // description files) is nothing else, and opening a converter costs more than it.
    if (IsAscii(text)) {
        return std::wstring(text.begin(), text.end());
    }
    std::wstring out;
    Converter converter("UTF-32LE", "CP936");
    if (!converter.Valid()) {
        return Utf8ToWide(text);
    }
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char buffer[4096];
    const auto flush = [&](const char* end) {
        for (const char* p = buffer; p + 4 <= end; p += 4) {
            const auto b = [&](int i) { return static_cast<char32_t>(static_cast<unsigned char>(p[i])); };
            out += static_cast<wchar_t>(b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24));
        }
    };
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.Get(), &in, &inLeft, &outPtr, &outLeft);
        flush(outPtr);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: one replacement character for its first byte.
            out += static_cast<wchar_t>(kReplacement);
            ++in;
            --inLeft;
            iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

std::optional<std::string> WideToGbk(std::wstring_view text) {
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) { return static_cast<char32_t>(c) < 0x80; })) {
        return std::string(text.begin(), text.end());
    }
    Converter converter("CP936", "UTF-32LE");
    if (!converter.Valid()) {
        return std::nullopt;
    }
    std::string out;
    out.reserve(text.size() * 2);
    for (wchar_t c : text) {
        if (static_cast<char32_t>(c) < 0x80) {
            out += static_cast<char>(c);
        } else if (!AppendGbk(converter, static_cast<char32_t>(c), out)) {
            return std::nullopt;
        }
    }
    return out;
}

std::string WideToGbkLossy(std::wstring_view text, char replacement) {
    Converter converter("CP936", "UTF-32LE");
    std::string out;
    out.reserve(text.size() * 2);
    for (wchar_t c : text) {
        if (static_cast<char32_t>(c) < 0x80) {
            out += static_cast<char>(c);
        } else if (!converter.Valid() || !AppendGbk(converter, static_cast<char32_t>(c), out)) {
            out += replacement;
        }
    }
    return out;
}

std::wstring Decode(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
        case TextEncoding::Utf16LENoBom:
        case TextEncoding::Utf16BENoBom: {
            const std::string_view bom = ByteOrderMark(encoding);
            if (!bom.empty() && StartsWith(bytes, bom)) {
                bytes.remove_prefix(bom.size());
            }
            const int high = IsBigEndian(encoding) ? 0 : 1;
            std::u16string units(bytes.size() / 2, u'\0');
            for (std::size_t i = 0; i < units.size(); ++i) {
                units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i + 1 - high]) |
                                                 (static_cast<unsigned char>(bytes[2 * i + high]) << 8));
            }
            std::wstring text = Utf16ToWide(units);
            if (bytes.size() % 2 != 0) {
                text += static_cast<wchar_t>(kReplacement);
            }
            return text;
        }
        case TextEncoding::Utf8Bom:
        case TextEncoding::Utf8:
            if (StartsWith(bytes, kUtf8Bom)) {
                bytes.remove_prefix(kUtf8Bom.size());
            }
            return Utf8ToWide(bytes);
        case TextEncoding::Gbk:
            return GbkToWide(bytes);
    }
    return {};
}

DecodedText DecodeDetected(std::string_view bytes) {
    const TextEncoding encoding = DetectEncoding(bytes);
    return {Decode(bytes, encoding), encoding};
}

std::optional<std::string> EncodeWithoutBom(std::wstring_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8Bom:
            return WideToUtf8(text);
        case TextEncoding::Utf16LE:
        case TextEncoding::Utf16BE:
        case TextEncoding::Utf16LENoBom:
        case TextEncoding::Utf16BENoBom: {
            const bool big = IsBigEndian(encoding);
            std::string out;
            out.reserve(text.size() * 2);
            for (char16_t unit : WideToUtf16(text)) {
                out += static_cast<char>(big ? unit >> 8 : unit & 0xFF);
                out += static_cast<char>(big ? unit & 0xFF : unit >> 8);
            }
            return out;
        }
        case TextEncoding::Gbk:
            return WideToGbk(text);
    }
    return std::nullopt;
}

std::optional<std::string> Encode(std::wstring_view text, TextEncoding encoding) {
    std::optional<std::string> body = EncodeWithoutBom(text, encoding);
    if (!body) {
        return body;
    }
    return std::string(ByteOrderMark(encoding)) + *body;
}

std::filesystem::path ToPath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::filesystem::path ToPath(std::wstring_view text) { return ToPath(WideToUtf8(text)); }

std::string PathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::wstring FromPath(const std::filesystem::path& path) { return Utf8ToWide(PathToUtf8(path)); }

}  // namespace platform
