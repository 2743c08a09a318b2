#include "report/TrendGrid.h"

#include <algorithm>
#include <map>

#include "report/ReportItemTables.h"
#include "report/TrendKeyTables.h"

namespace {

constexpr int kInitialRows = 10;

bool IsSingleValue(const CReportTrendItem& item)
{
    CReportTrendPhase phase;
    return item.GetPhase(CReportTrendPhase::kDefault, phase) != 0 && phase.flag4 == 1;
}

}  // namespace

CTrendGrid::CTrendGrid()
    : m_States(kInitialRows, {kNotSelected, kNotSelected, kNotSelected, kNotSelected, kNotSelected}),
      m_Names(kInitialRows),
      m_Items(kInitialRows, -1)
{
}

void CTrendGrid::Fill(const std::vector<CReportTrendItem>& items, const BasicInfo& record)
{
    const std::size_t rows = items.size() + 1;
    m_States.assign(rows, {kNotSelected, kNotSelected, kNotSelected, kNotSelected, kNotSelected});
    m_Names.assign(rows, L"");
    m_Items.assign(rows, -1);

    const std::map<std::string, CReportItemName> keys = MakeTrendKeyTable();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CReportTrendItem& item = items[i];
        const std::size_t row = i + 1;
        m_Names[row] = GetTrendDisplayName(item.GetKey());
        m_Items[row] = static_cast<int>(i);
        const auto key = keys.find(item.GetKey());
        const bool available = key != keys.end() && std::find(record.viewIds.begin(), record.viewIds.end(),
                                                              key->second.itemId) != record.viewIds.end();
        auto& cells = m_States[row];
        CReportTrendPhase phase;
        if (IsSingleValue(item)) {
            item.GetPhase(CReportTrendPhase::kDefault, phase);
            cells = {kNotSelected, available ? (phase.enabled != 0 ? kSelected : kNotSelected) : kUnavailable,
                     kUnavailable, kUnavailable, kUnavailable};
            continue;
        }
        for (int code = CReportTrendPhase::kPhaseA; code <= CReportTrendPhase::kPhaseN; ++code) {
            const bool hasCurve = item.GetPhase(code, phase) != 0 && phase.flag4 == 1;
            const bool wired = code == CReportTrendPhase::kPhaseN || (record.phaseMask & (1u << code)) != 0;
            int& cell = cells[static_cast<std::size_t>(code + 1)];
            cell = !available || !hasCurve || !wired ? kUnavailable : (phase.enabled != 0 ? kSelected : kNotSelected);
        }
    }
}

int CTrendGrid::GetCell(int row, int column) const
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= kColumnCount) {
        return -1;
    }
    return m_States[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CTrendGrid::SetCell(int row, int column, int state)
{
    const int current = GetCell(row, column);
    if (current < 0 || current == kUnavailable || state < kSelected || state > kUnavailable) {
        return;
    }
    m_States[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = state;
}

std::wstring CTrendGrid::GetRowName(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_Names[static_cast<std::size_t>(row)] : std::wstring();
}

int CTrendGrid::GetRowItem(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_Items[static_cast<std::size_t>(row)] : -1;
}

void CTrendGrid::Click(int row, int column)
{
    const int last = GetRowCount() - 1;
    if (row < 0 || row > last || column < 0 || column >= kColumnCount) {
        return;
    }
    if (column == 0) {
        row == 0 ? Toggle(1, last, 1, kColumnCount - 1) : Toggle(row, row, 1, kColumnCount - 1);
    } else if (row == 0) {
        Toggle(1, last, column, column);
    } else {
        const int state = GetCell(row, column);
        SetCell(row, column, state == kSelected ? kNotSelected : kSelected);
    }
}

void CTrendGrid::Toggle(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    bool anySelected = false;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            anySelected = anySelected || GetCell(row, column) == kSelected;
        }
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            SetCell(row, column, anySelected ? kNotSelected : kSelected);
        }
    }
}

bool CTrendGrid::HasSelection() const
{
    for (std::size_t row = 1; row < m_States.size(); ++row) {
        for (std::size_t column = 1; column < kColumnCount; ++column) {
            if (m_States[row][column] == kSelected) {
                return true;
            }
        }
    }
    return false;
}

std::vector<CReportTrendItem> CTrendGrid::Apply(const std::vector<CReportTrendItem>& items) const
{
    std::vector<CReportTrendItem> result;
    std::vector<bool> placed(items.size(), false);
    for (int row = 1; row < GetRowCount(); ++row) {
        const int index = GetRowItem(row);
        if (index < 0 || static_cast<std::size_t>(index) >= items.size() || placed[static_cast<std::size_t>(index)]) {
            continue;
        }
        placed[static_cast<std::size_t>(index)] = true;
        CReportTrendItem item = items[static_cast<std::size_t>(index)];
        CReportTrendPhase phase;
        if (IsSingleValue(item)) {
            item.GetPhase(CReportTrendPhase::kDefault, phase);
            phase.enabled = GetCell(row, 1) == kSelected ? 1 : 0;
            item.SetPhase(phase);
        } else {
            for (int code = CReportTrendPhase::kPhaseA; code <= CReportTrendPhase::kPhaseN; ++code) {
                if (item.GetPhase(code, phase) != 0) {
                    phase.enabled = GetCell(row, code + 1) == kSelected ? 1 : 0;
                    item.SetPhase(phase);
                }
            }
        }
        result.push_back(std::move(item));
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!placed[i]) {
            result.push_back(items[i]);
        }
    }
    return result;
}
