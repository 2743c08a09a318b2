#pragma once
// CWaveResultStore: the results of one item of an analysed waveform record, one
// series per (phase key, statistic kind). The analysis manager keeps the master
// records; views get copies (Clone) that share the master's series sources and
// computed values, attach the series to their viewer rows and free the copy when
// done.
//
// Phase keys: 0-2 L1-L3, 3 the fourth channel (or the total of the power items), 4
// the whole system; for the harmonic families (phase << 24) | (order position << 8).
// Statistic kinds: 0 minimum, 1 average, 2 maximum, 3 and 5 RMS, 4 the plain value.
//
// Every operation naming a (phase, statistic) that is not there does nothing and
// answers 0, false, an empty descriptor or an empty name. Operations over every
// series visit phase keys, then statistic kinds, in ascending order.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "waverecord/WaveSeriesItem.h"
#include "waverecord/WaveViewHost.h"

// What a view passes with a series it attaches to a row.
struct WaveRowAttributes {
    std::int32_t phase = 0;
    std::int32_t kind = 0;
    std::int32_t order = 0;
    std::int32_t itemCode = 0;
    std::int32_t word4 = 0;
    float low = 0.0f;
    float high = 0.0f;
};

class CWaveResultStore {
public:
    static constexpr int kMinimum = 0;
    static constexpr int kAverage = 1;
    static constexpr int kMaximum = 2;
    static constexpr int kPlainValue = 4;
    static constexpr int kRms = 5;
    // Viewer progress code: first the number of steps, then each step done.
    static constexpr int kProgressCode = 118;

    using PhaseMap = std::map<int, std::unique_ptr<CWaveSeriesItem>>;

    CWaveResultStore() = default;
    CWaveResultStore(const CWaveResultStore&) = delete;
    CWaveResultStore& operator=(const CWaveResultStore&) = delete;

    // 1 for a new series, 0 when one exists under the statistic already.
    int Add(int phase, int statistic, const CWaveSeriesDescriptor& descriptor);
    CWaveSeriesDescriptor GetDescriptor(int phase, int statistic);
    // Has the host build its summary cache over the series; true when it did.
    bool LoadIntoHost(int phase, int statistic, IWaveViewHost* host);
    int AttachRow(int phase, int statistic, IWaveViewer* viewer, IWaveRow* row, const WaveRowAttributes& attributes);
    int DetachRow(int phase, int statistic, IWaveRow* row);
    // The previous name.
    std::wstring SwapName(int phase, int statistic, const std::wstring& name);
    // The previous tag.
    int SetTag(int phase, int statistic, int value);
    int GetRange(int phase, int statistic, float& minimum, float& maximum);
    // The mean of the series.
    int GetFirstValue(int phase, int statistic, float& value);
    // The 95 % value of the series.
    int GetSecondValue(int phase, int statistic, float& value);
    int CountStatistics(int phase) const;
    // Phase keys of the harmonic family of the phase (top byte = phase).
    int CountOrders(int phase) const;
    // The axis range shared by every series, with a margin; 0 when no series has a
    // range (the outputs are then the empty bounds).
    int GetJointRange(float& minimum, float& maximum);
    int ApplyRange(float minimum, float maximum);
    // Restricts every series to the positions [*first, *last) of its values; the
    // accepted positions are written back. Ranges and computed values of the series
    // that took them are worked out again when next asked for.
    void SetParameter(std::int64_t* first, std::int64_t* last);
    int RefreshRows(IWaveRow* row, IWaveViewHost* host);
    int DetachAllRows(IWaveRow* row);
    // Releases every series' caches and source, for this record and its copies.
    void ReleaseAll();
    int Clear();
    void Destroy() { Clear(); }
    // A copy sharing the series; null when it cannot be made.
    std::unique_ptr<CWaveResultStore> Clone() const;

    // Receives progress while GetJointRange works; not owned, null for none.
    void SetProgressCallback(IWaveViewerCallback* callback) { m_progress = callback; }

private:
    CWaveSeriesItem* Find(int phase, int statistic) const;
    // The series' computed values, working out the one behind `stale` first when it
    // is stale; null when the series is missing or the value cannot be worked out.
    template <class Compute>
    WaveValueCache* Cached(int phase, int statistic, bool WaveValueCache::*stale, Compute compute);
    template <class Visit>
    void ForEachItem(Visit visit) const
    {
        for (const auto& [phase, map] : m_phases) {
            if (map) {
                for (const auto& [statistic, item] : *map) {
                    visit(phase, statistic, *item);
                }
            }
        }
    }

    std::map<int, std::unique_ptr<PhaseMap>> m_phases;
    IWaveViewerCallback* m_progress = nullptr;
};
