// Times the analysis of a generated raw waveform record of 70 s (8 channels at 25600
// samples per second) as the program does it, beside the record-analysis pool alone
// on the same record in the same run:
//   - the pool alone: Sampolyx's Analyse (the reference);
//   - the analysis manager's road without a window: open and analyse, then register
//     every item of the window (CWaveAnalysisStages::Open without a viewer host);
//   - the program: the main frame opens the record as the user's "open waveform
//     record" does, with the busy indicator and the window's views, until the
//     window has handled everything the open left queued, each run in a fresh
//     process (a user's first open).
// Warm page cache; min / median of 5 runs. Checks free disk first and removes what it
// writes. Needs a display (run it under xvfb-run).
//
//   xvfb-run -a app_waverecord_bench [DIR] [SECONDS]   (DIR: where to make the record; default the system temp folder)

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/init.h>

#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "lib/recordpool/Sampolyx.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/WaveAnalysisStages.h"
#include "waverecord/ui/WaveMainView.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

struct Spread {
    std::vector<double> ms;
    double Min() const { return *std::min_element(ms.begin(), ms.end()); }
    double Median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

double Time(const std::function<bool()>& work, bool& ok)
{
    const auto start = Clock::now();
    ok = work() && ok;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Handles what is queued for the windows, as the program's loop does when it is idle.
void Drain()
{
    for (int round = 0; round < 4; ++round) {
        while (wxTheApp->Pending()) {
            wxTheApp->Dispatch();
        }
        wxTheApp->ProcessIdle();
    }
}

// The program opening the record in a fresh process, as a user does: the main frame
// started, the record opened through its "open waveform record" road, and the window
// left to handle what the open queued. Milliseconds of the open alone; -1 on failure.
double ProgramOpenMs(int argc, char** argv, const std::wstring& path)
{
    int fds[2];
    if (pipe(fds) != 0) {
        return -1.0;
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(fds[0]);
        ui::SetMessageBoxResponder([](const ui::MessageBoxRequest& request) {
            std::fprintf(stderr, "message: %s\n", platform::WideToUtf8(request.text).c_str());
            return ui::kIdOk;
        });
        double ms = -1.0;
        wxApp::SetInstance(new COndravaApp);
        if (wxEntryStart(argc, argv) && wxTheApp->CallOnInit()) {
            CMainFrame& frame = *static_cast<COndravaApp&>(*wxTheApp).GetMainFrame();
            Drain();
            bool ok = true;
            ms = Time(
                [&] {
                    frame.OpenWaveRecord(path);
                    Drain();
                    return CWaveAnalysisManager::GetInstance()->HasRecord();
                },
                ok);
            ms = ok ? ms : -1.0;
            wxTheApp->OnExit();
        }
        const bool sent = write(fds[1], &ms, sizeof ms) == sizeof ms;
        _exit(sent ? 0 : 1);
    }
    close(fds[1]);
    double ms = -1.0;
    if (read(fds[0], &ms, sizeof ms) != sizeof ms) {
        ms = -1.0;
    }
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return ms;
}

void Print(const char* what, const Spread& spread, const Spread& reference, double seconds)
{
    std::printf("%-46s %9.1f / %9.1f ms  %7.2f / %7.2f x the pool  %7.0f x real time\n", what, spread.Min(),
                spread.Median(), spread.Min() / reference.Min(), spread.Median() / reference.Median(),
                seconds * 1000.0 / spread.Median());
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const double seconds = argc > 2 ? std::atof(argv[2]) : 70.0;
    const fs::path scratch = base / ("ondrava-waverecord-bench-" + std::to_string(getpid()));
    const fs::path record = scratch / "record";
    const gen::WaveRecordOptions options = gen::ThreePhaseWaveRecord(25600, seconds, 0.004);
    const std::uint64_t bytes = gen::kWaveHeaderSize + options.frames * (8ull * 5120 * 2 + 4);
    std::error_code error;
    const fs::space_info space = fs::space(base, error);
    if (error || space.available < bytes + bytes / 4 + (200u << 20)) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", base.c_str(), bytes / 1e6 * 1.25 + 200);
        return 1;
    }
    setenv(platform::kProgramFolderVariable, (scratch / "program").c_str(), 1);
    testsupport::PrepareProgramFolder();
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    gfx::LoadFontConfig(platform::ProgramFolder());
    std::printf("generating %.0f s of 8 channels at 25600 samples per second (%.0f MB) in %s\n", seconds, bytes / 1e6,
                record.c_str());
    if (!gen::WriteWaveRecord(record, options)) {
        std::fprintf(stderr, "cannot write the record\n");
        fs::remove_all(scratch, error);
        return 1;
    }
    const std::wstring path = platform::FromPath(record);

    Spread pool, manager, program;
    bool ok = true;
    ProgramOpenMs(argc, argv, path);  // once untimed: the page cache
    for (int run = 0; run < kRuns; ++run) {
        pool.ms.push_back(Time(
            [&] {
                ISampolyxDataPool* alone = Sampolyx_CreateDataPool();
                const bool analysed = alone && alone->Analyse(path);
                if (alone) {
                    alone->Release();
                }
                return analysed;
            },
            ok));
        manager.ms.push_back(Time(
            [&] {
                WaveProgressBlock progress;
                CWaveAnalysisManager* instance = CWaveAnalysisManager::GetInstance();
                return instance && CWaveAnalysisStages::Open(*instance, path, nullptr, progress) == WaveRunOutcome::Done;
            },
            ok));
        const double ms = ProgramOpenMs(argc, argv, path);
        ok = ok && ms >= 0.0;
        program.ms.push_back(ms);
    }
    CWaveAnalysisManager::DestroyInstance();
    int result = 0;
    if (!ok) {
        std::fprintf(stderr, "an analysis failed\n");
        result = 1;
    }
    std::printf("min / median of %d runs, warm page cache\n", kRuns);
    Print("record-analysis pool alone (reference)", pool, pool, seconds);
    Print("analysis manager: open and register", manager, pool, seconds);
    Print("program: open waveform record (fresh process)", program, pool, seconds);
    fs::remove_all(scratch, error);
    return result;
}
