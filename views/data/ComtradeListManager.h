#pragma once
// The rows of the transient-event list and the manager through which the COMTRADE
// model delivers them. The listing gives each record's time and path; the event
// kind and the phase come from the record's ".INF" side file (its first and second
// value), read as the row is added, and stay 0 (an empty cell) without one. A record
// whose data file is shorter than its configuration says is marked incomplete.

#include <cstdint>
#include <string>
#include <vector>

#include "core/ZVTimeStamp.h"
#include "terminal/ComtradeModel.h"
#include "terminal/ZVDataManager.h"

struct CComtradeListRow {
    std::int32_t kind = 0;   // 1 swell, 2 dip, 3 interruption, 4 inrush current
    std::int32_t phase = 0;  // 1 L1, 2 L2, 3 L3
    CZVTimeStamp time;
    std::wstring timeText;   // "2023-04-05 10:15:30.123"
    std::wstring name;       // the path below the folder root, handed back to open it
    bool incomplete = false; // the data file holds fewer samples than declared
};

class CComtradeListManager : public IZVDataManager, public IComtradeRecordSink {
public:
    // root: the folder the listed paths are below (for the side files).
    CComtradeListManager(std::vector<CComtradeListRow>* rows, std::wstring root);

    void AddRecord(const CComtradeListItem& item) override;

private:
    std::vector<CComtradeListRow>* m_pRows;
    std::wstring m_Root;
};

// Orders the rows by time, then by path, keeping the order of equal rows, so
// that a listing always shows, and opens, the same record on the same line.
void SortComtradeRows(std::vector<CComtradeListRow>& rows);

// The text of a cell: column 0 the event kind, 1 the phase, 2 the time (followed by
// the "incomplete" note for such a record).
std::wstring ComtradeListCellText(const CComtradeListRow& row, int column);
