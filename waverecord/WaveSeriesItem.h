#pragma once
// CWaveSeriesItem: one series of a result record, the series source the viewer draws
// from, how the series is shown (its row kind, name, tag, range) and the values
// computed over it (extremes, mean, 95 % value), which are worked out once and kept
// until the series' range changes.
//
// A record and its copies share the series source and the computed values
// (WaveSeriesShare); each has its own name, tag, row kind and summary cache. Once
// the master record releases everything, the shared source reads nothing, so a copy
// that outlives it never reaches the data of a closed record.

#include <cstdint>
#include <memory>
#include <string>

#include "waverecord/WaveDataManager.h"
#include "waverecord/WaveViewer.h"

inline constexpr float kWaveNoMinimum = 3.40282e38f;
inline constexpr float kWaveNoMaximum = -1.17549e38f;

struct WaveValueCache {
    float minimum = kWaveNoMinimum;
    float maximum = kWaveNoMaximum;
    float mean = 0.0f;
    float percentile95 = 0.0f;
    bool rangeStale = true;
    bool meanStale = true;
    bool percentileStale = true;
    bool hostStale = true;
    // The summary cache the view host built over the series; released here.
    IWaveSource* hostSource = nullptr;

    void Invalidate() { rangeStale = meanStale = percentileStale = true; }
    void ReleaseHostSource();
};

class WaveSeriesShare {
public:
    explicit WaveSeriesShare(const CWaveSeriesDescriptor& descriptor) : m_manager(descriptor) {}
    ~WaveSeriesShare() { m_cache.ReleaseHostSource(); }
    WaveSeriesShare(const WaveSeriesShare&) = delete;
    WaveSeriesShare& operator=(const WaveSeriesShare&) = delete;

    // Null once released.
    CWaveDataManager* Manager() { return m_released ? nullptr : &m_manager; }
    WaveValueCache& Cache() { return m_cache; }
    // Drops the summary cache and forgets the series for the master and every copy.
    void Release();

private:
    CWaveDataManager m_manager;
    WaveValueCache m_cache;
    bool m_released = false;
};

class CWaveSeriesItem {
public:
    explicit CWaveSeriesItem(std::shared_ptr<WaveSeriesShare> share) : m_share(std::move(share)) {}
    // Releases the item's own summary cache; the row kind belongs to its row.
    ~CWaveSeriesItem();
    CWaveSeriesItem(const CWaveSeriesItem&) = delete;
    CWaveSeriesItem& operator=(const CWaveSeriesItem&) = delete;

    // The item of a copy: same source, values, tag and name; no row kind, no cache.
    std::unique_ptr<CWaveSeriesItem> Copy() const;

    CWaveDataManager* Manager() { return m_share ? m_share->Manager() : nullptr; }
    WaveValueCache& Cache() { return m_share->Cache(); }
    void ReleaseSource();
    // Releases the source, forgets the row kind and releases what is shared.
    void ReleaseAll();

    std::shared_ptr<WaveSeriesShare> m_share;
    int m_nTag = 255;
    IWaveRowImp* m_pRow = nullptr;
    std::wstring m_strName;
    float m_fMin = kWaveNoMinimum;
    float m_fMax = kWaveNoMaximum;
    IWaveSource* m_pSource = nullptr;
};
