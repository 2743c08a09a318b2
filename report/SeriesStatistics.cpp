#include "report/SeriesStatistics.h"

#include <cmath>
#include <cstdlib>

#include "terminal/CalcDatMgr.h"
#include "terminal/ZVDataManager.h"

std::uint32_t SeriesCount(const std::vector<float>& series)
{
    std::uint32_t count = 0;
    for (const float sample : series) {
        count += HasValue(sample) ? 1 : 0;
    }
    return count;
}

float SeriesMax(const std::vector<float>& series)
{
    bool found = false;
    float maximum = 0.0f;
    for (const float sample : series) {
        if (HasValue(sample) && (!found || sample > maximum)) {
            maximum = sample;
            found = true;
        }
    }
    return maximum;
}

float SeriesMin(const std::vector<float>& series)
{
    bool found = false;
    float minimum = 0.0f;
    for (const float sample : series) {
        if (HasValue(sample) && (!found || sample < minimum)) {
            minimum = sample;
            found = true;
        }
    }
    return minimum;
}

float SeriesMean(const std::vector<float>& series)
{
    double sum = 0.0;
    std::uint32_t count = 0;
    for (const float sample : series) {
        if (HasValue(sample)) {
            sum += sample;
            ++count;
        }
    }
    return count == 0 ? 0.0f : static_cast<float>(sum / count);
}

std::uint32_t CountOver(const std::vector<float>& series, float limit)
{
    std::uint32_t over = 0;
    for (const float sample : series) {
        over += HasValue(sample) && sample > limit ? 1 : 0;
    }
    return over;
}

float GetCP95(const std::vector<float>& values)
{
    std::vector<CalcDatMgr::Pair> samples;
    samples.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (HasValue(values[i])) {
            samples.emplace_back(values[i], static_cast<std::uint32_t>(i));
        }
    }
    CalcDatMgr::Pair value{0.0f, 0};
    return Percentile95(std::move(samples), value) ? value.first : 0.0f;
}

void CopyNonNegativeValues(const std::vector<float>& source, std::vector<float>& destination)
{
    destination.clear();
    for (const float value : source) {
        if (value >= 0.0f) {
            destination.push_back(value);
        }
    }
}

bool IsFrequencyWithin(float value)
{
    return value >= kFrequencyLow && value <= kFrequencyHigh;
}

std::uint32_t CountUnbalanceOver(const std::vector<float>& maximum, const std::vector<float>& average)
{
    std::uint32_t over = 0;
    for (std::size_t i = 0; i < maximum.size(); ++i) {
        if (!HasValue(maximum[i])) {
            continue;
        }
        const bool averageOver = i < average.size() && HasValue(average[i]) && std::fabs(average[i]) > kUnbalanceLimit;
        if (averageOver || std::fabs(maximum[i]) > kUnbalanceMaxLimit) {
            ++over;
        }
    }
    return over;
}

bool IsUnbalancePass(float cp95, float maximum)
{
    return cp95 <= kUnbalanceLimit && maximum <= kUnbalanceMaxLimit;
}
