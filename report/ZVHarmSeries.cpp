#include "report/ZVHarmSeries.h"

#include "report/SeriesStatistics.h"

void CZVHarmSeries::AddValue(float value, std::uint32_t index)
{
    if (HasValue(value)) {
        if (value < minimum) {
            minimum = value;
        }
        if (value > maximum) {
            maximum = value;
        }
    }
    values.push_back({index, value});
}
