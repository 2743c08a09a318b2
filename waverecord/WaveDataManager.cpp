#include "waverecord/WaveDataManager.h"

#include <cmath>

#include "core/NumberHelpers.h"
#include "terminal/ZVDataManager.h"

void CWaveDataManager::Release()
{
    m_descriptor = CWaveSeriesDescriptor();
}

std::uint64_t CWaveDataManager::GetCount()
{
    const std::int64_t count = m_descriptor.GetCount();
    return count > 0 ? static_cast<std::uint64_t>(count) : 0;
}

bool CWaveDataManager::GetValue(std::int64_t index, double* value)
{
    float read = 0.0f;
    if (value == nullptr || !m_descriptor.IsUsable() || !m_descriptor.ReadAt(index, &read)) {
        return false;
    }
    *value = read;
    return true;
}

void CWaveDataManager::SetValueRange(float minimum, float maximum)
{
    m_minValue = minimum;
    m_maxValue = maximum;
}

std::int64_t CWaveDataManager::ToPosition(float value) const
{
    if (!std::isfinite(value)) {
        return kNoValuePosition;
    }
    // The value is taken to ten decimals first, so that values printed alike map alike.
    return ToFixedPoint(RoundToDecimals(static_cast<double>(value), 10), m_minValue, m_maxValue);
}

bool CWaveDataManager::ReadSample(std::int64_t index, std::int64_t* position) const
{
    if (position == nullptr || !m_descriptor.IsUsable() || index < 0 || index >= m_descriptor.GetCount()) {
        return false;
    }
    float value = 0.0f;
    *position = m_descriptor.ReadAt(index, &value) ? ToPosition(value) : kNoValuePosition;
    return true;
}

bool CWaveDataManager::GetNext(std::int64_t* index, std::int64_t* position)
{
    if (index == nullptr || !ReadSample(*index, position)) {
        return false;
    }
    ++*index;
    return true;
}

bool CWaveDataManager::GetPrev(std::int64_t* index, std::int64_t* position)
{
    if (index == nullptr || !ReadSample(*index, position)) {
        return false;
    }
    --*index;
    return true;
}

bool CWaveDataManager::GetRange(std::int64_t* start, std::int64_t* end) const
{
    return m_descriptor.dataSet != nullptr && start != nullptr && end != nullptr &&
           m_descriptor.dataSet->GetRange(start, end);
}

bool CWaveDataManager::ClampRange(std::int64_t* first, std::int64_t* last) const
{
    return m_descriptor.ClampRange(first, last);
}

bool CWaveDataManager::GetMinMax(float* minimum, float* maximum) const
{
    if (minimum == nullptr || maximum == nullptr || !m_descriptor.IsUsable()) {
        return false;
    }
    const auto at = [this](std::int64_t i) {
        float value = 0.0f;
        return m_descriptor.ReadAt(i, &value) ? value : 0.0f;
    };
    const std::int64_t count = m_descriptor.GetCount();
    float low = 0.0f, high = 0.0f;
    std::int64_t next = 0;
    // Pairs: the smaller of a pair only meets the minimum, the larger only the
    // maximum. An odd count starts from the first value alone.
    if (count % 2 != 0) {
        low = high = at(0);
        next = 1;
    } else {
        const float a = at(0), b = at(1);
        low = std::fmin(a, b);
        high = std::fmax(a, b);
        next = 2;
    }
    // What is left after the start is an even number of values.
    for (; next < count; next += 2) {
        const float a = at(next), b = at(next + 1);
        const float small = a < b ? a : b;
        const float large = a < b ? b : a;
        low = small < low ? small : low;
        high = large > high ? large : high;
    }
    *minimum = low;
    *maximum = high;
    return true;
}

bool CWaveDataManager::GetMean(float* mean) const
{
    if (mean == nullptr || !m_descriptor.IsUsable()) {
        return false;
    }
    double sum = 0.0;
    std::int64_t count = 0;
    float value = 0.0f;
    while (m_descriptor.ReadAt(count, &value)) {
        sum += value;
        ++count;
    }
    if (count == 0) {
        return false;
    }
    *mean = static_cast<float>(sum / static_cast<double>(count));
    return true;
}
