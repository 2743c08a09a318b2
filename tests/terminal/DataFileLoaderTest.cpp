#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>
#include <limits>

#include <sys/resource.h>

#include "TerminalTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "terminal/DataFileLoader.h"
#include "terminal/ZVDataManager.h"
#include "tests/support/TempDir.h"

namespace {

using terminaltest::LogWatch;
using terminaltest::Wide;

const float kSentinel = static_cast<float>(kNoValue);

struct Folder {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    std::uint64_t blockSize = 0;
    std::uint64_t recordBytes = 0;

    explicit Folder(gen::StatisticFolderOptions o) : options(std::move(o))
    {
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        blockSize = gen::BlockSizeOf(options.items);
        recordBytes = blockSize * options.blockTypeCount;
    }
    std::wstring Statistic() const { return Wide(dir.Path() / "Statistic"); }
    int Load(CDataFileLoader& loader, std::uint64_t first, std::uint64_t count, std::uint32_t useDataFiles = 1,
             std::uint32_t requireCache = 0) const
    {
        return loader.LoadFiles(Statistic(), first, 0, count, recordBytes, useDataFiles, 40, requireCache);
    }
    // Offset in the loaded stretch of float `f` of block type `t` in record `r` (relative).
    std::uint64_t Offset(std::uint64_t r, std::uint32_t t, std::uint32_t f) const
    {
        return r * recordBytes + t * blockSize + f * 4;
    }
};

std::vector<std::string> FileNames(const CDataFileLoader& loader)
{
    std::vector<std::string> names;
    for (const auto& path : loader.GetPaths()) {
        names.push_back(path.parent_path().filename().string() + "/" + path.filename().string());
    }
    return names;
}

TEST(DataFileLoader, FolderGapsAndNumericFileOrder)
{
    gen::StatisticFolderOptions gap;
    gap.records = 40;
    gap.blockCountPerFile = 10;
    gap.filesPerFolder = 1;
    gap.gapAfterFolder = 2;  // folders 001, 002, 004, 005
    Folder gapped(gap);
    CDataFileLoader loader;
    ASSERT_EQ(gapped.Load(loader, 0, 20), 1);
    EXPECT_EQ(FileNames(loader), (std::vector<std::string>{"001/statistic1.data", "002/statistic2.data"}));

    gen::StatisticFolderOptions many;
    many.records = 120;
    many.blockCountPerFile = 10;
    many.filesPerFolder = 12;
    Folder numbered(many);
    ASSERT_EQ(numbered.Load(loader, 0, 120), 1);
    ASSERT_EQ(loader.GetPaths().size(), 12u);
    EXPECT_EQ(loader.GetPaths()[1].filename(), "statistic2.data");
    EXPECT_EQ(loader.GetPaths()[9].filename(), "statistic10.data");
    EXPECT_EQ(loader.GetDataAt(numbered.Offset(115, 2, 3)), gen::StatisticValue(115, 2, 3))
        << "record 115 lies in statistic12, the last file in numeric order";
}

TEST(DataFileLoader, SkipsNamesOutsideThePattern)
{
    gen::StatisticFolderOptions options;
    options.defect = gen::StatisticDefect::MisnamedFiles;
    Folder folder(options);
    CDataFileLoader loader;
    ASSERT_EQ(folder.Load(loader, 0, options.records), 1);
    EXPECT_EQ(FileNames(loader), (std::vector<std::string>{"001/statistic1.data", "001/statistic2.data",
                                                           "001/statistic3.data"}));
    for (std::uint64_t r : {0u, 19u, 20u, 49u}) {
        EXPECT_EQ(loader.GetDataAt(folder.Offset(r, 1, 5)), gen::StatisticValue(r, 1, 5)) << "record " << r;
    }
}

TEST(DataFileLoader, IndexFilesHoldATenthOfTheRecords)
{
    gen::StatisticFolderOptions options;
    options.records = 900;
    options.blockCountPerFile = 300;
    Folder folder(options);
    CDataFileLoader loader;
    ASSERT_EQ(folder.Load(loader, 25, 60, 0), 1);
    ASSERT_EQ(loader.GetPaths().size(), 3u);
    EXPECT_EQ(loader.GetPaths()[0].extension(), ".idx");
    // Index records 25..84 span the three files (30 each).
    for (std::uint64_t j : {0u, 4u, 5u, 35u, 59u}) {
        EXPECT_EQ(loader.GetDataAt(folder.Offset(j, 0, 7)), gen::StatisticIndexValue(25 + j, 0, 7)) << j;
    }
}

TEST(DataFileLoader, EdgesOfTheLoadedStretch)
{
    Folder folder(gen::StatisticFolderOptions{});
    for (bool streaming : {false, true}) {
        std::unique_ptr<CDataFileLoader> loader =
            streaming ? std::make_unique<terminaltest::StreamingLoader>() : std::make_unique<CDataFileLoader>();
        ASSERT_EQ(folder.Load(*loader, 10, 5), 1);
        EXPECT_EQ(loader->IsCacheMode(), !streaming);
        const std::uint64_t total = loader->GetLoadedLength();
        EXPECT_EQ(total, 5 * folder.recordBytes);
        const std::uint32_t lastFloat = static_cast<std::uint32_t>(folder.blockSize / 4 - 1);
        EXPECT_EQ(loader->GetDataAt(total - 4), gen::StatisticValue(14, 2, lastFloat)) << streaming;
        EXPECT_EQ(loader->GetDataAt(total - 3), 0.0f) << streaming;
        EXPECT_EQ(loader->GetDataAt(0), gen::StatisticValue(10, 0, 0)) << streaming;
    }
    CDataFileLoader unloaded;
    EXPECT_EQ(unloaded.GetDataAt(0), 0.0f);
    EXPECT_EQ(unloaded.GetLoadedLength(), 0u);
}

TEST(DataFileLoader, FirstRecordBeyondTheFiles)
{
    Folder folder(gen::StatisticFolderOptions{});  // 50 records in 3 files of 20
    CDataFileLoader loader;
    LogWatch log;
    EXPECT_EQ(folder.Load(loader, 60, 5), 0);
    EXPECT_EQ(log.NewLines(), 1);
    EXPECT_NE(log.NewText().find("FileStartIndex >= m_StrPaths.size()"), std::string::npos);
    EXPECT_EQ(loader.GetLoadedLength(), 0u);
}

// A stream that ends early, a block file cut in the middle of a record and an empty
// block file: what the files do not hold reads as no value in both modes, never as
// stale or made-up values, and the load logs one line.
TEST(DataFileLoader, MissingBytesReadAsNoValue)
{
    struct Case {
        const char* name;
        gen::StatisticDefect defect;
        std::uint64_t first, count;
        std::uint64_t lastGood;  // records before this one are whole
        std::uint64_t firstGoodAgain;
    };
    const Case cases[] = {
        {"stream ends early", gen::StatisticDefect::None, 40, 20, 50, 60},
        {"truncated file", gen::StatisticDefect::TruncatedFile, 0, 50, 30, 40},
        {"empty file", gen::StatisticDefect::EmptyFile, 0, 50, 20, 40},
    };
    for (const Case& c : cases) {
        gen::StatisticFolderOptions options;
        options.defect = c.defect;
        Folder folder(options);
        for (bool streaming : {false, true}) {
            const std::string row = std::string(c.name) + (streaming ? " (streaming)" : " (cache)");
            std::unique_ptr<CDataFileLoader> loader =
                streaming ? std::make_unique<terminaltest::StreamingLoader>() : std::make_unique<CDataFileLoader>();
            LogWatch log;
            ASSERT_EQ(folder.Load(*loader, c.first, c.count), 1) << row;
            for (std::uint64_t r = c.first; r < c.first + c.count; ++r) {
                const float value = loader->GetDataAt(folder.Offset(r - c.first, 2, 4));
                if (r < c.lastGood || r >= c.firstGoodAgain) {
                    EXPECT_EQ(value, gen::StatisticValue(r, 2, 4)) << row << " record " << r;
                } else {
                    EXPECT_EQ(value, kSentinel) << row << " record " << r;
                }
            }
            EXPECT_EQ(log.NewLines(), 1) << row;
        }
    }
}

TEST(DataFileLoader, ReadSeriesFillsGapsAndMatchesGetDataAt)
{
    gen::StatisticFolderOptions options;
    options.defect = gen::StatisticDefect::TruncatedFile;
    Folder folder(options);
    for (bool streaming : {false, true}) {
        std::unique_ptr<CDataFileLoader> loader =
            streaming ? std::make_unique<terminaltest::StreamingLoader>() : std::make_unique<CDataFileLoader>();
        ASSERT_EQ(folder.Load(*loader, 5, 45), 1);
        ItemRequest request;
        request.enabled = 1;
        request.blockTypeOffset = folder.blockSize;  // block type 1
        request.layout = {25, 20, 48};
        request.phaseOffset = 8;
        request.subValueOffset = 16;
        request.values.assign(45, 123.0f);
        ItemRequest disabled;
        disabled.values.assign(45, 7.0f);
        std::vector<ItemRequest*> requests = {&request, &disabled};
        ASSERT_EQ(loader->ReadSeries(requests, 45, folder.blockSize), 1);
        for (std::uint64_t i = 0; i < 45; ++i) {
            const std::uint64_t offset = i * folder.recordBytes + folder.blockSize + 20 + 8 + 16;
            EXPECT_EQ(request.values[i], loader->GetDataAt(offset)) << streaming << " point " << i;
            const std::uint64_t r = 5 + i;
            const float expected = r >= 30 && r < 40 ? kSentinel : gen::StatisticValue(r, 1, 5 + 2 + 4);
            EXPECT_EQ(request.values[i], expected) << streaming << " point " << i;
        }
        EXPECT_EQ(disabled.values, std::vector<float>(45, 7.0f));
    }
}

TEST(DataFileLoader, MemoryRefusalFallsBackToStreaming)
{
    Folder folder(gen::StatisticFolderOptions{});
    terminaltest::StreamingLoader lowMemory;
    EXPECT_EQ(lowMemory.IsMemAllow(0), 0);
    EXPECT_EQ(folder.Load(lowMemory, 0, 50, 1, 1), 0) << "the cache was required";
    EXPECT_EQ(lowMemory.GetPaths().size(), 3u) << "the path list stays";
    ASSERT_EQ(folder.Load(lowMemory, 0, 50), 1);
    EXPECT_FALSE(lowMemory.IsCacheMode());

    terminaltest::FailingAllocationLoader failing;
    ASSERT_EQ(folder.Load(failing, 0, 50), 1);
    EXPECT_FALSE(failing.IsCacheMode());
    EXPECT_EQ(failing.GetDataAt(folder.Offset(33, 1, 2)), gen::StatisticValue(33, 1, 2));
    EXPECT_EQ(folder.Load(failing, 0, 50, 1, 1), 0);
}

// The stretch is read from the block files where they lie (the system's file cache),
// not copied into memory of the program's own: the process's private memory hardly
// grows while the whole stretch is read.
TEST(DataFileLoader, HoldsTheStretchWithoutACopyOfItsOwn)
{
    gen::StatisticFolderOptions options;
    options.items = gen::AllStatisticItems();
    options.records = 720;
    options.blockCountPerFile = 300;
    options.filesPerFolder = 3;
    options.indexFiles = false;
    Folder folder(options);
    const std::uint64_t stretch = options.records * folder.recordBytes;
    ASSERT_GT(stretch, 30u << 20);
    const std::uint64_t privateBefore = terminaltest::ProcessMemory("RssAnon");
    ASSERT_NE(privateBefore, 0u) << "the system gives no private memory figure";
    CDataFileLoader loader;
    ASSERT_EQ(folder.Load(loader, 0, options.records), 1);
    ASSERT_TRUE(loader.IsCacheMode());
    float sum = 0.0f;
    for (std::uint64_t offset = 0; offset + 4 <= stretch; offset += 1024) {
        sum += loader.GetDataAt(offset);
    }
    EXPECT_NE(sum, 0.0f);
    const std::uint64_t privateAfter = terminaltest::ProcessMemory("RssAnon");
    // A copy would add the whole stretch; a quarter leaves room for the sanitizer's
    // own bookkeeping of the loader's small allocations.
    EXPECT_LT(privateAfter, privateBefore + stretch / 4)
        << "private memory grew by " << (privateAfter - privateBefore) / 1024 << " KB for a stretch of "
        << stretch / 1024 << " KB";
    for (std::uint64_t r : {0u, 299u, 300u, 719u}) {
        EXPECT_EQ(loader.GetDataAt(folder.Offset(r, 2, 9)), gen::StatisticValue(r, 2, 9)) << "record " << r;
    }
}

// Whether the stretch is held at once rests on the memory available, not on a fixed
// size: a stretch above 4 GiB is held when the memory allows it. The files hold only
// the first records; the rest of the stretch reads as no value.
TEST(DataFileLoader, HoldsAStretchAsLargeAsTheAvailableMemoryAllows)
{
    gen::StatisticFolderOptions options;
    options.records = 12;
    options.blockCountPerFile = 2000000000;
    options.indexFiles = false;
    Folder folder(options);
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    const std::uint64_t records = 5 * kGiB / folder.recordBytes;  // over 4 GiB
    struct Case {
        const char* name;
        std::uint64_t available, total;
        bool held;
    };
    const Case cases[] = {
        {"plenty available", 64 * kGiB, 64 * kGiB, true},
        {"the stretch would take over nine tenths of it", 5 * kGiB, 16 * kGiB, false},
        {"less than a fifth of the memory is free", 10 * kGiB, 64 * kGiB, false},
    };
    for (const Case& c : cases) {
        terminaltest::MemoryFiguresLoader loader({c.available, c.total});
        EXPECT_EQ(folder.Load(loader, 0, records, 1, 1), c.held ? 1 : 0) << c.name << " (cache required)";
        ASSERT_EQ(folder.Load(loader, 0, records), 1) << c.name;
        EXPECT_EQ(loader.IsCacheMode(), c.held) << c.name;
        EXPECT_EQ(CDataFileLoader::HoldsInMemory(records * folder.recordBytes, {c.available, c.total}), c.held)
            << c.name;
        EXPECT_EQ(loader.GetDataAt(folder.Offset(11, 1, 3)), gen::StatisticValue(11, 1, 3)) << c.name;
        EXPECT_EQ(loader.GetDataAt(folder.Offset(records - 1, 1, 3)), kSentinel) << c.name;
    }
}

TEST(DataFileLoader, RefusesUnusableGeometry)
{
    gen::StatisticFolderOptions options;
    options.defect = gen::StatisticDefect::SmallBlockCountPerFile;
    Folder small(options);
    CDataFileLoader loader;
    LogWatch log;
    EXPECT_EQ(small.Load(loader, 0, 4, 0), 0) << "index files of 5 records per data file hold none";
    EXPECT_EQ(log.NewLines(), 1);
    EXPECT_NE(log.NewText().find("BlockCountPerFile 5"), std::string::npos);

    gen::StatisticFolderOptions none;
    none.defect = gen::StatisticDefect::NoBlockFolder;
    Folder missing(none);
    LogWatch log2;
    EXPECT_EQ(missing.Load(loader, 0, 4), 0);
    EXPECT_EQ(log2.NewLines(), 1);

    // First record and count that each fit, but whose stretch would end past the
    // largest stream offset (the end would wrap round to the start of the stream).
    Folder plain(gen::StatisticFolderOptions{});
    const std::uint64_t half = std::numeric_limits<std::uint64_t>::max() / plain.recordBytes / 2 + 1;
    LogWatch log3;
    EXPECT_EQ(plain.Load(loader, half, half), 0);
    EXPECT_EQ(log3.NewLines(), 1);
    EXPECT_EQ(loader.GetLoadedLength(), 0u);
}

// A "BlockCountPerFile" far beyond what the files hold (a damaged description): the
// streaming read takes only the requested part of each file, never a buffer of the
// nominal file length (here hundreds of gigabytes).
TEST(DataFileLoader, StreamingSeriesOfAHugeNominalFile)
{
    gen::StatisticFolderOptions options;
    options.records = 12;
    options.blockCountPerFile = 2000000000;
    options.indexFiles = false;
    Folder folder(options);
    terminaltest::StreamingLoader loader;
    ASSERT_EQ(folder.Load(loader, 3, 8), 1);
    ASSERT_FALSE(loader.IsCacheMode());
    ItemRequest request;
    request.enabled = 1;
    request.blockTypeOffset = folder.blockSize;  // block type 1
    request.layout = {7, 16, 4};
    request.values.assign(8, 0.0f);
    std::vector<ItemRequest*> list = {&request};
    ASSERT_EQ(loader.ReadSeries(list, 8, folder.blockSize), 1);
    for (std::uint64_t i = 0; i < 8; ++i) {
        EXPECT_EQ(request.values[i], gen::StatisticValue(3 + i, 1, 4)) << "point " << i;
    }
}

// A long recording has more block files than a process may hold open (about a
// thousand by default): streaming mode still reads every one of them.
TEST(DataFileLoader, StreamingReadsMoreFilesThanDescriptors)
{
    gen::StatisticFolderOptions options;
    options.records = 300;
    options.blockCountPerFile = 1;
    options.filesPerFolder = 300;
    options.indexFiles = false;
    Folder folder(options);

    struct DescriptorLimit {
        rlimit saved{};
        bool lowered = false;
        explicit DescriptorLimit(rlim_t spare)
        {
            const auto open = std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                            std::filesystem::directory_iterator());
            getrlimit(RLIMIT_NOFILE, &saved);
            rlimit low = saved;
            low.rlim_cur = static_cast<rlim_t>(open) + spare;
            lowered = low.rlim_cur < saved.rlim_cur && setrlimit(RLIMIT_NOFILE, &low) == 0;
        }
        ~DescriptorLimit()
        {
            if (lowered) {
                setrlimit(RLIMIT_NOFILE, &saved);
            }
        }
    };
    std::vector<float> series;
    std::vector<float> single;
    {
        DescriptorLimit limit(100);  // a lower limit already in force serves as well
        terminaltest::StreamingLoader loader;
        ASSERT_EQ(folder.Load(loader, 0, 300), 1);
        ItemRequest request;
        request.enabled = 1;
        request.blockTypeOffset = 2 * folder.blockSize;  // block type 2
        request.layout = {25, 20, 48};
        request.values.assign(300, 0.0f);
        std::vector<ItemRequest*> list = {&request};
        ASSERT_EQ(loader.ReadSeries(list, 300, folder.blockSize), 1);
        series = request.values;
        for (std::uint64_t r = 0; r < 300; r += 37) {
            single.push_back(loader.GetDataAt(folder.Offset(r, 2, 5)));
        }
    }
    for (std::uint64_t r = 0; r < 300; ++r) {
        ASSERT_EQ(series[r], gen::StatisticValue(r, 2, 5)) << "record " << r;
    }
    for (std::uint64_t r = 0, k = 0; r < 300; r += 37, ++k) {
        EXPECT_EQ(single[k], gen::StatisticValue(r, 2, 5)) << "record " << r;
    }
}

TEST(DataFileLoader, MovesTheBusyIndicator)
{
    gen::StatisticFolderOptions options;
    options.records = 1000;
    options.blockCountPerFile = 500;
    options.indexFiles = false;
    Folder folder(options);
    platform::HeadlessHourglaze().Reset();
    CDataFileLoader loader;
    ASSERT_EQ(folder.Load(loader, 0, 1000), 1);
    auto state = platform::HeadlessHourglaze().Get();
    ASSERT_EQ(state.notes.size(), 2u) << "one text per block file";
    EXPECT_NE(state.notes[1].find(L"statistic2.data..."), std::wstring::npos);
    EXPECT_EQ(state.positions, (std::vector<double>{20.0, 40.0})) << "the budget of 40 shared over two files";

    platform::HeadlessHourglaze().Reset();
    ItemRequest request;
    request.enabled = 1;
    request.values.resize(1000);
    std::vector<ItemRequest*> list = {&request};
    ASSERT_EQ(loader.ReadSeries(list, 1000, folder.blockSize), 1);
    state = platform::HeadlessHourglaze().Get();
    // Touched every 401 points with 40 / (1000 / 400) = 16, then set to 40.
    EXPECT_EQ(state.positions, (std::vector<double>{16.0, 32.0, 40.0}));
    EXPECT_EQ(request.values[999], gen::StatisticValue(999, 0, 0));
}

}  // namespace
