#pragma once
// Integer helpers of the HTML layout. Positions and sums are kept within
// ±kHtmlMaxExtent, so that no markup can make them overflow.

#include <algorithm>
#include <cstdint>

inline constexpr long long kHtmlMaxExtent = 1LL << 28;

inline int SaturateExtent(long long value) {
    return static_cast<int>(std::clamp(value, -kHtmlMaxExtent, kHtmlMaxExtent));
}

inline int AddClamped(long long a, long long b) { return SaturateExtent(a + b); }

// number * numerator / denominator rounded half away from zero; 0 for a zero denominator.
inline int MulDiv(long long number, long long numerator, long long denominator) {
    if (denominator == 0) {
        return 0;
    }
    const long long product = number * numerator;
    const long long half = (denominator < 0 ? -denominator : denominator) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const long long magnitude = ((product < 0 ? -product : product) + half) / (denominator < 0 ? -denominator : denominator);
    return SaturateExtent(negative ? -magnitude : magnitude);
}
