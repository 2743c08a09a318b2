#include "terminal/ComtradeDataManager.h"

#include "core/NumberHelpers.h"

void CComtradeDataManager::Release()
{
    m_Count = 0;
    m_Added = 0;
    m_Samples.clear();
    m_MaxValue = kStartMax;
    m_MinValue = kStartMin;
    m_DisplayLow = kStartMax;
    m_DisplayHigh = kStartMin;
    m_RangeSet = 0;
    m_MaxIndex = 0;
}

std::uint64_t CComtradeDataManager::GetCount()
{
    return m_Stretch == 1 ? m_Count * Factor() : m_Count;
}

bool CComtradeDataManager::Read(std::int64_t* index, std::int64_t* position, std::int64_t step, bool previous)
{
    if (m_RangeSet == 0 || index == nullptr || position == nullptr || *index < 0) {
        return false;
    }
    std::uint64_t at = static_cast<std::uint64_t>(*index);
    // Without a mode the first sample has no predecessor to step back from.
    if (at >= GetCount() || (previous && at == 0 && m_Stretch == 0)) {
        return false;
    }
    at /= Factor();
    // The visible count never exceeds what is stored; guard all the same.
    if (at >= m_Samples.size()) {
        return false;
    }
    *position = ToFixedPoint(m_Samples[static_cast<std::size_t>(at)], m_DisplayLow, m_DisplayHigh);
    *index += step;
    return true;
}

bool CComtradeDataManager::GetNext(std::int64_t* index, std::int64_t* position)
{
    return Read(index, position, 1, false);
}

bool CComtradeDataManager::GetPrev(std::int64_t* index, std::int64_t* position)
{
    return Read(index, position, -1, true);
}

bool CComtradeDataManager::GetValue(std::int64_t index, double* value)
{
    if (value == nullptr || index < 0 || static_cast<std::uint64_t>(index) >= m_Samples.size()) {
        return false;
    }
    *value = m_Samples[static_cast<std::size_t>(index)];
    return true;
}

bool CComtradeDataManager::AddValue(double value)
{
    value = RoundToDecimals(value, 3);
    if (value > m_MaxValue) {
        m_MaxValue = value;
        m_MaxIndex = static_cast<std::uint32_t>(m_Count);
    }
    if (value < m_MinValue) {
        m_MinValue = value;
    }
    m_Samples.push_back(value);
    ++m_Count;
    ++m_Added;
    return true;
}

void CComtradeDataManager::SetYRange(const double* low, const double* high)
{
    if (low != nullptr) {
        m_DisplayLow = *low;
    }
    if (high != nullptr) {
        m_DisplayHigh = *high;
    }
    m_RangeSet = 1;
}

void CComtradeDataManager::SetMode(std::uint32_t factor)
{
    m_Factor = factor;
    m_Stretch = 1;
}

int CComtradeDataManager::GetSecondValue(float* value) const
{
    if (value == nullptr || m_Samples.size() != 2) {
        return 0;
    }
    *value = static_cast<float>(m_Samples[1]);
    return 1;
}

int CComtradeDataManager::GetMinMax(std::vector<float>& destination, float* maximum, float* minimum) const
{
    destination.clear();
    if (m_Samples.empty()) {
        return 0;
    }
    double high = kStartMax;
    double low = kStartMin;
    bool any = false;
    for (double sample : m_Samples) {
        if (sample >= 0.0) {
            destination.push_back(static_cast<float>(sample));
            high = sample > high ? sample : high;
            low = sample < low ? sample : low;
            any = true;
        } else {
            destination.push_back(0.0f);
        }
    }
    if (!destination.empty()) {
        if (maximum != nullptr) {
            *maximum = static_cast<float>(high);
        }
        if (minimum != nullptr) {
            *minimum = static_cast<float>(low);
        }
    }
    return any ? 1 : 0;
}
