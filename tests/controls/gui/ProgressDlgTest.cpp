// The progress dialog runs its task on a worker that reaches the dialog only
// through the window layer, steps its bar by the task's ticks, lets the user ask
// the task to stop, and closes itself when the task returns.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include <wx/gauge.h>

#include "controls/ProgressDlg.h"
#include "platform/ui/MessageQueue.h"

namespace {

// What a task sees: its dialog, its stop flag and the test's body to run.
struct Job {
    CProgressDlg* dialog = nullptr;
    std::atomic<std::int32_t> stop{0};
    std::function<void(Job&)> body;
    bool ranOnWorker = false;
};

std::uint32_t RunJob(void* argument) {
    auto* job = static_cast<Job*>(argument);
    job->ranOnWorker = !ui::IsUiThread();
    if (job->body) {
        job->body(*job);
    }
    return 0;
}

// Runs the function on the user-interface thread while the dialog is up, as a
// worker must, and hands back its result.
template <class Function>
auto OnUi(Function function) {
    decltype(function()) result{};
    ui::CallOnUiThread([&]() -> ui::LResult {
        result = function();
        return 0;
    });
    return result;
}

void Tick(Job& job, int count) {
    for (int i = 0; i < count; ++i) {
        ui::SendMessage(job.dialog, kMsgProgressStep);
    }
}

void PressCancel(Job& job) {
    OnUi([&] {
        return job.dialog->WindowProc(ui::kMsgCommand, ui::MakeWParam(ui::kIdCancel, ui::kNotifyClicked), 0);
    });
}

struct BarState {
    int range = -1;
    int value = -1;
};

BarState Bar(Job& job) {
    return OnUi([&] {
        auto* gauge = job.dialog->GetItem<wxGauge>(CProgressDlg::kProgressBarId);
        return gauge != nullptr ? BarState{gauge->GetRange(), gauge->GetValue()} : BarState{};
    });
}

TEST(ProgressDlg, RunsItsTaskOnAWorkerAndClosesItselfWhenItReturns) {
    CProgressDlg dialog;
    Job job;
    job.dialog = &dialog;
    std::wstring caption, firstLine;
    bool animating = false;
    BarState bar;
    job.body = [&](Job& self) {
        animating = OnUi([&] { return self.dialog->IsAnimating(); });
        Tick(self, 10);
        self.dialog->SetMessage(1, L"REC_0001.cfg");
        self.dialog->SetMessage(2, L"not shown");
        caption = OnUi([&] { return self.dialog->GetWindowText(); });
        firstLine = OnUi([&] { return self.dialog->GetDlgItemText(CProgressDlg::kFirstLineId); });
        bar = Bar(self);
    };
    dialog.SetTask(RunJob, &job, &job.stop, 10);
    EXPECT_EQ(ui::kIdOk, dialog.DoModal());
    EXPECT_TRUE(job.ranOnWorker);
    EXPECT_TRUE(animating) << "the clip plays while the task runs";
    EXPECT_EQ(L"正在复制...", caption);
    EXPECT_EQ(L"REC_0001.cfg", firstLine);
    EXPECT_EQ(10, bar.range);
    EXPECT_EQ(10, bar.value) << "ten ticks of ten fill the bar";
    EXPECT_EQ(0, job.stop.load());
    EXPECT_FALSE(dialog.IsWindow());
}

TEST(ProgressDlg, LargeTotalsStepTheCappedBarEveryFewTicks) {
    CProgressDlg dialog;
    Job job;
    job.dialog = &dialog;
    BarState bar;
    job.body = [&](Job& self) {
        Tick(self, 9);
        bar = Bar(self);
    };
    dialog.SetTask(RunJob, &job, nullptr, 200000);
    EXPECT_EQ(ui::kIdOk, dialog.DoModal());
    EXPECT_EQ(65535, bar.range);
    EXPECT_EQ(3, bar.value);
}

TEST(ProgressDlg, CancelAsksTheTaskToStopAndTheDialogWaitsForIt) {
    CProgressDlg dialog;
    Job job;
    job.dialog = &dialog;
    std::wstring secondLine;
    bool stillOpen = false;
    job.body = [&](Job& self) {
        PressCancel(self);
        PressCancel(self);
        // The flag is up; the dialog stays until the task sees it and returns.
        secondLine = OnUi([&] { return self.dialog->GetDlgItemText(CProgressDlg::kSecondLineId); });
        stillOpen = OnUi([&] { return self.dialog->IsWindowVisible(); });
    };
    dialog.SetTask(RunJob, &job, &job.stop, 5);
    EXPECT_EQ(ui::kIdCancel, dialog.DoModal()) << "a cancelled task is no success";
    EXPECT_EQ(1, job.stop.load());
    EXPECT_EQ(L"取消中，请等待...", secondLine);
    EXPECT_TRUE(stillOpen);
}

TEST(ProgressDlg, ClosingStopsTheClipAndCancels) {
    CProgressDlg dialog;
    Job job;
    job.dialog = &dialog;
    bool animating = true;
    job.body = [&](Job& self) {
        OnUi([&] { return self.dialog->WindowProc(ui::kMsgClose, 0, 0); });
        animating = OnUi([&] { return self.dialog->IsAnimating(); });
    };
    dialog.SetTask(RunJob, &job, &job.stop, 1);
    EXPECT_EQ(ui::kIdCancel, dialog.DoModal());
    EXPECT_FALSE(animating);
    EXPECT_EQ(1, job.stop.load());
}

TEST(ProgressDlg, WithoutAStopFlagCancelIsRefusedAndWithoutATaskItJustCloses) {
    {
        CProgressDlg dialog;
        Job job;
        job.dialog = &dialog;
        std::wstring secondLine = L"unset";
        job.body = [&](Job& self) {
            PressCancel(self);
            secondLine = OnUi([&] { return self.dialog->GetDlgItemText(CProgressDlg::kSecondLineId); });
        };
        dialog.SetTask(RunJob, &job, nullptr, 1);
        EXPECT_EQ(ui::kIdOk, dialog.DoModal());
        EXPECT_EQ(L"", secondLine);
    }
    CProgressDlg empty;
    empty.SetTask(nullptr, nullptr, nullptr, 0);
    EXPECT_EQ(ui::kIdOk, empty.DoModal());
}

}  // namespace
