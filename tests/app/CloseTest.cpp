// Closing the main frame: the exit question, and the close reasons that skip it.
#include <functional>

#include <wx/frame.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "platform/ui/MessageQueue.h"

namespace apptest {
namespace {

using CloseTest = AppTest;

void CloseWithReason(CMainFrame& frame, int reason) { ui::SendMessage(&frame, ui::kMsgClose, reason, 0); }

TEST_F(CloseTest, AsksBeforeClosingUnlessTheReasonSaysNot) {
    struct Case {
        const char* name;
        std::function<void(CMainFrame&)> close;
        int answer;
        bool asked;
        bool closed;
    };
    const Case cases[] = {
        {"title bar, OK", [](CMainFrame& f) { f.GetFrame()->Close(); }, ui::kIdOk, true, true},
        {"title bar, Cancel", [](CMainFrame& f) { f.GetFrame()->Close(); }, ui::kIdCancel, true, false},
        {"reason 0, OK", [](CMainFrame& f) { CloseWithReason(f, 0); }, ui::kIdOk, true, true},
        {"reason 0, Cancel", [](CMainFrame& f) { CloseWithReason(f, 0); }, ui::kIdCancel, true, false},
        {"initial reason 9121, Cancel", [](CMainFrame& f) { CloseWithReason(f, kCloseReasonNone); }, ui::kIdCancel,
         true, false},
        {"exit command 22811, OK", [](CMainFrame& f) { f.OnCmdMsg(kCmdExit, nullptr); }, ui::kIdOk, true, true},
        {"application exit 57665, Cancel", [](CMainFrame& f) { f.OnCmdMsg(kCmdAppExit, nullptr); }, ui::kIdCancel,
         true, false},
        {"waveform analysis gave up (9122)",
         [](CMainFrame& f) { CloseWithReason(f, kCloseReasonWaveAnalysisFailed); }, ui::kIdCancel, false, true},
        {"language restart (9123)", [](CMainFrame& f) { CloseWithReason(f, kCloseReasonLanguageRestart); },
         ui::kIdCancel, false, true},
    };
    for (const Case& row : cases) {
        Restart();
        Boxes().Clear();
        Boxes().answer = row.answer;
        row.close(Frame());
        Drain();

        ASSERT_EQ(Boxes().shown.size(), row.asked ? 1u : 0u) << row.name;
        if (row.asked) {
            const ui::MessageBoxRequest& box = Boxes().shown[0];
            EXPECT_EQ(box.text, L"确定要退出Ondrava电能质量分析软件吗？") << row.name;
            EXPECT_EQ(box.caption, L"Ondrava") << row.name;
            EXPECT_EQ(box.flags, ui::kMbOkCancel | ui::kMbIconInformation) << row.name;
        }
        EXPECT_EQ(!Frame().IsWindow(), row.closed) << row.name;
    }
}

TEST_F(CloseTest, ACancelledCloseLeavesAWorkingFrameThatAsksAgain) {
    Boxes().answer = ui::kIdCancel;
    CloseWithReason(Frame(), 0);
    ASSERT_TRUE(Frame().IsWindow());
    EXPECT_TRUE(Frame().IsWindowVisible());

    Boxes().answer = ui::kIdOk;
    CloseWithReason(Frame(), 0);
    EXPECT_EQ(Boxes().shown.size(), 2u);
    EXPECT_FALSE(Frame().IsWindow());
}

}  // namespace
}  // namespace apptest
