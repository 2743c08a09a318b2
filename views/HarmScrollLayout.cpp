#include "views/HarmScrollLayout.h"

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
