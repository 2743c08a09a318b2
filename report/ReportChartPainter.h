#pragma once
// CReportChartPainter: the painter of the bar charts of a report: the harmonic bar
// chart (one group of bars per harmonic order, one coloured bar per statistic) and
// the statistic bar chart of the alarm counts (eight intervals of the report
// period, one line per curve through the interval centres, with a line of totals).
// It draws on a context it is given into its chart rectangle and owns nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Context.h"
#include "report/ZVHarmPic.h"
#include "report/ZVTrendPic.h"

class CReportChartPainter {
public:
    // The computed harmonic chart: axis, plot and every bar.
    struct HarmBar {
        gfx::Rect rect;
        gfx::Color color;
        std::size_t group = 0;
        std::size_t bar = 0;
    };
    struct HarmLayout {
        gfx::Rect title;
        std::vector<gfx::Rect> legend;  // one box per legend item
        gfx::Rect unit;
        gfx::Rect plot;
        double maximum = 0.0;
        double minimum = 0.0;
        double step = 0.0;
        int upperDecimals = 2;  // of the six upper labels; the bottom one has one decimal
        std::vector<gfx::Rect> groups;  // the plot's share of each group
        std::vector<HarmBar> bars;
    };

    void Set(gfx::Context* graphics, double x, double width, double y, double height);
    void Reset() { m_Graphics = nullptr; }
    bool IsSet() const { return m_Graphics != nullptr; }

    // --- The harmonic bar chart; a non-zero percent flag fixes the axis to 0-120
    HarmLayout ComputeHarmLayout(const CZVHarmPic& chart, int percent);
    void DrawHarmBarChart(const CZVHarmPic& chart, int percent);
    // The texts of the value labels, top to bottom (seven).
    static std::vector<std::wstring> HarmAxisLabels(const HarmLayout& layout, int percent);

    // --- The statistic bar chart; returns 1
    int DrawBarChart(const CZVTrendPic& picture, int style);
    static void GetChartExtremes(const CZVTrendPic& picture, double& maximum, double& minimum,
                                 std::size_t& longest);
    // The top of the value axis (its bottom is always 0).
    static double BarAxisTop(double maximum, int style, double height);
    // "name:total " of every curve, each value truncated toward zero before it is added.
    static std::wstring BarTotalsText(const CZVTrendPic& picture);
    // Draws the title and the legend row(s); the top of the plot area.
    double DrawChartLegend(const CZVTrendPic& picture, double swatchScale, double left, double top, double width);
    void DrawChartAxes(const CZVTrendPic& picture, std::size_t longest, double axisTop, double axisBottom,
                       double plotHeight, double width, double left, double plotTop);

private:
    gfx::Context* m_Graphics = nullptr;
    double m_X = 0.0;
    double m_Width = 0.0;
    double m_Y = 0.0;
    double m_Height = 0.0;
};
