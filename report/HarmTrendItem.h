#pragma once
// CHarmTrendItem: one harmonic trend item of the report configuration (harmonic
// "ZVTrend" keys); each of its groups of harmonic orders is one chart.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "report/ReportItem.h"

// The orders of one chart, ascending, each once.
using OrderGroup = std::set<std::int32_t>;

struct CHarmTrendItem : CReportItem {
    // The four default charts: {3, 5, ..., 13}, {2, 4, ..., 12}, {15, ..., 25}, {14, ..., 24}.
    explicit CHarmTrendItem(std::string itemKey = {});
    bool operator==(const CHarmTrendItem&) const = default;

    void SetKey(std::string itemKey) { key = std::move(itemKey); }
    const std::vector<OrderGroup>& GetGroups() const { return groups; }
    void ClearGroups() { groups.clear(); }
    // Appends a copy, an empty group too.
    void AddGroup(const OrderGroup& group) { groups.push_back(group); }

    std::vector<OrderGroup> groups;
};

// The orders of a group as an ascending list.
std::vector<std::int32_t> GetGroupOrders(const OrderGroup& group);
