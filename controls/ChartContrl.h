#pragma once
// CChartContrl: the chart control of the harmonic views and the waveform-record
// histograms, a window that shows a controls::BarChart. With hover labels on, the
// point labels follow the mouse: over a bar, the labels of that bar's series are
// shown and all others hidden; a left click on a bar does the same whatever the
// flag says.

#include "controls/BarChart.h"
#include "platform/ui/CustomControl.h"

class CChartContrl : public ui::CustomControl {
public:
    CChartContrl();

    // The chart's content; call Invalidate after changing it.
    controls::BarChart& Chart() { return m_chart; }
    const controls::BarChart& Chart() const { return m_chart; }
    void EnableHoverLabels(int enable) { m_chart.hoverLabels = enable != 0; }

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    // Shows the labels of the series of the bar under the point; true when they changed.
    bool SwitchLabels(int x, int y);

    controls::BarChart m_chart;
};
