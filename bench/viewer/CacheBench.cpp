// Times the viewer's summary cache over 10^8 samples held in memory, read through
// the host's sample interface as the viewer reads them:
//   - building the cache, beside one plain pass over the same samples (MB/s of
//     8-byte samples, min / median of 5 runs each; target: the build within 2x of
//     the plain pass);
//   - the min/max of 2,000 pixel columns (one frame of a waveform) at every zoom
//     level of the 1-2-5 series, beside scanning the frame's samples one by one
//     (target: every frame under 2 ms).
// Writes nothing to disk; refuses to run without the memory for the samples. Run it
// pinned to one core (taskset -c N).
//
//   viewer_cache_bench [SAMPLES]     (default 100000000)

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "bench/viewer/MemorySource.h"
#include "lib/viewer/data/BufferedDataManager.h"
#include "terminal/SimpleDataManager.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kColumns = 2000;
constexpr int kFrames = 40;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

struct Spread {
    double min = 0;
    double median = 0;
};

Spread Runs(int runs, const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

struct Frame {
    double worst = 0;
    double mean = 0;
};

// The min/max of every column of frames at spread-out places, columns of
// samplesPerColumn samples (a fraction below 1 when zoomed in far).
Frame TimeFrames(CBufferedDataManager& cache, std::int64_t count, double samplesPerColumn, std::int64_t& checksum) {
    const double span = samplesPerColumn * kColumns;
    Frame frame;
    for (int f = 0; f < kFrames; ++f) {
        const double first = std::max(0.0, (static_cast<double>(count) - span)) * f / kFrames;
        const auto start = Clock::now();
        for (int c = 0; c < kColumns; ++c) {
            std::int64_t from = static_cast<std::int64_t>(first + samplesPerColumn * c);
            const auto to = static_cast<std::int64_t>(first + samplesPerColumn * (c + 1));
            std::int64_t min = 0;
            std::int64_t max = 0;
            if (cache.GetMinMax(&from, std::max(to, from + 1), &min, &max) != 0) {
                checksum += max - min;
            }
        }
        const double taken = Milliseconds(Clock::now() - start);
        frame.worst = std::max(frame.worst, taken);
        frame.mean += taken / kFrames;
    }
    return frame;
}

// The same columns found by reading every sample of one frame in the middle.
double TimeScan(ISimpleDataManager& source, std::int64_t count, double samplesPerColumn, std::int64_t& checksum) {
    const double span = samplesPerColumn * kColumns;
    const double first = std::max(0.0, static_cast<double>(count) - span) / 2;
    const auto start = Clock::now();
    std::int64_t index = static_cast<std::int64_t>(first);
    std::int64_t word = 0;
    for (int c = 0; c < kColumns; ++c) {
        const auto to = std::max(static_cast<std::int64_t>(first + samplesPerColumn * (c + 1)), index + 1);
        std::int64_t min = std::numeric_limits<std::int64_t>::max();
        std::int64_t max = std::numeric_limits<std::int64_t>::min();
        while (index < to && source.GetNext(&index, &word)) {
            if (word != kNoValuePosition) {
                min = std::min(min, word);
                max = std::max(max, word);
            }
        }
        checksum += max - min;
    }
    return Milliseconds(Clock::now() - start);
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t count = argc > 1 ? std::atoll(argv[1]) : 100000000;
    if (count < kColumns) {
        std::fprintf(stderr, "at least %d samples, please\n", kColumns);
        return 2;
    }
    if (!EnoughMemoryFor(count)) {
        return 1;
    }
    std::printf("making %lld samples...\n", static_cast<long long>(count));
    const std::unique_ptr<ISimpleDataManager> samples = MakeMemorySource(WaveSamples(count));
    const double megabytes = static_cast<double>(count) * 8 / 1e6;

    std::int64_t checksum = 0;
    const Spread plain = Runs(5, [&] {
        std::int64_t index = 0;
        std::int64_t word = 0;
        std::int64_t sum = 0;
        while (samples->GetNext(&index, &word)) {
            sum += word;
        }
        checksum += sum;
    });
    auto* cache = new CBufferedDataManager;
    cache->SetSource(samples.get());
    const Spread build = Runs(5, [&] { cache->Build(); });
    std::printf("\nmin / median of 5 runs\n%-34s %20s %20s\n", "", "ms", "MB/s");
    std::printf("%-34s %9.1f / %8.1f %9.0f / %8.0f\n", "plain pass over the samples", plain.min, plain.median,
                megabytes / plain.min * 1000, megabytes / plain.median * 1000);
    std::printf("%-34s %9.1f / %8.1f %9.0f / %8.0f   %.2f / %.2fx the plain pass (target <= 2x)\n", "cache build",
                build.min, build.median, megabytes / build.min * 1000, megabytes / build.median * 1000,
                build.min / plain.min, build.median / plain.median);

    std::printf("\nmin/max of %d columns per frame (%d frames per level)\n", kColumns, kFrames);
    std::printf("%12s %14s %14s %16s\n", "samples/px", "worst ms", "mean ms", "sample scan ms");
    // The zoom levels of the 1-2-5 series, from 20 pixels a sample to the whole data in one frame.
    const double fit = static_cast<double>(count) / kColumns;
    std::vector<double> levels;
    for (double decade = 0.01; decade < fit; decade *= 10) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (decade * factor >= 0.05 && decade * factor < fit) {
                levels.push_back(decade * factor);
            }
        }
    }
    levels.push_back(fit);
    bool allFast = true;
    for (const double samplesPerColumn : levels) {
        const Frame frame = TimeFrames(*cache, count, samplesPerColumn, checksum);
        const double scan = TimeScan(*samples, count, samplesPerColumn, checksum);
        allFast = allFast && frame.worst < 2.0;
        std::printf("%12.2f %14.3f %14.3f %16.3f\n", samplesPerColumn, frame.worst, frame.mean, scan);
    }
    std::printf("\nevery frame under 2 ms: %s   (checksum %lld)\n", allFast ? "yes" : "NO",
                static_cast<long long>(checksum));
    cache->Release();
    return 0;
}
