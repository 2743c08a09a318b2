#pragma once
// CHarmTabInfo: one phase tab of a harmonic trend wizard page: the harmonic trend
// keys it edits (all of them take the same charts; the first is the one shown),
// its label and the highest order its selector offers. The three pages edit the
// harmonics (page 0), the high-order harmonics (page 1) and the interharmonics
// (page 2) of the phases L1, L2 and L3.

#include <string>
#include <vector>

#include "report/ReportHarmPart.h"

struct CHarmTabInfo {
    std::vector<std::string> keys;
    std::wstring title;
    unsigned highestOrder = 0;
};

// The language text that names a page's harmonic set in its title (10082, 6250,
// 6251) and in its tab labels (6252, 6253, 6254); 0 for another page.
unsigned HarmPageTitleTextId(int pageIndex);
unsigned HarmTabTextId(int pageIndex);

// The page's three tabs, labelled "L1-", "L2-", "L3-" followed by `tabText`; none
// for a page index other than 0 to 2.
std::vector<CHarmTabInfo> BuildHarmTabs(int pageIndex, const std::wstring& tabText);

// The item a tab shows: the harmonic part's item of the tab's first key, or that
// key's default item when the part has none.
CHarmTrendItem TabTrendItem(const CReportHarmPart& part, const CHarmTabInfo& tab);

// Gives every key of the tab the item's charts (set-or-add by key).
void StoreTabTrendItem(CReportHarmPart& part, const CHarmTabInfo& tab, CHarmTrendItem item);
