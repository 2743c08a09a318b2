#pragma once
// The symbolic names of the statistic items ("ESIN_VRMS"): the single items and the
// first member of every item family, by item id.

#include <cstdint>
#include <string>

// The name of a single item or family head; empty for any other id.
std::wstring StatisticItemName(std::uint32_t itemId);
