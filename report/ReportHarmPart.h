#pragma once
// CReportHarmPart: the harmonic part of the report configuration: the harmonic
// tables ("ZVHarmTable") and the harmonic trend items ("ZVHarmTrend").

#include <string>
#include <vector>

#include "report/HarmTableItem.h"
#include "report/HarmTrendItem.h"

class CReportHarmPart {
public:
    bool operator==(const CReportHarmPart&) const = default;

    const std::vector<CHarmTableItem>& GetTableItems() const { return m_TableItems; }
    const std::vector<CHarmTrendItem>& GetTrendItems() const { return m_TrendItems; }
    // Set-or-add by key.
    void SetTableItem(const CHarmTableItem& item);
    void SetTrendItem(const CHarmTrendItem& item);
    // 1 and a copy of the trend item with that key; 0 with `item` untouched when there is none.
    int FindTrendItem(const std::string& key, CHarmTrendItem& item) const;

private:
    std::vector<CHarmTableItem> m_TableItems;
    std::vector<CHarmTrendItem> m_TrendItems;
};
