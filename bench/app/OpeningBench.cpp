// Times the program's open road on generated K7900 folders (all statistic items at a
// one-minute interval, which need no conversion) of 7 and of 30 days: from the data
// selection's OK until the load has notified the views and the frame shows the data,
// beside the time `cat` takes to read the same files in the same run. Each folder is
// opened warm (a program that opened it once already) and fresh (the first open in
// a new process, what a user does), five times each, and the minimum and median of
// both the open and cat are reported, with the process's resident memory before the
// open and its peak after it. The page cache is warm throughout: cat reads the files
// right before each open. Checks free disk first and removes what it writes.
//
//   xvfb-run -a app_opening_bench [DIR]   (DIR: where to make the folders; default the system temp folder)
//
// Each measurement runs in a child process of this program (`--open FOLDER RUNS
// WARM`), so that a fresh open is really the process's first.

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/init.h>
#include <wx/utils.h>

#include "app/MainFrame.h"
#include "app/NewDataSelectDlg.h"
#include "app/OndravaApp.h"
#include "bench/support/CatFiles.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

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

// A field of /proc/self/status in megabytes ("VmRSS", "VmHWM").
double StatusMegabytes(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(name) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, key.size(), key) == 0) {
            return std::strtod(line.c_str() + key.size(), nullptr) / 1024.0;
        }
    }
    return 0.0;
}

gen::StatisticFolderOptions FolderOptions(std::uint64_t records) {
    gen::StatisticFolderOptions options;
    options.deviceType = L"K7900";
    options.items = gen::AllStatisticItems();
    options.records = records;
    options.blockCountPerFile = 1440;
    options.filesPerFolder = 100;
    return options;
}

std::uint64_t FolderBytes(std::uint64_t records) {
    const gen::StatisticFolderOptions options = FolderOptions(records);
    return static_cast<std::uint64_t>(gen::BlockSizeOf(options.items)) * options.blockTypeCount * records;
}

// One open of the child: the open, the load until the busy indicator ends, cat right
// before it, and the resident memory before the open and the peak after it (MB).
struct Run {
    double open = 0.0;
    double cat = 0.0;
    double rssBefore = 0.0;
    double peak = 0.0;
    double privateAfter = 0.0;  // RssAnon after the open: memory that is not the file cache's
};

// The child: starts the program, opens FOLDER RUNS times (after one untimed open when
// warm) and prints one line per run.
int OpenInChild(int argc, char** argv, const fs::path& folder, int runs, bool warm) {
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
        const std::wstring path = platform::FromPath(folder);
        // The harmonic collection that follows a load runs on; it is let finish
        // before the next measurement so that it does not run beside it.
        const auto settle = [&frame] {
            while (frame.IsCollecting()) {
                wxYield();
                wxMilliSleep(5);
            }
            wxYield();
        };
        settle();
        if (warm) {
            frame.OpenStatistic(path);
            settle();
        }
        for (int i = 0; i < runs; ++i) {
            Run run;
            run.cat = Cat(files);
            run.rssBefore = StatusMegabytes("VmRSS");
            frame.OpenStatistic(path);
            run.open = std::chrono::duration<double, std::milli>(Clock::now() - okPressed).count();
            run.peak = StatusMegabytes("VmHWM");
            run.privateAfter = StatusMegabytes("RssAnon");
            std::printf("run %.3f %.3f %.1f %.1f %.1f\n", run.open, run.cat, run.rssBefore, run.peak,
                        run.privateAfter);
            std::fflush(stdout);
            settle();
        }
        if (frame.IsStatisticLoaded() == 0 || frame.GetSelection().BlockNum == 0) {
            std::fprintf(stderr, "the folder did not load\n");
            result = 1;
        }
        wxTheApp->OnExit();
    }
    wxEntryCleanup();
    return result;
}

// Runs this program as a child opening `folder`; its runs, or none when it failed.
std::vector<Run> Child(const char* self, const fs::path& folder, int runs, bool warm) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return {};
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        const std::string count = std::to_string(runs);
        execl("/proc/self/exe", self, "--open", folder.c_str(), count.c_str(), warm ? "warm" : "fresh", nullptr);
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    std::vector<Run> result;
    std::istringstream lines(output);
    std::string word;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        Run run;
        if (fields >> word >> run.open >> run.cat >> run.rssBefore >> run.peak >> run.privateAfter && word == "run") {
            result.push_back(run);
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "the opening process failed (%d)\n", status);
        return {};
    }
    return result;
}

double Min(std::vector<double> values) { return *std::min_element(values.begin(), values.end()); }
double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* what, const std::vector<Run>& runs, double extraMs) {
    if (runs.empty()) {
        std::printf("%-34s failed\n", what);
        return;
    }
    std::vector<double> open, cat, peak, privateAfter;
    for (const Run& run : runs) {
        open.push_back(run.open);
        cat.push_back(run.cat);
        peak.push_back(run.peak - run.rssBefore);
        privateAfter.push_back(run.privateAfter);
    }
    std::printf("%-34s open %8.1f / %8.1f ms   cat %8.1f / %8.1f ms   %5.2f / %5.2f x cat", what, Min(open),
                Median(open), Min(cat), Median(cat), Min(open) / Min(cat), Median(open) / Median(cat));
    if (extraMs > 0.0) {
        std::printf("   (target %.1f ms = 2 x cat + %.0f ms)", 2.0 * Median(cat) + extraMs, extraMs);
    }
    std::printf("\n%-34s peak resident - resident before the open %.0f / %.0f MB, private (not file cache) "
                "after it %.0f / %.0f MB\n",
                "", Min(peak), Median(peak), Min(privateAfter), Median(privateAfter));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--open") == 0) {
        return OpenInChild(argc, argv, fs::path(argv[2]), std::atoi(argv[3]), std::strcmp(argv[4], "warm") == 0);
    }
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path scratch = base / ("ondrava-opening-bench-" + std::to_string(getpid()));
    struct Folder {
        const char* name;
        std::uint64_t records;
        double extraMs;  // the target is 2 x cat plus this
    };
    const Folder folders[] = {{"7-day", 7ull * 24 * 60, 100.0}, {"30-day", 30ull * 24 * 60, 0.0}};
    std::uint64_t bytes = 0;
    for (const Folder& folder : folders) {
        bytes += FolderBytes(folder.records);
    }
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

    int result = 0;
    for (const Folder& folder : folders) {
        const fs::path data = scratch / folder.name;
        std::printf("generating %llu records of all 461 items (%.0f MB) in %s\n",
                    static_cast<unsigned long long>(folder.records), FolderBytes(folder.records) / 1e6,
                    data.c_str());
        if (!gen::WriteStatisticFolder(data, FolderOptions(folder.records))) {
            std::fprintf(stderr, "cannot write the folder\n");
            result = 1;
            break;
        }
        const std::vector<Run> warm = Child(argv[0], data, kRuns, true);
        std::vector<Run> fresh;
        for (int i = 0; i < kRuns; ++i) {
            const std::vector<Run> one = Child(argv[0], data, 1, false);
            if (one.size() != 1) {
                fresh.clear();
                break;
            }
            fresh.push_back(one.front());
        }
        if (warm.size() != kRuns || fresh.size() != kRuns) {
            result = 1;
        }
        const std::string warmName = std::string(folder.name) + " warm (min / median)";
        const std::string freshName = std::string(folder.name) + " fresh process (min / median)";
        Report(warmName.c_str(), warm, folder.extraMs);
        Report(freshName.c_str(), fresh, folder.extraMs);
        std::fflush(stdout);
        fs::remove_all(data, error);
    }
    fs::remove_all(scratch, error);
    return result;
}
