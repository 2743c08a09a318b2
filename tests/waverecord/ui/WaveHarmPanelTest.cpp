// The harmonic trend attribute panel under a virtual display, driven through the
// window layer over an analysed generated record, with a stand-in view that keeps
// what the panel sends it: its start from the view's record, the groups' effects
// on the controls, the records it sends (order slots in their places) and the slot
// colours through the colour popup.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

#include "platform/ui/Frame.h"
#include "platform/ui/MessageQueue.h"
#include "tests/ui/Clicks.h"
#include "tests/ui/EventPump.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/ui/WaveHarmWaveTendencyAttribDlg.h"

namespace {

using Panel = CWaveHarmWaveTendencyAttribDlg;

void Settle()
{
    int spins = 0;
    uitest::PumpUntil([&spins] { return ++spins > 20; });
}

// The view as the panel sees it: it hands out its record and slot colours and keeps
// every record and colour it is sent.
class StandInView : public ui::Window {
public:
    StandInView()
    {
        OnMessage(Panel::kMsgCurrentRecord, [this](ui::WParam out, ui::LParam) {
            *reinterpret_cast<HarmTrendAttrib*>(out) = start;
            return 0;
        });
        OnMessage(Panel::kMsgApply, [this](ui::WParam item, ui::LParam record) {
            applied.push_back(*reinterpret_cast<const HarmTrendAttrib*>(record));
            EXPECT_EQ(static_cast<int>(item), applied.back().item);
            return 0;
        });
        OnMessage(Panel::kMsgSlotColour, [this](ui::WParam out, ui::LParam slot) {
            *reinterpret_cast<std::uint32_t*>(out) = colours[static_cast<int>(slot)];
            return 0;
        });
        OnMessage(Panel::kMsgSlotDefaultColour, [](ui::WParam out, ui::LParam slot) {
            *reinterpret_cast<std::uint32_t*>(out) = 0x010101u * static_cast<std::uint32_t>(slot);
            return 0;
        });
        OnMessage(Panel::kMsgSetSlotColour, [this](ui::WParam colour, ui::LParam slot) {
            colours[static_cast<int>(slot)] = static_cast<std::uint32_t>(colour);
            return 1;
        });
    }

    HarmTrendAttrib start;
    std::vector<HarmTrendAttrib> applied;
    std::map<int, std::uint32_t> colours{{1, 0x0000FF}, {2, 0x00FF00}, {3, 0xFF0000}};
};

class WaveHarmPanelTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_record = std::make_unique<wavetest::GeneratedRecord>(wavetest::ShortRecord());
        CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
        ASSERT_NE(manager, nullptr);
        ASSERT_TRUE(wavetest::OpenAndDispatchAll(*manager, *s_record));
    }
    static void TearDownTestSuite()
    {
        CWaveAnalysisManager::DestroyInstance();
        s_record.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(L"Ondrava"));
        m_frame.GetFrame()->SetSize(400, 600);
        m_frame.ShowWindow(ui::kShow);
        ASSERT_TRUE(m_view.CreateChild(&m_frame.GetClientArea(), 100, ui::kStyleChild | ui::kStyleVisible,
                                       wxRect(0, 0, 380, 560)));
        m_view.start.item = 6004;
        m_view.start.phases = 0x0F;
        m_view.start.stats = 4;
    }
    void TearDown() override
    {
        m_panel.reset();
        m_view.DestroyWindow();
        m_frame.DestroyWindow();
    }

    Panel& Make()
    {
        m_panel = std::make_unique<Panel>();
        m_panel->SetTarget(&m_view);
        EXPECT_TRUE(m_panel->CreatePanel(&m_view));
        Settle();
        return *m_panel;
    }

    void Choose(unsigned id, int index)
    {
        auto* list = m_panel->GetItem<wxChoice>(id);
        ASSERT_NE(list, nullptr) << id;
        list->SetSelection(index);
        ui::SendMessage(m_panel.get(), ui::kMsgCommand, ui::MakeWParam(id, ui::kNotifySelChange), 0);
    }
    void ChooseGroup(int group)
    {
        int index = 0;
        for (const harmtrend::Group& g : harmtrend::Groups()) {
            if (g.group == group) {
                break;
            }
            ++index;
        }
        Choose(Panel::kItemCombo, index);
    }
    void Click(unsigned id, bool value = true)
    {
        wxWindow* control = m_panel->GetDlgItem(id);
        ASSERT_NE(control, nullptr) << id;
        if (auto* radio = dynamic_cast<wxRadioButton*>(control)) {
            radio->SetValue(true);
        } else if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
            box->SetValue(value);
        }
        ui::SendMessage(m_panel.get(), ui::kMsgCommand, ui::MakeWParam(id, ui::kNotifyClicked), 0);
    }
    bool Enabled(unsigned id) { return m_panel->GetDlgItem(id)->IsEnabled(); }
    bool Checked(unsigned id) { return m_panel->IsDlgButtonChecked(id) != 0; }
    std::vector<std::wstring> Entries(unsigned id)
    {
        std::vector<std::wstring> entries;
        auto* list = m_panel->GetItem<wxChoice>(id);
        for (unsigned i = 0; list && i < list->GetCount(); ++i) {
            entries.push_back(list->GetString(i).ToStdWstring());
        }
        return entries;
    }
    int Selected(unsigned id) { return m_panel->GetItem<wxChoice>(id)->GetSelection(); }

    static std::unique_ptr<wavetest::GeneratedRecord> s_record;
    ui::Frame m_frame;
    StandInView m_view;
    std::unique_ptr<Panel> m_panel;
};

std::unique_ptr<wavetest::GeneratedRecord> WaveHarmPanelTest::s_record;

TEST_F(WaveHarmPanelTest, StartsFromTheViewsRecord)
{
    Make();
    EXPECT_EQ(m_panel->GetSelectedGroup(), 6055) << "the voltage DC group";
    EXPECT_TRUE(Checked(Panel::kStatAvg));
    EXPECT_TRUE(Checked(Panel::kKindRms));
    EXPECT_FALSE(Enabled(Panel::kKFactor));
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_FALSE(Enabled(Panel::kFirstOrderCombo + slot)) << slot;
    }
    for (unsigned radio : {Panel::kPhaseL1, Panel::kPhaseL2, Panel::kPhaseL3, Panel::kPhaseN}) {
        // A GTK radio group always keeps one button on; disabled, it counts for nothing.
        EXPECT_FALSE(Enabled(radio)) << "several channels name no single phase: " << radio;
    }
    EXPECT_FALSE(m_panel->GetDlgItem(Panel::kHiddenAvg)->IsShown());
    EXPECT_TRUE(m_view.applied.empty()) << "starting sends nothing";

    // A record of orders shows its slots as they are.
    m_view.start = HarmTrendAttrib{};
    m_view.start.item = 5982;
    m_view.start.phases = 2;
    m_view.start.stats = 1;
    m_view.start.orderCount = 6;
    m_view.start.orders = {9, 0, 3, 0, 0, 1};
    Make();
    EXPECT_EQ(m_panel->GetSelectedGroup(), 6061);
    EXPECT_TRUE(Checked(Panel::kPhaseL2));
    EXPECT_TRUE(Checked(Panel::kStatMax));
    const int expected[6] = {9, 0, 3, 0, 0, 1};
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_EQ(Selected(Panel::kFirstOrderCombo + slot), expected[slot]) << slot;
    }
}

TEST_F(WaveHarmPanelTest, GroupsSetTheControlsAndSendTheirItems)
{
    Make();
    struct Case {
        const char* name;
        int group;
        int item;             // what the view receives
        bool orders;          // the order lists are enabled
        const wchar_t* first; // the first order entry after "OFF"
        bool kFactor;         // "KF" enabled
    };
    const Case cases[] = {
        {"voltage harmonics", 6056, 5981, true, L"1", false},
        {"current interharmonics start at order 0", 6062, 5992, true, L"0", true},
        {"current harmonics", 6061, 5982, true, L"1", true},
        {"voltage THD", 6075, 6075, false, nullptr, false},
        {"current DC", 6060, 6006, false, nullptr, false},
        {"harmonic power", 6066, 6000, true, L"1", false},
    };
    for (const Case& c : cases) {
        m_view.applied.clear();
        ChooseGroup(c.group);
        ASSERT_EQ(m_view.applied.size(), 1u) << c.name;
        const HarmTrendAttrib& record = m_view.applied.back();
        EXPECT_EQ(record.item, c.item) << c.name;
        EXPECT_EQ(Enabled(Panel::kFirstOrderCombo), c.orders) << c.name;
        EXPECT_EQ(Enabled(Panel::kKFactor), c.kFactor) << c.name;
        if (c.orders) {
            const std::vector<std::wstring> entries = Entries(Panel::kFirstOrderCombo);
            ASSERT_GE(entries.size(), 7u) << c.name;
            EXPECT_EQ(entries[0], L"OFF") << c.name;
            EXPECT_EQ(entries[1], c.first) << c.name;
            EXPECT_EQ(record.orderCount, 6) << c.name;
            EXPECT_EQ(std::vector<int>(record.orders.begin(), record.orders.begin() + 6),
                      (std::vector<int>{1, 2, 3, 4, 5, 6}))
                << c.name;
            EXPECT_TRUE(Checked(Panel::kPhaseL1)) << c.name;
            EXPECT_EQ(record.phases, 1) << c.name;
        }
    }
    // Harmonic power has no neutral: a checked N moves to L1.
    ChooseGroup(6056);
    Click(Panel::kPhaseN);
    EXPECT_EQ(m_view.applied.back().phases, 8);
    ChooseGroup(6066);
    EXPECT_TRUE(Checked(Panel::kPhaseL1));
    EXPECT_FALSE(Checked(Panel::kPhaseN));
    EXPECT_FALSE(Enabled(Panel::kPhaseN));
    // The voltage DC group with "content" checked sends the content item.
    ChooseGroup(6055);
    EXPECT_EQ(m_view.applied.back().item, 6004);
    Click(Panel::kKindContent);
    EXPECT_EQ(m_view.applied.back().item, 6005);
    // The K factor and a statistic reach the view.
    ChooseGroup(6061);
    Click(Panel::kKFactor, true);
    EXPECT_EQ(m_view.applied.back().withKFactor, 1);
    Click(Panel::kStatMin);
    EXPECT_EQ(m_view.applied.back().stats, 2);
}

TEST_F(WaveHarmPanelTest, SlotsReachTheViewInTheirPlaces)
{
    Make();
    ChooseGroup(6056);
    const int chosen[6] = {7, 0, 3, 0, 5, 2};
    for (int slot = 0; slot < 6; ++slot) {
        Choose(Panel::kFirstOrderCombo + slot, chosen[slot]);
    }
    const HarmTrendAttrib& record = m_view.applied.back();
    EXPECT_EQ(std::vector<int>(record.orders.begin(), record.orders.begin() + 6), (std::vector<int>{7, 0, 3, 0, 5, 2}))
        << "not sorted away from their colours";
}

TEST_F(WaveHarmPanelTest, ASwatchPicksItsSlotsColourThroughThePopup)
{
    Make();
    ChooseGroup(6056);
    EXPECT_EQ(m_panel->GetSlotColor(3), 0xFF0000u);
    // A click on slot 3's swatch opens the popup on the slot's colours.
    uitest::ClickWithMouse(m_panel->GetDlgItem(Panel::kFirstSwatch + 2));
    Settle();
    CColorPopup& popup = m_panel->GetColorPopup();
    ASSERT_TRUE(popup.IsOpen());
    EXPECT_EQ(m_panel->GetColorSlot(), 3);
    EXPECT_EQ(popup.GetCurrentColor(), 0xFF0000u);
    EXPECT_EQ(popup.GetDefaultColor(), 0x030303u);
    // Choosing the default colour stores it for the slot and redraws the view.
    m_view.applied.clear();
    const gfx::Point centre = controls::ColorPopupLayout::Centre({controls::ColorPopupPart::Default, -1});
    ui::SendMessage(&popup, ui::kMsgLButtonUp, ui::kMouseLeftButton, ui::MakePointLParam(int(centre.x), int(centre.y)));
    Settle();
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(m_view.colours[3], 0x030303u);
    EXPECT_EQ(m_view.applied.size(), 1u);

    // A slot whose list is off opens nothing.
    ChooseGroup(6075);
    uitest::ClickWithMouse(m_panel->GetDlgItem(Panel::kFirstSwatch));
    Settle();
    EXPECT_FALSE(popup.IsOpen());
}

TEST_F(WaveHarmPanelTest, TheStripTogglesTheView)
{
    Make();
    int toggles = 0;
    m_view.OnMessage(Panel::kMsgToggle, [&toggles](ui::WParam wParam, ui::LParam) {
        toggles += static_cast<int>(wParam);
        return 0;
    });
    uitest::ClickWithMouse(m_panel->GetDlgItem(Panel::kStripId));
    Settle();
    EXPECT_EQ(toggles, 1);
}

}  // namespace
