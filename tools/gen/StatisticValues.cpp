#include "tools/gen/StatisticValues.h"

#include <cmath>
#include <numbers>

#include "tools/gen/StatisticFolder.h"

namespace gen {

namespace {

bool In(std::uint32_t id, std::uint32_t first, std::uint32_t last)
{
    return id >= first && id <= last;
}

std::uint32_t ItemKinds(std::uint32_t id)
{
    if (In(id, 25, 74) || In(id, 212, 261) || In(id, 399, 448)) {
        return 3;
    }
    if (id == 24 || id == 211 || id == 398 || In(id, 75, 209) || In(id, 262, 396)) {
        return 2;
    }
    return 1;
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

float ValueSource::At(std::uint64_t record, std::uint32_t blockType, std::uint32_t floatIndex) const
{
    if (!m_realistic || floatIndex >= m_slots.size()) {
        return StatisticValue(record, blockType, floatIndex);
    }
    return Plausible(m_slots[floatIndex], record, blockType);
}

float ValueSource::Plausible(const Slot& slot, std::uint64_t record, std::uint32_t blockType) const
{
    const double seconds = static_cast<double>(record) * m_timePlot;
    const double day = 2.0 * std::numbers::pi * std::fmod(seconds, 86400.0) / 86400.0;
    const double load = 0.55 + 0.35 * std::sin(day - 1.8);  // current follows the day
    const double wobble = Wobble(record, slot.item * 8 + slot.channel);
    // Maximum above, minimum below, average in between.
    const double spread = blockType == 0 ? 1.0 : (blockType == 1 ? -1.0 : 0.0);
    const std::uint32_t id = slot.item;
    const bool neutral = slot.channel == 3;
    double value = 0.0;

    auto harmonic = [&](double fundamental, std::uint32_t order, bool inter) {
        const double share = order == 1 ? 100.0 : (order % 2 == 1 ? 4.0 / order : 0.6 / order) * (inter ? 0.2 : 1.0);
        if (slot.kind == 0) {
            return fundamental * share / 100.0 * (1.0 + 0.02 * wobble);
        }
        if (slot.kind == 1) {
            return order == 1 ? 100.0 : share * (1.0 + 0.02 * wobble);  // ratio to the fundamental
        }
        return std::fmod(order * 37.0 + 10.0 * wobble + 360.0, 360.0) - 180.0;
    };

    if (id == 1 || id == 2 || id == 5) {
        value = neutral ? 0.8 + 0.2 * wobble : 230.0 - 4.0 * load + 0.6 * wobble + 1.5 * spread;
    } else if (id == 3 || id == 4) {
        value = (id == 3 ? 1.0 : -1.0) * (neutral ? 1.2 : 325.0 - 5.0 * load + 2.0 * spread);
    } else if (id == 6) {
        value = 1.41 + 0.01 * wobble;
    } else if (id == 7) {
        value = 50.0 + 0.02 * std::sin(day * 7.0) + 0.01 * wobble + 0.02 * spread;
    } else if (id == 8 || id == 9 || id == 12) {
        value = (neutral ? 2.0 : 40.0) * load * (1.0 + 0.05 * wobble) * (1.0 + 0.1 * spread);
    } else if (id == 10 || id == 11) {
        value = (id == 10 ? 1.0 : -1.0) * (neutral ? 3.0 : 58.0) * load * (1.0 + 0.1 * spread);
    } else if (id == 13) {
        value = 1.5 + 0.05 * wobble;
    } else if (id >= 14 && id <= 16) {
        const double scale = id == 14 ? 0.95 : (id == 15 ? 1.0 : 0.31);
        value = scale * 230.0 * 40.0 * load * (neutral ? 3.0 : 1.0) * (1.0 + 0.1 * spread);
    } else if (id == 17 || id == 18) {
        value = 0.95 + 0.02 * wobble;
    } else if (id >= 19 && id <= 21) {
        value = static_cast<double>(record) * m_timePlot / 3600.0 * 9.2 * (neutral ? 3.0 : 1.0);
    } else if (id == 22) {
        value = 1.3 + 0.1 * wobble;
    } else if (id == 23) {
        value = 2.4 + 0.4 * load + 0.1 * wobble + 0.3 * spread;
    } else if (id == 24 || id == 211 || id == 398) {
        value = slot.kind == 0 ? 0.05 + 0.02 * wobble : 0.02 + 0.01 * wobble;
    } else if (In(id, 25, 74)) {
        value = harmonic(230.0, id - 24, false);
    } else if (In(id, 75, 209)) {
        value = slot.kind == 0 ? 0.3 * (1.0 + 0.2 * wobble) : 0.13 * (1.0 + 0.2 * wobble);
    } else if (id == 210) {
        value = 8.0 + 3.0 * load + 0.5 * wobble;
    } else if (In(id, 212, 261)) {
        value = harmonic(40.0 * load, id - 211, false);
    } else if (In(id, 262, 396)) {
        value = slot.kind == 0 ? 0.1 * load * (1.0 + 0.2 * wobble) : 0.25 * (1.0 + 0.2 * wobble);
    } else if (id == 397) {
        value = 1.0 + 0.3 * wobble;
    } else if (In(id, 399, 448)) {
        value = harmonic(9200.0 * load, id - 398, false);
    } else if (id == 449 || id == 451) {
        value = 0.3 + 0.1 * load + 0.05 * wobble;
    } else if (id == 450) {
        value = 0.25 + 0.08 * load;
    } else if (id == 452 || id == 453) {
        value = (id == 452 ? 0.2 : 0.5) + 0.05 * wobble;
    } else if (id == 454) {
        value = 0.1 + 0.02 * wobble;
    } else if (id == 455 || id == 458) {
        value = id == 455 ? 230.0 - 4.0 * load : 40.0 * load;
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
