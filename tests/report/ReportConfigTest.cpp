#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "report/ReportConfig.h"
#include "report/ReportItemTables.h"

namespace {

template <typename Item>
std::vector<std::string> Keys(const std::vector<Item>& items)
{
    std::vector<std::string> keys;
    for (const Item& item : items) {
        keys.push_back(item.GetKey());
    }
    return keys;
}

CReportTrendPhase PhaseOf(const CReportTrendItem& item, std::int32_t code)
{
    CReportTrendPhase phase;
    EXPECT_EQ(item.GetPhase(code, phase), 1) << item.GetKey() << " code " << code;
    return phase;
}

TEST(ReportConfig, FreshConfigurationHoldsTheDefaults)
{
    const CReportConfig config;
    const std::vector<std::string> params = Keys(config.GetParamPart());
    EXPECT_EQ(params, (std::vector<std::string>{"ZVItemFreq", "ZVItemUnbal", "ZVItemFundV", "ZVItemFundA", "ZVItemThd",
                                                "ZVItemVrms", "ZVItemPst", "ZVItemPlt", "ZVItemPf"}));
    const CReportParamItem frequency = config.GetParamPart()[0];
    EXPECT_EQ(frequency.PhaseA + frequency.PhaseB + frequency.PhaseC + frequency.PhaseN, 0);
    EXPECT_EQ(frequency.memoryFlag, 1);
    const CReportParamItem unbalance = config.GetParamPart()[1];
    EXPECT_EQ(std::vector<int>({unbalance.Enabled, unbalance.PhaseA, unbalance.PhaseB, unbalance.PhaseC,
                                unbalance.PhaseN, unbalance.memoryFlag}),
              std::vector<int>({1, 1, 1, 1, 0, 0}));

    const std::vector<CReportTrendItem> trends = config.GetTrendPart();
    ASSERT_EQ(trends.size(), 35u);
    const std::vector<std::string> trendKeys = Keys(trends);
    EXPECT_EQ(std::vector<std::string>(trendKeys.begin(), trendKeys.begin() + 4),
              (std::vector<std::string>{"ZVTrendFluct", "ZVTrendPst", "ZVTrendPlt", "ZVTrendFreq"}));
    EXPECT_EQ(std::vector<std::string>(trendKeys.end() - 3, trendKeys.end()),
              (std::vector<std::string>{"ZVTrendWP", "ZVTrendWQ", "ZVTrendWS"}));

    // Phase records {enabled, code, flags 1 to 5} of the kinds of defaults, always in the order A, B, C, N, default.
    struct Case {
        std::size_t index;
        const char* key;
        std::vector<CReportTrendPhase> phases;
    };
    const Case cases[] = {
        {4, "ZVTrendUrms", {{1, 0, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1, 0}, {1, 2, 1, 1, 1, 1, 0}, {0, 3, 0, 0, 0, 0, 0},
                            {0, 4, 0, 0, 0, 0, 0}}},
        {3, "ZVTrendFreq", {{0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0}, {0, 2, 0, 0, 0, 0, 0}, {0, 3, 0, 0, 0, 0, 0},
                            {1, 4, 1, 1, 1, 1, 0}}},
        {14, "ZVTrendP", {{1, 0, 1, 1, 1, 1, 0}, {1, 1, 1, 1, 1, 1, 0}, {1, 2, 1, 1, 1, 1, 0}, {1, 3, 1, 1, 1, 1, 0},
                          {0, 4, 0, 0, 0, 0, 0}}},
        {31, "ZVTrendIzero", {{0, 0, 0, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0, 0}, {0, 2, 0, 0, 0, 0, 0},
                              {0, 3, 0, 0, 0, 0, 0}, {1, 4, 1, 1, 1, 1, 0}}},
        {34, "ZVTrendWS", {{1, 0, 1, 0, 0, 1, 0}, {1, 1, 1, 0, 0, 1, 0}, {1, 2, 1, 0, 0, 1, 0}, {1, 3, 1, 0, 0, 1, 0},
                           {0, 4, 0, 0, 0, 0, 0}}},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(trends[c.index].GetKey(), c.key);
        EXPECT_EQ(trends[c.index].GetPhases(), c.phases) << c.key;
        EXPECT_EQ(trends[c.index].Enabled, 1) << c.key;
    }

    const CReportHarmPart harm = config.GetHarmPart();
    EXPECT_EQ(Keys(harm.GetTableItems()), (std::vector<std::string>{"ZVTableURatioL1", "ZVTableURatioL2",
                                                                   "ZVTableURatioL3", "ZVTableIrmsL1", "ZVTableIrmsL2",
                                                                   "ZVTableIrmsL3"}));
    for (const CHarmTableItem& item : harm.GetTableItems()) {
        EXPECT_EQ(item.orderCounts.size(), 51u);
        EXPECT_EQ(item.FormatCountMap(), std::string(51, '1'));
    }
    const std::vector<std::string> harmTrendKeys = Keys(harm.GetTrendItems());
    ASSERT_EQ(harmTrendKeys.size(), 24u);
    EXPECT_EQ(harmTrendKeys[1], "ZVTrendUHarmL1THD");
    EXPECT_EQ(harmTrendKeys[12], "ZVTrendUHarmHL1");
    EXPECT_EQ(harmTrendKeys[23], "ZVTrendIHarmINL3");
    const std::vector<OrderGroup> groups = {
        {3, 5, 7, 9, 11, 13}, {2, 4, 6, 8, 10, 12}, {15, 17, 19, 21, 23, 25}, {14, 16, 18, 20, 22, 24}};
    for (const CHarmTrendItem& item : harm.GetTrendItems()) {
        EXPECT_EQ(item.GetGroups(), groups) << item.GetKey();
    }
    EXPECT_EQ(config.GetBasicInfo(), CReportBasicInfo());
}

TEST(ReportConfig, SetOrAddByKey)
{
    CReportConfig config;
    CReportTrendItem urms("ZVTrendUrms");
    urms.Enabled = 0;
    config.SetTrendItem(urms);
    CReportTrendItem extra("ZVTrendExtra");
    config.SetTrendItem(extra);
    std::vector<CReportTrendItem> trends = config.GetTrendPart();
    ASSERT_EQ(trends.size(), 36u);
    EXPECT_EQ(trends[4], urms) << "replaced in its place";
    EXPECT_EQ(trends[35], extra) << "a new key is appended";

    CReportParamItem pst("ZVItemPst");
    pst.PhaseN = 1;
    config.SetParamItem(pst);
    EXPECT_EQ(config.GetParamPart()[6], pst);
    config.SetParamItem(CReportParamItem("zvitempst"));
    EXPECT_EQ(config.GetParamPart().size(), 10u) << "keys compare with case";

    CReportHarmPart harm = config.GetHarmPart();
    CHarmTrendItem thd("ZVTrendIHarmL1THD");
    thd.ClearGroups();
    thd.AddGroup({});
    thd.AddGroup({5, 7});
    harm.SetTrendItem(thd);
    CHarmTableItem table("ZVTableIrmsL2");
    table.orderCounts[3] = 0;
    harm.SetTableItem(table);
    config.SetHarmPart(harm);
    CHarmTrendItem found;
    ASSERT_EQ(config.GetHarmPart().FindTrendItem("ZVTrendIHarmL1THD", found), 1);
    EXPECT_EQ(found.GetGroups(), (std::vector<OrderGroup>{{}, {5, 7}})) << "an empty group stays";
    EXPECT_EQ(GetGroupOrders(found.GetGroups()[1]), (std::vector<std::int32_t>{5, 7}));
    EXPECT_EQ(config.GetHarmPart().GetTrendItems()[7], thd);
    EXPECT_EQ(config.GetHarmPart().GetTableItems()[4], table);
    CHarmTrendItem untouched("kept");
    EXPECT_EQ(config.GetHarmPart().FindTrendItem("ZVTrendNone", untouched), 0);
    EXPECT_EQ(untouched.GetKey(), "kept");
}

TEST(ReportConfig, TrendPhasesKeepOneRecordPerCode)
{
    CReportTrendItem item("ZVTrendUrms");
    item.SetPhase({0, CReportTrendPhase::kPhaseB, 0, 1, 0, 1, 0});
    EXPECT_EQ(PhaseOf(item, 1), (CReportTrendPhase{0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(item.GetPhases().size(), 5u);
    EXPECT_EQ(item.FormatPhase(1), "001010");
    EXPECT_EQ(item.FormatPhase(0), "111110");

    item.SetPhase({1, 7, 1, 0, 0, 0, 0});
    EXPECT_EQ(item.GetPhases().back().code, 7) << "a new code is appended";
    CReportTrendPhase untouched{9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(item.GetPhase(8, untouched), 0);
    EXPECT_EQ(untouched, (CReportTrendPhase{9, 9, 9, 9, 9, 9, 9}));
    EXPECT_EQ(item.FormatPhase(8), "");
    // One digit per value, so that a saved file can always be read again.
    item.SetPhase({12, CReportTrendPhase::kPhaseC, -1, 3, 0, 0, 10});
    EXPECT_EQ(item.FormatPhase(2), "903009");
    CHarmTableItem table("ZVTableIrmsL1");
    table.orderCounts[1] = 11;
    table.orderCounts[60] = 1;
    EXPECT_EQ(table.FormatCountMap(), "19" + std::string(49, '1')) << "orders 0 to 50 only";
}

TEST(ReportConfig, TrendDisplayNames)
{
    EXPECT_EQ(GetTrendDisplayName("ZVTrendWS"), L"视在电能");
    EXPECT_EQ(GetTrendDisplayName("ZVTrendFluct"), L"电压波动");
    EXPECT_EQ(GetTrendDisplayName("ZVTrendNoSuchKey"), L"");
    EXPECT_EQ(GetTrendDisplayName("ZVTrendNoSuchKey"), L"") << "entered once, empty";
    for (const CReportTrendItem& item : DefaultTrendItems()) {
        EXPECT_FALSE(GetTrendDisplayName(item.GetKey()).empty()) << item.GetKey();
    }
}

}  // namespace
