#include "core/Ini.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string_view>

#include "core/NumberHelpers.h"
#include "platform/base/Encoding.h"
#include "platform/base/PrivateProfile.h"

namespace {

// Numbers and flags are read from at most this many characters, terminator included.
constexpr std::size_t kNumberBufferSize = 64;

bool IsIniSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'z') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'Z') {
        return c - L'A' + 10;
    }
    return 99;
}

// The unsigned long conversion of a 32-bit platform: leading white space, an optional
// sign, a "0x" prefix in base 16, digits up to the first non-digit; an overflow gives
// the largest value and a minus sign negates modulo 2^32.
std::uint32_t ToUnsigned(std::wstring_view text, int base) {
    std::size_t pos = 0;
    while (pos < text.size() && IsIniSpace(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    if (base == 16 && pos + 2 < text.size() && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X') &&
        DigitValue(text[pos + 2]) < 16) {
        pos += 2;
    }
    std::uint64_t value = 0;
    bool overflow = false;
    for (; pos < text.size() && DigitValue(text[pos]) < base; ++pos) {
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(DigitValue(text[pos]));
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            overflow = true;
            value = std::numeric_limits<std::uint32_t>::max();
        }
    }
    if (overflow) {
        return std::numeric_limits<std::uint32_t>::max();
    }
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? 0u - result : result;
}

// Whether the signed decimal conversion of the text is non-zero.
bool IsNonZeroInteger(std::wstring_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsIniSpace(text[pos])) {
        ++pos;
    }
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        ++pos;
    }
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        if (text[pos] != L'0') {
            return true;
        }
    }
    return false;
}

bool EqualsAsciiNoCase(std::wstring_view text, std::wstring_view word) {
    return std::equal(text.begin(), text.end(), word.begin(), word.end(), [](wchar_t a, wchar_t b) {
        const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
        return lower(a) == lower(b);
    });
}

}  // namespace

CIni::CIni(const wchar_t* path) {
    if (path != nullptr) {
        m_path = path;
    }
}

CIni::CIni(const std::wstring& path) : m_path(path) {}

CIni::~CIni() = default;

std::wstring CIni::GetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue) const {
    const std::wstring fallback = defaultValue != nullptr ? defaultValue : L"";
    if (section == nullptr || key == nullptr || !m_path) {
        return fallback;
    }
    std::optional<std::wstring> value = platform::ProfileGetString(platform::ToPath(*m_path), section, key);
    return value ? std::move(*value) : fallback;
}

std::size_t CIni::ReadToBuffer(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::size_t size,
                               const wchar_t* defaultValue) const {
    const std::wstring value = GetString(section, key, defaultValue);
    if (buffer == nullptr) {
        return value.size();
    }
    if (size == 0) {
        return 0;
    }
    const std::size_t length = std::min(value.size(), size - 1);
    std::copy_n(value.data(), length, buffer);
    buffer[length] = L'\0';
    return length;
}

std::uint32_t CIni::GetUInt(const wchar_t* section, const wchar_t* key, std::uint32_t defaultValue, int base) const {
    std::array<wchar_t, kNumberBufferSize> buffer{};
    const std::size_t length = ReadToBuffer(section, key, buffer.data(), buffer.size(), nullptr);
    if (length == 0) {
        return defaultValue;
    }
    if (base != 2 && base != 8 && base != 16) {
        base = 10;
    }
    return ToUnsigned(std::wstring_view(buffer.data(), length), base);
}

int CIni::GetBool(const wchar_t* section, const wchar_t* key, int defaultValue) const {
    std::array<wchar_t, kNumberBufferSize> buffer{};
    if (ReadToBuffer(section, key, buffer.data(), buffer.size(), nullptr) == 0) {
        return defaultValue;
    }
    return ParseBool(buffer.data(), defaultValue);
}

double CIni::GetDouble(const wchar_t* section, const wchar_t* key, double defaultValue) const {
    std::array<wchar_t, kNumberBufferSize> buffer{};
    const std::size_t length = ReadToBuffer(section, key, buffer.data(), buffer.size(), nullptr);
    if (length == 0) {
        return defaultValue;
    }
    return ParseLeadingDouble(std::wstring_view(buffer.data(), length));
}

int CIni::WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    if (section == nullptr || key == nullptr || !m_path) {
        return 0;
    }
    return platform::ProfileWriteString(platform::ToPath(*m_path), section, key, value != nullptr ? value : L"") ? 1
                                                                                                                   : 0;
}

int CIni::WriteStrings(const std::vector<Entry>& entries) {
    if (!m_path) {
        return 0;
    }
    return platform::ProfileWriteStrings(platform::ToPath(*m_path), entries) ? 1 : 0;
}

int CIni::WriteInt(const wchar_t* section, const wchar_t* key, std::int32_t value, int base) {
    if (section == nullptr || key == nullptr) {
        return 0;
    }
    if (base == 2 || base == 8 || base == 16) {
        std::array<wchar_t, kNumberBufferSize> buffer{};
        return WriteString(section, key, FormatNumber(static_cast<std::uint32_t>(value), buffer.data(), base));
    }
    return WriteString(section, key, std::to_wstring(value).c_str());
}

int CIni::WriteBool(const wchar_t* section, const wchar_t* key, int value) {
    return WriteString(section, key, value != 0 ? L"1" : L"0");
}

int CIni::ParseBool(const wchar_t* text, int defaultValue) {
    if (text == nullptr || *text == L'\0') {
        return defaultValue;
    }
    const std::wstring_view view(text);
    if (EqualsAsciiNoCase(view, L"true") || EqualsAsciiNoCase(view, L"yes")) {
        return 1;
    }
    return IsNonZeroInteger(view) ? 1 : 0;
}

const wchar_t* CIni::FormatNumber(std::uint32_t value, wchar_t* buffer, int base) {
    if (base != 2 && base != 8 && base != 16) {
        base = 10;
    }
    // Digits from the least significant one, then reversed in place.
    std::size_t length = 0;
    do {
        buffer[length++] = L"0123456789ABCDEF"[value % static_cast<unsigned>(base)];
        value /= static_cast<unsigned>(base);
    } while (value != 0);
    std::reverse(buffer, buffer + length);
    buffer[length] = L'\0';
    return buffer;
}
