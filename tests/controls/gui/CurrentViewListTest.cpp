// The view item list: it asks its owner for the current quantity while it starts,
// offers the kind's quantities, switches the statistic kinds off for quantities
// that have none, posts every choice to its owner and passes its strip's clicks on.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/event.h>

#include "tests/ui/EventPump.h"
#include "Host.h"
#include "controls/CurrentViewList.h"
#include "platform/ui/MessageQueue.h"

namespace {

using controlstest::Host;

class CurrentViewListTest : public ::testing::Test {
protected:
    // A panel of the kind, whose owner shows the quantity given.
    void Open(int kind, std::uint32_t current) {
        m_host.Window().OnMessage(kMsgViewListCurrentItem, [current](ui::WParam item, ui::LParam) {
            *reinterpret_cast<std::uint32_t*>(item) = current;
            return ui::LResult{0};
        });
        m_host.Record(kMsgViewListChoice);
        m_host.Window().OnMessage(kMsgViewListToggle, [this](ui::WParam wParam, ui::LParam point) {
            const auto* at = reinterpret_cast<const wxPoint*>(point);
            m_toggles.push_back({wParam, at->x, at->y});
            return ui::LResult{0};
        });
        m_list.SetOwner(&m_host.Window());
        m_list.SetKind(kind);
        ASSERT_TRUE(m_list.Create());
    }

    // Picks the quantity as the user does in the drop-down list.
    void Choose(std::uint32_t item) {
        auto* choice = m_list.GetItem<wxChoice>(CCurrentViewList::kQuantityListId);
        const auto& items = m_items = controls::ViewKindItems(m_list.GetKind());
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].id == item) {
                choice->SetSelection(static_cast<int>(i));
            }
        }
        m_list.WindowProc(ui::kMsgCommand, ui::MakeWParam(CCurrentViewList::kQuantityListId, ui::kNotifySelChange), 0);
    }

    // The choices posted to the owner so far, once they have arrived.
    std::vector<std::pair<ui::WParam, ui::LParam>> Choices(std::size_t count) {
        EXPECT_TRUE(uitest::PumpUntil([&] { return m_host.Messages().size() >= count; }));
        std::vector<std::pair<ui::WParam, ui::LParam>> choices;
        for (const controlstest::Received& message : m_host.Messages()) {
            choices.emplace_back(message.wParam, message.lParam);
        }
        return choices;
    }

    bool Enabled(unsigned id) { return m_list.GetDlgItem(id)->IsEnabled(); }

    struct Toggle {
        ui::WParam wParam;
        int x, y;
    };
    Host m_host;
    CCurrentViewList m_list{&m_host.Window()};
    std::vector<controls::ViewItem> m_items;
    std::vector<Toggle> m_toggles;
};

TEST_F(CurrentViewListTest, StartsOnTheOwnersQuantityWithAverageChecked) {
    Open(controls::kViewKindPowerEnergy, 6036);
    auto* choice = m_list.GetItem<wxChoice>(CCurrentViewList::kQuantityListId);
    EXPECT_EQ(8u, choice->GetCount());
    EXPECT_EQ(L"视在电能S(VAh)", choice->GetStringSelection().ToStdWstring());
    EXPECT_EQ(6036u, m_list.GetSelectedItem());
    EXPECT_EQ(L"功率&电能趋势图", m_list.GetWindowText());
    // The rules for quantities without kinds apply only to a change.
    EXPECT_TRUE(Enabled(CCurrentViewList::kMaxId));
    EXPECT_TRUE(Enabled(CCurrentViewList::kAvgId));
    EXPECT_EQ(1, m_list.IsDlgButtonChecked(CCurrentViewList::kAvgId));
    EXPECT_EQ(0, m_list.IsDlgButtonChecked(CCurrentViewList::kMaxId));
    EXPECT_TRUE(m_host.Messages().empty()) << "starting reports nothing";
}

TEST_F(CurrentViewListTest, AnUnknownCurrentQuantityLeavesTheFirstSelected) {
    Open(controls::kViewKindFluctuationFlicker, 1234);
    EXPECT_EQ(6040u, m_list.GetSelectedItem());
    EXPECT_EQ(L"波动&闪变趋势图", m_list.GetWindowText());
}

TEST_F(CurrentViewListTest, ChoicesArePostedWithTheirStatisticKinds) {
    Open(controls::kViewKindVoltageCurrent, 6014);
    Choose(6026);  // half-cycle RMS: no kinds
    EXPECT_FALSE(Enabled(CCurrentViewList::kMaxId));
    EXPECT_FALSE(Enabled(CCurrentViewList::kAvgId));
    EXPECT_EQ(0, m_list.IsDlgButtonChecked(CCurrentViewList::kAvgId));
    Choose(6020);  // nothing checked any more: average comes back
    EXPECT_TRUE(Enabled(CCurrentViewList::kMinId));
    EXPECT_EQ(1, m_list.IsDlgButtonChecked(CCurrentViewList::kAvgId));
    m_list.CheckDlgButton(CCurrentViewList::kMaxId, 1);
    m_list.WindowProc(ui::kMsgCommand, ui::MakeWParam(CCurrentViewList::kMaxId, ui::kNotifyClicked), 0);
    Choose(6016);  // kinds already checked stay
    const auto choices = Choices(4);
    const std::vector<std::pair<ui::WParam, ui::LParam>> expected{{6026, 32}, {6020, 4}, {6020, 5}, {6016, 5}};
    EXPECT_EQ(expected, choices);
}

TEST_F(CurrentViewListTest, StripClicksGoToTheOwnerAndTheStripKeepsToTheLeftEdge) {
    Open(controls::kViewKindHarmonic, 6056);
    CResizeCtrl& strip = m_list.GetResizeCtrl();
    ASSERT_TRUE(strip.IsWindow());
    ui::SendMessage(&strip, ui::kMsgLButtonDown, ui::kMouseLeftButton, ui::MakePointLParam(2, 40));
    ASSERT_EQ(1u, m_toggles.size());
    EXPECT_EQ(1u, m_toggles[0].wParam);
    EXPECT_EQ(40, m_toggles[0].y);

    const int width = strip.GetWindowRect().GetWidth();
    m_list.MoveWindow(wxRect(0, 0, 160, 333));
    EXPECT_EQ(wxRect(0, 0, width, 333), strip.GetWindowRect());
}

TEST_F(CurrentViewListTest, AltF4ClosesTheWindowItSitsIn) {
    m_host.Record(ui::kMsgClose);
    Open(controls::kViewKindUnbalance, 6046);
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_F4;
    key.SetAltDown(true);
    key.SetEventObject(m_list.GetWx());
    m_list.GetWx()->GetEventHandler()->ProcessEvent(key);
    ASSERT_FALSE(m_host.Messages().empty());
    EXPECT_EQ(ui::kMsgClose, m_host.Messages().back().message);
}

}  // namespace
