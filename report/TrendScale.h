#pragma once
// The value axis and the plotted points of a trend chart, worked out before
// anything is drawn: the range of the curves with its margins, the axis rounded to
// six even steps, and each curve reduced to at most 500 points. Every step from a
// measured value to a whole number is range-checked, so huge values, values that
// are not numbers and samples without value never reach an integer conversion
// out of range, and an empty, flat or single-sample chart never divides by zero.

#include <cstdint>
#include <vector>

#include "report/ZVTrendPic.h"

namespace report {

// The axis of a trend chart.
struct TrendAxis {
    double maximum = 1.0;
    double minimum = -1.0;
    bool flat = false;      // all curves constant: every point at flatValue, no rounding
    double flatValue = 0.0;
    int labelDecimals = 2;  // "%.0f", "%.1f" or "%.2f"
};

// The axis for the picture's curves at the style (non-zero: wider margins) and the
// plot height. A chart without any value is flat at 0.
TrendAxis ComputeTrendAxis(const CZVTrendPic& picture, int style, double plotHeight);

// One plotted point: its place in the curve's series (a sample index, or the
// middle of a reduced bucket) and its value truncated to three decimals; a point
// without value breaks the line.
struct PlotPoint {
    double position = 0.0;
    double value = 0.0;
    bool valid = false;
};

inline constexpr std::uint64_t kMaxPlotPoints = 500;

// The curve's points: every sample while there are at most 500; otherwise 500
// buckets covering all samples in order, each the maximum, minimum or average of
// its samples with value, or its middle sample, as the curve's kind says.
std::vector<PlotPoint> ReduceCurve(const std::vector<float>& values, std::uint32_t kind,
                                   std::uint64_t buckets = kMaxPlotPoints);

// A value truncated toward zero at three decimals.
double Truncate3(double value);
// A whole number toward zero, held to the 64-bit range; 0 for a value that is not a number.
std::int64_t ToInt64Clamped(double value);
// start + offset, held to the 64-bit range.
std::int64_t AddClamped(std::int64_t start, std::int64_t offset);

}  // namespace report
