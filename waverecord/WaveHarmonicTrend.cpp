#include "waverecord/WaveHarmonicTrend.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveText.h"

namespace harmtrend {
namespace {

struct Item {
    int item;
    int hostCode;
    const wchar_t* unit;
    bool orders;
};

constexpr const wchar_t* kVolt = L"V";
constexpr const wchar_t* kAmpere = L"A";
constexpr const wchar_t* kDegree = L"\u00B0";
constexpr const wchar_t* kPercent = L"\uFF05";
constexpr const wchar_t* kWatt = L"W";

constexpr Item kItems[] = {
    {5981, 2002, kVolt, true},      {5982, 7002, kAmpere, true},   {5983, 2001, kDegree, true},
    {5984, 7001, kDegree, true},    {5985, 2003, kPercent, true},  {5986, 7003, kPercent, true},
    {5987, 4001, kVolt, true},      {5988, 9001, kAmpere, true},   {5989, 4002, kPercent, true},
    {5990, 9002, kPercent, true},   {5991, 3001, kVolt, true},     {5992, 8001, kAmpere, true},
    {5993, 3002, kPercent, true},   {5994, 8002, kPercent, true},  {5995, 5001, kVolt, true},
    {5996, 10001, kAmpere, true},   {5997, 5002, kPercent, true},  {5998, 10002, kPercent, true},
    {6000, 12001, kWatt, true},     {6001, 12002, kPercent, true}, {6002, 12003, kDegree, true},
    {6004, 29, kVolt, false},       {6005, 30, kPercent, false},   {6006, 6002, kAmpere, false},
    {6007, 6003, kPercent, false},  {6008, 11002, kWatt, false},   {6009, 11003, kPercent, false},
    {6075, 27, kPercent, false},    {6076, 6000, kPercent, false}, {6077, 11000, kPercent, false},
};

const Item* FindItem(int item)
{
    const auto found = std::find_if(std::begin(kItems), std::end(kItems), [item](const Item& row) { return row.item == item; });
    return found != std::end(kItems) ? &*found : nullptr;
}

constexpr Group kGroups[] = {
    {6075, false, 6075, 0, 0},    {6055, false, 6004, 6005, 0}, {6056, true, 5981, 5985, 5983},
    {6057, true, 5991, 5993, 0},  {6058, true, 5987, 5989, 0},  {6059, true, 5995, 5997, 0},
    {6076, false, 6076, 0, 0},    {6060, false, 6006, 6007, 0}, {6061, true, 5982, 5986, 5984},
    {6062, true, 5992, 5994, 0},  {6063, true, 5988, 5990, 0},  {6064, true, 5996, 5998, 0},
    {6077, false, 6077, 0, 0},    {6065, false, 6008, 6009, 0}, {6066, true, 6000, 6001, 6002},
};

constexpr int kPhaseBits[] = {1, 2, 4, 8, 16};
constexpr const wchar_t* kPhaseNames[] = {L"L1", L"L2", L"L3", L"LN", L"DEFAULT"};
constexpr unsigned kTextOrderColumn = 10142;
constexpr float kNoMinimum = 3.40282e38f;
constexpr float kNoMaximum = -1.17549e38f;

}  // namespace

int GetHostCode(int item)
{
    const Item* row = FindItem(item);
    return row ? row->hostCode : 0;
}

std::wstring GetUnitText(int item)
{
    const Item* row = FindItem(item);
    return row ? std::wstring(row->unit) : WaveText(kTextNoUnit);
}

bool IsOrderItem(int item)
{
    const Item* row = FindItem(item);
    return row && row->orders;
}

bool IsTrendItem(int item)
{
    const Item* row = FindItem(item);
    return row && !row->orders;
}

bool IsPowerItem(int item)
{
    return item == 6000 || item == 6001 || item == 6002 || item == 6008 || item == 6009 || item == 6077;
}

bool IsInterharmonicItem(int item) { return item >= 5991 && item <= 5994; }

int OrderOfEntry(int item, int entry) { return IsInterharmonicItem(item) ? entry - 1 : entry; }

int PhaseIndexOfBit(int bit)
{
    for (int index = 0; index < 5; ++index) {
        if (kPhaseBits[index] == bit) {
            return index;
        }
    }
    return -1;
}

int PhaseIndexOfMask(int mask)
{
    for (int index = 0; index < 4; ++index) {
        if ((mask & kPhaseBits[index]) != 0) {
            return index;
        }
    }
    return 4;
}

int OrderKey(int phaseIndex, int entry)
{
    const auto low = static_cast<std::uint32_t>(entry - 1) & 0xFFFFu;
    return static_cast<int>((low | static_cast<std::uint32_t>(phaseIndex) << 16) << 8);
}

std::vector<int> StatisticKinds(int stats)
{
    std::vector<int> kinds;
    if ((stats & 1) != 0) {
        kinds.push_back(CWaveResultStore::kMaximum);
    }
    if ((stats & 2) != 0) {
        kinds.push_back(CWaveResultStore::kMinimum);
    }
    if ((stats & 4) != 0) {
        kinds.push_back(CWaveResultStore::kAverage);
    }
    if ((stats & 32) != 0) {
        kinds.push_back(CWaveResultStore::kRms);
    }
    return kinds;
}

std::vector<OrderSlot> ShownOrderSlots(const HarmTrendAttrib& record)
{
    std::vector<OrderSlot> shown;
    const int count = std::clamp(record.orderCount, 0, HarmTrendAttrib::kSlots);
    for (int slot = 1; slot <= count; ++slot) {
        const int entry = record.orders[static_cast<std::size_t>(slot - 1)];
        if (entry <= 0) {
            continue;
        }
        const bool repeated =
            std::any_of(shown.begin(), shown.end(), [entry](const OrderSlot& earlier) { return earlier.entry == entry; });
        if (!repeated) {
            shown.push_back({slot, entry});
        }
    }
    return shown;
}

void PadRange(float& low, float& high)
{
    const float span = high - low;
    float pad = 0.0f;
    if (span >= 0.1f) {
        pad = span / 10.0f;
    } else {
        pad = std::max(std::fabs(high) / 10.0f, 0.03f);
    }
    low -= pad;
    high += pad;
}

void OrderRowsRange(CWaveResultStore* result, CWaveResultStore* kFactor, const HarmTrendAttrib& record, float& low,
                    float& high)
{
    low = kNoMinimum;
    high = kNoMaximum;
    const std::vector<OrderSlot> slots = ShownOrderSlots(record);
    const auto take = [&](CWaveResultStore* store, int key, int kind) {
        float minimum = kNoMinimum, maximum = kNoMaximum;
        if (store && store->GetRange(key, kind, minimum, maximum) != 0) {
            if (minimum < kNoMinimum && minimum > kNoMaximum) {
                low = std::min(low, minimum);
            }
            if (maximum < kNoMinimum && maximum > kNoMaximum) {
                high = std::max(high, maximum);
            }
        }
    };
    for (int phase = 0; phase < 5; ++phase) {
        if ((record.phases & kPhaseBits[phase]) == 0) {
            continue;
        }
        for (int kind : StatisticKinds(record.stats)) {
            for (const OrderSlot& slot : slots) {
                take(result, OrderKey(phase, slot.entry), kind);
            }
            if (record.withKFactor != 0) {
                take(kFactor, phase, kind);
            }
        }
    }
    // Nothing to show: a small range around 0 rather than the empty bounds.
    if (low > high) {
        low = -0.5f;
        high = 0.5f;
    }
    PadRange(low, high);
}

bool HarmonicRangeIsLongEnough(std::int64_t start, std::int64_t end, double nominalFrequency, double sampleRate,
                               std::uint64_t harmonicWindows)
{
    if (!(nominalFrequency > 0.0) || !(sampleRate > 0.0) || !std::isfinite(nominalFrequency) ||
        !std::isfinite(sampleRate)) {
        return false;
    }
    const auto cycles = static_cast<std::uint64_t>(nominalFrequency * 200.0 / 1000.0);
    const auto samplesPerCycle = static_cast<std::uint64_t>(sampleRate / nominalFrequency);
    // In 64 bits: a large window count must not wrap round to a short range.
    const long double needed = static_cast<long double>(harmonicWindows) * samplesPerCycle * cycles;
    // The range ends one past its last sample.
    const long double length = static_cast<long double>(end) - static_cast<long double>(start);
    return length >= needed;
}

std::vector<OrderColumn> OrderColumns(const HarmTrendAttrib& record)
{
    std::vector<OrderColumn> columns;
    const std::vector<int> kinds = StatisticKinds(record.stats);
    if (kinds.empty()) {
        return columns;
    }
    const std::wstring pattern = WaveText(kTextOrderColumn);
    for (int phase = 0; phase < 5; ++phase) {
        if ((record.phases & kPhaseBits[phase]) == 0) {
            continue;
        }
        for (const OrderSlot& slot : ShownOrderSlots(record)) {
            wchar_t number[16];
            std::swprintf(number, 16, L"%02d", OrderOfEntry(record.item, slot.entry));
            columns.push_back({kPhaseNames[phase] + WaveFillField(pattern, number), phase,
                               OrderKey(phase, slot.entry), kinds.front()});
        }
    }
    return columns;
}

std::span<const Group> Groups() { return kGroups; }

const Group* FindGroup(int group)
{
    const auto found = std::find_if(std::begin(kGroups), std::end(kGroups), [group](const Group& row) { return row.group == group; });
    return found != std::end(kGroups) ? &*found : nullptr;
}

bool GroupHasOrders(int group)
{
    const Group* row = FindGroup(group);
    return row && row->hasOrders;
}

const Group* GroupOfItem(int item, int* valueKind)
{
    if (item == 0) {
        return nullptr;
    }
    for (const Group& row : kGroups) {
        const int items[] = {row.rms, row.content, row.angle};
        for (int kind = 0; kind < 3; ++kind) {
            if (items[kind] == item) {
                if (valueKind) {
                    *valueKind = kind;
                }
                return &row;
            }
        }
    }
    return nullptr;
}

int GroupItem(int group, int valueKind)
{
    const Group* row = FindGroup(group);
    if (!row) {
        return 0;
    }
    switch (valueKind) {
    case 0: return row->rms;
    case 1: return row->content;
    case 2: return row->angle;
    default: return 0;
    }
}

int ResolveDCItem(int group, bool rmsChecked, bool contentChecked)
{
    if (group != 6055 && group != 6060 && group != 6065) {
        return 0;
    }
    if (rmsChecked) {
        return GroupItem(group, 0);
    }
    return contentChecked ? GroupItem(group, 1) : 0;
}

std::vector<std::wstring> OrderEntryTexts(int item, int count)
{
    std::vector<std::wstring> texts{L"OFF"};
    for (int entry = 1; entry <= count; ++entry) {
        texts.push_back(std::to_wstring(OrderOfEntry(item, entry)));
    }
    return texts;
}

}  // namespace harmtrend
