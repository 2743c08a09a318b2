#pragma once
// CReportItemName: what the trend charts of a report need to know of one trend key
// of the report configuration: the report item id of the quantity, its display name
// in the report language, its unit and the kind of chart drawn for it.

#include <cstdint>
#include <string>

// Chart kinds: 1, 3 and 4 the ordinary trend chart (one series, per phase, the power
// quantities P, S, Q and PF), 84 the energy chart, 10 and 1200 the flicker chart
// (Pst, Plt), 1400 the negative-peak chart; any other kind gets no chart.
struct CReportItemName {
    CReportItemName() = default;
    CReportItemName(std::uint32_t id, std::wstring itemName, std::wstring itemUnit, std::uint32_t kind)
        : itemId(id), name(std::move(itemName)), unit(std::move(itemUnit)), chartKind(kind)
    {
    }
    bool operator==(const CReportItemName&) const = default;

    std::uint32_t itemId = 0;
    std::wstring name;
    std::wstring unit;  // "[V]", "[A]", "[Hz]" ...
    std::uint32_t chartKind = 0;
};
