// Where the harmonic scroll view stacks its phase charts, which of them an update
// refills, and how the histogram frame shares its width with the panel.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "views/HarmScrollLayout.h"

namespace {

TEST(HarmScrollLayout, StacksShownPhasesAndScrollsFourInALowClient)
{
    struct Case {
        const char* row;
        std::uint32_t shown;
        int height, scrollY;
        std::vector<int> tops;  // of the shown charts, in phase order
        int chartHeight, scrollHeight;
    };
    const Case cases[] = {
        {"nothing shown", 0x0, 600, 0, {}, 0, 1},
        {"one phase takes the client", 0x1, 500, 0, {0}, 500, 1},
        {"L2 and N share it", 0xA, 501, 0, {0, 250}, 250, 1},
        {"three phases in a low client do not scroll", 0x7, 300, 40, {0, 100, 200}, 100, 1},
        {"four phases at 720", 0xF, 720, 0, {0, 180, 360, 540}, 180, 1},
        {"four phases at 719 scroll", 0xF, 719, 0, {0, 239, 478, 717}, 239, 956},
        {"scrolled down", 0xF, 600, 150, {-150, 50, 250, 450}, 200, 800},
    };
    for (const Case& c : cases) {
        const HarmScrollLayout layout = HarmScrollLayout::Compute(c.shown, 640, c.height, c.scrollY);
        std::vector<int> tops;
        for (int phase = 0; phase < 4; ++phase) {
            const HarmScrollLayout::Box& box = layout.charts[static_cast<std::size_t>(phase)];
            EXPECT_EQ(box.shown, ((c.shown >> phase) & 1u) != 0) << c.row << " phase " << phase;
            if (box.shown) {
                tops.push_back(box.top);
                EXPECT_EQ(box.height, c.chartHeight) << c.row;
                EXPECT_EQ(box.width, 640) << c.row;
            }
        }
        EXPECT_EQ(tops, c.tops) << c.row;
        EXPECT_EQ(layout.scrollWidth, 1) << c.row;
        EXPECT_EQ(layout.scrollHeight, c.scrollHeight) << c.row;
    }
}

TEST(HarmScrollLayout, AnUpdateRefillsEveryShownChartOnlyWhenTheChartsChange)
{
    CHarmSelection stored;
    stored.itemId = 2000;
    stored.valueType = 1;
    stored.ticked[3] = stored.ticked[4] = 1;
    stored.showMaximum = stored.showAverage = 1;
    stored.phase = 0;
    struct Case {
        const char* row;
        void (*change)(CHarmSelection&);
        std::array<std::uint32_t, 4> shown;
        std::array<bool, 4> filled;
    };
    const Case cases[] = {
        {"the same selection refills its own phase", [](CHarmSelection&) {}, {1, 1, 0, 0}, {true, false, false, false}},
        {"only the phase changed: that phase", [](CHarmSelection& s) { s.phase = 1; }, {1, 1, 0, 0},
         {false, true, false, false}},
        {"a phase not shown: nothing", [](CHarmSelection& s) { s.phase = 2; }, {1, 1, 0, 0},
         {false, false, false, false}},
        {"another family: every shown phase", [](CHarmSelection& s) { s.itemId = 7000; }, {1, 0, 1, 1},
         {true, false, true, true}},
        {"another value type", [](CHarmSelection& s) { s.valueType = 0; }, {1, 1, 0, 0}, {true, true, false, false}},
        {"the other orders", [](CHarmSelection& s) { s.mode = 1; }, {1, 1, 0, 0}, {true, true, false, false}},
        {"another ticked bar", [](CHarmSelection& s) { s.ticked[0] = 1; }, {0, 1, 1, 0}, {false, true, true, false}},
        {"another statistic", [](CHarmSelection& s) { s.showCp95 = 1; }, {1, 1, 1, 1}, {true, true, true, true}},
        {"the bars found in the data do not count", [](CHarmSelection& s) { s.bars = {3}; }, {1, 1, 0, 0},
         {true, false, false, false}},
    };
    for (const Case& c : cases) {
        CHarmSelection next = stored;
        c.change(next);
        EXPECT_EQ(HarmPhasesToFill(stored, next, c.shown), c.filled) << c.row;
    }
}

TEST(HarmScrollLayout, TheFrameGivesThePanelItsWidthOrAStrip)
{
    struct Case {
        const char* row;
        int client;
        bool collapsed;
        int panelWidth;  // when expanded
        int viewWidth, panelLeft, shownPanelWidth;
    };
    const Case cases[] = {
        {"800 wide", 800, false, 220, 580, 580, 220},
        {"800 wide, folded", 800, true, 220, 795, 795, 5},
        {"a panel the toolkit made wider", 800, false, 260, 540, 540, 260},
        {"folded, whatever its width", 800, true, 260, 795, 795, 5},
        {"narrower than the panel", 100, false, 220, 0, -120, 220},
    };
    for (const Case& c : cases) {
        const HarmFrameLayout layout = HarmFrameLayout::Compute(c.client, c.collapsed, c.panelWidth);
        EXPECT_EQ(layout.viewWidth, c.viewWidth) << c.row;
        EXPECT_EQ(layout.panelLeft, c.panelLeft) << c.row;
        EXPECT_EQ(layout.panelWidth, c.shownPanelWidth) << c.row;
    }
}

}  // namespace
