#pragma once
// What one statistic item occupies in a block: its size in floats, the phases it
// lacks and where its sub-values (the kinds of a harmonic, or the values of the
// unbalance item) lie inside it.

#include <cstdint>
#include <map>
#include <set>

struct ItemValueLayout {
    std::set<std::uint32_t> lackingPhases;
    // Sub-value index -> byte offset inside the item; empty when the item has none.
    std::map<std::uint32_t, std::uint32_t> subValues;
    // Bytes of one set of phase values (the phases of one kind, or one value when the
    // sub-values are the values themselves): a phase offset must stay inside it.
    std::uint32_t phaseSpan = 16;
};

// Floats per block of an item; 0 for an id that is not a statistic item.
std::uint32_t StatisticItemSize(std::uint32_t itemId);

// The layout of an item, or null for an id that is not a statistic item.
const ItemValueLayout* StatisticItemLayout(std::uint32_t itemId);
