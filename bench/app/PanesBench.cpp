// Times what the user-interface thread does for the panes and views when a folder
// opens: the program's open road on a folder so small (one day of all statistic
// items at a one-minute interval, a K7900 folder) that reading it is a small part,
// from the data selection's OK until the views show the data. Beside it, as the reference of the same
// run, the load of the same folder into a statistic model alone (no views, no
// panes). Checks free disk first and removes what it writes.
//
//   xvfb-run -a app_panes_bench [DIR]   (DIR: where to make the folder; default the system temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/init.h>

#include "app/MainFrame.h"
#include "app/NewDataSelectDlg.h"
#include "app/OndravaApp.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/ZVController.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kRecords = 24ull * 60;
constexpr int kRuns = 7;

double Since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

struct Figures {
    std::vector<double> values;
    void Add(double value) { values.push_back(value); }
    double Min() const { return *std::min_element(values.begin(), values.end()); }
    double Median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

// The same load as the open's worker does, into a model of its own with no views.
double LoadModelAlone(const std::wstring& path, DataSelectInfo selection) {
    CGlobalModel model;
    model.CreateAnalysis(0);
    CZVController controller;
    controller.Initialize();
    controller.SetStatisticModel(&model);
    CCtrlItem request;
    request.text = path;
    request.param1 = reinterpret_cast<std::uintptr_t>(&selection);
    request.code = ctrl::kOpenStatistic;
    request.param2 = 90;
    const auto start = Clock::now();
    controller.Notify(&request);
    return Since(start);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path scratch = base / ("ondrava-panes-bench-" + std::to_string(getpid()));
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
    if (error || space.available < bytes * 2 + (100u << 20)) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", base.c_str(), bytes / 1e6 * 2 + 100);
        return 1;
    }
    setenv(platform::kProgramFolderVariable, (scratch / "program").c_str(), 1);
    testsupport::PrepareProgramFolder();
    setenv("XDG_CONFIG_HOME", (scratch / "config").c_str(), 1);
    gfx::LoadFontConfig(platform::ProgramFolder());
    if (!gen::WriteStatisticFolder(folder, options)) {
        std::fprintf(stderr, "cannot write the folder\n");
        fs::remove_all(scratch, error);
        return 1;
    }

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
        Figures open;
        Figures model;
        const std::wstring path = platform::FromPath(folder);
        for (int i = 0; i < kRuns; ++i) {
            frame.OpenStatistic(path);
            while (wxTheApp->Pending()) {
                wxTheApp->Dispatch();
            }
            wxTheApp->ProcessIdle();
            open.Add(Since(okPressed));
            model.Add(LoadModelAlone(path, frame.GetSelection()));
        }
        if (frame.IsStatisticLoaded() == 0 || frame.GetSelection().EndBlock != kRecords) {
            std::fprintf(stderr, "the folder did not load whole\n");
            result = 1;
        }
        std::printf("one day of all items (%.0f MB), %d opens, min / median\n", bytes / 1e6, kRuns);
        std::printf("%-52s %8.1f / %8.1f ms\n", "reference: the load into a model alone", model.Min(), model.Median());
        std::printf("%-52s %8.1f / %8.1f ms\n", "open: data selection OK to views shown, pumped", open.Min(),
                    open.Median());
        std::printf("%-52s %8.1f / %8.1f ms\n", "  the user-interface side (open less the load)",
                    open.Min() - model.Min(), open.Median() - model.Median());
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    fs::remove_all(scratch, error);
    return result;
}
