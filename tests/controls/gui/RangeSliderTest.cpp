// The range slider as a window: a drag and keys injected through the window layer
// change its values, and the parent hears each change (and can already read the
// new values) before the slider repaints.
#include <gtest/gtest.h>

#include <vector>

#include <wx/event.h>
#include <wx/window.h>

#include "tests/ui/EventPump.h"
#include "Host.h"
#include "controls/RangeSlider.h"
#include "platform/ui/Dialog.h"
#include "tests/ui/DialogFixtures.h"
#include "platform/ui/MessageQueue.h"

namespace {

using controlstest::Host;
constexpr double kPixel = 1.0 / 270;

struct Change {
    ui::WParam code;
    double low, high;  // what the parent read while handling it
};

class RangeSliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host.Window().OnMessage(kMsgRangeChanged, [this](ui::WParam code, ui::LParam) {
            m_changes.push_back({code, m_slider.GetSelLow(), m_slider.GetSelHigh()});
            return ui::LResult{0};
        });
        ASSERT_TRUE(
            m_slider.Create(&m_host.Window(), 32920, ui::kStyleChild | ui::kStyleVisible, wxRect(10, 10, 300, 20)));
        m_slider.SetRange(0, 1);
        m_slider.SetPosition(27 * kPixel, 135 * kPixel);
        m_slider.Invalidate();
        // Thumbs are hit-tested where the last paint put them.
        ASSERT_TRUE(uitest::PumpUntil([&] { return m_slider.GetState().TrackLength() == 270; }));
        m_changes.clear();
    }

    Host m_host;
    CRangeSlider m_slider;
    std::vector<Change> m_changes;
};

TEST_F(RangeSliderTest, DraggingAThumbTellsTheParentWhileTheMouseIsHeld) {
    const int x = m_slider.GetState().LowThumbRect().CentreX();
    ui::SendMessage(&m_slider, ui::kMsgLButtonDown, ui::kMouseLeftButton, ui::MakePointLParam(x, 10));
    EXPECT_TRUE(m_slider.GetState().IsDragging());
    EXPECT_TRUE(m_slider.HasCapture());
    ui::SendMessage(&m_slider, ui::kMsgMouseMove, ui::kMouseLeftButton, ui::MakePointLParam(x + 27, 10));
    ASSERT_EQ(1u, m_changes.size());
    EXPECT_EQ(0u, m_changes[0].code);
    EXPECT_NEAR(54 * kPixel, m_changes[0].low, 1e-9);
    ui::SendMessage(&m_slider, ui::kMsgLButtonUp, 0, ui::MakePointLParam(x + 27, 10));
    EXPECT_FALSE(m_slider.GetState().IsDragging());
    EXPECT_FALSE(m_slider.HasCapture());
    ui::SendMessage(&m_slider, ui::kMsgMouseMove, 0, ui::MakePointLParam(x + 60, 10));
    EXPECT_EQ(1u, m_changes.size()) << "no drag, no change";
}

TEST_F(RangeSliderTest, LosingTheMouseEndsTheDrag) {
    const int x = m_slider.GetState().HighThumbRect().CentreX();
    ui::SendMessage(&m_slider, ui::kMsgLButtonDown, ui::kMouseLeftButton, ui::MakePointLParam(x, 10));
    ASSERT_TRUE(m_slider.GetState().IsDragging());
    m_slider.ReleaseCapture();
    ui::SendMessage(&m_slider, ui::kMsgCaptureChanged);
    EXPECT_FALSE(m_slider.GetState().IsDragging());
}

TEST_F(RangeSliderTest, ArrowKeysReachTheSliderAndMoveItByOnePixel) {
    wxKeyEvent right(wxEVT_KEY_DOWN);
    right.m_keyCode = WXK_RIGHT;
    right.SetEventObject(m_slider.GetWx());
    m_slider.GetWx()->GetEventHandler()->ProcessEvent(right);
    ASSERT_EQ(1u, m_changes.size());
    EXPECT_EQ(2u, m_changes[0].code);
    EXPECT_NEAR(28 * kPixel, m_changes[0].low, 1e-12);
    EXPECT_NEAR(136 * kPixel, m_changes[0].high, 1e-12);

    ui::SendMessage(&m_slider, ui::kMsgKeyDown, ui::kKeyLeft, ui::kKeyFlagShift);
    ASSERT_EQ(2u, m_changes.size());
    EXPECT_EQ(1u, m_changes[1].code);
    EXPECT_NEAR(28 * kPixel, m_slider.GetSelLow(), 1e-12);
    EXPECT_NEAR(135 * kPixel, m_slider.GetSelHigh(), 1e-12);

    ui::SendMessage(&m_slider, ui::kMsgKeyDown, ui::kKeyRight, ui::kKeyFlagControl);
    EXPECT_EQ(2u, m_changes.size()) << "Ctrl+arrow is not the slider's";
}

TEST_F(RangeSliderTest, PositionsOutsideTheIntervalArePulledInAndReported) {
    m_slider.SetPosition(-0.5, 2);
    ASSERT_EQ(2u, m_changes.size());
    EXPECT_EQ(0u, m_changes[0].code);
    EXPECT_EQ(1u, m_changes[1].code);
    EXPECT_DOUBLE_EQ(0, m_slider.GetSelLow());
    EXPECT_DOUBLE_EQ(1, m_slider.GetSelHigh());
}

TEST(RangeSliderInDialog, TakesThePlaceOfItsCustomControl) {
    Host host;
    ui::Dialog dialog(
        controlstest::PanelWith(uitest::Control(L"MFCRangeSlider", 32920, uitest::kTabStop, 10, 10, 180, 12), 200, 40));
    std::vector<ui::WParam> codes;
    dialog.OnMessage(kMsgRangeChanged, [&](ui::WParam code, ui::LParam) {
        codes.push_back(code);
        return ui::LResult{0};
    });
    ASSERT_TRUE(dialog.Create(&host.Window()));
    CRangeSlider slider;
    ASSERT_TRUE(slider.SubclassDlgItem(32920, &dialog));
    EXPECT_EQ(*dialog.GetItemTemplateRect(32920), slider.GetWindowRect());
    EXPECT_TRUE(slider.GetWx()->HasFlag(wxWANTS_CHARS)) << "the arrow keys come to the slider";
    slider.SetRange(0, 1);
    slider.SetPosition(0.5, 3);
    EXPECT_EQ((std::vector<ui::WParam>{1}), codes) << "the dialog hears the slider";
}

}  // namespace
