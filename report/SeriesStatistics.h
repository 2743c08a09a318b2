#pragma once
// The statistics every report states of a series of interval values, and the rules
// the RTF and the spreadsheet report share for judging them. A sample without value
// (the readers' no-value marker, or a value that is not finite) takes no part in any
// of them: not in the extremes, the mean, the 95 % value, the test counts or the
// counts over a limit.

#include <cmath>
#include <cstdint>
#include <vector>

#include "terminal/ZVDataManager.h"

// Whether a sample carries a value.
inline bool HasValue(float sample)
{
    return std::isfinite(sample) && !IsNoValue(sample);
}

// The number of samples with a value: the number of tests a report states.
std::uint32_t SeriesCount(const std::vector<float>& series);
// The largest, the smallest and the mean of the samples with a value; 0 when none has one.
float SeriesMax(const std::vector<float>& series);
float SeriesMin(const std::vector<float>& series);
float SeriesMean(const std::vector<float>& series);
// The number of samples strictly greater than the limit (a sample equal to it passes).
std::uint32_t CountOver(const std::vector<float>& series, float limit);

// The 95 % value: the sample at rank (n × 0.95 + 0.5) − 1 of the n samples with a
// value in ascending order; 0 when none has one. The series itself keeps its order,
// since callers pair its samples by index afterwards.
float GetCP95(const std::vector<float>& values);

// Empties the destination and appends, in order, every source value not below 0.
void CopyNonNegativeValues(const std::vector<float>& source, std::vector<float>& destination);

// The permitted supply frequency (GB/T 15945): 49.8 to 50.2 Hz, both ends
// inclusive, held against single-precision samples in single precision.
inline constexpr float kFrequencyLow = 49.8f;
inline constexpr float kFrequencyHigh = 50.2f;
bool IsFrequencyWithin(float value);

// Negative-sequence voltage unbalance (GB/T 15543): 2.0 % for the 95 % value and the
// mean, 4.0 % for the maximum.
inline constexpr float kUnbalanceLimit = 2.0f;
inline constexpr float kUnbalanceMaxLimit = 4.0f;
// The intervals (those whose maximum has a value) over the limit: the average above
// 2.0 % or the maximum of the same interval above 4.0 %. An interval without average
// (a shorter series, or no value) is judged by its maximum alone.
std::uint32_t CountUnbalanceOver(const std::vector<float>& maximum, const std::vector<float>& average);
// The verdict: the 95 % value at most 2.0 % and the maximum at most 4.0 %.
bool IsUnbalancePass(float cp95, float maximum);
