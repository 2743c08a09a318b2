// The chart control as a window: mouse moves and clicks injected through the window
// layer switch the point labels to the series under the pointer.
#include <gtest/gtest.h>

#include "Host.h"
#include "controls/ChartContrl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/ui/MessageQueue.h"

namespace {

using controlstest::Host;

class ChartContrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_chart.Create(&m_host.Window(), 100, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 400, 250)));
        const gfx::Color colors[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
        for (int s = 0; s < 3; ++s) {
            controls::ChartSeries& series = m_chart.Chart().AddSeries(L"s" + std::to_wstring(s), colors[s]);
            series.points = {{L"2", 3.0 - s}, {L"3", 2.0 - s / 2.0}};
        }
        m_chart.Chart().legendVisible = true;
    }

    // The centre of a bar where the window lays it out.
    ui::LParam BarCentre(std::size_t series, std::size_t point)
    {
        gfx::Bitmap measure(1, 1);
        gfx::Context context(measure);
        const wxSize size = m_chart.GetClientSize();
        for (const auto& bar :
             m_chart.Chart().Layout(context, gfx::Rect::FromSize(0, 0, size.GetWidth(), size.GetHeight())).bars) {
            if (bar.series == series && bar.point == point) {
                return ui::MakePointLParam(static_cast<int>((bar.rect.left + bar.rect.right) / 2),
                                           static_cast<int>((bar.rect.top + bar.rect.bottom) / 2));
            }
        }
        ADD_FAILURE() << "no bar " << series << "/" << point;
        return 0;
    }

    std::vector<bool> Shown() const
    {
        std::vector<bool> shown;
        for (const auto& series : m_chart.Chart().Series()) {
            shown.push_back(series.labelsVisible);
        }
        return shown;
    }

    Host m_host;
    CChartContrl m_chart;
};

TEST_F(ChartContrlTest, LabelsFollowTheMouseOnlyWithHoverLabels)
{
    struct Step {
        const char* row;
        unsigned message;
        std::size_t series, point;
        std::vector<bool> shown;
    };
    const Step withoutHover[] = {
        {"move without the flag", ui::kMsgMouseMove, 1, 0, {false, false, false}},
        {"click switches regardless", ui::kMsgLButtonDown, 2, 1, {false, false, true}},
    };
    for (const Step& s : withoutHover) {
        ui::SendMessage(&m_chart, s.message, 0, BarCentre(s.series, s.point));
        EXPECT_EQ(Shown(), s.shown) << s.row;
    }
    m_chart.EnableHoverLabels(1);
    const Step withHover[] = {
        {"move over a bar of series 0", ui::kMsgMouseMove, 0, 1, {true, false, false}},
        {"move over a bar of series 1", ui::kMsgMouseMove, 1, 0, {false, true, false}},
    };
    for (const Step& s : withHover) {
        ui::SendMessage(&m_chart, s.message, 0, BarCentre(s.series, s.point));
        EXPECT_EQ(Shown(), s.shown) << s.row;
    }
    ui::SendMessage(&m_chart, ui::kMsgMouseMove, 0, ui::MakePointLParam(2, 2));
    EXPECT_EQ(Shown(), (std::vector<bool>{false, true, false})) << "off the bars nothing changes";
}

}  // namespace
