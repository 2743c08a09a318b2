#include "controls/ChartContrl.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

CChartContrl::CChartContrl()
{
    OnMessage(ui::kMsgMouseMove, [this](ui::WParam, ui::LParam point) {
        if (m_chart.hoverLabels && SwitchLabels(ui::PointXFromLParam(point), ui::PointYFromLParam(point))) {
            Invalidate();
        }
        return 0;
    });
    OnMessage(ui::kMsgLButtonDown, [this](ui::WParam, ui::LParam point) {
        if (SwitchLabels(ui::PointXFromLParam(point), ui::PointYFromLParam(point))) {
            Invalidate();
        }
        return 0;
    });
}

bool CChartContrl::SwitchLabels(int x, int y)
{
    const wxSize size = GetClientSize();
    // The layout needs only text measures: a one-pixel surface gives them.
    gfx::Bitmap measure(1, 1);
    gfx::Context context(measure);
    const std::optional<controls::ChartLayout::Bar> bar =
        m_chart.HitTest(context, gfx::Rect::FromSize(0, 0, size.GetWidth(), size.GetHeight()),
                        {static_cast<double>(x), static_cast<double>(y)});
    if (!bar) {
        return false;
    }
    bool changed = false;
    for (std::size_t s = 0; s < m_chart.Series().size(); ++s) {
        changed = changed || m_chart.Series()[s].labelsVisible != (s == bar->series);
    }
    m_chart.ShowLabelsOf(bar->series);
    return changed;
}

void CChartContrl::OnDraw(cairo_t* context, int width, int height)
{
    gfx::Context target(context);
    m_chart.Draw(target, gfx::Rect::FromSize(0, 0, width, height));
}
