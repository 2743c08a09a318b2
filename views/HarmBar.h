#pragma once
// CHarmBar: one group of the harmonic bar chart (an order, or THD, DC or KF) with
// its four statistics over the loaded range, and how the bars of a selection are
// fetched from the statistic model.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "views/HarmSelection.h"

namespace controls {
class BarChart;
}

class IDataModel;

struct CHarmBar {
    float maximum = 0.0f, minimum = 0.0f, average = 0.0f, cp95 = 0.0f;
    std::wstring label;
};

// The orders a family has (50, or 35 for the high-order families; 0 for other ids).
std::uint32_t HarmOrderCount(std::uint32_t itemId);

// The bars of the selection's phase, in chart order: the ticked orders, with mode 1
// every order from index 25 up, then the ticked THD, DC and KF. A bar whose four
// statistics cannot all be fetched is left out.
std::vector<CHarmBar> FetchHarmBars(const CHarmSelection& selection, IDataModel& model);

// The value-axis title of a family's chart: the family's title text, the unit of its
// quantity for the value type (1 effective value, 2 ratio, 3 phase angle) and the
// phase suffix, e.g. 电压谐波[V](L1). A family outside the table has no quantity: the
// error text (6123) stands for title and unit. `text` gives a language string by id.
std::wstring HarmValueTitle(std::uint32_t itemId, std::uint32_t valueType, std::uint32_t phase,
                            const std::function<std::wstring(unsigned)>& text);

// The scheme's colours of the maximum, minimum and average series (COLORREF).
struct HarmChartColors {
    std::uint32_t maximum = 0x0000FF;
    std::uint32_t minimum = 0x00FF00;
    std::uint32_t average = 0xFF0000;
};

// Rebuilds the chart from the bars: one bar series per shown statistic (maximum,
// minimum, average, 95 % value in that order, named by strings 6126 to 6129; the 95 %
// series always magenta), a point per bar labelled by the bar, point labels hidden
// with three decimals, the legend on, the argument title hidden and the value title
// HarmValueTitle of the selection. Without bars the chart is left without series and
// its value title as it was. Answers the statistic (0 maximum ... 3 95 % value) of
// each series added, in series order.
std::vector<std::uint32_t> FillHarmChart(controls::BarChart& chart, const std::vector<CHarmBar>& bars, const CHarmSelection& selection,
                   const HarmChartColors& colors, const std::function<std::wstring(unsigned)>& text);
