#include "terminal/OriginalDataManager.h"

COriginalDataManager::COriginalDataManager(std::uint32_t tag) : CRecordDataManager(tag)
{
    Clear();
}

bool COriginalDataManager::Step(std::int64_t* index, std::int64_t* position, std::int64_t step)
{
    WidenDisplayRange();
    if (index == nullptr || position == nullptr) {
        return false;
    }
    const std::int64_t relative = *index - m_RangeFirst;
    if (relative < 0 || static_cast<std::uint64_t>(relative) >= m_Count) {
        return false;
    }
    *position = PositionAt(static_cast<std::size_t>(relative));
    *index += step;
    return true;
}

bool COriginalDataManager::GetNext(std::int64_t* index, std::int64_t* position)
{
    return Step(index, position, 1);
}

bool COriginalDataManager::GetPrev(std::int64_t* index, std::int64_t* position)
{
    return Step(index, position, -1);
}

void COriginalDataManager::SetRange(std::int64_t first, std::int64_t last)
{
    m_RangeFirst = first;
    m_RangeLast = last;
}

void COriginalDataManager::GetRange(std::int64_t* first, std::int64_t* last)
{
    if (first != nullptr) {
        *first = m_RangeFirst;
    }
    if (last != nullptr) {
        *last = m_RangeLast;
    }
}

void COriginalDataManager::Clear()
{
    CRecordDataManager::Clear();
    m_RangeFirst = 0;
    m_RangeLast = -1;
}
