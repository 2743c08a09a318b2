#include "report/ZVTrendPic.h"

#include <algorithm>
#include <cmath>

#include "report/SeriesStatistics.h"

CZVTrendPic::CZVTrendPic(std::wstring picTitle, std::wstring picUnit, std::int64_t start, std::int64_t end,
                         double picStep)
    : step(picStep), startTime(start), endTime(end), title(std::move(picTitle)), unit(std::move(picUnit))
{
}

void CZVTrendPic::UpdateSummary(const CZVTrendCurve& curve)
{
    switch (curve.kind) {
        case CZVTrendCurve::kMaximum: {
            summaryMax = curve.maximum;
            // A time that does not fit the 64-bit time (a step that is not a number
            // or an absurd one) leaves the start time.
            const double offset = std::trunc(static_cast<double>(curve.maxIndex) * step);
            maxTime = std::isfinite(offset) && std::fabs(offset) < 9.0e18 ? startTime + static_cast<std::int64_t>(offset)
                                                                           : startTime;
            break;
        }
        case CZVTrendCurve::kMinimum:
            summaryMin = curve.minimum;
            break;
        case CZVTrendCurve::kAverage:
            if (SeriesCount(curve.values) > 0) {
                summaryAvg = SeriesMean(curve.values);
            }
            break;
        default:
            break;
    }
    curves.push_back(&curve);
}

std::size_t CZVTrendPic::LongestCount() const
{
    std::size_t longest = 0;
    for (const CZVTrendCurve* curve : curves) {
        longest = std::max(longest, curve != nullptr ? curve->values.size() : 0);
    }
    return longest;
}
