#pragma once
// HarmScrollLayout: where the harmonic scroll view puts its four phase charts (L1,
// L2, L3, N) for a client size. Fewer than four shown phases, or a client at least
// 720 pixels high, share the height from the top without scrolling; all four in a
// lower client get a third of the height each and scroll.

#include <array>
#include <cstdint>

#include "views/HarmSelection.h"

struct HarmScrollLayout {
    static constexpr int kFullHeight = 720;  // from here four charts fit without scrolling

    struct Box {
        bool shown = false;
        int left = 0, top = 0, width = 0, height = 0;
    };
    std::array<Box, 4> charts;  // by phase
    int scrollWidth = 1, scrollHeight = 1;

    // `shownPhases`: bit 0x1 L1 ... 0x8 N; `scrollY`: the vertical scroll position.
    static HarmScrollLayout Compute(std::uint32_t shownPhases, int width, int height, int scrollY);
};

// The phase charts an update of the scroll view refills: every shown phase when the
// selection draws other charts than the stored one (family, value type, mode, ticked
// bars or shown statistics differ; the phase does not count), else only the
// selection's phase when it is shown.
std::array<bool, 4> HarmPhasesToFill(const CHarmSelection& stored, const CHarmSelection& next,
                                     const std::array<std::uint32_t, 4>& shown);

// The histogram frame's halves for a client width: the scroll view on the left, the
// panel on the right, `panelWidth` wide (kCollapsedWidth when folded).
struct HarmFrameLayout {
    static constexpr int kPanelWidth = 220;
    static constexpr int kCollapsedWidth = 5;

    int viewWidth = 0;
    int panelLeft = 0, panelWidth = 0;

    static HarmFrameLayout Compute(int clientWidth, bool collapsed, int panelWidth = kPanelWidth);
};
