#include "terminal/ZVDataManager.h"

#include <cmath>
#include <limits>

std::int64_t ToFixedPoint(double value, double low, double high)
{
    if (std::isnan(value)) {
        return kNoValuePosition;
    }
    const double span = high - low;
    if (span == 0.0 || std::isnan(span)) {
        return 0;
    }
    const double scaled = (value - low) * 4294967296.0 / span + 0.5;
    // 2^63 as a double; anything at or beyond it does not fit a signed 64-bit value.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(scaled)) {
        return kNoValuePosition;
    }
    if (scaled >= limit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (scaled <= -limit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(scaled);
}

void IZVDataManager::SetRange(std::int64_t, std::int64_t) {}

void IZVDataManager::GetRange(std::int64_t* first, std::int64_t* second)
{
    if (first != nullptr) {
        *first = 0;
    }
    if (second != nullptr) {
        *second = -1;
    }
}
