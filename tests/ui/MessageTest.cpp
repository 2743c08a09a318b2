// Messages between threads: posts keep their order, a worker's send waits for the
// user-interface thread's answer, messages to windows that went are dropped, and
// timers and command routing reach the right handler.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/timer.h>

#include "EventPump.h"
#include "platform/ui/Application.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace {

constexpr unsigned kMsgRecord = ui::kMsgUser + 1;
constexpr unsigned kMsgAnswer = ui::kMsgUser + 2;

TEST(Messages, PostsFromSeveralWorkersArriveInEachWorkersOrder) {
    ui::Window target;
    std::vector<std::pair<int, int>> received;  // (worker, sequence)
    bool allOnUiThread = true;
    target.OnMessage(kMsgRecord, [&](ui::WParam worker, ui::LParam sequence) {
        allOnUiThread = allOnUiThread && ui::IsUiThread();
        received.emplace_back(static_cast<int>(worker), static_cast<int>(sequence));
        return 0;
    });
    constexpr int kWorkers = 3;
    constexpr int kPerWorker = 200;
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&target, w] {
            for (int i = 0; i < kPerWorker; ++i) {
                ASSERT_TRUE(ui::PostMessage(&target, kMsgRecord, static_cast<ui::WParam>(w), i));
            }
        });
    }
    for (auto& worker : workers) {
        worker.join();
    }
    ASSERT_TRUE(uitest::PumpUntil([&] { return received.size() == kWorkers * kPerWorker; }));
    EXPECT_TRUE(allOnUiThread);
    std::vector<int> next(kWorkers, 0);
    for (const auto& [worker, sequence] : received) {
        EXPECT_EQ(sequence, next[worker]) << "worker " << worker;
        next[worker] = sequence + 1;
    }
}

TEST(Messages, WorkerSendWaitsForTheAnswerOfTheUiThread) {
    ui::Window target;
    target.OnMessage(kMsgAnswer, [](ui::WParam w, ui::LParam l) -> ui::LResult {
        return ui::IsUiThread() ? static_cast<ui::LResult>(w) * 10 + l : -1;
    });
    std::atomic<ui::LResult> answer{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = ui::SendMessage(&target, kMsgAnswer, 4, 2);
        done = true;
    });
    ASSERT_TRUE(uitest::PumpUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(answer.load(), 42);

    // On the user-interface thread itself the handler runs at once.
    EXPECT_EQ(ui::SendMessage(&target, kMsgAnswer, 1, 3), 13);
}

TEST(Messages, MessagesForAWindowThatWentAreDropped) {
    auto target = std::make_unique<ui::Window>();
    int handled = 0;
    target->OnMessage(kMsgRecord, [&](ui::WParam, ui::LParam) { return ++handled; });
    ui::Window* gone = target.get();
    ASSERT_TRUE(ui::PostMessage(gone, kMsgRecord));
    target.reset();
    ui::Window marker;  // a later post that proves the queue was drained
    bool markerSeen = false;
    marker.OnMessage(kMsgRecord, [&](ui::WParam, ui::LParam) { markerSeen = true; return 0; });
    ASSERT_TRUE(ui::PostMessage(&marker, kMsgRecord));
    ASSERT_TRUE(uitest::PumpUntil([&] { return markerSeen; }));
    EXPECT_EQ(handled, 0);
    EXPECT_FALSE(ui::PostMessage(gone, kMsgRecord));
    EXPECT_EQ(ui::SendMessage(gone, kMsgRecord), 0);
}

TEST(Messages, APostedCopyKeepsTheValueOfItsPostAndGoesWithItsMessage) {
    ui::Window target;
    std::vector<int> received;
    target.OnMessage(kMsgRecord, [&](ui::WParam value, ui::LParam) {
        received.push_back(*reinterpret_cast<const int*>(value));
        return 0;
    });
    int record = 1;
    ASSERT_TRUE(ui::PostMessageWithCopy(&target, kMsgRecord, record));
    record = 2;
    ASSERT_TRUE(ui::PostMessageWithCopy(&target, kMsgRecord, record));
    ASSERT_TRUE(uitest::PumpUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<int>{1, 2}));

    // A copy whose window went is freed with the dropped message.
    auto gone = std::make_unique<ui::Window>();
    auto data = std::make_shared<const int>(3);
    const std::weak_ptr<const int> watch = data;
    ASSERT_TRUE(ui::PostMessageKeeping(gone.get(), kMsgRecord, std::move(data)));
    gone.reset();
    ASSERT_TRUE(uitest::PumpUntil([&] { return watch.expired(); }));
}

TEST(Messages, TimerDeliversItsIdUntilKilled) {
    ui::Frame frame;
    ASSERT_TRUE(frame.Create(L"timer"));
    std::vector<ui::WParam> ticks;
    frame.OnMessage(ui::kMsgTimer, [&](ui::WParam id, ui::LParam) {
        ticks.push_back(id);
        if (ticks.size() == 3) {
            frame.KillTimer(7);
        }
        return 0;
    });
    EXPECT_FALSE(frame.KillTimer(7));
    ASSERT_TRUE(frame.SetTimer(7, 1));
    ASSERT_TRUE(uitest::PumpUntil([&] { return ticks.size() >= 3; }));
    // Let any stray tick through before looking: after the kill there is none.
    bool marker = false;
    ui::PostToUiThread([&] { marker = true; });
    ASSERT_TRUE(uitest::PumpUntil([&] { return marker; }));
    EXPECT_EQ(ticks, (std::vector<ui::WParam>{7, 7, 7}));
    frame.DestroyWindow();
}

class RoutingTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_frame.Create(L"routing")); }
    void TearDown() override { m_frame.DestroyWindow(); }

    ui::Frame m_frame;
    ui::Window m_view;
};

TEST_F(RoutingTest, ActiveViewGetsCommandsFirstThenTheFrame) {
    std::vector<std::string> calls;
    m_view.OnCommand(100, [&] { calls.push_back("view 100"); });
    m_frame.OnCommand(100, [&] { calls.push_back("frame 100"); });
    m_frame.OnCommand(200, [&] { calls.push_back("frame 200"); });
    m_frame.SetActiveView(&m_view);

    ui::SendMessage(&m_frame, ui::kMsgCommand, ui::MakeWParam(100, ui::kNotifyClicked), 0);
    ui::SendMessage(&m_frame, ui::kMsgCommand, ui::MakeWParam(200, ui::kNotifyClicked), 0);
    EXPECT_FALSE(m_frame.OnCmdMsg(300, nullptr));
    m_frame.SetActiveView(nullptr);
    ui::SendMessage(&m_frame, ui::kMsgCommand, ui::MakeWParam(100, ui::kNotifyClicked), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"view 100", "frame 200", "frame 100"}));
}

TEST_F(RoutingTest, UpdateHandlersEnableAndCheckMenuItems) {
    bool loaded = false;
    m_frame.OnUpdateCommand(22813, [&](ui::CommandUI& item) {
        item.Enable(loaded);
        item.SetCheck(loaded ? 1 : 0);
    });
    m_view.OnUpdateCommand(22814, [](ui::CommandUI& item) { item.Enable(false); });
    m_frame.SetActiveView(&m_view);

    MenuTemplate menu{{kMenuFlagPopup | kMenuFlagEnd, 0, L"视图"},
                      {0, 22813, L"事件数据"},
                      {kMenuFlagEnd, 22814, L"记录数据"}};
    ASSERT_TRUE(m_frame.SetMenu(menu));
    wxMenuBar* bar = m_frame.GetFrame()->GetMenuBar();
    ASSERT_NE(bar, nullptr);

    struct Case {
        bool loaded;
        bool enabled13;
        bool checked13;
    };
    for (const Case& row : {Case{false, false, false}, Case{true, true, true}}) {
        loaded = row.loaded;
        m_frame.GetFrame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        bar->UpdateMenus();
        EXPECT_EQ(bar->IsEnabled(ui::MenuIdForCommand(22813)), row.enabled13) << "loaded " << row.loaded;
        EXPECT_EQ(bar->IsChecked(ui::MenuIdForCommand(22813)), row.checked13) << "loaded " << row.loaded;
        EXPECT_FALSE(bar->IsEnabled(ui::MenuIdForCommand(22814))) << "loaded " << row.loaded;
    }
    const ui::CommandUI unknown = m_frame.QueryCommand(999);
    EXPECT_FALSE(unknown.IsHandled());
}

TEST(Messages, StoppingDeliveryReleasesAWaitingSenderAndDropsWhatWasQueued) {
    ui::Window target;
    int handled = 0;
    target.OnMessage(kMsgRecord, [&](ui::WParam, ui::LParam) { return ++handled; });
    std::atomic<bool> queued{false};
    std::atomic<ui::LResult> answer{-1};
    ASSERT_TRUE(ui::PostMessage(&target, kMsgRecord));
    std::thread worker([&] {
        queued = true;
        answer = ui::SendMessage(&target, kMsgRecord);  // nobody pumps: it waits
    });
    while (!queued) {
        std::this_thread::yield();
    }
    ui::StopMessageDelivery();  // the loop ends
    worker.join();
    EXPECT_EQ(answer.load(), 0);
    EXPECT_FALSE(ui::PostMessage(&target, kMsgRecord));
    ui::StartMessageDelivery();
    bool marker = false;
    ui::PostToUiThread([&] { marker = true; });
    ASSERT_TRUE(uitest::PumpUntil([&] { return marker; }));
    EXPECT_EQ(handled, 0) << "what was queued before the stop never runs";
}

TEST(ChildWindow, ReportsItsSizeAndPaintsOnItsOwnSurface) {
    ui::Frame frame;
    ASSERT_TRUE(frame.Create(L"child"));
    ui::Window child;
    ui::Window sibling;  // a frame with a single child would stretch it over its client area
    ASSERT_TRUE(child.CreateChild(&frame, 59648, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 50, 40)));
    ASSERT_TRUE(sibling.CreateChild(&frame, 59649, ui::kStyleChild, wxRect(0, 0, 110, 110)));
    EXPECT_FALSE(sibling.IsWindowVisible());
    EXPECT_EQ(child.GetDlgCtrlID(), 59648u);
    std::vector<std::pair<int, int>> sizes;
    child.OnMessage(ui::kMsgSize, [&](ui::WParam, ui::LParam size) {
        sizes.emplace_back(static_cast<int>(size & 0xFFFF), static_cast<int>((size >> 16) & 0xFFFF));
        return 0;
    });
    bool painted = false;
    int paintedWidth = 0;
    child.SetPaintHandler([&](cairo_t* context, int width, int) {
        painted = context != nullptr;
        paintedWidth = width;
    });
    child.MoveWindow(wxRect(10, 10, 120, 80));
    EXPECT_EQ(sizes.back(), (std::pair<int, int>{120, 80}));
    frame.ShowWindow(ui::kShow);
    child.Invalidate();
    ASSERT_TRUE(uitest::PumpUntil([&] { return painted; }));
    EXPECT_EQ(paintedWidth, 120);
    frame.DestroyWindow();
    EXPECT_TRUE(uitest::PumpUntil([&] { return !child.IsWindow() && !sibling.IsWindow(); }))
        << "the children go with their parent";
}

TEST(FrameWindow, CloseCarriesItsReasonAndTheHandlerDecides) {
    ui::Frame frame;
    ASSERT_TRUE(frame.Create(L"主窗口"));
    EXPECT_EQ(frame.GetWindowText(), L"主窗口");
    frame.SetMinTrackSize(950, 740);
    EXPECT_EQ(frame.GetFrame()->GetMinSize(), wxSize(950, 740));
    frame.ShowWindow(ui::kShowMaximized);
    EXPECT_EQ(frame.GetLastShowCommand(), ui::kShowMaximized);

    std::vector<ui::WParam> reasons;
    frame.OnMessage(ui::kMsgClose, [&](ui::WParam reason, ui::LParam) {
        reasons.push_back(reason);
        if (reason == 9123) {
            frame.DestroyWindow();
        }
        return 0;
    });
    frame.GetFrame()->Close();  // the title bar button: reason 0, kept open
    EXPECT_TRUE(frame.IsWindow());
    std::thread worker([&] { ui::PostMessage(&frame, ui::kMsgClose, 9123, 0); });
    worker.join();
    ASSERT_TRUE(uitest::PumpUntil([&] { return !frame.IsWindow(); }));
    EXPECT_EQ(reasons, (std::vector<ui::WParam>{0, 9123}));
}

TEST(Application, MessageLoopEndsWhenTheMainWindowGoesWhateverElseIsOpen) {
    auto* app = static_cast<ui::Application*>(wxTheApp);
    ui::Frame frame;
    ASSERT_TRUE(frame.Create(L"主窗口"));
    frame.ShowWindow(ui::kShow);
    app->SetMainWindow(&frame);
    // A modeless window that was only hidden, not destroyed, is still a top-level window.
    auto* hidden = new wxDialog(nullptr, wxID_ANY, "hidden");

    // Only a guard against hanging the whole run: the loop should end at once.
    bool guardFired = false;
    wxTimer guard;
    guard.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        guardFired = true;
        app->ExitMainLoop();
    });
    guard.StartOnce(15000);
    ui::PostToUiThread([&] { frame.WindowProc(ui::kMsgClose, 0, 0); });
    app->MainLoop();
    guard.Stop();

    app->SetMainWindow(nullptr);
    hidden->Destroy();
    EXPECT_FALSE(frame.IsWindow());
    EXPECT_FALSE(guardFired) << "the message loop went on after the main window was destroyed";
}

}  // namespace
