// The bars of a harmonic selection fetched from a generated folder through the
// statistic model, answered from the harmonic data collector.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "ViewsTestSupport.h"
#include "controls/BarChart.h"
#include "views/HarmBar.h"

namespace {

using viewstest::HarmFolder;
constexpr std::uint64_t kRecords = HarmFolder::kRecords;

CHarmSelection Selection(std::uint32_t itemId, std::vector<std::uint32_t> ticked, std::uint32_t mode)
{
    CHarmSelection selection;
    selection.itemId = itemId;
    for (std::uint32_t b = 3; b < 28; ++b) {
        selection.bars.push_back(b);
    }
    selection.bars.insert(selection.bars.end(), {0, 1, 2});
    for (const std::uint32_t b : ticked) {
        selection.ticked[b] = 1;
    }
    selection.mode = mode;
    selection.phase = 1;
    selection.valueType = 1;  // ratio
    selection.thdItemId = itemId == 2000 ? 24 : 6000;
    selection.dcItemId = itemId == 2000 ? 25 : 6001;
    selection.kfItemId = 23;
    return selection;
}

std::vector<std::wstring> Range(int first, int last)
{
    std::vector<std::wstring> labels;
    for (int n = first; n <= last; ++n) {
        labels.push_back(std::to_wstring(n));
    }
    return labels;
}

std::vector<std::wstring> Join(std::vector<std::wstring> a, const std::vector<std::wstring>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(HarmBar, LabelsOfTickedOrdersOtherOrdersAndExtras)
{
    HarmFolder folder;
    struct Case {
        const char* row;
        CHarmSelection selection;
        std::vector<std::wstring> labels;
    };
    const Case cases[] = {
        {"nothing ticked, mode 0", Selection(2000, {}, 0), {}},
        {"orders 2 and 4 with THD and DC", Selection(2000, {4, 6, 0, 1}, 0), {L"2", L"4", L"THD", L"DC"}},
        {"K factor without data gives no bar", Selection(2000, {3, 2}, 0), {L"1"}},
        {"interharmonics number from 0, other orders 25 to 49", Selection(3000, {3}, 1),
         Join({L"0"}, Range(25, 49))},
        {"high orders in mode 1: 26 to 35", Selection(4000, {}, 1), Range(26, 35)},
        {"current harmonics are not in the data", Selection(7000, {4, 0}, 0), {}},
    };
    for (const Case& c : cases) {
        std::vector<std::wstring> labels;
        for (const CHarmBar& bar : FetchHarmBars(c.selection, folder.model)) {
            labels.push_back(bar.label);
        }
        EXPECT_EQ(labels, c.labels) << c.row;
    }
}

TEST(HarmBar, ValuesAreTheStatisticsOfTheItemFile)
{
    HarmFolder folder;
    const std::vector<CHarmBar> bars = FetchHarmBars(Selection(2000, {6}, 0), folder.model);  // order 4
    ASSERT_EQ(bars.size(), 1u);
    // ESIN_V_HARM_4 is item 28; its ratio is the second kind, L2 the second channel.
    const std::uint32_t index = gen::FloatIndexOf(folder.options.items, 28) + 4 + 1;
    std::vector<double> maxima, minima, averages;
    for (std::uint64_t r = 0; r < kRecords; ++r) {
        maxima.push_back(gen::StatisticValue(r, 0, index));
        minima.push_back(gen::StatisticValue(r, 1, index));
        averages.push_back(gen::StatisticValue(r, 2, index));
    }
    std::sort(averages.begin(), averages.end());
    EXPECT_NEAR(bars[0].maximum, *std::max_element(maxima.begin(), maxima.end()), 0.001);
    EXPECT_NEAR(bars[0].minimum, *std::min_element(minima.begin(), minima.end()), 0.001);
    EXPECT_NEAR(bars[0].average, std::accumulate(averages.begin(), averages.end(), 0.0) / kRecords, 0.001);
    EXPECT_NEAR(bars[0].cp95, averages[10], 0.001) << "rank 12 × 0.95 + 0.5 = 11";
}

TEST(HarmBar, ChartSeriesFollowTheShownStatistics)
{
    const auto text = [](unsigned id) { return L"<" + std::to_wstring(id) + L">"; };
    const std::vector<CHarmBar> bars = {{3.0f, 1.0f, 2.0f, 2.5f, L"2"}, {1.5f, 0.5f, 1.0f, 1.25f, L"THD"}};
    struct Case {
        const char* row;
        std::array<std::uint32_t, 4> shown;  // maximum, minimum, average, 95 %
        std::size_t barCount;
        std::vector<std::wstring> names;
        std::vector<gfx::Color> colors;
    };
    const Case cases[] = {
        {"all four", {1, 1, 1, 1}, 2, {L"<6126>", L"<6127>", L"<6128>", L"<6129>"},
         {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 0, 255}}},
        {"only the 95 % value: one magenta series", {0, 0, 0, 1}, 2, {L"<6129>"}, {{255, 0, 255}}},
        {"no bars: no series, the title stays", {1, 1, 1, 1}, 0, {}, {}},
    };
    for (const Case& c : cases) {
        CHarmSelection selection = Selection(2000, {}, 0);
        selection.showMaximum = c.shown[0];
        selection.showMinimum = c.shown[1];
        selection.showAverage = c.shown[2];
        selection.showCp95 = c.shown[3];
        controls::BarChart chart;
        chart.valueTitle = {true, L"before"};
        chart.AddSeries(L"old", {1, 2, 3});
        FillHarmChart(chart, std::vector<CHarmBar>(bars.begin(), bars.begin() + c.barCount), selection, {}, text);
        std::vector<std::wstring> names;
        std::vector<gfx::Color> colors;
        for (const controls::ChartSeries& series : chart.Series()) {
            names.push_back(series.name);
            colors.push_back(series.color);
            ASSERT_EQ(series.points.size(), c.barCount) << c.row;
            EXPECT_EQ(series.points[1].argument, L"THD") << c.row;
            EXPECT_FALSE(series.labelsVisible) << c.row;
        }
        EXPECT_EQ(names, c.names) << c.row;
        EXPECT_EQ(colors, c.colors) << c.row;
        EXPECT_TRUE(chart.legendVisible) << c.row;
        EXPECT_EQ(chart.valueTitle.text, c.barCount != 0 ? L"<6131>[%](L2)" : L"before") << c.row;
    }
    controls::BarChart chart;
    CHarmSelection selection = Selection(2000, {}, 0);
    selection.showAverage = 1;
    FillHarmChart(chart, bars, selection, {}, text);
    EXPECT_EQ(chart.Series()[0].points[0].value, 2.0) << "the average of the bar";
}

TEST(HarmBar, ValueTitles)
{
    const auto text = [](unsigned id) { return L"<" + std::to_wstring(id) + L">"; };
    struct Case {
        std::uint32_t itemId, valueType, phase;
        const wchar_t* title;
    };
    const Case cases[] = {
        {2000, 1, 0, L"<6131>[V](L1)"}, {8000, 2, 3, L"<6135>[%](LN)"}, {12000, 1, 2, L"<6133>[kW](L3)"},
        {7000, 3, 1, L"<6132>[°](L2)"}, {4000, 1, 0, L"<6136>[V](L1)"}, {24, 1, 0, L"<6123>(L1)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HarmValueTitle(c.itemId, c.valueType, c.phase, text), c.title) << c.itemId << "/" << c.valueType;
    }
}

}  // namespace
