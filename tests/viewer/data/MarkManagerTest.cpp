#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/MarkManager.h"
#include "platform/base/Encoding.h"

namespace {

std::string Xml(CMarkManager& marks) {
    std::wstring xml;
    EXPECT_EQ(marks.GetXml(&xml), 1);
    return platform::WideToUtf8(xml);
}

std::string Names(CMarkManager& marks) {
    std::string names;
    for (int i = 0; i < marks.GetCount(); ++i) {
        std::wstring name;
        marks.GetMarkAttribute(i, L"name", &name);
        names += (i > 0 ? "," : "") + platform::WideToUtf8(name);
    }
    return names;
}

std::wstring Attribute(CMarkManager& marks, int index, const wchar_t* name) {
    std::wstring value = L"(none)";
    marks.GetMarkAttribute(index, name, &value);
    return value;
}

TEST(MarkManagerTest, KeepsMarksInOrderUnderOneRoot) {
    CMarkManager marks;
    EXPECT_EQ(Xml(marks), R"(<marks version="1.0"/>)");
    EXPECT_EQ(marks.RemoveAllMarks(), 1);
    EXPECT_EQ(marks.AddMark(L"A"), 0);
    EXPECT_EQ(marks.AddMark(L"B"), 1);
    EXPECT_EQ(marks.AddMark(L"C"), 2);
    const std::string before = Xml(marks);
    EXPECT_EQ(marks.AddMark(L"B"), -1);
    EXPECT_EQ(Xml(marks), before);
    EXPECT_EQ(marks.FindMark(L"C"), 2);
    EXPECT_EQ(marks.FindMark(L"c"), -1);  // names are exact

    EXPECT_EQ(marks.MoveMarkFirst(2), 1);
    EXPECT_EQ(Names(marks), "C,A,B");
    EXPECT_EQ(marks.MoveMarkLast(0), 1);
    EXPECT_EQ(Names(marks), "A,B,C");
    EXPECT_EQ(marks.RemoveMark(1), 1);
    EXPECT_EQ(Names(marks), "A,C");
    for (const int index : {-1, 2}) {
        EXPECT_EQ(marks.RemoveMark(index), 0) << index;
        EXPECT_EQ(marks.MoveMarkFirst(index), 0) << index;
        EXPECT_EQ(marks.MoveMarkLast(index), 0) << index;
        EXPECT_EQ(marks.SetMarkAttribute(index, L"comment", L"x"), 0) << index;
    }
    EXPECT_EQ(marks.RemoveAllMarks(), 1);
    EXPECT_EQ(marks.GetCount(), 0);
    EXPECT_EQ(Xml(marks), R"(<marks version="1.0"/>)");
}

TEST(MarkManagerTest, AttributesAreTexts) {
    CMarkManager marks;
    marks.AddMark(L"M1");
    EXPECT_EQ(Attribute(marks, 0, L"comment"), L"(none)");
    EXPECT_EQ(marks.SetMarkAttribute(0, L"comment", L"<电压> & \"峰值\""), 1);
    EXPECT_EQ(Attribute(marks, 0, L"comment"), L"<电压> & \"峰值\"");
    EXPECT_EQ(marks.SetMarkAttribute(0, L"comment", L""), 1);
    EXPECT_EQ(Attribute(marks, 0, L"comment"), L"");
    // A name that no XML attribute can bear would make the marks unreadable.
    for (const wchar_t* bad : {L"", L"two words", L"1st", L"a<b"}) {
        EXPECT_EQ(marks.SetMarkAttribute(0, bad, L"x"), 0) << platform::WideToUtf8(bad);
    }
    CMarkManager copy;
    ASSERT_EQ(copy.LoadXml(platform::Utf8ToWide(Xml(marks)), nullptr), 1);
    EXPECT_EQ(Xml(copy), Xml(marks));
}

TEST(MarkManagerTest, ABadMarksTextChangesNothing) {
    CMarkManager marks;
    marks.AddMark(L"Begin");
    marks.SetMarkAttribute(0, L"position", L"100");
    const std::string stored = Xml(marks);
    struct Case {
        const char* name;
        const wchar_t* text;
    };
    const Case cases[] = {
        {"cut short", LR"(<marks version="1.0"><mark name="X")"},
        {"mismatched", LR"(<marks><mark name="X"></marks>)"},
        {"empty", L""},
        {"other root", LR"(<settings><mark name="X"/></settings>)"},
        {"two roots", LR"(<marks/><marks/>)"},
    };
    for (const Case& c : cases) {
        std::wstring reason;
        EXPECT_EQ(marks.LoadXml(c.text, &reason), 0) << c.name;
        EXPECT_FALSE(reason.empty()) << c.name;
        EXPECT_EQ(Xml(marks), stored) << c.name;
    }
    std::wstring reason = L"untouched";
    ASSERT_EQ(marks.LoadXml(LR"(<marks version="1.0"><!-- kept --><mark name="X"/><mark name="Y"/></marks>)", &reason),
              1);
    EXPECT_EQ(reason, L"untouched");
    EXPECT_EQ(Names(marks), "X,Y");
    EXPECT_EQ(marks.FindMark(L"Begin"), -1);
}

TEST(MarkCommandsTest, CursorMarksTakeTheFirstFreeNumber) {
    CMarkManager marks;
    marks.AddMark(L"M1");
    marks.AddMark(L"M3");
    const int index = tracelume::AddCursorMark(marks, 1234);
    ASSERT_EQ(index, 2);
    EXPECT_EQ(Xml(marks), R"(<marks version="1.0"><mark name="M1"/><mark name="M3"/>)"
                          R"(<mark name="M2" group="0" position="1234" snap="1" background="255;255;255")"
                          R"( foreground="0;0;0" comment="" ref="M1"/></marks>)");
    EXPECT_EQ(tracelume::AddCursorMark(marks, 5), 3);
    EXPECT_EQ(Attribute(marks, 3, L"name"), L"M4");
    EXPECT_EQ(Attribute(marks, 3, L"ref"), L"M3");
    EXPECT_EQ(tracelume::AddCursorMark(marks, 5), 4);
    EXPECT_EQ(Attribute(marks, 4, L"ref"), L"(none)");  // M5 opens a pair
}

TEST(MarkCommandsTest, MovingMarks) {
    constexpr std::int64_t kLength = 100000;
    struct Case {
        const char* name;
        const wchar_t* mark;
        std::int64_t to;
        bool group;
        bool moved;
        std::vector<std::int64_t> positions;  // Begin, End, M1, M2, M3 afterwards
    };
    const Case cases[] = {
        {"begin well before end", L"Begin", 4000, false, true, {4000, 10000, 500, 700, 900}},
        {"begin too close to end", L"Begin", 10000 - 5120, false, false, {1000, 10000, 500, 700, 900}},
        {"begin just far enough", L"Begin", 10000 - 5121, false, true, {4879, 10000, 500, 700, 900}},
        {"end too close to begin", L"End", 6000, false, false, {1000, 10000, 500, 700, 900}},
        {"end far enough", L"End", 7000, false, true, {1000, 7000, 500, 700, 900}},
        {"cursor not bound by the region", L"M1", 9999, false, true, {1000, 10000, 9999, 700, 900}},
        {"kept within the data", L"M1", -50, false, true, {1000, 10000, 0, 700, 900}},
        {"kept within the data at the end", L"M3", kLength + 9, false, true, {1000, 10000, 500, 700, kLength}},
        {"group moves together", L"M1", 600, true, true, {1000, 10000, 600, 800, 900}},
        {"group flag off moves one", L"M2", 600, false, true, {1000, 10000, 500, 600, 900}},
        {"group 0 moves alone", L"M3", 100, true, true, {1000, 10000, 500, 700, 100}},
    };
    for (const Case& c : cases) {
        CMarkManager marks;
        const auto add = [&](const wchar_t* name, const wchar_t* position, const wchar_t* group) {
            const int index = marks.AddMark(name);
            marks.SetMarkAttribute(index, L"position", position);
            marks.SetMarkAttribute(index, L"group", group);
        };
        add(L"Begin", L"1000", L"0");
        add(L"End", L"10000", L"0");
        add(L"M1", L"500", L"2");
        add(L"M2", L"700", L"2");
        add(L"M3", L"900", L"0");
        EXPECT_EQ(tracelume::MoveMark(marks, marks.FindMark(c.mark), c.to, c.group, kLength,
                                      tracelume::kDefaultMinRegionWidth),
                  c.moved)
            << c.name;
        std::vector<std::int64_t> positions;
        for (int i = 0; i < marks.GetCount(); ++i) {
            positions.push_back(tracelume::MarkPosition(marks, i));
        }
        EXPECT_EQ(positions, c.positions) << c.name;
    }
    CMarkManager marks;
    EXPECT_FALSE(tracelume::MoveMark(marks, 0, 10, false, kLength, tracelume::kDefaultMinRegionWidth));
    // Without its partner a region mark moves freely.
    marks.AddMark(L"End");
    EXPECT_TRUE(tracelume::MoveMark(marks, 0, 10, false, kLength, tracelume::kDefaultMinRegionWidth));
    EXPECT_EQ(tracelume::MarkPosition(marks, 0), 10);
}

}  // namespace
