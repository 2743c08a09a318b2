// Where the harmonic scroll view stacks its phase charts.
#include <gtest/gtest.h>

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

}  // namespace
