// The whole RTF report of a generated 30-day folder (one record a minute of every
// item the report reads, transient events and alarms), with the trend and event
// sections and the configuration's defaults, once with metafile pages and once with
// PNG pages: total time, the share spent finishing pages (writing metafiles, or
// rasterising and encoding), the page count and the file size of each. Beside
// them, in the same run: the report's data step alone (reading the 510 series) and
// writing a file of the metafile report's size to the same disk. Checks free disk
// first and removes what it writes.
//
//   word_report_bench [DIR]     (DIR: where to make the folder; default the system temp folder)

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "report/ReportConfig.h"
#include "report/ReportPageCanvas.h"
#include "report/RtfReportText.h"
#include "report/WordReporter.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "terminal/SOEModel.h"
#include "tools/gen/ReportFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kRecords = 30 * 24 * 60;
// The folder (about 1.2 GB) and the report, with room to spare.
constexpr std::uintmax_t kDiskNeeded = std::uintmax_t{4} << 30;

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Writes `size` bytes to a new file, flushed to the disk, as the report's file is.
double WriteFileOfSize(const fs::path& file, std::uintmax_t size)
{
    const auto start = Clock::now();
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return -1.0;
    }
    const std::string chunk(64 * 1024, 'a');
    for (std::uintmax_t left = size; left > 0;) {
        const std::size_t part = static_cast<std::size_t>(std::min<std::uintmax_t>(left, chunk.size()));
        if (::write(fd, chunk.data(), part) != static_cast<ssize_t>(part)) {
            break;
        }
        left -= part;
    }
    ::fsync(fd);
    ::close(fd);
    return Seconds(start);
}

struct Models {
    CGlobalModel statistic;
    CSOEModel soe;
    BasicInfo record;
};

struct Run {
    bool written = false;
    std::wstring failure;
    double seconds = 0;
    double pageSeconds = 0;
    std::size_t pages = 0;
    std::uintmax_t bytes = 0;
};

void Open(Models& models, const fs::path& folder, std::int64_t start, std::int64_t end)
{
    std::array<std::uint32_t, 14> selection{};
    selection[2] = selection[4] = static_cast<std::uint32_t>(kRecords);
    selection[8] = static_cast<std::uint32_t>(start);
    selection[9] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(start) >> 32);
    selection[10] = static_cast<std::uint32_t>(end);
    selection[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32);
    const std::wstring path = platform::FromPath(folder);
    CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(selection.data()), 100, path};
    models.statistic.OpenData(&open);
    models.statistic.QueryBasicInfo(&models.record);
    CCtrlItem openSoe{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0, path};
    models.soe.OpenData(&openSoe);
}

}  // namespace

int main(int argc, char** argv)
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    std::error_code error;
    const fs::space_info space = fs::space(base, error);
    if (error || space.available < kDiskNeeded) {
        std::fprintf(stderr, "word_report_bench: needs %ju GB free in %s\n", kDiskNeeded >> 30, base.c_str());
        return 1;
    }
    const fs::path work = base / ("ondrava-word-report-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    gfx::LoadFontConfig(platform::ProgramFolder());
    CRtfReportText::Instance().Load();

    gen::ReportFolderOptions options;
    options.records = kRecords;
    // A few hundred transient events and alarms over the month.
    for (int i = 0; i < 6; ++i) {
        options.comtradeKinds.insert(options.comtradeKinds.end(), {1, 2, 3, 4, 2});
        options.comtradeDurations.insert(options.comtradeDurations.end(), {40, 120, 800, 60, 3000});
    }
    const std::vector<std::uint32_t> alarms = options.alarmKinds;
    for (int i = 0; i < 20; ++i) {
        options.alarmKinds.insert(options.alarmKinds.end(), alarms.begin(), alarms.end());
    }
    const fs::path folder = work / "data";
    auto start = Clock::now();
    if (!gen::WriteReportFolder(folder, options)) {
        std::fprintf(stderr, "word_report_bench: the folder could not be generated\n");
        fs::remove_all(work, error);
        return 1;
    }
    std::printf("generated %ju records in %.1f s (not timed below)\n", static_cast<std::uintmax_t>(kRecords),
                Seconds(start));
    const std::int64_t from = *platform::FromLocalTime(options.startYear, options.startMonth, options.startDay, 0, 0, 0);
    const std::int64_t to = from + static_cast<std::int64_t>(kRecords) * options.timePlot;

    int result = 0;
    {
        CReportConfig config;
        // The report in one page format, from a fresh opening of the folder.
        auto report = [&](CReportPageCanvas::PageFormat format, const fs::path& target) {
            Models models;
            Open(models, folder, from, to);
            Run run;
            const auto begin = Clock::now();
            CWordReporter reporter;
            reporter.Init(platform::FromPath(folder), 1, &models.record, &config, &models.statistic,
                          &models.statistic, &models.soe, 0);
            reporter.GetCanvas()->SetPageFormat(format);
            reporter.SetSections(1, 1);
            run.written = reporter.ReportOutput(platform::FromPath(target), 0) == 1;
            run.seconds = Seconds(begin);
            run.failure = reporter.GetReportName();
            run.pageSeconds = reporter.GetRenderSeconds();
            run.pages = reporter.GetPagesWritten();
            run.bytes = fs::file_size(target, error);
            return run;
        };
        const Run metafile = report(CReportPageCanvas::PageFormat::Metafile, work / "metafile.rtf");
        const Run png = report(CReportPageCanvas::PageFormat::Png, work / "png.rtf");

        // References of the same run: the data step alone, and writing as many bytes.
        Models again;
        Open(again, folder, from, to);
        CWordReporter data;
        data.Init(platform::FromPath(folder), 1, &again.record, &config, &again.statistic, &again.statistic,
                  &again.soe, 0);
        start = Clock::now();
        data.CollectReportData();
        const double dataStep = Seconds(start);
        const double plainWrite = WriteFileOfSize(work / "plain.bin", metafile.bytes);

        if (!metafile.written || !png.written) {
            std::fprintf(stderr, "word_report_bench: the report failed: %s\n",
                         platform::WideToUtf8(metafile.written ? png.failure : metafile.failure).c_str());
            result = 1;
        } else {
            std::printf("RTF report, 30 days at one minute, trend and event sections:\n");
            for (const auto& [name, run] : {std::pair{"metafile pages", &metafile}, std::pair{"PNG pages", &png}}) {
                std::printf("  %-14s total %.2f s (target < 30 s), %zu pages, %.1f MB; pages finished in %.2f s, "
                            "%.0f %% of the total\n",
                            name, run->seconds, run->pages, static_cast<double>(run->bytes) / 1e6, run->pageSeconds,
                            100.0 * run->pageSeconds / run->seconds);
            }
            std::printf("  PNG pages / metafile pages: size %.1f x, time %.2f x\n",
                        static_cast<double>(png.bytes) / static_cast<double>(metafile.bytes),
                        png.seconds / metafile.seconds);
            std::printf("  reference, data step alone (510 series): %.2f s\n", dataStep);
            std::printf("  reference, writing %.1f MB to the same disk: %.2f s\n",
                        static_cast<double>(metafile.bytes) / 1e6, plainWrite);
        }
    }
    fs::remove_all(work, error);
    return result;
}
