#pragma once
// CZVTrendCurve: one curve of a trend picture: its legend text, colour (COLORREF),
// the values of its series (one per interval) and their extremes. The kind says
// which statistic the series holds (0 maxima, 1 minima, 2 averages; 3 for a series
// drawn by its middle samples) and so which summary value the curve gives its
// picture. Samples without value (the readers' no-value marker, or a value that is
// not finite) keep their place in the series but take no part in the extremes.

#include <cstdint>
#include <string>
#include <vector>

class CZVTrendCurve {
public:
    static constexpr std::uint32_t kMaximum = 0;
    static constexpr std::uint32_t kMinimum = 1;
    static constexpr std::uint32_t kAverage = 2;
    static constexpr std::uint32_t kMiddle = 3;

    CZVTrendCurve(std::wstring curveName, std::uint32_t curveColor, float curveScale, std::uint32_t curveKind);

    // Replaces the values by the source's, each less the offset, and finds the
    // extremes and the position of the first largest value. An empty source leaves
    // the curve as it was.
    void SetValues(const std::vector<float>& source, float offset);
    // Whether a sample of the curve carries a value (then maximum >= minimum).
    bool HasValues() const { return maximum >= minimum; }

    std::wstring name;
    std::uint32_t color = 0;
    std::vector<float> values;
    float maximum = -1e8f;
    float minimum = 1e8f;
    float scale = 1.0f;  // the line width
    std::uint32_t kind = kMaximum;
    std::uint64_t maxIndex = 0;
};
