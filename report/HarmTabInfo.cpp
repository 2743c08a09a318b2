#include "report/HarmTabInfo.h"

#include <array>

namespace {

struct HarmPage {
    unsigned titleTextId;
    unsigned tabTextId;
    unsigned highestOrder;
    // The key stems; each is followed by the phase ("L1") and, for the THD stems, "THD".
    std::vector<std::pair<const char*, const char*>> stems;
};

const std::array<HarmPage, 3>& Pages()
{
    static const std::array<HarmPage, 3> pages{{
        {10082, 6252, 50, {{"ZVTrendUHarm", ""}, {"ZVTrendIHarm", ""}, {"ZVTrendUHarm", "THD"}, {"ZVTrendIHarm", "THD"}}},
        {6250, 6253, 35, {{"ZVTrendUHarmH", ""}, {"ZVTrendIHarmH", ""}}},
        {6251, 6254, 50, {{"ZVTrendUHarmIN", ""}, {"ZVTrendIHarmIN", ""}}},
    }};
    return pages;
}

const HarmPage* Page(int pageIndex)
{
    return pageIndex >= 0 && pageIndex < 3 ? &Pages()[static_cast<std::size_t>(pageIndex)] : nullptr;
}

}  // namespace

unsigned HarmPageTitleTextId(int pageIndex)
{
    const HarmPage* page = Page(pageIndex);
    return page != nullptr ? page->titleTextId : 0;
}

unsigned HarmTabTextId(int pageIndex)
{
    const HarmPage* page = Page(pageIndex);
    return page != nullptr ? page->tabTextId : 0;
}

std::vector<CHarmTabInfo> BuildHarmTabs(int pageIndex, const std::wstring& tabText)
{
    std::vector<CHarmTabInfo> tabs;
    const HarmPage* page = Page(pageIndex);
    if (page == nullptr) {
        return tabs;
    }
    for (const char* phase : {"L1", "L2", "L3"}) {
        CHarmTabInfo tab;
        for (const auto& [stem, suffix] : page->stems) {
            tab.keys.push_back(std::string(stem) + phase + suffix);
        }
        tab.title = std::wstring(phase, phase + 2) + L"-" + tabText;
        tab.highestOrder = page->highestOrder;
        tabs.push_back(std::move(tab));
    }
    return tabs;
}

CHarmTrendItem TabTrendItem(const CReportHarmPart& part, const CHarmTabInfo& tab)
{
    CHarmTrendItem item(tab.keys.empty() ? std::string() : tab.keys.front());
    if (!tab.keys.empty()) {
        part.FindTrendItem(tab.keys.front(), item);
    }
    return item;
}

void StoreTabTrendItem(CReportHarmPart& part, const CHarmTabInfo& tab, CHarmTrendItem item)
{
    for (const std::string& key : tab.keys) {
        item.SetKey(key);
        part.SetTrendItem(item);
    }
}
