#pragma once
// The values the statistic generator writes into the block files: the known test
// pattern (StatisticValue), or plausible measurements for the sample folder.

#include <cstdint>
#include <vector>

namespace gen {


class ValueSource {
public:
    ValueSource(const std::vector<std::uint32_t>& items, int timePlot, bool realistic);

    // The value of float `floatIndex` of block type `blockType` in record `record`.
    float At(std::uint64_t record, std::uint32_t blockType, std::uint32_t floatIndex) const;

private:
    struct Slot {
        std::uint32_t item;
        std::uint32_t kind;     // 0 value (or RMS), 1 ratio, 2 phase angle
        std::uint32_t channel;  // 0..3 (3 = N or the total)
    };
    float Plausible(const Slot& slot, std::uint64_t record, std::uint32_t blockType) const;

    std::vector<Slot> m_slots;
    int m_timePlot;
    bool m_realistic;
};

}  // namespace gen
