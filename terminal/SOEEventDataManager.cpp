#include "terminal/SOEEventDataManager.h"

bool CSOEEventDataManager::AddData(std::uintptr_t word)
{
    const auto* block = reinterpret_cast<const SOEBlock*>(word);
    if (block == nullptr) {
        return false;
    }
    const SystemTime time = block->Time();
    for (const SOERecord& record : block->records) {
        SOERow row;
        row.record = record;
        row.blockTime = time;
        row.dataPosition = block->dataPosition;
        m_Rows.push_back(row);
    }
    return true;
}

int CSOEEventDataManager::GetEventAt(std::int64_t index, SOERow* out)
{
    if (out == nullptr || index < 0 || static_cast<std::uint64_t>(index) >= m_Rows.size()) {
        return 0;
    }
    *out = m_Rows[static_cast<std::size_t>(index)];
    return 1;
}
