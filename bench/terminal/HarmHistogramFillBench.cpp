// Times the fill of the harmonic histograms of an opened statistic folder (7 days of
// all items at a one-minute interval, loaded in cache mode): the four figures of
// every bar (maximum, 95 % value, minimum, average) of all 50 voltage harmonic orders
// of the four phases, asked the way the histogram charts ask them. Beside it, in the
// same run, the reference: the same figures taken the way they were taken before,
// every value of each series handed one at a time to a data manager. The figures of
// both ways are compared, so a fast wrong answer does not pass. min / median of 5
// runs each. Checks free disk first and removes what it writes.
//
//   terminal_harm_histogram_bench [DIR]   (DIR: where to make the folder; default the system temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/RecordDataManager.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kRecords = 7 * 24 * 60;
constexpr int kRuns = 5;
constexpr std::uint32_t kOrders = 50;
constexpr std::uint32_t kVoltageHarmonics = 2000;
constexpr std::uint32_t kEffectiveValue = 1;
// The order in which a bar's figures are asked: maximum, 95 % value, minimum, average.
constexpr std::uint32_t kKinds[] = {0, 3, 1, 2};

struct Spread {
    double min = 0.0;
    double median = 0.0;
};

Spread Milliseconds(const std::function<void()>& work)
{
    work();  // once untimed, so both ways start from the same warm state
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        work();
        runs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return {runs.front(), runs[runs.size() / 2]};
}

// The figures of every bar through the histogram's own manager.
std::vector<float> Fill(CK7700ZVViewAnalysis& reader)
{
    std::vector<float> figures;
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        for (std::uint32_t order = 0; order < kOrders; ++order) {
            for (const std::uint32_t kind : kKinds) {
                CHarmHistDataManager manager;
                manager.WantFigureOnly();
                float value = 0.0f;
                if (reader.GetSeries(phase, kind, static_cast<std::int32_t>(order), kEffectiveValue,
                                     kVoltageHarmonics, &manager) != 0 &&
                    manager.GetStatistic(kind, &value)) {
                    figures.push_back(value);
                }
            }
        }
    }
    return figures;
}

// The same figures with every value of a series handed to a manager one at a time.
std::vector<float> ValueByValue(CK7700ZVViewAnalysis& reader)
{
    std::vector<float> figures;
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        for (std::uint32_t order = 0; order < kOrders; ++order) {
            for (const std::uint32_t kind : kKinds) {
                const auto o = static_cast<std::int32_t>(order);
                if (kind == 3) {
                    CRecordDataManager manager;
                    double value = 0.0;
                    if (reader.GetSeries(phase, 3, o, kEffectiveValue, kVoltageHarmonics, &manager) != 0 &&
                        manager.GetValue(1, &value)) {
                        figures.push_back(static_cast<float>(value));
                    }
                    continue;
                }
                CComtradeDataManager manager;
                if (reader.GetSeries(phase, kind, o, kEffectiveValue, kVoltageHarmonics, &manager) == 0 ||
                    manager.GetSeries().empty()) {
                    continue;
                }
                double sum = 0.0;
                for (const double v : manager.GetSeries()) {
                    sum += v;
                }
                const double mean = sum / static_cast<double>(manager.GetSeries().size());
                figures.push_back(static_cast<float>(kind == 0 ? manager.GetMaxValue()
                                                     : kind == 1 ? manager.GetMinValue()
                                                                 : mean));
            }
        }
    }
    return figures;
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path folder = base / ("ondrava-harm-histogram-bench-" + std::to_string(getpid()));

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
    std::printf("generating %u records of all items (%.0f MB) in %s\n", kRecords, bytes / 1e6, folder.c_str());
    if (!gen::WriteStatisticFolder(folder, options)) {
        std::fprintf(stderr, "cannot write the folder\n");
        fs::remove_all(folder, error);
        return 1;
    }
    CK7700ZVViewAnalysis reader;
    reader.SetQueryParams({0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0});
    const bool loaded = reader.LoadFile(platform::FromPath(folder), 0) != 0;
    fs::remove_all(folder, error);  // cache mode: the records are in memory now
    if (!loaded) {
        std::fprintf(stderr, "the folder did not load\n");
        return 1;
    }

    const std::vector<float> bulk = Fill(reader);
    const std::vector<float> reference = ValueByValue(reader);
    std::size_t differ = bulk.size() == reference.size() ? 0 : 1;
    for (std::size_t i = 0; differ == 0 && i < bulk.size(); ++i) {
        // The 95 % value was never rounded; the other figures are rounded the same way.
        if (std::abs(bulk[i] - reference[i]) > 0.0005f) {
            differ = i + 1;
        }
    }
    if (bulk.empty() || differ != 0) {
        std::fprintf(stderr, "the two ways disagree (%zu and %zu figures, first difference at %zu)\n", bulk.size(),
                     reference.size(), differ);
        return 1;
    }

    const Spread before = Milliseconds([&] { ValueByValue(reader); });
    const Spread after = Milliseconds([&] { Fill(reader); });
    std::printf("%zu figures (4 phases x %u orders x 4 statistics) over %u records, min / median of %d runs\n",
                bulk.size(), kOrders, kRecords, kRuns);
    std::printf("%-44s %8.1f / %8.1f ms\n", "reference: value by value into a manager", before.min, before.median);
    std::printf("%-44s %8.1f / %8.1f ms  %5.3f / %5.3f x reference\n", "histogram fill", after.min, after.median,
                after.min / before.min, after.median / before.median);
    return 0;
}
