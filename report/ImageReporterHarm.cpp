// The harmonic pictures of ImageReporter: the course of chosen harmonic orders over
// time (harmonic trend charts) and, per phase, the bars of every order's maximum,
// minimum, average and 95 % value (harmonic bar charts).

#include <algorithm>
#include <cwchar>
#include <deque>

#include "core/ColorPicker.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "report/ImageReporter.h"
#include "report/ReportChartPainter.h"
#include "report/RtfReportText.h"
#include "report/ZVHarmPic.h"

namespace {

// Colours of the curves of one harmonic trend chart, by position in its order list.
constexpr std::uint32_t RGB(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}
constexpr std::uint32_t kOrderColors[] = {RGB(255, 0, 0),   RGB(0, 180, 0),    RGB(0, 0, 255),
                                          RGB(29, 122, 87), RGB(133, 64, 208), RGB(181, 163, 91)};
// Bars need this many orders before a phase's chart is drawn.
constexpr std::size_t kMinBarOrders = 24;
// No terminal measures beyond this order; a reader answering further is not believed.
constexpr std::uint32_t kMaxBarOrder = 64;

}  // namespace

void ImageReporter::BuildHarmTrendPictures(const std::vector<CHarmTrendItem>& items)
{
    for (const CHarmTrendItem& item : items) {
        CReportItemDef def;
        if (FindHarmTrendItem(item.GetKey(), def) == 0) {
            continue;
        }
        ProgressStep();
        m_ItemKey = platform::Utf8ToWide(item.GetKey());
        BuildHarmTrendItem(item, def);
    }
}

int ImageReporter::BuildHarmTrendItem(const CHarmTrendItem& item, const CReportItemDef& def)
{
    const StatRequest request{def.phase, 2, 0, def.kind, def.itemId};
    const std::wstring name = CPictureNames::IsMissingText(def.name) ? platform::Utf8ToWide(item.GetKey()) : def.name;
    std::uint32_t chartNumber = 1;
    const std::vector<OrderGroup>& groups = item.GetGroups();
    std::array<std::vector<std::int32_t>, 3> lists;
    std::size_t filled = 0;
    auto hand = [&] {
        if (BuildHarmTrendPicture(lists, request, name, def.unit, chartNumber) == 1) {
            IncCounter();
        }
        lists = {};
        filled = 0;
    };
    for (const OrderGroup& group : groups) {
        lists[filled++] = GetGroupOrders(group);
        if (filled == 3) {
            hand();
        }
    }
    hand();  // the remainder: one or two selections, or none
    return groups.empty() ? 0 : 1;
}

int ImageReporter::BuildHarmTrendPicture(const std::array<std::vector<std::int32_t>, 3>& lists, StatRequest request,
                                         const std::wstring& name, const std::wstring& unit,
                                         std::uint32_t& chartNumber)
{
    for (const std::vector<std::int32_t>& orders : lists) {
        if (orders.empty()) {
            continue;
        }
        std::deque<CZVTrendCurve> curves;
        CPicOutputDataMgr sink;
        for (std::size_t j = 0; j < orders.size(); ++j) {
            request.order = static_cast<std::uint32_t>(orders[j] - 1);
            if (!Query(request, sink)) {
                continue;
            }
            CZVTrendCurve& curve = curves.emplace_back(L"H" + std::to_wstring(orders[j]), kOrderColors[j % 6], 1.0f,
                                                       CZVTrendCurve::kMaximum);
            curve.SetValues(sink.GetValues(), 0.0f);
        }
        if (curves.empty()) {
            continue;
        }
        const std::wstring number = std::to_wstring(chartNumber);
        CZVTrendPic picture = NewPicture(GetHeaderText1() + L"-" + name + L"-" + number, unit, request.itemCode);
        for (const CZVTrendCurve& curve : curves) {
            picture.UpdateSummary(curve);
        }
        DrawTrendAndSave(picture, 0, name + L"_" + number, m_ItemKey + L"_" + number);
        ++chartNumber;
    }
    return 1;
}

void ImageReporter::BuildHarmBarPictures()
{
    static constexpr double kSteps[] = {66, 72, 78, 84, 90, 96};
    int step = 0;
    auto advance = [&] { UpdateHourglaze(m_StartPos + m_Share / 100.0 * kSteps[step++]); };
    for (const wchar_t* phase : {L"1", L"2", L"3"}) {
        BuildVoltageHarmBars(phase, L"[%]", std::wstring(L"L") + phase);
        advance();
    }
    for (const wchar_t* phase : {L"1", L"2", L"3"}) {
        BuildCurrentHarmBars(phase, L"[A]", std::wstring(L"L") + phase);
        advance();
    }
}

int ImageReporter::BuildCurrentHarmBars(const std::wstring& phaseNumber, const std::wstring& unit,
                                        const std::wstring& label)
{
    return BuildHarmBars(true, phaseNumber, unit, label);
}

int ImageReporter::BuildVoltageHarmBars(const std::wstring& phaseNumber, const std::wstring& unit,
                                        const std::wstring& label)
{
    return BuildHarmBars(false, phaseNumber, unit, label);
}

int ImageReporter::BuildHarmBars(bool current, const std::wstring& phaseNumber, const std::wstring& unit,
                                 const std::wstring& label)
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    const RtfSection section = current ? RtfSection::AHarm : RtfSection::VHarm;
    const char* const titleKey = current ? "HarmARms" : "HarmVRms";
    const char* const fileKey = current ? "HarmARms_I" : "HarmVRms_I";

    std::uint32_t maxColor = 0x0000FF;
    std::uint32_t minColor = 0x00B400;
    std::uint32_t avgColor = 0xFF0000;
    CColorPicker colors;
    if (colors.Open(L"Harmonic") == 0 || colors.GetHarmColors(maxColor, minColor, avgColor) == 0) {
        maxColor = 0x0000FF;
        minColor = 0x00B400;
        avgColor = 0xFF0000;
    }
    const std::vector<CZVPicItem> items = {{maxColor, texts.Text(section, "MaxValue")},
                                           {minColor, texts.Text(section, "MinValue")},
                                           {avgColor, texts.Text(section, "AvgValue")},
                                           {RGB(185, 122, 87), texts.Text(section, "C95Value")}};
    // A title or name the wording lacks gives way to its key.
    auto wording = [&](const char* key) {
        const std::wstring text = texts.Text(RtfSection::Global, key);
        return CPictureNames::IsMissingText(text) ? platform::Utf8ToWide(key) : text;
    };
    CZVHarmPic picture(GetHeaderText1() + L"-" + wording(titleKey), unit, items);

    // The phase text counts from 1; the query's channel from 0.
    const std::uint32_t channel = static_cast<std::uint32_t>(std::max(1L, std::wcstol(phaseNumber.c_str(), nullptr, 10))) - 1;
    StatRequest request{channel, 0, 0, current ? 1u : 2u, current ? 10000u : 5000u};
    // Orders from 1 until the first order of which a statistic cannot be had.
    for (std::uint32_t order = 1; order <= kMaxBarOrder; ++order) {
        CZVHarmSeries series(std::to_wstring(order));
        request.order = order - 1;
        for (request.statistic = 0; request.statistic < 4; ++request.statistic) {
            const std::optional<float> value = QuerySummary(request);
            if (!value) {
                break;
            }
            series.AddValue(*value, request.statistic);
        }
        if (series.values.size() < 4) {
            break;
        }
        picture.AddValues(series);
    }
    if (picture.series.size() < kMinBarOrders || !m_FailedFile.empty() || NewChartSurface() == 0) {
        return 0;
    }
    CReportChartPainter painter;
    painter.Set(m_Graphics.get(), -10, 992, 1, 332);
    painter.DrawHarmBarChart(picture, current ? 0 : 1);
    return SavePicture(wording(fileKey) + L"_" + label, platform::Utf8ToWide(fileKey) + L"_" + label) ? 1 : 0;
}
