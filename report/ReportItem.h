#pragma once
// CReportItem: the beginning that a parameter-table row, a harmonic table and a
// harmonic trend item of the report configuration share: the enabled word and the
// item's key (its element name in the ".rcg" file).

#include <cstdint>
#include <string>

struct CReportItem {
    CReportItem() = default;
    explicit CReportItem(std::string itemKey) : key(std::move(itemKey)) {}
    bool operator==(const CReportItem&) const = default;

    std::string GetKey() const { return key; }

    std::int32_t Enabled = 1;  // the item appears in the report (non-zero)
    std::string key;
};
