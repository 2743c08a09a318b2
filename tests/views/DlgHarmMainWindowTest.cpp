// The harmonic bar chart of one phase as a window: filled from a generated folder
// through the statistic model and the collector, cleared by its own command, and
// deaf to Esc, Enter and Alt+F4.
#include <gtest/gtest.h>

#include "ViewsTestSupport.h"
#include "controls/ChartContrl.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"
#include "views/DlgHarmMain.h"

namespace {

class DlgHarmMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Frame.Create(L"harmonic chart");
        m_Host.CreateChild(&m_Frame, 100, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 640, 360));
        m_Sibling.CreateChild(&m_Frame, 101, ui::kStyleChild, wxRect(0, 0, 1, 1));
        m_Frame.ShowWindow(ui::kShow);
        const DialogTemplateInfo* info =
            CZVResourceManager::GetResourceManager()->LoadDialogTemplate(CDlgHarmMain::kTemplateId);
        ASSERT_NE(info, nullptr);
        m_Dialog = std::make_unique<CDlgHarmMain>(info);
        ASSERT_TRUE(m_Dialog->Create(&m_Host));
        m_Dialog->MoveWindow(wxRect(0, 0, 600, 300));
    }
    void TearDown() override
    {
        m_Dialog.reset();
        m_Frame.DestroyWindow();
    }

    ui::Frame m_Frame;
    ui::Window m_Host;
    ui::Window m_Sibling;  // a frame stretches a single child over its client area
    std::unique_ptr<CDlgHarmMain> m_Dialog;
};

TEST_F(DlgHarmMainTest, FillsClearsAndKeepsItsPane)
{
    viewstest::HarmFolder folder;
    CHarmSelection selection;
    selection.itemId = 2000;
    selection.bars = {3, 4, 5, 0, 1, 2};
    selection.ticked[4] = selection.ticked[5] = selection.ticked[0] = 1;
    selection.phase = 2;
    selection.valueType = 0;
    selection.showMaximum = selection.showAverage = selection.showCp95 = 1;
    selection.thdItemId = 24;
    selection.dcItemId = 25;
    selection.kfItemId = 23;
    m_Dialog->Fill(&selection, &folder.model);

    CChartContrl* chart = m_Dialog->GetChart();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->GetClientSize(), m_Dialog->GetClientSize()) << "the chart covers the dialog";
    const controls::BarChart& bars = chart->Chart();
    ASSERT_EQ(bars.Series().size(), 3u);
    EXPECT_EQ(bars.Arguments(), (std::vector<std::wstring>{L"2", L"3", L"THD"}));
    EXPECT_EQ(bars.valueTitle.text, L"电压谐波[V](L3)");
    EXPECT_EQ(bars.Series()[2].color, (gfx::Color{255, 0, 255}));
    const std::vector<CHarmBar>& fetched = m_Dialog->GetBars();
    ASSERT_EQ(fetched.size(), 3u);
    EXPECT_FLOAT_EQ(static_cast<float>(bars.Series()[1].points[2].value), fetched[2].average);
    for (const controls::ChartSeries& series : bars.Series()) {
        EXPECT_EQ(gfx::MissingGlyphCount(series.name, bars.font), 0);
    }
    EXPECT_EQ(gfx::MissingGlyphCount(bars.valueTitle.text, bars.font), 0);

    EXPECT_EQ(ui::SendMessage(m_Dialog.get(), CDlgHarmMain::kMsgQuery), 1);
    for (const ui::WParam key : {ui::WParam{0x1B}, ui::WParam{0x0D}}) {
        ui::SendMessage(m_Dialog.get(), ui::kMsgKeyDown, key, 0);
    }
    ui::SendMessage(m_Dialog.get(), ui::kMsgSysKeyDown, ui::kKeyF4, ui::kKeyFlagAlt);
    EXPECT_TRUE(m_Dialog->IsWindow()) << "Esc, Enter and Alt+F4 leave the chart";
    EXPECT_TRUE(m_Host.IsWindow()) << "and the pane around it";

    ui::SendMessage(m_Dialog.get(), CDlgHarmMain::kMsgCommand, CDlgHarmMain::kClearChart);
    EXPECT_TRUE(bars.Series().empty());
    EXPECT_TRUE(m_Dialog->GetBars().empty());
    m_Dialog->Fill(nullptr, &folder.model);
    EXPECT_TRUE(bars.Series().empty()) << "no selection: only cleared";
}

}  // namespace
