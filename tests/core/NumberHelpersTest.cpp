#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/NumberHelpers.h"

namespace {

constexpr std::int64_t kNoValue = std::numeric_limits<std::int64_t>::min();

TEST(NumberHelpers, ScaleToFixedPointSpansTwoToThe32) {
    struct Case {
        double value, minimum, maximum;
        std::int64_t expected;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {0.0, 0.0, 10.0, 0},
        {10.0, 0.0, 10.0, 4294967296LL},
        {5.0, 0.0, 10.0, 2147483648LL},
        {-230.0, -230.0, 230.0, 0},
        {0.0, -230.0, 230.0, 2147483648LL},
        {20.0, 0.0, 10.0, 8589934592LL},
        {-1e-12, 0.0, 10.0, 0},             // +0.5 truncated toward zero
        {-10.0, 0.0, 10.0, -4294967295LL},  // -4294967296 + 0.5, truncated toward zero
        {1.0, 1.0, 1.0, kNoValue},          // 0/0
        {2.0, 1.0, 1.0, kNoValue},          // x/0
        {1e300, 0.0, 1.0, kNoValue},
        {nan, 0.0, 1.0, kNoValue},
    };
    for (const Case& c : cases) {
        std::int64_t result = 12345;
        EXPECT_EQ(ScaleToFixedPoint(c.value, c.minimum, c.maximum, result), 1);
        EXPECT_EQ(result, c.expected) << c.value << " in [" << c.minimum << ", " << c.maximum << "]";
    }
}

TEST(NumberHelpers, PowIntAndRoundToDecimals) {
    struct PowCase {
        double base;
        int exponent;
        double expected;
    };
    const PowCase powers[] = {
        {2.0, 10, 1024.0}, {2.0, -2, 0.25}, {-2.0, 3, -8.0}, {7.5, 0, 1.0},
        {10.0, 20, 1e20},  {1.0, INT_MIN, 1.0}, {2.0, INT_MAX, std::numeric_limits<double>::infinity()},
    };
    for (const PowCase& c : powers) {
        EXPECT_DOUBLE_EQ(PowInt(c.base, c.exponent), c.expected) << c.base << "^" << c.exponent;
    }

    struct RoundCase {
        double value;
        int decimals;
        double expected;
    };
    const RoundCase rounds[] = {
        {1.23449, 3, 1.234}, {1.2346, 3, 1.235}, {1.2355, 3, 1.236},  {-1.2346, 3, -1.235},
        {2.5, 1, 2.5},       {0.123456789012345, 10, 0.1234567890},  {49.99951, 3, 50.0},
        {1.26, 0, 1.3},      {1.26, -4, 1.3},                        // counts below 1 are taken as 1
    };
    for (const RoundCase& c : rounds) {
        EXPECT_NEAR(RoundToDecimals(c.value, c.decimals), c.expected, 1e-12) << c.value << " at " << c.decimals;
    }
}

TEST(NumberHelpers, FormatFixedWritesAFullStopWithTheDecimalsAsked) {
    struct Case {
        double value;
        int decimals;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {12000.0, 1, L"12000.0"}, {8000.04, 1, L"8000.0"},  {0.125, 2, L"0.12"},  // the double of 0.125 is exact: to even
        {10.0, 0, L"10"},         {-2.5, 3, L"-2.500"},     {1e20, 0, L"100000000000000000000"},
        {0.1, 40, L"0.10000000000000001"},  // at most 17 decimals
        {std::numeric_limits<double>::infinity(), 1, L"inf"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals;
    }
}

}  // namespace
