// Times reading a generated 100 MB COMTRADE record, BINARY and ASCII: the parser
// alone (CComtradeFile into the float buffer) and the whole reader (phase arrays and
// RMS), in MB of ".DAT" per second with a warm page cache, beside the speed of
// mapping the file and copying it (what memory gives), measured in the same run:
// min / median of 5 runs each, and the reader's time as a multiple of the copy's
// (target: at most 4). Run it pinned to one core (taskset -c N). Checks free disk
// first and removes what it writes.
//
//   terminal_comtrade_bench [DIR] [MB]   (DIR: where to write; default the system temp folder)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "terminal/ComtradeFile.h"
#include "terminal/K7700ComtradeAnalysis.h"
#include "terminal/MappedFile.h"
#include "tools/gen/ComtradeRecord.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

struct Spread {
    double min = 0.0;
    double median = 0.0;
};

template <class Work>
Spread Seconds(Work work)
{
    std::vector<double> runs;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        work();
        runs.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return {runs.front(), runs[runs.size() / 2]};
}

struct Result {
    const char* format;
    double megabytes;
    Spread memory, parser, reader;
};

bool Measure(const fs::path& folder, gen::ComtradeFormat format, double targetMegabytes, Result& result)
{
    gen::ComtradeOptions options;
    options.format = format;
    options.digitalChannels = 16;
    options.samples = 1000;
    const double perSample = static_cast<double>(gen::ComtradeDatBytes(options).size()) / options.samples;
    options.samples = static_cast<std::uint32_t>(targetMegabytes * 1e6 / perSample);
    const fs::path base = folder / (format == gen::ComtradeFormat::Binary ? "binary" : "ascii");
    if (!gen::WriteComtradeRecord(base, options)) {
        std::fprintf(stderr, "cannot write %s\n", base.c_str());
        return false;
    }
    const std::uint64_t bytes = fs::file_size(fs::path(base).concat(".DAT"));
    result.megabytes = static_cast<double>(bytes) / 1e6;

    std::vector<std::uint8_t> copy(bytes);
    result.memory = Seconds([&] {
        CMappedFile mapped;
        mapped.Open(fs::path(base).concat(".DAT"));
        std::memcpy(copy.data(), mapped.Map(0, mapped.Size()), bytes);
    });

    std::vector<float> buffer(static_cast<std::size_t>(options.samples) * 24);
    result.parser = Seconds([&] {
        CComtradeFile file;
        std::uint64_t read = 0;
        if (file.Open(base) == 0 || file.ReadSamples(3200.0f, buffer.data(), options.samples, &read) == 0 ||
            read != options.samples) {
            std::fprintf(stderr, "the parser failed on %s\n", base.c_str());
        }
    });
    result.reader = Seconds([&] {
        CK7700ComtradeAnalysis reader;
        if (reader.LoadFile(platform::FromPath(fs::path(base).concat(".CFG")), 0) == 0) {
            std::fprintf(stderr, "the reader failed on %s\n", base.c_str());
        }
    });
    for (const char* extension : {".CFG", ".DAT", ".INF"}) {
        fs::remove(fs::path(base).concat(extension));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path parent = argc > 1 ? platform::ToPath(std::string(argv[1])) : fs::temp_directory_path();
    const double megabytes = argc > 2 ? std::atof(argv[2]) : 100.0;
    std::error_code error;
    const fs::space_info space = fs::space(parent, error);
    const double needed = 2.5 * megabytes * 1e6;
    if (error || static_cast<double>(space.available) < needed) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", parent.c_str(), needed / 1e6);
        return 1;
    }
    const fs::path folder = parent / "ondrava-comtrade-bench";
    fs::create_directories(folder);
    std::vector<Result> results;
    for (const auto format : {gen::ComtradeFormat::Binary, gen::ComtradeFormat::Ascii}) {
        Result result{format == gen::ComtradeFormat::Binary ? "BINARY" : "ASCII", 0.0, {}, {}, {}};
        if (!Measure(folder, format, megabytes, result)) {
            fs::remove_all(folder);
            return 1;
        }
        results.push_back(result);
    }
    fs::remove_all(folder);
    std::printf("min / median of %d runs, warm page cache\n", kRuns);
    std::printf("%-7s %7s %20s %20s %20s %18s\n", "format", "DAT MB", "map+copy MB/s", "parser MB/s", "reader MB/s",
                "reader / map+copy");
    for (const Result& r : results) {
        std::printf("%-7s %7.1f %9.0f / %8.0f %9.0f / %8.0f %9.0f / %8.0f %8.1f / %7.1f\n", r.format, r.megabytes,
                    r.megabytes / r.memory.min, r.megabytes / r.memory.median, r.megabytes / r.parser.min,
                    r.megabytes / r.parser.median, r.megabytes / r.reader.min, r.megabytes / r.reader.median,
                    r.reader.min / r.memory.min, r.reader.median / r.memory.median);
    }
    return 0;
}
