#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <numeric>
#include <thread>

#include "platform/base/Encoding.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/StatCube.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ItemFiles.h"

namespace {

namespace fs = std::filesystem;

// Every harmonic item the terminal lists: K factor, THD and DC of voltage, current
// and power, and the order families.
std::vector<std::uint32_t> HarmonicItems()
{
    std::vector<std::uint32_t> items(448 - 22 + 1);
    std::iota(items.begin(), items.end(), 22u);
    return items;
}

struct HarmFolder {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;

    explicit HarmFolder(std::uint64_t records, std::vector<std::uint64_t> noValueRecords = {})
    {
        GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
        options.items = HarmonicItems();
        options.records = records;
        options.blockCountPerFile = 8;
        options.noValueRecords = std::move(noValueRecords);
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        EXPECT_TRUE(gen::WriteItemFiles(ItemFolder(), options));
    }
    ~HarmFolder() { GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown); }
    fs::path ItemFolder() const { return dir.Path() / "Statistic" / "newfiles"; }
    std::wstring DataFolder() const { return platform::FromPath(ItemFolder()) + L"/"; }
    std::size_t ItemFileCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(ItemFolder()), fs::directory_iterator()));
    }
};

CRecordRange Range(std::uint64_t first, std::uint64_t count)
{
    CRecordRange range;
    range.FirstBlock = first;
    range.EndBlock = first + count;
    range.BlockNum = count;
    return range;
}

std::vector<float> ReadFloats(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

struct ExpectedHarmonics {
    bool valid = false;
    double maximum = 0, minimum = 0, mean = 0, cp95 = 0;
};

// The statistics of one phase computed straight from an item file.
ExpectedHarmonics FromFile(const fs::path& file, std::uint32_t phases, std::uint32_t phase, std::uint64_t first,
                  std::uint64_t count)
{
    const std::vector<float> values = ReadFloats(file);
    const std::uint64_t records = values.size() / (3 * phases);
    std::vector<double> maxima, minima, averages;
    for (std::uint64_t r = first; r < std::min(records, first + count); ++r) {
        const float* record = values.data() + r * 3 * phases;
        if (record[phase] != gen::kNoValueSample) {
            maxima.push_back(record[phase]);
        }
        if (record[phases + phase] != gen::kNoValueSample) {
            minima.push_back(record[phases + phase]);
        }
        if (record[2 * phases + phase] != gen::kNoValueSample) {
            averages.push_back(record[2 * phases + phase]);
        }
    }
    ExpectedHarmonics e;
    if (averages.empty()) {
        return e;
    }
    e.valid = true;
    e.maximum = *std::max_element(maxima.begin(), maxima.end());
    e.minimum = *std::min_element(minima.begin(), minima.end());
    e.mean = std::accumulate(averages.begin(), averages.end(), 0.0) / static_cast<double>(averages.size());
    std::sort(averages.begin(), averages.end());
    // The 95 % value is the element at rank n × 0.95 + 0.5 (1-based, truncated).
    const auto rank = static_cast<std::size_t>(static_cast<float>(averages.size()) * 0.95f + 0.5f);
    e.cp95 = averages[std::max<std::size_t>(rank, 1) - 1];
    return e;
}

// Checks every cell of the collector's cube against the item files; the failure names
// the item and phase.
void ExpectCubeMatchesFiles(const CStatCube& cube, const HarmFolder& folder, std::uint64_t first, std::uint64_t count,
                            std::uint32_t mask)
{
    const auto& families = CStatCube::Families();
    for (std::size_t f = 0; f < families.size(); ++f) {
        const CHarmFamily& family = families[f];
        for (std::uint32_t type = 0; type < family.typeCount; ++type) {
            for (std::uint32_t order = 0; order < family.orderCount; ++order) {
                const std::wstring name =
                    CHarmDataCollector::BuildItemName(std::wstring(family.name), type, static_cast<int>(order) + 1);
                const fs::path file = folder.ItemFolder() / platform::ToPath(name + L".data");
                ASSERT_TRUE(fs::exists(file)) << platform::WideToUtf8(name);
                for (std::uint32_t phase = 0; phase < family.phaseCount; ++phase) {
                    const std::string row = platform::WideToUtf8(name) + " phase " + std::to_string(phase);
                    ExpectedHarmonics e = FromFile(file, family.phaseCount, phase, first, count);
                    e.valid = e.valid && (mask & (1u << phase)) != 0;
                    CStatValue cell;
                    const std::uint32_t found = FindItemValue(&cube, phase, type + 1, static_cast<std::int32_t>(order),
                                                              family.itemId, cell);
                    ASSERT_EQ(found != 0, e.valid) << row;
                    if (!e.valid) {
                        continue;
                    }
                    EXPECT_NEAR(cell.maximum, e.maximum, 0.001) << row;
                    EXPECT_NEAR(cell.minimum, e.minimum, 0.001) << row;
                    EXPECT_NEAR(cell.sum / cell.count, e.mean, 0.001) << row;
                    EXPECT_NEAR(cell.percentile95, e.cp95, 0.001) << row;
                }
            }
        }
    }
}

TEST(HarmDataCollector, ItemNames)
{
    struct Case {
        const wchar_t* family;
        std::uint32_t type;
        int order;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"ESIN_V_HARM", 1, 3, L"ESIN_V_HARM_3_RAT"},   {L"ESIN_V_DC", 0, 1, L"ESIN_V_DC_EFF"},
        {L"ESIN_A_KF", 0, 1, L"ESIN_A_KF"},             {L"ESIN_W_HARM", 2, 50, L"ESIN_W_HARM_50_PHA"},
        {L"ESIN_V_THD", 0, 1, L"ESIN_V_THD"},           {L"ESIN_A_INHARM", 5, 7, L"ESIN_A_INHARM_7"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CHarmDataCollector::BuildItemName(c.family, c.type, c.order), c.expected) << c.expected;
    }
    EXPECT_FALSE(CHarmDataCollector::HasOrders(L"ESIN_W_DC"));
    EXPECT_TRUE(CHarmDataCollector::HasOrders(L"ESIN_V_SUBHARM"));
}

TEST(HarmDataCollector, NinetyFifthPercentileRank)
{
    struct Case {
        std::size_t n;
        float expected;  // values are 1 .. n shuffled, so the expected value is the rank
    };
    const Case cases[] = {{0, 0.0f}, {1, 1.0f}, {3, 3.0f}, {10, 10.0f}, {20, 19.0f}, {100, 95.0f}};
    for (const Case& c : cases) {
        std::vector<float> values(c.n);
        std::iota(values.begin(), values.end(), 1.0f);
        std::reverse(values.begin(), values.end());
        EXPECT_EQ(CHarmDataCollector::ComputeCp95(values), c.expected) << "n = " << c.n;
    }
}

// Long series are not ordered whole: the value at the rank must still be the one a
// full sort puts there, whatever the shape of the series.
TEST(HarmDataCollector, NinetyFifthPercentileOfLongSeriesEqualsTheSortedOnes)
{
    struct Case {
        const char* shape;
        std::function<float(std::size_t)> value;
    };
    std::uint32_t noise = 12345;
    const Case cases[] = {
        {"a daily wave with noise",
         [&](std::size_t i) {
             noise = noise * 1664525u + 1013904223u;
             return 3.0f + std::sin(static_cast<float>(i) * 0.0436f) + static_cast<float>(noise >> 20) * 1e-7f;
         }},
        {"rising", [](std::size_t i) { return static_cast<float>(i); }},
        {"falling", [](std::size_t i) { return -static_cast<float>(i); }},
        {"all equal", [](std::size_t) { return 100.0f; }},
        {"equal above the rank", [](std::size_t i) { return i % 10 == 0 ? 7.0f : static_cast<float>(i % 97) * 0.01f; }},
        {"a few large values", [](std::size_t i) { return i % 500 == 3 ? 1e6f : 1.0f + static_cast<float>(i % 13); }},
    };
    for (const std::size_t n : {513u, 4320u, 44640u}) {
        for (const Case& c : cases) {
            std::vector<float> values(n);
            for (std::size_t i = 0; i < n; ++i) {
                values[i] = c.value(i);
            }
            std::vector<float> sorted = values;
            std::sort(sorted.begin(), sorted.end());
            const std::size_t rank = static_cast<std::size_t>(static_cast<float>(n) * 0.95f + 0.5f) - 1;
            EXPECT_EQ(CHarmDataCollector::ComputeCp95(values), sorted[rank]) << c.shape << ", n = " << n;
        }
    }
}

// Every cell against the item files, over ranges that fit, run past the end of the
// files, start past it or are empty, with and without the N phase.
TEST(HarmDataCollector, CellsEqualStatisticsOfItemFiles)
{
    HarmFolder folder(24, {3, 7});
    struct Case {
        const char* row;
        std::uint64_t first, count;
        std::uint32_t mask;
        bool published;
    };
    const Case cases[] = {
        {"inside the files, records without value among them", 2, 17, 15, true},
        {"three-wire wiring: no N cells", 0, 24, 7, true},
        {"range longer than the files", 20, 30, 15, true},
        {"range past the end of the files", 30, 5, 15, true},
        {"empty range", 4, 0, 15, true},
    };
    for (const Case& c : cases) {
        CHarmDataCollector collector;
        collector.SetDataFolder(folder.DataFolder());
        collector.SetQuery(Range(c.first, c.count));
        collector.SetPhaseMask(c.mask);
        CGlobalModel source;
        collector.CollectItems(&source, {});
        const std::shared_ptr<const CStatCube> cube = collector.GetCube();
        ASSERT_TRUE(cube) << c.row;
        EXPECT_EQ(cube->ready, 1u) << c.row;
        SCOPED_TRACE(c.row);
        ExpectCubeMatchesFiles(*cube, folder, c.first, c.count, c.mask);
        if (c.count != 0 && c.first < 24) {
            EXPECT_EQ(collector.GetFileReads(), folder.ItemFileCount()) << c.row << ": one read per item file";
        }
    }
}

TEST(HarmDataCollector, WithoutSourceEveryPhaseAndMissingFilesStayInvalid)
{
    HarmFolder folder(6);
    fs::remove(folder.ItemFolder() / "ESIN_V_THD.data");
    CHarmDataCollector collector;
    collector.SetDataFolder(folder.DataFolder());
    collector.SetQuery(Range(0, 6));
    collector.SetPhaseMask(1);  // ignored without a source
    collector.CollectItems(nullptr, {});
    const std::shared_ptr<const CStatCube> cube = collector.GetCube();
    ASSERT_TRUE(cube);
    CStatValue cell;
    EXPECT_NE(FindItemValue(cube.get(), 3, 1, 0, 2000, cell), 0u) << "N collected without a source";
    EXPECT_EQ(FindItemValue(cube.get(), 0, 1, 0, 24, cell), 0u) << "THD file missing";
    EXPECT_NE(FindItemValue(cube.get(), 0, 2, 0, 25, cell), 0u) << "DC ratio from ESIN_V_DC_RAT";
    EXPECT_NE(FindItemValue(cube.get(), 0, 2, 0, 23, cell), 0u) << "K factor has one value type";

    collector.Clear();
    EXPECT_FALSE(collector.GetCube());
}

TEST(HarmDataCollector, StoppedCollectionPublishesNothing)
{
    HarmFolder folder(6);
    CHarmDataCollector collector;
    collector.SetDataFolder(folder.DataFolder());
    collector.SetQuery(Range(0, 6));
    std::stop_source stop;
    stop.request_stop();
    collector.CollectItems(nullptr, stop.get_token());
    EXPECT_FALSE(collector.GetCube());
    EXPECT_EQ(collector.GetFileReads(), 0u);
}

// Lookups while one thread collects and another clears: a reader holds either no cube
// or a whole one (run under the sanitizers).
TEST(HarmDataCollector, LookupsConcurrentWithCollectingAndClearing)
{
    HarmFolder folder(12);
    CHarmDataCollector collector;
    collector.SetDataFolder(folder.DataFolder());
    collector.SetQuery(Range(0, 12));
    std::atomic<bool> done{false};
    std::atomic<int> seenWhole{0};
    std::thread reader([&] {
        while (!done.load()) {
            if (const std::shared_ptr<const CStatCube> cube = collector.GetCube()) {
                CStatValue cell;
                // The last cell a collection fills: a published cube always has it.
                EXPECT_NE(FindItemValue(cube.get(), 2, 2, 49, 12000, cell), 0u);
                seenWhole.fetch_add(1);
            }
        }
    });
    std::thread clearer([&] {
        for (int i = 0; i < 50 && !done.load(); ++i) {
            collector.Clear();
            std::this_thread::yield();
        }
    });
    for (int i = 0; i < 4; ++i) {
        collector.CollectItems(nullptr, {});
    }
    clearer.join();
    collector.CollectItems(nullptr, {});
    while (seenWhole.load() == 0) {
        std::this_thread::yield();
    }
    done.store(true);
    reader.join();
    EXPECT_TRUE(collector.GetCube());
}

// The model hands the collector's cube to every item reader it makes: a histogram
// request is answered precomputed, and from the item file once the collector is cleared.
TEST(HarmDataCollector, ModelReadersAnswerFromTheCollector)
{
    HarmFolder folder(10);
    CHarmDataCollector collector;
    CGlobalModel model;
    model.SetSummarySource([&collector] { return collector.GetCube(); });
    model.CreateAnalysis(0);
    std::array<std::uint32_t, 14> query = {2, 0, 10, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                      platform::FromPath(folder.dir.Path())};
    model.OpenData(&request);

    collector.SetDataFolder(folder.DataFolder());
    collector.SetQuery(Range(2, 8));
    collector.CollectItems(&model, {});
    const ExpectedHarmonics e = FromFile(folder.ItemFolder() / "ESIN_A_HARM_5_RAT.data", 4, 1, 2, 8);

    struct Case {
        std::uint32_t kind;
        double expected;
    };
    const Case cases[] = {{0, e.maximum}, {1, e.minimum}, {2, e.mean}, {3, e.cp95}};
    for (const Case& c : cases) {
        CHarmHistDataManager manager;
        ASSERT_EQ(model.GetData(1, c.kind, 4, 2, 7000, reinterpret_cast<QueryWord>(&manager)), 1) << c.kind;
        EXPECT_TRUE(manager.GetSummary().precomputed) << c.kind;
        float value = 0.0f;
        ASSERT_TRUE(manager.GetStatistic(c.kind, &value)) << c.kind;
        EXPECT_NEAR(value, c.expected, 0.001) << "kind " << c.kind;
    }
    collector.Clear();
    CHarmHistDataManager fromFile;
    ASSERT_EQ(model.GetData(1, 0, 4, 2, 7000, reinterpret_cast<QueryWord>(&fromFile)), 1);
    EXPECT_FALSE(fromFile.GetSummary().precomputed);
    float maximum = 0.0f;
    ASSERT_TRUE(fromFile.GetStatistic(0, &maximum));
    EXPECT_NEAR(maximum, e.maximum, 0.001);
}

}  // namespace
