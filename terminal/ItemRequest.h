#pragma once
// ItemRequest: one series that a view asks a statistic reader for, together with
// the offsets the reader resolved for it and the values it read. Views create and
// own the requests; the reader fills the enabled ones.

#include <cstdint>
#include <vector>

struct ItemLayoutEntry {
    std::uint32_t itemId = 0;
    std::uint32_t offset = 0;  // bytes from the start of the block
    std::uint32_t size = 0;    // bytes
};

struct ItemRequest {
    std::uint32_t phase = 4;      // 0 L1, 1 L2, 2 L3, 3 N, 4 no phase
    std::uint32_t blockType = 0;  // 0 maximum, 1 minimum, 2 average, 3 the 95 % value
    std::int32_t order = 0;       // member of an item family, 0 = first
    std::uint32_t subValue = 0;
    std::uint32_t viewId = 0;
    std::vector<float> values;
    std::uint32_t subValueOffset = 0;
    std::uint32_t phaseOffset = 0;
    std::uint64_t blockTypeOffset = 0;
    ItemLayoutEntry layout;
    std::uint32_t enabled = 0;
};
