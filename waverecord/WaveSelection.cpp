#include "waverecord/WaveSelection.h"

CWaveSelection& CWaveSelection::Instance()
{
    static CWaveSelection instance;
    return instance;
}

void CWaveSelection::SetSelectedSampleRange(std::int64_t first, std::int64_t end)
{
    const std::lock_guard lock(m_lock);
    m_firstSample = first;
    m_endSample = end;
}

void CWaveSelection::SetSelectedTimeRange(std::int64_t startMs, std::int64_t endMs)
{
    const std::lock_guard lock(m_lock);
    m_startMs = startMs;
    m_endMs = endMs;
}

void CWaveSelection::Clear()
{
    const std::lock_guard lock(m_lock);
    m_firstSample = m_endSample = m_startMs = m_endMs = 0;
}

int CWaveSelection::GetSelectedSampleRange(std::int64_t& first, std::int64_t& end) const
{
    const std::lock_guard lock(m_lock);
    first = m_firstSample;
    end = m_endSample;
    return 1;
}

int CWaveSelection::GetSelectedTimeRange(std::int64_t& startMs, std::int64_t& endMs) const
{
    const std::lock_guard lock(m_lock);
    startMs = m_startMs;
    endMs = m_endMs;
    return 1;
}
