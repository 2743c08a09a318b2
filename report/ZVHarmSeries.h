#pragma once
// CZVHarmSeries: one bar group of a harmonic picture (one harmonic order): its
// label and its bars, each the index of the legend item it belongs to and a value.
// Values without a number (not finite, or the readers' no-value marker) keep their
// bar place but take no part in the extremes.

#include <cfloat>
#include <cstdint>
#include <string>
#include <vector>

struct CZVHarmValue {
    std::uint32_t index = 0;  // the legend item
    float value = 0.0f;
};

class CZVHarmSeries {
public:
    explicit CZVHarmSeries(std::wstring seriesName = {}) : name(std::move(seriesName)) {}

    void AddValue(float value, std::uint32_t index);

    std::wstring name;
    std::vector<CZVHarmValue> values;
    float minimum = FLT_MAX;
    float maximum = -FLT_MAX;
};
