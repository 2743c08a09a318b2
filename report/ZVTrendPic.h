#pragma once
// CZVTrendPic: one trend chart: title, unit, the time span of its series, the time
// between two values, its curves and the summary the chart prints (maximum,
// minimum, average and the time of the maximum). The picture refers to its curves;
// whoever made them keeps them alive until the picture is drawn.

#include <cstdint>
#include <string>
#include <vector>

#include "report/ZVTrendCurve.h"

class CZVTrendPic {
public:
    CZVTrendPic(std::wstring picTitle, std::wstring picUnit, std::int64_t start, std::int64_t end, double picStep);

    // Takes the curve's summary value by its kind and appends the curve.
    void UpdateSummary(const CZVTrendCurve& curve);

    // The longest number of values of any curve.
    std::size_t LongestCount() const;

    double step = 0.0;
    std::int64_t startTime = 0;
    std::int64_t endTime = 0;
    std::vector<const CZVTrendCurve*> curves;
    std::wstring title;
    std::wstring unit;
    float summaryMax = 0.0f;
    float summaryMin = 0.0f;
    float summaryAvg = 0.0f;
    std::int64_t maxTime = 0;
};
