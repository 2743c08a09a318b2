// Times a whole harmonic collection over a generated 30-day folder of item files
// (every harmonic item, one record per 10 minutes), with a warm page cache, beside
// a plain read of the same item files into one reused buffer (the reference, target:
// at most 3 times it) and beside `cat` of them, measured in the same run: min /
// median of 5 runs each. Counts the file reads the collection made against the
// number of item files. Run it pinned to one core (taskset -c N). Checks free disk
// first and removes what it writes.
//
//   terminal_harm_collect_bench [DIR]   (DIR: where to write; default the system temp folder)

#include <fcntl.h>
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
constexpr int kRuns = 5;

struct Spread {
    double min = 0.0;
    double median = 0.0;
};

template <class Work>
Spread Ms(Work work)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        work();
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return {runs.front(), runs[runs.size() / 2]};
}

// Every file read whole into one buffer that grows to the largest and is kept.
std::uint64_t ReadInto(const std::vector<std::string>& files, std::vector<char>& buffer)
{
    std::uint64_t total = 0;
    for (const std::string& file : files) {
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        const off_t size = lseek(fd, 0, SEEK_END);
        if (size > 0 && static_cast<std::size_t>(size) > buffer.size()) {
            buffer.resize(static_cast<std::size_t>(size));
        }
        for (off_t done = 0; done < size;) {
            const ssize_t got = pread(fd, buffer.data() + done, static_cast<std::size_t>(size - done), done);
            if (got <= 0) {
                break;
            }
            done += got;
        }
        total += static_cast<std::uint64_t>(size);
        close(fd);
    }
    return total;
}

void Print(const char* what, const Spread& spread, const Spread& reference)
{
    std::printf("%-40s %9.1f / %9.1f ms  %6.2f / %6.2f x the plain read\n", what, spread.min, spread.median,
                spread.min / reference.min, spread.median / reference.median);
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
    std::vector<char> buffer;
    std::uint64_t bytesRead = 0;
    const Spread plain = Ms([&] { bytesRead = ReadInto(files, buffer); });
    const Spread cat = Ms([&] { CatFiles(files); });

    CHarmDataCollector collector;
    collector.SetDataFolder(platform::FromPath(folder) + L"/");
    CRecordRange range;
    range.EndBlock = range.BlockNum = kRecords;
    collector.SetQuery(range);
    const Spread collect = Ms([&] { collector.CollectItems(nullptr, {}); });
    const bool published = collector.GetCube() != nullptr;
    const std::uint64_t reads = collector.GetFileReads() / kRuns;

    fs::remove_all(folder, error);
    std::printf("min / median of %d runs, warm page cache, %.0f MB\n", kRuns, bytesRead / 1e6);
    Print("plain read into one buffer (reference)", plain, plain);
    Print("cat of the item files", cat, plain);
    Print("harmonic collection", collect, plain);
    std::printf("%-40s %9llu (item files: %zu)%s\n", "file reads per collection",
                static_cast<unsigned long long>(reads), files.size(), published ? "" : "  NOT PUBLISHED");
    return published && reads == files.size() ? 0 : 1;
}
