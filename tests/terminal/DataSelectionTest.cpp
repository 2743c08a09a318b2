// What the data selection works out for a record: its time range and block
// description (or why they are unusable), the blocks really present, the stretch
// proposed for the memory at hand, the figures shown and the selection handed to
// the load; and the terminal model read from the device type.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <functional>

#include "TerminalTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "terminal/DataSelection.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "tests/support/TempDir.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/ItemFiles.h"
#include "tools/gen/StatisticFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMB = 1024 * 1024;

class DataSelectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
    void TearDown() override { GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown); }

    // Description files with the record's edits applied.
    std::wstring Describe(const std::function<void(gen::IniDocument& info, gen::IniDocument& statistic)>& edit)
    {
        gen::DescriptionFiles files;
        files.recordInfo.start = {2026, 3, 1, 0, 0, 0, 0};
        files.statistic.blockSize = 400;
        files.statistic.blockCount = 1440;
        files.statistic.timePlot = 60;
        files.statistic.blockTypeCount = 3;
        gen::IniDocument info = gen::RecordInfoDocument(files.recordInfo);
        gen::IniDocument statistic = gen::StatisticCfgDocument(files.statistic);
        edit(info, statistic);
        EXPECT_TRUE(gen::WriteDescriptionFiles(m_dir.Path(), files));
        EXPECT_TRUE(info.Write(gen::RecordInfoPath(m_dir.Path()), {}));
        EXPECT_TRUE(statistic.Write(gen::StatisticCfgPath(m_dir.Path()), {}));
        return platform::FromPath(m_dir.Path());
    }

    testsupport::TempDir m_dir;
};

std::int64_t Utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return *platform::FromLocalTime(year, month, day, hour, minute, second);
}

using Edit = std::function<void(gen::IniDocument&, gen::IniDocument&)>;

TEST_F(DataSelectionTest, ReadsTheTimeRangeAndBlockDescriptionOrCallsThemDamaged)
{
    const auto endAt = [](int year, int month, int day) {
        return [=](gen::IniDocument& info, gen::IniDocument&) {
            info.SetInt(L"cfg", L"EndTimeYear", year).SetInt(L"cfg", L"EndTimeMonth", month);
            info.SetInt(L"cfg", L"EndTimeDay", day).SetInt(L"cfg", L"EndTimeHour", 0);
            info.SetInt(L"cfg", L"EndTimeMinute", 0).SetInt(L"cfg", L"EndTimeSecond", 0);
        };
    };
    const auto statistic = [](const wchar_t* key, int value) {
        return [=](gen::IniDocument&, gen::IniDocument& cfg) { cfg.SetInt(L"cfg", key, value); };
    };
    struct Case {
        const char* row;
        Edit edit;
        CDataSelection::Description result;
        std::int64_t end;  // for a usable record
    };
    const std::int64_t start = Utc(2026, 3, 1);
    const Case cases[] = {
        {"whole description", [](auto&, auto&) {}, CDataSelection::Description::Usable, start + 1440 * 60},
        {"end recorded", endAt(2026, 3, 3), CDataSelection::Description::Usable, Utc(2026, 3, 3)},
        {"start minute missing", [](auto& info, auto&) { info.Remove(L"cfg", L"StartTimeMinute"); },
         CDataSelection::Description::Damaged, 0},
        {"start year 2101", [](auto& info, auto&) { info.SetInt(L"cfg", L"StartTimeYear", 2101); },
         CDataSelection::Description::Damaged, 0},
        {"end year 2101", endAt(2101, 1, 1), CDataSelection::Description::Damaged, 0},
        {"end before the start", endAt(2026, 2, 28), CDataSelection::Description::Damaged, 0},
        {"end incomplete: ends with its blocks",
         [](auto& info, auto&) { info.SetInt(L"cfg", L"EndTimeYear", 2027); }, CDataSelection::Description::Usable,
         start + 1440 * 60},
        {"no BlockSize", [](auto&, auto& cfg) { cfg.Remove(L"cfg", L"BlockSize"); },
         CDataSelection::Description::Damaged, 0},
        {"negative BlockSize", statistic(L"BlockSize", -4), CDataSelection::Description::Damaged, 0},
        {"BlockTypeCount 0", statistic(L"BlockTypeCount", 0), CDataSelection::Description::Damaged, 0},
        {"no TimePlot", [](auto&, auto& cfg) { cfg.Remove(L"cfg", L"TimePlot"); },
         CDataSelection::Description::Damaged, 0},
        {"negative BlockCount", statistic(L"BlockCount", -1), CDataSelection::Description::Damaged, 0},
        {"BlockCount 0", statistic(L"BlockCount", 0), CDataSelection::Description::NoBlocks, start},
        {"BlockSize 4294967295", [](auto&, auto& cfg) { cfg.Set(L"cfg", L"BlockSize", L"4294967295"); },
         CDataSelection::Description::Damaged, 0},
        {"BlockSize 2 GB", statistic(L"BlockSize", 2147483647), CDataSelection::Description::Damaged, 0},
        {"recordinfo.cfg over 1 MB",
         [](auto& info, auto&) { info.Set(L"pad", L"text", std::wstring(1024 * 1024, L'x')); },
         CDataSelection::Description::Damaged, 0},
        {"statistic.cfg over 1 MB",
         [](auto&, auto& cfg) { cfg.Set(L"pad", L"text", std::wstring(1024 * 1024, L'x')); },
         CDataSelection::Description::Damaged, 0},
    };
    for (const Case& row : cases) {
        CDataSelection selection;
        EXPECT_EQ(selection.Read(Describe(row.edit)), row.result) << row.row;
        if (row.result == CDataSelection::Description::Damaged) {
            continue;
        }
        selection.SetPresentBlocks(1440);
        EXPECT_EQ(selection.GetStartTime(), start) << row.row;
        EXPECT_EQ(selection.GetEndTime(), row.end) << row.row;
        EXPECT_FALSE(selection.IsTruncated()) << row.row;
    }
}

// The blocks the readers find decide. A short or empty block file that later files
// follow leaves a stretch of records without values (the later records keep their
// times, and the selection names the stretch); a missing block folder ends the data
// before it, and the selection then ends there too, even where "recordinfo.cfg"
// records a later end. A converted folder ends with its shortest item file.
TEST_F(DataSelectionTest, BlocksPresentAndWhatIsMissing)
{
    struct Case {
        const char* row;
        gen::StatisticDefect defect;
        std::uint32_t gapAfterFolder;
        bool converted;
        std::uint64_t present;
        std::vector<std::pair<std::uint64_t, std::uint64_t>> missing;
        const wchar_t* missingFolder;
    };
    const Case cases[] = {
        {"all block files", gen::StatisticDefect::None, 0, false, 50, {}, L""},
        {"second file cut in a record", gen::StatisticDefect::TruncatedFile, 0, false, 50, {{30, 40}}, L""},
        {"second file empty", gen::StatisticDefect::EmptyFile, 0, false, 50, {{20, 40}}, L""},
        {"folder 002 missing", gen::StatisticDefect::None, 1, false, 20, {}, L"002"},
        {"converted item files", gen::StatisticDefect::None, 0, true, 50, {}, L""},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.row);
        testsupport::TempDir dir;
        gen::StatisticFolderOptions options;
        options.records = 50;
        options.filesPerFolder = 1;
        options.defect = row.defect;
        options.gapAfterFolder = row.gapAfterFolder;
        options.end = gen::DateTime{2026, 3, 1, 0, 50, 0, 0};  // the end the terminal recorded
        ASSERT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        GlobalDataConfig::get_mutable_instance().SetKind(row.converted ? CGlobalDataConfig::K7700
                                                                       : CGlobalDataConfig::K7900);
        if (row.converted) {
            ASSERT_TRUE(gen::WriteItemFiles(dir / "Statistic/newfiles", options));
        }
        EXPECT_EQ(CGlobalModel::CountRecords(platform::FromPath(dir.Path())), row.present);

        CDataSelection selection;
        ASSERT_EQ(selection.Read(platform::FromPath(dir.Path())), CDataSelection::Description::Usable);
        selection.SetPresentBlocks(CGlobalModel::CountRecords(platform::FromPath(dir.Path())));
        selection.FindGaps(platform::FromPath(dir.Path()));
        EXPECT_EQ(selection.GetBlockCount(), row.present);
        EXPECT_EQ(selection.IsTruncated(), row.present < 50);
        EXPECT_EQ(selection.GetDuration(), row.present * 60);
        const std::int64_t start = Utc(2026, 3, 1);
        EXPECT_EQ(selection.GetEndTime(), start + static_cast<std::int64_t>(row.present) * 60);
        EXPECT_EQ(selection.GetSelection(0.0, 1.0).EndTime, start + static_cast<std::int64_t>(row.present) * 60);
        std::vector<std::pair<std::uint64_t, std::uint64_t>> missing;
        for (const CDataSelection::Stretch& stretch : selection.GetMissing()) {
            missing.emplace_back(stretch.first, stretch.end);
        }
        EXPECT_EQ(missing, row.missing);
        EXPECT_EQ(selection.GetMissingFolder(), row.missingFolder);
        EXPECT_TRUE(selection.GetIrregularFile().empty());
        if (!row.missing.empty()) {
            EXPECT_EQ(selection.StretchTimes(selection.GetMissing()[0]),
                      std::make_pair(start + static_cast<std::int64_t>(row.missing[0].first) * 60,
                                     start + static_cast<std::int64_t>(row.missing[0].second) * 60));
        }
    }

    // A pipe or a link to a device in place of a block file is named, and never read.
    for (const char* kind : {"pipe", "link to /dev/zero"}) {
        SCOPED_TRACE(kind);
        testsupport::TempDir damaged;
        gen::StatisticFolderOptions options;
        options.records = 50;
        ASSERT_TRUE(gen::WriteStatisticFolder(damaged.Path(), options));
        const fs::path file = damaged / "Statistic/001/statistic2.data";
        fs::remove(file);
        if (std::string(kind) == "pipe") {
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        } else {
            fs::create_symlink("/dev/zero", file);
        }
        CDataSelection selection;
        ASSERT_EQ(selection.Read(platform::FromPath(damaged.Path())), CDataSelection::Description::Usable);
        selection.FindGaps(platform::FromPath(damaged.Path()));
        EXPECT_EQ(selection.GetIrregularFile(), file);
    }

    // One item file shorter than the others: the record ends with it.
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    options.records = 40;
    ASSERT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
    ASSERT_TRUE(gen::WriteItemFiles(dir / "Statistic/newfiles", options));
    // Item 1 has four channels of three block types: 48 bytes a record.
    fs::resize_file(dir / "Statistic/newfiles/ESIN_VRMS.data", 48 * 25 + 10);
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    EXPECT_EQ(CGlobalModel::CountRecords(platform::FromPath(dir.Path())), 25u);
}

TEST_F(DataSelectionTest, ProposesWhatFitsTheMemory)
{
    struct Case {
        const char* row;
        std::uint64_t totalBytes;
        std::uint64_t available;
        double end;
    };
    const Case cases[] = {
        {"700 MB with 1 GB free: all of it", 700 * kMB, 1024 * kMB, 1.0},
        {"the memory it needs fits just", 780 * kMB, 1024 * kMB, 1.0},
        {"5 GB in 1 GB: the part that fits", 5120 * kMB, 1024 * kMB, 0.8 * 1024 / (1.05 * 5120)},
        {"too large: the start of it", 102400 * kMB, 1024 * kMB, 0.8 * 1024 / (1.05 * 102400)},
        {"no memory reported, empty record", 0, 0, 1.0},
    };
    for (const Case& row : cases) {
        CDataSelection selection;
        ASSERT_EQ(selection.Read(Describe([&](auto&, gen::IniDocument& cfg) {
                      // One block type of 1 MB a record.
                      cfg.SetInt(L"cfg", L"BlockSize", static_cast<std::int64_t>(kMB));
                      cfg.SetInt(L"cfg", L"BlockTypeCount", 1);
                      cfg.SetInt(L"cfg", L"BlockCount", static_cast<std::int64_t>(row.totalBytes / kMB));
                  })),
                  row.totalBytes == 0 ? CDataSelection::Description::NoBlocks : CDataSelection::Description::Usable)
            << row.row;
        selection.SetPresentBlocks(row.totalBytes / kMB);
        EXPECT_EQ(selection.GetTotalSize(), row.totalBytes) << row.row;
        const auto [first, last] = selection.ProposedRange(row.available);
        EXPECT_EQ(first, 0.0) << row.row;
        EXPECT_DOUBLE_EQ(last, row.end) << row.row;
    }
}

// Counts, sizes and durations beyond 32 bits, and the times of a stretch.
TEST_F(DataSelectionTest, SelectionIsWorkedOutIn64Bits)
{
    CDataSelection selection;
    ASSERT_EQ(selection.Read(Describe([](auto&, gen::IniDocument& cfg) {
                  cfg.SetInt(L"cfg", L"TimePlot", 86400);
                  cfg.SetInt(L"cfg", L"BlockSize", 100000);
                  cfg.SetInt(L"cfg", L"BlockCount", 100000);
              })),
              CDataSelection::Description::Usable);
    selection.SetPresentBlocks(100000);
    EXPECT_EQ(selection.GetDuration(), 8640000000ull);
    EXPECT_EQ(selection.GetTotalSize(), 30000000000ull);
    const std::int64_t start = Utc(2026, 3, 1);
    EXPECT_EQ(selection.GetEndTime(), start + 8640000000ll);

    struct Case {
        double from, to;
        std::uint64_t first, end;
        std::int64_t startTime, endTime;
    };
    const Case cases[] = {
        {0.0, 1.0, 0, 100000, start, start + 8640000000ll},
        {0.25, 0.5, 25000, 50000, start + 2160000000ll, start + 4320000000ll},
        {0.5, 0.5, 50000, 50000, start + 4320000000ll, start + 4320000000ll},
    };
    for (const Case& row : cases) {
        const DataSelectInfo info = selection.GetSelection(row.from, row.to);
        EXPECT_EQ(info.FirstBlock, row.first) << row.from << "-" << row.to;
        EXPECT_EQ(info.EndBlock, row.end) << row.from << "-" << row.to;
        EXPECT_EQ(info.BlockNum, row.end - row.first) << row.from << "-" << row.to;
        EXPECT_EQ(info.DataSize, (row.end - row.first) * 300000ull) << row.from << "-" << row.to;
        EXPECT_EQ(info.StartTime, row.startTime) << row.from << "-" << row.to;
        EXPECT_EQ(info.EndTime, row.endTime) << row.from << "-" << row.to;
        EXPECT_EQ(info.BlockSize, 100000u);
        EXPECT_EQ(info.TimePlot, 86400u);
        EXPECT_EQ(selection.Describe(row.from, row.to, 64 * 1024 * kMB).canOpen, row.from != row.to);
    }
}

TEST_F(DataSelectionTest, FiguresWarnWhenMemoryIsShort)
{
    CDataSelection selection;
    ASSERT_EQ(selection.Read(Describe([](auto&, gen::IniDocument& cfg) {
                  cfg.SetInt(L"cfg", L"BlockSize", static_cast<std::int64_t>(kMB));
                  cfg.SetInt(L"cfg", L"BlockTypeCount", 1);
                  cfg.SetInt(L"cfg", L"BlockCount", 1000);
              })),
              CDataSelection::Description::Usable);
    selection.SetPresentBlocks(1000);
    // 1000 MB need 1050 MB: 100 MB free (80 MB usable) is short, 1 GB for half of it is not.
    const CDataSelection::Figures shortOf = selection.Describe(0.0, 1.0, 100 * kMB);
    EXPECT_TRUE(shortOf.memoryShort);
    EXPECT_DOUBLE_EQ(shortOf.neededBytes, 1050.0 * kMB);
    EXPECT_DOUBLE_EQ(shortOf.availableBytes, 80.0 * kMB);
    // What 80 MB hold, by the rule of ten.
    EXPECT_EQ(shortOf.shownSpan, 80 * 60000 * 10 / 1000);
    const CDataSelection::Figures enough = selection.Describe(0.0, 0.5, 1024 * kMB);
    EXPECT_FALSE(enough.memoryShort);
    EXPECT_DOUBLE_EQ(enough.selectedBytes, 500.0 * kMB);
    EXPECT_EQ(enough.shownSpan, 60000);
    EXPECT_EQ(enough.end - enough.start, 30000);
}

// The memory the selection says a load needs is within a quarter of what a load of
// a generated folder takes at its peak: the stretch mapped and read whole.
TEST_F(DataSelectionTest, TheMemoryNeededIsWithinAQuarterOfALoad)
{
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    options.deviceType = L"K7900";
    options.items = gen::AllStatisticItems();
    options.records = 1440;
    options.blockCountPerFile = 720;
    options.filesPerFolder = 2;
    options.indexFiles = false;
    ASSERT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
    const std::wstring folder = platform::FromPath(dir.Path());
    CDataSelection selection;
    ASSERT_EQ(selection.Read(folder), CDataSelection::Description::Usable);
    selection.SetPresentBlocks(CGlobalModel::CountRecords(folder));
    const DataSelectInfo info = selection.GetSelection(0.0, 1.0);
    ASSERT_EQ(info.BlockNum, options.records);
    const double needed = selection.Describe(0.0, 1.0, 64 * 1024 * kMB).neededBytes;

    const std::uint64_t before = terminaltest::ProcessMemory("VmRSS");
    if (!terminaltest::ResetPeakMemory() || before == 0) {
        GTEST_SKIP() << "the system gives no peak of resident memory";
    }
    CDataFileLoader loader;
    const std::uint64_t recordBytes = info.DataSize / info.BlockNum;
    ASSERT_EQ(loader.LoadFiles(platform::FromPath(dir.Path() / "Statistic"), info.FirstBlock, 0, info.BlockNum,
                               recordBytes, 1, 40, 1),
              1);
    float sum = 0.0f;
    for (std::uint64_t offset = 0; offset + 4 <= info.DataSize; offset += 1024) {
        sum += loader.GetDataAt(offset);
    }
    EXPECT_NE(sum, 0.0f);
    const double peak = static_cast<double>(terminaltest::ProcessMemory("VmHWM") - before);
    EXPECT_NEAR(needed, peak, 0.25 * peak) << "needed " << needed / kMB << " MB, the load peaked at "
                                            << peak / kMB << " MB over " << info.DataSize / kMB << " MB of data";
}

TEST(DataSelectionTexts, SizesSpansTimesAndTheLabelPlace)
{
    EXPECT_EQ(FormatDataSize(1023), L"1023.00B");
    EXPECT_EQ(FormatDataSize(1536), L"1.50KB");
    EXPECT_EQ(FormatDataSize(700.0 * kMB), L"700.00MB");
    EXPECT_EQ(FormatDataSize(30000000000.0), L"28610.23MB");
    EXPECT_EQ(FormatSpan(L"%D天 %H:%M:%S", 3 * 86400 + 4 * 3600 + 5 * 60 + 6), L"3天 04:05:06");
    EXPECT_EQ(FormatSpan(L"%H:%M:%S 100%%", 59), L"00:00:59 100%");
    EXPECT_EQ(FormatSpan(L"%D", 8640000000ll), L"100000");
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FormatSelectionTime(Utc(2026, 3, 1, 8, 5, 9)), L"2026-03-01 08:05:09");

    struct Case {
        const char* row;
        double from, to;
        int left;
    };
    // A slider filling a client 500 wide (track 20 to 480), a label 100 wide.
    const Case cases[] = {
        {"whole track", 0.0, 1.0, 200},
        {"start of the track: kept inside", 0.0, 0.1, 0},
        {"end of the track: kept inside", 0.9, 1.0, 400},
        {"over the stretch", 0.5, 0.7, 246},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(SelectionLabelLeft(0, 500, row.from, row.to, 100, 500), row.left) << row.row;
    }
}

TEST(DeviceType, TheFirstModelNameAnywhereInTheValue)
{
    struct Case {
        const char* row;
        std::optional<std::wstring> type;  // nothing: no recordinfo.cfg
        bool known;
        std::uint32_t kind;
    };
    const Case cases[] = {
        {"K7700", L"K7700", true, CGlobalDataConfig::K7700},
        {"lower case inside a text", L"pq-k7900e", true, CGlobalDataConfig::K7900},
        {"two names: the table's order wins", L"K7900/K7800", true, CGlobalDataConfig::K7800},
        {"unknown model", L"K6600", false, CGlobalDataConfig::Unknown},
        {"no file: kind unchanged", std::nullopt, false, CGlobalDataConfig::K7800},
    };
    for (const Case& row : cases) {
        testsupport::TempDir dir;
        if (row.type) {
            gen::DescriptionFiles files;
            files.recordInfo.deviceType = *row.type;
            ASSERT_TRUE(gen::WriteDescriptionFiles(dir.Path(), files)) << row.row;
        }
        CGlobalDataConfig config;
        config.SetKind(CGlobalDataConfig::K7800);
        EXPECT_EQ(config.ReadDeviceType(platform::FromPath(dir.Path())), row.known) << row.row;
        EXPECT_EQ(config.GetKind(), row.kind) << row.row;
    }
}

}  // namespace
