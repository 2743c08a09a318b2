#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/base/Encoding.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/K7700StatisticAnalysis.h"
#include "terminal/RecordDataManager.h"
#include "terminal/StatCube.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ItemFiles.h"

namespace {

namespace fs = std::filesystem;

// Items of every kind of layout: single, three-phase, one-channel, with two and three
// kinds, families, unbalance.
const std::vector<std::uint32_t> kItems = {1, 7, 19, 23, 24, 25, 30, 212, 398, 399, 449, 455, 461};

std::array<std::uint32_t, 10> Query(std::uint32_t first, std::uint32_t count)
{
    return {first, 0, first + count, 0, count, 0, 0, 0, 0, 0};
}

// A K7700 folder with description files and item files (and no block files).
struct ItemFolder {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;

    explicit ItemFolder(std::uint64_t records = 12, std::vector<std::uint64_t> noValueRecords = {},
                        std::vector<std::uint32_t> items = kItems)
    {
        GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
        options.items = std::move(items);
        options.records = records;
        options.noValueRecords = std::move(noValueRecords);
        options.blockCountPerFile = 4;
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        EXPECT_TRUE(gen::WriteItemFiles(dir.Path() / "Statistic" / "newfiles", options));
    }
    ~ItemFolder() { GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown); }
    std::wstring Path() const { return platform::FromPath(dir.Path()); }
};

std::vector<double> Values(CRecordDataManager& manager)
{
    std::vector<double> values;
    for (std::uint64_t i = 0; i < manager.GetCount(); ++i) {
        double value = 0.0;
        manager.GetValue(static_cast<std::int64_t>(i), &value);
        values.push_back(value);
    }
    return values;
}

// Where a request's values lie: the item file and the value inside a record.
TEST(ItemReader, ResolvesRequestsToItemFileAndValue)
{
    ItemFolder folder;
    CK7700StatisticAnalysis reader;
    reader.SetQueryParams(Query(0, 12));
    ASSERT_EQ(reader.LoadFile(folder.Path(), 1), 1);
    struct Case {
        const char* row;
        std::uint32_t phase, blockType;
        std::int32_t order;
        std::uint32_t subValue, view;
        const wchar_t* file;  // null: refused
        std::uint32_t valueIndex;
    };
    const Case cases[] = {
        {"sixth voltage harmonic", 1, 0, 5, 1, 2000, L"ESIN_V_HARM_6_EFF", 1},
        {"harmonic ratio, average, N", 3, 2, 0, 2, 2000, L"ESIN_V_HARM_1_RAT", 11},
        {"current harmonic phase angle", 0, 1, 0, 3, 7000, L"ESIN_A_HARM_1_PHA", 4},
        {"view 7 is the fundamental's phase angle", 2, 2, 0, 1, 7, L"ESIN_V_HARM_1_PHA", 10},
        {"DC keeps its name whatever the order", 0, 0, 3, 2, 25, L"ESIN_V_DC_RAT", 0},
        {"unbalance sub-value 5", 4, 0, 0, 0, 13015, L"ESIN_UNBAL", 1},
        {"unbalance sub-value 7, minimum", 4, 1, 0, 0, 13016, L"ESIN_UNBAL", 7},
        {"frequency", 0, 2, 0, 0, 13017, L"ESIN_FREQ", 2},
        {"energy maximum", 0, 0, 0, 0, 20, L"ESIN_WH", 0},
        {"energy 95 % value", 1, 3, 0, 0, 20, nullptr, 0},
        {"energy minimum", 0, 1, 0, 0, 20, nullptr, 0},
        {"no-phase value", 4, 4, 0, 0, 1, L"ESIN_VRMS", 0},
        {"power harmonic on N", 3, 0, 0, 1, 12000, nullptr, 0},
        {"power harmonic, L3", 2, 0, 0, 1, 12000, L"ESIN_W_HARM_1_EFF", 2},
        {"frequency on L2", 1, 0, 0, 0, 13017, nullptr, 0},
        {"harmonic sub-value 4", 0, 0, 0, 4, 2000, nullptr, 0},
        {"block type 3 is no block", 0, 3, 0, 0, 1, nullptr, 0},
        {"item file not converted", 0, 0, 40, 1, 2000, nullptr, 0},
        {"unknown view", 0, 0, 0, 0, 99, nullptr, 0},
        {"phase 5", 5, 0, 0, 0, 1, nullptr, 0},
    };
    for (const Case& c : cases) {
        const auto location = reader.Resolve(c.phase, c.blockType, c.order, c.subValue, c.view);
        if (c.file == nullptr) {
            EXPECT_FALSE(location) << c.row;
            continue;
        }
        ASSERT_TRUE(location) << c.row;
        EXPECT_EQ(location->fileName, c.file) << c.row;
        EXPECT_EQ(location->valueIndex, c.valueIndex) << c.row;
    }
}

// Series are the generator's values of the requested records, by either query.
TEST(ItemReader, ReadsTheRequestedRecords)
{
    ItemFolder folder;
    CK7700StatisticAnalysis reader;
    reader.SetQueryParams(Query(3, 6));
    ASSERT_EQ(reader.LoadFile(folder.Path(), 1), 1);
    BasicInfo info;
    ASSERT_EQ(reader.GetBasicInfo(&info), 1);
    EXPECT_EQ(info.interval, 60.0);
    EXPECT_EQ(info.recordCount, 6u);
    for (const std::uint32_t view : {1u, 7u, 14u, 13013u, 13016u, 13017u, 2000u}) {
        EXPECT_NE(std::find(info.viewIds.begin(), info.viewIds.end(), view), info.viewIds.end()) << view;
    }

    // The sixth voltage harmonic (item 30), ratio kind, L3, minimum.
    const std::uint32_t floatIndex = gen::FloatIndexOf(kItems, 30) + 4 + 2;
    CRecordDataManager manager;
    ASSERT_EQ(reader.GetData(2, 1, 5, 2, 2000, reinterpret_cast<QueryWord>(&manager)), 1);
    std::vector<double> expected;
    for (std::uint64_t r = 3; r < 9; ++r) {
        expected.push_back(gen::StatisticValue(r, 1, floatIndex));
    }
    EXPECT_EQ(Values(manager), expected);

    ItemRequest request;
    request.phase = 2;
    request.blockType = 1;
    request.order = 5;
    request.subValue = 2;
    request.viewId = 2000;
    ItemRequest refused = request;
    refused.phase = 5;
    std::vector<ItemRequest*> requests = {&request, &refused};
    ASSERT_EQ(reader.GetItemData(requests), 1);
    EXPECT_EQ(request.enabled, 1u);
    EXPECT_EQ(std::vector<double>(request.values.begin(), request.values.end()), expected);
    EXPECT_EQ(refused.enabled, 0u);
    EXPECT_TRUE(refused.values.empty());

    // The 95 % value: record index and value of the maximum series.
    CRecordDataManager p95;
    ASSERT_EQ(reader.GetData(0, 3, 0, 0, 1, reinterpret_cast<QueryWord>(&p95)), 1);
    std::vector<double> maxima;
    for (std::uint64_t r = 3; r < 9; ++r) {
        maxima.push_back(gen::StatisticValue(r, 0, gen::FloatIndexOf(kItems, 1)));
    }
    const auto top = std::max_element(maxima.begin(), maxima.end());
    EXPECT_EQ(Values(p95), (std::vector<double>{static_cast<double>(top - maxima.begin()), *top}))
        << "six values: rank 5, the largest";
}

TEST(ItemReader, LoadsOnlyConvertedFolders)
{
    {
        ItemFolder folder(0);
        CK7700StatisticAnalysis reader;
        reader.SetQueryParams(Query(0, 0));
        ASSERT_EQ(reader.LoadFile(folder.Path(), 1), 1) << "record count 0 loads";
        CRecordDataManager manager;
        EXPECT_EQ(reader.GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(&manager)), 1);
        EXPECT_EQ(manager.GetCount(), 0u);
        EXPECT_EQ(reader.ReleaseFile(), 1);
        BasicInfo info;
        EXPECT_EQ(reader.GetBasicInfo(&info), 0);
    }
    ItemFolder folder;
    fs::remove(folder.dir.Path() / "Statistic" / "newfiles" / "ESIN_W_HARM_1_PHA.data");
    CK7700StatisticAnalysis reader;
    reader.SetQueryParams(Query(0, 12));
    EXPECT_EQ(reader.LoadFile(folder.Path(), 1), 0) << "an item file is missing";
    EXPECT_EQ(reader.LoadFile(L"", 1), 0);
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7900);
    EXPECT_EQ(reader.LoadFile(folder.Path(), 1), 0) << "K7900 data has no item files";
}

class ShortOfMemory : public CK7700StatisticAnalysis {
protected:
    bool MemoryIsShort() const override { return true; }
};

// An item file is read once per view group; under memory pressure the oldest file
// of the group gives way.
TEST(ItemReader, CachesItemFilesPerGroup)
{
    ItemFolder folder;
    const fs::path thd = folder.dir.Path() / "Statistic" / "newfiles" / "ESIN_V_THD.data";
    const auto overwrite = [&] {
        std::fstream file(thd, std::ios::in | std::ios::out | std::ios::binary);
        const float value = -1.0f;
        file.write(reinterpret_cast<const char*>(&value), 4);
    };
    const auto first = [](CK7700StatisticAnalysis& reader) {
        CRecordDataManager manager;
        reader.GetData(0, 0, 0, 0, 24, reinterpret_cast<QueryWord>(&manager));
        double value = 0.0;
        manager.GetValue(0, &value);
        return value;
    };
    const double original = gen::StatisticValue(0, 0, gen::FloatIndexOf(kItems, 23));
    CK7700StatisticAnalysis plenty;
    ShortOfMemory scarce;
    for (CK7700StatisticAnalysis* reader : {static_cast<CK7700StatisticAnalysis*>(&plenty),
                                            static_cast<CK7700StatisticAnalysis*>(&scarce)}) {
        reader->SetQueryParams(Query(0, 12));
        ASSERT_EQ(reader->LoadFile(folder.Path(), 1), 1);
        EXPECT_EQ(first(*reader), original);
        CRecordDataManager other;  // a harmonic: the same "View" group as ESIN_V_THD
        ASSERT_EQ(reader->GetData(0, 0, 0, 1, 2000, reinterpret_cast<QueryWord>(&other)), 1);
    }
    overwrite();
    EXPECT_EQ(first(plenty), original) << "read from the cache";
    EXPECT_EQ(first(scarce), -1.0) << "dropped from the cache, read again";
}

// The histogram bar of a request: from the collector's cells when it has them,
// else computed from the item file.
TEST(ItemReader, GivesHistogramSummaries)
{
    ItemFolder folder;
    CK7700StatisticAnalysis reader;
    reader.SetQueryParams(Query(0, 12));
    ASSERT_EQ(reader.LoadFile(folder.Path(), 1), 1);
    const std::uint32_t floatIndex = gen::FloatIndexOf(kItems, 30);  // sixth harmonic, EFF, L1
    std::vector<double> series[3];
    for (std::uint32_t type = 0; type < 3; ++type) {
        for (std::uint64_t r = 0; r < 12; ++r) {
            series[type].push_back(gen::StatisticValue(r, type, floatIndex));
        }
    }
    double sum = 0.0;
    for (double v : series[2]) {
        sum += v;
    }
    std::vector<double> sorted = series[2];
    std::sort(sorted.begin(), sorted.end());
    struct Case {
        std::uint32_t blockType;
        double expected;
    };
    const Case cases[] = {{0, *std::max_element(series[0].begin(), series[0].end())},
                          {1, *std::min_element(series[1].begin(), series[1].end())},
                          {2, sum / 12.0},
                          {3, sorted[10]}};  // rank 12 × 0.95 + 0.5 − 1 = 11 − 1
    for (const Case& c : cases) {
        CHarmHistDataManager manager;
        ASSERT_EQ(reader.GetData(0, c.blockType, 5, 1, 2000, reinterpret_cast<QueryWord>(&manager)), 1)
            << c.blockType;
        ASSERT_EQ(manager.GetSeries().size(), 1u) << c.blockType;
        EXPECT_NEAR(manager.GetSeries()[0], c.expected, 0.0005) << "block type " << c.blockType;
    }

    CStatCube cube;
    CStatValue cell;
    cell.maximum = 7.0004f;
    cell.minimum = 1.0f;
    cell.sum = 10.0f;
    cell.percentile95 = 6.5f;
    cell.count = 4;
    cell.valid = 1;
    cube.SetCell(0, 0, 5, 0, cell);  // family 0 (2000), value type 0 (effective value), order 5, L1
    cube.ready = 1;
    reader.SetSummaryCube(&cube);
    CHarmHistDataManager fromCube;
    ASSERT_EQ(reader.GetData(0, 2, 5, 1, 2000, reinterpret_cast<QueryWord>(&fromCube)), 1);
    EXPECT_DOUBLE_EQ(fromCube.GetSeries()[0], 2.5) << "sum ÷ count";
    EXPECT_TRUE(fromCube.GetSummary().precomputed);
    // The cell is the effective value's: the ratio of the same order is not in the
    // cube and comes from the item file.
    CHarmHistDataManager ratio;
    ASSERT_EQ(reader.GetData(0, 2, 5, 2, 2000, reinterpret_cast<QueryWord>(&ratio)), 1);
    EXPECT_FALSE(ratio.GetSummary().precomputed);
    const CStatValue stored = cube.GetCell(0, 0, 5, 0);
    EXPECT_FLOAT_EQ(stored.maximum, 7.0f) << "rounded to three decimals";
    EXPECT_EQ(cube.GetCell(3, 0, 0, 0).maximum, 0.0f) << "an empty cell reads 0";
}

// Without the collector's cells a histogram bar is computed from the item file: the
// intervals the terminal could not measure take no part (the marker once became every
// minimum and pulled every mean down), and a range of them alone has no bar.
TEST(ItemReader, HistogramSummariesFromTheFileLeaveNoValueIntervalsOut)
{
    struct Case {
        const char* row;
        std::vector<std::uint64_t> noValue;
    };
    const Case cases[] = {
        {"every interval measured", {}},
        {"two intervals without value", {2, 7}},
        {"only the last interval measured", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"no interval measured", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    };
    const std::uint32_t floatIndex = gen::FloatIndexOf(kItems, 30);  // sixth harmonic, EFF, L1
    for (const Case& c : cases) {
        ItemFolder folder(12, c.noValue);
        CK7700StatisticAnalysis reader;
        reader.SetQueryParams(Query(0, 12));
        ASSERT_EQ(reader.LoadFile(folder.Path(), 1), 1) << c.row;
        std::vector<double> series[3];
        for (std::uint64_t r = 0; r < 12; ++r) {
            if (std::find(c.noValue.begin(), c.noValue.end(), r) != c.noValue.end()) {
                continue;
            }
            for (std::uint32_t type = 0; type < 3; ++type) {
                series[type].push_back(gen::StatisticValue(r, type, floatIndex));
            }
        }
        for (std::uint32_t kind = 0; kind < 4; ++kind) {
            CHarmHistDataManager manager;
            const int answer = reader.GetData(0, kind, 5, 1, 2000, reinterpret_cast<QueryWord>(&manager));
            if (series[0].empty()) {
                EXPECT_EQ(answer, 0) << c.row << ", kind " << kind << ": no bar";
                continue;
            }
            ASSERT_EQ(answer, 1) << c.row << ", kind " << kind;
            std::vector<double> averages = series[2];
            std::sort(averages.begin(), averages.end());
            const auto rank = static_cast<std::size_t>(static_cast<float>(averages.size()) * 0.95f + 0.5f);
            double sum = 0.0;
            for (const double v : averages) {
                sum += v;
            }
            const double expected[] = {*std::max_element(series[0].begin(), series[0].end()),
                                       *std::min_element(series[1].begin(), series[1].end()),
                                       sum / static_cast<double>(averages.size()), averages[rank - 1]};
            float value = 0.0f;
            ASSERT_TRUE(manager.GetStatistic(kind, &value)) << c.row << ", kind " << kind;
            EXPECT_NEAR(value, expected[kind], 0.001) << c.row << ", kind " << kind;
        }
    }
}

// The energies (views 20-22) keep one value set. Their 95 % value is one answer,
// whether the histogram or the trend asks: the 95 % value of that set.
TEST(ItemReader, OneValueSetGivesOneNinetyFifthPercentileByEitherPath)
{
    const std::vector<std::uint32_t> energies = {19, 20, 21};  // views 20, 21, 22
    ItemFolder folder(20, {}, energies);
    CK7700StatisticAnalysis reader;
    reader.SetQueryParams(Query(0, 20));
    ASSERT_EQ(reader.LoadFile(folder.Path(), 1), 1);
    for (const std::uint32_t item : energies) {
        const std::uint32_t view = item + 1;
        std::vector<double> values;
        for (std::uint64_t r = 0; r < 20; ++r) {
            values.push_back(gen::StatisticValue(r, 0, gen::FloatIndexOf(energies, item) + 1));
        }
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const double expected = sorted[18];  // rank 20 × 0.95 + 0.5 − 1

        CRecordDataManager trend;
        ASSERT_EQ(reader.GetData(1, 3, 0, 0, view, reinterpret_cast<QueryWord>(&trend)), 1) << view;
        const std::vector<double> pair = Values(trend);
        ASSERT_EQ(pair.size(), 2u) << view;
        EXPECT_EQ(pair[1], expected) << view;
        EXPECT_EQ(values[static_cast<std::size_t>(pair[0])], expected) << view << ": the record it stands at";

        CHarmHistDataManager histogram;
        ASSERT_EQ(reader.GetData(1, 3, 0, 0, view, reinterpret_cast<QueryWord>(&histogram)), 1) << view;
        float value = 0.0f;
        ASSERT_TRUE(histogram.GetStatistic(3, &value)) << view;
        EXPECT_FLOAT_EQ(value, static_cast<float>(expected)) << view;
        // Minima and averages these views do not have.
        for (const std::uint32_t kind : {1u, 2u}) {
            CHarmHistDataManager none;
            EXPECT_EQ(reader.GetData(1, kind, 0, 0, view, reinterpret_cast<QueryWord>(&none)), 0) << view;
        }
    }
}

}  // namespace
