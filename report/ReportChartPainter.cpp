#include "report/ReportChartPainter.h"

#include <algorithm>
#include <cmath>

#include "report/ChartLegend.h"
#include "report/ReportDrawing.h"
#include "report/ReportFormat.h"
#include "report/SeriesStatistics.h"
#include "report/TrendScale.h"

namespace {

using report::Align;
using report::TextStyle;
using report::kValueLabelWidth;

constexpr double kBarWidth = 8.0;
constexpr double kPercentTop = 120.0;
constexpr float kPercentClamp = 119.9f;
const wchar_t* const kChartPainterFace = report::kChartFace;

TextStyle Style(const gfx::Font& font, Align align = Align::Near, Align lineAlign = Align::Near)
{
    TextStyle style{font};
    style.align = align;
    style.lineAlign = lineAlign;
    style.wrap = false;
    return style;
}

}  // namespace

void CReportChartPainter::Set(gfx::Context* graphics, double x, double width, double y, double height)
{
    m_Graphics = graphics;
    m_X = x;
    m_Width = width;
    m_Y = y;
    m_Height = height;
}

// --- Harmonic bar chart

CReportChartPainter::HarmLayout CReportChartPainter::ComputeHarmLayout(const CZVHarmPic& chart, int percent)
{
    gfx::Context& g = *m_Graphics;
    HarmLayout layout;
    const double right = m_X + m_Width;
    const gfx::Font titleFont = report::PointFont(kChartPainterFace, 20);
    const double titleHeight = report::MeasureString(g, L"0", titleFont).height;
    layout.title = gfx::Rect::FromSize(m_X, m_Y, m_Width, titleHeight);

    // Legend: swatch and name of every item, right to left under the title.
    const gfx::Font legendFont = report::PointFont(kChartPainterFace, 12);
    const double rowHeight = std::max(15.0, report::MeasureString(g, L"0", legendFont).height);
    // Laid out from the last item, so that the items read left to right in order.
    std::vector<double> widths;
    for (auto it = chart.items.rbegin(); it != chart.items.rend(); ++it) {
        widths.push_back(report::kSwatchWidth + report::kSwatchGap + report::MeasureString(g, it->name, legendFont).width +
                         report::kLegendEntryGap);
    }
    std::vector<gfx::Rect> boxes = report::LayoutLegend(widths, m_X + kValueLabelWidth, right, layout.title.bottom,
                                                        rowHeight);
    std::reverse(boxes.begin(), boxes.end());
    layout.legend = boxes;
    double legendBottom = layout.title.bottom + rowHeight;
    for (const gfx::Rect& box : boxes) {
        legendBottom = std::max(legendBottom, box.bottom);
    }
    const double plotTop = legendBottom + 6.0;
    layout.plot = gfx::Rect{m_X + kValueLabelWidth, plotTop, right, plotTop + std::max(0.0, m_Height)};
    layout.unit = gfx::Rect::FromSize(m_X, plotTop - 34.0, kValueLabelWidth - 15.0, 30.0);

    // Value range.
    double maximum = chart.maximum;
    double minimum = chart.minimum;
    if (!chart.HasValues() || !std::isfinite(maximum) || !std::isfinite(minimum)) {
        maximum = 0.0;
        minimum = 0.0;
    }
    const double plotHeight = layout.plot.Height();
    if (percent != 0) {
        minimum = 0.0;
        maximum = kPercentTop;
    } else {
        maximum += plotHeight > 0 ? (maximum - minimum) / plotHeight * 40.0 : 0.0;
    }
    if (!(maximum > minimum)) {
        maximum = minimum + 6.0;
    }
    layout.maximum = maximum;
    layout.minimum = minimum;
    layout.step = (maximum - minimum) / 6.0;
    layout.upperDecimals = percent != 0 ? 0 : (layout.step < 0.01 ? 4 : (layout.step < 0.1 ? 3 : 2));

    // Groups share the plot's width; a group's bars stand side by side in its middle,
    // 8 units wide unless the group is too narrow to hold them so.
    const std::size_t groups = chart.series.size();
    const double groupWidth = groups > 0 ? layout.plot.Width() / static_cast<double>(groups) : 0.0;
    for (std::size_t i = 0; i < groups; ++i) {
        const gfx::Rect group{layout.plot.left + groupWidth * static_cast<double>(i), layout.plot.top,
                              layout.plot.left + groupWidth * static_cast<double>(i + 1), layout.plot.bottom};
        layout.groups.push_back(group);
        const std::vector<CZVHarmValue>& values = chart.series[i].values;
        if (values.empty()) {
            continue;
        }
        const double barWidth = std::min(kBarWidth, groupWidth / static_cast<double>(values.size()));
        const double start = group.left + (groupWidth - barWidth * static_cast<double>(values.size())) / 2.0;
        for (std::size_t j = 0; j < values.size(); ++j) {
            const std::optional<std::uint32_t> color = chart.GetBarColor(i, j);
            float value = values[j].value;
            if (!color || !HasValue(value)) {
                continue;
            }
            if (percent != 0 && value >= kPercentClamp) {
                value = kPercentClamp;
            }
            const double height =
                std::clamp((value - minimum) / (maximum - minimum) * plotHeight, 0.0, std::max(0.0, plotHeight));
            const double left = start + barWidth * static_cast<double>(j);
            layout.bars.push_back(
                {gfx::Rect{left, layout.plot.bottom - height, left + barWidth, layout.plot.bottom},
                 report::FromColorRef(*color), i, j});
        }
    }
    return layout;
}

std::vector<std::wstring> CReportChartPainter::HarmAxisLabels(const HarmLayout& layout, int percent)
{
    std::vector<std::wstring> labels;
    for (int i = 0; i < 6; ++i) {
        labels.push_back(report::FormatFixed(layout.maximum - i * layout.step, percent != 0 ? 0 : layout.upperDecimals));
    }
    labels.push_back(report::FormatFixed(layout.minimum, 1));
    return labels;
}

void CReportChartPainter::DrawHarmBarChart(const CZVHarmPic& chart, int percent)
{
    if (m_Graphics == nullptr) {
        return;
    }
    gfx::Context& g = *m_Graphics;
    const HarmLayout layout = ComputeHarmLayout(chart, percent);
    report::DrawString(g, chart.GetTitle(), layout.title, Style(report::PointFont(kChartPainterFace, 20), Align::Center));

    const gfx::Font legendFont = report::PointFont(kChartPainterFace, 12);
    for (std::size_t i = 0; i < chart.items.size() && i < layout.legend.size(); ++i) {
        const gfx::Rect& box = layout.legend[i];
        report::FillBox(g, gfx::Rect::FromSize(box.left, box.top + (box.Height() - 15.0) / 2.0, 30.0, 15.0),
                        report::FromColorRef(chart.items[i].color));
        report::DrawString(g, chart.items[i].name, gfx::Rect{box.left + 34.0, box.top, box.right, box.bottom},
                           Style(legendFont, Align::Near, Align::Center));
    }

    const gfx::Font axisFont = report::PointFont(kChartPainterFace, 12);
    report::DrawString(g, chart.GetUnit(), layout.unit, Style(axisFont, Align::Far));
    const gfx::Rect& plot = layout.plot;
    report::Stroke grid{report::Argb(255, 210, 210, 210), 1.0};
    grid.dashed = true;
    const std::vector<std::wstring> labels = HarmAxisLabels(layout, percent);
    for (int i = 0; i <= 30; ++i) {
        const double y = plot.top + plot.Height() * i / 30.0;
        report::DrawLine(g, plot.left, y, plot.right, y, grid);
        if (i % 5 == 0) {
            report::DrawString(g, labels[static_cast<std::size_t>(i / 5)], gfx::Rect{m_X, y - 15.0, plot.left - 8.0, y + 15.0},
                               Style(axisFont, Align::Far, Align::Center));
        }
    }
    // Group labels centred under their groups; one that would run into the label
    // before it is left out, so that narrow groups keep readable labels.
    const double labelHeight = report::MeasureString(g, L"0", axisFont).height;
    double lastRight = -1e9;
    for (std::size_t i = 0; i < layout.groups.size(); ++i) {
        const gfx::Rect& group = layout.groups[i];
        const std::wstring label = chart.GetGroupLabel(i);
        const double width = report::MeasureString(g, label, axisFont).width;
        const double centre = (group.left + group.right) / 2.0;
        if (centre - width / 2.0 < lastRight + 2.0) {
            continue;
        }
        report::DrawString(g, label,
                           gfx::Rect{centre - width / 2.0 - 1.0, plot.bottom + 2.0, centre + width / 2.0 + 1.0,
                                     plot.bottom + 2.0 + labelHeight},
                           Style(axisFont, Align::Center));
        lastRight = centre + width / 2.0;
    }
    for (const HarmBar& bar : layout.bars) {
        report::FillBox(g, bar.rect, bar.color);
    }
    report::DrawFrame(g, plot, report::Stroke{report::kBlack, 2.0});
}

// --- Statistic bar chart

void CReportChartPainter::GetChartExtremes(const CZVTrendPic& picture, double& maximum, double& minimum,
                                           std::size_t& longest)
{
    maximum = -1e9;
    minimum = 1e9;
    longest = 0;
    for (const CZVTrendCurve* curve : picture.curves) {
        if (curve == nullptr) {
            continue;
        }
        if (curve->maximum >= maximum) {
            maximum = curve->maximum;
        }
        if (curve->minimum <= minimum) {
            minimum = curve->minimum;
        }
        longest = std::max(longest, curve->values.size());
    }
}

double CReportChartPainter::BarAxisTop(double maximum, int style, double height)
{
    const double margin = height > 0 ? maximum / height * (style != 0 ? 30.0 : 10.0) : 0.0;
    const double s = (maximum + margin) / 6.0;
    const double top = s >= 1.0 ? 6.0 * std::trunc(s + 1.0) : 6.0;
    return std::isfinite(top) ? top : 6.0;
}

std::wstring CReportChartPainter::BarTotalsText(const CZVTrendPic& picture)
{
    std::wstring text;
    for (const CZVTrendCurve* curve : picture.curves) {
        if (curve == nullptr) {
            continue;
        }
        std::int64_t sum = 0;
        for (const float value : curve->values) {
            if (HasValue(value)) {
                sum = report::AddClamped(sum, report::ToInt64Clamped(value));
            }
        }
        text += curve->name + L":" + std::to_wstring(sum) + L" ";
    }
    return text;
}

double CReportChartPainter::DrawChartLegend(const CZVTrendPic& picture, double swatchScale, double left, double top,
                                            double width)
{
    gfx::Context& g = *m_Graphics;
    const gfx::Font titleFont = report::PointFont(kChartPainterFace, 20);
    report::DrawString(g, picture.title, gfx::Rect::FromSize(left, top, width, 100.0), Style(titleFont, Align::Center));
    const double titleHeight = report::MeasureString(g, picture.title.empty() ? L"0" : picture.title, titleFont).height;
    const gfx::Font nameFont = report::PointFont(kChartPainterFace, 14);
    double y = top + titleHeight;
    double cursor = left + width;
    double lastHeight = -1.0;
    const double k = swatchScale != 0.0 ? swatchScale : 1.0;
    for (const CZVTrendCurve* curve : picture.curves) {
        if (curve == nullptr) {
            continue;
        }
        const gfx::Size name = report::MeasureString(g, curve->name, nameFont);
        cursor -= name.width;
        if (cursor < left + kValueLabelWidth) {
            y += name.height;
            cursor = left + width - name.width;
        }
        report::DrawString(g, curve->name, gfx::Rect::FromSize(cursor, y, name.width + 1.0, name.height),
                           Style(nameFont, Align::Center));
        cursor -= 30.0;
        const double swatchHeight = 15.0 * curve->scale / k;
        report::FillBox(g, gfx::Rect::FromSize(cursor, y + (name.height - swatchHeight) * 0.25, 30.0, swatchHeight),
                        report::FromColorRef(curve->color));
        lastHeight = name.height;
    }
    return lastHeight >= 0.0 ? y + lastHeight : top + titleHeight;
}

void CReportChartPainter::DrawChartAxes(const CZVTrendPic& picture, std::size_t /*longest*/, double axisTop,
                                        double axisBottom, double plotHeight, double width, double left,
                                        double plotTop)
{
    gfx::Context& g = *m_Graphics;
    report::Stroke minor{report::Argb(255, 210, 210, 210), 1.0};
    minor.dotted = true;
    const report::Stroke major{report::Argb(255, 200, 200, 200), 1.0};
    const gfx::Font font = report::PointFont(kChartPainterFace, 12);
    const double plotLeft = left + kValueLabelWidth;
    const double plotWidth = width - kValueLabelWidth;
    const double plotBottom = plotTop + plotHeight;

    report::DrawString(g, picture.unit, gfx::Rect::FromSize(left + 75.0, plotTop - 34.0, width / 2.0, 30.0),
                       Style(font));
    for (int i = 0; i <= 60; ++i) {
        const double y = plotBottom - plotHeight * i / 60.0;
        report::DrawLine(g, plotLeft, y, plotLeft + plotWidth, y, i % 10 == 0 ? major : minor);
        if (i % 10 == 0) {
            const double value = axisBottom + (axisTop - axisBottom) * (i / 10) / 6.0;
            report::DrawString(g, report::FormatFixed(value, 0), gfx::Rect{left, y - 15.0, plotLeft - 8.0, y + 15.0},
                               Style(font, Align::Far, Align::Center));
        }
    }
    // Eight intervals of the picture's whole step, in whole seconds.
    const std::int64_t interval = report::ToInt64Clamped(std::trunc(picture.step)) / 8;
    const double lineHeight = report::MeasureString(g, L"0", font).height;
    for (int i = 0; i <= 80; ++i) {
        const double x = plotLeft + plotWidth * i / 80.0;
        report::DrawLine(g, x, plotTop, x, plotBottom, i % 10 == 0 ? major : minor);
        if (i % 10 == 0) {
            const std::int64_t time = report::AddClamped(picture.startTime, interval * (i / 10));
            const double half = plotWidth / 16.0;
            report::DrawString(g, report::AxisTimeLabel(time),
                               gfx::Rect{x - half, plotBottom + 15.0, x + half, plotBottom + 15.0 + 2 * lineHeight},
                               Style(font, Align::Center));
        }
    }
}

int CReportChartPainter::DrawBarChart(const CZVTrendPic& picture, int style)
{
    if (m_Graphics == nullptr) {
        return 0;
    }
    gfx::Context& g = *m_Graphics;
    double maximum = 0.0;
    double minimum = 0.0;
    std::size_t longest = 0;
    GetChartExtremes(picture, maximum, minimum, longest);
    const double plotTop = DrawChartLegend(picture, 1.0, m_X, m_Y, m_Width - 25.0);
    const double axisTop = BarAxisTop(maximum, style, m_Height);
    DrawChartAxes(picture, longest, axisTop, 0.0, m_Height, m_Width - 25.0, m_X, plotTop);

    const double interval = (m_Width - 25.0 - kValueLabelWidth) * 0.125;
    g.Save();
    g.IntersectClip(gfx::Rect::FromSize(m_X + kValueLabelWidth, plotTop, m_Width - kValueLabelWidth, m_Height));
    for (const CZVTrendCurve* curve : picture.curves) {
        if (curve == nullptr) {
            continue;
        }
        const report::Stroke pen{report::FromColorRef(curve->color), std::max(0.1, static_cast<double>(curve->scale))};
        std::vector<gfx::Point> run;
        for (std::size_t j = 0; j < curve->values.size(); ++j) {
            const float v = curve->values[j];
            if (!HasValue(v)) {
                report::DrawPath(g, run, pen);
                run.clear();
                continue;
            }
            run.push_back({m_X + kValueLabelWidth + interval / 2.0 + static_cast<double>(j) * interval,
                           (1.0 - v / axisTop) * m_Height + plotTop});
        }
        report::DrawPath(g, run, pen);
    }
    g.Restore();
    report::DrawFrame(g, gfx::Rect::FromSize(m_X + kValueLabelWidth, plotTop, m_Width - kValueLabelWidth, m_Height),
                      report::Stroke{report::kBlack, 2.0});
    report::DrawString(g, BarTotalsText(picture),
                       gfx::Rect::FromSize(m_X + kValueLabelWidth, plotTop + 4.0, m_Width - 93.0, m_Height),
                       Style(report::PointFont(kChartPainterFace, 12), Align::Far));
    return 1;
}
