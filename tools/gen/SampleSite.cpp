#include "tools/gen/SampleSite.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/ItemFiles.h"
#include "tools/gen/SoeFile.h"
#include "tools/gen/StatisticValues.h"

namespace gen {

namespace {

const DateTime kStart{2026, 11, 2, 0, 0, 0, 0};
constexpr int kDays = 3;
constexpr int kInterval = 60;  // seconds per statistic record
// The phase voltage the site's measurements sit at: a little above the nominal
// 220 V, as a transformer's low-voltage side runs.
constexpr double kSiteVoltage = 226.0;

// COMTRADE records of the terminal: 64 samples a cycle at 50 Hz, ten cycles before
// the event and four after it.
constexpr double kRate = 3200.0;
constexpr double kLineFrequency = 50.0;
constexpr int kCyclesBefore = 10, kCyclesAfter = 4;
constexpr int kSamplesPerCycle = 64;

// Voltages and currents to THD, the voltage and current harmonics, the harmonic
// power's THD and DC, flicker and unbalance.
std::vector<std::uint32_t> SampleItems() { return ItemsIn({{1, 74}, {210, 261}, {397, 398}, {449, 461}}); }

// One value of the site's statistic data (a plausible one, before any override).
class SiteValues {
public:
    SiteValues() : m_options(BaseOptions()), m_values(m_options) {}

    float At(std::uint64_t record, std::uint32_t blockType, std::uint32_t item, std::uint32_t channel,
             std::uint32_t kind = 0) const
    {
        const std::uint32_t channels = ItemFloats(item) / ItemKinds(item);
        return m_values.At(record, blockType, FloatIndexOf(m_options.items, item) + kind * channels + channel);
    }

    static StatisticFolderOptions BaseOptions()
    {
        StatisticFolderOptions options;
        options.items = SampleItems();
        options.records = static_cast<std::uint64_t>(kDays) * 86400 / kInterval;
        options.blockCountPerFile = 300;
        options.filesPerFolder = 10;
        options.timePlot = kInterval;
        options.startYear = kStart.year;
        options.startMonth = kStart.month;
        options.startDay = kStart.day;
        options.realisticValues = true;
        options.plausibleVoltage = kSiteVoltage;
        options.recordSet = SampleRecordSet();
        options.place = L"城南配电房 1号变压器 0.38kV进线";
        return options;
    }

private:
    StatisticFolderOptions m_options;
    ValueSource m_values;
};

constexpr std::uint32_t kBlockMaximum = 0, kBlockMinimum = 1, kBlockAverage = 2;
constexpr std::uint32_t kVoltageRms = 1, kVoltageHalfRms = 5, kCurrentRms = 8, kCurrentHalfRms = 12;
constexpr int kSwell = 1, kDip = 2, kInrush = 4;

// The RMS of a 200 ms window that holds `durationMs` at `factor` times the value.
double WindowFactor(double factor, int durationMs)
{
    const double inside = std::min(durationMs, 200);
    return std::sqrt((factor * factor * inside + (200.0 - inside)) / 200.0);
}

float Rounded(double value) { return static_cast<float>(std::round(value * 1000.0) / 1000.0); }

// The statistic extremes a transient leaves in its minute: the half-cycle RMS and
// the 200 ms RMS of the phase it hit (of every phase's current for an inrush).
std::vector<StatisticOverride> TransientMarks(const SiteValues& values)
{
    std::vector<StatisticOverride> marks;
    for (const SampleTransient& t : SampleTransients()) {
        const std::uint64_t record = SampleRecordAt(t.start);
        const bool inrush = t.kind == kInrush;
        const std::uint32_t blockType = t.kind == kDip ? kBlockMinimum : kBlockMaximum;
        const std::uint32_t rms = inrush ? kCurrentRms : kVoltageRms;
        const std::uint32_t half = inrush ? kCurrentHalfRms : kVoltageHalfRms;
        for (std::uint32_t channel = 0; channel < 3; ++channel) {
            if (!inrush && channel != static_cast<std::uint32_t>(t.phase - 1)) {
                continue;
            }
            const double base = values.At(record, kBlockAverage, rms, channel);
            marks.push_back({record, half, channel, blockType, Rounded(base * t.factor)});
            marks.push_back({record, rms, channel, blockType, Rounded(base * WindowFactor(t.factor, t.durationMs))});
        }
    }
    return marks;
}

// The voltages and currents of the site around a transient, in volts and amperes:
// the statistic averages of its minute, the phases 120 degrees apart, the currents
// lagging by the power factor's angle.
ComtradeOptions TransientRecord(const SiteValues& values, const SampleTransient& t)
{
    ComtradeOptions options;
    options.sampleRate = kRate;
    options.lineFrequency = kLineFrequency;
    options.digitalChannels = 0;
    const int before = kCyclesBefore * kSamplesPerCycle;
    const int during = t.durationMs * kSamplesPerCycle / 20;
    options.samples = static_cast<std::uint32_t>(before + during + kCyclesAfter * kSamplesPerCycle);
    options.first = AddMilliseconds(t.start, -kCyclesBefore * 20);
    options.trigger = t.start;
    options.triggerMicroseconds = 0;
    options.voltageA = 400.0f / 32000.0f;
    options.currentA = 200.0f / 32000.0f;
    options.voltageRatio = "380,380";
    options.currentRatio = "200,5";
    options.station = L"城南配电房";
    options.infFirst = t.kind;
    options.infSecond = t.phase;
    const std::uint64_t record = SampleRecordAt(t.start);
    double rms[8] = {};
    for (std::uint32_t c = 0; c < 4; ++c) {
        rms[c] = values.At(record, kBlockAverage, kVoltageRms, c);
        rms[4 + c] = values.At(record, kBlockAverage, kCurrentRms, c);
    }
    const double lag = std::acos(0.95);
    options.signal = [rms, t, before, during, lag](std::uint32_t sample, int channel) {
        static constexpr double kOffset[] = {0.0, -2.0 * std::numbers::pi / 3, 2.0 * std::numbers::pi / 3, 0.0};
        const int phase = channel % 4;
        const bool current = channel >= 4;
        double amplitude = rms[channel] * std::numbers::sqrt2;
        const bool during_event = static_cast<int>(sample) >= before && static_cast<int>(sample) < before + during;
        if (during_event && phase < 3 &&
            (t.kind == kInrush ? current : !current && phase == t.phase - 1)) {
            amplitude *= t.factor;
        }
        const double angle = 2.0 * std::numbers::pi * kLineFrequency * sample / kRate + kOffset[phase] -
                             (current ? lag : 0.0);
        return amplitude * std::sin(angle);
    };
    return options;
}

// The scene a terminal keeps with an alarm: the statistic averages of its minute,
// word by word as the scene view reads them.
std::vector<float> AlarmScene(const SiteValues& values, std::uint64_t record)
{
    struct Words {
        std::size_t first;
        std::uint32_t item;
        std::uint32_t kind;
        std::uint32_t count;
    };
    static constexpr Words kWords[] = {
        {0, 1, 0, 4},    {4, 8, 0, 4},    {8, 2, 0, 4},    {12, 9, 0, 4},   {16, 3, 0, 4},   {20, 10, 0, 4},
        {24, 4, 0, 4},   {28, 11, 0, 4},  {32, 5, 0, 4},   {36, 12, 0, 4},  {40, 25, 0, 4},  {44, 212, 0, 4},
        {48, 6, 0, 4},   {52, 13, 0, 4},  {56, 25, 2, 4},  {60, 212, 2, 4}, {64, 7, 0, 1},   {65, 14, 0, 4},
        {69, 16, 0, 4},  {73, 15, 0, 4},  {77, 18, 0, 4},  {81, 17, 0, 4},  {85, 22, 0, 4},  {89, 23, 0, 4},
        {93, 210, 0, 4}, {100, 457, 0, 1}, {101, 455, 0, 1}, {102, 456, 0, 1}, {103, 460, 0, 1},
        {104, 458, 0, 1}, {105, 459, 0, 1}, {106, 461, 0, 4}, {110, 452, 0, 3},
    };
    std::vector<float> scene(116, 0.0f);
    for (const Words& w : kWords) {
        for (std::uint32_t c = 0; c < w.count; ++c) {
            scene[w.first + c] = values.At(record, kBlockAverage, w.item, c, w.kind);
        }
    }
    return scene;
}

}  // namespace

RecordSet SampleRecordSet()
{
    RecordSet set;
    set.pt1 = L"1.000";
    set.pt1Left = L"380";
    set.pt1Right = L"380";
    set.ct1 = L"40.000";
    set.ct1Left = L"200";
    set.ct1Right = L"5";
    set.u = L"220";
    set.pt = L"380V/380V";
    set.ct = L"200A/5A";
    set.mva = L"10";
    return set;
}

const std::vector<SampleTransient>& SampleTransients()
{
    static const std::vector<SampleTransient> transients = {
        {{2026, 11, 2, 10, 17, 23, 250}, kDip, 2, 120, 0.62},     // a fault on a neighbouring feeder
        {{2026, 11, 3, 7, 58, 41, 600}, kInrush, 1, 300, 3.5},    // a pump motor starting
        {{2026, 11, 4, 16, 42, 5, 80}, kSwell, 3, 40, 1.12},      // a large load switched off
    };
    return transients;
}

const std::vector<SampleAlarm>& SampleAlarms()
{
    constexpr std::uint32_t kCurrentHigh = 4, kCurrentThd = 10, kCurrentThdItem = 210;
    static const std::vector<SampleAlarm> alarms = {
        // The midday load takes the currents over their limit, and the current THD with them.
        {{2026, 11, 2, 11, 46, 0, 0}, kCurrentHigh, 0, true, kCurrentRms},
        {{2026, 11, 2, 14, 2, 0, 0}, kCurrentHigh, 0, false, kCurrentRms},
        {{2026, 11, 3, 12, 5, 0, 0}, kCurrentHigh, 1, true, kCurrentRms},
        {{2026, 11, 3, 12, 20, 0, 0}, kCurrentThd, 0, true, kCurrentThdItem},
        {{2026, 11, 3, 13, 10, 0, 0}, kCurrentThd, 0, false, kCurrentThdItem},
        {{2026, 11, 3, 13, 31, 0, 0}, kCurrentHigh, 1, false, kCurrentRms},
        {{2026, 11, 4, 12, 15, 0, 0}, kCurrentHigh, 2, true, kCurrentRms},
        {{2026, 11, 4, 13, 40, 0, 0}, kCurrentHigh, 2, false, kCurrentRms},
    };
    return alarms;
}

std::uint64_t SampleRecordAt(const DateTime& time)
{
    return static_cast<std::uint64_t>(MillisecondsBetween(kStart, time) / (1000 * kInterval));
}

StatisticFolderOptions SampleStatisticOptions()
{
    StatisticFolderOptions options = SiteValues::BaseOptions();
    options.overrides = TransientMarks(SiteValues());
    return options;
}

bool WriteSampleStatisticFolder(const std::filesystem::path& folder)
{
    return WriteStatisticFolder(folder, SampleStatisticOptions());
}

bool WriteSampleComtrade(const std::filesystem::path& folder)
{
    const SiteValues values;
    for (const SampleTransient& t : SampleTransients()) {
        const ComtradeOptions options = TransientRecord(values, t);
        if (!WriteComtradeRecord(folder / "COMTRADE" / "001" / ComtradeRecordName("TR", options.first), options)) {
            return false;
        }
    }
    return true;
}

bool WriteSampleSoe(const std::filesystem::path& folder)
{
    const SiteValues values;
    std::vector<SampleAlarm> alarms = SampleAlarms();
    std::stable_sort(alarms.begin(), alarms.end(), [](const SampleAlarm& a, const SampleAlarm& b) {
        return MillisecondsBetween(a.time, b.time) > 0;
    });
    std::vector<SoeBlock> blocks;
    for (const SampleAlarm& alarm : alarms) {
        const std::uint64_t record = SampleRecordAt(alarm.time);
        const DateTime& t = alarm.time;
        SoeBlock block;
        block.time = {static_cast<std::uint16_t>(t.year),   static_cast<std::uint16_t>(t.month),
                      static_cast<std::uint16_t>(DayOfWeek(t)), static_cast<std::uint16_t>(t.day),
                      static_cast<std::uint16_t>(t.hour),   static_cast<std::uint16_t>(t.minute),
                      static_cast<std::uint16_t>(t.second), static_cast<std::uint16_t>(t.millisecond)};
        // A start reports the highest value of its minute, an end the average.
        const float value =
            values.At(record, alarm.starts ? kBlockMaximum : kBlockAverage, alarm.item, alarm.phase);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        SoeRecordWords words;
        words.w = {alarm.type, alarm.starts ? 1u : 0u, alarm.phase, 0, bits};
        block.records.push_back(words);
        block.scene = AlarmScene(values, record);
        blocks.push_back(block);
    }
    return WriteSoeFile(folder / "SOE" / "K7700.soe", blocks);
}

}  // namespace gen
