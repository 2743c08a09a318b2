#include "ViewsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <numeric>

#include "core/ColorPicker.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/RecordDataManager.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tools/gen/ItemFiles.h"

namespace viewstest {

LoadedFolder::LoadedFolder(gen::StatisticFolderOptions folderOptions) : options(std::move(folderOptions))
{
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    gen::WriteStatisticFolder(dir.Path(), options);
    const auto count = static_cast<std::uint32_t>(options.records);
    std::array<std::uint32_t, 14> query{0, 0, count, 0, count, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::wstring folder = platform::Utf8ToWide(platform::PathToUtf8(dir.Path()));
    model.CreateAnalysis(0);
    CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, folder};
    model.OpenData(&open);
    second.CreateAnalysis(1);
    CCtrlItem openSecond{ctrl::kSecondStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, folder};
    second.OpenData(&openSecond);
}

LoadedFolder::~LoadedFolder()
{
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
}

std::vector<double> LoadedFolder::ModelSeries(std::uint32_t phase, std::uint32_t kind, std::uint32_t item)
{
    CRecordDataManager manager;
    model.GetData(phase, kind, 0, 1, item, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&manager)));
    return Samples(manager);
}

std::vector<double> Samples(IZVDataManager& manager)
{
    std::vector<double> values(manager.GetCount());
    for (std::size_t i = 0; i < values.size(); ++i) {
        manager.GetValue(static_cast<std::int64_t>(i), &values[i]);
    }
    return values;
}

gen::StatisticFolderOptions FrameFolder(std::uint64_t records, std::vector<std::uint64_t> noValueRecords)
{
    gen::StatisticFolderOptions options;
    options.items = FrameItems();
    options.records = records;
    options.blockCountPerFile = 20;
    options.noValueRecords = std::move(noValueRecords);
    return options;
}

std::vector<std::uint32_t> FrameItems()
{
    return {1, 7, 8, 14, 18, 19, 449, 452, 455, 461};
}

int FakeModel::GetData(QueryWord w0, QueryWord w1, QueryWord, QueryWord, QueryWord w4, QueryWord w5)
{
    ++queries;
    const auto found = series.find({static_cast<std::uint32_t>(w0), static_cast<std::uint32_t>(w1),
                                    static_cast<std::uint32_t>(w4)});
    if (found == series.end()) {
        return 0;
    }
    if (auto* manager = reinterpret_cast<IZVDataManager*>(w5)) {
        for (const double value : found->second) {
            manager->AddValue(value);
        }
    }
    return 1;
}

void WriteColorScheme()
{
    const wchar_t* pages[] = {L"V&C", L"Freq", L"Harmonic", L"Fluct&Flicker", L"Power&Energy", L"Unbalance"};
    const std::pair<int, const char*> phases[] = {{1, "A"}, {2, "B"}, {4, "C"}, {8, "N"}, {16, "ALL"}, {32, ""}};
    const std::pair<int, const char*> kinds[] = {{1, "max"}, {2, "min"}, {4, "avg"}, {8, "cp95"}, {16, "rms"}};
    std::ofstream file(platform::ProgramFolder() / "color.cfg", std::ios::binary | std::ios::trunc);
    for (int page = 1; page <= 6; ++page) {
        file << "[" << platform::WideToUtf8(pages[page - 1]) << "]\r\n";
        for (const auto& [phaseBit, phase] : phases) {
            for (const auto& [kindBit, kind] : kinds) {
                file << phase << kind << "=RGB(" << phaseBit << "," << kindBit << "," << page << ")\r\n";
            }
        }
        if (page == 3) {
            // The harmonic trend's colours by index: orders, then THD, DC and K factor.
            for (int index = 0; index <= 54; ++index) {
                file << platform::WideToUtf8(CColorPicker::MakeItemKey(0, 0, index)) << "=RGB(" << index << ",64,3)\r\n";
            }
        }
    }
}

std::uint32_t HarmSchemeColor(int index)
{
    return static_cast<std::uint32_t>(index) | (64u << 8) | (3u << 16);
}

std::uint32_t SchemeColor(int phaseBit, int kindBit, int page)
{
    return static_cast<std::uint32_t>(phaseBit) | (static_cast<std::uint32_t>(kindBit) << 8) |
           (static_cast<std::uint32_t>(page) << 16);
}

HarmFolder::HarmFolder()
{
    // The reader takes its item table from the program folder: a first test in a
    // fresh build must not find it empty.
    testsupport::PrepareProgramFolder();
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    options.items.resize(159 - 23 + 1);
    std::iota(options.items.begin(), options.items.end(), 23u);
    options.records = kRecords;
    options.blockCountPerFile = 4;
    EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
    EXPECT_TRUE(gen::WriteItemFiles(dir.Path() / "Statistic" / "newfiles", options));
    model.SetSummarySource([this] { return collector.GetCube(); });
    model.CreateAnalysis(0);
    std::array<std::uint32_t, 14> query = {0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                      platform::FromPath(dir.Path())};
    model.OpenData(&request);
    collector.SetDataFolder(platform::FromPath(dir.Path() / "Statistic" / "newfiles") + L"/");
    CRecordRange range;
    range.EndBlock = range.BlockNum = kRecords;
    collector.SetQuery(range);
    collector.CollectItems(&model, {});
}

HarmFolder::~HarmFolder()
{
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
}

namespace {

// The generator's item id of a harmonic trend item code and order.
std::uint32_t ItemIdOf(std::uint32_t code, std::int32_t order)
{
    struct Base {
        std::uint32_t code;
        std::uint32_t first;
    };
    static constexpr Base bases[] = {{2000, 25},  {3000, 75},  {4000, 125},  {5000, 160},  {7000, 212}, {8000, 262},
                                     {9000, 312}, {10000, 347}, {12000, 399}, {24, 23},    {25, 24},    {6000, 210},
                                     {6001, 211}, {11000, 397}, {11001, 398}, {23, 22}};
    for (const Base& base : bases) {
        if (base.code == code) {
            return base.first + static_cast<std::uint32_t>(order < 0 ? 0 : order);
        }
    }
    return 0;
}

}  // namespace

HarmTrendFolder::HarmTrendFolder()
{
    // The reader's item table, and the tests' colour scheme over the program's own.
    testsupport::PrepareProgramFolder();
    WriteColorScheme();
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    for (const auto& [first, count] : {std::pair<std::uint32_t, std::uint32_t>{22, 138}, {210, 52}, {397, 52}}) {
        for (std::uint32_t id = first; id < first + count; ++id) {
            options.items.push_back(id);
        }
    }
    options.records = kRecords;
    options.blockCountPerFile = 10;
    options.noValueRecords = {4};
    EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
    EXPECT_TRUE(gen::WriteItemFiles(dir.Path() / "Statistic" / "newfiles", options));
    std::array<std::uint32_t, 14> query = {0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::wstring path = platform::FromPath(dir.Path());
    model.CreateAnalysis(0);
    CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, path};
    model.OpenData(&open);
    second.CreateAnalysis(1);
    CCtrlItem openSecond{ctrl::kSecondStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, path};
    second.OpenData(&openSecond);
}

HarmTrendFolder::~HarmTrendFolder()
{
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
}

std::vector<double> HarmTrendFolder::ItemFileSeries(const CRecordSeriesKey& key) const
{
    const std::uint32_t item = ItemIdOf(key.item, static_cast<std::int32_t>(key.word1));
    const std::vector<std::string> names = gen::ItemFileNames(item);
    EXPECT_FALSE(names.empty()) << item;
    if (names.empty()) {
        return {};
    }
    const std::string& name = names[std::min<std::size_t>(key.word2 - 1, names.size() - 1)];
    const std::uint32_t channels = gen::ItemFloats(item) / static_cast<std::uint32_t>(names.size());
    std::ifstream file(dir.Path() / "Statistic" / "newfiles" / (name + ".data"), std::ios::binary);
    std::vector<double> values;
    for (std::uint64_t r = 0; r < kRecords; ++r) {
        file.seekg(static_cast<std::streamoff>(((r * 3 + key.kind) * channels + key.phase) * 4));
        char bytes[4] = {};
        file.read(bytes, 4);
        float value = 0.0f;
        std::memcpy(&value, bytes, 4);
        values.push_back(value);
    }
    return values;
}

}  // namespace viewstest
