#pragma once
// The rules of the harmonic-order selector, apart from its windows: each row is one
// trend chart with six lists, each showing "OFF" (index 0) or one order from 2 up to
// the highest order (index = order - 1).

#include <array>
#include <cstdint>

#include "report/HarmTrendItem.h"

inline constexpr int kHarmListsPerRow = 6;

using HarmRowIndexes = std::array<int, kHarmListsPerRow>;

// At most one row per six orders: ceil(highest order / 6).
int MaxHarmRows(unsigned highestOrder);

// The order a new row's list shows: rows 0, 1, 2, 3 offer 3-13 odd, 2-12 even,
// 15-25 odd, 14-24 even, and so on in pairs.
std::int32_t DefaultHarmOrder(int rowIndex, int listIndex);

// The list index that shows the order, the order first limited to the highest one;
// "OFF" for an order below 2.
int HarmOrderIndex(std::int32_t order, unsigned highestOrder);

// The six lists of row `rowIndex`: the group's orders in ascending order, "OFF"
// past its last; a row without a group (or an empty one) shows the default orders.
HarmRowIndexes HarmRowChoice(int rowIndex, const OrderGroup* group, unsigned highestOrder);

// The orders the six lists show, each once; "OFF" adds none.
OrderGroup HarmGroupOfRow(const HarmRowIndexes& indexes);
