#pragma once
// BarChart: what the chart control shows and how it lays it out and draws it, apart
// from its window. Series of bars (a name, a colour, points of an argument text and a
// value, point labels that can be shown or hidden), a legend and the titles of the
// argument and value axes. Arguments form groups in the order they first appear; in
// each group the series stand side by side in series order. The value axis always
// holds 0, so bars grow up (or down) from the zero line. Drawing goes through gfx,
// so the layout and the pictures are tested without a display.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"

namespace controls {

struct ChartPoint {
    std::wstring argument;
    double value = 0.0;
};

struct ChartSeries {
    std::wstring name;
    gfx::Color color;
    std::vector<ChartPoint> points;
    bool labelsVisible = false;
    std::wstring labelFormat = L"%.3f";  // "%.<digits>f"
};

struct ChartAxisTitle {
    bool visible = false;
    std::wstring text;
};

// Where everything of the chart lies for one client size.
struct ChartLayout {
    gfx::Rect plot;    // the bars' area, inside the axes
    gfx::Rect legend;  // empty when no legend is drawn
    double minimum = 0.0, maximum = 1.0, step = 1.0;  // value axis range and tick step
    double groupWidth = 0.0;
    int argumentLabelEvery = 1;  // every n-th argument is labelled when they crowd
    struct Bar {
        std::size_t series = 0, point = 0;
        gfx::Rect rect;
    };
    std::vector<Bar> bars;
};

class BarChart {
public:
    static constexpr double kMargin = 8.0;
    static constexpr double kGroupFill = 0.7;  // part of a group's width the bars take
    static constexpr double kSwatch = 12.0;    // legend colour box

    std::vector<ChartSeries>& Series() { return m_Series; }
    const std::vector<ChartSeries>& Series() const { return m_Series; }
    ChartSeries& AddSeries(std::wstring name, gfx::Color color);
    void RemoveAllSeries() { m_Series.clear(); }

    bool legendVisible = false;
    ChartAxisTitle argumentTitle;
    ChartAxisTitle valueTitle;
    gfx::Font font = DefaultFont();
    // When set, the point labels follow the mouse: moving over a bar shows the labels
    // of that bar's series and hides the others'.
    bool hoverLabels = false;

    // The arguments of all series, each once, in the order they first appear.
    std::vector<std::wstring> Arguments() const;
    ChartLayout Layout(gfx::Context& context, const gfx::Rect& client) const;
    void Draw(gfx::Context& context, const gfx::Rect& client) const;
    // The bar under a client point: its series and point index.
    std::optional<ChartLayout::Bar> HitTest(gfx::Context& context, const gfx::Rect& client, gfx::Point at) const;
    // Shows the point labels of one series and hides those of every other.
    void ShowLabelsOf(std::size_t series);
    // A point label's text by its series' format.
    static std::wstring FormatLabel(const std::wstring& format, double value);
    // A tick step of 1, 2 or 5 × 10^k that splits the span into at most `ticks` parts.
    static double NiceStep(double span, int ticks);

private:
    static gfx::Font DefaultFont();
    static std::wstring FormatTick(double value, double step);

    std::vector<ChartSeries> m_Series;
};

}  // namespace controls
