// The rules that turn the interval series of one quantity into a row of the
// spreadsheet report: values, counts, pass rates and verdicts at their limits.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "export/ReportStatRow.h"
#include "tools/gen/StatisticFolder.h"

namespace {

using Series = std::vector<float>;

const VerdictTexts kTexts{L"合格", L"不合格"};
constexpr float kNoValue = gen::kNoValueSample;

TEST(ReportStatRow, ValuesOfTheThreeSeries)
{
    CReportStatRow row;
    ASSERT_TRUE(FillValueRow(row, {3, 9, kNoValue, 5}, {1, 2, kNoValue, 0.5f}, {2, 4, kNoValue, 3}));
    EXPECT_EQ(row.count, 3u) << "an interval without value is not counted";
    EXPECT_EQ(row.maximum, 9.0f);
    EXPECT_EQ(row.minimum, 0.5f);
    EXPECT_EQ(row.average, 3.0f);
    EXPECT_EQ(row.cp95, 4.0f);
    EXPECT_TRUE(row.valid);
    EXPECT_FALSE(row.judged);

    EXPECT_FALSE(FillValueRow(row, {}, {1}, {1}));
    EXPECT_FALSE(FillValueRow(row, {kNoValue, kNoValue}, {1, 1}, {1, 1})) << "no interval with value";
    EXPECT_FALSE(row.valid);
    EXPECT_EQ(row.verdictText, L"——") << "an empty row keeps the placeholder";
    EXPECT_EQ(row.maximum, 0.0f);
}

// The frequency band 49.8 to 50.2 Hz holds both ends, in the precision of the samples.
TEST(ReportStatRow, FrequencyVerdict)
{
    struct Case {
        const char* name;
        Series average;
        bool pass;
    };
    const Case cases[] = {
        {"inside", {50.0f, 50.1f, 49.9f}, true},
        {"at the upper end", {50.2f, 50.2f, 50.2f}, true},
        {"at the lower end", {49.8f, 49.8f, 49.8f}, true},
        {"just above", {50.21f, 50.21f, 50.21f}, false},
        {"95 % value below", {49.7f, 49.7f, 49.7f}, false},
    };
    for (const Case& c : cases) {
        CReportStatRow row;
        ASSERT_TRUE(FillFrequencyRow(row, c.average, c.average, c.average, kTexts)) << c.name;
        EXPECT_EQ(row.verdictText, c.pass ? L"合格" : L"不合格") << c.name;
        EXPECT_EQ(row.limitText, L"49.8-50.2") << c.name;
    }
    CReportStatRow row;
    EXPECT_FALSE(FillFrequencyRow(row, {}, {}, {}, kTexts));
}

// The unbalance maximum is held against 4.0 %, as the limit text "2.0/4.0" says.
TEST(ReportStatRow, UnbalanceVerdict)
{
    struct Case {
        const char* name;
        Series maximum, average;
        bool pass;
    };
    const Case cases[] = {
        {"low", {1.0f, 1.5f}, {1.0f, 1.5f}, true},
        {"maximum 3.0 within 4.0", {3.0f, 1.0f}, {1.5f, 1.5f}, true},
        {"maximum at 4.0", {4.0f}, {2.0f}, true},
        {"maximum above 4.0", {4.01f}, {1.0f}, false},
        {"95 % value above 2.0", {2.5f}, {2.01f}, false},
    };
    for (const Case& c : cases) {
        CReportStatRow row;
        ASSERT_TRUE(FillUnbalanceRow(row, c.maximum, c.average, c.average, kTexts)) << c.name;
        EXPECT_EQ(row.verdictText, c.pass ? L"合格" : L"不合格") << c.name;
        EXPECT_EQ(row.limit, 2.0f) << c.name;
        EXPECT_EQ(row.limitText, L"2.0/4.0") << c.name;
    }
}

TEST(ReportStatRow, FlickerTakesTheValuesNotBelowZero)
{
    CReportStatRow row;
    ASSERT_TRUE(FillFlickerRow(row, {-1.0f, 0.5f, 0.7f}, 1.0f, kTexts));
    EXPECT_EQ(row.maximum, 0.7f);
    EXPECT_EQ(row.minimum, 0.5f);
    EXPECT_FLOAT_EQ(row.average, 0.6f);
    EXPECT_EQ(row.limit, 1.0f);
    EXPECT_EQ(row.verdictText, L"合格");
    ASSERT_TRUE(FillFlickerRow(row, {0.9f, 0.9f}, 0.8f, kTexts));
    EXPECT_EQ(row.verdictText, L"不合格");
    EXPECT_FALSE(FillFlickerRow(row, {-1.0f, kNoValue}, 1.0f, kTexts)) << "only negative values";
    EXPECT_FALSE(FillFlickerRow(row, {}, 1.0f, kTexts));
}

// A harmonic order is judged by its AVG series: its count, the intervals over the
// limit and its 95 % value.
TEST(ReportStatRow, HarmonicOrders)
{
    struct Case {
        const char* name;
        Series average;
        std::optional<float> limit;
        bool valid;
        std::uint32_t count;
        float passRate;
        const wchar_t* verdict;
    };
    const float limit = 3.2f;
    const Case cases[] = {
        {"95 % value at the limit", {3.2f, 3.2f, 3.2f, 3.2f}, limit, true, 4, 100.0f, L"合格"},
        {"one of four above", {1.0f, 1.0f, 3.3f, 1.0f}, limit, true, 4, 75.0f, L"不合格"},
        {"all above", {4.0f, 5.0f}, limit, true, 2, 0.0f, L"不合格"},
        {"without value", {kNoValue, 1.0f, 4.0f}, limit, true, 2, 50.0f, L"不合格"},
        {"no limit", {1.0f, 2.0f}, std::nullopt, true, 2, 0.0f, L"——"},
        {"no average", {}, limit, false, 0, 0.0f, L"——"},
    };
    for (const Case& c : cases) {
        CReportStatRow row;
        const Series maximum(c.average.size(), 9.0f);
        EXPECT_EQ(FillHarmonicRow(row, maximum, c.average, c.average, c.limit, kTexts), c.valid) << c.name;
        EXPECT_EQ(row.count, c.count) << c.name;
        EXPECT_EQ(row.judged, c.limit.has_value() && c.valid) << c.name;
        EXPECT_EQ(row.passRate, c.passRate) << c.name;
        EXPECT_EQ(row.verdictText, c.verdict) << c.name;
    }
}

// THD: an interval is over the limit when its maximum is, or else the minimum of the
// same interval; positions past the end of a shorter MIN series are not over.
TEST(ReportStatRow, ThdPairsMaximumAndMinimumOfOneInterval)
{
    struct Case {
        const char* name;
        Series maximum, minimum, average;
        float passRate;
        const wchar_t* verdict;
    };
    const float limit = 4.0f;
    const Series low(10, 1.0f);
    const Case cases[] = {
        {"3 of 10 maxima over", {5, 5, 5, 1, 1, 1, 1, 1, 1, 1}, low, low, 70.0f, L"合格"},
        {"a minimum over, its maximum at the limit", {4, 4, 4, 4}, {1, 4.5f, 1, 1}, {1, 1, 1, 1}, 75.0f, L"合格"},
        {"a minimum over in another interval", {5, 1, 1, 1}, {1, 5, 1, 1}, {1, 1, 1, 1}, 50.0f, L"合格"},
        {"minimum series shorter", {1, 1, 1, 1}, {5}, {1, 1, 1, 1}, 75.0f, L"合格"},
        {"minimum series empty", {1, 5, 1, 1}, {}, {1, 1, 1, 1}, 75.0f, L"合格"},
        {"95 % value at the limit", {4, 4}, {4, 4}, {4, 4}, 100.0f, L"合格"},
        {"95 % value over", {3, 3}, {3, 3}, {4.1f, 4.1f}, 100.0f, L"不合格"},
    };
    for (const Case& c : cases) {
        CReportStatRow row;
        ASSERT_TRUE(FillThdRow(row, c.maximum, c.minimum, c.average, limit, kTexts)) << c.name;
        EXPECT_EQ(row.count, c.maximum.size()) << c.name;
        EXPECT_EQ(row.passRate, c.passRate) << c.name;
        EXPECT_EQ(row.verdictText, c.verdict) << c.name;
        EXPECT_EQ(row.limit, limit) << c.name;
    }
}

TEST(ReportStatRow, DeviationInPercentOfTheNominalVoltage)
{
    CReportStatRow row;
    ASSERT_TRUE(FillDeviationRow(row, {231, 242}, {209, 215}, {220, 225.5f}, 220.0f, L"+7/-7"));
    EXPECT_FLOAT_EQ(row.maximum, 10.0f);
    EXPECT_FLOAT_EQ(row.minimum, -5.0f);
    EXPECT_FLOAT_EQ(row.average, 1.25f);
    EXPECT_FLOAT_EQ(row.cp95, 2.5f);
    EXPECT_EQ(row.limitText, L"+7/-7");

    EXPECT_FALSE(FillDeviationRow(row, {231}, {209}, {220}, 1.0f, L"10")) << "nominal voltage of 1";
    EXPECT_FALSE(FillDeviationRow(row, {231}, {209}, {220}, std::nanf(""), L"10"));
    EXPECT_FALSE(FillDeviationRow(row, {231}, {209}, {}, 220.0f, L"10")) << "no average";
    EXPECT_FALSE(FillDeviationRow(row, {}, {209}, {220}, 220.0f, L"10"));
    EXPECT_EQ(row.limitText, L"");
}

}  // namespace
