#pragma once
// What the marks dialog lists: one record per mark (name, group, position,
// comment), sorted by a column in either direction. The sort column and direction
// are one setting for the whole library and stay between openings. Group and
// position compare as numbers, name and comment as text.

#include <string>
#include <vector>

class IMarkManager;

namespace tracelume {

class CMarkList {
public:
    enum Column { kName = 0, kGroup = 1, kPosition = 2, kComment = 3 };

    struct Record {
        int index = -1;  // in the mark store
        std::wstring name;
        std::wstring group;
        std::wstring position;
        std::wstring comment;
    };

    // The marks of the store, sorted by the current setting.
    void Load(IMarkManager& marks);
    const std::vector<Record>& Records() const { return m_records; }
    // The position column's text: the position as a time at the rate.
    static std::wstring PositionText(const Record& record, double rate);

    // A header click: the same column flips the direction, another one sorts
    // ascending by it. The records are sorted again.
    void ClickHeader(int column);
    void Sort();
    // Row of the record of a mark index, -1 when none.
    int RowOf(int index) const;
    // Stores the comment in the store and in the record of that row.
    void SetComment(IMarkManager& marks, int row, const std::wstring& comment);

    static int& SortColumn();
    static bool& SortAscending();

private:
    std::vector<Record> m_records;
};

}  // namespace tracelume
