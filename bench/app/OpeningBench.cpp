// Times the program's open road on a generated folder of 30 days of all statistic
// items at a one-minute interval (a K7900 folder, which needs no conversion): from
// the data selection's OK until the load has notified the views and the frame shows
// the data, with a warm page cache, beside the time `cat` takes to read the same
// files. A timer asks the frame to repaint every 20 ms meanwhile; the paints that
// happened during each open are reported. Checks free disk first and removes what
// it writes.
//
//   xvfb-run -a app_opening_bench [DIR]   (DIR: where to make the folder; default the system temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/init.h>
#include <wx/timer.h>

#include "app/MainFrame.h"
#include "bench/support/CatFiles.h"
#include "app/NewDataSelectDlg.h"
#include "app/OndravaApp.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kRecords = 30ull * 24 * 60;
constexpr int kRuns = 3;

std::vector<std::string> DataFiles(const fs::path& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

double Cat(const std::vector<std::string>& files) {
    const auto start = Clock::now();
    CatFiles(files);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The program's busy indicator, noting when the load worker ends it: the load
// itself, and what the frame and the views do with the data after it.
class TimedIndicator : public platform::IHourglaze {
public:
    explicit TimedIndicator(platform::IHourglaze& shown) : m_shown(shown) {}
    void Start(void* owner) override { m_shown.Start(owner); }
    void Update(double percent) override { m_shown.Update(percent); }
    void Increase(double step) override { m_shown.Increase(step); }
    void Notify(const std::wstring& text) override { m_shown.Notify(text); }
    double GetPos() override { return m_shown.GetPos(); }
    void End() override {
        ended = Clock::now();
        m_shown.End();
    }
    Clock::time_point ended;

private:
    platform::IHourglaze& m_shown;
};

}  // namespace

int main(int argc, char** argv) {
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path scratch = base / ("ondrava-opening-bench-" + std::to_string(getpid()));
    const fs::path folder = scratch / "data";

    gen::StatisticFolderOptions options;
    options.deviceType = L"K7900";
    options.items = gen::AllStatisticItems();
    options.records = kRecords;
    options.blockCountPerFile = 1440;
    options.filesPerFolder = 100;
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(gen::BlockSizeOf(options.items)) * options.blockTypeCount * kRecords;
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

    std::printf("generating %llu records of all 461 items (%.0f MB) in %s\n",
                static_cast<unsigned long long>(kRecords), bytes / 1e6, folder.c_str());
    if (!gen::WriteStatisticFolder(folder, options)) {
        std::fprintf(stderr, "cannot write the folder\n");
        fs::remove_all(scratch, error);
        return 1;
    }
    const std::vector<std::string> files = DataFiles(folder);

    ui::SetMessageBoxResponder([](const ui::MessageBoxRequest& request) {
        std::fprintf(stderr, "message: %s\n", platform::WideToUtf8(request.text).c_str());
        return ui::kIdOk;
    });
    Clock::time_point okPressed;
    ui::SetDialogResponder([&](ui::Dialog& dialog) {
        if (auto* selection = dynamic_cast<CNewDataSelectDlg*>(&dialog)) {
            okPressed = Clock::now();
            selection->OnOK();
            return true;
        }
        return false;
    });
    wxApp::SetInstance(new COndravaApp);
    int result = 0;
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "the program did not start\n");
        result = 2;
    } else {
        COndravaApp& app = static_cast<COndravaApp&>(*wxTheApp);
        CMainFrame& frame = *app.GetMainFrame();
        TimedIndicator indicator(*app.GetBusyIndicator());
        platform::SetHourglaze(&indicator);
        int paints = 0;
        frame.GetFrame()->Bind(wxEVT_PAINT, [&paints](wxPaintEvent& event) {
            ++paints;
            event.Skip();
        });
        wxTimer repaint;
        repaint.Bind(wxEVT_TIMER, [&frame](wxTimerEvent&) { frame.GetFrame()->Refresh(); });
        repaint.Start(20);

        Cat(files);  // warm the page cache
        double cat = 1e300;
        double open = 1e300;
        double loadInBest = 0.0;
        int paintsInBest = 0;
        const std::wstring path = platform::FromPath(folder);
        frame.OpenStatistic(path);  // once untimed, so every run starts warm
        for (int i = 0; i < kRuns; ++i) {
            cat = std::min(cat, Cat(files));
            paints = 0;
            frame.OpenStatistic(path);
            const double ms = std::chrono::duration<double, std::milli>(Clock::now() - okPressed).count();
            if (ms < open) {
                open = ms;
                loadInBest = std::chrono::duration<double, std::milli>(indicator.ended - okPressed).count();
                paintsInBest = paints;
            }
        }
        repaint.Stop();
        platform::SetHourglaze(app.GetBusyIndicator());
        if (frame.IsStatisticLoaded() == 0 || frame.GetSelection().EndBlock != kRecords) {
            std::fprintf(stderr, "the folder did not load whole\n");
            result = 1;
        }
        std::printf("%-44s %10.1f ms\n", "cat of the folder's files (reference)", cat);
        std::printf("%-44s %10.1f ms  (%.2fx cat, %d paints meanwhile)\n", "open: data selection OK to views notified",
                    open, open / cat, paintsInBest);
        std::printf("%-44s %10.1f ms  (%.2fx cat)\n", "  of which the load, until the indicator ends", loadInBest,
                    loadInBest / cat);
        std::printf("%-44s %10.1f ms\n", "  of which the panes and views after the load", open - loadInBest);
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    fs::remove_all(scratch, error);
    return result;
}
