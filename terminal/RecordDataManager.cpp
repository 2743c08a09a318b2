#include "terminal/RecordDataManager.h"

#include <algorithm>

#include "core/NumberHelpers.h"

CRecordDataManager::CRecordDataManager(std::uint32_t tag) : m_Tag(tag) {}

void CRecordDataManager::Release()
{
    Clear();
}

void CRecordDataManager::WidenDisplayRange()
{
    // A series of gaps only has no extremes to show.
    if (!m_HasValue) {
        return;
    }
    if (m_MinValue < m_DisplayLow) {
        m_DisplayLow = m_MinValue;
    }
    if (m_DisplayHigh < m_MaxValue) {
        m_DisplayHigh = m_MaxValue;
    }
}

std::int64_t CRecordDataManager::PositionAt(std::size_t at) const
{
    return IsNoValue(m_Values[at]) ? kNoValuePosition : ToFixedPoint(m_Values[at], m_DisplayLow, m_DisplayHigh);
}

bool CRecordDataManager::GetNext(std::int64_t* index, std::int64_t* position)
{
    WidenDisplayRange();
    if (index == nullptr || position == nullptr || *index < 0 ||
        static_cast<std::uint64_t>(*index) >= m_Count) {
        return false;
    }
    const auto at = static_cast<std::size_t>(*index);
    *position = PositionAt(at);
    ++*index;
    return true;
}

bool CRecordDataManager::GetPrev(std::int64_t* index, std::int64_t* position)
{
    WidenDisplayRange();
    if (index == nullptr || position == nullptr || *index < 0 ||
        static_cast<std::uint64_t>(*index) >= m_Count) {
        return false;
    }
    *position = PositionAt(static_cast<std::size_t>(*index));
    --*index;
    return true;
}

std::uint64_t CRecordDataManager::GetCount()
{
    return m_Count;
}

bool CRecordDataManager::GetValue(std::int64_t index, double* value)
{
    if (value == nullptr || index < 0 || static_cast<std::uint64_t>(index) >= m_Values.size()) {
        return false;
    }
    *value = m_Values[static_cast<std::size_t>(index)];
    return true;
}

bool CRecordDataManager::AddValue(double value)
{
    if (IsNoValue(value)) {
        if (m_Substitute == kNoSubstitute || IsNoValue(m_Substitute)) {
            // Kept as a gap: dropping it would move every later sample to an
            // earlier time. A gap has no value, so it neither moves the extremes
            // nor passes the limits.
            m_Values.push_back(kNoValue);
            ++m_Count;
            return true;
        }
        value = m_Substitute;
    }
    value = RoundToDecimals(value, 3);
    if (m_LimitMode == ClampToLimits) {
        value = std::clamp(value, m_LimitLow, m_LimitHigh);
    } else if (m_LimitMode == RejectOutside && (value > m_LimitHigh || value < m_LimitLow)) {
        return false;
    }
    if (!m_HasValue) {
        m_MaxValue = value;
        m_MinValue = value;
        m_HasValue = true;
    } else {
        m_MaxValue = std::max(m_MaxValue, value);
        m_MinValue = std::min(m_MinValue, value);
    }
    m_Values.push_back(value);
    ++m_Count;
    return true;
}

int CRecordDataManager::SetDisplayRange(const double* low, const double* high)
{
    if (low != nullptr) {
        m_DisplayLow = *low;
    }
    if (high != nullptr) {
        m_DisplayHigh = *high;
    }
    return 1;
}

int CRecordDataManager::SetLimits(const double* low, const double* high, std::int32_t mode, double substitute)
{
    m_LimitMode = mode;
    m_Substitute = substitute;
    if (low == nullptr || high == nullptr || !(*high > *low)) {
        return 0;
    }
    m_LimitLow = *low;
    m_LimitHigh = *high;
    return 1;
}

int CRecordDataManager::ClearIfAllZero()
{
    if (!std::all_of(m_Values.begin(), m_Values.end(), [](double v) { return v == 0.0 || IsNoValue(v); })) {
        return 0;
    }
    m_Values.clear();
    m_Count = 0;
    m_MaxValue = m_MinValue = 0.0;
    m_DisplayLow = m_DisplayHigh = 0.0;
    m_Word = 0;
    m_Tag = 0;
    m_Last = 0.0;
    m_HasValue = false;
    return 1;
}

void CRecordDataManager::Clear()
{
    m_Values.clear();
    m_Count = 0;
    m_HasValue = false;
    m_MaxValue = m_MinValue = 0.0;
    m_DisplayLow = m_DisplayHigh = 0.0;
}
