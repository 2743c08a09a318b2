// Times the statistic trend reader on a generated folder of 7 days of all items at a
// one-minute interval: one trend series, and all series of one item, in cache mode
// and in streaming mode, with a warm page cache, beside the time `cat` takes to read
// the block files that hold them. Checks free disk first and removes what it writes.
//
//   terminal_trend_bench [DIR]     (DIR: where to make the folder; default the system temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/CatFiles.h"
#include "platform/base/Encoding.h"
#include "platform/base/MemoryStatus.h"
#include "terminal/DataFileLoader.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/RecordDataManager.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kRecords = 7 * 24 * 60;
constexpr int kRuns = 5;

// A loader that never caches, to time streaming mode on a machine with memory to spare.
class StreamingLoader : public CDataFileLoader {
protected:
    platform::MemoryStatus QueryMemoryStatus() const override { return {1, 100}; }
};

class Reader : public CK7700ZVViewAnalysis {
public:
    explicit Reader(bool streaming)
    {
        if (streaming) {
            SetLoader(std::make_unique<StreamingLoader>());
        }
    }
};

double Best(const std::function<void()>& run)
{
    run();  // once untimed, so every case starts from the same warm state
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

std::vector<std::string> BlockFiles(const fs::path& statistic)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(statistic)) {
        if (entry.path().extension() == ".data") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::array<std::uint32_t, 10> Query()
{
    return {0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0};
}

struct Result {
    const char* what;
    double ms;
};

}  // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path folder = base / ("ondrava-trend-bench-" + std::to_string(getpid()));

    gen::StatisticFolderOptions options;
    options.items = gen::AllStatisticItems();
    options.records = kRecords;
    options.blockCountPerFile = 300;
    options.filesPerFolder = 100;
    options.indexFiles = false;
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(gen::BlockSizeOf(options.items)) * options.blockTypeCount * kRecords;
    std::error_code error;
    const fs::space_info space = fs::space(base, error);
    if (error || space.available < bytes + bytes / 4) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", base.c_str(), bytes / 1e6 * 1.25);
        return 1;
    }
    std::printf("generating %u records of all 461 items (%.0f MB) in %s\n", kRecords, bytes / 1e6, folder.c_str());
    if (!gen::WriteStatisticFolder(folder, options)) {
        std::fprintf(stderr, "cannot write the folder\n");
        fs::remove_all(folder, error);
        return 1;
    }
    const std::vector<std::string> files = BlockFiles(folder / "Statistic");
    const std::wstring path = platform::FromPath(folder);

    CatFiles(files);  // warm the page cache
    const double cat = Best([&] { CatFiles(files); });

    std::vector<Result> results;
    for (bool streaming : {false, true}) {
        // One series: voltage L1 maximum, to a data manager.
        results.push_back({streaming ? "one series, GetData, streaming" : "one series, GetData, cache", Best([&] {
                               Reader reader(streaming);
                               reader.SetQueryParams(Query());
                               reader.LoadFile(path, 0);
                               CRecordDataManager manager;
                               reader.GetSeries(0, 0, 0, 0, 1, &manager);
                               if (manager.GetCount() != kRecords) {
                                   std::fprintf(stderr, "incomplete series\n");
                               }
                           })});
        results.push_back({streaming ? "one series, GetItemData, streaming" : "one series, GetItemData, cache",
                           Best([&] {
                               Reader reader(streaming);
                               reader.SetQueryParams(Query());
                               reader.LoadFile(path, 0);
                               ItemRequest request;
                               request.phase = 0;
                               request.viewId = 1;
                               std::vector<ItemRequest*> list = {&request};
                               reader.GetItemData(list);
                           })});
        // All series of one item: voltage harmonic 1, 4 phases x 3 block types x 3 kinds.
        results.push_back({streaming ? "all series of one item, streaming" : "all series of one item, cache",
                           Best([&] {
                               Reader reader(streaming);
                               reader.SetQueryParams(Query());
                               reader.LoadFile(path, 0);
                               std::vector<ItemRequest> requests;
                               for (std::uint32_t phase = 0; phase < 4; ++phase) {
                                   for (std::uint32_t type = 0; type < 3; ++type) {
                                       for (std::uint32_t sub = 1; sub <= 3; ++sub) {
                                           ItemRequest request;
                                           request.phase = phase;
                                           request.blockType = type;
                                           request.subValue = sub;
                                           request.viewId = 2000;
                                           requests.push_back(request);
                                       }
                                   }
                               }
                               std::vector<ItemRequest*> list;
                               for (auto& request : requests) {
                                   list.push_back(&request);
                               }
                               reader.GetItemData(list);
                           })});
    }
    fs::remove_all(folder, error);

    std::printf("%zu block files, best of %d runs, warm page cache\n", files.size(), kRuns);
    std::printf("%-40s %9.1f ms\n", "cat of the block files", cat);
    for (const Result& result : results) {
        std::printf("%-40s %9.1f ms  %5.2f x cat\n", result.what, result.ms, result.ms / cat);
    }
    return 0;
}
