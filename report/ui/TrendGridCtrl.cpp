#include "report/ui/TrendGridCtrl.h"

#include <cstdint>

#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "report/TrendGridPainter.h"

namespace {

constexpr int kPictureSize = 13;

}  // namespace

CTrendGridCtrl::CTrendGridCtrl(CTrendGrid& grid)
    : m_grid(grid), m_pictures{MakeStatePicture(0), MakeStatePicture(1), MakeStatePicture(2)}
{
}

CTrendGridCtrl::~CTrendGridCtrl() = default;

gfx::Bitmap CTrendGridCtrl::MakeStatePicture(int state)
{
    gfx::Bitmap picture(kPictureSize, kPictureSize);
    gfx::Context context(picture);
    const gfx::Rect box = gfx::Rect::FromSize(0, 0, kPictureSize, kPictureSize);
    const gfx::Color frame = state == CTrendGrid::kUnavailable ? gfx::Color{160, 160, 160} : gfx::Color{28, 81, 128};
    context.FillRect(box, state == CTrendGrid::kUnavailable ? gfx::Color{212, 208, 200} : gfx::Color{255, 255, 255});
    context.SetPen(gfx::Pen{frame, 1.0});
    context.SetBrush(gfx::Brush{});
    context.Rectangle(gfx::Rect::FromSize(0.5, 0.5, kPictureSize - 1, kPictureSize - 1));
    if (state == CTrendGrid::kSelected) {
        context.SetAntialias(true);
        context.SetPen(gfx::Pen{gfx::Color{33, 161, 33}, 2.0});
        const gfx::Point tick[] = {{3, 6.5}, {5.5, 9.5}, {10, 3.5}};
        context.Polyline(tick);
    }
    return picture;
}

void CTrendGridCtrl::ResetTop()
{
    m_topRow = 1;
    Invalidate();
}

void CTrendGridCtrl::OnDraw(cairo_t* target, int width, int height)
{
    gfx::Context context(target);
    const CTrendGridPainter painter(width, height, m_topRow);
    painter.Draw(context, m_grid, {&m_pictures[0], &m_pictures[1], &m_pictures[2]},
                 gfx::Font::FromPoints(L"Tahoma", 9.0));
}

ui::LResult CTrendGridCtrl::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case ui::kMsgLButtonDown:
    case ui::kMsgLButtonDblClk:
        OnClick(ui::PointXFromLParam(lParam), ui::PointYFromLParam(lParam));
        return 0;
    case ui::kMsgMouseWheel:
        if (OnWheel(static_cast<std::int16_t>((wParam >> 16) & 0xFFFF))) {
            return 0;
        }
        break;
    default:
        break;
    }
    return ui::CustomControl::WindowProc(message, wParam, lParam);
}

void CTrendGridCtrl::OnClick(int x, int y)
{
    const wxSize size = GetClientSize();
    const CTrendGridPainter painter(size.GetWidth(), size.GetHeight(), m_topRow);
    if (const auto cell = painter.CellAt(x, y, m_grid.GetRowCount())) {
        m_grid.Click(cell->row, cell->column);
        Invalidate();
    }
    if (m_onChange) {
        m_onChange();
    }
}

bool CTrendGridCtrl::OnWheel(int turn)
{
    if (turn == 0) {
        return false;
    }
    const wxSize size = GetClientSize();
    const CTrendGridPainter painter(size.GetWidth(), size.GetHeight(), m_topRow);
    const int top = m_topRow + (turn < 0 ? 1 : -1);
    if (top >= 1 && top <= painter.GetLastTopRow(m_grid.GetRowCount())) {
        m_topRow = top;
        Invalidate();
    }
    return true;
}
