#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/panes/MarkList.h"

namespace {

using tracelume::CMarkList;

std::vector<std::wstring> Names(const CMarkList& list) {
    std::vector<std::wstring> names;
    for (const auto& record : list.Records()) {
        names.push_back(record.name);
    }
    return names;
}

TEST(MarkListTest, SortsByColumnNumbersAsNumbersAndRemembersTheSetting) {
    CMarkManager marks;
    const struct {
        const wchar_t* name;
        const wchar_t* group;
        const wchar_t* position;
    } rows[] = {{L"b", L"2", L"10000"}, {L"a", L"10", L"900"}, {L"c", L"2", L"-5"}};
    for (const auto& row : rows) {
        const int index = marks.AddMark(row.name);
        marks.SetMarkAttribute(index, L"group", row.group);
        marks.SetMarkAttribute(index, L"position", row.position);
    }
    CMarkList::SortColumn() = CMarkList::kName;
    CMarkList::SortAscending() = true;
    CMarkList list;
    list.Load(marks);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    list.ClickHeader(CMarkList::kPosition);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    list.ClickHeader(CMarkList::kPosition);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"b", L"a", L"c"}));
    // Equal groups keep their order (a stable sort), now descending from before.
    list.ClickHeader(CMarkList::kGroup);
    EXPECT_EQ(Names(list), (std::vector<std::wstring>{L"b", L"c", L"a"}));
    // The next opening sorts the same way.
    CMarkList again;
    again.Load(marks);
    EXPECT_EQ(Names(again), Names(list));
    EXPECT_EQ(CMarkList::PositionText(again.Records()[0], 1000), L"10.000s");
    again.SetComment(marks, again.RowOf(1), L"dip");
    std::wstring comment;
    marks.GetMarkAttribute(1, L"comment", &comment);
    EXPECT_EQ(comment, L"dip");
    CMarkList::SortColumn() = CMarkList::kName;
}

}  // namespace
