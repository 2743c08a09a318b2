// The trend pictures of ImageReporter: one chart per configured trend item and
// phase (or one per item for the flicker charts), drawn from the data model's series.

#include <cmath>

#include "report/ImageReporter.h"
#include "report/ReportCanvas.h"
#include "report/ReportItemName.h"
#include "report/RtfReportText.h"
#include "report/SeriesStatistics.h"
#include "report/TrendItemSeries.h"
#include "terminal/DataModel.h"
#include "platform/base/Encoding.h"

namespace {

// Power and energy units of an analysed waveform record, which are not in kilo.
std::wstring UnitFor(std::uint32_t id, const std::wstring& unit, std::int32_t dataSet)
{
    if (dataSet == 0) {
        return unit;
    }
    switch (id) {
        case 15: return L"W";
        case 16: return L"VA";
        case 17: return L"VAR";
        case 20: return L"Wh";
        case 21: return L"VAh";
        case 22: return L"VARh";
        default: return unit;
    }
}

}  // namespace

CZVTrendPic ImageReporter::NewPicture(const std::wstring& title, const std::wstring& unit, std::uint32_t id) const
{
    return CZVTrendPic(title, unit, GetStartTime().value_or(0), GetEndTime().value_or(0),
                       GetPhaseValue(IsItemSupported(id)));
}

bool ImageReporter::DrawTrendAndSave(const CZVTrendPic& picture, int style, const std::wstring& text,
                                     const std::wstring& fallback)
{
    if (!m_FailedFile.empty() || NewChartSurface() == 0) {
        return false;
    }
    CReportCanvas canvas(*m_Graphics, -10, 1, 992, 332, GraphText("MaxValue"), GraphText("MinValue"),
                         GraphText("AvgValue"), GraphText("C95Value"), GraphText("MaxValueTime"));
    canvas.SetStyle(1);
    canvas.SetText(GetPeriodLabel());
    canvas.SetRect(15, 8, 8, 10);
    canvas.DrawTrendChart(picture, style);
    return SavePicture(text, fallback);
}

bool ImageReporter::GetPhaseLabel(std::uint32_t phase, std::uint32_t count, const std::wstring& name,
                                 std::int32_t& entryKind, std::wstring& label) const
{
    return TrendPhaseLabel(phase, count, name, GraphText("Sum") + name, entryKind, label);
}

void ImageReporter::BuildTrendPictures(const std::vector<CReportTrendItem>& items)
{
    for (const CReportTrendItem& item : items) {
        CReportItemName record;
        if (FindTrendItem(item.GetKey(), record) == 0) {
            continue;
        }
        // A name the wording lacks gives way to the item's key.
        const std::wstring key = platform::Utf8ToWide(item.GetKey());
        const std::wstring name = CPictureNames::IsMissingText(record.name) ? key : record.name;
        int built = 0;
        m_ItemKey = key;
        switch (record.chartKind) {
            case 1:
            case 3:
            case 4:
                ProgressStep();
                built = BuildStatTrendPicture(item, record.itemId, name, record.unit, record.chartKind);
                break;
            case 10:
            case 1200:
                ProgressStep();
                built = BuildPhaseTrendPicture(item, record.itemId, name, record.unit);
                break;
            case 84: built = BuildEnergyTrendPicture(item, record.itemId, name, record.unit); break;
            case 1400: built = BuildSignedTrendPicture(item, record.itemId, name, record.unit); break;
            default: break;
        }
        if (built == 1) {
            IncCounter();
        }
    }
}

int ImageReporter::BuildStatTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                         const std::wstring& unit, std::uint32_t count)
{
    return BuildStatCurves(item, id, name, unit, count, false);
}

int ImageReporter::BuildSignedTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                           const std::wstring& unit)
{
    return BuildStatCurves(item, id, name, unit, 3, true);
}

int ImageReporter::BuildStatCurves(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                   const std::wstring& unit, std::uint32_t count, bool signedMaximum)
{
    if (item.Enabled == 0) {
        return 0;
    }
    const std::int32_t dataSet = GetSetting6();
    for (std::uint32_t phase = 0; phase < count; ++phase) {
        std::int32_t entryKind = 0;
        std::wstring label;
        CReportTrendPhase entry;
        if (!GetPhaseLabel(phase, count, name, entryKind, label) || !PresentEntry(item, entryKind, entry)) {
            continue;
        }
        std::deque<CZVTrendCurve> curves;
        CPicOutputDataMgr sink;
        for (const TrendStatistic& statistic : kTrendStatistics) {
            if (entry.*statistic.flag != 1) {
                continue;
            }
            const StatRequest request{static_cast<std::uint32_t>(entryKind), statistic.kind, 0,
                                      static_cast<std::uint32_t>(dataSet), id};
            if (!Query(request, sink)) {
                continue;
            }
            CZVTrendCurve& curve = curves.emplace_back(GraphText(statistic.caption), statistic.color, 1.0f, statistic.kind);
            curve.SetValues(sink.GetValues(), 0.0f);
            if (signedMaximum && statistic.kind == CZVTrendCurve::kMaximum) {
                // The time of the maximum is that of the first value of largest magnitude.
                float largest = -1.0f;
                for (std::size_t i = 0; i < curve.values.size(); ++i) {
                    const float v = curve.values[i];
                    if (HasValue(v) && std::fabs(v) > largest) {
                        largest = std::fabs(v);
                        curve.maxIndex = i;
                    }
                }
            }
        }
        if (curves.empty()) {
            continue;
        }
        const bool withLabel = signedMaximum || count != 1;
        CZVTrendPic picture = NewPicture(GetHeaderText1() + L"-" + name + (withLabel ? L"-" + label : L""),
                                         UnitFor(id, unit, dataSet), id);
        for (const CZVTrendCurve& curve : curves) {
            picture.UpdateSummary(curve);
        }
        const std::wstring suffix = withLabel && label != name ? L"_" + label : L"";
        DrawTrendAndSave(picture, 1, name + suffix, m_ItemKey + suffix);
    }
    return 1;
}

int ImageReporter::BuildPhaseTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                          const std::wstring& unit)
{
    const std::array<std::vector<float>, 3> series = QueryPhaseSeries(*this, item, id);
    std::deque<CZVTrendCurve> curves;
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        if (series[phase].empty()) {
            continue;
        }
        // Samples without value stay gaps of the curve.
        CZVTrendCurve& curve =
            curves.emplace_back(L"L" + std::to_wstring(phase + 1), kTrendPhaseColors[phase], 1.0f, CZVTrendCurve::kMaximum);
        curve.SetValues(series[phase], 0.0f);
    }
    if (curves.empty()) {
        ComputeItemStats(2);
        return 0;
    }
    CZVTrendPic picture = NewPicture(GetHeaderText1() + L"-" + name, UnitFor(id, unit, GetSetting6()), id);
    for (const CZVTrendCurve& curve : curves) {
        picture.UpdateSummary(curve);
    }
    return DrawTrendAndSave(picture, 1, name, m_ItemKey) ? 1 : 0;
}

int ImageReporter::BuildEnergyTrendPicture(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                           const std::wstring& unit)
{
    if (item.Enabled == 0) {
        return 0;
    }
    const std::int32_t dataSet = GetSetting6();
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        std::int32_t entryKind = 0;
        std::wstring label;
        CReportTrendPhase entry;
        GetPhaseLabel(phase, 4, name, entryKind, label);
        if (!PresentEntry(item, entryKind, entry) || entry.flag1 != 1) {
            continue;
        }
        CPicOutputDataMgr sink;
        if (!Query(StatRequest{phase, 0, 0, static_cast<std::uint32_t>(dataSet), id}, sink)) {
            continue;
        }
        CZVTrendCurve curve(GraphText("Value"), kTrendRed, 1.0f, CZVTrendCurve::kMaximum);
        curve.SetValues(sink.GetValues(), 0.0f);
        CZVTrendPic picture = NewPicture(GetHeaderText1() + L"-" + name + L"-" + label, UnitFor(id, unit, dataSet), id);
        picture.UpdateSummary(curve);
        DrawTrendAndSave(picture, 0, name + L"_" + label, m_ItemKey + L"_" + label);
    }
    return 1;
}
