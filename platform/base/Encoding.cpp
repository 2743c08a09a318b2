#include "platform/base/Encoding.h"

#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

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

TextEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf16LeBom)) {
        return TextEncoding::Utf16LE;
    }
    if (StartsWith(bytes, kUtf8Bom)) {
        return TextEncoding::Utf8Bom;
    }
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Gbk;
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
        case TextEncoding::Utf16LE: {
            if (StartsWith(bytes, kUtf16LeBom)) {
                bytes.remove_prefix(kUtf16LeBom.size());
            }
            std::u16string units(bytes.size() / 2, u'\0');
            for (std::size_t i = 0; i < units.size(); ++i) {
                units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
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
        case TextEncoding::Utf16LE: {
            std::string out;
            out.reserve(text.size() * 2);
            for (char16_t unit : WideToUtf16(text)) {
                out += static_cast<char>(unit & 0xFF);
                out += static_cast<char>(unit >> 8);
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
    switch (encoding) {
        case TextEncoding::Utf8Bom:
            return std::string(kUtf8Bom) + *body;
        case TextEncoding::Utf16LE:
            return std::string(kUtf16LeBom) + *body;
        default:
            return body;
    }
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
