// The chart pages of CWordReporter: the harmonic bar chart pages, and the trend
// section with one page per configured trend item and pages of three harmonic trend
// charts per configured harmonic trend item.

#include <array>
#include <cmath>

#include "core/ColorPicker.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "report/PicOutputDataMgr.h"
#include "report/ReportConfig.h"
#include "report/ReportPageCanvas.h"
#include "report/SeriesStatistics.h"
#include "report/TrendItemSeries.h"
#include "report/WordReporter.h"
#include "report/ZVHarmPic.h"
#include "terminal/DataModel.h"

namespace {

// The statistic word of a query for the item's own value (no maximum, minimum or average).
constexpr std::uint32_t kOwnStatistic = 4;
constexpr std::uint32_t kAverageStatistic = 2;

constexpr std::uint32_t RGB(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}
// Curves of a harmonic trend chart, by position of the order in its list.
constexpr std::uint32_t kOrderColors[] = {kTrendRed,        kTrendGreen,       kTrendBlue,
                                          RGB(29, 122, 87), RGB(133, 64, 208), RGB(181, 163, 91)};

std::wstring GraphText(const char* key)
{
    return CRtfReportText::Instance().Text(RtfSection::TrendGraph, key);
}

std::wstring MakingText(const char* key, const std::wstring& name)
{
    return CRtfReportText::Instance().Text(RtfSection::Global, key) + L":" + name + L".";
}

}  // namespace

// --- Harmonic bar chart pages

bool CWordReporter::HarmonicsAvailable(bool current) const
{
    return HoldsHarmonicOrders(GetCurrentModel(), m_HarmSources[current ? 1 : 0]);
}

std::wstring CWordReporter::HarmPageHeading(bool current, const std::wstring& title) const
{
    if (!HarmonicsFromHarmonicItems(current)) {
        return title;
    }
    const RtfSection section = current ? RtfSection::AHarm : RtfSection::VHarm;
    return title + L" " + CRtfReportText::Instance().Text(section, "FromHarmonics");
}

CZVHarmPic CWordReporter::BuildHarmChart(bool current, int phase) const
{
    std::uint32_t maxColor = kTrendRed;
    std::uint32_t minColor = kTrendGreen;
    std::uint32_t avgColor = kTrendBlue;
    CColorPicker colors;
    if (colors.Open(L"Harmonic") == 0 || colors.GetHarmColors(maxColor, minColor, avgColor) == 0) {
        maxColor = kTrendRed;
        minColor = kTrendGreen;
        avgColor = kTrendBlue;
    }
    std::vector<CZVPicItem> items = {{maxColor, GraphText("MaxValue")},
                                     {minColor, GraphText("MinValue")},
                                     {avgColor, GraphText("AvgValue")},
                                     {RGB(185, 122, 87), GraphText("C95Value")}};
    CZVHarmPic picture(L"L" + std::to_wstring(phase + 1), current ? L"[A]" : L"[%]", std::move(items));
    if (phase < 0 || phase > 2) {
        return picture;
    }
    const std::size_t list = (current ? kHarmCurrent : kHarmVoltage) + static_cast<std::size_t>(phase);
    for (int i = 0; i < kHarmOrders; ++i) {
        const std::size_t first = 3 * static_cast<std::size_t>(i);
        const std::vector<float>& average = Series(list, first + 2);
        CZVHarmSeries series(std::to_wstring(i + 1));
        series.AddValue(SeriesMax(Series(list, first)), 0);
        series.AddValue(SeriesMin(Series(list, first + 1)), 1);
        series.AddValue(SeriesMean(average), 2);
        series.AddValue(GetCP95(average), 3);
        picture.AddValues(series);
    }
    return picture;
}

int CWordReporter::WriteHarmChartPage(bool current, const std::wstring& caption)
{
    if (!HarmonicsAvailable(current)) {
        return 0;
    }
    if (m_Canvas->BeginPage(static_cast<std::uint32_t>(GetCounter()), PageHeader(HarmPageHeading(current, caption))) ==
        0) {
        m_PageFailed = true;
        return 0;
    }
    for (int phase = 0; phase < 3; ++phase) {
        const CZVHarmPic chart = BuildHarmChart(current, phase);
        // The axis follows the values: a fixed 0-120 % axis would flatten the small
        // ratios of the harmonic groups to nothing.
        if (!Placed(m_Canvas->DrawHarmonicPage({&chart}, 0, phase + 1))) {
            return 0;
        }
    }
    return FinishPage(true) ? 1 : 0;
}

int CWordReporter::WriteHarmVoltageChartPage(const std::wstring& caption)
{
    return WriteHarmChartPage(false, caption);
}

int CWordReporter::WriteHarmCurrentChartPage(const std::wstring& caption)
{
    return WriteHarmChartPage(true, caption);
}

// --- Trend pages

CZVTrendPic CWordReporter::NewTrendPicture(const std::wstring& title, const std::wstring& unit, std::uint32_t id) const
{
    return CZVTrendPic(title, unit, GetStartTime().value_or(0), GetEndTime().value_or(0),
                       GetPhaseValue(IsItemSupported(id)));
}

bool CWordReporter::MakeCurve(std::uint32_t channel, std::uint32_t statistic, std::uint32_t order,
                              std::uint32_t valueKind, std::uint32_t itemCode, const std::wstring& curveName,
                              std::uint32_t color, std::uint32_t kind, std::deque<CZVTrendCurve>& curves) const
{
    IDataModel* model = GetCurrentModel();
    CPicOutputDataMgr sink;
    if (model == nullptr ||
        model->GetData(channel, statistic, order, valueKind, itemCode, reinterpret_cast<QueryWord>(&sink)) != 1 ||
        sink.GetValues().empty()) {
        return false;
    }
    curves.emplace_back(curveName, color, 1.0f, kind).SetValues(sink.GetValues(), 0.0f);
    return true;
}

bool CWordReporter::WriteTrendPage(const std::wstring& name, const std::vector<const CZVTrendPic*>& pictures, int style,
                                   int layout)
{
    if (m_Canvas->BeginPage(static_cast<std::uint32_t>(GetCounter()), PageHeader(name)) == 0) {
        m_PageFailed = true;
        return false;
    }
    return Placed(m_Canvas->DrawTrendPage(pictures, style, layout)) && FinishPage(true);
}

bool CWordReporter::GetPhaseLabel(std::uint32_t phase, std::uint32_t count, const std::wstring& name,
                                 std::int32_t& entryKind, std::wstring& label) const
{
    return TrendPhaseLabel(phase, count, name, GraphText("Sum"), entryKind, label);
}

int CWordReporter::WriteTrendSection()
{
    const CReportConfig* config = GetModel();
    if (config == nullptr) {
        return 1;
    }
    WriteTrendPages(config->GetTrendPart());
    WriteHarmTrendPages(config->GetHarmPart().GetTrendItems());
    return 1;
}

void CWordReporter::WriteTrendPages(const std::vector<CReportTrendItem>& items)
{
    for (const CReportTrendItem& item : items) {
        CReportItemName record;
        if (Failed() || FindTrendItem(item.GetKey(), record) == 0) {
            continue;
        }
        NotifyHourglaze(MakingText("MakingTrend", record.name).c_str());
        switch (record.chartKind) {
            case 1:
            case 3:
            case 4: WriteStatTrendPage(item, record.itemId, record.name, record.unit, record.chartKind); break;
            case 10:
            case 1200: WritePhaseTrendPage(item, record.itemId, record.name, record.unit); break;
            case 84: WriteEnergyTrendPage(item, record.itemId, record.name, record.unit); break;
            case 1400: WriteSignedTrendPage(item, record.itemId, record.name, record.unit); break;
            default: break;
        }
    }
}

std::vector<const CZVTrendPic*> CTrendCharts::List() const
{
    std::vector<const CZVTrendPic*> list;
    for (const CZVTrendPic& picture : pictures) {
        list.push_back(&picture);
    }
    return list;
}

void CWordReporter::BuildStatTrendCharts(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                         const std::wstring& unit, std::uint32_t count, bool signedPeaks,
                                         CTrendCharts& charts) const
{
    const auto dataSet = static_cast<std::uint32_t>(GetSetting6());
    std::deque<CZVTrendCurve>& curves = charts.curves;
    for (std::uint32_t phase = 0; phase < count; ++phase) {
        std::int32_t entryKind = 0;
        std::wstring label;
        CReportTrendPhase entry;
        if (!GetPhaseLabel(phase, count, name, entryKind, label) || !PresentEntry(item, entryKind, entry)) {
            continue;
        }
        const std::size_t first = curves.size();
        // With signed peaks, the peak of largest magnitude, with its sign, is the
        // chart's maximum, and that of smallest magnitude its minimum.
        float signedMax = 0.0f;
        float signedMin = 0.0f;
        for (const TrendStatistic& s : kTrendStatistics) {
            // The statistic word of the query is the curve's kind.
            if (entry.*s.flag != 1 || !MakeCurve(static_cast<std::uint32_t>(entryKind), s.kind, 0, dataSet, id,
                                                 GraphText(s.caption), s.color, s.kind, curves)) {
                continue;
            }
            CZVTrendCurve& curve = curves.back();
            float best = -1.0f;
            for (std::size_t i = 0; signedPeaks && s.kind != CZVTrendCurve::kAverage && i < curve.values.size(); ++i) {
                const float v = curve.values[i];
                const float magnitude = std::fabs(v);
                const bool better = s.kind == CZVTrendCurve::kMaximum ? magnitude > best
                                                                       : best < 0.0f || magnitude < best;
                if (!HasValue(v) || !better) {
                    continue;
                }
                best = magnitude;
                if (s.kind == CZVTrendCurve::kMaximum) {
                    signedMax = v;
                    curve.maxIndex = i;
                } else {
                    signedMin = v;
                }
            }
        }
        if (curves.size() == first) {
            continue;
        }
        CZVTrendPic& picture = charts.pictures.emplace_back(NewTrendPicture(label, unit, id));
        for (std::size_t c = first; c < curves.size(); ++c) {
            picture.UpdateSummary(curves[c]);
        }
        if (signedPeaks) {
            picture.summaryMax = signedMax;
            picture.summaryMin = signedMin;
        }
    }
}

int CWordReporter::WriteStatTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                      const std::wstring& unit, std::uint32_t count)
{
    if (item.Enabled == 0) {
        return 0;
    }
    CTrendCharts charts;
    BuildStatTrendCharts(item, id, name, unit, count, false, charts);
    return !charts.pictures.empty() && WriteTrendPage(name, charts.List(), 1, 0) ? 1 : 0;
}

int CWordReporter::WriteSignedTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                        const std::wstring& unit)
{
    if (item.Enabled == 0) {
        return 0;
    }
    CTrendCharts charts;
    BuildStatTrendCharts(item, id, name, unit, 3, true, charts);
    return !charts.pictures.empty() && WriteTrendPage(name, charts.List(), 1, 0) ? 1 : 0;
}

void CWordReporter::BuildEnergyTrendCharts(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                           const std::wstring& unit, CTrendCharts& charts) const
{
    const auto dataSet = static_cast<std::uint32_t>(GetSetting6());
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        std::int32_t entryKind = 0;
        std::wstring label;
        CReportTrendPhase entry;
        GetPhaseLabel(phase, 4, name, entryKind, label);
        if (!PresentEntry(item, entryKind, entry) || entry.flag1 != 1 ||
            !MakeCurve(phase, kOwnStatistic, 0, dataSet, id, GraphText("Value"), kTrendRed, CZVTrendCurve::kMaximum,
                       charts.curves)) {
            continue;
        }
        charts.pictures.emplace_back(NewTrendPicture(label, unit, id)).UpdateSummary(charts.curves.back());
    }
}

int CWordReporter::WriteEnergyTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                        const std::wstring& unit)
{
    if (item.Enabled == 0) {
        return 0;
    }
    CTrendCharts charts;
    BuildEnergyTrendCharts(item, id, name, unit, charts);
    return !charts.pictures.empty() && WriteTrendPage(name, charts.List(), 0, 0) ? 1 : 0;
}

int CWordReporter::WritePhaseTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                       const std::wstring& unit)
{
    const std::array<std::vector<float>, 3> series = QueryPhaseSeries(*this, item, id);
    CTrendCharts charts;
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        if (!series[phase].empty()) {
            charts.curves.emplace_back(L"L" + std::to_wstring(phase + 1), kTrendPhaseColors[phase], 1.0f,
                                       CZVTrendCurve::kMaximum)
                .SetValues(series[phase], 0.0f);
        }
    }
    int written = 0;
    if (!charts.curves.empty()) {
        CZVTrendPic& picture = charts.pictures.emplace_back(NewTrendPicture(name, unit, id));
        for (const CZVTrendCurve& curve : charts.curves) {
            picture.UpdateSummary(curve);
        }
        written = WriteTrendPage(name, charts.List(), 0, 0) ? 1 : 0;
    }
    ComputeItemStats(2);
    return written;
}

// --- Harmonic trend pages

void CWordReporter::WriteHarmTrendPages(const std::vector<CHarmTrendItem>& items)
{
    for (const CHarmTrendItem& item : items) {
        CReportItemDef def;
        // An item the user switched off is not drawn.
        if (Failed() || item.Enabled == 0 || FindHarmTrendItem(item.GetKey(), def) == 0) {
            continue;
        }
        NotifyHourglaze(MakingText("MakingHarmTrend", def.name).c_str());
        WriteHarmTrendItem(item, def);
    }
}

int CWordReporter::WriteHarmTrendItem(const CHarmTrendItem& item, const CReportItemDef& def)
{
    const std::vector<OrderGroup>& groups = item.GetGroups();
    if (groups.empty()) {
        return 0;
    }
    std::uint32_t chartNumber = 1;
    std::array<std::vector<std::int32_t>, 3> lists;
    std::size_t filled = 0;
    for (const OrderGroup& group : groups) {
        lists[filled++] = GetGroupOrders(group);
        if (filled == 3) {
            WriteHarmTrendPage(def, chartNumber, lists);
            lists = {};
            filled = 0;
        }
    }
    if (filled != 0) {
        WriteHarmTrendPage(def, chartNumber, lists);
    }
    return 1;
}

void CWordReporter::BuildHarmTrendCharts(const CReportItemDef& def, std::uint32_t& chartNumber,
                                         const std::array<std::vector<std::int32_t>, 3>& lists,
                                         CTrendCharts& charts) const
{
    for (const std::vector<std::int32_t>& orders : lists) {
        const std::size_t first = charts.curves.size();
        for (std::size_t j = 0; j < orders.size(); ++j) {
            if (orders[j] < 1) {
                continue;
            }
            MakeCurve(def.phase, kAverageStatistic, static_cast<std::uint32_t>(orders[j] - 1), def.kind, def.itemId,
                      L"H" + std::to_wstring(orders[j]), kOrderColors[j % 6], CZVTrendCurve::kMaximum, charts.curves);
        }
        // A chart without curves is dropped and takes no number.
        if (charts.curves.size() == first) {
            continue;
        }
        CZVTrendPic& picture = charts.pictures.emplace_back(
            NewTrendPicture(GraphText("GraphName") + std::to_wstring(chartNumber), def.unit, def.itemId));
        for (std::size_t c = first; c < charts.curves.size(); ++c) {
            picture.UpdateSummary(charts.curves[c]);
        }
        ++chartNumber;
    }
}

int CWordReporter::WriteHarmTrendPage(const CReportItemDef& def, std::uint32_t& chartNumber,
                                      const std::array<std::vector<std::int32_t>, 3>& lists)
{
    CTrendCharts charts;
    BuildHarmTrendCharts(def, chartNumber, lists, charts);
    return !charts.pictures.empty() && WriteTrendPage(def.name, charts.List(), 0, 2) ? 1 : 0;
}
