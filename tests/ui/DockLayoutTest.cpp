// The saved pane layout: what is written reads back the same, and a damaged or
// foreign text is refused whole with a reason.
#include <gtest/gtest.h>

#include "platform/base/Encoding.h"
#include "platform/ui/DockLayout.h"

namespace {

using ui::DockLayout;
using ui::DockPlace;

TEST(DockLayout, ReadsBackWhatItWrote) {
    DockLayout layout;
    layout.groups = {
        {DockPlace::Left, 140, {{40001, true}, {40004, false}}, 40001},
        {DockPlace::Fill, 600, {{40002, true}, {40003, true}, {40005, true}}, 40003},
        {DockPlace::Bottom, 300, {{40006, false}}, 0},
        {DockPlace::Top, 1, {{7, true}}, 7},
        {DockPlace::Right, 20000, {{4294967295u, true}}, 0},
    };
    std::wstring problem;
    const auto back = DockLayout::FromText(layout.ToText(), problem);
    ASSERT_TRUE(back) << platform::WideToUtf8(problem);
    EXPECT_EQ(*back, layout);
    EXPECT_EQ(DockLayout::FromText(L"1", problem), DockLayout{}) << "no groups at all";
}

TEST(DockLayout, RefusesWhatIsNotALayoutOfThisVersion) {
    const wchar_t* const refused[] = {
        L"",
        L"2|L:140:1:1",
        L"1|",
        L"1|X:140:1:1",
        L"1|LL:140:1:1",
        L"1|L:0:1:1",
        L"1|L:20001:1:1",
        L"1|L:-5:1:1",
        L"1|L:140:1",
        L"1|L:140:1:1:9",
        L"1|L:140:0:",
        L"1|L:140:0:1,,2",
        L"1|L:140:0:0",
        L"1|L:140:0:4294967296",
        L"1|L:140:0:1|B:300:0:1",  // a pane in two groups
        L"1|L:140:2:1",            // the front pane is not in the group
        L"1|L:140:1:!1",           // the front pane is closed
        L"1|L:140:1:1 ",
        L"1|L:1e2:1:1",
    };
    for (const wchar_t* text : refused) {
        std::wstring problem;
        EXPECT_FALSE(DockLayout::FromText(text, problem)) << platform::WideToUtf8(text);
        EXPECT_FALSE(problem.empty()) << platform::WideToUtf8(text);
    }
}

}  // namespace
