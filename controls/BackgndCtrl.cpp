#include "controls/BackgndCtrl.h"

#include "controls/ControlDrawing.h"
#include "platform/gfx/Context.h"

CBackgndCtrl::CBackgndCtrl() : m_fill(controls::kDefaultPolygonFill) {}

void CBackgndCtrl::SetEntries(std::span<const gfx::Point> points) { m_points.assign(points.begin(), points.end()); }

void CBackgndCtrl::SetFillColor(std::uint32_t color) { m_fill = gfx::Color::FromColorRef(color); }

void CBackgndCtrl::OnDraw(cairo_t* context, int, int) {
    gfx::Context dc(context);
    controls::FillPolygon(dc, m_points, m_fill);
}
