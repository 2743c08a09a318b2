#pragma once
// CTrendGrid: the table of the report wizard's trend page. Row 0 is the header;
// every other row is one trend chart of the report configuration, with its name in
// column 0 and one cell per phase column (1 L1, 2 L2, 3 L3, 4 All). A cell is
// selected (0), not selected (1) or not available (2): the data lacks the quantity
// or the phase, or the chart has no such curve. Clicks never change an unavailable
// cell. The ticks go back into the configuration's trend part through Apply.

#include <array>
#include <string>
#include <vector>

#include "report/ReportTrendItem.h"
#include "terminal/BasicInfo.h"

class CTrendGrid {
public:
    static constexpr int kColumnCount = 5;
    static constexpr int kSelected = 0;
    static constexpr int kNotSelected = 1;
    static constexpr int kUnavailable = 2;

    // Ten rows of five unselected cells, none tied to a chart.
    CTrendGrid();

    // One row per trend item, in order: a chart is available when its quantity's
    // item id is among the record's item ids; a per-phase chart's phase column also
    // needs the phase in the record's wiring (the All column does not) and a curve
    // of that phase in the chart (its fourth flag). A chart of one value (its
    // default phase carries the fourth flag) uses column 1 only.
    void Fill(const std::vector<CReportTrendItem>& items, const BasicInfo& record);

    int GetRowCount() const { return static_cast<int>(m_States.size()); }
    // The state of a cell; -1 outside the table.
    int GetCell(int row, int column) const;
    // A cell that is not available stays so; states other than 0 to 2 are ignored.
    void SetCell(int row, int column, int state);
    std::wstring GetRowName(int row) const;
    // The index of the row's chart among the items it was filled from; -1 for none.
    int GetRowItem(int row) const;

    // A click on a cell: in column 0 it toggles its row (the header's: every row),
    // in the header row a phase column, anywhere else the cell. A toggle clears all
    // its cells when any of them is selected and else selects them all.
    void Click(int row, int column);
    bool HasSelection() const;

    // The items with their enabled flags set from the cells: a one-value chart's
    // default phase from column 1, the others' phases L1, L2, L3 and N from columns
    // 1 to 4. The charts come in the order of the rows, then any the rows lack.
    std::vector<CReportTrendItem> Apply(const std::vector<CReportTrendItem>& items) const;

private:
    void Toggle(int firstRow, int lastRow, int firstColumn, int lastColumn);

    std::vector<std::array<int, kColumnCount>> m_States;
    std::vector<std::wstring> m_Names;
    std::vector<int> m_Items;
};
