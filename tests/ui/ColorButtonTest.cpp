// A colour button asks the chooser for a colour when clicked, takes the one picked
// and tells its owner; a cancelled chooser changes nothing and tells nobody.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "Clicks.h"
#include "platform/ui/ColorButton.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Message.h"

namespace {

constexpr unsigned kButtonId = 700;

DialogTemplateInfo Holder() {
    DialogTemplateInfo info;
    info.style = 0x80C800C0;
    info.cx = 120;
    info.cy = 40;
    info.caption = L"颜色";
    return info;
}

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_owner.Create(nullptr));
        m_owner.GetWx()->Show();
        m_button = new ui::ColorButton(&m_owner, m_owner.GetWx(), kButtonId, wxRect(10, 10, 60, 24));
        m_owner.OnControlNotify(kButtonId, static_cast<int>(ui::kNotifyColorChosen), [this] {
            notified.push_back(m_button->GetColor());
        });
        ui::SetColorChooserResponder([this](const ui::ColorChooserRequest& request) {
            asked.push_back(request);
            return answer;
        });
    }
    void TearDown() override { ui::SetColorChooserResponder(nullptr); }

    void Click() { uitest::ClickWithMouse(m_button); }

    ui::Dialog m_owner{Holder()};
    ui::ColorButton* m_button = nullptr;
    std::optional<std::uint32_t> answer;
    std::vector<ui::ColorChooserRequest> asked;
    std::vector<std::uint32_t> notified;
};

TEST_F(ColorButtonTest, APickedColourIsTakenAndReported) {
    m_button->SetColor(0x0000FF);
    m_button->SetDefaultColor(0x00FF00);
    answer = 0x123456;
    Click();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].initial, 0x0000FFu);
    EXPECT_EQ(asked[0].defaultColor, 0x00FF00u);
    EXPECT_EQ(m_button->GetColor(), 0x123456u);
    EXPECT_EQ(m_button->GetDefaultColor(), 0x00FF00u) << "picking leaves the default colour alone";
    EXPECT_EQ(notified, (std::vector<std::uint32_t>{0x123456u}));

    // Picking the colour it already has is still a pick the owner hears of.
    Click();
    EXPECT_EQ(notified, (std::vector<std::uint32_t>{0x123456u, 0x123456u}));
}

TEST_F(ColorButtonTest, ACancelledChooserChangesNothing) {
    m_button->SetColor(0xABCDEF);
    answer = std::nullopt;
    Click();
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(m_button->GetColor(), 0xABCDEFu);
    EXPECT_TRUE(notified.empty());
}

}  // namespace
