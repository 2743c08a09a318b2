#include "lib/viewer/panes/MarkList.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "lib/viewer/data/DecimalText.h"
#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/data/TextFormats.h"

namespace tracelume {

namespace {

// The number a text reads as; texts that are no number sort before all numbers.
std::optional<std::int64_t> Number(const std::wstring& text) {
    std::wstring_view rest(text);
    return ScanSigned(rest, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
}

const std::wstring& Field(const CMarkList::Record& record, int column) {
    switch (column) {
        case CMarkList::kGroup: return record.group;
        case CMarkList::kPosition: return record.position;
        case CMarkList::kComment: return record.comment;
        default: return record.name;
    }
}

bool Less(const CMarkList::Record& a, const CMarkList::Record& b, int column) {
    if (column == CMarkList::kGroup || column == CMarkList::kPosition) {
        return Number(Field(a, column)) < Number(Field(b, column));
    }
    return Field(a, column) < Field(b, column);
}

}  // namespace

int& CMarkList::SortColumn() {
    static int column = kName;
    return column;
}

bool& CMarkList::SortAscending() {
    static bool ascending = true;
    return ascending;
}

void CMarkList::Load(IMarkManager& marks) {
    m_records.clear();
    for (int i = 0; i < marks.GetCount(); ++i) {
        Record record;
        record.index = i;
        marks.GetMarkAttribute(i, L"name", &record.name);
        marks.GetMarkAttribute(i, L"group", &record.group);
        marks.GetMarkAttribute(i, L"position", &record.position);
        marks.GetMarkAttribute(i, L"comment", &record.comment);
        m_records.push_back(record);
    }
    Sort();
}

std::wstring CMarkList::PositionText(const Record& record, double rate) {
    const std::optional<std::int64_t> position = Number(record.position);
    std::wstring text;
    if (position && rate > 0) {
        FormatSeconds(static_cast<double>(*position) / rate, text);
    }
    return text;
}

void CMarkList::Sort() {
    const int column = SortColumn();
    const bool ascending = SortAscending();
    std::stable_sort(m_records.begin(), m_records.end(), [&](const Record& a, const Record& b) {
        return ascending ? Less(a, b, column) : Less(b, a, column);
    });
}

void CMarkList::ClickHeader(int column) {
    if (column == SortColumn()) {
        SortAscending() = !SortAscending();
    } else {
        SortColumn() = column;
        SortAscending() = true;
    }
    Sort();
}

int CMarkList::RowOf(int index) const {
    for (std::size_t row = 0; row < m_records.size(); ++row) {
        if (m_records[row].index == index) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

void CMarkList::SetComment(IMarkManager& marks, int row, const std::wstring& comment) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_records.size()) {
        return;
    }
    Record& record = m_records[static_cast<std::size_t>(row)];
    if (marks.SetMarkAttribute(record.index, L"comment", comment) != 0) {
        record.comment = comment;
    }
}

}  // namespace tracelume
