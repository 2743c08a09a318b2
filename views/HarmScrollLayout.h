#pragma once
// HarmScrollLayout: where the harmonic scroll view puts its four phase charts (L1,
// L2, L3, N) for a client size. Fewer than four shown phases, or a client at least
// 720 pixels high, share the height from the top without scrolling; all four in a
// lower client get a third of the height each and scroll.

#include <array>
#include <cstdint>

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
