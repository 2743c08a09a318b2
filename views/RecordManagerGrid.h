#pragma once
// CRecordManagerGrid: the data managers of a statistic record frame, one per phase
// and statistic kind, in two grids: the summary managers the viewer draws from and
// the full-resolution managers of a detail request. A manager is made when its
// cell is first asked for and takes the grid's defaults (value limits, limit mode,
// substitute for samples without value). The grid owns its managers; the viewer's
// summary caches hang off the summary managers and are released before them.

#include <cstdint>
#include <memory>
#include <vector>

#include "terminal/OriginalDataManager.h"
#include "terminal/RecordDataManager.h"

class IBufferredDataManager;

class CRecordManagerGrid {
public:
    // A summary manager with the viewer cache built over it (null until its row is added).
    struct SummaryCell {
        std::unique_ptr<CRecordDataManager> manager;
        IBufferredDataManager* cache = nullptr;
    };

    CRecordManagerGrid(std::uint32_t phases, std::uint32_t kinds);
    ~CRecordManagerGrid();
    CRecordManagerGrid(const CRecordManagerGrid&) = delete;
    CRecordManagerGrid& operator=(const CRecordManagerGrid&) = delete;

    // Every cell empty, defaults: limits 0 to 1, no limit mode, no substitute.
    void Reset();
    // Releases every viewer cache and forgets it.
    void ReleaseCaches();
    // Releases the caches and every manager; limit mode and substitute back to none
    // (the limits stay).
    void Clear();
    // Stores the substitute and mode, and the limits when low < high.
    void SetRange(double low, double high, std::int32_t mode, double substitute);
    // The manager of the cell (made with the defaults when missing: *created 1), or
    // null outside the grid.
    CRecordDataManager* GetOrCreateManager(std::uint32_t phase, std::uint32_t kind, int* created, bool fullResolution);
    // The existing summary manager of the cell, or null.
    CRecordDataManager* FindSummary(std::uint32_t phase, std::uint32_t kind) const;
    IBufferredDataManager* GetCacheAt(std::uint32_t phase, std::uint32_t kind) const;
    void SetCacheAt(std::uint32_t phase, std::uint32_t kind, IBufferredDataManager* cache);
    // Number of managers held in both grids.
    std::size_t ManagerCount() const;

private:
    std::size_t Index(std::uint32_t phase, std::uint32_t kind) const { return phase * m_Kinds + kind; }
    bool Inside(std::uint32_t phase, std::uint32_t kind) const { return phase < m_Phases && kind < m_Kinds; }

    std::uint32_t m_Phases;
    std::uint32_t m_Kinds;
    std::vector<SummaryCell> m_Summary;
    std::vector<std::unique_ptr<COriginalDataManager>> m_Full;
    double m_High = 1.0;
    double m_Low = 0.0;
    double m_Substitute = CRecordDataManager::kNoSubstitute;
    std::int32_t m_Mode = CRecordDataManager::NoLimits;
};
