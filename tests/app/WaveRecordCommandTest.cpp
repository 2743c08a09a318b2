// The waveform-record tab's buttons as a user clicks them, on a record made by our
// generator: each add-view button puts its statistic view where the user sees it,
// and "open again" analyses the shown record afresh behind the busy indicator.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>

#include <wx/window.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/RibbonBar.h"
#include "tests/support/TempDir.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

namespace {

using apptest::Boxes;
using apptest::Frame;

// The busy indicator the user sees, counting how often it came up.
class CountedIndicator : public platform::IHourglaze {
public:
    void Start(void* owner) override
    {
        ++m_starts;
        m_shown.Start(owner);
    }
    void Update(double percent) override { m_shown.Update(percent); }
    void Increase(double step) override { m_shown.Increase(step); }
    void Notify(const std::wstring& text) override { m_shown.Notify(text); }
    double GetPos() override { return m_shown.GetPos(); }
    void End() override { m_shown.End(); }
    int Starts() const { return m_starts; }

private:
    ui::BusyIndicator m_shown;
    int m_starts = 0;
};

class WaveRecordCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::SetHourglaze(&m_indicator);
        ASSERT_TRUE(gen::WriteWaveRecord(m_dir.Path(), gen::ThreePhaseWaveRecord(6400, 2.0)));
        Boxes().Clear();
        Frame().OpenWaveRecord(platform::FromPath(m_dir.Path()));
        ASSERT_TRUE(apptest::PumpUntil([this] { return Area() && Area()->Panes().GetPaneCount() == 2; }));
        apptest::Drain();
    }

    void TearDown() override
    {
        platform::SetHourglaze(nullptr);
        apptest::Restart();
    }

    static CWaveStatisticMainFrame* Area() { return Frame().GetWaveClient()->GetStatisticFrame(); }

    // The newest statistic view's pane id (ids only grow).
    static int NewestPane()
    {
        int newest = -1;
        CWavePaneManager& panes = Area()->Panes();
        for (int id = panes.GetFirstPaneId(); id >= 0; id = panes.GetNextPaneId(id)) {
            newest = std::max(newest, id);
        }
        return newest;
    }

    // Whether the view's window shows inside the statistic area (not scrolled away).
    static bool InSight(int pane)
    {
        CWavePaneView* view = Area()->Panes().GetView(pane);
        if (!view || !view->GetWx() || !view->GetWx()->IsShownOnScreen()) {
            return false;
        }
        const wxRect area(Area()->GetWx()->GetScreenPosition(), Area()->GetWx()->GetClientSize());
        const wxRect shown(view->GetWx()->GetScreenPosition(), view->GetWx()->GetSize());
        return area.Intersects(shown) && area.Contains(shown.GetTopLeft() + wxPoint(1, 1));
    }

    testsupport::TempDir m_dir;
    CountedIndicator m_indicator;
};

TEST_F(WaveRecordCommandTest, EachAddViewButtonAddsItsViewInSight)
{
    // With the statistic pane hidden, the first view brings it back.
    Frame().GetWaveClient()->ToggleSecondPane();
    ASSERT_FALSE(Frame().GetWaveClient()->IsSecondPaneLocked());
    for (unsigned id = kCmdFirstWaveView; id <= kCmdLastWaveView; ++id) {
        // The user looks at the bottom of the column, where the last views are.
        Area()->ScrollTo(1 << 20);
        const int before = Area()->Panes().GetPaneCount();
        ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(id)) << id << ": enabled";
        ASSERT_TRUE(apptest::PumpUntil([before] { return Area()->Panes().GetPaneCount() == before + 1; })) << id;
        apptest::Drain();
        const int pane = NewestPane();
        EXPECT_EQ(Area()->Panes().GetKind(pane), WaveViewKind(id)) << id;
        EXPECT_TRUE(Frame().GetWaveClient()->IsSecondPaneLocked()) << id << ": the statistic pane is shown";
        EXPECT_TRUE(InSight(pane)) << id << ": the new view is scrolled into sight";
    }
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(WaveRecordCommandTest, OpenAgainAnalysesTheRecordAfresh)
{
    ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdFirstWaveView + 4));
    ASSERT_TRUE(apptest::PumpUntil([] { return Area()->Panes().GetPaneCount() == 3; }));
    const int starts = m_indicator.Starts();
    ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdReopenWave)) << "enabled with a record shown";
    EXPECT_EQ(m_indicator.Starts(), starts + 1) << "the busy indicator shows the analysis";
    // The record's views are built again as when it was first opened.
    ASSERT_TRUE(apptest::PumpUntil([] { return Area()->Panes().GetPaneCount() == 2; }));
    apptest::Drain();
    EXPECT_EQ(Area()->Limits().KindCount(5976), 0);
    EXPECT_EQ(Area()->Limits().KindCount(5972), 1);
    EXPECT_EQ(Frame().GetWavePath(), platform::FromPath(m_dir.Path()));
    EXPECT_TRUE(Boxes().shown.empty());
}

}  // namespace
