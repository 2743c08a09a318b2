// The harmonic trend frame and its panel apart from their windows: the slot, colour,
// unit and name rules, the panel's grouping of the record's quantities and its
// order lists, and the frame's rows over a generated folder, their samples checked
// against the generator's item files.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <numeric>

#include "ViewsTestSupport.h"
#include "core/ZVResourceManager.h"
#include "export/RecordTabulist.h"
#include "platform/base/Encoding.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/ProgramFolderFixture.h"
#include "views/HarmTrendFrame.h"

namespace {

using viewstest::FakeModel;
using testsupport::FakeViewer;
using viewstest::Observer;

std::wstring TrendText(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

class HarmTrendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testsupport::PrepareProgramFolder();
        viewstest::WriteColorScheme();
    }
};

CRecordSeriesKey Key(std::uint32_t phase, std::int32_t order, std::uint32_t item)
{
    return {phase, 2, static_cast<std::uint32_t>(order), 1, item};
}

TEST_F(HarmTrendTest, SlotsColourIndicesUnitsAndNamesFollowTheItemCode)
{
    struct Case {
        const char* row;
        CRecordSeriesKey key;
        std::uint32_t slot;
        int colorIndex;  // of a key without order; 0: its order slot's
    };
    const Case cases[] = {
        {"harmonic order 1", Key(0, 0, 2000), 1, 0},
        {"harmonic order 50 on N", Key(3, 49, 7000), 50, 0},
        {"order past the slots", Key(0, 60, 2000), harmtrend::kNoSlot, 0},
        {"negative order", Key(0, -2, 2000), harmtrend::kNoSlot, 0},
        {"voltage THD L1", Key(0, -1, 24), 52, 1},
        {"voltage THD L2", Key(1, -1, 24), 53, 2},
        {"current THD L3", Key(2, -1, 6000), 54, 4},
        {"power THD N", Key(3, -1, 11000), 55, 5},
        {"voltage DC L1", Key(0, -1, 25), 56, 1},
        {"current DC N", Key(3, -1, 6001), 59, 5},
        {"K factor L2", Key(1, -1, 23), 60, 54},
        {"order family without order", Key(0, -1, 2000), harmtrend::kNoSlot, 0},
        {"unknown code", Key(0, -1, 13017), harmtrend::kNoSlot, 0},
        {"THD without phase", Key(4, -1, 24), harmtrend::kNoSlot, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(harmtrend::SlotOf(c.key), c.slot) << c.row;
        EXPECT_EQ(harmtrend::SingleColorIndex(c.key), c.colorIndex) << c.row;
    }

    struct SlotColorCase {
        std::uint32_t slot;
        int color;
        std::uint32_t rewritten;
    };
    const SlotColorCase slotColors[] = {{1, 1, 1},   {50, 50, 50}, {52, 52, 52}, {53, 1, 53}, {57, 1, 57},
                                        {54, 2, 54}, {58, 2, 58},  {55, 3, 55},  {59, 3, 59}, {56, 53, 56},
                                        {60, 54, 54}, {61, 61, 61}};
    for (const SlotColorCase& c : slotColors) {
        std::uint32_t slot = c.slot;
        EXPECT_EQ(harmtrend::SlotColor(slot), c.color) << "slot " << c.slot;
        EXPECT_EQ(slot, c.rewritten) << "slot " << c.slot;
    }

    struct UnitCase {
        std::uint32_t item;
        std::uint32_t valueType;
        int unit;
    };
    const UnitCase units[] = {
        {2000, 1, 5}, {7000, 2, 8}, {23, 0, 0},    {2000, 0, 3},    {3000, 0, 3},   {4000, 0, 3}, {5000, 0, 3},
        {25, 0, 3},   {6001, 0, 4}, {7000, 0, 4},  {8000, 0, 4},    {9000, 0, 4},   {10000, 0, 4}, {24, 0, 9},
        {6000, 0, 9}, {11000, 0, 9}, {11001, 0, 9}, {12000, 0, 9},
    };
    for (const UnitCase& c : units) {
        EXPECT_EQ(harmtrend::UnitCode(c.item, c.valueType), c.unit) << c.item << " value type " << c.valueType;
    }

    struct NameCase {
        std::uint32_t item;
        std::uint32_t slot;
        std::wstring name;
    };
    const NameCase names[] = {
        {23, 60, L"KF值"},         {24, 52, L"THD值"},          {6001, 57, L"DC值"},
        {2000, 3, L"03次谐波"},    {12000, 12, L"12次谐波"},    {3000, 1, L"00组间谐波"},
        {8000, 11, L"10组间谐波"}, {4000, 35, L"35次高次谐波"}, {10000, 7, L"07组谐波子组"},
        {13017, 1, L""},
    };
    for (const NameCase& c : names) {
        EXPECT_EQ(harmtrend::SeriesName(c.item, c.slot, TrendText), c.name) << c.item << " slot " << c.slot;
    }
    // A language text without the number pattern gets the number appended, never
    // used as a format of its own.
    EXPECT_EQ(harmtrend::SeriesName(2000, 5, [](unsigned) { return std::wstring(L"%s%n order "); }),
              L"%s%n order 05");
}

std::vector<std::uint32_t> ItemRange(std::uint32_t first, std::uint32_t count)
{
    std::vector<std::uint32_t> ids(count);
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

std::vector<std::uint32_t> JoinIds(std::initializer_list<std::vector<std::uint32_t>> lists)
{
    std::vector<std::uint32_t> all;
    for (const auto& list : lists) {
        all.insert(all.end(), list.begin(), list.end());
    }
    return all;
}

// A frame without a viewer: the panel drives its selection.
struct PanelRig {
    Observer observer;
    CHarmTrendFrame frame{observer};

    explicit PanelRig(std::vector<std::uint32_t> ids, std::uint32_t phaseMask = 0xFF)
    {
        frame.SetPanelWindowed(true);
        frame.Panel().OnInitDialog();
        frame.Panel().SetItems(std::move(ids), phaseMask);
        frame.Panel().FillPanel();
    }
    CHarmTrendPanel& Panel() { return frame.Panel(); }
    void Select(std::uint32_t code)
    {
        const auto& entries = Panel().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].code == code) {
                Panel().OnSelectItem(static_cast<int>(i));
                return;
            }
        }
        ADD_FAILURE() << "no entry for " << code;
    }
};

std::array<std::uint32_t, 6> Slots(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d,
                                   std::uint32_t e, std::uint32_t f)
{
    return {a, b, c, d, e, f};
}

// The panel lists each family once, offers the orders the record holds (interharmonics
// from 0, high-order harmonics up to 35) and presets lists 2 to 5 by their texts.
TEST_F(HarmTrendTest, PanelOrderListsAndPresets)
{
    struct Case {
        const char* row;
        std::vector<std::uint32_t> ids;
        std::vector<std::wstring> entries;
        std::vector<std::wstring> firstOrders;  // the order list's first texts
        std::size_t orderCount;                 // entries after "OFF"
        std::array<std::uint32_t, 6> slots;
        std::wstring caption;
    };
    const Case cases[] = {
        {"voltage harmonics 1 to 50", ItemRange(2000, 50), {TrendText(6056)}, {L"OFF", L"1", L"2", L"3"}, 50,
         Slots(0, 3, 7, 1, 5, 0), TrendText(6131) + TrendText(6143)},
        {"orders 1, 3, 5, 7 only: presets by text", {2000, 2002, 2004, 2006}, {TrendText(6056)},
         {L"OFF", L"1", L"3", L"5", L"7"}, 4, Slots(0, 3, 7, 1, 5, 0), TrendText(6131) + TrendText(6143)},
        {"no order 3 or 7", {2000, 2001, 2004}, {TrendText(6056)}, {L"OFF", L"1", L"2", L"5"}, 3,
         Slots(0, 0, 0, 1, 5, 0), TrendText(6131) + TrendText(6143)},
        {"interharmonics from 0", ItemRange(3000, 50), {TrendText(6057)}, {L"OFF", L"0", L"1", L"2"}, 50,
         Slots(0, 4, 8, 2, 6, 0), TrendText(6134) + TrendText(6143)},
        {"high-order harmonics stop at 35", ItemRange(4000, 50), {TrendText(6058)}, {L"OFF", L"1"}, 35,
         Slots(0, 3, 7, 1, 5, 0), TrendText(6136) + TrendText(6143)},
        {"families in the record's order, each once", JoinIds({{24, 9000}, ItemRange(7000, 50), {6000, 25, 7001}}),
         {TrendText(6075), TrendText(6063), TrendText(6061), TrendText(6076), TrendText(6055)}, {L"OFF"}, 0, Slots(0, 0, 0, 0, 0, 0),
         TrendText(6140)},
        {"unknown identifiers skipped", {1, 13017, 2050, 23, 11001}, {TrendText(6065)}, {L"OFF"}, 0,
         Slots(0, 0, 0, 0, 0, 0), TrendText(6140)},
    };
    for (const Case& c : cases) {
        PanelRig rig(c.ids);
        std::vector<std::wstring> entries;
        for (const auto& entry : rig.Panel().Entries()) {
            entries.push_back(entry.text);
        }
        EXPECT_EQ(entries, c.entries) << c.row;
        const auto& list = rig.Panel().OrderLists()[0];
        ASSERT_GE(list.texts.size(), c.firstOrders.size()) << c.row;
        EXPECT_TRUE(std::equal(c.firstOrders.begin(), c.firstOrders.end(), list.texts.begin())) << c.row;
        EXPECT_EQ(list.texts.size(), c.orderCount + 1) << c.row;
        EXPECT_EQ(rig.frame.OrderSlots(), c.slots) << c.row;
        EXPECT_EQ(rig.Panel().OrderCaption(), c.caption) << c.row;
        for (const auto& orders : rig.Panel().OrderLists()) {
            EXPECT_EQ(orders.enabled, c.orderCount != 0) << c.row;
        }
    }

    // Choosing "0" of the interharmonics is the first order; "OFF" switches it off.
    PanelRig inter(ItemRange(3000, 50));
    inter.Panel().OnOrderChange(0, 1);
    EXPECT_EQ(inter.frame.OrderSlots()[0], 1u);
    inter.Panel().OnOrderChange(1, 0);
    EXPECT_EQ(inter.frame.OrderSlots()[1], 0u);
}

// The buttons follow the item: THD is a ratio only; harmonic power has no N; phases
// missing from the record are off; a record without harmonic data offers nothing.
TEST_F(HarmTrendTest, PanelButtonsFollowTheItemAndTheRecord)
{
    using Button = CHarmTrendPanel::Button;
    struct Case {
        const char* row;
        std::vector<std::uint32_t> ids;
        std::uint32_t phaseMask;
        std::uint32_t item;
        std::array<Button, 3> valueTypes;
        std::array<bool, 4> phasesEnabled;
        std::uint32_t frameValueTypes;
    };
    const Button on{true, true};
    const Button off{false, false};
    const Button free{true, false};
    const Case cases[] = {
        {"voltage harmonics", ItemRange(2000, 50), 0xFF, 2000, {on, free, free}, {true, true, true, true}, 1},
        {"voltage THD", {24}, 0xFF, 24, {off, on, off}, {true, true, true, true}, 2},
        {"current DC", {6001}, 0xFF, 6001, {on, free, off}, {true, true, true, true}, 1},
        {"current interharmonics", ItemRange(8000, 50), 0xFF, 8000, {on, free, off}, {true, true, true, true}, 1},
        {"harmonic power never N", ItemRange(12000, 50), 0xFF, 12000, {on, free, free}, {true, true, true, false}, 1},
        {"power THD", {11000}, 0xFF, 11000, {off, on, off}, {true, true, true, false}, 2},
        {"record without L3 and N", ItemRange(7000, 50), 0x3, 7000, {on, free, free}, {true, true, false, false}, 1},
    };
    for (const Case& c : cases) {
        PanelRig rig(c.ids, c.phaseMask);
        rig.Select(c.item);
        for (std::size_t t = 0; t < 3; ++t) {
            EXPECT_EQ(rig.Panel().ValueTypes()[t].enabled, c.valueTypes[t].enabled) << c.row << " value type " << t;
            EXPECT_EQ(rig.Panel().ValueTypes()[t].checked, c.valueTypes[t].checked) << c.row << " value type " << t;
        }
        for (std::size_t p = 0; p < 4; ++p) {
            EXPECT_EQ(rig.Panel().Phases()[p].enabled, c.phasesEnabled[p]) << c.row << " phase " << p;
        }
        EXPECT_EQ(rig.frame.ValueTypeMask(), c.frameValueTypes) << c.row;
        EXPECT_EQ(rig.frame.Items(), std::vector<std::uint32_t>{c.item}) << c.row;
        EXPECT_EQ(rig.frame.KindMask(), 4u) << c.row << ": the average from the start";
    }

    // A checked N goes when harmonic power is chosen, and stays unchecked after.
    PanelRig power(JoinIds({ItemRange(2000, 50), ItemRange(12000, 50)}));
    power.Panel().OnPhaseClick(3, true);
    EXPECT_EQ(power.frame.PhaseMask(), 0x9u);
    power.Select(12000);
    EXPECT_EQ(power.frame.PhaseMask(), 0x1u);
    EXPECT_FALSE(power.Panel().Phases()[3].checked);
    power.Select(2000);
    EXPECT_TRUE(power.Panel().Phases()[3].enabled);
    EXPECT_FALSE(power.Panel().Phases()[3].checked);

    PanelRig empty({1, 7, 13017});
    ASSERT_EQ(empty.Panel().Entries().size(), 1u);
    EXPECT_EQ(empty.Panel().Entries()[0].text, TrendText(6130));
    EXPECT_FALSE(empty.Panel().ListEnabled());
    for (const Button& button : empty.Panel().Phases()) {
        EXPECT_FALSE(button.enabled);
    }
    for (const Button& button : empty.Panel().Kinds()) {
        EXPECT_FALSE(button.enabled);
    }
    for (const Button& button : empty.Panel().ValueTypes()) {
        EXPECT_FALSE(button.enabled || button.checked);
    }
    for (const auto& orders : empty.Panel().OrderLists()) {
        EXPECT_EQ(orders.texts, std::vector<std::wstring>{L"OFF"});
        EXPECT_FALSE(orders.enabled);
    }
}

// The K factor goes with current items and RMS values only; leaving them removes it.
// Order slots whose lists show "OFF" after an item change hold nothing.
TEST_F(HarmTrendTest, KFactorAndOrderSlotsFollowTheItem)
{
    PanelRig rig(JoinIds({ItemRange(2000, 50), ItemRange(7000, 50), {6000, 23}}));
    rig.Select(7000);
    EXPECT_TRUE(rig.Panel().KFactor().enabled);
    rig.Panel().OnKFactorClick(true);
    EXPECT_EQ(rig.frame.Items(), (std::vector<std::uint32_t>{7000, 23}));

    rig.Panel().OnValueTypeClick(1);
    EXPECT_FALSE(rig.Panel().KFactor().enabled);
    EXPECT_FALSE(rig.Panel().KFactor().checked);
    EXPECT_EQ(rig.frame.Items(), std::vector<std::uint32_t>{7000});
    EXPECT_EQ(rig.frame.ValueTypeMask(), 2u);
    rig.Panel().OnValueTypeClick(0);
    EXPECT_TRUE(rig.Panel().KFactor().enabled);
    EXPECT_FALSE(rig.Panel().KFactor().checked);

    rig.Panel().OnKFactorClick(true);
    rig.Select(6000);
    EXPECT_FALSE(rig.Panel().KFactor().enabled) << "current THD is a ratio: no K factor";
    EXPECT_EQ(rig.frame.Items(), std::vector<std::uint32_t>{6000});
    rig.Select(2000);
    EXPECT_FALSE(rig.Panel().KFactor().enabled);

    // Order 9 in list 1, then another family: list 1 shows "OFF" and its slot is off.
    rig.Panel().OnOrderChange(0, 9);
    EXPECT_EQ(rig.frame.OrderSlots()[0], 9u);
    rig.Select(7000);
    EXPECT_EQ(rig.Panel().OrderLists()[0].selected, 0);
    EXPECT_EQ(rig.frame.OrderSlots(), Slots(0, 3, 7, 1, 5, 0));

    // A record without the K factor never offers it.
    PanelRig without(ItemRange(7000, 50));
    EXPECT_FALSE(without.Panel().KFactor().enabled);
    without.Panel().OnKFactorClick(true);
    EXPECT_EQ(without.frame.Items(), std::vector<std::uint32_t>{7000});
}

// ---- the frame over generated data ----

struct FrameRig {
    FakeViewer viewer;
    Observer observer;
    CHarmTrendFrame frame{observer};

    FrameRig(IDataModel* model, IDataModel* second = nullptr)
    {
        observer.m_pDataModel = model;
        observer.m_pSecondDataModel = second;
        frame.AttachViewer(&viewer);
        frame.SetPanelWindowed(true);
        frame.Panel().OnInitDialog();
    }
    void Select(std::uint32_t code)
    {
        const auto& entries = frame.Panel().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].code == code) {
                frame.Panel().OnSelectItem(static_cast<int>(i));
                return;
            }
        }
        ADD_FAILURE() << "no entry for " << code;
    }
    // Name and style of every series, row by row.
    std::vector<std::pair<std::wstring, std::vector<CLineStyleInfo>>> Rows() const
    {
        std::vector<std::pair<std::wstring, std::vector<CLineStyleInfo>>> rows;
        for (CRowItem* row : viewer.Rows()) {
            std::vector<CLineStyleInfo> styles;
            for (int i = 0; i < row->GetImpCount(); ++i) {
                CLineStyleInfo style;
                row->GetImpStyle(row->GetImp(i), &style);
                styles.push_back(style);
            }
            rows.emplace_back(row->GetName(), styles);
        }
        return rows;
    }
};

std::vector<double> Samples(const CRecordDataManager* manager)
{
    return manager != nullptr ? viewstest::Samples(const_cast<CRecordDataManager&>(*manager))
                              : std::vector<double>{};
}

// Per quantity, phase and value type chosen on the panel: the rows, the series'
// names and colours, and every sample against the generator's item file.
TEST_F(HarmTrendTest, RowsShowTheItemFilesByOrderAndPhase)
{
    struct Case {
        const char* row;
        std::uint32_t item;
        std::vector<int> phaseClicks;  // phase boxes ticked beside L1
        int kind;                      // kind button (0 MAX, 1 MIN, 2 AVG)
        int valueType;                 // value-type button
        bool kFactor;
        std::vector<std::wstring> rowNames;
        // Per row: the series names, last key first (as they are added).
        std::vector<std::wstring> series;
        std::vector<int> colorIndices;
    };
    const Case cases[] = {
        {"voltage harmonics L1 and N, average RMS", 2000, {3}, 2, 0, false, {L"L1", L"N"},
         {L"05次谐波", L"01次谐波", L"07次谐波", L"03次谐波"}, {5, 4, 3, 2}},
        {"current harmonics with the K factor, maximum", 7000, {}, 0, 0, true, {L"L1"},
         {L"KF值", L"05次谐波", L"01次谐波", L"07次谐波", L"03次谐波"}, {54, 5, 4, 3, 2}},
        {"harmonic power ratio, minimum", 12000, {1}, 1, 1, false, {L"L1", L"L2"},
         {L"05次谐波", L"01次谐波", L"07次谐波", L"03次谐波"}, {5, 4, 3, 2}},
        {"voltage harmonic phase angle", 2000, {}, 2, 2, false, {L"L1"},
         {L"05次谐波", L"01次谐波", L"07次谐波", L"03次谐波"}, {5, 4, 3, 2}},
        {"voltage THD by phase", 24, {1, 2, 3}, 2, 1, false, {L"L1", L"L2", L"L3", L"N"}, {L"THD值"}, {}},
        {"current DC", 6001, {2}, 0, 0, false, {L"L1", L"L3"}, {L"DC值"}, {}},
        {"voltage interharmonics", 3000, {}, 2, 0, false, {L"L1"},
         {L"05组间谐波", L"01组间谐波", L"07组间谐波", L"03组间谐波"}, {5, 4, 3, 2}},
    };
    viewstest::HarmTrendFolder folder;
    for (const Case& c : cases) {
        FrameRig rig(&folder.model, &folder.second);
        rig.frame.OnUpdate(CHarmTrendFrame::kEventLoaded, 0, 0);
        rig.Select(c.item);
        for (const int phase : c.phaseClicks) {
            rig.frame.Panel().OnPhaseClick(phase, true);
        }
        rig.frame.Panel().OnKindClick(c.kind);
        rig.frame.Panel().OnValueTypeClick(c.valueType);
        if (c.kFactor) {
            rig.frame.Panel().OnKFactorClick(true);
        }
        const auto rows = rig.Rows();
        ASSERT_EQ(rows.size(), c.rowNames.size()) << c.row;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            EXPECT_EQ(rows[r].first, c.rowNames[r]) << c.row;
            std::vector<std::wstring> names;
            for (const CLineStyleInfo& style : rows[r].second) {
                names.push_back(style.m_name);
                const int index = harmtrend::IsThd(c.item) || harmtrend::IsDc(c.item)
                                      ? std::array<int, 4>{1, 2, 4, 5}[static_cast<std::size_t>(style.m_phase)]
                                      : c.colorIndices[names.size() - 1];
                EXPECT_EQ(style.m_lineColor, viewstest::HarmSchemeColor(index)) << c.row << " " << style.m_name;
            }
            EXPECT_EQ(names, c.series) << c.row << " row " << r;
        }
        ASSERT_FALSE(rig.frame.ShownKeys().empty()) << c.row;
        for (const CRecordSeriesKey& key : rig.frame.ShownKeys()) {
            EXPECT_EQ(key.kind, static_cast<std::uint32_t>(c.kind)) << c.row;
            EXPECT_EQ(key.word2, static_cast<std::uint32_t>(c.valueType + 1)) << c.row;
            const std::vector<double> got = Samples(rig.frame.Grid().FindSummary(key.phase, harmtrend::SlotOf(key)));
            const std::vector<double> expected = folder.ItemFileSeries(key);
            ASSERT_EQ(got.size(), expected.size()) << c.row << " item " << key.item << " order " << key.word1;
            for (std::size_t r = 0; r < got.size(); ++r) {
                if (r == 4) {
                    EXPECT_TRUE(IsNoValue(got[r])) << c.row << ": the record without value stays a gap";
                } else {
                    EXPECT_EQ(got[r], expected[r]) << c.row << " item " << key.item << " order "
                                                   << static_cast<std::int32_t>(key.word1) << " phase " << key.phase
                                                   << " record " << r;
                }
            }
        }
        EXPECT_EQ(rig.frame.RequestRange(1001, 0, 0), 3) << c.row;
        EXPECT_EQ(rig.viewer.GetDataLength(), static_cast<std::int64_t>(viewstest::HarmTrendFolder::kRecords)) << c.row;
    }
}

// What the selection alone decides: duplicate orders, several kinds at once, an
// order family without orders, the padded range.
TEST_F(HarmTrendTest, SelectionRulesOfTheRows)
{
    FakeModel model;
    model.info.viewIds = {24, 2000, 2001, 2002};
    model.info.recordCount = 3;
    model.info.interval = 60;
    model.info.startText = L"2026-3-1 0:0:0.0";
    model.series[{0, 2, 24}] = {0.1, 0.2, 0.3};
    model.series[{3, 2, 24}] = {0.4, 0.4, 0.4};
    model.series[{0, 2, 2000}] = {10, 20, 30};
    model.series[{0, 0, 2000}] = {11, 21, 31};

    FrameRig rig(&model);
    CHarmTrendFrame& frame = rig.frame;
    frame.SetItem(24);
    frame.AddPhases(0x8);
    frame.SetValueTypes(2);
    frame.Rebuild();
    ASSERT_EQ(rig.viewer.Rows().size(), 2u) << "L1 and N, each with its THD";
    EXPECT_EQ(rig.viewer.Rows()[1]->GetName(), L"N");
    EXPECT_NEAR(frame.DisplayMin(0), -0.4, 1e-12) << "a span below 1 padded by 0.5: below 0";
    EXPECT_NEAR(frame.DisplayMax(0), 0.8, 1e-12);
    EXPECT_NEAR(frame.DisplayMin(3), -0.1, 1e-12);
    EXPECT_NEAR(frame.DisplayMax(3), 0.9, 1e-12);
    const std::vector<CRecordSeriesKey> thd = frame.ShownKeys();
    ASSERT_EQ(thd.size(), 2u);
    EXPECT_EQ(harmtrend::SlotOf(thd[0]), 52u);
    EXPECT_EQ(harmtrend::SlotOf(thd[1]), 55u);

    frame.SetItem(2000);
    frame.RemovePhases(0x8);
    frame.SetValueTypes(1);
    frame.Rebuild();
    EXPECT_TRUE(rig.viewer.Rows().empty()) << "an order family without orders shows nothing";
    frame.SetOrderSlot(1, 1);
    frame.SetOrderSlot(4, 1);
    frame.Rebuild();
    ASSERT_EQ(rig.viewer.Rows().size(), 1u);
    ASSERT_EQ(rig.viewer.Rows()[0]->GetImpCount(), 1) << "two slots of one order: one series";
    CLineStyleInfo style;
    rig.viewer.Rows()[0]->GetImpStyle(rig.viewer.Rows()[0]->GetImp(0), &style);
    EXPECT_EQ(style.m_lineColor, viewstest::HarmSchemeColor(2)) << "coloured by the first slot";
    EXPECT_NEAR(frame.DisplayMin(0), 8.0, 1e-12) << "a span of 20 padded by a tenth";
    EXPECT_NEAR(frame.DisplayMax(0), 32.0, 1e-12);

    frame.AddStatKinds(1);
    frame.Rebuild();
    ASSERT_EQ(rig.viewer.Rows().size(), 1u);
    EXPECT_EQ(rig.viewer.Rows()[0]->GetImpCount(), 0) << "two kinds at once collect nothing";
    EXPECT_TRUE(frame.ShownKeys().empty());

    frame.SetStatKinds(1);
    frame.Rebuild();
    ASSERT_EQ(frame.ShownKeys().size(), 1u);
    EXPECT_EQ(Samples(frame.Grid().FindSummary(0, 1)), (std::vector<double>{11, 21, 31}));
    frame.ClearSelection();
    frame.Rebuild();
    EXPECT_TRUE(rig.viewer.Rows().empty());
}

// The viewer's detail request after a build points the rows at full-resolution data of
// the requested range, and leaving the detail view points them back.
TEST_F(HarmTrendTest, DetailRequestsAfterABuild)
{
    viewstest::HarmTrendFolder folder;
    FrameRig rig(&folder.model, &folder.second);
    rig.frame.OnUpdate(CHarmTrendFrame::kEventLoaded, 0, 0);
    rig.Select(7000);
    const std::vector<CRecordSeriesKey> shown = rig.frame.ShownKeys();
    ASSERT_EQ(shown.size(), 4u);
    const double low = rig.frame.DisplayMin(0);
    const double high = rig.frame.DisplayMax(0);

    // The viewer sends the first record and the count it shows (plus margins).
    EXPECT_EQ(rig.frame.RequestRange(CHarmTrendFrame::kDetailRange, 10, 12), 0);
    for (const CRecordSeriesKey& key : shown) {
        const std::uint32_t slot = harmtrend::SlotOf(key);
        CRecordDataManager* full =
            const_cast<CRecordManagerGrid&>(rig.frame.Grid()).GetOrCreateManager(key.phase, slot, nullptr, true);
        std::int64_t first = 0;
        std::int64_t last = 0;
        full->GetRange(&first, &last);
        EXPECT_EQ(first, 10);
        EXPECT_EQ(last, 12);
        const std::vector<double> got = Samples(full);
        const std::vector<double> expected = folder.ItemFileSeries(key);
        ASSERT_EQ(got.size(), 12u) << "the requested records only, order " << key.word1;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i], expected[10 + i]) << "order " << key.word1 << " record " << 10 + i;
        }
        EXPECT_LE(full->GetDisplayLow(), low) << "never narrower than the whole record";
        EXPECT_GE(full->GetDisplayHigh(), high);
    }
    EXPECT_EQ(rig.frame.ShownKeys(), shown) << "no row added or removed";
    EXPECT_EQ(rig.viewer.Rows()[0]->GetImpCount(), 4);
    EXPECT_EQ(rig.frame.RequestRange(CHarmTrendFrame::kDetailLeft, 0, 0), 0);
    EXPECT_EQ(rig.frame.RequestRange(100, 0, 0), 3);
}

// Loading, the colour-scheme event, reset, and the export request.
TEST_F(HarmTrendTest, EventsAndExport)
{
    viewstest::HarmTrendFolder folder;
    FrameRig rig(&folder.model, &folder.second);
    rig.frame.OnUpdate(CHarmTrendFrame::kEventLoaded, 0, 0);
    rig.Select(7000);
    rig.frame.Panel().OnKFactorClick(true);
    rig.frame.Panel().OnPhaseClick(1, true);

    // The export pairs each series with its own key and leaves the selection alone.
    ExportSource source;
    EXPECT_EQ(rig.frame.FillAttributes(source), 1);
    const auto slots = rig.frame.OrderSlots();
    ASSERT_EQ(source.keys.size(), 10u) << "four orders and the K factor on L1 and L2";
    ASSERT_EQ(source.managers.size(), source.keys.size());
    for (std::size_t i = 0; i < source.keys.size(); ++i) {
        const ExportKey& key = source.keys[i];
        const CRecordSeriesKey series{static_cast<std::uint32_t>(key.phase), static_cast<std::uint32_t>(key.statistic),
                                      static_cast<std::uint32_t>(key.order), static_cast<std::uint32_t>(key.valueKind),
                                      static_cast<std::uint32_t>(key.type)};
        EXPECT_EQ(source.managers[i], rig.frame.Grid().FindSummary(series.phase, harmtrend::SlotOf(series)))
            << "key " << i;
        EXPECT_NE(source.managers[i], nullptr) << "key " << i;
    }
    EXPECT_EQ(source.keys[0].order, 2);
    EXPECT_EQ(source.keys[0].phase, 0);
    EXPECT_EQ(source.keys[1].phase, 1) << "phases innermost";
    EXPECT_EQ(source.keys[8].type, 23);
    EXPECT_FALSE(source.startTime.empty());
    EXPECT_EQ(rig.frame.OrderSlots(), slots);

    // A scheme change under another view's id changes nothing; under ours or 0 the
    // series take the scheme's colours.
    CRowItem* row = rig.viewer.Rows()[0];
    CLineStyleInfo style;
    row->GetImpStyle(row->GetImp(0), &style);
    style.m_lineColor = 0x123456;
    row->SetImpStyle(row->GetImp(0), style);
    rig.frame.OnUpdate(CHarmTrendFrame::kEventColors, 40006, 0);
    row->GetImpStyle(row->GetImp(0), &style);
    EXPECT_EQ(style.m_lineColor, 0x123456u);
    rig.frame.OnUpdate(CHarmTrendFrame::kEventColors, 40011, 0);
    row->GetImpStyle(row->GetImp(0), &style);
    EXPECT_EQ(style.m_lineColor, viewstest::HarmSchemeColor(style.m_hostWord));

    // Reset: no rows, no managers, order slots off, the panel without items.
    rig.frame.OnUpdate(CHarmTrendFrame::kEventReset, 0, 0);
    EXPECT_TRUE(rig.viewer.Rows().empty());
    EXPECT_EQ(rig.frame.Grid().ManagerCount(), 0u);
    EXPECT_EQ(rig.frame.OrderSlots(), Slots(0, 0, 0, 0, 0, 0));
    ASSERT_EQ(rig.frame.Panel().Entries().size(), 1u);
    EXPECT_EQ(rig.frame.Panel().Entries()[0].code, 0u);
    EXPECT_TRUE(rig.frame.ShownKeys().empty());

    // Loading again shows the record's first quantity with the presets.
    rig.frame.OnUpdate(CHarmTrendFrame::kEventLoaded, 0, 0);
    EXPECT_FALSE(rig.viewer.Rows().empty());
    EXPECT_EQ(rig.frame.Items(), std::vector<std::uint32_t>{24}) << "the first quantity: voltage THD, without orders";
}

// The export of what the frame shows reaches the table as shown: one column per order
// and phase with the generator's values, the record without value a "-" cell.
TEST_F(HarmTrendTest, ExportedTableHoldsTheShownSeries)
{
    viewstest::HarmTrendFolder folder;
    FrameRig rig(&folder.model, &folder.second);
    rig.frame.OnUpdate(CHarmTrendFrame::kEventLoaded, 0, 0);
    rig.Select(7000);
    ExportSource source;
    rig.frame.FillAttributes(source);
    ASSERT_EQ(source.Channels(), 4u);
    testsupport::TempDir out;
    CRecordTabulist exporter;
    ASSERT_EQ(exporter.Export(source, platform::Utf8ToWide(platform::PathToUtf8(out.Path()))),
              ITabulistEx::kExported);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(out.Path())) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    std::ifstream csv(files[0]);
    std::vector<std::vector<std::string>> lines;
    std::string line;
    while (std::getline(csv, line)) {
        std::vector<std::string> cells;
        std::stringstream stream(line);
        std::string cell;
        while (std::getline(stream, cell, ',')) {
            cells.push_back(cell);
        }
        lines.push_back(cells);
    }
    ASSERT_EQ(lines.size(), 2u + viewstest::HarmTrendFolder::kRecords) << "title, header and one row per record";
    for (std::size_t c = 0; c < source.keys.size(); ++c) {
        const ExportKey& key = source.keys[c];
        const std::vector<double> expected = folder.ItemFileSeries(
            {static_cast<std::uint32_t>(key.phase), static_cast<std::uint32_t>(key.statistic),
             static_cast<std::uint32_t>(key.order), static_cast<std::uint32_t>(key.valueKind),
             static_cast<std::uint32_t>(key.type)});
        for (std::size_t r = 0; r < viewstest::HarmTrendFolder::kRecords; ++r) {
            const std::vector<std::string>& cells = lines[2 + r];
            ASSERT_GT(cells.size(), c + 1) << "record " << r;
            if (r == 4) {
                EXPECT_EQ(cells[c + 1], "-") << "column " << c;
            } else {
                EXPECT_DOUBLE_EQ(std::stod(cells[c + 1]), expected[r]) << "column " << c << " record " << r;
            }
        }
    }
}

}  // namespace
