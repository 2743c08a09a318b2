#include "lib/viewer/data/DecimalText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cwctype>
#include <limits>

namespace tracelume {

namespace {

struct Scanned {
    bool negative = false;
    std::uint64_t magnitude = 0;
    std::size_t length = 0;  // characters read, white space and sign included
};

std::optional<Scanned> ScanDigits(std::wstring_view text) {
    Scanned scanned;
    std::size_t at = 0;
    while (at < text.size() && std::iswspace(static_cast<wint_t>(text[at])) != 0) {
        ++at;
    }
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        scanned.negative = text[at] == L'-';
        ++at;
    }
    const std::size_t digits = at;
    constexpr std::uint64_t kLimit = std::numeric_limits<std::uint64_t>::max();
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        const auto digit = static_cast<std::uint64_t>(text[at] - L'0');
        if (scanned.magnitude > (kLimit - digit) / 10) {
            return std::nullopt;
        }
        scanned.magnitude = scanned.magnitude * 10 + digit;
    }
    if (at == digits) {
        return std::nullopt;
    }
    scanned.length = at;
    return scanned;
}

}  // namespace

std::optional<std::int64_t> ScanSigned(std::wstring_view& text, std::int64_t lowest, std::int64_t highest) {
    const std::optional<Scanned> scanned = ScanDigits(text);
    if (!scanned) {
        return std::nullopt;
    }
    // Magnitudes are compared in unsigned terms so that the most negative value fits.
    std::int64_t value = 0;
    if (scanned->negative) {
        const std::uint64_t limit = lowest < 0 ? 0 - static_cast<std::uint64_t>(lowest) : 0;
        if (scanned->magnitude > limit || (scanned->magnitude != 0 && lowest >= 0)) {
            return std::nullopt;
        }
        value = static_cast<std::int64_t>(0 - scanned->magnitude);
    } else {
        if (highest < 0 || scanned->magnitude > static_cast<std::uint64_t>(highest)) {
            return std::nullopt;
        }
        value = static_cast<std::int64_t>(scanned->magnitude);
    }
    if (value < lowest) {
        return std::nullopt;
    }
    text.remove_prefix(scanned->length);
    return value;
}

std::optional<std::uint64_t> ScanUnsigned(std::wstring_view& text, std::uint64_t highest) {
    const std::optional<Scanned> scanned = ScanDigits(text);
    if (!scanned || scanned->magnitude > highest) {
        return std::nullopt;
    }
    text.remove_prefix(scanned->length);
    if (!scanned->negative || scanned->magnitude == 0) {
        return scanned->magnitude;
    }
    // Negation modulo highest + 1, which is a power of two for every unsigned width.
    return (highest - scanned->magnitude) + 1;
}

std::wstring FixedText(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? L"nan" : (value < 0 ? L"-inf" : L"inf");
    }
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, 20));
    return std::wstring(buffer.data(), result.ptr);
}

}  // namespace tracelume
