#pragma once
// CTrendGridPainter: how the trend page's table is laid out in a box of the given
// size, which cell lies under a point, and the drawing of the table through the
// drawing layer. The header row stays on top; the chart rows below it start at the
// top row (1 when not scrolled). Column 0 holds the names; the four phase columns
// share the rest of the width and show each cell's state as its picture.

#include <array>
#include <optional>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "report/TrendGrid.h"

struct TrendGridCell {
    int row = 0;
    int column = 0;
};

class CTrendGridPainter {
public:
    static constexpr int kNameWidth = 153;  // 2300 twips
    static constexpr int kRowHeight = 18;

    CTrendGridPainter(int width, int height, int topRow = 1);

    int GetCellWidth() const { return m_CellWidth; }
    int GetTopRow() const { return m_TopRow; }
    // Chart rows that fit below the header.
    int GetVisibleRows() const;
    // The highest top row that still fills the box for a table of that many rows.
    int GetLastTopRow(int rowCount) const;

    // The cell under the point; none outside the table's drawn cells.
    std::optional<TrendGridCell> CellAt(int x, int y, int rowCount) const;

    // Draws the table; `pictures` are the pictures of the states 0, 1 and 2 (an empty
    // one draws nothing).
    void Draw(gfx::Context& context, const CTrendGrid& grid, const std::array<const gfx::Bitmap*, 3>& pictures,
              const gfx::Font& font) const;

private:
    int ColumnLeft(int column) const;
    int ColumnWidth(int column) const;

    int m_Width;
    int m_Height;
    int m_TopRow;
    int m_CellWidth;
};
