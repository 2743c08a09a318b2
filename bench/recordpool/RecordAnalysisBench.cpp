// Times the analysis of a generated raw waveform record of ten minutes, 8 channels at
// 25600 samples per second (about 245 MB), from a warm page cache, and reports MB/s,
// the real-time factor and the peak memory of the analysing process, beside the time
// `cat` takes to read the same file. Each run analyses in a child process of its own,
// so that its peak memory is its own. Then the cost of one analysis of a short record
// (2 s), analysed again and again in one process, each time by a new pool (as the
// program opens records) and by one pool closed and analysed again: min / median of
// 5 batches. Checks free disk first and removes what it writes.
//
//   recordpool_bench [DIR]     (DIR: where to make the record; default the system temp folder)

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "lib/recordpool/Sampolyx.h"
#include "platform/base/Encoding.h"
#include "tools/gen/WaveRecord.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kSeconds = 600.0;
constexpr int kRuns = 3;

// Peak resident memory of this process in kB (VmHWM).
long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

struct Run {
    double ms = 0.0;
    long peakKb = 0;
    int intervals = 0;
    bool ok = false;
};

Run AnalyseInChild(const fs::path& folder)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return {};
    }
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        Run run;
        ISampolyxDataPool* pool = Sampolyx_CreateDataPool();
        const auto start = Clock::now();
        run.ok = pool && pool->Analyse(platform::FromPath(folder));
        run.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        run.intervals = pool ? pool->GetIntervalCount() : 0;
        run.peakKb = PeakKilobytes();
        if (pool) {
            pool->Release();
        }
        const ssize_t written = write(pipeFds[1], &run, sizeof run);
        _exit(written == sizeof run ? 0 : 1);
    }
    close(pipeFds[1]);
    Run run;
    if (read(pipeFds[0], &run, sizeof run) != sizeof run) {
        run = {};
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return run;
}

// Milliseconds per analysis of the record in `folder`, min and median of 5 batches.
template <class Analyse>
std::pair<double, double> PerAnalysisMs(Analyse analyse, bool& ok)
{
    constexpr int kBatches = 5;
    constexpr int kPerBatch = 40;
    std::vector<double> batches;
    for (int b = 0; b < kBatches; ++b) {
        const auto start = Clock::now();
        for (int i = 0; i < kPerBatch; ++i) {
            ok = analyse() && ok;
        }
        batches.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count() / kPerBatch);
    }
    std::sort(batches.begin(), batches.end());
    return {batches.front(), batches[batches.size() / 2]};
}

double CatMs(const fs::path& file)
{
    std::fflush(stdout);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        execlp("cat", "cat", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path folder = base / ("ondrava-record-bench-" + std::to_string(getpid()));
    const gen::WaveRecordOptions options = gen::ThreePhaseWaveRecord(25600, kSeconds, 0.004);
    const std::uint64_t bytes = 52 + options.frames * (8ull * 5120 * 2 + 4);
    std::error_code error;
    const fs::space_info space = fs::space(base, error);
    if (error || space.available < bytes + bytes / 4) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", base.c_str(), bytes / 1e6 * 1.25);
        return 1;
    }
    std::printf("generating %.0f s of 8 channels at 25600 samples per second (%.0f MB) in %s\n", kSeconds,
                bytes / 1e6, folder.c_str());
    if (!gen::WriteWaveRecord(folder, options)) {
        std::fprintf(stderr, "cannot write the record\n");
        fs::remove_all(folder, error);
        return 1;
    }
    const fs::path data = folder / "wave.data";
    CatMs(data);  // warm the page cache
    double cat = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        cat = std::min(cat, CatMs(data));
    }
    Run best;
    long peak = 0;
    bool ok = true;
    for (int i = 0; i < kRuns; ++i) {
        const Run run = AnalyseInChild(folder);
        ok = ok && run.ok;
        peak = std::max(peak, run.peakKb);
        if (i == 0 || run.ms < best.ms) {
            best = run;
        }
    }
    fs::remove_all(folder, error);

    const fs::path shortFolder = base / ("ondrava-short-record-bench-" + std::to_string(getpid()));
    const gen::WaveRecordOptions shortOptions = gen::ThreePhaseWaveRecord(25600, 2.0, 0.004);
    ok = ok && gen::WriteWaveRecord(shortFolder, shortOptions);
    const std::wstring shortPath = platform::FromPath(shortFolder);
    const auto newPools = PerAnalysisMs(
        [&] {
            ISampolyxDataPool* pool = Sampolyx_CreateDataPool();
            const bool analysed = pool && pool->Analyse(shortPath);
            if (pool) {
                pool->Release();
            }
            return analysed;
        },
        ok);
    ISampolyxDataPool* kept = Sampolyx_CreateDataPool();
    const auto onePool = PerAnalysisMs([&] { return kept && kept->Close() && kept->Analyse(shortPath); }, ok);
    if (kept) {
        kept->Release();
    }
    fs::remove_all(shortFolder, error);
    if (!ok) {
        std::fprintf(stderr, "the analysis failed\n");
        return 1;
    }
    std::printf("best of %d runs, warm page cache\n", kRuns);
    std::printf("%-28s %9.1f ms  %8.1f MB/s\n", "cat of the data file", cat, bytes / 1e3 / cat);
    std::printf("%-28s %9.1f ms  %8.1f MB/s  %6.1f x real time  %5.2f x cat\n", "Analyse", best.ms,
                bytes / 1e3 / best.ms, kSeconds * 1000.0 / best.ms, best.ms / cat);
    std::printf("%-28s %9d\n", "intervals", best.intervals);
    std::printf("%-28s %9.1f MB  (%.0f %% of the record)\n", "peak resident memory", peak / 1024.0,
                100.0 * peak * 1024.0 / double(bytes));
    std::printf("\na 2 s record analysed again and again, min / median of 5 batches\n");
    std::printf("%-28s %9.2f / %6.2f ms per analysis\n", "a new pool each time", newPools.first, newPools.second);
    std::printf("%-28s %9.2f / %6.2f ms per analysis\n", "one pool, closed in between", onePool.first,
                onePool.second);
    return 0;
}
