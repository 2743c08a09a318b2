#pragma once
// CZVHarmPic: one harmonic bar chart: the legend items (one per kind of bar), the
// bar groups left to right (one per harmonic order), the extremes of all values,
// the title and the value unit.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/ZVHarmSeries.h"
#include "report/ZVPicItem.h"

class CZVHarmPic {
public:
    CZVHarmPic(std::wstring picTitle, std::wstring picUnit, std::vector<CZVPicItem> picItems);

    // Widens the extremes by the series' values and appends a copy of it.
    void AddValues(const CZVHarmSeries& series);

    const std::wstring& GetTitle() const { return title; }
    const std::wstring& GetUnit() const { return unit; }
    std::wstring GetGroupLabel(std::size_t group) const;
    std::wstring GetItemName(std::size_t item) const;
    // The colour of bar `bar` of group `group`: that of the legend item it names;
    // none when either index, or the item, does not exist.
    std::optional<std::uint32_t> GetBarColor(std::size_t group, std::size_t bar) const;
    // Whether any bar carries a value (then maximum >= minimum).
    bool HasValues() const { return maximum >= minimum; }

    std::vector<CZVPicItem> items;
    std::vector<CZVHarmSeries> series;
    float maximum = -1e8f;
    float minimum = 1e8f;
    std::wstring title;
    std::wstring unit;
};
