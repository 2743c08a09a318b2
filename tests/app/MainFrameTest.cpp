// The main frame: its two clients, the title, the hold on the data folder, and
// models that tell their views on the user-interface thread.
#include <atomic>
#include <filesystem>
#include <thread>

#include <wx/window.h>

#include "AppTestSupport.h"
#include "app/ChildView.h"
#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "app/WaveMainView.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/MessageQueue.h"
#include "terminal/ObserverViewBase.h"
#include "tests/support/TempDir.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

using MainFrameTest = AppTest;

TEST_F(MainFrameTest, TheClientsShareTheAreaAndTheShownOneGetsTheCommands) {
    CMainFrame& frame = Frame();
    CChildView& statistic = *frame.GetStatisticClient();
    CWaveMainView& wave = *frame.GetWaveClient();
    EXPECT_EQ(statistic.GetDlgCtrlID(), 59648u);
    EXPECT_EQ(wave.GetDlgCtrlID(), 59649u);
    EXPECT_TRUE(statistic.IsWindowVisible());
    EXPECT_FALSE(wave.IsWindowVisible());

    int waveCommands = 0;
    wave.OnCommand(40999, [&] { ++waveCommands; });
    EXPECT_FALSE(frame.OnCmdMsg(40999, nullptr)) << "the hidden client is not asked";

    frame.ShowWaveClient(true);
    Drain();
    EXPECT_EQ(frame.IsWaveShown(), 1);
    EXPECT_FALSE(statistic.IsWindowVisible());
    EXPECT_TRUE(wave.IsWindowVisible());
    EXPECT_EQ(wave.GetWindowRect(), statistic.GetWindowRect());
    EXPECT_FALSE(wave.GetWindowRect().IsEmpty());
    EXPECT_TRUE(frame.OnCmdMsg(40999, nullptr));
    EXPECT_EQ(waveCommands, 1);

    frame.ShowWaveClient(false);
    EXPECT_TRUE(statistic.IsWindowVisible());
    EXPECT_FALSE(frame.OnCmdMsg(40999, nullptr));
}

TEST_F(MainFrameTest, TheTitleNamesThePathOfTheShownData) {
    struct Case {
        const char* name;
        std::wstring statistic;
        std::wstring wave;
        bool waveShown;
        std::wstring title;
    };
    const std::wstring product = L"Ondrava电能质量分析软件";
    const Case cases[] = {
        {"nothing open", L"", L"", false, product},
        {"statistic data", L"/数据/Board1", L"", false, product + L" - [/数据/Board1]"},
        {"statistic client, record kept", L"/数据", L"/录波", false, product + L" - [/数据]"},
        {"waveform record", L"/数据", L"/录波", true, product + L" - [/录波]"},
        {"waveform client, no record", L"/数据", L"", true, product},
    };
    for (const Case& row : cases) {
        Frame().SetStatisticPath(row.statistic);
        Frame().SetWavePath(row.wave);
        Frame().ShowWaveClient(row.waveShown);
        Frame().UpdateTitle();
        EXPECT_EQ(Frame().GetWindowText(), row.title) << row.name;
    }
}

TEST_F(MainFrameTest, TheDataFolderIsHeldUntilTheCloseIsConfirmed) {
    testsupport::TempDir dir;
    fs::create_directories(dir / "数据");
    const std::wstring folder = platform::FromPath(dir / "数据");

    EXPECT_FALSE(Frame().LockDataFolder(platform::FromPath(dir / "missing")));
    EXPECT_FALSE(Frame().IsFolderLocked());
    ASSERT_TRUE(Frame().LockDataFolder(folder));
    EXPECT_TRUE(Frame().IsLockedFolderPresent());

    Boxes().answer = ui::kIdCancel;
    ui::SendMessage(&Frame(), ui::kMsgClose, 0, 0);
    ASSERT_TRUE(Frame().IsWindow());
    EXPECT_TRUE(Frame().IsFolderLocked()) << "a cancelled close keeps the folder";

    // The folder went while it was held: the next load must not trust it.
    fs::rename(dir / "数据", dir / "moved");
    EXPECT_TRUE(Frame().IsFolderLocked());
    EXPECT_FALSE(Frame().IsLockedFolderPresent());

    Boxes().answer = ui::kIdOk;
    ui::SendMessage(&Frame(), ui::kMsgClose, 0, 0);
    EXPECT_FALSE(Frame().IsWindow());
    EXPECT_FALSE(Frame().IsFolderLocked());
}

TEST(ConvertProgress, GoesToTheBusyIndicator) {
    // The indicator the worker reports to: one that records, in place of a window.
    platform::RecordingHourglaze indicator;
    platform::SetHourglaze(&indicator);
    ReportConvertProgress(42.5);
    EXPECT_EQ(indicator.GetPos(), 42.5);
    ReportConvertProgress(100.0);
    EXPECT_EQ(indicator.GetPos(), 100.0);
    platform::SetHourglaze(App().GetBusyIndicator());
}

// An observer that notes where and how often it is told.
class Recorder : public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) override {
        offUiThread = offUiThread || !ui::IsUiThread();
        ++updates;
        return 0;
    }
    std::atomic<int> updates{0};
    std::atomic<bool> offUiThread{false};
};

TEST_F(MainFrameTest, ModelsTellTheirViewsOnTheUiThreadWhileTheWorkerWaits) {
    CMainFrame& frame = Frame();
    ISubject* models[] = {&frame.GetComtradeModel(), &frame.GetSOEModel(), &frame.GetStatisticModel(),
                          &frame.GetSecondStatisticModel()};
    for (ISubject* model : models) {
        Recorder recorder;
        model->Attach(&recorder, 0x200);
        std::atomic<bool> returned{false};
        std::atomic<int> seenWhenReturned{-1};
        std::thread worker([&] {
            model->Notify(0x200, 0, 0);
            seenWhenReturned = recorder.updates.load();
            returned = true;
        });
        ASSERT_TRUE(PumpUntil([&] { return returned.load(); }));
        worker.join();
        EXPECT_EQ(seenWhenReturned.load(), 1) << "the worker's notify returns once the view has it";
        EXPECT_FALSE(recorder.offUiThread.load());
        model->Detach(&recorder);
    }
}

}  // namespace
}  // namespace apptest
