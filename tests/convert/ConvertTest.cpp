#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <future>
#include <set>

#include "ConvertTestSupport.h"
#include "lib/convert/DataTransform.h"
#include "platform/base/Encoding.h"
#include "platform/base/PrivateProfile.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/ItemViewTable.h"
#include "terminal/K7700StatisticAnalysis.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/ZVDataManager.h"

namespace {

namespace fs = std::filesystem;
using converttest::OutputNames;
using converttest::ReadFloats;
using converttest::SmallConverter;
using converttest::Terminal;
using converttest::Wide;

std::vector<double> g_progress;
void Collect(double percent)
{
    g_progress.push_back(percent);
}

std::set<std::string> FileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Every value of every output file is the generator's value of its item, kind,
// channel, block type and record.
void ExpectExactItemFiles(const Terminal& terminal, std::uint64_t records)
{
    const auto& items = terminal.options.items;
    for (const std::uint32_t item : items) {
        const std::vector<std::string> names = OutputNames(item);
        const std::uint32_t channels = gen::ItemFloats(item) / static_cast<std::uint32_t>(names.size());
        const std::uint32_t first = gen::FloatIndexOf(items, item);
        for (std::uint32_t kind = 0; kind < names.size(); ++kind) {
            const std::vector<float> values = ReadFloats(terminal.ItemFolder() / (names[kind] + ".data"));
            ASSERT_EQ(values.size(), records * 3 * channels) << names[kind];
            for (std::uint64_t r = 0; r < records; ++r) {
                for (std::uint32_t type = 0; type < 3; ++type) {
                    for (std::uint32_t c = 0; c < channels; ++c) {
                        ASSERT_EQ(values[(r * 3 + type) * channels + c],
                                  gen::StatisticValue(r, type, first + kind * channels + c))
                            << names[kind] << " record " << r << " type " << type << " channel " << c;
                    }
                }
            }
        }
    }
}

// All items, read in chunks of two blocks into buffers of ten values (so every
// buffer is flushed many times), under an open-file limit of 1024 for both the
// soft and the hard limit: over a thousand item files come out exact.
TEST(Convert, AllItemsInChunksUnderTheOpenFileLimit)
{
    gen::StatisticFolderOptions options;
    options.items = gen::AllStatisticItems();
    options.itemText = L"1000";
    options.records = 7;
    options.blockCountPerFile = 3;
    options.filesPerFolder = 2;
    options.indexFiles = false;
    Terminal terminal(options);
    const std::size_t blockSize = gen::BlockSizeOf(options.items);
    const auto convertUnderLimit = [&] {
        rlimit limit{};
        limit.rlim_cur = 1024;
        limit.rlim_max = 1024;
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) {
            _exit(3);
        }
        SmallConverter converter(blockSize * 2 + 4, 40);
        _exit(terminal.Convert(converter));
    };
    EXPECT_EXIT(convertUnderLimit(), testing::ExitedWithCode(0), "");
    std::size_t outputs = 0;
    for (const std::uint32_t item : options.items) {
        outputs += OutputNames(item).size();
    }
    EXPECT_GT(outputs, 1024u);
    EXPECT_EQ(FileNames(terminal.ItemFolder()).size(), outputs);
    ExpectExactItemFiles(terminal, options.records);
}

// The names of the item files, the marker, and the progress the program sees.
TEST(Convert, WritesNamedItemFilesMarksTheFolderAndReportsProgress)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 24, 25, 461};
    options.records = 9;
    options.blockCountPerFile = 4;
    Terminal terminal(options);
    std::unique_ptr<IDataTransform, void (*)(IDataTransform*)> converter(GetTransInstance(),
                                                                         [](IDataTransform* t) { t->Release(); });
    ASSERT_TRUE(converter);
    fs::create_directories(terminal.ItemFolder());
    EXPECT_EQ(converter->SetPath(Wide(terminal.ItemFolder())), 0);
    g_progress.clear();
    converter->SetProgressCallback(Collect);
    ASSERT_EQ(converter->Convert(Wide(terminal.Statistic())), kConvertOk);

    const std::set<std::string> expected = {"ESIN_VRMS.data",          "ESIN_FREQ.data",
                                            "ESIN_V_DC_EFF.data",      "ESIN_V_DC_RAT.data",
                                            "ESIN_V_HARM_1_EFF.data",  "ESIN_V_HARM_1_RAT.data",
                                            "ESIN_V_HARM_1_PHA.data",  "ESIN_UNBAL.data"};
    EXPECT_EQ(FileNames(terminal.ItemFolder()), expected);
    ExpectExactItemFiles(terminal, options.records);
    EXPECT_EQ(platform::ProfileGetString(terminal.Statistic() / "statistic.cfg", L"data_convert", L"pre_convert"),
              std::wstring(L"1"));
    // Nothing is left beside the item folder.
    EXPECT_EQ(FileNames(terminal.Statistic()), (std::set<std::string>{"001", "newfiles", "statistic.cfg"}));

    ASSERT_FALSE(g_progress.empty());
    EXPECT_TRUE(std::is_sorted(g_progress.begin(), g_progress.end()));
    EXPECT_EQ(g_progress.back(), 100.0);
    for (std::size_t i = 0; i + 1 < g_progress.size(); ++i) {
        EXPECT_LE(g_progress[i], 99.5) << "report " << i;
    }
    // The folder now holds item files.
    EXPECT_EQ(converter->SetPath(Wide(terminal.ItemFolder())), 1);
    EXPECT_EQ(converter->SetPath(Wide(terminal.ItemFolder()) + L"/"), 1);
}

// A block file cut short (even inside a record) or empty: every record the files hold
// stays at its place in the stream (file index × records per file + record), so its
// time stays true; the records the file lacks are records of no value, and the record
// cut by the end of the last file is left out. Whatever the read chunks cut.
TEST(Convert, DamagedBlockFilesKeepEveryRecordAtItsPlace)
{
    struct Case {
        const char* row;
        gen::StatisticDefect defect;
        std::size_t readBlocks;   // read buffer in blocks; 0: the full buffer
        bool cutLastFile;         // the last file also ends inside a record
        std::uint64_t records;    // records in the item files
    };
    const Case cases[] = {
        {"truncated file, one block per read", gen::StatisticDefect::TruncatedFile, 1, false, 20},
        {"truncated file, two blocks per read", gen::StatisticDefect::TruncatedFile, 2, false, 20},
        {"truncated file, one read", gen::StatisticDefect::TruncatedFile, 0, false, 20},
        {"empty file, three blocks per read", gen::StatisticDefect::EmptyFile, 3, false, 20},
        {"truncated file and a last file cut in a record", gen::StatisticDefect::TruncatedFile, 0, true, 17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        gen::StatisticFolderOptions options;
        options.items = {1, 7, 25, 461};
        options.records = 20;
        options.blockCountPerFile = 5;
        options.defect = c.defect;
        Terminal terminal(options);
        const std::size_t blockSize = gen::BlockSizeOf(options.items);
        if (c.cutLastFile) {
            fs::resize_file(terminal.Statistic() / "001" / "statistic4.data", blockSize * 3 * 2 + blockSize + 8);
        }
        SmallConverter converter(c.readBlocks != 0 ? blockSize * c.readBlocks + 4 : 1 << 20, 24);
        ASSERT_EQ(terminal.Convert(converter), kConvertOk);
        // Records 5 to 9 are the second file's; a value is there when the file holds all its bytes.
        const std::uint64_t cut = fs::file_size(terminal.Statistic() / "001" / "statistic2.data");
        const auto missing = [&](std::uint64_t record, std::uint32_t type, std::uint32_t floatIndex) {
            return record >= 5 && record < 10 &&
                   ((record - 5) * 3 + type) * blockSize + floatIndex * 4 + 4 > cut;
        };

        for (const std::uint32_t item : options.items) {
            const std::vector<std::string> names = OutputNames(item);
            const std::uint32_t channels = gen::ItemFloats(item) / static_cast<std::uint32_t>(names.size());
            for (std::uint32_t kind = 0; kind < names.size(); ++kind) {
                const std::uint32_t first = gen::FloatIndexOf(options.items, item) + kind * channels;
                std::vector<float> expected;
                for (std::uint64_t r = 0; r < c.records; ++r) {
                    for (std::uint32_t type = 0; type < 3; ++type) {
                        for (std::uint32_t ch = 0; ch < channels; ++ch) {
                            expected.push_back(missing(r, type, first + ch) ? gen::kNoValueSample
                                                                            : gen::StatisticValue(r, type, first + ch));
                        }
                    }
                }
                EXPECT_EQ(ReadFloats(terminal.ItemFolder() / (names[kind] + ".data")), expected) << names[kind];
            }
        }
    }
}

// The conversion reads no more than the description declares: "BlockCountPerFile"
// records of each file and "BlockCount" records in all, and only regular files. A
// link to an endless device or a pipe in place of a block file is refused at once.
TEST(Convert, ReadsOnlyWhatTheDescriptionDeclaresFromRegularFiles)
{
    struct Case {
        const char* row;
        std::function<void(const Terminal&)> damage;
        int result;
        std::uint64_t records;  // in the item files when converted
    };
    const auto file = [](const Terminal& t, int n) {
        return t.Statistic() / "001" / ("statistic" + std::to_string(n) + ".data");
    };
    const auto append = [](const fs::path& path, std::size_t bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::app);
        const std::string more(bytes, '\x41');
        out.write(more.data(), static_cast<std::streamsize>(more.size()));
    };
    const std::size_t recordBytes = gen::BlockSizeOf({1, 7}) * 3;
    const Case cases[] = {
        {"first file holds more records than its share",
         [&](const Terminal& t) { append(file(t, 1), recordBytes * 7); }, kConvertOk, 12},
        {"last file holds more records than the count",
         [&](const Terminal& t) { append(file(t, 3), recordBytes * 50); }, kConvertOk, 12},
        {"BlockCount lower than the files hold",
         [](const Terminal& t) { t.EditCfg([](gen::IniDocument& d) { d.Set(L"cfg", L"BlockCount", L"6"); }); },
         kConvertOk, 6},
        {"a link to /dev/zero",
         [&](const Terminal& t) {
             fs::remove(file(t, 2));
             fs::create_symlink("/dev/zero", file(t, 2));
         },
         kConvertNotRegular, 0},
        {"a pipe", [&](const Terminal& t) {
             fs::remove(file(t, 2));
             ASSERT_EQ(::mkfifo(file(t, 2).c_str(), 0600), 0);
         },
         kConvertNotRegular, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        gen::StatisticFolderOptions options;
        options.items = {1, 7};
        options.records = 12;
        options.blockCountPerFile = 4;
        Terminal terminal(options);
        c.damage(terminal);
        SmallConverter converter(1 << 20, 64);
        // A conversion that reads on without end is stopped by a file size limit (so
        // the test fails rather than fill the disk) and one that blocks by a timeout.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{8 << 20, old.rlim_max};
        auto* previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        auto run = std::async(std::launch::async, [&] { return terminal.Convert(converter); });
        const bool finished = run.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        if (!finished) {
            // Lets a reader that waits on the pipe go on.
            const int writer = ::open(file(terminal, 2).c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) {
                ::close(writer);
            }
        }
        const int result = run.get();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previous);
        EXPECT_TRUE(finished) << "the conversion blocked";
        ASSERT_EQ(result, c.result);
        if (c.result == kConvertOk) {
            EXPECT_EQ(ReadFloats(terminal.ItemFolder() / "ESIN_VRMS.data").size(), c.records * 3 * gen::ItemFloats(1));
        } else {
            EXPECT_TRUE(FileNames(terminal.ItemFolder()).empty());
        }
    }
}

// Records of more than three blocks (a terminal that also stores its 95 % values):
// the item files hold the maximum, minimum and average of every record, as the item
// reader reads them, whatever the read chunks cut.
TEST(Convert, RecordsOfMoreBlockTypesGiveTheFirstThree)
{
    struct Case {
        std::uint32_t blockTypes;
        std::size_t readBlocks;  // read buffer in blocks; 0: the full buffer
    };
    const Case cases[] = {{4, 0}, {4, 3}, {5, 2}, {3, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.blockTypes) + " block types, " + std::to_string(c.readBlocks) + " blocks per read");
        gen::StatisticFolderOptions options;
        options.items = {1, 7, 25, 461};
        options.records = 7;
        options.blockCountPerFile = 3;
        options.blockTypeCount = c.blockTypes;
        Terminal terminal(options);
        const std::size_t blockSize = gen::BlockSizeOf(options.items);
        SmallConverter converter(c.readBlocks != 0 ? blockSize * c.readBlocks : 1 << 20, 40);
        ASSERT_EQ(terminal.Convert(converter), kConvertOk);
        ExpectExactItemFiles(terminal, options.records);
    }
}

// Block files that hold more blocks than "BlockCount" announces carry the count past
// the progress total: the percentage still stops at 99.5 until the end.
TEST(Convert, ProgressStaysBelowTheEndWhenTheFilesHoldMoreThanAnnounced)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7};
    options.records = 12;
    options.blockCountPerFile = 4;
    Terminal terminal(options);
    terminal.EditCfg([](gen::IniDocument& d) { d.Set(L"cfg", L"BlockCount", L"1"); });
    SmallConverter converter(1 << 20, 64);
    g_progress.clear();
    ASSERT_EQ(terminal.Convert(converter, Collect), kConvertOk);
    ASSERT_GE(g_progress.size(), 2u);
    EXPECT_TRUE(std::is_sorted(g_progress.begin(), g_progress.end()));
    EXPECT_EQ(g_progress.back(), 100.0);
    for (std::size_t i = 0; i + 1 < g_progress.size(); ++i) {
        EXPECT_LE(g_progress[i], 99.5) << "report " << i;
    }
}

TEST(Convert, ProgressStepsNeverPassTheEnd)
{
    CDataTransformManager converter;
    converter.ReportStep(1.0);  // no callback: nothing happens
    g_progress.clear();
    converter.SetProgressCallback(Collect);
    for (int i = 0; i < 500; ++i) {
        converter.ReportStep(0.23);
    }
    ASSERT_EQ(g_progress.size(), 500u);
    EXPECT_TRUE(std::is_sorted(g_progress.begin(), g_progress.end()));
    EXPECT_EQ(g_progress.back(), 99.5);
    EXPECT_NEAR(g_progress.front(), 0.23, 1e-12);
}

// Block folders without gaps, block files by number, other names skipped.
TEST(Convert, FindsTheBlockFilesInOrder)
{
    struct Case {
        const char* row;
        gen::StatisticFolderOptions options;
        std::vector<std::string> sources;  // "folder/name"
    };
    gen::StatisticFolderOptions gap;
    gap.records = 30;
    gap.blockCountPerFile = 10;
    gap.filesPerFolder = 1;
    gap.gapAfterFolder = 1;
    gen::StatisticFolderOptions numbers;
    numbers.records = 20;
    numbers.blockCountPerFile = 10;
    numbers.firstFileNumber = 9;
    gen::StatisticFolderOptions misnamed;
    misnamed.records = 20;
    misnamed.blockCountPerFile = 10;
    misnamed.defect = gen::StatisticDefect::MisnamedFiles;
    gen::StatisticFolderOptions upper = misnamed;
    upper.defect = gen::StatisticDefect::None;
    upper.nameCase = gen::NameCase::Upper;
    const Case cases[] = {
        {"001 and 003 without 002", gap, {"001/statistic1.data"}},
        {"9 before 10", numbers, {"001/statistic9.data", "001/statistic10.data"}},
        {"other names skipped", misnamed, {"001/statistic1.data", "001/statistic2.data"}},
        {"upper-case names", upper, {"001/STATISTIC1.DATA", "001/STATISTIC2.DATA"}},
    };
    for (const Case& c : cases) {
        Terminal terminal(c.options);
        fs::path statistic = terminal.Statistic();
        if (c.options.nameCase == gen::NameCase::Upper) {
            statistic = terminal.dir.Path() / "STATISTIC";
        }
        std::vector<fs::path> folders, sources;
        ASSERT_TRUE(CDataTransformManager::FindSources(statistic, folders, sources)) << c.row;
        std::vector<std::string> found;
        for (const fs::path& source : sources) {
            found.push_back(source.parent_path().filename().string() + "/" + source.filename().string());
        }
        EXPECT_EQ(found, c.sources) << c.row;
    }
}

TEST(Convert, SetPathAndDeleteDataFilesOnFoldersWithoutItemFiles)
{
    testsupport::TempDir dir;
    dir.Write("a.txt", "x");
    dir.Write("sub/b.data", "x");
    CDataTransformManager converter;
    EXPECT_EQ(converter.SetPath(Wide(dir.Path())), 0) << "only the folder itself counts";
    EXPECT_EQ(converter.DeleteDataFiles(Wide(dir.Path())), 1);
    dir.Write("OLD.DATA", "x");
    EXPECT_EQ(converter.SetPath(Wide(dir.Path()) + L"\\"), 1);
    EXPECT_EQ(converter.DeleteDataFiles(Wide(dir.Path())), 1);
    EXPECT_TRUE(fs::exists(dir / "OLD.DATA")) << "nothing goes before a conversion replaced it";
}

// The buffer sizes follow the free physical memory.
TEST(Convert, BufferSizeFollowsFreeMemory)
{
    struct Case {
        std::uint64_t available;
        std::size_t bytes;
    };
    const Case cases[] = {{0, 262144},
                          {774448274, 262144},
                          {774448275, 524288},
                          {1210075428, 524288},
                          {1210075429, 819200},
                          {std::uint64_t{1} << 36, 819200}};
    for (const Case& c : cases) {
        EXPECT_EQ(CDataTransformManager::BufferBytesFor(c.available), c.bytes) << c.available;
    }
}

// The converted item files, read through the statistic item reader, hold exactly
// the trend reader's series of the same folder: every item, phase, block type and
// sub-value, for K7700 and K7800 data.
// The item reader gives the trend reader's series, value for value and at the same
// record times, also where a block file was cut short (records of no value there).
TEST(Convert, ItemReaderGivesTheTrendReadersSeries)
{
    const std::pair<const wchar_t*, gen::StatisticDefect> rows[] = {
        {L"K7700", gen::StatisticDefect::None},
        {L"K7800", gen::StatisticDefect::None},
        {L"K7700", gen::StatisticDefect::TruncatedFile},
    };
    for (const auto& [device, defect] : rows) {
        SCOPED_TRACE(defect == gen::StatisticDefect::None ? "whole block files" : "second block file cut short");
        gen::StatisticFolderOptions options;
        options.defect = defect;
        options.items = {1, 7, 14, 22, 23, 24, 25, 30, 75, 125, 160, 210, 211, 212, 262, 312, 347,
                         397, 398, 399, 449, 454, 455, 460, 461};
        options.records = 11;
        options.blockCountPerFile = 4;
        options.deviceType = device;
        Terminal terminal(options);
        SmallConverter converter(1 << 20, 64);
        ASSERT_EQ(terminal.Convert(converter), kConvertOk);

        GlobalDataConfig::get_mutable_instance().SetKind(std::wstring(device) == L"K7700" ? CGlobalDataConfig::K7700
                                                                                          : CGlobalDataConfig::K7800);
        const std::array<std::uint32_t, 10> words = {2, 0, 2 + 8, 0, 8, 0, 0, 0, 0, 0};
        CK7700ZVViewAnalysis trend(1);
        trend.SetQueryParams(words);
        ASSERT_EQ(trend.LoadFile(Wide(terminal.dir.Path()), 0), 1);
        CK7700StatisticAnalysis items;
        items.SetQueryParams(words);
        ASSERT_EQ(items.LoadFile(Wide(terminal.dir.Path()), 1), 1);

        std::vector<std::unique_ptr<ItemRequest>> trendRequests, itemRequests;
        std::vector<ItemRequest*> trendList, itemList;
        for (const std::uint32_t item : options.items) {
            std::uint32_t head = item;
            for (const std::uint32_t first : {25u, 75u, 125u, 160u, 212u, 262u, 312u, 347u, 399u}) {
                const std::uint32_t size = first == 125 || first == 312 ? 35 : 50;
                if (item >= first && item < first + size) {
                    head = first;
                }
            }
            const std::int32_t order = static_cast<std::int32_t>(item - head);
            std::uint32_t view = 0;
            ASSERT_EQ(ItemToView(head, &view), 1);
            std::vector<std::uint32_t> views = {view};
            if (item == 25) {
                views.push_back(7);
            } else if (item == 212) {
                views.push_back(14);
            }
            if (item == 461) {
                views = {13012, 13013, 13014, 13015, 13016};
            }
            for (const std::uint32_t v : views) {
                for (std::uint32_t phase = 0; phase <= 4; ++phase) {
                    for (std::uint32_t type = 0; type <= 2; ++type) {
                        for (std::uint32_t sub = 0; sub <= 7; ++sub) {
                            for (auto* list : {&trendRequests, &itemRequests}) {
                                auto request = std::make_unique<ItemRequest>();
                                request->phase = phase;
                                request->blockType = type;
                                request->order = order;
                                request->subValue = sub;
                                request->viewId = v;
                                list->push_back(std::move(request));
                            }
                            trendList.push_back(trendRequests.back().get());
                            itemList.push_back(itemRequests.back().get());
                        }
                    }
                }
            }
        }
        ASSERT_EQ(trend.GetItemData(trendList), 1);
        ASSERT_EQ(items.GetItemData(itemList), 1);
        std::size_t compared = 0;
        for (std::size_t i = 0; i < trendList.size(); ++i) {
            const ItemRequest& t = *trendList[i];
            const ItemRequest& r = *itemList[i];
            if (t.enabled == 0) {
                continue;
            }
            const std::string row = "view " + std::to_string(t.viewId) + " order " + std::to_string(t.order) +
                                    " phase " + std::to_string(t.phase) + " type " + std::to_string(t.blockType) +
                                    " sub " + std::to_string(t.subValue);
            ASSERT_EQ(t.values.size(), 8u) << row;
            EXPECT_EQ(r.values, t.values) << row;
            if (defect != gen::StatisticDefect::None) {
                // Record 7 is one the cut file lacks (the request starts at 2), record 8
                // the first of the next file.
                EXPECT_TRUE(IsNoValue(r.values[5])) << row;
                EXPECT_FALSE(IsNoValue(r.values[3]) || IsNoValue(r.values[6])) << row;
            }
            ++compared;
        }
        EXPECT_GT(compared, 400u);
    }
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
}

}  // namespace
