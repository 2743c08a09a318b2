#include "waverecord/WaveSeriesItem.h"

void WaveValueCache::ReleaseHostSource()
{
    if (hostSource != nullptr) {
        hostSource->Release();
        hostSource = nullptr;
    }
    hostStale = true;
}

void WaveSeriesShare::Release()
{
    m_cache.ReleaseHostSource();
    m_cache.Invalidate();
    m_manager.Release();
    m_released = true;
}

CWaveSeriesItem::~CWaveSeriesItem()
{
    ReleaseSource();
}

std::unique_ptr<CWaveSeriesItem> CWaveSeriesItem::Copy() const
{
    auto copy = std::make_unique<CWaveSeriesItem>(m_share);
    copy->m_nTag = m_nTag;
    copy->m_strName = m_strName;
    return copy;
}

void CWaveSeriesItem::ReleaseSource()
{
    if (m_pSource != nullptr) {
        m_pSource->Release();
        m_pSource = nullptr;
    }
}

void CWaveSeriesItem::ReleaseAll()
{
    ReleaseSource();
    m_pRow = nullptr;
    if (m_share) {
        m_share->Release();
    }
}
