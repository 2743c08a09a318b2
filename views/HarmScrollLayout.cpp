#include "views/HarmScrollLayout.h"

#include <algorithm>

HarmScrollLayout HarmScrollLayout::Compute(std::uint32_t shownPhases, int width, int height, int scrollY)
{
    HarmScrollLayout layout;
    int shown = 0;
    for (int phase = 0; phase < 4; ++phase) {
        shown += (shownPhases >> phase) & 1u;
    }
    if (shown == 0) {
        return layout;
    }
    const bool scrolls = shown == 4 && height < kFullHeight;
    const int chartHeight = scrolls ? height / 3 : height / shown;
    int top = scrolls ? -scrollY : 0;
    for (int phase = 0; phase < 4; ++phase) {
        if (((shownPhases >> phase) & 1u) == 0) {
            continue;
        }
        layout.charts[static_cast<std::size_t>(phase)] = {true, 0, top, width, chartHeight};
        top += chartHeight;
    }
    if (scrolls) {
        layout.scrollHeight = chartHeight * 4;
    }
    return layout;
}

std::array<bool, 4> HarmPhasesToFill(const CHarmSelection& stored, const CHarmSelection& next,
                                     const std::array<std::uint32_t, 4>& shown)
{
    const bool differs = stored.itemId != next.itemId || stored.valueType != next.valueType ||
                         stored.mode != next.mode || stored.ticked != next.ticked ||
                         stored.showMaximum != next.showMaximum || stored.showMinimum != next.showMinimum ||
                         stored.showAverage != next.showAverage || stored.showCp95 != next.showCp95;
    std::array<bool, 4> fill{};
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        fill[phase] = shown[phase] != 0 && (differs || phase == next.phase);
    }
    return fill;
}

HarmFrameLayout HarmFrameLayout::Compute(int clientWidth, bool collapsed, int panelWidth)
{
    HarmFrameLayout layout;
    layout.panelWidth = collapsed ? kCollapsedWidth : panelWidth;
    layout.viewWidth = std::max(clientWidth - layout.panelWidth, 0);
    layout.panelLeft = clientWidth - layout.panelWidth;
    return layout;
}
