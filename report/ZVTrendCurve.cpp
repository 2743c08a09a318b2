#include "report/ZVTrendCurve.h"

#include "report/SeriesStatistics.h"

CZVTrendCurve::CZVTrendCurve(std::wstring curveName, std::uint32_t curveColor, float curveScale,
                             std::uint32_t curveKind)
    : name(std::move(curveName)), color(curveColor), scale(curveScale), kind(curveKind)
{
}

void CZVTrendCurve::SetValues(const std::vector<float>& source, float offset)
{
    if (source.empty()) {
        return;
    }
    values.clear();
    values.reserve(source.size());
    maximum = -1e8f;
    minimum = 1e8f;
    maxIndex = 0;
    bool first = true;
    for (std::size_t i = 0; i < source.size(); ++i) {
        // A sample without value stays one: the marker is not shifted by the offset.
        const float value = HasValue(source[i]) ? source[i] - offset : source[i];
        values.push_back(value);
        if (!HasValue(value)) {
            continue;
        }
        if (first || value > maximum) {
            maximum = value;
            maxIndex = i;
        }
        if (first || value < minimum) {
            minimum = value;
        }
        first = false;
    }
}
