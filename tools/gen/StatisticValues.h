#pragma once
// The values the statistic generator writes into the block files: the known test
// pattern (StatisticValue), or plausible measurements of a low-voltage site.
//
// The plausible values follow one load curve over the day, so that they agree with
// each other as a terminal's would: currents follow the load, voltages sag with it,
// power is voltage times current times the power factor, in kW, kvar and kVA as the
// terminals store it, and each energy counter (kWh) is the power summed over the
// intervals so far. A value of the folder's overrides replaces the plausible one.

#include <cstdint>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

namespace gen {

struct StatisticFolderOptions;

class ValueSource {
public:
    explicit ValueSource(const StatisticFolderOptions& options);
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
    // The load's mean over the interval of a record, in [0.2, 0.9].
    double Load(std::uint64_t record) const;
    // Active (item 14), apparent (15) or reactive (16) power of a phase, or of the
    // three (channel 3), from the voltage, current and power factor of the record.
    double Power(std::uint32_t item, std::uint32_t channel, std::uint64_t record) const;
    // The counter of a power's energy at the end of the record.
    double Energy(std::uint32_t powerItem, std::uint32_t channel, std::uint64_t record) const;

    std::vector<Slot> m_slots;
    int m_timePlot;
    bool m_realistic;
    double m_voltage = 230.0;
    std::map<std::tuple<std::uint64_t, std::uint32_t, std::uint32_t>, float> m_overrides;
    // Energy counters so far, by power item and channel.
    mutable std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<double>> m_energy;
};

}  // namespace gen
