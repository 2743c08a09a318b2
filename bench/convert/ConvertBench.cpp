// Times the conversion of a generated statistic folder of all 461 items at a
// one-minute interval (30 days by default) into item files, beside a plain copy of
// the same block files (read in 30 MiB chunks, written with ordinary buffering and
// flushed to disk once, as the conversion does). Checks free disk first and removes
// what it writes.
//
//   convert_bench [DAYS [DIR]]     (DIR: where to make the folder; default the system temp folder)

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "lib/convert/DataTransform.h"
#include "platform/base/Encoding.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double g_lastPercent = 0.0;
int g_reports = 0;
bool g_monotonic = true;

void OnProgress(double percent)
{
    g_monotonic = g_monotonic && percent >= g_lastPercent;
    g_lastPercent = percent;
    ++g_reports;
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Copies every block file into `target`, as plainly as the conversion writes.
bool PlainCopy(const std::vector<fs::path>& files, const fs::path& target)
{
    fs::create_directories(target);
    std::vector<char> buffer(31457280);
    int n = 0;
    for (const fs::path& file : files) {
        std::FILE* in = std::fopen(file.c_str(), "rb");
        std::FILE* out = std::fopen((target / (std::to_string(n++) + ".data")).c_str(), "wb");
        if (in == nullptr || out == nullptr) {
            return false;
        }
        std::setvbuf(in, nullptr, _IONBF, 0);
        for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0;) {
            std::fwrite(buffer.data(), 1, got, out);
        }
        std::fflush(out);
        fsync(fileno(out));
        std::fclose(in);
        std::fclose(out);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int days = argc > 1 ? std::atoi(argv[1]) : 30;
    const fs::path base = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path();
    const fs::path folder = base / ("ondrava-convert-bench-" + std::to_string(getpid()));

    gen::StatisticFolderOptions options;
    options.items = gen::AllStatisticItems();
    options.itemText = L"1000";
    options.records = static_cast<std::uint64_t>(days) * 24 * 60;
    options.blockCountPerFile = 300;
    options.filesPerFolder = 100;
    options.indexFiles = false;
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(gen::BlockSizeOf(options.items)) * options.blockTypeCount * options.records;
    std::error_code error;
    const fs::space_info space = fs::space(base, error);
    // The block files, their item files and the plain copy, with room to spare.
    if (error || space.available < bytes * 3 + bytes / 2) {
        std::fprintf(stderr, "not enough free disk in %s: %.0f MB needed\n", base.c_str(), bytes * 3.5 / 1e6);
        return 1;
    }
    std::printf("generating %d days (%llu records) of all 461 items (%.0f MB) in %s\n", days,
                static_cast<unsigned long long>(options.records), bytes / 1e6, folder.c_str());
    if (!gen::WriteStatisticFolder(folder, options)) {
        std::fprintf(stderr, "cannot write the folder\n");
        fs::remove_all(folder, error);
        return 1;
    }
    const fs::path statistic = folder / "Statistic";
    const fs::path items = statistic / "newfiles";
    fs::create_directories(items);
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(statistic)) {
        if (entry.path().extension() == ".data") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());

    // Both start with the generator's writes on disk and the block files in the page cache.
    ::sync();
    const auto copyStart = Clock::now();
    const bool copied = PlainCopy(files, folder / "copy");
    const double copySeconds = Seconds(copyStart);
    fs::remove_all(folder / "copy", error);
    ::sync();

    IDataTransform* converter = GetTransInstance();
    const auto start = Clock::now();
    converter->SetPath(platform::FromPath(items));
    converter->SetProgressCallback(OnProgress);
    const int result = converter->Convert(platform::FromPath(statistic));
    const double seconds = Seconds(start);
    converter->Release();

    std::uint64_t written = 0;
    std::size_t outputs = 0;
    for (const auto& entry : fs::directory_iterator(items)) {
        written += entry.file_size();
        ++outputs;
    }
    fs::remove_all(folder, error);

    std::printf("plain copy : %8.2f s  %8.1f MB/s%s\n", copySeconds, bytes / 1e6 / copySeconds,
                copied ? "" : "  (failed)");
    std::printf("conversion : %8.2f s  %8.1f MB/s  result %d, %zu item files, %.0f MB written\n", seconds,
                bytes / 1e6 / seconds, result, outputs, written / 1e6);
    std::printf("conversion / copy time: %.2f; progress: %d reports, last %.1f, %s\n", seconds / copySeconds,
                g_reports, g_lastPercent, g_monotonic ? "rising" : "NOT RISING");
    return result == 0 && copied ? 0 : 1;
}
