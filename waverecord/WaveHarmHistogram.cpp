#include "waverecord/WaveHarmHistogram.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveHarmonicTrend.h"
#include "waverecord/WaveSettings.h"

namespace {

constexpr int kOtherOrdersFrom = 25;
constexpr int kKFactorItem = 5999;
// THD and DC items by family: voltage, current, harmonic power.
constexpr int kThdItems[] = {6075, 6076, 6077};
constexpr int kDcItems[] = {6004, 6006, 6008};
constexpr int kStatMinimum = CWaveResultStore::kMinimum;
constexpr int kStatAverage = CWaveResultStore::kAverage;
constexpr int kStatMaximum = CWaveResultStore::kMaximum;

// The result key of an order of a phase in a harmonic family.
int HistogramOrderKey(int order, int phase)
{
    return static_cast<int>(((static_cast<std::uint32_t>(order) & 0xFFFFu) | static_cast<std::uint32_t>(phase) << 16)
                            << 8);
}

}  // namespace

HarmHistAttrib DefaultHarmHistAttrib(std::uint32_t wiringMask)
{
    HarmHistAttrib record;
    record.item = 5981;
    record.stats = kHistMax | kHistMin | kHistAvg;
    record.orderCount = 15;
    for (int i = 0; i < 15; ++i) {
        record.orders[static_cast<std::size_t>(i)] = i;
    }
    record.phases = 0;
    for (std::int32_t bit : {1, 2, 4, 8}) {
        if ((wiringMask & static_cast<std::uint32_t>(bit)) != 0) {
            record.phases = bit;
            break;
        }
    }
    return record;
}

int HarmPhaseIndex(std::int32_t phases)
{
    if ((phases & 1) != 0) {
        return 0;
    }
    if ((phases & 2) != 0) {
        return 1;
    }
    if ((phases & 4) != 0) {
        return 2;
    }
    if ((phases & 8) != 0) {
        return 3;
    }
    return 4;
}

int GetItemFamily(int item)
{
    if (item >= 5981 && item <= 5998) {
        return item % 2 != 0 ? 0 : 1;
    }
    if (item >= 6000 && item <= 6002) {
        return 2;
    }
    return -1;
}

bool IsInterharmonicItem(int item) { return item >= 5991 && item <= 5994; }

std::wstring GetTitle(int item, int phases, const std::function<std::wstring(unsigned)>& text)
{
    std::wstring title;
    switch (phases) {
    case 1: title = L"L1 "; break;
    case 2: title = L"L2 "; break;
    case 4: title = L"L3 "; break;
    case 8: title = L"LN "; break;
    default: break;
    }
    static const std::map<int, unsigned> kTexts = {
        {5981, 10121}, {5982, 10130}, {5983, 10123}, {5984, 10132}, {5985, 10122}, {5986, 10131}, {5987, 10124},
        {5988, 10133}, {5989, 10125}, {5990, 10134}, {5991, 10126}, {5992, 10135}, {5993, 10127}, {5994, 10136},
        {5995, 10128}, {5996, 10137}, {5997, 10129}, {5998, 10138}, {6000, 10139}, {6001, 10140}, {6002, 10141},
    };
    if (const auto found = kTexts.find(item); found != kTexts.end()) {
        title += text(found->second);
    }
    return title;
}

std::wstring BarArgument(unsigned label, int item)
{
    switch (label) {
    case kHistLabelThd: return L"THD";
    case kHistLabelDc: return L"DC";
    case kHistLabelKf: return L"KF";
    default: break;
    }
    if (label > 50) {
        return std::wstring();
    }
    // Interharmonic groups lie between the orders: the first is group 0.
    const unsigned shown = IsInterharmonicItem(item) && label > 0 ? label - 1 : label;
    return std::to_wstring(shown);
}

void CWaveHarmHistogramBars::CollectBar(CWaveResultStore* result, int order, std::int32_t phases, unsigned label)
{
    if (result == nullptr) {
        return;
    }
    for (int phase = 0; phase < 4; ++phase) {
        if ((phases & (1 << phase)) == 0) {
            continue;
        }
        const int key = label != 0 ? phase : HistogramOrderKey(order, phase);
        HarmBarEntry entry;
        bool read = true;
        float low = 0.0f, high = 0.0f;
        if ((m_attrib.stats & kHistMax) != 0) {
            read = result->GetRange(key, kStatMaximum, low, high) != 0 && read;
            entry.max = high;
        }
        if ((m_attrib.stats & kHistMin) != 0) {
            read = result->GetRange(key, kStatMinimum, low, high) != 0 && read;
            entry.min = low;
        }
        if ((m_attrib.stats & kHistAvg) != 0) {
            read = result->GetFirstValue(key, kStatAverage, entry.avg) != 0 && read;
        }
        if ((m_attrib.stats & kHistCp95) != 0) {
            read = result->GetSecondValue(key, kStatAverage, entry.cp95) != 0 && read;
        }
        entry.label = label != 0 ? label : static_cast<unsigned>(order + 1);
        // A phase or order without data shows no bar rather than a bar of 0.
        if (read) {
            m_bars.push_back(entry);
        }
    }
}

void CWaveHarmHistogramBars::CollectBars(const HarmHistAttrib& record, const WaveResultGetter& getResult)
{
    m_bars.clear();
    if (std::unique_ptr<CWaveResultStore> result = getResult ? getResult(record.item) : nullptr) {
        const int count = std::clamp(record.orderCount, 0, static_cast<std::int32_t>(record.orders.size()));
        for (int i = 0; i < count; ++i) {
            CollectBar(result.get(), record.orders[static_cast<std::size_t>(i)], record.phases, 0);
        }
        if (record.withOthers != 0) {
            const int orders = result->CountOrders(HarmPhaseIndex(record.phases));
            for (int order = kOtherOrdersFrom; order < orders; ++order) {
                CollectBar(result.get(), order, record.phases, 0);
            }
        }
    }
    CollectExtras(record, getResult);
}

std::vector<int> CWaveHarmHistogramBars::ItemsRead(const HarmHistAttrib& record)
{
    std::vector<int> items{record.item};
    const int family = GetItemFamily(record.item);
    if (record.withTHD != 0 && family >= 0) {
        items.push_back(kThdItems[family]);
    }
    if (record.withKF != 0) {
        items.push_back(kKFactorItem);
    }
    if (record.withDC != 0 && family >= 0) {
        items.push_back(kDcItems[family]);
    }
    return items;
}

bool CWaveHarmHistogramBars::HarmonicRangeIsLongEnough(const CWaveAnalysisManager& manager, std::int64_t start,
                                                       std::int64_t end)
{
    // The same rule as the harmonic trend view's, so that both views accept the same ranges.
    return harmtrend::HarmonicRangeIsLongEnough(start, end, manager.GetNominalFrequency(), manager.GetSampleRate(),
                                                static_cast<std::uint64_t>(CWaveSettings::Instance().Stored().harm));
}

void CWaveHarmHistogramBars::CollectExtras(const HarmHistAttrib& record, const WaveResultGetter& getResult)
{
    if (!getResult) {
        return;
    }
    const int family = GetItemFamily(record.item);
    const auto collect = [&](int item, unsigned label) {
        std::unique_ptr<CWaveResultStore> result = item != 0 ? getResult(item) : nullptr;
        CollectBar(result.get(), 2, record.phases, label);
    };
    if (record.withTHD != 0) {
        collect(family >= 0 ? kThdItems[family] : 0, kHistLabelThd);
    }
    if (record.withKF != 0) {
        collect(kKFactorItem, kHistLabelKf);
    }
    if (record.withDC != 0) {
        collect(family >= 0 ? kDcItems[family] : 0, kHistLabelDc);
    }
}

std::vector<std::int32_t> BuildHistogramSeries(controls::BarChart& chart, std::int32_t stats,
                                               const HarmHistColors& colors,
                                               const std::function<std::wstring(unsigned)>& text)
{
    chart.RemoveAllSeries();
    chart.legendVisible = true;
    struct Statistic {
        std::int32_t bit;
        unsigned nameId;
        gfx::Color color;
    };
    const Statistic statistics[] = {
        {kHistMax, 10107, gfx::Color::FromColorRef(colors.maximum)},
        {kHistMin, 10108, gfx::Color::FromColorRef(colors.minimum)},
        {kHistAvg, 10109, gfx::Color::FromColorRef(colors.average)},
        {kHistCp95, 6129, gfx::Color{255, 0, 255}},
    };
    std::vector<std::int32_t> shown;
    for (const Statistic& statistic : statistics) {
        if ((stats & statistic.bit) == 0) {
            continue;
        }
        controls::ChartSeries& series = chart.AddSeries(text(statistic.nameId), statistic.color);
        series.labelsVisible = false;
        series.labelFormat = L"%.3f";
        shown.push_back(statistic.bit);
    }
    if (!shown.empty()) {
        chart.argumentTitle.visible = false;
        chart.valueTitle.visible = true;
    }
    return shown;
}

void AddHistogramBar(controls::BarChart& chart, const std::vector<std::int32_t>& seriesStats, const HarmBarEntry& bar,
                     int item)
{
    const std::wstring argument = BarArgument(bar.label, item);
    std::vector<controls::ChartSeries>& series = chart.Series();
    for (std::size_t s = 0; s < series.size() && s < seriesStats.size(); ++s) {
        double value = 0.0;
        switch (seriesStats[s]) {
        case kHistMax: value = bar.max; break;
        case kHistMin: value = bar.min; break;
        case kHistAvg: value = bar.avg; break;
        default: value = bar.cp95; break;
        }
        series[s].points.push_back({argument, value});
        series[s].labelsVisible = false;
        series[s].labelFormat = L"%.3f";
    }
}
