// Times a whole harmonic collection over a generated 30-day folder of item files
// (every harmonic item, one record per 10 minutes), with a warm page cache, beside
// the time `cat` takes to read the same item files, and counts the file reads the
// collection made against the number of item files. Checks free disk first and
// removes what it writes.
//
//   terminal_harm_collect_bench [DIR]   (DIR: where to write; default the system temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/CatFiles.h"
#include "platform/base/Encoding.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/StatCube.h"
#include "tools/gen/ItemFiles.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kRecords = 30 * 24 * 6;  // 30 days at 10 minutes
constexpr int kRuns = 3;

template <class Work>
double BestMs(Work work)
{
    double best = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path folder = base / ("ondrava-harm-bench-" + std::to_string(getpid()));

    gen::StatisticFolderOptions options;
    options.items.clear();
    for (std::uint32_t item = 22; item <= 448; ++item) {  // K factor, THD, DC and every order family
        options.items.push_back(item);
    }
    options.records = kRecords;
    options.timePlot = 600;
    std::uint64_t floats = 0;
    for (const std::uint32_t item : options.items) {
        floats += gen::ItemFloats(item);
    }
    const std::uint64_t bytes = floats * 3 * 4 * kRecords;
    std::error_code error;
    const fs::space_info space = fs::space(base, error);
    if (error || space.available < bytes + bytes / 4) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", base.c_str(), bytes / 1e6 * 1.25);
        return 1;
    }
    std::printf("generating %llu records of %zu harmonic items (%.0f MB) in %s\n",
                static_cast<unsigned long long>(kRecords), options.items.size(), bytes / 1e6, folder.c_str());
    if (!gen::WriteItemFiles(folder, options)) {
        std::fprintf(stderr, "cannot write the folder\n");
        fs::remove_all(folder, error);
        return 1;
    }
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path().string());
    }

    CatFiles(files);  // warm the page cache
    const double cat = BestMs([&] { CatFiles(files); });

    CHarmDataCollector collector;
    collector.SetDataFolder(platform::FromPath(folder) + L"/");
    CRecordRange range;
    range.EndBlock = range.BlockNum = kRecords;
    collector.SetQuery(range);
    const double collect = BestMs([&] { collector.CollectItems(nullptr, {}); });
    const bool published = collector.GetCube() != nullptr;
    const std::uint64_t reads = collector.GetFileReads() / kRuns;

    fs::remove_all(folder, error);
    std::printf("%-40s %9.1f ms\n", "cat of the item files", cat);
    std::printf("%-40s %9.1f ms  %5.2f x cat\n", "harmonic collection", collect, collect / cat);
    std::printf("%-40s %9llu (item files: %zu)%s\n", "file reads per collection",
                static_cast<unsigned long long>(reads), files.size(), published ? "" : "  NOT PUBLISHED");
    return published && reads == files.size() ? 0 : 1;
}
