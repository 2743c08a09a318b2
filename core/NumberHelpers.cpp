#include "core/NumberHelpers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

int ScaleToFixedPoint(double value, double minimum, double maximum, std::int64_t& result) {
    constexpr double kScale = 4294967296.0;  // 2^32: the top of the display range
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    const double scaled = (value - minimum) * kScale / (maximum - minimum) + 0.5;
    // Converting a double outside the target range is undefined, so test first.
    if (scaled >= -kLimit && scaled < kLimit) {
        result = static_cast<std::int64_t>(scaled);
    } else {
        result = std::numeric_limits<std::int64_t>::min();
    }
    return 1;
}

double PowInt(double base, int exponent) {
    // The magnitude as unsigned, so that the most negative exponent does not overflow.
    unsigned long long remaining = exponent < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(exponent))
                                                : static_cast<unsigned long long>(exponent);
    double result = 1.0;
    double square = base;
    while (remaining != 0) {
        if ((remaining & 1U) != 0) {
            result *= square;
        }
        square *= square;
        remaining >>= 1U;
    }
    return exponent < 0 ? 1.0 / result : result;
}

double RoundToDecimals(double value, int decimals) {
    // The powers of ten of every count of decimals, worked out once: the viewer rounds
    // each sample it reads through here.
    struct Powers {
        double factor;
        double half;  // half a unit of the last decimal
    };
    static const std::array<Powers, 21> powers = [] {
        std::array<Powers, 21> table{};
        for (int d = 1; d <= 20; ++d) {
            table[static_cast<std::size_t>(d)] = {PowInt(10.0, d), 5.0 * PowInt(10.0, -(d + 1))};
        }
        return table;
    }();
    const Powers& p = powers[static_cast<std::size_t>(std::clamp(decimals, 1, 20))];
    return std::floor((value + p.half) * p.factor) / p.factor;
}

double ParseLeadingDouble(std::wstring_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == L' ' || (text[pos] >= L'\t' && text[pos] <= L'\r'))) {
        ++pos;
    }
    if (pos + 1 < text.size() && text[pos] == L'+' && text[pos + 1] != L'-') {
        ++pos;
    }
    std::string ascii;
    for (; pos < text.size() && text[pos] > 0 && text[pos] < 0x80; ++pos) {
        ascii += static_cast<char>(text[pos]);
    }
    double value = 0.0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large gives infinity, too small zero, each with its sign.
        const std::string_view number(ascii.data(), static_cast<std::size_t>(result.ptr - ascii.data()));
        const std::size_t exponent = number.find_first_of("eE");
        const bool tiny = exponent != std::string_view::npos && number.substr(exponent + 1).starts_with('-');
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        return number.starts_with('-') ? -value : value;
    }
    return result.ec == std::errc() ? value : 0.0;
}

std::wstring FormatFixed(double value, int decimals) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, std::clamp(decimals, 0, 17));
    return result.ec == std::errc() ? std::wstring(buffer, result.ptr) : std::wstring();
}
