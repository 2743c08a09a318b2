#pragma once
// CSOEListItemsMgr: the rows of the alarm-event list. Blocks are kept ordered by
// their time; each is a header row that expands to its event records. Blocks of the
// same time merge into one item, every event keeping the field-data position of its
// own block. Records are sorted lazily, item by item, when a row of it is first asked.

#include <cstdint>
#include <map>
#include <vector>

#include "core/ZVTimeStamp.h"
#include "terminal/SOEBlock.h"
#include "terminal/ZVDataManager.h"

class CSOEListItemsMgr : public IZVDataManager {
public:
    // Empties the list; the manager stays usable.
    void Release() override;
    std::uint64_t GetCount() override { return m_RowCount; }
    // word: pointer to an SOEBlock. 0 (and nothing added) when its records disagree
    // with its declared count.
    bool AddData(std::uintptr_t word) override;
    virtual int GetSoeAt(std::int64_t row, SOERow* out);

    // Toggles the block whose header stands on the row; 0 for any other row.
    int SetVisible(std::int64_t row);
    // Expands every block when all are collapsed, else collapses all.
    int ToggleAllExpanded();
    // Recomputes the rows after loading or a change of what is expanded.
    void RebuildVisible();

private:
    struct Event {
        SOERecord record;
        std::uint32_t dataPosition = 0;
    };
    struct Item {
        SystemTime blockTime;
        std::uint32_t expanded = 1;
        std::uint32_t dataPosition = 0;
        std::uint32_t sorted = 0;
        std::vector<Event> records;
    };
    // The item and the offset of the row inside it (0 = its header).
    bool Lookup(std::int64_t row, const char* operation, Item*& item, std::uint64_t& offset);

    std::map<CZVTimeStamp, Item> m_SOEItems;
    std::vector<std::uint64_t> m_HeaderRows;  // 1-based header row of each item
    std::vector<CZVTimeStamp> m_Keys;
    std::uint64_t m_RowCount = 0;
    std::uint32_t m_AllCollapsed = 0;
};
