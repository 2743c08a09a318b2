#pragma once
// CReportCanvas: the painter of one trend chart: a title with an optional note, a
// legend of the curves, the value axis with its unit and grid, the time axis, the
// curves and, with a non-zero style, a summary line (minimum, average, maximum and
// the time of the maximum). It draws on a context it is given (a report page or a
// picture) into its chart rectangle. The title band begins 25 units above the
// rectangle: the title centred on a line 25 units below the rectangle's top, the
// note on its left and the legend from its right end (more lines below when it does
// not fit). Under the band the plot spans the rectangle's width from 90 units in
// (room for the value labels) and the rectangle's height; the time labels and the
// summary line follow under the plot.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Context.h"
#include "report/TrendScale.h"
#include "report/ZVTrendPic.h"

class CReportCanvas {
public:
    // Where everything of one chart goes.
    struct Layout {
        gfx::Rect title;
        gfx::Rect note;                 // empty without the note flag
        std::vector<gfx::Rect> legend;  // one box per curve, in curve order
        gfx::Rect unit;
        gfx::Rect plot;
        report::TrendAxis axis;
        gfx::Rect timeLabels;  // the band under the plot
        gfx::Rect summary;     // empty with style 0
    };

    CReportCanvas(gfx::Context& graphics, double x, double y, double width, double height, std::wstring maxCaption,
                  std::wstring minCaption, std::wstring avgCaption, std::wstring c95Caption,
                  std::wstring maxTimeCaption);

    // Font sizes in points: title, axis labels and unit, summary line, legend.
    void SetRect(int titleSize, int axisSize, int summarySize, int legendSize);
    void SetText(std::wstring note) { m_NoteText = std::move(note); }
    void SetStyle(int noteFlag) { m_NoteFlag = noteFlag; }

    Layout ComputeLayout(const CZVTrendPic& picture, int style);
    void DrawTrendChart(const CZVTrendPic& picture, int style);

    // The summary line: "min caption:value  avg caption:value  max caption:value
    // time caption:YYYY/MM/DD hh:mm:ss ".
    std::wstring SummaryText(const CZVTrendPic& picture) const;

private:
    void DrawGrid(const Layout& layout, const CZVTrendPic& picture);
    void DrawCurves(const Layout& layout, const CZVTrendPic& picture);
    void DrawLegend(const Layout& layout, const CZVTrendPic& picture);

    gfx::Context* m_Graphics;
    double m_X;
    double m_Y;
    double m_Width;
    double m_Height;
    int m_TitleSize = 20;
    int m_AxisSize = 12;
    int m_SummarySize = 12;
    int m_LegendSize = 14;
    int m_NoteFlag = 0;
    std::wstring m_NoteText;
    std::wstring m_MaxCaption;
    std::wstring m_MinCaption;
    std::wstring m_AvgCaption;
    std::wstring m_C95Caption;
    std::wstring m_MaxTimeCaption;
};
