#include "views/RecordManagerGrid.h"

#include "lib/viewer/data/BufferredDataManager.h"

CRecordManagerGrid::CRecordManagerGrid(std::uint32_t phases, std::uint32_t kinds)
    : m_Phases(phases), m_Kinds(kinds), m_Summary(phases * kinds), m_Full(phases * kinds)
{
}

CRecordManagerGrid::~CRecordManagerGrid()
{
    ReleaseCaches();
}

void CRecordManagerGrid::Reset()
{
    Clear();
    m_High = 1.0;
    m_Low = 0.0;
}

void CRecordManagerGrid::ReleaseCaches()
{
    for (SummaryCell& cell : m_Summary) {
        if (cell.cache != nullptr) {
            cell.cache->Release();
            cell.cache = nullptr;
        }
    }
}

void CRecordManagerGrid::Clear()
{
    ReleaseCaches();
    for (SummaryCell& cell : m_Summary) {
        cell.manager.reset();
    }
    for (auto& manager : m_Full) {
        manager.reset();
    }
    m_Substitute = CRecordDataManager::kNoSubstitute;
    m_Mode = CRecordDataManager::NoLimits;
}

void CRecordManagerGrid::SetRange(double low, double high, std::int32_t mode, double substitute)
{
    m_Substitute = substitute;
    m_Mode = mode;
    if (low < high) {
        m_Low = low;
        m_High = high;
    }
}

CRecordDataManager* CRecordManagerGrid::GetOrCreateManager(std::uint32_t phase, std::uint32_t kind, int* created,
                                                           bool fullResolution)
{
    if (created != nullptr) {
        *created = 0;
    }
    if (!Inside(phase, kind)) {
        return nullptr;
    }
    const std::size_t at = Index(phase, kind);
    CRecordDataManager* manager = fullResolution ? static_cast<CRecordDataManager*>(m_Full[at].get())
                                                 : m_Summary[at].manager.get();
    if (manager != nullptr) {
        return manager;
    }
    if (fullResolution) {
        m_Full[at] = std::make_unique<COriginalDataManager>();
        manager = m_Full[at].get();
    } else {
        m_Summary[at].manager = std::make_unique<CRecordDataManager>();
        manager = m_Summary[at].manager.get();
    }
    manager->SetLimits(&m_Low, &m_High, m_Mode, m_Substitute);
    if (created != nullptr) {
        *created = 1;
    }
    return manager;
}

CRecordDataManager* CRecordManagerGrid::FindSummary(std::uint32_t phase, std::uint32_t kind) const
{
    return Inside(phase, kind) ? m_Summary[Index(phase, kind)].manager.get() : nullptr;
}

IBufferredDataManager* CRecordManagerGrid::GetCacheAt(std::uint32_t phase, std::uint32_t kind) const
{
    return Inside(phase, kind) ? m_Summary[Index(phase, kind)].cache : nullptr;
}

void CRecordManagerGrid::SetCacheAt(std::uint32_t phase, std::uint32_t kind, IBufferredDataManager* cache)
{
    if (Inside(phase, kind)) {
        m_Summary[Index(phase, kind)].cache = cache;
    }
}

std::size_t CRecordManagerGrid::ManagerCount() const
{
    std::size_t count = 0;
    for (const SummaryCell& cell : m_Summary) {
        count += cell.manager ? 1 : 0;
    }
    for (const auto& manager : m_Full) {
        count += manager ? 1 : 0;
    }
    return count;
}
