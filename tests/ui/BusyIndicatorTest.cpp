// The busy indicator holds the user-interface thread until the worker ends, serves
// the worker's sends meanwhile, and never hangs when the worker ended first.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>

#include "platform/base/Hourglaze.h"
#include "platform/ui/Application.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace {

constexpr unsigned kMsgLoaded = ui::kMsgUser + 0x12D;

ui::BusyIndicator& Busy() { return *static_cast<ui::Application*>(wxTheApp)->GetBusyIndicator(); }

TEST(BusyIndicator, WorkerSendIsServedWhileTheUiWaits) {
    ui::Window frame;
    struct Seen {
        bool onUiThread = false;
        bool showing = false;
        std::wstring text;
        int percent = -1;
    } seen;
    frame.OnMessage(kMsgLoaded, [&](ui::WParam, ui::LParam) -> ui::LResult {
        seen.onUiThread = ui::IsUiThread();
        seen.showing = Busy().IsShowing();
        seen.text = Busy().ShownText();
        seen.percent = Busy().ShownPercent();
        return 1;
    });
    std::atomic<ui::LResult> answer{0};
    std::atomic<double> positionAfterSteps{0.0};
    std::thread worker([&] {
        NotifyHourglaze(L"正在载入数据");
        UpdateHourglaze(30.0);
        IncreaseHourglaze(10.0);
        positionAfterSteps = GetPosHourglaze();
        answer = ui::SendMessage(&frame, kMsgLoaded, 0, 0);
        UpdateHourglaze(100.0);
        EndHourglaze();
    });
    StartHourglaze(nullptr);
    worker.join();

    EXPECT_EQ(answer.load(), 1);
    EXPECT_TRUE(seen.onUiThread);
    EXPECT_TRUE(seen.showing);
    EXPECT_EQ(seen.text, L"正在载入数据");
    EXPECT_EQ(seen.percent, 40);
    EXPECT_DOUBLE_EQ(positionAfterSteps.load(), 40.0);
    EXPECT_FALSE(Busy().IsShowing());
}

// While it shows, the other windows take no input but stay open to the window
// manager's close request; the indicator itself offers no close.
TEST(BusyIndicator, TheOwnerTakesACloseWhileItsContentWaits) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "owner");
    auto* button = new wxButton(frame, wxID_ANY, "button");
    frame->Show();
    bool closeSeen = false;
    frame->Bind(wxEVT_CLOSE_WINDOW, [&](wxCloseEvent& event) {
        closeSeen = true;
        event.Veto();
    });
    struct Seen {
        bool frameEnabled = false;
        bool buttonEnabled = true;
        bool indicatorClosable = true;
    } seen;
    std::thread worker([&] {
        ui::CallOnUiThread([&] {
            seen.frameEnabled = frame->IsEnabled();
            seen.buttonEnabled = button->IsEnabled();
            for (wxWindow* top : wxTopLevelWindows) {
                if (top != frame && top->IsShown()) {
                    seen.indicatorClosable = (top->GetWindowStyle() & wxCLOSE_BOX) != 0;
                }
            }
            frame->Close();
            return ui::LResult{0};
        });
        EndHourglaze();
    });
    StartHourglaze(frame);
    worker.join();
    EXPECT_TRUE(seen.frameEnabled);
    EXPECT_FALSE(seen.buttonEnabled);
    EXPECT_FALSE(seen.indicatorClosable);
    EXPECT_TRUE(closeSeen);
    EXPECT_TRUE(button->IsEnabled()) << "input comes back with the end";
    frame->Destroy();
}

TEST(BusyIndicator, WorkerThatEndedBeforeTheStartDoesNotHangIt) {
    std::thread worker([] {
        UpdateHourglaze(100.0);
        EndHourglaze();
    });
    worker.join();
    StartHourglaze(nullptr);  // returns at once
    EXPECT_FALSE(Busy().IsShowing());
    EXPECT_DOUBLE_EQ(GetPosHourglaze(), 0.0) << "the next run starts from zero";
}

TEST(BusyIndicator, StartAndEndRacingNeverHang) {
    // Whichever comes first, every Start returns once its worker has ended.
    for (int round = 0; round < 50; ++round) {
        std::atomic<bool> ended{false};
        std::thread worker([&] {
            EndHourglaze();
            ended = true;
        });
        StartHourglaze(nullptr);
        worker.join();
        EXPECT_TRUE(ended.load()) << "round " << round;
    }
}

TEST(BusyIndicator, PositionStaysBetweenZeroAndHundred) {
    ui::BusyIndicator busy;  // not shown: only the position is kept
    struct Case {
        const char* name;
        double update;
        double step;
        double expected;
    };
    for (const Case& row : {Case{"inside", 20.0, 5.0, 25.0}, Case{"above", 90.0, 30.0, 100.0},
                            Case{"below", 10.0, -30.0, 0.0}, Case{"too large", 250.0, 0.0, 100.0}}) {
        busy.Update(row.update);
        busy.Increase(row.step);
        EXPECT_DOUBLE_EQ(busy.GetPos(), row.expected) << row.name;
    }
}

}  // namespace

// A job started from a handler while another indicator runs: Start returns at once,
// and the starter waits for its worker with the worker's sends served, not in a bare
// join that the worker's send would wait on for ever.
TEST(BusyIndicator, ANestedJobsSendsAreServedWhileItIsWaitedFor) {
    ui::Window frame;
    frame.OnMessage(kMsgLoaded, [](ui::WParam, ui::LParam) -> ui::LResult { return 7; });
    std::atomic<ui::LResult> innerAnswer{0};
    std::atomic<bool> innerDone{false};
    std::thread outer([&] {
        // The outer job asks the user-interface thread to run an inner job.
        ui::CallOnUiThread([&]() -> ui::LResult {
            std::atomic<bool> finished{false};
            std::thread inner([&] {
                innerAnswer = ui::SendMessage(&frame, kMsgLoaded, 0, 0);
                finished = true;
            });
            StartHourglaze(nullptr);  // returns at once: the outer indicator runs
            ui::WaitServing([&finished] { return finished.load(); });
            inner.join();
            innerDone = true;
            return 0;
        });
        EndHourglaze();
    });
    StartHourglaze(nullptr);
    outer.join();
    EXPECT_TRUE(innerDone.load());
    EXPECT_EQ(innerAnswer.load(), 7);
    EXPECT_FALSE(Busy().IsShowing());
}
