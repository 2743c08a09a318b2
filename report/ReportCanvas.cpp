#include "report/ReportCanvas.h"

#include <algorithm>
#include <cmath>

#include "report/ChartLegend.h"
#include "report/ReportDrawing.h"
#include "report/ReportFormat.h"

namespace {

using report::Align;
using report::TextStyle;
using report::kSwatchGap;
using report::kSwatchWidth;
using report::kValueLabelWidth;

constexpr double kEntryGap = report::kLegendEntryGap;
const wchar_t* const kFace = report::kChartFace;

gfx::Color ColorOf(std::uint32_t colorRef)
{
    return report::FromColorRef(colorRef);
}

}  // namespace

CReportCanvas::CReportCanvas(gfx::Context& graphics, double x, double y, double width, double height,
                             std::wstring maxCaption, std::wstring minCaption, std::wstring avgCaption,
                             std::wstring c95Caption, std::wstring maxTimeCaption)
    : m_Graphics(&graphics),
      m_X(x),
      m_Y(y),
      m_Width(width),
      m_Height(height),
      m_MaxCaption(std::move(maxCaption)),
      m_MinCaption(std::move(minCaption)),
      m_AvgCaption(std::move(avgCaption)),
      m_C95Caption(std::move(c95Caption)),
      m_MaxTimeCaption(std::move(maxTimeCaption))
{
}

void CReportCanvas::SetRect(int titleSize, int axisSize, int summarySize, int legendSize)
{
    m_TitleSize = titleSize;
    m_AxisSize = axisSize;
    m_SummarySize = summarySize;
    m_LegendSize = legendSize;
}

CReportCanvas::Layout CReportCanvas::ComputeLayout(const CZVTrendPic& picture, int style)
{
    gfx::Context& g = *m_Graphics;
    Layout layout;
    const double bandTop = m_Y - 25.0;
    const double right = m_X + m_Width;
    // The title stands centred in its box, its line 25 units below the rectangle's top.
    layout.title = gfx::Rect::FromSize(m_X, bandTop, m_Width, 100.0);
    const gfx::Size title = report::MeasureString(g, picture.title.empty() ? L"0" : picture.title,
                                                  report::PointFont(kFace, m_TitleSize));
    const double rowsTop = bandTop + 50.0 - title.height / 2.0;
    const double titleBottom = rowsTop + title.height;

    // The note and the legend share the title's line, the note on the left, the
    // legend from the right end; entries that do not fit beside the title go below.
    const gfx::Font legendFont = report::PointFont(kFace, m_LegendSize);
    const double rowHeight = report::MeasureString(g, L"0", legendFont).height;
    double legendLeft = m_X + m_Width / 2.0 + title.width / 2.0 + kEntryGap;
    if (m_NoteFlag != 0) {
        const gfx::Size note = report::MeasureString(g, m_NoteText, report::PointFont(kFace, 8));
        layout.note = gfx::Rect::FromSize(m_X + kValueLabelWidth, titleBottom - note.height, note.width + 2.0,
                                          note.height);
    }
    std::vector<double> widths;
    for (auto it = picture.curves.rbegin(); it != picture.curves.rend(); ++it) {
        const std::wstring name = *it != nullptr ? (*it)->name : std::wstring();
        widths.push_back(kSwatchWidth + kSwatchGap + report::MeasureString(g, name, legendFont).width + kEntryGap);
    }
    std::vector<gfx::Rect> boxes =
        report::LayoutLegend(widths, std::min(legendLeft, right - 1.0), right, titleBottom - rowHeight, rowHeight);
    std::reverse(boxes.begin(), boxes.end());
    layout.legend = boxes;
    double bandBottom = titleBottom;
    for (const gfx::Rect& box : boxes) {
        bandBottom = std::max(bandBottom, box.bottom);
    }

    const double plotTop = bandBottom + 6.0;
    layout.plot = gfx::Rect{m_X + kValueLabelWidth, plotTop, right, plotTop + std::max(0.0, m_Height)};
    layout.unit = gfx::Rect::FromSize(m_X, plotTop - 34.0, kValueLabelWidth - 15.0, 30.0);
    layout.axis = report::ComputeTrendAxis(picture, style, layout.plot.Height());

    const gfx::Font axisFont = report::PointFont(kFace, m_AxisSize);
    const double axisLine = report::MeasureString(g, L"0", axisFont).height;
    layout.timeLabels =
        gfx::Rect{layout.plot.left, layout.plot.bottom + 2.0, right, layout.plot.bottom + 2.0 + 2 * axisLine};
    if (style != 0) {
        const double summaryLine = report::MeasureString(g, L"0", report::PointFont(kFace, m_SummarySize)).height;
        layout.summary =
            gfx::Rect{layout.plot.left, layout.timeLabels.bottom, right, layout.timeLabels.bottom + summaryLine};
    }
    return layout;
}

std::wstring CReportCanvas::SummaryText(const CZVTrendPic& picture) const
{
    // Joined, not printed through a format: a caption may hold any character.
    return m_MinCaption + L":" + report::ValueText(picture.summaryMin) + L"  " + m_AvgCaption + L":" +
           report::ValueText(picture.summaryAvg) + L"  " + m_MaxCaption + L":" + report::ValueText(picture.summaryMax) +
           L"  " + m_MaxTimeCaption + L":" + report::DateTimeText(picture.maxTime) + L" ";
}

void CReportCanvas::DrawTrendChart(const CZVTrendPic& picture, int style)
{
    const Layout layout = ComputeLayout(picture, style);
    gfx::Context& g = *m_Graphics;

    TextStyle title{report::PointFont(kFace, m_TitleSize)};
    title.align = Align::Center;
    title.lineAlign = Align::Center;
    report::DrawString(g, picture.title, layout.title, title);
    if (m_NoteFlag != 0) {
        report::DrawString(g, m_NoteText, layout.note, TextStyle{report::PointFont(kFace, 8)});
    }
    DrawLegend(layout, picture);
    DrawGrid(layout, picture);
    DrawCurves(layout, picture);
    report::DrawFrame(g, layout.plot, report::Stroke{report::kBlack, 2.0});

    if (style != 0) {
        TextStyle summary{report::PointFont(kFace, m_SummarySize)};
        summary.align = Align::Far;
        summary.wrap = false;
        report::DrawString(g, SummaryText(picture), layout.summary, summary);
    }
}

void CReportCanvas::DrawLegend(const Layout& layout, const CZVTrendPic& picture)
{
    gfx::Context& g = *m_Graphics;
    const gfx::Font font = report::PointFont(kFace, m_LegendSize);
    for (std::size_t i = 0; i < picture.curves.size() && i < layout.legend.size(); ++i) {
        const CZVTrendCurve* curve = picture.curves[i];
        if (curve == nullptr) {
            continue;
        }
        const gfx::Rect& box = layout.legend[i];
        // The swatch is as high as the curve's line (less with the note), yet always seen.
        const double swatchHeight = std::max(2.0, static_cast<double>(curve->scale) - (m_NoteFlag != 0 ? 4.0 : 0.0));
        const double swatchTop = box.top + (box.Height() - swatchHeight) * 0.25;
        report::FillBox(g, gfx::Rect::FromSize(box.left, swatchTop, kSwatchWidth, swatchHeight), ColorOf(curve->color));
        const gfx::Rect name{box.left + kSwatchWidth + kSwatchGap, box.top, box.right - kEntryGap, box.bottom};
        TextStyle style{font};
        style.wrap = false;
        report::DrawString(g, curve->name, name, style);
    }
}

void CReportCanvas::DrawGrid(const Layout& layout, const CZVTrendPic& picture)
{
    gfx::Context& g = *m_Graphics;
    const gfx::Rect& plot = layout.plot;
    const report::Stroke minor{report::Argb(255, 210, 210, 210), 0.6};
    const report::Stroke major{report::Argb(255, 200, 200, 200), 0.6};
    const gfx::Font axisFont = report::PointFont(kFace, m_AxisSize);

    TextStyle unit{axisFont};
    unit.align = Align::Far;
    unit.wrap = false;
    report::DrawString(g, picture.unit, layout.unit, unit);

    // Value axis: six divisions of ten grid steps, labelled from the bottom up.
    for (int i = 0; i <= 60; ++i) {
        const double y = plot.bottom - plot.Height() * i / 60.0;
        if (i % 10 != 0) {
            report::DrawLine(g, plot.left, y, plot.right, y, minor);
            continue;
        }
        report::DrawLine(g, plot.left, y, plot.right, y, major);
        const double value = layout.axis.minimum + (layout.axis.maximum - layout.axis.minimum) * (i / 10) / 6.0;
        TextStyle label{axisFont};
        label.align = Align::Far;
        label.lineAlign = Align::Center;
        label.wrap = false;
        report::DrawString(g, report::FixNegativeZero(report::FormatFixed(value, layout.axis.labelDecimals)),
                           gfx::Rect{m_X, y - 15.0, plot.left - 8.0, y + 15.0}, label);
    }
    // Time axis: ten divisions of ten grid steps, labelled with the local time.
    const double span = static_cast<double>(picture.endTime) - static_cast<double>(picture.startTime);
    for (int i = 0; i <= 100; ++i) {
        const double x = plot.left + plot.Width() * i / 100.0;
        if (i % 10 != 0) {
            report::DrawLine(g, x, plot.top, x, plot.bottom, minor);
            continue;
        }
        report::DrawLine(g, x, plot.top, x, plot.bottom, major);
        std::int64_t time = report::AddClamped(picture.startTime, report::ToInt64Clamped(span * (i / 10) / 10.0));
        if (i == 100 || (picture.endTime >= picture.startTime && time > picture.endTime)) {
            time = picture.endTime;
        }
        // Labels stand centred under their lines; the last one ends at the plot's edge.
        TextStyle label{axisFont};
        label.align = i == 100 ? Align::Far : Align::Center;
        label.wrap = false;
        const double half = plot.Width() / 20.0;
        const gfx::Rect box = i == 100 ? gfx::Rect{x - 2 * half, layout.timeLabels.top, x, layout.timeLabels.bottom}
                                       : gfx::Rect{x - half, layout.timeLabels.top, x + half, layout.timeLabels.bottom};
        report::DrawString(g, report::AxisTimeLabel(time), box, label);
    }
}

void CReportCanvas::DrawCurves(const Layout& layout, const CZVTrendPic& picture)
{
    gfx::Context& g = *m_Graphics;
    const gfx::Rect& plot = layout.plot;
    const report::TrendAxis& axis = layout.axis;
    const std::size_t longest = picture.LongestCount();
    const double range = axis.maximum - axis.minimum;
    auto yOf = [&](double v) { return (1.0 - (v - axis.minimum) / range) * plot.Height() + plot.top - 1.0; };
    auto xOf = [&](double position) {
        return longest > 1 ? plot.left + plot.Width() * position / static_cast<double>(longest - 1) : plot.left;
    };

    g.Save();
    g.IntersectClip(plot);
    for (const CZVTrendCurve* curve : picture.curves) {
        if (curve == nullptr) {
            continue;
        }
        const report::Stroke pen{ColorOf(curve->color), std::max(0.1, static_cast<double>(curve->scale))};
        const std::vector<report::PlotPoint> points = report::ReduceCurve(curve->values, curve->kind);
        std::vector<gfx::Point> run;
        auto flush = [&] {
            report::DrawPath(g, run, pen);
            run.clear();
        };
        for (const report::PlotPoint& p : points) {
            if (!p.valid) {
                flush();
                continue;
            }
            run.push_back({xOf(p.position), yOf(axis.flat ? axis.flatValue : p.value)});
        }
        if (longest == 1 && run.size() == 1) {
            // One sample: a level line across the plot.
            run.push_back({plot.right, run.front().y});
        }
        flush();
    }
    g.Restore();
}
