// The progress dialog's bar: range and steps for small, capped and huge totals.
#include <gtest/gtest.h>

#include <cstdint>

#include "controls/ProgressTicker.h"

namespace {

using controls::ProgressTicker;

TEST(ProgressTickerTest, TicksStepTheBarByTheShareOfTheTotal) {
    struct Case {
        const char* name;
        std::uint64_t total;
        int ticks;
        int rangeHigh;
        int steps;
        int position;
    };
    const Case cases[] = {
        {"ten ticks of ten fill the bar", 10, 10, 10, 10, 10},
        {"no total: every tick steps", 0, 3, 0, 3, 1},
        {"the range is capped; every third tick steps", 200000, 9, 65535, 3, 3},
        {"just below twice the cap steps every tick", 131069, 5, 65535, 5, 5},
        {"the bar stops at its end", 5, 8, 5, 8, 5},
        {"a total beyond 65535 squared still moves", 65535ull * 70000, 70000 * 2, 65535, 2, 2},
    };
    for (const Case& c : cases) {
        ProgressTicker ticker(c.total);
        int steps = 0;
        for (int i = 0; i < c.ticks; ++i) {
            steps += ticker.Tick() ? 1 : 0;
        }
        EXPECT_EQ(1, ticker.RangeLow()) << c.name;
        EXPECT_EQ(c.rangeHigh, ticker.RangeHigh()) << c.name;
        EXPECT_EQ(c.steps, steps) << c.name;
        EXPECT_EQ(c.position, ticker.Position()) << c.name;
    }
}

}  // namespace
