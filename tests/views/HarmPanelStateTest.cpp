// The harmonic selection panel apart from its window: the families it finds in a
// recording, what its controls offer for each, and the selections it hands its owner.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "terminal/BasicInfo.h"
#include "terminal/DataModel.h"
#include "views/HarmPanelState.h"

namespace {

using Panel = CHarmPanelState;

// A recording of chosen items: the ids its record information lists and the
// (item id, order index) pairs the data answer for.
struct Recording {
    BasicInfo info;
    std::set<std::pair<std::uint32_t, std::uint32_t>> present;

    // A family with its first `orders` orders in the data, listed in the record
    // information as the program lists them (one id per order).
    Recording& Family(std::uint32_t family, std::uint32_t orders)
    {
        for (std::uint32_t o = 0; o < orders; ++o) {
            present.insert({family, o});
            info.viewIds.push_back(family + o);
        }
        return *this;
    }
    Recording& Item(std::uint32_t itemId)
    {
        present.insert({itemId, 0});
        info.viewIds.push_back(itemId);
        return *this;
    }
};

// The statistic model of a recording, as the panel asks it.
class PanelModel final : public IDataModel {
public:
    explicit PanelModel(Recording recording) : m_Recording(std::move(recording)) {}
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override
    {
        *source = 1;
        return 1;
    }
    int OpenData(void*) override { return 1; }
    int GetData(QueryWord phase, QueryWord kind, QueryWord order, QueryWord valueType, QueryWord item,
                QueryWord manager) override
    {
        EXPECT_EQ(phase, 0u);
        EXPECT_EQ(kind, 0u);
        EXPECT_EQ(valueType, 1u);
        EXPECT_EQ(manager, 0u) << "the panel only asks whether an item exists";
        const std::pair<std::uint32_t, std::uint32_t> key{static_cast<std::uint32_t>(item),
                                                          static_cast<std::uint32_t>(order)};
        return m_Recording.present.count(key) != 0 ? 1 : 0;
    }
    int QueryBasicInfo(BasicInfo* out) override
    {
        *out = m_Recording.info;
        return 1;
    }

private:
    Recording m_Recording;
};

// What the owner was told, in order.
class Owner final : public IHarmPanelOwner {
public:
    void SetPhaseFlags(const std::array<std::uint32_t, 4>& shown) override
    {
        calls.push_back("phases");
        phases = shown;
    }
    void SetPanelData(const CHarmSelection& selection) override
    {
        calls.push_back("data");
        selections.push_back(selection);
    }
    std::vector<std::string> calls;
    std::array<std::uint32_t, 4> phases{};
    std::vector<CHarmSelection> selections;
};

std::wstring Text(unsigned id)
{
    return L"<" + std::to_wstring(id) + L">";
}

// The panel of a recording, filled, with its owner.
struct Filled {
    PanelModel model;
    Owner owner;
    Panel panel{Text};

    explicit Filled(Recording recording, std::uint32_t mask = 15) : model(WithMask(std::move(recording), mask))
    {
        panel.SetOwner(&owner);
        panel.FillHarmTable(&model);
    }
    static Recording WithMask(Recording recording, std::uint32_t mask)
    {
        recording.info.phaseMask = mask;
        return recording;
    }
    bool Enabled(unsigned id) const { return panel.Get(id).enabled; }
    bool Checked(unsigned id) const { return panel.Get(id).checked; }
    // Clicks a box into the state given (or a radio button or button).
    void Click(unsigned id, bool checked = true) { panel.OnClick(id, checked); }
};

Recording VoltageAndCurrent()
{
    Recording model;
    model.Item(1).Family(2000, 50).Item(24).Item(25).Family(3000, 50).Family(7000, 50).Item(6000).Item(6001);
    model.Item(23).Item(13017);
    return model;
}

TEST(HarmPanelState, FillsTheFamiliesOfTheRecordingAndShowsTheFirstL1Chart)
{
    Filled f(VoltageAndCurrent());
    EXPECT_EQ(f.panel.ListTexts(), (std::vector<std::wstring>{L"<6056>", L"<6057>", L"<6061>"}))
        << "each family once, in the order of the record's items";
    EXPECT_EQ(f.panel.Selected(), 0);
    EXPECT_TRUE(f.Enabled(Panel::kFamilyList));

    const CHarmSelection& first = f.panel.Families()[0].selection;
    std::vector<std::uint32_t> bars;
    for (std::uint32_t b = 3; b < 28; ++b) {
        bars.push_back(b);
    }
    bars.insert(bars.end(), {0, 1, 2});
    EXPECT_EQ(first.bars, bars) << "orders 1 to 25, THD, DC, KF";
    EXPECT_EQ(first.thdItemId, 24u);
    EXPECT_EQ(first.dcItemId, 25u);
    EXPECT_EQ(first.kfItemId, 23u);
    EXPECT_EQ(f.panel.Families()[2].selection.thdItemId, 6000u);
    EXPECT_EQ(f.panel.Families()[1].selection.phaseAngleAllowed, 0u);

    // Told twice (the L1 box, then the order-1 box), phases before the selection.
    EXPECT_EQ(f.owner.calls, (std::vector<std::string>{"phases", "data", "phases", "data"}));
    EXPECT_EQ(f.owner.phases, (std::array<std::uint32_t, 4>{1, 0, 0, 0}));
    const CHarmSelection& told = f.owner.selections.back();
    EXPECT_EQ(told.itemId, 2000u);
    EXPECT_EQ(told.phase, 0u);
    EXPECT_EQ(told.valueType, 0u);
    for (std::uint32_t b = 3; b < 28; ++b) {
        EXPECT_EQ(told.ticked[b], b <= 17 ? 1u : 0u) << "orders 1 to 15 ticked, bar " << b;
        EXPECT_EQ(f.Checked(Panel::kFirstOrder + b - 3), b <= 17) << b;
        EXPECT_TRUE(f.Enabled(Panel::kFirstOrder + b - 3)) << b;
    }
    EXPECT_EQ(std::vector<std::uint32_t>({told.showMaximum, told.showMinimum, told.showAverage, told.showCp95}),
              (std::vector<std::uint32_t>{1, 1, 1, 0}));
    EXPECT_TRUE(f.Checked(Panel::kFirstPhase));
    EXPECT_TRUE(f.Checked(Panel::kEffective));
    EXPECT_FALSE(f.Checked(Panel::kRatio));
    EXPECT_TRUE(f.Enabled(Panel::kPhaseAngle));

    // Another family keeps the shown phases and statistics; N in a shown phase.
    f.Click(Panel::kFirstPhase + 3);
    f.Click(Panel::kFirstStatistic + 3);
    f.panel.OnSelectFamily(1);
    EXPECT_EQ(f.owner.phases, (std::array<std::uint32_t, 4>{1, 0, 0, 1}));
    EXPECT_EQ(f.owner.selections.back().itemId, 3000u);
    EXPECT_EQ(f.owner.selections.back().phase, 0u) << "the family's own phase, still shown";
    EXPECT_EQ(f.owner.selections.back().showCp95, 1u);
    EXPECT_FALSE(f.Enabled(Panel::kPhaseAngle)) << "no phase angle of interharmonics";
}

TEST(HarmPanelState, ARecordingWithoutHarmonicsLeavesThePlaceholder)
{
    Recording model;
    model.Item(1).Item(7).Item(13017);
    Filled f(model);
    EXPECT_EQ(f.panel.ListTexts(), std::vector<std::wstring>{L"<6130>"});
    EXPECT_TRUE(f.owner.calls.empty());
    for (const unsigned id : {Panel::kFamilyList, Panel::kFirstPhase, Panel::kFirstOrder, Panel::kOtherOrders,
                              Panel::kThd, Panel::kEffective, Panel::kRatio}) {
        EXPECT_FALSE(f.Enabled(id)) << id;
    }
    f.Click(Panel::kSelectAll);
    EXPECT_TRUE(f.owner.calls.empty()) << "no family: nothing to select";

    // A family whose data answer for nothing has no bars: every control is disabled
    // while it is selected.
    Recording empty;
    empty.info.viewIds = {2000, 2001};
    Filled g(empty);
    EXPECT_EQ(g.panel.ListTexts(), std::vector<std::wstring>{L"<6056>"});
    EXPECT_FALSE(g.Enabled(Panel::kFamilyList));
    EXPECT_FALSE(g.Enabled(Panel::kFirstPhase));
}

TEST(HarmPanelState, ControlsFollowTheFamilyWiringAndValueType)
{
    struct Case {
        const char* row;
        Recording model;
        std::uint32_t mask;
        std::vector<std::pair<unsigned, bool>> clicks;  // after filling
        std::vector<unsigned> enabled, disabled, checked, unchecked;
        std::wstring otherLabel, firstOrderLabel, lastOrderLabel;
    };
    Recording power;
    power.Family(12000, 50).Item(11000).Item(11001);
    Recording inter;
    inter.Family(3000, 50);
    Recording high;
    high.Family(4000, 35);
    Recording tenOrders;
    tenOrders.Family(2000, 10);
    const Case cases[] = {
        {"a wiring without N: no N box", VoltageAndCurrent(), 7, {{Panel::kFirstPhase + 3, true}},
         {Panel::kFirstPhase + 2}, {Panel::kFirstPhase + 3}, {}, {Panel::kFirstPhase + 3}, L"<6141>(26~50)", L"1",
         L"25"},
        {"harmonic power: never N, but the phase angle", power, 15, {},
         {Panel::kPhaseAngle, Panel::kDc}, {Panel::kFirstPhase + 3, Panel::kKf}, {}, {}, L"<6141>(26~50)", L"1", L"25"},
        {"interharmonics count from 0", inter, 15, {}, {Panel::kFirstPhase + 3}, {Panel::kPhaseAngle}, {}, {},
         L"<6141>(0~49)", L"0", L"24"},
        {"high orders add 26 to 35", high, 15, {}, {}, {}, {}, {}, L"<6141>(26~35)", L"1", L"25"},
        {"orders the data lack take no click", tenOrders, 15, {},
         {Panel::kFirstOrder, Panel::kFirstOrder + 9}, {Panel::kFirstOrder + 10, Panel::kFirstOrder + 24},
         {Panel::kFirstOrder + 14}, {Panel::kFirstOrder + 15}, L"<6141>(26~50)", L"1", L"25"},
        {"ratio: THD and DC, no KF", VoltageAndCurrent(), 15, {{Panel::kRatio, true}}, {Panel::kThd, Panel::kDc},
         {Panel::kKf}, {Panel::kRatio}, {Panel::kEffective}, L"<6141>(26~50)", L"1", L"25"},
        {"phase angle: none of THD, DC, KF", VoltageAndCurrent(), 15, {{Panel::kPhaseAngle, true}}, {},
         {Panel::kThd, Panel::kDc, Panel::kKf}, {Panel::kPhaseAngle}, {}, L"<6141>(26~50)", L"1", L"25"},
        {"other orders: the order boxes only show their ticks", VoltageAndCurrent(), 15,
         {{Panel::kOtherOrders, true}}, {Panel::kOtherOrders, Panel::kDc}, {Panel::kFirstOrder},
         {Panel::kOtherOrders, Panel::kFirstOrder}, {}, L"<6141>(26~50)", L"1", L"25"},
    };
    for (const Case& c : cases) {
        Filled f(c.model, c.mask);
        for (const auto& [id, checked] : c.clicks) {
            f.Click(id, checked);
        }
        for (const unsigned id : c.enabled) {
            EXPECT_TRUE(f.Enabled(id)) << c.row << ": " << id << " enabled";
        }
        for (const unsigned id : c.disabled) {
            EXPECT_FALSE(f.Enabled(id)) << c.row << ": " << id << " disabled";
        }
        for (const unsigned id : c.checked) {
            EXPECT_TRUE(f.Checked(id)) << c.row << ": " << id << " ticked";
        }
        for (const unsigned id : c.unchecked) {
            EXPECT_FALSE(f.Checked(id)) << c.row << ": " << id << " clear";
        }
        EXPECT_EQ(f.panel.OtherOrdersLabel(), c.otherLabel) << c.row;
        EXPECT_EQ(f.panel.OrderLabels().front(), c.firstOrderLabel) << c.row;
        EXPECT_EQ(f.panel.OrderLabels().back(), c.lastOrderLabel) << c.row;
        if (c.mask == 7) {
            EXPECT_EQ(f.owner.phases[3], 0u) << c.row << ": no N chart";
        }
    }
}

// THD, DC and KF follow the family selected, wherever it stands in the list (the
// current harmonics need not be fourth, nor the harmonic power ninth).
TEST(HarmPanelState, ThdDcAndKFactorFollowTheFamilyNotItsPlaceInTheList)
{
    Recording currentFirst;
    currentFirst.Family(7000, 50).Item(6000).Item(6001).Item(23).Family(8000, 50).Family(12000, 50).Item(11000);
    struct Case {
        const char* row;
        int family;  // index in the list
        unsigned valueType;
        bool thd, dc, kf;
    };
    const Case cases[] = {
        {"current harmonics first, effective value", 0, Panel::kEffective, false, true, true},
        {"current harmonics first, ratio", 0, Panel::kRatio, true, true, false},
        {"current interharmonics second", 1, Panel::kEffective, false, false, false},
        {"harmonic power third, ratio", 2, Panel::kRatio, true, true, false},
        {"harmonic power third, effective value", 2, Panel::kEffective, false, true, false},
    };
    for (const Case& c : cases) {
        Filled f(currentFirst);
        f.panel.OnSelectFamily(c.family);
        f.Click(c.valueType);
        EXPECT_EQ(f.Enabled(Panel::kThd), c.thd) << c.row;
        EXPECT_EQ(f.Enabled(Panel::kDc), c.dc) << c.row;
        EXPECT_EQ(f.Enabled(Panel::kKf), c.kf) << c.row;
    }
}

TEST(HarmPanelState, SelectAllRestoreDefaultsAndTheShownPhase)
{
    Filled f(VoltageAndCurrent());
    f.panel.OnSelectFamily(2);  // current harmonics
    f.Click(Panel::kKf);
    f.Click(Panel::kDc);
    EXPECT_EQ(f.owner.selections.back().ticked[2], 1u);
    EXPECT_EQ(f.owner.selections.back().ticked[1], 1u);

    f.Click(Panel::kSelectAll);
    CHarmSelection told = f.owner.selections.back();
    EXPECT_EQ(told.mode, 1u);
    for (std::uint32_t b = 3; b < 28; ++b) {
        EXPECT_EQ(told.ticked[b], 1u) << b;
    }
    EXPECT_EQ(told.ticked[1] + told.ticked[2], 0u) << "every order with the others: no THD, DC or KF";
    EXPECT_FALSE(f.Enabled(Panel::kDc));
    EXPECT_FALSE(f.Enabled(Panel::kKf));
    EXPECT_TRUE(f.Checked(Panel::kOtherOrders));

    f.Click(Panel::kKf);  // disabled: no click arrives
    EXPECT_EQ(f.owner.selections.back().ticked[2], 0u);
    f.Click(Panel::kRestoreDefaults);
    EXPECT_TRUE(f.Enabled(Panel::kKf));
    f.Click(Panel::kKf);
    f.Click(Panel::kRestoreDefaults);
    told = f.owner.selections.back();
    EXPECT_EQ(told.mode, 0u);
    for (std::uint32_t b = 3; b < 28; ++b) {
        EXPECT_EQ(told.ticked[b], b <= 17 ? 1u : 0u) << b;
    }
    EXPECT_EQ(told.ticked[2], 1u) << "restoring the defaults keeps KF";

    // L1 cleared, L3 shown: a change of value type draws L3.
    f.Click(Panel::kFirstPhase + 2);
    f.Click(Panel::kFirstPhase, false);
    EXPECT_EQ(f.owner.phases, (std::array<std::uint32_t, 4>{0, 0, 1, 0}));
    f.Click(Panel::kRatio);
    EXPECT_EQ(f.owner.selections.back().phase, 2u);
    EXPECT_EQ(f.owner.selections.back().valueType, 1u);

    // Clearing forgets the families but not the shown phases.
    f.panel.Clear();
    EXPECT_EQ(f.panel.ListTexts(), std::vector<std::wstring>{L"<6130>"});
    EXPECT_FALSE(f.Enabled(Panel::kFirstPhase + 2));
    EXPECT_EQ(f.panel.PhaseShown(), (std::array<std::uint32_t, 4>{0, 0, 1, 0}));
}

}  // namespace
