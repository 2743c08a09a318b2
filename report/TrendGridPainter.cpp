#include "report/TrendGridPainter.h"

#include <algorithm>

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kPixelsPerInch = 96;
// The four phase columns fill the width but for a 5-pixel margin: each is a quarter
// of it less the share of the name column.
constexpr int kMarginPixels = 5;
constexpr int kNameShareTwips = 575;

const wchar_t* const kTitles[CTrendGrid::kColumnCount] = {L"", L"L1", L"L2", L"L3", L"All"};

const gfx::Color kFixedFill{236, 233, 216};
const gfx::Color kCellFill{255, 255, 255};
const gfx::Color kLine{172, 168, 153};
const gfx::Color kText{0, 0, 0};

}  // namespace

CTrendGridPainter::CTrendGridPainter(int width, int height, int topRow)
    : m_Width(width), m_Height(height), m_TopRow(std::max(1, topRow))
{
    const int twips = (std::max(0, width - kMarginPixels) * kTwipsPerInch) / (kPixelsPerInch * 4) - kNameShareTwips;
    m_CellWidth = std::max(1, twips * kPixelsPerInch / kTwipsPerInch);
}

int CTrendGridPainter::GetVisibleRows() const
{
    return std::max(0, (m_Height - kRowHeight) / kRowHeight);
}

int CTrendGridPainter::GetLastTopRow(int rowCount) const
{
    return std::max(1, rowCount - GetVisibleRows());
}

int CTrendGridPainter::ColumnLeft(int column) const
{
    return column == 0 ? 0 : kNameWidth + (column - 1) * m_CellWidth;
}

int CTrendGridPainter::ColumnWidth(int column) const
{
    return column == 0 ? kNameWidth : m_CellWidth;
}

std::optional<TrendGridCell> CTrendGridPainter::CellAt(int x, int y, int rowCount) const
{
    if (x < 0 || y < 0) {
        return std::nullopt;
    }
    TrendGridCell cell;
    if (x < kNameWidth) {
        cell.column = 0;
    } else {
        cell.column = 1 + (x - kNameWidth) / m_CellWidth;
        if (cell.column >= CTrendGrid::kColumnCount) {
            return std::nullopt;
        }
    }
    const int line = y / kRowHeight;
    cell.row = line == 0 ? 0 : m_TopRow + line - 1;
    if (cell.row >= rowCount) {
        return std::nullopt;
    }
    return cell;
}

void CTrendGridPainter::Draw(gfx::Context& context, const CTrendGrid& grid,
                             const std::array<const gfx::Bitmap*, 3>& pictures, const gfx::Font& font) const
{
    context.Save();
    context.IntersectClip(gfx::Rect::FromSize(0, 0, m_Width, m_Height));
    context.FillRect(gfx::Rect::FromSize(0, 0, m_Width, m_Height), kCellFill);
    context.SetFont(font);
    context.SetTextColor(kText);
    context.SetPen(gfx::Pen{kLine, 1.0});

    const int right = ColumnLeft(CTrendGrid::kColumnCount);
    auto drawRow = [&](int row, int top) {
        for (int column = 0; column < CTrendGrid::kColumnCount; ++column) {
            const gfx::Rect box = gfx::Rect::FromSize(ColumnLeft(column), top, ColumnWidth(column), kRowHeight);
            const bool fixed = row == 0 || column == 0;
            context.FillRect(box, fixed ? kFixedFill : kCellFill);
            if (row == 0 || column == 0) {
                gfx::Rect text = box;
                text.left += 2;
                text.right -= 2;
                context.DrawText(row == 0 ? kTitles[column] : grid.GetRowName(row), text,
                                 gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                                     gfx::TextFormat::EndEllipsis);
            } else {
                const int state = grid.GetCell(row, column);
                const gfx::Bitmap* picture =
                    state >= 0 && state < 3 ? pictures[static_cast<std::size_t>(state)] : nullptr;
                if (picture != nullptr && !picture->IsEmpty()) {
                    context.DrawBitmap(*picture, box.left + (box.Width() - picture->Width()) / 2,
                                       box.top + (box.Height() - picture->Height()) / 2);
                }
            }
            context.DrawLine({box.right - 1, box.top}, {box.right - 1, box.bottom});
        }
        context.DrawLine({0, static_cast<double>(top + kRowHeight - 1)},
                         {static_cast<double>(right), static_cast<double>(top + kRowHeight - 1)});
    };
    drawRow(0, 0);
    int top = kRowHeight;
    for (int row = m_TopRow; row < grid.GetRowCount() && top < m_Height; ++row, top += kRowHeight) {
        drawRow(row, top);
    }
    context.Restore();
}
