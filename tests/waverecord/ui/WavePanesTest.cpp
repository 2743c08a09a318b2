// The panes of the waveform-record window without a record: the pane manager's ids,
// order and close notices, the statistic area's limits by kind and in all, and the
// viewer callback's hint and messages.
#include <gtest/gtest.h>

#include <wx/frame.h>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/TracelumeCallback.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DockingPane.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "tests/ui/EventPump.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/TracelumeCallBack.h"
#include "waverecord/ui/WavePaneManager.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

namespace {

class PlainView : public CWavePaneView {};

// A window that keeps what reaches it.
class Owner : public ui::Window {
public:
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override
    {
        // The docking layer's own notices are not what the tests watch.
        if (message >= 0x400 && message != ui::kMsgDockingPaneNotify) {
            seen.push_back({message, wParam, lParam});
            return 7;
        }
        return ui::Window::WindowProc(message, wParam, lParam);
    }
    struct Seen {
        unsigned message;
        ui::WParam wParam;
        ui::LParam lParam;
    };
    std::vector<Seen> seen;
};

class WavePanesTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (int kind = 5972; kind <= 5979; ++kind) {
            RegisterWaveView(kind, [] { return std::make_unique<PlainView>(); });
        }
        ui::SetMessageBoxResponder([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return ui::kIdOk;
        });
        ASSERT_TRUE(m_frame.Create(L"panes"));
        m_frame.GetFrame()->SetSize(900, 700);
        m_frame.ShowWindow(ui::kShow);
    }
    void TearDown() override
    {
        m_frame.DestroyWindow();
        ui::SetMessageBoxResponder({});
    }

    ui::Frame m_frame;
    std::vector<std::wstring> m_boxes;
};

TEST_F(WavePanesTest, PanesAreNumberedInOrderAndReportTheirClosingOnce)
{
    Owner owner;
    ASSERT_TRUE(owner.CreateChild(&m_frame.GetClientArea(), 0, ui::kStyleChild | ui::kStyleVisible,
                                  wxRect(0, 0, 800, 600)));
    CWavePaneManager panes;
    EXPECT_EQ(panes.GetFirstPaneId(), -1);
    ASSERT_TRUE(panes.Install(owner, false));
    EXPECT_EQ(panes.CreatePane(5979, 2), 1000);
    EXPECT_EQ(panes.CreatePane(5972, 2), 1001);
    EXPECT_EQ(panes.GetNextPaneId(1000), 1001);
    EXPECT_EQ(panes.GetNextPaneId(1001), -1);
    EXPECT_EQ(panes.GetNextPaneId(999), -1);
    EXPECT_TRUE(panes.HasNonHistogramPane());
    EXPECT_EQ(panes.GetView(1001)->GetPaneId(), 1001);
    EXPECT_EQ(panes.GetView(1001)->GetOwnerWindow(), &owner);

    // The user closes 1001: the owner hears of it once with its kind, then without.
    ui::DockingPane* pane = panes.Docking().FindPane(1001);
    ASSERT_NE(pane, nullptr);
    const auto closed = static_cast<ui::WParam>(ui::kDockNotifyPaneClosed);
    panes.OnPaneNotify(closed, reinterpret_cast<ui::LParam>(pane));
    panes.OnPaneNotify(closed, reinterpret_cast<ui::LParam>(pane));
    ASSERT_TRUE(uitest::PumpUntil([&] { return owner.seen.size() == 2; }));
    EXPECT_EQ(owner.seen[0].message, CWavePaneManager::kMsgPaneClosed);
    EXPECT_EQ(owner.seen[0].wParam, 1001u);
    EXPECT_EQ(owner.seen[0].lParam, 5972);
    EXPECT_EQ(owner.seen[1].lParam, 0) << "the kind is forgotten after the first notice";

    EXPECT_TRUE(panes.RemovePane(1001));
    EXPECT_FALSE(panes.RemovePane(1001));
    EXPECT_FALSE(panes.HasNonHistogramPane()) << "only a histogram is left";
    EXPECT_EQ(panes.CreatePane(5976, 2), 1002) << "ids are never reused";
    EXPECT_EQ(panes.GetPaneCount(), 2);
    panes.RemoveAllPanes();
    EXPECT_EQ(panes.GetFirstPaneId(), -1);
    owner.DestroyWindow();
}

TEST_F(WavePanesTest, TheStatisticAreaLimitsItsViewsByKindAndInAll)
{
    Owner owner;
    ASSERT_TRUE(owner.CreateChild(&m_frame.GetClientArea(), 0, ui::kStyleChild, wxRect(0, 0, 10, 10)));
    CWaveStatisticMainFrame area;
    area.SetOwnerWindow(&owner);
    ASSERT_TRUE(area.CreateChild(&m_frame.GetClientArea(), 0, ui::kStyleChild | ui::kStyleVisible,
                                 wxRect(0, 0, 800, 600)));
    area.OnViewCreated();
    const auto add = [&](int kind) { return ui::SendMessage(&area, CWaveStatisticMainFrame::kMsgAddView, kind, 2); };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(add(5976), 1) << i;
    }
    // Three views of 300 pixels in an area of 600: the column scrolls, 25 a wheel step.
    EXPECT_EQ(area.GetColumnHeight(), 900);
    const auto wheel = [&](int turn) {
        ui::SendMessage(&area, ui::kMsgMouseWheel, static_cast<ui::WParam>((turn & 0xFFFF) << 16), 0);
    };
    wheel(-120);
    EXPECT_EQ(area.GetScrollPosition(), 25);
    wheel(120);
    wheel(120);
    EXPECT_EQ(area.GetScrollPosition(), 0) << "not above the top";
    area.ScrollTo(5000);
    EXPECT_EQ(area.GetScrollPosition(), 300) << "not below the last view";
    // Turned over a view or its pane, not over the column between them, the wheel
    // still scrolls the column.
    area.ScrollTo(0);
    CWavePaneView* view = area.Panes().GetView(area.Panes().GetFirstPaneId());
    ASSERT_TRUE(view != nullptr && view->GetWx() != nullptr);
    for (wxWindow* over : {view->GetWx(), view->GetWx()->GetParent()}) {
        const int before = area.GetScrollPosition();
        wxMouseEvent event(wxEVT_MOUSEWHEEL);
        event.SetEventObject(over);
        event.SetPosition({30, 30});
        event.m_wheelRotation = -120;
        event.m_wheelDelta = 120;
        over->ProcessWindowEvent(event);
        EXPECT_EQ(area.GetScrollPosition(), before + 25) << over->GetClassInfo()->GetClassName();
    }

    EXPECT_EQ(add(5976), 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], WaveFillField(WaveText(10232), WaveText(10235))) << "names the frequency views";

    // Closing one makes room for another.
    const int first = area.Panes().GetFirstPaneId();
    ui::SendMessage(&area, ui::kMsgDockingPaneNotify, static_cast<ui::WParam>(ui::kDockNotifyPaneClosed),
                    reinterpret_cast<ui::LParam>(area.Panes().Docking().FindPane(static_cast<unsigned>(first))));
    ASSERT_TRUE(uitest::PumpUntil([&] { return area.Panes().GetPaneCount() == 2; }));
    EXPECT_EQ(add(5976), 1);

    // Views reach 42 in all before any kind is full; the 43rd is refused as such.
    for (int kind : {5972, 5974, 5975, 5977, 5978, 5979}) {
        for (int i = 0; i < 7 && area.Limits().ViewCount() < 42; ++i) {
            EXPECT_EQ(add(kind), 1) << kind;
        }
    }
    ASSERT_EQ(area.Limits().ViewCount(), 42);
    m_boxes.clear();
    EXPECT_EQ(add(5972), 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], WaveText(10230));

    // A relayed request goes to the owner; clearing empties the area and its limits.
    EXPECT_EQ(ui::SendMessage(&area, CWaveStatisticMainFrame::kMsgOwnerRequest, 1, 2), 7);
    WavePaneCommand clear{CWaveStatisticMainFrame::kCommandClear, 0, 0, 4};
    ui::SendMessage(&area, CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&clear), 0);
    EXPECT_EQ(area.Panes().GetPaneCount(), 0);
    EXPECT_EQ(area.Limits().ViewCount(), 0);
    EXPECT_EQ(area.GetScrollPosition(), 0);
    EXPECT_EQ(area.GetColumnHeight(), area.GetClientSize().y);
    EXPECT_EQ(ui::SendMessage(&area, CWaveStatisticMainFrame::kMsgHasViews, 0, 0), 0);
    area.DestroyWindow();
    owner.DestroyWindow();
}

TEST_F(WavePanesTest, TheViewerCallbackHintsAndForwards)
{
    Owner owner;
    ASSERT_TRUE(owner.CreateChild(&m_frame.GetClientArea(), 0, ui::kStyleChild | ui::kStyleVisible,
                                  wxRect(0, 0, 400, 300)));
    CTracelumeCallBack callback;
    callback.SetOwner(&owner);
    EXPECT_EQ(callback.HintText(), WaveFillField(WaveText(10093), L"10")) << "20 half cycles are 10 cycles";

    tracelume::NotifyPoint point{200, 200};
    const auto at = reinterpret_cast<std::intptr_t>(&point);
    EXPECT_EQ(callback.Notify(tracelume::kNotifyRegionGesture, 1, at), 0);
    EXPECT_FALSE(callback.IsHintShown()) << "a wide enough region needs no hint";
    callback.Notify(tracelume::kNotifyRegionGesture, 0, at);
    EXPECT_TRUE(callback.IsHintShown());
    callback.Notify(tracelume::kNotifyRegionGesture, 0, at);
    EXPECT_FALSE(callback.IsHintShown()) << "a second gesture closes the hint";

    callback.SetMinimumSelection(41);
    EXPECT_EQ(callback.HintText(), WaveFillField(WaveText(10093), L"21"));

    EXPECT_EQ(callback.Notify(tracelume::kNotifyRegion, 5, (std::intptr_t{1} << 33)), 7);
    ASSERT_FALSE(owner.seen.empty());
    EXPECT_EQ(owner.seen.back().message, CTracelumeCallBack::kMsgRangeSelected);
    EXPECT_EQ(owner.seen.back().lParam, std::intptr_t{1} << 33) << "positions beyond 2^31 travel whole";
    EXPECT_EQ(callback.Notify(tracelume::kNotifyRegionState, 1, 0), 7);
    EXPECT_EQ(owner.seen.back().message, CTracelumeCallBack::kMsgRegionMode);
    EXPECT_EQ(callback.Notify(999, 1, 2), 0);
    owner.DestroyWindow();
}

// The window's dialog templates, and those of its statistic views, hold every
// control the code reaches by id.
TEST_F(WavePanesTest, TheTemplatesHoldTheirControls)
{
    struct Case {
        unsigned templateId;
        std::vector<unsigned> ids;
    };
    const Case cases[] = {
        {136, {9504, 9502, 9503, 9509}},
        {155, {6929, 6930, 32941, 6936, 9543, 32944, 32940, 32942, 32943, 32945, 32946, 32947, 6931, 6907, 6908}},
        {221, {32923, 32924, 32925, 32926, 32927, 32928, 32930, 32931, 6869, 6870, 32939, 6907, 6908}},
        {138, {8005, 6570, 6571, 6578, 6574, 6577, 6579, 6582, 8007, 8031, 6910, 8032, 8034, 6927, 6928, 6840}},
        {140, {}},
        {157, {6701, 9525, 9528, 6691, 6693, 9529, 9531, 6502, 6504, 6694, 6699, 32887, 32892, 6700, 6840}},
    };
    for (const Case& c : cases) {
        ui::Dialog dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(c.templateId));
        ASSERT_TRUE(dialog.Create(&m_frame.GetClientArea())) << c.templateId;
        for (unsigned id : c.ids) {
            EXPECT_NE(dialog.GetDlgItem(id), nullptr) << "template " << c.templateId << " control " << id;
        }
        dialog.DestroyWindow();
    }
}

}  // namespace
