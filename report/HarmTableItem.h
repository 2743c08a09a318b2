#pragma once
// CHarmTableItem: one harmonic table of the report configuration ("ZVTable" keys),
// with a count kept per harmonic order (orders 0 to 50, one decimal digit each).

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "report/ReportItem.h"

struct CHarmTableItem : CReportItem {
    static constexpr std::int32_t kHighestOrder = 50;

    // Orders 0 to 50, each with count 1.
    explicit CHarmTableItem(std::string itemKey = {});
    bool operator==(const CHarmTableItem&) const = default;

    // One digit per order from 0 up to the highest order held (at most 50); '0' for
    // an order the map lacks.
    std::string FormatCountMap() const;
    // Sets order i to the digit at position i; orders past the text keep their count.
    // False, and nothing changed, for a character that is not a digit or a text
    // longer than the orders 0 to 50.
    bool ParseCountMap(std::string_view text);

    std::map<std::int32_t, std::int32_t> orderCounts;
};
