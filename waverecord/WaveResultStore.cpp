#include "waverecord/WaveResultStore.h"

#include <algorithm>
#include <new>
#include <vector>

#include "terminal/CalcDatMgr.h"

namespace {

bool IsHarmonicItemCode(std::int32_t code)
{
    switch (code) {
    case 2001: case 2002: case 2003: case 3001: case 3002: case 4001: case 4002: case 5001: case 5002:
    case 7001: case 7002: case 7003: case 8001: case 8002: case 9001: case 9002: case 10001: case 10002:
    case 12001: case 12002: case 12003:
        return true;
    default:
        return false;
    }
}

std::uint32_t KeyWord(std::int32_t high, std::int32_t kind)
{
    return (static_cast<std::uint32_t>(high) << 16) | (static_cast<std::uint32_t>(kind) & 0xFFFFu);
}

}  // namespace

CWaveSeriesItem* CWaveResultStore::Find(int phase, int statistic) const
{
    const auto byPhase = m_phases.find(phase);
    if (byPhase == m_phases.end() || !byPhase->second) {
        return nullptr;
    }
    const auto item = byPhase->second->find(statistic);
    return item != byPhase->second->end() ? item->second.get() : nullptr;
}

int CWaveResultStore::Add(int phase, int statistic, const CWaveSeriesDescriptor& descriptor)
{
    try {
        std::unique_ptr<PhaseMap>& map = m_phases[phase];
        if (!map) {
            map = std::make_unique<PhaseMap>();
        }
        std::unique_ptr<CWaveSeriesItem>& item = (*map)[statistic];
        if (item) {
            return 0;
        }
        item = std::make_unique<CWaveSeriesItem>(std::make_shared<WaveSeriesShare>(descriptor));
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

CWaveSeriesDescriptor CWaveResultStore::GetDescriptor(int phase, int statistic)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    CWaveDataManager* manager = item ? item->Manager() : nullptr;
    return manager ? manager->Descriptor() : CWaveSeriesDescriptor();
}

bool CWaveResultStore::LoadIntoHost(int phase, int statistic, IWaveViewHost* host)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    CWaveDataManager* manager = item ? item->Manager() : nullptr;
    if (!manager || !host) {
        return false;
    }
    WaveValueCache& cache = item->Cache();
    cache.ReleaseHostSource();
    cache.hostSource = host->CreateDataManager(manager);
    cache.hostStale = cache.hostSource == nullptr;
    return cache.hostSource != nullptr;
}

int CWaveResultStore::AttachRow(int phase, int statistic, IWaveViewer* viewer, IWaveRow* row,
                                const WaveRowAttributes& attributes)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    CWaveDataManager* manager = item ? item->Manager() : nullptr;
    if (!manager || !viewer || !row) {
        return 0;
    }
    if (item->m_pRow) {
        row->RemoveImp(item->m_pRow, 1);
        item->m_pRow = nullptr;
    }
    IWaveRowImp* imp = viewer->CreateRowImp(IWaveViewer::kAnalogRow);
    if (!imp) {
        return 0;
    }
    item->m_pRow = imp;
    const WaveValueCache& cache = item->Cache();
    if (!cache.hostStale && cache.hostSource) {
        imp->SetData(cache.hostSource);
    } else {
        item->m_fMin = attributes.low;
        item->m_fMax = attributes.high;
        manager->SetValueRange(attributes.low, attributes.high);
        item->ReleaseSource();
        item->m_pSource = viewer->CreateDataManager(manager);
        imp->SetData(item->m_pSource);
    }
    viewer->SetCursorPosition(static_cast<std::int64_t>(manager->GetCount()));
    row->AddImp(imp);

    WaveLineStyle style;
    style.textColour = style.lineColour = static_cast<std::uint32_t>(item->m_nTag);
    style.name = item->m_strName;
    if (IsHarmonicItemCode(attributes.itemCode)) {
        style.keyWord = KeyWord(attributes.order, attributes.kind);
        style.words[0] = attributes.itemCode;
        style.words[1] = attributes.word4;
    } else {
        style.keyWord = KeyWord(attributes.phase, attributes.kind);
        style.words[0] = attributes.itemCode;
        style.words[1] = attributes.phase;
        style.words[2] = attributes.kind;
    }
    // A sampled waveform is drawn as a line through its samples, a statistic series
    // as steps held over each window.
    style.drawMode = attributes.kind == kPlainValue ? 1 : 0;
    // The row's value axis: numbers with the quantity's unit beside the curves.
    style.showScale = 1;
    row->SetValueText(imp, style);
    return 1;
}

int CWaveResultStore::DetachRow(int phase, int statistic, IWaveRow* row)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    if (!item || !item->m_pRow || !row || row->RemoveImp(item->m_pRow, 1) == 0) {
        return 0;
    }
    item->m_pRow = nullptr;
    return 1;
}

std::wstring CWaveResultStore::SwapName(int phase, int statistic, const std::wstring& name)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    if (!item) {
        return std::wstring();
    }
    std::wstring previous = std::move(item->m_strName);
    item->m_strName = name;
    return previous;
}

int CWaveResultStore::SetTag(int phase, int statistic, int value)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    if (!item) {
        return 0;
    }
    return std::exchange(item->m_nTag, value);
}

template <class Compute>
WaveValueCache* CWaveResultStore::Cached(int phase, int statistic, bool WaveValueCache::*stale, Compute compute)
{
    CWaveSeriesItem* item = Find(phase, statistic);
    CWaveDataManager* manager = item ? item->Manager() : nullptr;
    if (!manager) {
        return nullptr;
    }
    WaveValueCache& cache = item->Cache();
    if (cache.*stale) {
        if (!compute(*manager, cache)) {
            return nullptr;
        }
        cache.*stale = false;
    }
    return &cache;
}

int CWaveResultStore::GetRange(int phase, int statistic, float& minimum, float& maximum)
{
    const WaveValueCache* cache =
        Cached(phase, statistic, &WaveValueCache::rangeStale, [](CWaveDataManager& manager, WaveValueCache& values) {
            return manager.GetMinMax(&values.minimum, &values.maximum);
        });
    if (!cache) {
        return 0;
    }
    minimum = cache->minimum;
    maximum = cache->maximum;
    return 1;
}

int CWaveResultStore::GetFirstValue(int phase, int statistic, float& value)
{
    const WaveValueCache* cache =
        Cached(phase, statistic, &WaveValueCache::meanStale,
               [](CWaveDataManager& manager, WaveValueCache& values) { return manager.GetMean(&values.mean); });
    if (!cache) {
        return 0;
    }
    value = cache->mean;
    return 1;
}

int CWaveResultStore::GetSecondValue(int phase, int statistic, float& value)
{
    const WaveValueCache* cache =
        Cached(phase, statistic, &WaveValueCache::percentileStale, [](CWaveDataManager& manager, WaveValueCache& values) {
            const CWaveSeriesDescriptor& descriptor = manager.Descriptor();
            std::vector<CalcDatMgr::Pair> read;
            float one = 0.0f;
            for (std::int64_t i = 0; descriptor.IsUsable() && descriptor.ReadAt(i, &one); ++i) {
                read.emplace_back(one, static_cast<std::uint32_t>(i));
            }
            CalcDatMgr::Pair percentile;
            if (!Percentile95(std::move(read), percentile)) {
                return false;
            }
            values.percentile95 = percentile.first;
            return true;
        });
    if (!cache) {
        return 0;
    }
    value = cache->percentile95;
    return 1;
}

int CWaveResultStore::CountStatistics(int phase) const
{
    const auto byPhase = m_phases.find(phase);
    return byPhase != m_phases.end() && byPhase->second ? static_cast<int>(byPhase->second->size()) : 0;
}

int CWaveResultStore::CountOrders(int phase) const
{
    return static_cast<int>(std::count_if(m_phases.begin(), m_phases.end(), [phase](const auto& entry) {
        return ((static_cast<std::uint32_t>(entry.first) >> 24) & 0xFFu) == static_cast<std::uint32_t>(phase) &&
               entry.second;
    }));
}

int CWaveResultStore::GetJointRange(float& minimum, float& maximum)
{
    minimum = kWaveNoMinimum;
    maximum = kWaveNoMaximum;
    if (m_phases.empty()) {
        return 0;
    }
    if (m_progress) {
        m_progress->Notify(kProgressCode, m_phases.size(), 0);
    }
    bool any = false;
    std::intptr_t counted = 0;
    for (const auto& [phase, map] : m_phases) {
        if (!map) {
            continue;
        }
        ++counted;
        for (const auto& [statistic, item] : *map) {
            float low = 0.0f, high = 0.0f;
            if (GetRange(phase, statistic, low, high) != 0) {
                minimum = std::min(minimum, low);
                maximum = std::max(maximum, high);
                any = true;
            }
        }
        if (m_progress) {
            m_progress->Notify(kProgressCode, 0, counted);
        }
    }
    if (!any) {
        return 0;
    }
    if (maximum - minimum < 0.2f) {
        minimum -= 0.1f;
        maximum += 0.1f;
    } else {
        const float margin = (maximum - minimum) / 7.0f;
        maximum += margin;
        minimum -= margin;
    }
    return 1;
}

int CWaveResultStore::ApplyRange(float minimum, float maximum)
{
    if (m_phases.empty()) {
        return 0;
    }
    ForEachItem([&](int, int, CWaveSeriesItem& item) {
        if (CWaveDataManager* manager = item.Manager()) {
            manager->SetValueRange(minimum, maximum);
        }
    });
    return 1;
}

void CWaveResultStore::SetParameter(std::int64_t* first, std::int64_t* last)
{
    ForEachItem([&](int, int, CWaveSeriesItem& item) {
        CWaveDataManager* manager = item.Manager();
        if (manager && manager->ClampRange(first, last)) {
            item.Cache().Invalidate();
        }
    });
}

int CWaveResultStore::RefreshRows(IWaveRow* row, IWaveViewHost* host)
{
    if (!row || !host) {
        return 0;
    }
    ForEachItem([&](int phase, int statistic, CWaveSeriesItem& item) {
        if (item.m_pRow) {
            WaveLineStyle style;
            row->GetValueText(item.m_pRow, style);
            host->ColourForRecord(phase, statistic, style);
            row->SetValueText(item.m_pRow, style);
        }
    });
    return 1;
}

int CWaveResultStore::DetachAllRows(IWaveRow* row)
{
    ForEachItem([&](int phase, int statistic, CWaveSeriesItem&) {
        DetachRow(phase, statistic, row);
    });
    return 1;
}

void CWaveResultStore::ReleaseAll()
{
    ForEachItem([](int, int, CWaveSeriesItem& item) {
        item.ReleaseAll();
    });
}

int CWaveResultStore::Clear()
{
    if (m_phases.empty()) {
        return 0;
    }
    m_phases.clear();
    return 1;
}

std::unique_ptr<CWaveResultStore> CWaveResultStore::Clone() const
{
    try {
        auto copy = std::make_unique<CWaveResultStore>();
        for (const auto& [phase, map] : m_phases) {
            auto& target = copy->m_phases[phase];
            target = std::make_unique<PhaseMap>();
            if (map) {
                for (const auto& [statistic, item] : *map) {
                    (*target)[statistic] = item->Copy();
                }
            }
        }
        return copy;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
