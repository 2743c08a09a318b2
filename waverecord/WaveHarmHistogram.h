#pragma once
// The harmonic histogram of the waveform-record window without its windows: the
// record that says what it shows (one harmonic quantity, one phase, the statistics,
// the orders and the extra THD, DC and K-factor groups), how the bar groups are
// collected from the analysed record's results, and how they become the series of
// the shared bar chart.
//
// A bar group is kept only when every statistic asked of it could be read: a phase
// or an order the record has no data for adds no bar, rather than a bar of 0.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/BarChart.h"
#include "waverecord/WaveResultStore.h"

class CWaveAnalysisManager;

// Statistic bits of a histogram.
inline constexpr std::int32_t kHistMax = 1, kHistMin = 2, kHistAvg = 4, kHistCp95 = 8;
// Labels of the extra bar groups.
inline constexpr unsigned kHistLabelThd = 400, kHistLabelDc = 401, kHistLabelKf = 402;

struct HarmHistAttrib {
    std::int32_t item = 5981;
    std::int32_t phases = 1;  // 1 L1, 2 L2, 4 L3, 8 N
    std::int32_t stats = kHistMax | kHistMin | kHistAvg;
    std::int32_t orderCount = 0;
    std::array<std::int32_t, 64> orders{};  // 0-based positions in the item's orders
    std::uint8_t withOthers = 0;            // also the orders from position 25 on
    std::uint8_t withTHD = 0;
    std::uint8_t withDC = 0;
    std::uint8_t withKF = 0;

    bool operator==(const HarmHistAttrib&) const = default;
};

struct HarmBarEntry {
    float min = 0.0f, max = 0.0f, avg = 0.0f, cp95 = 0.0f;
    unsigned label = 0;  // order number, or kHistLabelThd / Dc / Kf
};

// The first display: voltage harmonic RMS, orders 1-15, MAX, MIN and AVG, of the
// first phase of the record's wiring (bits 0-3).
HarmHistAttrib DefaultHarmHistAttrib(std::uint32_t wiringMask);

// 0-3 for the phase bits 1, 2, 4, 8 (the lowest set bit first); 4 otherwise.
int HarmPhaseIndex(std::int32_t phases);
// 0 voltage items, 1 current items, 2 harmonic power items, -1 others.
int GetItemFamily(int item);
// The interharmonic items count their orders from 0.
bool IsInterharmonicItem(int item);
// The value-axis title: "L1 " .. "LN " by a single phase bit, then the item's text
// (which ends with its unit).
std::wstring GetTitle(int item, int phases, const std::function<std::wstring(unsigned)>& text);
// The text under a bar group.
std::wstring BarArgument(unsigned label, int item);

using WaveResultGetter = std::function<std::unique_ptr<CWaveResultStore>(int item)>;

// The bar groups of one histogram record.
class CWaveHarmHistogramBars {
public:
    // The groups of one order (label 0) or of an extra quantity (label given) for
    // each phase of the mask; nothing for a null result.
    void CollectBar(CWaveResultStore* result, int order, std::int32_t phases, unsigned label);
    // Every group the record asks for: its orders, the further orders, then THD,
    // KF and DC in that order.
    void CollectBars(const HarmHistAttrib& record, const WaveResultGetter& getResult);
    void CollectExtras(const HarmHistAttrib& record, const WaveResultGetter& getResult);
    // The items whose results the record's bars are read from.
    static std::vector<int> ItemsRead(const HarmHistAttrib& record);

    // Whether a selected sample range [start, end) holds the harmonic window of
    // "WaveSystem.ini" (in 200 ms intervals) at the record's rate and frequency.
    static bool HarmonicRangeIsLongEnough(const CWaveAnalysisManager& manager, std::int64_t start, std::int64_t end);

    // The record whose statistics are read.
    void SetAttrib(const HarmHistAttrib& record) { m_attrib = record; }
    const HarmHistAttrib& Attrib() const { return m_attrib; }
    const std::vector<HarmBarEntry>& Bars() const { return m_bars; }
    void ClearBars() { m_bars.clear(); }

private:
    HarmHistAttrib m_attrib;
    std::vector<HarmBarEntry> m_bars;
};

// The colours of the maximum, minimum and average series (COLORREF).
struct HarmHistColors {
    std::uint32_t maximum = 0x0000FF;
    std::uint32_t minimum = 0x00FF00;
    std::uint32_t average = 0xFF0000;
};

// The chart's series for a statistic mask, in the order MAX, MIN, AVG, CP95 (the
// last always magenta), named by texts 10107, 10108, 10109 and 6129, with no points;
// the legend on, the argument title hidden, the value title shown. Answers the
// statistic bit of each series in series order.
std::vector<std::int32_t> BuildHistogramSeries(controls::BarChart& chart, std::int32_t stats,
                                               const HarmHistColors& colors,
                                               const std::function<std::wstring(unsigned)>& text);
// One point of every series for a bar group, labels hidden with three decimals.
void AddHistogramBar(controls::BarChart& chart, const std::vector<std::int32_t>& seriesStats,
                     const HarmBarEntry& bar, int item);
