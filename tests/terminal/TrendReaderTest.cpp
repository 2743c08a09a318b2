#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>

#include "TerminalTestSupport.h"
#include "platform/base/Encoding.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/ItemViewTable.h"
#include "terminal/RecordDataManager.h"
#include "terminal/ZVDataManager.h"
#include "tests/support/TempDir.h"

namespace {

using terminaltest::LogWatch;
using terminaltest::QueryWords;
using terminaltest::TrendReader;
using terminaltest::Wide;

// The family head of an item and the item's order in it.
std::pair<std::uint32_t, std::uint32_t> HeadAndOrder(std::uint32_t item)
{
    static const std::pair<std::uint32_t, std::uint32_t> families[] = {
        {25, 74}, {75, 124}, {125, 159}, {160, 209}, {212, 261}, {262, 311}, {312, 346}, {347, 396}, {399, 448}};
    for (const auto& [first, last] : families) {
        if (item >= first && item <= last) {
            return {first, item - first};
        }
    }
    return {item, 0};
}

std::uint32_t ViewOf(std::uint32_t item)
{
    std::uint32_t view = 0;
    ItemToView(item, &view);
    return view;
}

struct Loaded {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    std::unique_ptr<TrendReader> reader;
    int result = 0;

    Loaded(gen::StatisticFolderOptions o, std::uint32_t first, std::uint32_t count, bool streaming = false,
           std::uint32_t useDataFiles = 1, const std::filesystem::path& sub = {})
        : options(std::move(o)), reader(std::make_unique<TrendReader>(useDataFiles, streaming))
    {
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        reader->SetQueryParams(QueryWords(first, count));
        result = reader->LoadFile(Wide(sub.empty() ? dir.Path() : dir.Path() / sub), 0);
    }
};

std::vector<std::unique_ptr<ItemRequest>> EveryRequest(const std::vector<std::uint32_t>& items)
{
    std::vector<std::unique_ptr<ItemRequest>> requests;
    for (std::uint32_t item : items) {
        const auto [head, order] = HeadAndOrder(item);
        for (std::uint32_t phase = 0; phase <= 4; ++phase) {
            for (std::uint32_t type = 0; type <= 3; ++type) {
                for (std::uint32_t sub = 0; sub <= 7; ++sub) {
                    auto request = std::make_unique<ItemRequest>();
                    request->phase = phase;
                    request->blockType = type;
                    request->order = static_cast<std::int32_t>(order);
                    request->subValue = sub;
                    request->viewId = ViewOf(head);
                    requests.push_back(std::move(request));
                }
            }
        }
    }
    return requests;
}

// Every series of every item, in cache and in streaming mode: the same values, and
// the values the generator wrote at the resolved place.
TEST(TrendReader, CacheAndStreamingGiveTheSameSeries)
{
    gen::StatisticFolderOptions options;
    options.items = gen::AllStatisticItems();
    options.records = 12;
    options.blockCountPerFile = 5;
    Loaded cache(options, 2, 9);
    Loaded streaming(options, 2, 9, true);
    ASSERT_EQ(cache.result, 1);
    ASSERT_EQ(streaming.result, 1);
    EXPECT_TRUE(cache.reader->GetLoader().IsCacheMode());
    EXPECT_FALSE(streaming.reader->GetLoader().IsCacheMode());

    auto cached = EveryRequest(options.items);
    auto streamed = EveryRequest(options.items);
    std::vector<ItemRequest*> cachedList, streamedList;
    for (std::size_t i = 0; i < cached.size(); ++i) {
        cachedList.push_back(cached[i].get());
        streamedList.push_back(streamed[i].get());
    }
    ASSERT_EQ(cache.reader->GetItemData(cachedList), 1);
    ASSERT_EQ(streaming.reader->GetItemData(streamedList), 1);
    const std::uint32_t blockSize = gen::BlockSizeOf(options.items);
    std::size_t enabled = 0;
    for (std::size_t i = 0; i < cached.size(); ++i) {
        const ItemRequest& a = *cached[i];
        const ItemRequest& b = *streamed[i];
        const std::string row = "view " + std::to_string(a.viewId) + " order " + std::to_string(a.order) +
                                " phase " + std::to_string(a.phase) + " type " + std::to_string(a.blockType) +
                                " sub " + std::to_string(a.subValue);
        ASSERT_EQ(a.enabled, b.enabled) << row;
        ASSERT_EQ(a.values, b.values) << row;
        if (a.enabled == 0) {
            EXPECT_TRUE(a.values.empty()) << row;
            continue;
        }
        ++enabled;
        EXPECT_NE(a.blockType, 3u) << row << ": the 95 % value has no block of its own";
        const std::uint32_t inItem = a.subValueOffset + a.phaseOffset;
        ASSERT_LT(inItem, a.layout.size) << row << ": the value stays inside its item";
        ASSERT_EQ(a.layout.offset, gen::FloatIndexOf(options.items, a.layout.itemId) * 4) << row;
        const std::uint32_t floatIndex = (a.layout.offset + inItem) / 4;
        ASSERT_EQ(a.values.size(), 9u) << row;
        for (std::uint32_t r = 0; r < 9; ++r) {
            ASSERT_EQ(a.values[r], gen::StatisticValue(2 + r, a.blockType, floatIndex)) << row << " record " << r;
        }
        // The single-series query reads the same values.
        CRecordDataManager manager;
        ASSERT_EQ(streaming.reader->GetSeries(a.phase, a.blockType, a.order, a.subValue, a.viewId, &manager), 1);
        ASSERT_EQ(manager.GetCount(), 9u) << row;
        double value = 0.0;
        manager.GetValue(8, &value);
        EXPECT_EQ(value, a.values[8]) << row;
    }
    // Every float of a block is reachable through exactly the requests that name it.
    EXPECT_GT(enabled, blockSize / 4);
}

TEST(TrendReader, ResolvesRequestsToTheirValue)
{
    struct Case {
        const char* name;
        std::uint32_t phase, type;
        std::int32_t order;
        std::uint32_t sub, view;
        int category, subtype;
        int ok;
        std::uint32_t item, floatInItem;
    };
    const Case cases[] = {
        {"voltage L2 average", 1, 2, 0, 0, 1, 4, 2, 1, 1, 1},
        {"view 13014 reads unbalance at byte 8", 4, 0, 0, 0, 13014, 4, 2, 1, 461, 2},
        {"view 13015", 4, 1, 0, 0, 13015, 4, 2, 1, 461, 1},
        {"view 7 is the phase of harmonic 1", 2, 0, 5, 1, 7, 4, 2, 1, 25, 8 + 2},
        {"harmonic order 6 ratio of L2", 1, 0, 5, 2, 2000, 4, 2, 1, 30, 4 + 1},
        {"negative order counts as 0", 0, 0, -3, 1, 2000, 4, 2, 1, 25, 0},
        {"view 14 is the current harmonic phase", 0, 1, 0, 0, 14, 4, 2, 1, 212, 8},
        {"N on three-wire for view 15", 3, 0, 0, 0, 15, 3, 1, 1, 14, 3},
        {"N on three-wire for view 2", 3, 0, 0, 0, 2, 3, 1, 0, 0, 0},
        {"L3 missing on single phase", 2, 0, 0, 0, 1, 1, 1, 0, 0, 0},
        {"frequency without phase", 4, 0, 0, 0, 13017, 4, 2, 1, 7, 0},
        {"frequency N would read past the item", 3, 0, 0, 0, 13017, 4, 2, 0, 0, 0},
        {"unbalance N would read past its value", 3, 0, 0, 0, 13014, 4, 2, 0, 0, 0},
        {"power harmonic N is not a channel", 3, 0, 0, 1, 12000, 4, 2, 0, 0, 0},
        {"sub-value the harmonic lacks", 0, 0, 0, 4, 2000, 4, 2, 0, 0, 0},
        {"block type 3 has no block", 0, 3, 0, 0, 1, 4, 2, 0, 0, 0},
        {"block type 4 reads block 0", 0, 4, 0, 0, 1, 4, 2, 1, 1, 0},
        {"phase 5", 5, 0, 0, 0, 1, 4, 2, 0, 0, 0},
        {"item not listed", 0, 0, 0, 0, 8, 4, 2, 0, 0, 0},
        {"order past the listed family members", 0, 0, 2, 1, 2000, 4, 2, 0, 0, 0},
        {"family member view", 0, 0, 0, 1, 2005, 4, 2, 0, 0, 0},
    };
    std::map<std::pair<int, int>, std::unique_ptr<Loaded>> folders;  // one per wiring
    for (const Case& c : cases) {
        gen::StatisticFolderOptions options;
        options.items = {1, 7, 14, 25, 26, 30, 212, 399, 461};
        options.records = 6;
        options.wiringCategory = c.category;
        options.wiringSubtype = c.subtype;
        auto& folder = folders[{c.category, c.subtype}];
        if (!folder) {
            folder = std::make_unique<Loaded>(options, 1, 4);
        }
        Loaded& loaded = *folder;
        ASSERT_EQ(loaded.result, 1) << c.name;
        ItemRequest request;
        request.phase = c.phase;
        request.blockType = c.type;
        request.order = c.order;
        request.subValue = c.sub;
        request.viewId = c.view;
        std::vector<ItemRequest*> list = {&request};
        loaded.reader->GetItemData(list);
        ASSERT_EQ(request.enabled, static_cast<std::uint32_t>(c.ok)) << c.name;
        CRecordDataManager manager;
        if (c.type != 3) {  // for a single series, type 3 asks for the 95 % value
            EXPECT_EQ(loaded.reader->GetSeries(c.phase, c.type, c.order, c.sub, c.view, &manager), c.ok) << c.name;
        }
        if (c.ok == 0) {
            EXPECT_EQ(manager.GetCount(), 0u) << c.name;
            continue;
        }
        EXPECT_EQ(request.layout.itemId, c.item) << c.name;
        const std::uint32_t floatIndex = gen::FloatIndexOf(options.items, c.item) + c.floatInItem;
        const std::uint32_t type = c.type == 4 ? 0 : c.type;
        ASSERT_EQ(request.values.size(), 4u) << c.name;
        EXPECT_EQ(request.values[3], gen::StatisticValue(4, type, floatIndex)) << c.name;
    }
}

TEST(TrendReader, NinetyFifthPercentileOfTheMaximumSeries)
{
    gen::StatisticFolderOptions options;
    options.records = 40;
    Loaded loaded(options, 0, 40);
    ASSERT_EQ(loaded.result, 1);
    CRecordDataManager manager;
    manager.AddValue(99.0);  // Release empties it first
    ASSERT_EQ(loaded.reader->GetSeries(1, 3, 0, 0, 1, &manager), 1);
    ASSERT_EQ(manager.GetCount(), 2u);
    std::vector<std::pair<float, std::uint32_t>> series;
    for (std::uint32_t r = 0; r < 40; ++r) {
        series.emplace_back(gen::StatisticValue(r, 0, 1), r);
    }
    std::stable_sort(series.begin(), series.end(), [](auto& a, auto& b) { return a.first < b.first; });
    double index = 0.0, value = 0.0;
    manager.GetValue(0, &index);
    manager.GetValue(1, &value);
    EXPECT_EQ(value, series[37].first) << "40 values: rank 37";
    EXPECT_EQ(index, series[37].second);
    EXPECT_EQ(loaded.reader->GetSeries(1, 3, 0, 0, 1, nullptr), 1);
}

// The histograms ask for one figure per series; it is the figure the series gives
// value by value: the extremes and the mean of the rounded values, and the 95 % value
// of the maximum series.
TEST(TrendReader, HistogramFiguresAreThoseOfTheWholeSeries)
{
    gen::StatisticFolderOptions options;
    options.records = 40;
    Loaded loaded(options, 0, 40);
    ASSERT_EQ(loaded.reader->GetSeries(1, 0, 0, 0, 1, nullptr), 1);
    std::vector<double> figures;
    for (std::uint32_t type = 0; type <= 2; ++type) {
        CComtradeDataManager series;
        ASSERT_EQ(loaded.reader->GetSeries(1, type, 0, 0, 1, &series), 1);
        double sum = 0.0;
        for (const double v : series.GetSeries()) {
            sum += v;
        }
        const double mean = sum / static_cast<double>(series.GetSeries().size());
        figures.push_back(type == 0 ? series.GetMaxValue() : type == 1 ? series.GetMinValue() : mean);
    }
    std::vector<float> maxima;
    for (std::uint32_t r = 0; r < 40; ++r) {
        maxima.push_back(gen::StatisticValue(r, 0, 1));
    }
    std::sort(maxima.begin(), maxima.end());
    figures.push_back(maxima[37]);  // 40 values: rank 37
    static const char* const kNames[] = {"maximum", "minimum", "average", "95 % value"};
    for (std::uint32_t kind = 0; kind <= 3; ++kind) {
        CHarmHistDataManager histogram;
        histogram.WantFigureOnly();
        ASSERT_EQ(loaded.reader->GetSeries(1, kind, 0, 0, 1, &histogram), 1) << kNames[kind];
        float shown = -1.0f;
        ASSERT_TRUE(histogram.GetStatistic(kind, &shown)) << kNames[kind];
        EXPECT_EQ(shown, static_cast<float>(figures[kind])) << kNames[kind];
    }
}

// Records the terminal did not write are gaps: the histogram's figures are those of the
// records that hold values, never pulled towards the no-value marker.
TEST(TrendReader, HistogramFiguresLeaveGapsOut)
{
    gen::StatisticFolderOptions options;
    options.records = 40;
    options.noValueRecords = {0, 7, 21};
    Loaded loaded(options, 0, 40);
    ASSERT_EQ(loaded.reader->GetSeries(1, 0, 0, 0, 1, nullptr), 1);
    std::vector<float> maxima;
    float maximum = -1e30f;
    float minimum = 1e30f;
    double sum = 0.0;
    for (std::uint32_t r = 0; r < 40; ++r) {
        if (r == 0 || r == 7 || r == 21) {
            continue;
        }
        maxima.push_back(gen::StatisticValue(r, 0, 1));
        maximum = std::max(maximum, gen::StatisticValue(r, 0, 1));
        minimum = std::min(minimum, gen::StatisticValue(r, 1, 1));
        sum += gen::StatisticValue(r, 2, 1);
    }
    std::sort(maxima.begin(), maxima.end());
    const double figures[] = {maximum, minimum, sum / 37.0, maxima[34]};  // 37 values: rank 34
    static const char* const kNames[] = {"maximum", "minimum", "average", "95 % value"};
    for (std::uint32_t kind = 0; kind <= 3; ++kind) {
        CHarmHistDataManager histogram;
        histogram.WantFigureOnly();
        ASSERT_EQ(loaded.reader->GetSeries(1, kind, 0, 0, 1, &histogram), 1) << kNames[kind];
        float shown = -1.0f;
        ASSERT_TRUE(histogram.GetStatistic(kind, &shown)) << kNames[kind];
        EXPECT_NEAR(shown, figures[kind], 1e-3 * std::max(1.0, std::abs(figures[kind]))) << kNames[kind];
    }
}

TEST(TrendReader, DescribesTheFolder)
{
    setenv("TZ", "UTC", 1);
    tzset();
    gen::StatisticFolderOptions options;
    options.items = {25, 212, 461, 7};
    options.startHour = 6;
    Loaded loaded(options, 10, 5);
    ASSERT_EQ(loaded.result, 1);
    BasicInfo info;
    ASSERT_EQ(loaded.reader->GetBasicInfo(&info), 1);
    EXPECT_EQ(info.startText, L"2026-03-01 06:10:00.000");
    EXPECT_EQ(info.interval, 60.0);
    EXPECT_EQ(info.recordCount, 5u);
    EXPECT_EQ(info.phaseMask, 15u);
    EXPECT_EQ(info.viewIds,
              (std::vector<std::uint32_t>{7, 14, 2000, 7000, 13013, 13014, 13015, 13016, 13017}));
    EXPECT_EQ(info.ptText, L"10kV/100V");

    loaded.reader->ReleaseFile();
    EXPECT_EQ(loaded.reader->GetBasicInfo(&info), 0);
    EXPECT_TRUE(loaded.reader->GetItems().empty());
}

TEST(TrendReader, ItemThousandListsEveryItem)
{
    gen::StatisticFolderOptions options;
    options.items = gen::AllStatisticItems();
    options.itemText = L"1,2,1000,5";
    options.records = 2;
    Loaded loaded(options, 0, 2);
    ASSERT_EQ(loaded.result, 1);
    EXPECT_EQ(loaded.reader->GetItems(), gen::AllStatisticItems());
    ASSERT_EQ(loaded.reader->GetItemLayout().size(), 461u);
    EXPECT_EQ(loaded.reader->GetItemLayout().back().offset, gen::FloatIndexOf(options.items, 461) * 4);
}

// Records of four blocks: every offset steps by BlockTypeCount blocks, and the fourth
// block is a block of its own.
TEST(TrendReader, RecordsOfFourBlocks)
{
    gen::StatisticFolderOptions options;
    options.blockTypeCount = 4;
    options.records = 30;
    for (bool streaming : {false, true}) {
        Loaded loaded(options, 3, 20, streaming);
        ASSERT_EQ(loaded.result, 1);
        ItemRequest fourth;
        fourth.phase = 2;
        fourth.blockType = 3;
        fourth.viewId = 1;
        std::vector<ItemRequest*> list = {&fourth};
        ASSERT_EQ(loaded.reader->GetItemData(list), 1);
        ASSERT_EQ(fourth.enabled, 1u);
        EXPECT_EQ(fourth.values[19], gen::StatisticValue(22, 3, 2)) << streaming;
        CRecordDataManager manager;
        ASSERT_EQ(loaded.reader->GetSeries(2, 2, 0, 0, 1, &manager), 1);
        double value = 0.0;
        manager.GetValue(19, &value);
        EXPECT_EQ(value, gen::StatisticValue(22, 2, 2)) << streaming;
    }
}

TEST(TrendReader, RecordCountZeroLoadsTheDescriptionOnly)
{
    Loaded loaded(gen::StatisticFolderOptions{}, 0, 0);
    ASSERT_EQ(loaded.result, 1);
    EXPECT_EQ(loaded.reader->GetLoader().GetLoadedLength(), 0u);
    ItemRequest request;
    request.phase = 0;
    request.viewId = 1;
    std::vector<ItemRequest*> list = {&request};
    EXPECT_EQ(loaded.reader->GetItemData(list), 0);
    EXPECT_EQ(request.enabled, 0u);
    EXPECT_TRUE(request.values.empty());
}

TEST(TrendReader, IndexFilesAndNameVariants)
{
    gen::StatisticFolderOptions options;
    options.records = 200;
    options.blockCountPerFile = 50;
    options.nameCase = gen::NameCase::Upper;
    Loaded index(options, 3, 12, false, 0);
    ASSERT_EQ(index.result, 1);
    BasicInfo info;
    index.reader->GetBasicInfo(&info);
    EXPECT_EQ(info.interval, 600.0) << "an index record stands for ten intervals";
    CRecordDataManager manager;
    ASSERT_EQ(index.reader->GetSeries(0, 2, 0, 0, 1, &manager), 1);
    ASSERT_EQ(manager.GetCount(), 12u);
    double value = 0.0;
    manager.GetValue(11, &value);
    EXPECT_EQ(value, gen::StatisticIndexValue(14, 2, 0));

    options.nameCase = gen::NameCase::Lower;
    options.format.encoding = platform::TextEncoding::Utf16LE;
    Loaded lower(options, 0, 200, true);
    ASSERT_EQ(lower.result, 1);

    testsupport::TempDir boards;
    ASSERT_TRUE(gen::WriteBoardFolders(boards.Path(), gen::StatisticFolderOptions{}, 2));
    TrendReader reader;
    reader.SetQueryParams(QueryWords(0, 50));
    EXPECT_EQ(reader.LoadFile(Wide(boards.Path() / "Board2"), 0), 1);
}

// Every broken folder gives its clear result: a refused load with one log line, or a
// load whose missing values read as no value.
TEST(TrendReader, BrokenFolders)
{
    struct Case {
        const char* name;
        gen::StatisticDefect defect;
        std::uint32_t useDataFiles;
        int result;
        int logLines;
        const wchar_t* itemText = nullptr;
    };
    const Case cases[] = {
        {"BlockSize larger than the items", gen::StatisticDefect::LayoutMismatch, 1, 0, 1},
        {"items larger than BlockSize", gen::StatisticDefect::None, 1, 0, 1, L"1,7,25,461,2"},
        {"an item id without a view", gen::StatisticDefect::None, 1, 0, 1, L"1,7,25,461,999"},
        {"index files without records", gen::StatisticDefect::SmallBlockCountPerFile, 0, 0, 1},
        {"negative BlockSize", gen::StatisticDefect::NegativeBlockSize, 1, 0, 1},
        {"no TimePlot", gen::StatisticDefect::MissingTimePlot, 1, 0, 1},
        {"no Item", gen::StatisticDefect::MissingItem, 1, 0, 1},
        {"empty Item piece", gen::StatisticDefect::EmptyItemPiece, 1, 0, 1},
        {"no millisecond key", gen::StatisticDefect::MissingMillisecond, 1, 0, 1},
        {"no MVA text", gen::StatisticDefect::MissingSysInfoText, 1, 0, 1},
        {"no block folder", gen::StatisticDefect::NoBlockFolder, 1, 0, 1},
        {"truncated block file", gen::StatisticDefect::TruncatedFile, 1, 1, 1},
        {"empty block file", gen::StatisticDefect::EmptyFile, 1, 1, 1},
        {"misnamed block files", gen::StatisticDefect::MisnamedFiles, 1, 1, 0},
        {"zero ratio divisor", gen::StatisticDefect::ZeroRatioDivisor, 1, 1, 0},
    };
    for (const Case& c : cases) {
        gen::StatisticFolderOptions options;
        options.defect = c.defect;
        if (c.itemText != nullptr) {
            options.itemText = c.itemText;
        }
        LogWatch log;
        Loaded loaded(options, 0, c.useDataFiles != 0 ? 50 : 4, false, c.useDataFiles);
        EXPECT_EQ(loaded.result, c.result) << c.name;
        EXPECT_EQ(log.NewLines(), c.logLines) << c.name << ": " << log.NewText();
        if (c.result == 0) {
            BasicInfo info;
            EXPECT_EQ(loaded.reader->GetBasicInfo(&info), 0) << c.name;
            EXPECT_EQ(loaded.reader->GetSeries(0, 0, 0, 0, 1, nullptr), 0) << c.name;
        }
    }

    gen::StatisticFolderOptions options;
    options.defect = gen::StatisticDefect::ZeroRatioDivisor;
    Loaded loaded(options, 0, 10);
    BasicInfo info;
    ASSERT_EQ(loaded.reader->GetBasicInfo(&info), 1);
    EXPECT_EQ(info.ptRatioText, L"unknown");
    EXPECT_EQ(info.voltageText, L"unknown");

    options.defect = gen::StatisticDefect::TruncatedFile;
    Loaded truncated(options, 0, 50, true);
    CRecordDataManager manager;
    const double low = 0.0, high = 1.0;
    manager.SetLimits(&low, &high, CRecordDataManager::NoLimits, kNoValue);
    ASSERT_EQ(truncated.reader->GetSeries(0, 0, 0, 0, 1, &manager), 1);
    double value = 0.0;
    manager.GetValue(35, &value);
    EXPECT_TRUE(IsNoValue(value));
    manager.GetValue(45, &value);
    EXPECT_EQ(value, gen::StatisticValue(45, 0, 0));
}

// A damaged "TimePlot" (any negative number but -1 passes as a huge interval) with a
// far first record: the start time's offset does not fit 64 bits. The load is refused
// by the loader (the record lies beyond the files), and nothing on the way overflows.
TEST(TrendReader, HugeIntervalTimesAFarFirstRecord)
{
    gen::StatisticFolderOptions options;
    options.timePlot = -5;
    LogWatch log;
    Loaded loaded(options, 0xFFFFFFF0u, 5);
    EXPECT_EQ(loaded.result, 0);
    EXPECT_EQ(log.NewLines(), 1) << log.NewText();
}

// The sample folder's values are plausible measurements, not the test pattern.
TEST(TrendReader, PlausibleValues)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 25, 461};
    options.records = 30;
    options.realisticValues = true;
    Loaded loaded(options, 0, 30);
    ASSERT_EQ(loaded.result, 1);
    struct Case {
        const char* name;
        std::uint32_t phase, type, sub, view;
        double low, high;
    };
    const Case cases[] = {
        {"voltage L1 average", 0, 2, 0, 1, 220.0, 240.0},
        {"voltage maximum above minimum", 0, 0, 0, 1, 220.0, 242.0},
        {"frequency", 4, 2, 0, 13017, 49.9, 50.1},
        {"fundamental ratio", 0, 2, 2, 2000, 99.0, 101.0},
        {"negative-sequence unbalance", 4, 2, 0, 13013, 0.0, 1.0},
    };
    for (const Case& c : cases) {
        CRecordDataManager manager;
        ASSERT_EQ(loaded.reader->GetSeries(c.phase, c.type, 0, c.sub, c.view, &manager), 1) << c.name;
        EXPECT_GE(manager.GetMinValue(), c.low) << c.name;
        EXPECT_LE(manager.GetMaxValue(), c.high) << c.name;
    }
}

}  // namespace
