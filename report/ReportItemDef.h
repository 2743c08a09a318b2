#pragma once
// CReportItemDef: what the harmonic trend charts of a report need to know of one
// harmonic trend key: the harmonic family (2000 voltage harmonics, 3000 voltage
// interharmonics, 4000 voltage high-frequency bands, 7000, 8000, 9000 the current
// ones), whether the chart shows the orders or the THD, the phase, the display name
// in the report language and the unit.

#include <cstdint>
#include <string>

struct CReportItemDef {
    static constexpr std::uint32_t kHarmonics = 1;
    static constexpr std::uint32_t kThd = 2;

    CReportItemDef() = default;
    CReportItemDef(std::uint32_t id, std::uint32_t valueKind, std::uint32_t phaseIndex, std::uint32_t reservedWord,
                   std::wstring itemName, std::wstring itemUnit)
        : itemId(id), kind(valueKind), phase(phaseIndex), reserved(reservedWord), name(std::move(itemName)),
          unit(std::move(itemUnit))
    {
    }
    bool operator==(const CReportItemDef&) const = default;

    std::uint32_t itemId = 0;
    std::uint32_t kind = 0;   // kHarmonics or kThd
    std::uint32_t phase = 0;  // 0, 1, 2 for L1, L2, L3
    std::uint32_t reserved = 0;
    std::wstring name;
    std::wstring unit;  // "[V]", "[A]" or "[%]"
};
