#include "tools/gen/StatisticValues.h"

#include <cmath>
#include <numbers>

#include "tools/gen/ItemFiles.h"
#include "tools/gen/StatisticFolder.h"

namespace gen {

namespace {

bool In(std::uint32_t id, std::uint32_t first, std::uint32_t last)
{
    return id >= first && id <= last;
}

// A small deterministic wobble in [-1, 1].
double Wobble(std::uint64_t record, std::uint32_t salt)
{
    const std::uint64_t mixed = (record * 2654435761u + salt * 40503u) % 2001u;
    return static_cast<double>(mixed) / 1000.0 - 1.0;
}

}  // namespace

std::uint32_t ItemFloats(std::uint32_t id)
{
    if (In(id, 1, 6) || In(id, 8, 23) || id == 210 || id == 461) {
        return 4;
    }
    if (id == 397 || In(id, 449, 454)) {
        return 3;
    }
    if (id == 7 || In(id, 455, 460)) {
        return 1;
    }
    if (id == 24 || id == 211) {
        return 8;
    }
    if (id == 398) {
        return 6;
    }
    if (In(id, 25, 74) || In(id, 212, 261)) {
        return 12;
    }
    if (In(id, 75, 209) || In(id, 262, 396)) {
        return 8;
    }
    if (In(id, 399, 448)) {
        return 9;
    }
    return 0;
}

ValueSource::ValueSource(const std::vector<std::uint32_t>& items, int timePlot, bool realistic)
    : m_timePlot(timePlot > 0 ? timePlot : 60), m_realistic(realistic)
{
    if (!realistic) {
        return;
    }
    for (std::uint32_t item : items) {
        const std::uint32_t floats = ItemFloats(item);
        const std::uint32_t kinds = ItemKinds(item);
        const std::uint32_t channels = floats / kinds;
        for (std::uint32_t f = 0; f < floats; ++f) {
            m_slots.push_back({item, f / channels, f % channels});
        }
    }
}

ValueSource::ValueSource(const StatisticFolderOptions& options)
    : ValueSource(options.items, options.timePlot, options.realisticValues)
{
    m_voltage = options.plausibleVoltage;
    for (const StatisticOverride& o : options.overrides) {
        m_overrides[{o.record, o.blockType, FloatIndexOf(options.items, o.item) + o.channel}] = o.value;
    }
}

float ValueSource::At(std::uint64_t record, std::uint32_t blockType, std::uint32_t floatIndex) const
{
    if (!m_overrides.empty()) {
        const auto found = m_overrides.find({record, blockType, floatIndex});
        if (found != m_overrides.end()) {
            return found->second;
        }
    }
    if (!m_realistic || floatIndex >= m_slots.size()) {
        return StatisticValue(record, blockType, floatIndex);
    }
    return Plausible(m_slots[floatIndex], record, blockType);
}

namespace {

constexpr double kDay = 86400.0;
constexpr double kOmega = 2.0 * std::numbers::pi / kDay;
// The load over the day: 0.55 + 0.35 sin(omega t - 1.8), highest a little before one
// in the afternoon, lowest at night.
constexpr double kLoadMean = 0.55, kLoadSwing = 0.35, kLoadPhase = 1.8;

// The load summed from time 0 to t (load x seconds).
double LoadIntegral(double t)
{
    return kLoadMean * t - kLoadSwing / kOmega * (std::cos(kOmega * t - kLoadPhase) - std::cos(-kLoadPhase));
}

// Full-load current per phase (A) and the power factor the powers follow.
constexpr double kFullCurrent = 40.0;
constexpr double kPowerFactor = 0.95;
// The items the powers are made of, and the average block.
constexpr std::uint32_t kVoltageItem = 1, kCurrentItem = 8, kPowerFactorItem = 17, kAverage = 2;

}  // namespace

double ValueSource::Power(std::uint32_t item, std::uint32_t channel, std::uint64_t record) const
{
    if (channel >= 3) {
        return Power(item, 0, record) + Power(item, 1, record) + Power(item, 2, record);
    }
    const double voltage = Plausible({kVoltageItem, 0, channel}, record, kAverage);
    const double current = Plausible({kCurrentItem, 0, channel}, record, kAverage);
    const double factor = Plausible({kPowerFactorItem, 0, channel}, record, kAverage);
    const double apparent = voltage * current / 1000.0;
    switch (item) {
    case 14: return factor * apparent;
    case 15: return apparent;
    default: return std::sqrt(1.0 - factor * factor) * apparent;
    }
}

double ValueSource::Energy(std::uint32_t powerItem, std::uint32_t channel, std::uint64_t record) const
{
    std::vector<double>& counted = m_energy[{powerItem, channel}];
    const double hours = m_timePlot / 3600.0;
    while (counted.size() <= record) {
        const double before = counted.empty() ? 0.0 : counted.back();
        const auto k = static_cast<std::uint64_t>(counted.size());
        // The average power as the block files hold it, three decimals.
        counted.push_back(before + std::round(Power(powerItem, channel, k) * 1000.0) / 1000.0 * hours);
    }
    return counted[record];
}

double ValueSource::Load(std::uint64_t record) const
{
    const double start = static_cast<double>(record) * m_timePlot;
    return (LoadIntegral(start + m_timePlot) - LoadIntegral(start)) / m_timePlot;
}

float ValueSource::Plausible(const Slot& slot, std::uint64_t record, std::uint32_t blockType) const
{
    const double seconds = static_cast<double>(record) * m_timePlot;
    const double day = 2.0 * std::numbers::pi * std::fmod(seconds, kDay) / kDay;
    const double load = Load(record);  // current follows the day
    const double wobble = Wobble(record, slot.item * 8 + slot.channel);
    // Maximum above, minimum below, average in between.
    const double spread = blockType == 0 ? 1.0 : (blockType == 1 ? -1.0 : 0.0);
    const std::uint32_t id = slot.item;
    const bool neutral = slot.channel == 3;
    const double u = m_voltage;
    // Apparent power of one phase at full load (kVA); the total is three phases.
    const double phaseKva = u * kFullCurrent / 1000.0;
    const double phases = neutral ? 3.0 : 1.0;
    double value = 0.0;

    auto harmonic = [&](double fundamental, std::uint32_t order, bool inter, double angle) {
        const double share = order == 1 ? 100.0 : (order % 2 == 1 ? 4.0 / order : 0.6 / order) * (inter ? 0.2 : 1.0);
        if (slot.kind == 0) {
            return fundamental * share / 100.0 * (1.0 + 0.02 * wobble);
        }
        if (slot.kind == 1) {
            return order == 1 ? 100.0 : share * (1.0 + 0.02 * wobble);  // ratio to the fundamental
        }
        if (order == 1) {
            // The fundamental's angle: the phases 120 degrees apart, N with L1.
            static constexpr double kPhase[] = {0.0, -120.0, 120.0, 0.0};
            return kPhase[slot.channel % 4] + angle + 0.5 * wobble;
        }
        return std::fmod(order * 37.0 + 10.0 * wobble + 360.0, 360.0) - 180.0;
    };

    if (id == 1 || id == 2 || id == 5) {
        value = neutral ? 0.8 + 0.2 * wobble : u - 4.0 * load + 0.6 * wobble + 1.5 * spread;
    } else if (id == 3 || id == 4) {
        value = (id == 3 ? 1.0 : -1.0) * (neutral ? 1.2 : std::numbers::sqrt2 * (u - 4.0 * load) + 2.0 * spread);
    } else if (id == 6) {
        value = 1.41 + 0.01 * wobble;
    } else if (id == 7) {
        value = 50.0 + 0.02 * std::sin(day * 7.0) + 0.01 * wobble + 0.02 * spread;
    } else if (id == 8 || id == 9 || id == 12) {
        value = (neutral ? 2.0 : kFullCurrent) * load * (1.0 + 0.05 * wobble) * (1.0 + 0.1 * spread);
    } else if (id == 10 || id == 11) {
        value = (id == 10 ? 1.0 : -1.0) * (neutral ? 3.0 : 1.45 * kFullCurrent) * load * (1.0 + 0.1 * spread);
    } else if (id == 13) {
        value = 1.5 + 0.05 * wobble;
    } else if (id >= 14 && id <= 16) {
        value = Power(id, slot.channel, record) * (1.0 + 0.1 * spread);
    } else if (id == 17 || id == 18) {
        value = kPowerFactor + (id == 18 ? 0.01 : 0.0) + 0.005 * wobble;
    } else if (id >= 19 && id <= 21) {
        value = Energy(id - 5, slot.channel, record);
    } else if (id == 22) {
        value = 1.3 + 0.1 * wobble;
    } else if (id == 23) {
        value = 2.4 + 0.4 * load + 0.1 * wobble + 0.3 * spread;
    } else if (id == 24 || id == 211 || id == 398) {
        value = slot.kind == 0 ? 0.05 + 0.02 * wobble : 0.02 + 0.01 * wobble;
    } else if (In(id, 25, 74)) {
        value = harmonic(u - 4.0 * load, id - 24, false, 0.0);
    } else if (In(id, 75, 209)) {
        value = slot.kind == 0 ? 0.3 * (1.0 + 0.2 * wobble) : 0.13 * (1.0 + 0.2 * wobble);
    } else if (id == 210) {
        value = 8.0 + 3.0 * load + 0.5 * wobble;
    } else if (In(id, 212, 261)) {
        value = harmonic(kFullCurrent * load, id - 211, false, -std::acos(kPowerFactor) * 180.0 / std::numbers::pi);
    } else if (In(id, 262, 396)) {
        value = slot.kind == 0 ? 0.1 * load * (1.0 + 0.2 * wobble) : 0.25 * (1.0 + 0.2 * wobble);
    } else if (id == 397) {
        value = 1.0 + 0.3 * wobble;
    } else if (In(id, 399, 448)) {
        // Harmonic active power (kW), the fundamental's being the active power.
        value = harmonic(kPowerFactor * phaseKva * load * phases, id - 398, false, 0.0);
    } else if (id == 449 || id == 451) {
        value = 0.3 + 0.1 * load + 0.05 * wobble;
    } else if (id == 450) {
        value = 0.25 + 0.08 * load;
    } else if (id == 452 || id == 453) {
        value = (id == 452 ? 0.2 : 0.5) + 0.05 * wobble;
    } else if (id == 454) {
        value = 0.1 + 0.02 * wobble;
    } else if (id == 455 || id == 458) {
        value = id == 455 ? u - 4.0 * load : kFullCurrent * load;
    } else if (id == 456 || id == 459) {
        value = id == 456 ? 1.0 + 0.2 * wobble : 0.4 * load;
    } else if (id == 457 || id == 460) {
        value = 0.3 + 0.1 * wobble;
    } else if (id == 461) {
        static constexpr double unbalance[] = {0.4, 0.2, 2.0, 1.0};
        value = unbalance[slot.channel % 4] * (1.0 + 0.2 * wobble);
    }
    return static_cast<float>(std::round(value * 1000.0) / 1000.0);
}

}  // namespace gen
