#pragma once
// CSOEEventDataManager: every event of an SOE file as one flat list, in file order,
// for the reports.

#include <cstdint>
#include <vector>

#include "terminal/SOEBlock.h"
#include "terminal/ZVDataManager.h"

class CSOEEventDataManager : public IZVDataManager {
public:
    // Empties the list; the manager stays usable.
    void Release() override { m_Rows.clear(); }
    std::uint64_t GetCount() override { return m_Rows.size(); }
    // word: pointer to an SOEBlock; one row per event record.
    bool AddData(std::uintptr_t word) override;
    virtual int GetEventAt(std::int64_t index, SOERow* out);

private:
    std::vector<SOERow> m_Rows;
};
