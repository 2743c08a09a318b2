#pragma once
// DataSelectInfo: the stretch of a statistic record the user chose to load. The
// main frame keeps it, hands its address to the controller with every load
// request, and the models copy it whole as their 14-word query record (words 0-5
// the block indexes, 6-7 the size, 8-11 the times, 12-13 the block description),
// so its size and layout are fixed and checked here.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

struct DataSelectInfo {
    std::uint64_t FirstBlock = 0;  // first statistic block selected
    std::uint64_t EndBlock = 0;    // one past the last block selected
    std::uint64_t BlockNum = 0;    // EndBlock - FirstBlock
    std::uint64_t DataSize = 0;    // BlockNum x BlockSize x BlockTypeCount, in bytes
    std::int64_t StartTime = 0;    // first instant selected, seconds since 1970
    std::int64_t EndTime = 0;      // last instant selected, seconds since 1970
    std::uint32_t BlockSize = 0;   // bytes of one block type of a record
    std::uint32_t TimePlot = 0;    // seconds per block
};

// The models read the record as little-endian 32-bit words.
static_assert(std::endian::native == std::endian::little);
static_assert(std::is_standard_layout_v<DataSelectInfo> && std::is_trivially_copyable_v<DataSelectInfo>);
static_assert(sizeof(DataSelectInfo) == 14 * sizeof(std::uint32_t));
static_assert(offsetof(DataSelectInfo, FirstBlock) == 0);
static_assert(offsetof(DataSelectInfo, EndBlock) == 8);
static_assert(offsetof(DataSelectInfo, BlockNum) == 16);
static_assert(offsetof(DataSelectInfo, DataSize) == 24);
static_assert(offsetof(DataSelectInfo, StartTime) == 32);
static_assert(offsetof(DataSelectInfo, EndTime) == 40);
static_assert(offsetof(DataSelectInfo, BlockSize) == 48);
static_assert(offsetof(DataSelectInfo, TimePlot) == 52);
