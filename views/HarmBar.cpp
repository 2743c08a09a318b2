#include "views/HarmBar.h"

#include "controls/BarChart.h"
#include "terminal/DataModel.h"
#include "terminal/HarmHistDataManager.h"

namespace {

bool IsInterharmonic(std::uint32_t itemId)
{
    return itemId == 3000 || itemId == 8000;
}

// The four statistics of one bar, asked in the order maximum, CP95, minimum, average;
// the first that fails drops the bar.
bool FetchBar(IDataModel& model, std::uint32_t phase, std::uint32_t order, std::uint32_t valueType,
              std::uint32_t itemId, CHarmBar& bar)
{
    float* fields[] = {&bar.maximum, &bar.minimum, &bar.average, &bar.cp95};
    for (const std::uint32_t kind : {0u, 3u, 1u, 2u}) {
        CHarmHistDataManager manager;
        manager.WantFigureOnly();
        if (model.GetData(phase, kind, order, valueType, itemId, reinterpret_cast<QueryWord>(&manager)) == 0 ||
            !manager.GetStatistic(kind, fields[kind])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint32_t HarmOrderCount(std::uint32_t itemId)
{
    switch (itemId) {
        case 2000: case 3000: case 5000: case 7000: case 8000: case 10000: case 12000: return 50;
        case 4000: case 9000: return 35;
        default: return 0;
    }
}

std::vector<CHarmBar> FetchHarmBars(const CHarmSelection& selection, IDataModel& model)
{
    std::vector<CHarmBar> bars;
    const std::uint32_t valueType = selection.valueType + 1;
    const bool interharmonic = IsInterharmonic(selection.itemId);
    const auto add = [&](std::uint32_t order, std::uint32_t itemId, std::wstring label) {
        CHarmBar bar;
        bar.label = std::move(label);
        if (FetchBar(model, selection.phase, order, valueType, itemId, bar)) {
            bars.push_back(std::move(bar));
        }
    };
    for (const std::uint32_t b : selection.bars) {
        if (b >= 3 && b < selection.ticked.size() && selection.ticked[b] != 0) {
            add(b - 3, selection.itemId, std::to_wstring(interharmonic ? b - 3 : b - 2));
        }
    }
    if (selection.mode == 1) {
        for (std::uint32_t order = 25; order < HarmOrderCount(selection.itemId); ++order) {
            add(order, selection.itemId, std::to_wstring(interharmonic ? order : order + 1));
        }
    }
    const std::uint32_t extraIds[] = {selection.thdItemId, selection.dcItemId, selection.kfItemId};
    const wchar_t* extraLabels[] = {L"THD", L"DC", L"KF"};
    for (const std::uint32_t b : selection.bars) {
        if (b < 3 && selection.ticked[b] != 0) {
            add(0, extraIds[b], extraLabels[b]);
        }
    }
    return bars;
}

std::wstring HarmValueTitle(std::uint32_t itemId, std::uint32_t valueType, std::uint32_t phase,
                            const std::function<std::wstring(unsigned)>& text)
{
    enum Quantity { Voltage, Current, Power, Open };
    struct Family {
        std::uint32_t itemId;
        unsigned titleId;
        Quantity quantity;
    };
    static constexpr Family kFamilies[] = {
        {2000, 6131, Voltage}, {3000, 6134, Voltage}, {4000, 6136, Voltage}, {5000, 6138, Voltage},
        {7000, 6132, Current}, {8000, 6135, Current}, {9000, 6137, Current}, {10000, 6139, Current},
        {12000, 6133, Power},
    };
    static const wchar_t* const kUnits[3][3] = {
        {L"[V]", L"[A]", L"[kW]"}, {L"[%]", L"[%]", L"[%]"}, {L"[°]", L"[°]", L"[°]"}};
    static const wchar_t* const kPhases[] = {L"(L1)", L"(L2)", L"(L3)", L"(LN)"};
    Quantity quantity = Open;
    std::wstring title;
    for (const Family& family : kFamilies) {
        if (family.itemId == itemId) {
            quantity = family.quantity;
            title = text(family.titleId);
        }
    }
    if (quantity == Open || valueType < 1 || valueType > 3) {
        title = text(6123);
    } else {
        title += kUnits[valueType - 1][quantity];
    }
    return phase < 4 ? title + kPhases[phase] : title;
}

std::vector<std::uint32_t> FillHarmChart(controls::BarChart& chart, const std::vector<CHarmBar>& bars, const CHarmSelection& selection,
                   const HarmChartColors& colors, const std::function<std::wstring(unsigned)>& text)
{
    chart.RemoveAllSeries();
    chart.legendVisible = true;
    std::vector<std::uint32_t> kinds;
    if (bars.empty()) {
        return kinds;
    }
    struct Statistic {
        std::uint32_t shown;
        unsigned nameId;
        gfx::Color color;
        float CHarmBar::*value;
    };
    const Statistic statistics[] = {
        {selection.showMaximum, 6126, gfx::Color::FromColorRef(colors.maximum), &CHarmBar::maximum},
        {selection.showMinimum, 6127, gfx::Color::FromColorRef(colors.minimum), &CHarmBar::minimum},
        {selection.showAverage, 6128, gfx::Color::FromColorRef(colors.average), &CHarmBar::average},
        {selection.showCp95, 6129, gfx::Color{255, 0, 255}, &CHarmBar::cp95},
    };
    for (std::uint32_t kind = 0; kind < 4; ++kind) {
        const Statistic& statistic = statistics[kind];
        if (statistic.shown == 0) {
            continue;
        }
        kinds.push_back(kind);
        controls::ChartSeries& series = chart.AddSeries(text(statistic.nameId), statistic.color);
        series.labelFormat = L"%.3f";
        for (const CHarmBar& bar : bars) {
            series.points.push_back({bar.label, bar.*statistic.value});
        }
    }
    if (!chart.Series().empty()) {
        chart.argumentTitle.visible = false;
        chart.valueTitle = {true, HarmValueTitle(selection.itemId, selection.valueType + 1, selection.phase, text)};
    }
    return kinds;
}
