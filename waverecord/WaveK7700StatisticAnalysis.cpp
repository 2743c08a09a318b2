#include "waverecord/WaveK7700StatisticAnalysis.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

#include "platform/base/LocalTime.h"
#include "terminal/GlobalModel.h"
#include "terminal/RecordDataManager.h"
#include "terminal/Wiring.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveSelection.h"

namespace {

constexpr int kStatisticSystemPhase = 4;
constexpr int kPstItem = 6043;
constexpr int kVoltageRmsItem = 6014;

bool ItemWithin(int item, int first, int last)
{
    return item >= first && item <= last;
}

float FloatAt(const std::array<unsigned char, CWaveAnalysisManager::kConfigBlockSize>& block, std::size_t at)
{
    const std::uint32_t word = std::uint32_t(block[at]) | std::uint32_t(block[at + 1]) << 8 |
                               std::uint32_t(block[at + 2]) << 16 | std::uint32_t(block[at + 3]) << 24;
    return std::bit_cast<float>(word);
}

std::wstring Format(const wchar_t* pattern, double value)
{
    wchar_t buffer[128];
    const int length = std::swprintf(buffer, std::size(buffer), pattern, value);
    return length >= 0 ? std::wstring(buffer, static_cast<std::size_t>(length)) : std::wstring();
}

// Milliseconds since 1970 as local time, "2014-05-06 07:08:09.010".
std::wstring FormatMilliseconds(std::int64_t milliseconds)
{
    // Floor division, so that a time before 1970 keeps its milliseconds positive.
    std::int64_t seconds = milliseconds / 1000;
    std::int64_t rest = milliseconds % 1000;
    if (rest < 0) {
        rest += 1000;
        --seconds;
    }
    const std::optional<std::tm> local = platform::ToLocalTime(static_cast<std::time_t>(seconds));
    if (!local) {
        return std::wstring();
    }
    wchar_t buffer[64];
    const int length = std::swprintf(buffer, std::size(buffer), L"%04d-%02d-%02d %02d:%02d:%02d.%03d",
                                     local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                                     local->tm_min, local->tm_sec, static_cast<int>(rest));
    return length >= 0 ? std::wstring(buffer, static_cast<std::size_t>(length)) : std::wstring();
}

// The report items, in the order reporters list them.
std::vector<std::uint32_t> ItemList(CWaveAnalysisManager& manager)
{
    std::vector<std::uint32_t> items;
    for (std::uint32_t item = 1; item <= 25; ++item) {
        items.push_back(item);
    }
    for (std::uint32_t item : {2000u, 3000u, 4000u, 5000u, 6000u, 6001u, 7000u, 8000u, 9000u, 10000u, 11000u, 11001u}) {
        items.push_back(item);
    }
    // Pst only when the record was long enough to close a flicker period.
    const std::unique_ptr<CWaveResultStore> pst = manager.GetResult(kPstItem);
    if (pst && pst->GetDescriptor(0, CWaveResultStore::kMaximum).GetCount() >= 1) {
        items.push_back(13000);
    }
    for (std::uint32_t item = 13003; item <= 13011; ++item) {
        items.push_back(item);
    }
    for (std::uint32_t item = 13013; item <= 13017; ++item) {
        items.push_back(item);
    }
    return items;
}

}  // namespace

int CWaveK7700StatisticAnalysis::LoadFile(std::wstring, std::uint32_t)
{
    return 1;
}

int CWaveK7700StatisticAnalysis::ReleaseFile()
{
    return 1;
}

int CWaveK7700StatisticAnalysis::SetQueryParams(const std::array<std::uint32_t, 10>&)
{
    return 1;
}

int CWaveK7700StatisticAnalysis::SetOption(std::uint32_t)
{
    return 1;
}

int CWaveK7700StatisticAnalysis::MapItem(std::uint32_t reportItem)
{
    struct Pair {
        std::uint32_t report;
        int item;
    };
    static constexpr Pair kPairs[] = {
        {1, 6014},     {2, 6024},      {3, 6016},      {4, 6017},      {5, 6026},      {6, 6022},
        {7, 6028},     {8, 6015},      {9, 6025},      {10, 6018},     {11, 6019},     {12, 6027},
        {13, 6023},    {14, 6029},     {15, 6030},     {16, 6031},     {17, 6032},     {18, 6033},
        {19, 6034},    {20, 6035},     {21, 6036},     {22, 6037},     {23, 5999},     {24, 6075},
        {25, 6055},    {2000, 6056},   {3000, 6057},   {4000, 6058},   {5000, 6059},   {6000, 6076},
        {6001, 6060},  {7000, 6061},   {8000, 6062},   {9000, 6063},   {10000, 6064},  {11000, 6077},
        {11001, 6065}, {12000, 6066},  {13000, 6043},  {13002, 13002}, {13003, 6040},  {13004, 6041},
        {13005, 6042}, {13006, 6046},  {13007, 6047},  {13008, 6048},  {13009, 6049},  {13010, 6050},
        {13011, 6051}, {13013, 6068},  {13014, 6070},  {13015, 6069},  {13016, 6071},  {13017, 9999},
    };
    for (const Pair& pair : kPairs) {
        if (pair.report == reportItem) {
            return pair.item;
        }
    }
    return 0;
}

int CWaveK7700StatisticAnalysis::MapStatistic(int item, std::uint32_t statistic)
{
    // Pst has one value per flicker period: its series is read as the average.
    if (item == kPstItem) {
        return CWaveResultStore::kAverage;
    }
    switch (statistic) {
    case 0: return CWaveResultStore::kMaximum;
    case 1: return CWaveResultStore::kMinimum;
    case 2: return CWaveResultStore::kAverage;
    case kPercentile95: return 3;
    case 4: return CWaveResultStore::kRms;
    default: return -1;
    }
}

int CWaveK7700StatisticAnalysis::RefineHarmonic(int item, std::uint32_t harmonicKind)
{
    struct Family {
        int item;
        int byKind[3];  // kinds 1, 2, 3; 0 for none
    };
    static constexpr Family kFamilies[] = {
        {6056, {5981, 5985, 5983}}, {6057, {5991, 5993, 0}}, {6058, {5987, 5989, 0}},
        {6059, {5995, 5997, 0}},    {6061, {5982, 5986, 5984}}, {6062, {5992, 5994, 0}},
        {6063, {5988, 5990, 0}},    {6064, {5996, 5998, 0}},    {6066, {6000, 6001, 6002}},
    };
    if (harmonicKind < 1 || harmonicKind > 3) {
        return item;
    }
    for (const Family& family : kFamilies) {
        if (family.item == item) {
            const int refined = family.byKind[harmonicKind - 1];
            return refined != 0 ? refined : item;
        }
    }
    return item;
}

std::int64_t CWaveK7700StatisticAnalysis::ToSeriesPosition(const CWaveAnalysisManager& manager, int item,
                                                           std::int64_t position)
{
    if (item == 9999) {
        return manager.PointToFrame(position);
    }
    if (ItemWithin(item, 6014, 6019) || ItemWithin(item, 6022, 6025) || ItemWithin(item, 6030, 6033)) {
        return manager.PointToHalfCycle(position);
    }
    if (item == 6026 || item == 6027 || ItemWithin(item, 6035, 6037)) {
        return manager.PointToHalfCycleByBlock(position);
    }
    if (item == kPstItem) {
        return manager.PointToMinute(position);
    }
    if (ItemWithin(item, 5981, 6002) || ItemWithin(item, 6004, 6009) || item == 6020 || item == 6021 || item == 6028 ||
        item == 6029 || item == 6034 || ItemWithin(item, 6040, 6042) || ItemWithin(item, 6046, 6051) ||
        ItemWithin(item, 6055, 6066) || ItemWithin(item, 6068, 6071) || ItemWithin(item, 6075, 6077)) {
        return manager.PointToBlock(position);
    }
    return position;
}

int CWaveK7700StatisticAnalysis::Fetch(CWaveAnalysisManager& manager, int item, int phaseKey, int statistic,
                                       IZVDataManager* out)
{
    const std::unique_ptr<CWaveResultStore> record = manager.GetResult(item);
    if (!record) {
        return 0;
    }
    std::int64_t first = 0, end = 0;
    CWaveSelection::Instance().GetSelectedSampleRange(first, end);
    if (first == 0 && end == 0) {
        // Nothing selected: the whole record.
        end = std::numeric_limits<std::int64_t>::max();
    } else {
        first = ToSeriesPosition(manager, item, first);
        end = ToSeriesPosition(manager, item, end);
    }
    // Every series of the record follows the selection, so that the values worked
    // out over a series (the 95 % value) are those of the selected stretch too.
    record->SetParameter(&first, &end);
    if (statistic == static_cast<int>(kPercentile95)) {
        float value = 0.0f;
        if (record->GetSecondValue(phaseKey, CWaveResultStore::kAverage, value) == 0) {
            return 0;
        }
        if (out) {
            out->AddValue(0.0);
            out->AddValue(value);
        }
        return 1;
    }
    const CWaveSeriesDescriptor descriptor = record->GetDescriptor(phaseKey, statistic);
    if (!descriptor.IsUsable()) {
        return 0;
    }
    if (out) {
        float value = 0.0f;
        for (std::int64_t i = 0; descriptor.ReadAt(i, &value); ++i) {
            out->AddValue(value);
        }
    }
    return 1;
}

int CWaveK7700StatisticAnalysis::GetData(QueryWord phaseWord, QueryWord statisticWord, QueryWord orderWord,
                                         QueryWord kindWord, QueryWord itemWord, QueryWord managerWord)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (!manager) {
        return 0;
    }
    const int item = MapItem(static_cast<std::uint32_t>(itemWord));
    const auto phase = static_cast<std::uint32_t>(phaseWord);
    const int phaseIndex = phase <= 3 ? static_cast<int>(phase) : kStatisticSystemPhase;
    const int statistic = MapStatistic(item, static_cast<std::uint32_t>(statisticWord));
    if (statistic < 0) {
        return 0;
    }
    auto* out = reinterpret_cast<IZVDataManager*>(managerWord);
    if (Fetch(*manager, item, phaseIndex, statistic, out) != 0) {
        return 1;
    }
    const int refined = RefineHarmonic(item, static_cast<std::uint32_t>(kindWord));
    if (refined == item) {
        return 0;
    }
    // The order position fills the low 16 bits under the phase.
    const auto order = static_cast<std::uint32_t>(orderWord) & 0xFFFFu;
    const int key = static_cast<int>(((static_cast<std::uint32_t>(phaseIndex) << 16) | order) << 8);
    return Fetch(*manager, refined, key, statistic, out);
}

int CWaveK7700StatisticAnalysis::GetItemData(std::vector<ItemRequest*>& requests)
{
    int delivered = 0;
    for (ItemRequest* request : requests) {
        if (!request) {
            continue;
        }
        CRecordDataManager values;
        request->enabled = 0;
        if (GetData(request->phase, request->blockType, static_cast<std::uint32_t>(request->order),
                    request->subValue, request->viewId,
                    reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&values))) == 0) {
            continue;
        }
        const auto count = static_cast<std::int64_t>(values.GetCount());
        for (std::int64_t i = 0; i < count; ++i) {
            double value = 0.0;
            if (values.GetValue(i, &value)) {
                request->values.push_back(static_cast<float>(value));
            }
        }
        if (count > 0) {
            request->enabled = 1;
            delivered = 1;
        }
    }
    return delivered;
}

int CWaveK7700StatisticAnalysis::GetBasicInfo(BasicInfo* info)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    if (!info || !manager || !manager->HasRecord()) {
        return 0;
    }
    BasicInfo record;
    std::int64_t startMs = 0, endMs = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(startMs, endMs);
    record.startText = FormatMilliseconds(startMs);
    record.endText = FormatMilliseconds(endMs);
    record.deviceType = L"K7700";
    record.value3 = 1;

    const double halfCycle = 1.0 / (2.0 * manager->GetNominalFrequency());
    int rms = 0, harm = 0, pst = 0;
    manager->ReadAnalysisSettings(rms, harm, pst);
    record.interval = halfCycle;
    record.doubles[0] = rms * halfCycle;
    record.doubles[1] = rms * halfCycle;
    record.doubles[2] = harm * 0.2;
    record.doubles[3] = pst * 60.0;
    record.doubles[4] = 1.0 / manager->GetFramesPerSecond();

    record.viewIds = ItemList(*manager);
    const std::unique_ptr<CWaveResultStore> rmsRecord = manager->GetResult(kVoltageRmsItem);
    const std::int64_t points = rmsRecord ? rmsRecord->GetDescriptor(0, CWaveResultStore::kMaximum).GetCount()
                                          : static_cast<std::int64_t>(record.viewIds.size());
    record.recordCount = static_cast<std::uint32_t>(std::clamp<std::int64_t>(points, 0, 0xFFFFFFFFLL));

    std::array<unsigned char, CWaveAnalysisManager::kConfigBlockSize> block{};
    if (manager->GetConfigBlock(block.data())) {
        record.voltageText = Format(L"%.2f", FloatAt(block, 16));
        record.ptRatioText = Format(L"%.2f", FloatAt(block, 20));
        record.ptText = Format(L"%.2f", FloatAt(block, 612));
        record.ctText = Format(L"%.2f", FloatAt(block, 616));
        record.ctRatioText = Format(L"%f", FloatAt(block, 24));
    }
    GetWiringChannels(static_cast<std::uint32_t>(manager->GetWiringCode()), record.wiringName, record.phaseMask);
    record.mvaText = L"10";
    *info = std::move(record);
    return 1;
}

void InstallWaveReader(CGlobalModel& model)
{
    model.SetWaveReaderFactory([] { return std::make_unique<CWaveK7700StatisticAnalysis>(); });
}
