#include "waverecord/WaveStatisticItems.h"

#include <algorithm>
#include <span>

#include "waverecord/WaveAnalysisManager.h"

namespace {

using F = WaveSeriesFamily;

constexpr WaveStatisticItem kVoltageCurrent[] = {
    {6014, 1, L"V", F::Rms, 0},          {6015, 9, L"A", F::Rms, 0},
    {6016, 3, L"V", F::Rms, 0},          {6017, 4, L"V", F::Rms, 0},
    {6018, 11, L"A", F::Rms, 0},         {6019, 12, L"A", F::Rms, 0},
    {6020, 8, L"V", F::Fundamental, 0},  {6021, 16, L"A", F::Fundamental, 0},
    {6022, 6, L"", F::Rms, 0},           {6023, 14, L"", F::Rms, 0},
    {6024, 2, L"V", F::Rms, 0},          {6025, 10, L"A", F::Rms, 0},
    {6026, 5, L"V", F::HalfCycle, 10115}, {6027, 13, L"A", F::HalfCycle, 10116},
    {6028, 7, L"°", F::Fundamental, 0},  {6029, 15, L"°", F::Fundamental, 0},
    {5999, 17, L"", F::Fundamental, 0},
};

// The analysis writes W, var, VA and Wh, varh, VAh: the units of the titles, not
// the kilo units some quantity names carry.
constexpr WaveStatisticItem kPowerEnergy[] = {
    {6030, 18, L"W", F::Rms, 10084},          {6031, 19, L"VA", F::Rms, 10085},
    {6032, 20, L"VAR", F::Rms, 10086},        {6033, 21, L"", F::Rms, 10087},
    {6034, 22, L"", F::Fundamental, 10088},   {6035, 23, L"Wh", F::HalfCycle, 10090},
    {6036, 24, L"VAh", F::HalfCycle, 10091},  {6037, 25, L"VARh", F::HalfCycle, 10089},
};

constexpr WaveStatisticItem kUnbalance[] = {
    {6046, 13006, L"V", F::Fundamental, 0},  {6047, 13007, L"V", F::Fundamental, 0},
    {6048, 13008, L"V", F::Fundamental, 0},  {6049, 13009, L"A", F::Fundamental, 0},
    {6050, 13010, L"A", F::Fundamental, 0},  {6051, 13011, L"A", F::Fundamental, 0},
    {6068, 13013, L"％", F::Fundamental, 0}, {6069, 13015, L"％", F::Fundamental, 0},
    {6070, 13014, L"％", F::Fundamental, 0}, {6071, 13016, L"％", F::Fundamental, 0},
};

constexpr WaveStatisticItem kFrequency[] = {
    {9999, 13017, L"HZ", F::Frequency, 0},
};

constexpr WaveStatisticItem kFlicker[] = {
    {6040, 13003, L"％", F::Fundamental, 0}, {6041, 13004, L"％", F::Fundamental, 0},
    {6042, 13005, L"s", F::Fundamental, 0},  {6043, 13000, L"", F::Minute, 0},
    {6044, 13001, L"", F::Fundamental, 0},   {6045, 13002, L"", F::Fundamental, 0},
};

struct KindTable {
    std::span<const WaveStatisticItem> items;
    WaveSeriesFamily fallback;
    unsigned fallbackTitle;
};

KindTable TableOf(WaveTrendKind kind)
{
    switch (kind) {
    case WaveTrendKind::VoltageCurrent: return {kVoltageCurrent, F::Other, 0};
    case WaveTrendKind::PowerEnergy: return {kPowerEnergy, F::Rms, 10092};
    case WaveTrendKind::Unbalance: return {kUnbalance, F::Fundamental, 0};
    case WaveTrendKind::Frequency: return {kFrequency, F::Frequency, 0};
    case WaveTrendKind::Flicker: return {kFlicker, F::Fundamental, 0};
    }
    return {{}, F::Other, 0};
}

}  // namespace

WaveStatisticItem FindWaveStatisticItem(WaveTrendKind kind, std::uint32_t id)
{
    const KindTable table = TableOf(kind);
    const auto found =
        std::find_if(table.items.begin(), table.items.end(), [id](const WaveStatisticItem& item) { return item.id == id; });
    if (found != table.items.end()) {
        return *found;
    }
    return {id, 0, L"", table.fallback, table.fallbackTitle};
}

namespace {

std::int64_t Convert(const CWaveAnalysisManager& manager, WaveSeriesFamily family, std::int64_t t,
                     std::int64_t& remainder)
{
    switch (family) {
    case F::Rms: return manager.PointToHalfCycleRem(t, remainder);
    case F::HalfCycle: return manager.PointToHalfCycleByBlockRem(t, remainder);
    case F::Frequency: return manager.PointToFrameRem(t, remainder);
    case F::Minute: return manager.PointToMinuteRem(t, remainder);
    case F::Fundamental:
    case F::Other: break;
    }
    return manager.PointToBlockRem(t, remainder);
}

}  // namespace

WaveSeriesRange ConvertWaveRange(const CWaveAnalysisManager& manager, WaveSeriesFamily family, std::int64_t first,
                                 std::int64_t end)
{
    std::int64_t remainder = 0;
    WaveSeriesRange range;
    range.first = Convert(manager, family, first, remainder);
    std::int64_t unused = 0;
    range.last = Convert(manager, family, end - remainder, unused);
    return range;
}

double WaveFamilyRate(CWaveAnalysisManager& manager, WaveSeriesFamily family)
{
    switch (family) {
    case F::Rms: return manager.GetRmsWindowsPerSecond();
    case F::Fundamental: return manager.GetHarmWindowsPerSecond();
    case F::HalfCycle: return manager.GetHalfCyclesPerSecond();
    case F::Frequency: return manager.GetFramesPerSecond();
    case F::Minute: return manager.GetPstWindowsPerSecond();
    case F::Other: break;
    }
    return manager.GetBlocksPerSecond();
}
