#pragma once
// CHarmSelection: what the harmonic panel chose for one harmonic family, handed to
// the scroll view and its charts: the family's bars found in the data (3 to 27 for
// orders 1 to 25, then 0 THD, 1 DC, 2 KF), the ticked bars, the phase, the value type
// (0 effective value, 1 ratio, 2 phase angle), the statistics to draw and the item
// ids of the THD, DC and KF bars. Mode 1 adds every order from index 25 up.

#include <array>
#include <cstdint>
#include <vector>

struct CHarmSelection {
    std::vector<std::uint32_t> bars;
    std::uint32_t phase = 0;
    std::uint32_t valueType = 0;
    std::array<std::uint32_t, 64> ticked{};
    std::uint32_t mode = 0;
    std::uint32_t itemId = 0;
    std::uint32_t nAllowed = 0;
    std::uint32_t phaseAngleAllowed = 0;
    std::uint32_t showMaximum = 0, showMinimum = 0, showAverage = 0, showCp95 = 0;
    std::uint32_t dcItemId = 0, thdItemId = 0, kfItemId = 0;
};
