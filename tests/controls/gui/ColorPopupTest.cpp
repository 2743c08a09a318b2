// The colour popup as a window: pointer messages light its parts, a click on a
// colour, on the default bar or (through the full chooser) on the more bar posts
// the colour to the owner and closes the popup; a cancelled chooser posts nothing,
// and a press elsewhere closes it without a choice.
#include <gtest/gtest.h>

#include <optional>

#include <wx/window.h>

#include "Host.h"
#include "controls/ColorPopup.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"
#include "tests/ui/EventPump.h"

namespace {

using controls::ColorPopupHit;
using controls::ColorPopupLayout;
using controls::ColorPopupPart;

// Runs the events a while: long enough for a posted message to arrive.
void PumpAWhile()
{
    int spins = 0;
    uitest::PumpUntil([&spins] { return ++spins > 40; });
}

ui::LParam At(const ColorPopupHit& part)
{
    const gfx::Point centre = ColorPopupLayout::Centre(part);
    return ui::MakePointLParam(int(centre.x), int(centre.y));
}

class ColorPopupTest : public testing::Test {
protected:
    void SetUp() override { m_host.Record(kMsgColorPopupChosen); }
    void TearDown() override { ui::SetColorChooserResponder({}); }

    // Opens the popup and clicks the part; the colour the owner was told, if any.
    std::optional<std::uint32_t> ClickOn(const ColorPopupHit& part)
    {
        m_host.Messages().clear();
        EXPECT_TRUE(m_popup.Open(&m_host.Window(), wxPoint(40, 40), 0x0000FF, 0x00FF00));
        EXPECT_TRUE(m_popup.IsOpen());
        ui::SendMessage(&m_popup, ui::kMsgLButtonUp, ui::kMouseLeftButton, At(part));
        PumpAWhile();
        if (m_host.Messages().empty()) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(m_host.Messages().front().wParam);
    }

    controlstest::Host m_host;
    CColorPopup m_popup;
};

TEST_F(ColorPopupTest, AClickPostsTheColourAndCloses)
{
    struct Case {
        const char* name;
        ColorPopupHit part;
        std::optional<std::uint32_t> chooser;  // what the full chooser answers
        std::optional<std::uint32_t> told;
    };
    const Case cases[] = {
        {"a colour of the grid", {ColorPopupPart::Swatch, 3}, std::nullopt, ColorPopupLayout::Swatches()[3]},
        {"the default colour", {ColorPopupPart::Default, -1}, std::nullopt, 0x00FF00u},
        {"a colour of the full chooser", {ColorPopupPart::More, -1}, 0x123456u, 0x123456u},
        {"the full chooser cancelled", {ColorPopupPart::More, -1}, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<ui::ColorChooserRequest> asked;
        ui::SetColorChooserResponder([&](const ui::ColorChooserRequest& request) {
            asked = request;
            return c.chooser;
        });
        EXPECT_EQ(ClickOn(c.part), c.told) << c.name;
        EXPECT_FALSE(m_popup.IsOpen()) << c.name;
        if (c.part.part == ColorPopupPart::More) {
            ASSERT_TRUE(asked) << c.name;
            EXPECT_EQ(asked->initial, 0x0000FFu) << "the chooser starts on the current colour";
            EXPECT_EQ(asked->defaultColor, 0x00FF00u);
        }
    }
}

TEST_F(ColorPopupTest, ThePointerLightsPartsAndAMissedClickKeepsItOpen)
{
    ASSERT_TRUE(m_popup.Open(&m_host.Window(), wxPoint(40, 40), 0, 0));
    const ColorPopupHit swatch{ColorPopupPart::Swatch, 9};
    ui::SendMessage(&m_popup, ui::kMsgMouseMove, 0, At(swatch));
    EXPECT_EQ(m_popup.GetHover(), swatch);
    ui::SendMessage(&m_popup, ui::kMsgLButtonUp, ui::kMouseLeftButton, ui::MakePointLParam(1, 1));
    EXPECT_TRUE(m_popup.IsOpen()) << "the margin chooses nothing";
    // A press elsewhere in the program closes it.
    wxMouseEvent press(wxEVT_LEFT_DOWN);
    press.SetEventObject(m_host.Window().GetWx());
    m_host.Window().GetWx()->ProcessWindowEvent(press);
    EXPECT_TRUE(uitest::PumpUntil([this] { return !m_popup.IsOpen(); }));
    PumpAWhile();
    EXPECT_TRUE(m_host.Messages().empty());
}

}  // namespace
