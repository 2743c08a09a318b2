#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/HarmSelectRows.h"
#include "report/HarmTabInfo.h"
#include "report/ReportConfig.h"

namespace {

TEST(HarmSelectRows, NewRowsOfferOddAndEvenOrdersInPairsOfRows)
{
    const HarmRowIndexes rows[] = {HarmRowChoice(0, nullptr, 50), HarmRowChoice(1, nullptr, 50),
                                   HarmRowChoice(2, nullptr, 50), HarmRowChoice(3, nullptr, 50)};
    const std::vector<OrderGroup> expected = {{3, 5, 7, 9, 11, 13}, {2, 4, 6, 8, 10, 12}, {15, 17, 19, 21, 23, 25},
                                              {14, 16, 18, 20, 22, 24}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(HarmGroupOfRow(rows[i]), expected[i]) << "row " << i;
    }
    // A selector of 35 orders shows the highest in place of what lies beyond.
    EXPECT_EQ(HarmGroupOfRow(HarmRowChoice(6, nullptr, 35)), (OrderGroup{35}));
    EXPECT_EQ(MaxHarmRows(50), 9);
    EXPECT_EQ(MaxHarmRows(35), 6);
    EXPECT_EQ(MaxHarmRows(48), 8);
}

TEST(HarmSelectRows, AGroupShowsItsOrdersThenOff)
{
    struct Case {
        OrderGroup group;
        HarmRowIndexes shown;
        OrderGroup collected;
    };
    const std::vector<Case> cases = {
        {{5, 7}, {4, 6, 0, 0, 0, 0}, {5, 7}},
        {{2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6}, {2, 3, 4, 5, 6, 7}},  // six lists
        {{60}, {49, 0, 0, 0, 0, 0}, {50}},                                 // limited to the highest order
        {{0, 1, 9}, {0, 0, 8, 0, 0, 0}, {9}},                              // 0 and 1 show "OFF"
        {{-4}, {0, 0, 0, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HarmRowChoice(0, &c.group, 50), c.shown);
        EXPECT_EQ(HarmGroupOfRow(HarmRowChoice(0, &c.group, 50)), c.collected);
    }
    // Two lists on one order give it once; all "OFF" gives an empty group.
    EXPECT_EQ(HarmGroupOfRow({6, 6, 0, 0, 0, 0}), (OrderGroup{7}));
    EXPECT_TRUE(HarmGroupOfRow({0, 0, 0, 0, 0, 0}).empty());
    const OrderGroup empty;
    EXPECT_EQ(HarmRowChoice(1, &empty, 50), HarmRowChoice(1, nullptr, 50));
}

TEST(HarmTabInfo, ThreePagesOfThreePhaseTabs)
{
    struct Case {
        int page;
        unsigned titleText;
        unsigned tabText;
        unsigned highestOrder;
        std::vector<std::string> l2Keys;
    };
    const Case cases[] = {
        {0, 10082, 6252, 50, {"ZVTrendUHarmL2", "ZVTrendIHarmL2", "ZVTrendUHarmL2THD", "ZVTrendIHarmL2THD"}},
        {1, 6250, 6253, 35, {"ZVTrendUHarmHL2", "ZVTrendIHarmHL2"}},
        {2, 6251, 6254, 50, {"ZVTrendUHarmINL2", "ZVTrendIHarmINL2"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HarmPageTitleTextId(c.page), c.titleText);
        EXPECT_EQ(HarmTabTextId(c.page), c.tabText);
        const std::vector<CHarmTabInfo> tabs = BuildHarmTabs(c.page, L"谐波");
        ASSERT_EQ(tabs.size(), 3u);
        EXPECT_EQ(tabs[0].title, L"L1-谐波");
        EXPECT_EQ(tabs[2].title, L"L3-谐波");
        EXPECT_EQ(tabs[1].keys, c.l2Keys);
        EXPECT_EQ(tabs[1].highestOrder, c.highestOrder);
    }
    EXPECT_TRUE(BuildHarmTabs(3, L"x").empty());
    EXPECT_EQ(HarmPageTitleTextId(-1), 0u);

    // Between them the pages edit every harmonic trend item of the configuration.
    std::vector<std::string> keys;
    for (int page = 0; page < 3; ++page) {
        for (const CHarmTabInfo& tab : BuildHarmTabs(page, L"")) {
            keys.insert(keys.end(), tab.keys.begin(), tab.keys.end());
        }
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> configured;
    const CReportHarmPart part = CReportConfig().GetHarmPart();
    for (const CHarmTrendItem& item : part.GetTrendItems()) {
        configured.push_back(item.key);
    }
    std::sort(configured.begin(), configured.end());
    EXPECT_EQ(keys, configured);
}

TEST(HarmTabInfo, EveryKeyOfATabTakesTheChartsOfItsFirst)
{
    CReportHarmPart part = CReportConfig().GetHarmPart();
    const CHarmTabInfo tab = BuildHarmTabs(0, L"")[0];
    CHarmTrendItem shown = TabTrendItem(part, tab);
    EXPECT_EQ(shown.key, "ZVTrendUHarmL1");
    shown.ClearGroups();
    shown.AddGroup({3, 5});
    shown.AddGroup({7});
    StoreTabTrendItem(part, tab, shown);
    for (const std::string& key : tab.keys) {
        CHarmTrendItem stored;
        ASSERT_EQ(part.FindTrendItem(key, stored), 1) << key;
        EXPECT_EQ(stored.key, key);
        EXPECT_EQ(stored.groups, (std::vector<OrderGroup>{{3, 5}, {7}})) << key;
    }
    CHarmTrendItem other;
    ASSERT_EQ(part.FindTrendItem("ZVTrendUHarmL2", other), 1);
    EXPECT_EQ(other.groups.size(), 4u);

    // A part without the tab's item gives that key's defaults.
    EXPECT_EQ(TabTrendItem(CReportHarmPart(), tab), CHarmTrendItem("ZVTrendUHarmL1"));
}

}  // namespace
