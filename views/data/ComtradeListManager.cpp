#include "views/data/ComtradeListManager.h"

#include <algorithm>
#include <cstdio>

#include "platform/base/Encoding.h"
#include "terminal/ComtradeFile.h"
#include "views/data/ViewTexts.h"

CComtradeListManager::CComtradeListManager(std::vector<CComtradeListRow>* rows, std::wstring root)
    : m_pRows(rows), m_Root(std::move(root))
{
}

void CComtradeListManager::AddRecord(const CComtradeListItem& item)
{
    if (m_pRows == nullptr) {
        return;
    }
    CComtradeListRow row;
    row.time = item.time;
    wchar_t millis[8];
    std::swprintf(millis, 8, L".%03d", static_cast<int>(item.time.m_subSecond % 1000));
    row.timeText = item.time.Format(L"%Y-%m-%d %H:%M:%S") + millis;
    row.name = item.path;
    // The side file sits beside the ".CFG" under the same base name.
    std::wstring base = m_Root + item.path;
    if (base.size() > 4) {
        base.resize(base.size() - 4);
    }
    std::int32_t first = -1;
    std::int32_t second = -1;
    CComtradeFile record;
    if (record.Open(platform::ToPath(base)) != 0) {
        first = record.GetInfFirst();
        second = record.GetInfSecond();
        row.incomplete = record.IsIncomplete();
    } else {
        CComtradeFile::ReadSideFile(platform::ToPath(base), &first, &second);
    }
    row.kind = first;
    row.phase = second;
    m_pRows->push_back(std::move(row));
}

void SortComtradeRows(std::vector<CComtradeListRow>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const CComtradeListRow& a, const CComtradeListRow& b) {
        if (a.time < b.time) {
            return true;
        }
        if (b.time < a.time) {
            return false;
        }
        return a.name < b.name;
    });
}

std::wstring ComtradeListCellText(const CComtradeListRow& row, int column)
{
    switch (column) {
    case 0:
        return row.kind >= 1 && row.kind <= 4 ? viewtext::Load(viewtext::kSwell + static_cast<unsigned>(row.kind - 1))
                                              : std::wstring();
    case 1:
        return row.phase >= 1 && row.phase <= 3 ? L"L" + std::to_wstring(row.phase) : std::wstring();
    case 2:
        return row.incomplete ? row.timeText + L" " + viewtext::Load(viewtext::kIncompleteRecord) : row.timeText;
    default:
        return {};
    }
}
