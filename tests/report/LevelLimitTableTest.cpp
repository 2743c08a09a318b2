#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "report/LevelLimitTable.h"

namespace {

struct Level {
    const char* name;
    const wchar_t* levelName;
    float thd, odd, even, base;
    std::array<float, 24> currents;  // orders 2 to 25, GB/T 14549-1993 Table 2
};

const std::array<float, 24> k110kV = {12, 9.6f, 6.0f, 9.6f, 4.0f, 6.8f, 3.0f, 3.2f, 2.4f, 4.3f, 2.0f, 3.7f,
                                      1.7f, 1.9f, 1.5f, 2.8f, 1.3f, 2.5f, 1.2f, 1.4f, 1.1f, 2.1f, 1.0f, 1.9f};

const Level kLevels[] = {
    {"0.38 kV", L"0.38kV", 5.0f, 4.0f, 2.0f, 10,
     {78, 62, 39, 62, 26, 44, 19, 21, 16, 28, 13, 24, 11, 12, 9.7f, 18, 8.6f, 16, 7.8f, 8.9f, 7.1f, 14, 6.5f, 12}},
    {"6 kV", L"6kV", 4.0f, 3.2f, 1.6f, 100,
     {43, 34, 21, 34, 14, 24, 11, 11, 8.5f, 16, 7.1f, 13, 6.1f, 6.8f, 5.3f, 10, 4.7f, 9.0f, 4.3f, 4.9f, 3.9f, 7.4f,
      3.6f, 6.8f}},
    {"10 kV", L"10kV", 4.0f, 3.2f, 1.6f, 100,
     {26, 20, 13, 20, 8.5f, 15, 6.4f, 6.8f, 5.1f, 9.3f, 4.3f, 7.9f, 3.7f, 4.1f, 3.2f, 6.0f, 2.8f, 5.4f, 2.6f, 2.9f,
      2.3f, 4.5f, 2.1f, 4.1f}},
    {"35 kV", L"35kV", 3.0f, 2.4f, 1.2f, 250,
     {15, 12, 7.7f, 12, 5.1f, 8.8f, 3.8f, 4.1f, 3.1f, 5.6f, 2.6f, 4.7f, 2.2f, 2.5f, 1.9f, 3.6f, 1.7f, 3.2f, 1.5f, 1.8f,
      1.4f, 2.7f, 1.3f, 2.5f}},
    {"66 kV", L"66kV", 3.0f, 2.4f, 1.2f, 500,
     {16, 13, 8.1f, 13, 5.4f, 9.3f, 4.1f, 4.3f, 3.3f, 5.9f, 2.7f, 5.0f, 2.3f, 2.6f, 2.0f, 3.8f, 1.8f, 3.4f, 1.6f, 1.9f,
      1.5f, 2.8f, 1.4f, 2.6f}},
    {"110 kV", L"110kV", 2.0f, 1.6f, 0.8f, 750, k110kV},
    {"220 kV", L"220kV", 2.0f, 1.6f, 0.8f, 2000, k110kV},
};

// Every level, every order: the allowances of the standard, at the base capacity
// exactly, and none outside the orders 2 to 25.
TEST(LevelLimitTable, HarmonicLimitsOfEveryLevel)
{
    CLevelLimitTable table;
    for (std::uint32_t row = 0; row < 7; ++row) {
        const Level& level = kLevels[row];
        ASSERT_TRUE(table.SelectRow(row)) << level.name;
        EXPECT_EQ(table.GetLevelName(), level.levelName) << level.name;
        EXPECT_EQ(table.GetThd(), level.thd) << level.name;
        EXPECT_EQ(table.GetBaseCapacity(), level.base) << level.name;
        EXPECT_EQ(table.GetHarmVoltage(2), level.even) << level.name;
        EXPECT_EQ(table.GetHarmVoltage(3), level.odd) << level.name;
        EXPECT_EQ(table.GetHarmVoltage(24), level.even) << level.name;
        EXPECT_EQ(table.GetHarmVoltage(25), level.odd) << level.name;
        for (int order = 2; order <= 25; ++order) {
            const float expected = level.currents[static_cast<std::size_t>(order - 2)];
            EXPECT_EQ(table.GetCurrent(order), expected) << level.name << " order " << order;
            EXPECT_EQ(table.GetScaledCurrent(order, level.base), expected) << level.name << " order " << order;
        }
        for (const int order : {-1, 0, 1, 26, 50, std::numeric_limits<int>::max()}) {
            EXPECT_EQ(table.GetCurrent(order), 0.0f) << level.name << " order " << order;
            EXPECT_FALSE(table.GetScaledCurrent(order, level.base)) << level.name << " order " << order;
        }
    }
    EXPECT_FALSE(table.SelectRow(7));
    EXPECT_EQ(table.GetSelectedRow(), 6u) << "a refused row keeps the selection";
}

TEST(LevelLimitTable, CurrentLimitsScaleWithTheSiteCapacity)
{
    struct Case {
        const char* name;
        std::uint32_t row;
        int order;
        float site;
        std::optional<float> expected;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {"twice the base", 0, 3, 20.0f, 124.0f},
        {"half the base: the margin shows in single precision", 0, 3, 5.0f, std::nextafter(31.0f, 100.0f)},
        {"220 kV at its own base", 6, 25, 2000.0f, 1.9f},
        {"220 kV at the 110 kV base", 6, 2, 750.0f, static_cast<float>(750.0f / 2000.0f * 12.0f + 1e-6f)},
        {"no capacity gives no limit", 0, 5, 0.0f, std::nullopt},
        {"a negative capacity gives no limit", 1, 5, -100.0f, std::nullopt},
        {"a capacity that is not a number gives no limit", 1, 5, nan, std::nullopt},
        {"an infinite capacity gives no limit", 1, 5, std::numeric_limits<float>::infinity(), std::nullopt},
    };
    for (const Case& c : cases) {
        CLevelLimitTable table;
        table.SelectRow(c.row);
        EXPECT_EQ(table.GetScaledCurrent(c.order, c.site), c.expected) << c.name;
    }
}

TEST(LevelLimitTable, DeviationLimitsNameTheirSides)
{
    struct Case {
        const char* name;
        std::uint32_t row;
        bool singlePhase;
        float upper, lower;  // fractions
    };
    const Case cases[] = {
        {"0.38 kV single-phase: +7 % / -10 %", 0, true, 0.07f, 0.1f},
        {"0.38 kV three-phase", 0, false, 0.07f, 0.07f},
        {"6 kV", 1, false, 0.07f, 0.07f},
        {"10 kV ignores the single-phase flag", 2, true, 0.07f, 0.07f},
        {"35 kV", 3, false, 0.1f, 0.1f},
        {"66 kV", 4, false, 0.1f, 0.1f},
        {"110 kV", 5, false, 0.1f, 0.1f},
        {"220 kV", 6, true, 0.1f, 0.1f},
    };
    for (const Case& c : cases) {
        CLevelLimitTable table;
        table.SelectRow(c.row);
        table.SetSinglePhase(c.singlePhase);
        const DeviationLimits ratios = table.GetDeviationRatios();
        EXPECT_EQ(ratios.upper, c.upper) << c.name;
        EXPECT_EQ(ratios.lower, c.lower) << c.name;
        const DeviationLimits range = table.GetDeviationRange(220.0f);
        EXPECT_EQ(range.upper, static_cast<float>(static_cast<double>(c.upper * 220.0f) + 1e-6f)) << c.name;
        EXPECT_EQ(range.lower, static_cast<float>(static_cast<double>(c.lower * 220.0f) + 1e-6f)) << c.name;
    }
    CLevelLimitTable table;
    table.SetSinglePhase(true);
    const DeviationLimits range = table.GetDeviationRange(220.0f);
    EXPECT_FLOAT_EQ(range.upper, 15.4000015f);
    EXPECT_FLOAT_EQ(range.lower, 22.0000019f);
}

}  // namespace
