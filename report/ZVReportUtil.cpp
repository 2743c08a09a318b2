#include "report/ZVReportUtil.h"

#include <charconv>
#include <cmath>
#include <cstdint>

double CZVReportUtil::AbsValue(float value)
{
    return std::fabs(static_cast<double>(value));
}

std::wstring CZVReportUtil::FormatValue3(float value)
{
    constexpr double kLimit = 9223372036854775808.0;  // 2^63
    // In double precision: a float's thousandfold above 2^24 would lose the digits
    // that are being rounded.
    const double thousandfold = static_cast<double>(value) * 1000.0;
    double rounded = value;
    const double shifted = thousandfold + (thousandfold < 0.0 ? -0.5 : 0.5);
    // Converting a double outside the 64-bit range (or one that is not a number) is
    // undefined, so test first.
    if (shifted > -kLimit && shifted < kLimit) {
        rounded = static_cast<double>(static_cast<std::int64_t>(shifted)) / 1000.0;
    }
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, 3);
    return std::wstring(buffer, result.ptr);
}
