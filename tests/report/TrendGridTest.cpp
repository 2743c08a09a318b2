#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Context.h"
#include "report/ReportConfig.h"
#include "report/ReportItemTables.h"
#include "report/TrendGrid.h"
#include "report/TrendGridPainter.h"

namespace {

// Data of the voltage, frequency, active power and apparent energy, wired for L1 and L2.
BasicInfo TwoPhaseRecord()
{
    BasicInfo record;
    record.viewIds = {1, 13017, 15, 21};
    record.phaseMask = 0x3;
    return record;
}

int RowOf(const CTrendGrid& grid, const std::vector<CReportTrendItem>& items, const std::string& key)
{
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        const int index = grid.GetRowItem(row);
        if (index >= 0 && items[static_cast<std::size_t>(index)].GetKey() == key) {
            return row;
        }
    }
    ADD_FAILURE() << key << " has no row";
    return -1;
}

// The row's cells 1 to 4 as digits.
std::string Cells(const CTrendGrid& grid, int row)
{
    std::string cells;
    for (int column = 1; column < CTrendGrid::kColumnCount; ++column) {
        cells += static_cast<char>('0' + grid.GetCell(row, column));
    }
    return cells;
}

const CReportTrendItem& ItemOf(const std::vector<CReportTrendItem>& items, const std::string& key)
{
    return *std::find_if(items.begin(), items.end(), [&key](const CReportTrendItem& i) { return i.GetKey() == key; });
}

int EnabledOf(const CReportTrendItem& item, std::int32_t code)
{
    CReportTrendPhase phase;
    EXPECT_EQ(item.GetPhase(code, phase), 1);
    return phase.enabled;
}

TEST(TrendGrid, ANewGridHoldsTenUnselectedRows)
{
    const CTrendGrid grid;
    EXPECT_EQ(grid.GetRowCount(), 10);
    EXPECT_EQ(Cells(grid, 9), "1111");
    EXPECT_FALSE(grid.HasSelection());
    EXPECT_EQ(grid.GetCell(10, 1), -1);
    EXPECT_EQ(grid.GetCell(1, 5), -1);
}

TEST(TrendGrid, WhatTheDataCannotProvideIsNotAvailable)
{
    const std::vector<CReportTrendItem> items = CReportConfig().GetTrendPart();
    CTrendGrid grid;
    grid.Fill(items, TwoPhaseRecord());
    ASSERT_EQ(grid.GetRowCount(), 36);
    EXPECT_EQ(grid.GetRowName(RowOf(grid, items, "ZVTrendUrms")), GetTrendDisplayName("ZVTrendUrms"));
    EXPECT_FALSE(grid.GetRowName(1).empty());

    struct Case {
        const char* key;
        const char* cells;  // L1, L2, L3, All
    };
    const Case cases[] = {
        {"ZVTrendUrms", "0022"},   // L3 is not wired, the chart has no N curve
        {"ZVTrendFreq", "0222"},   // one value, in the first column
        {"ZVTrendP", "0020"},      // with a total
        {"ZVTrendWS", "0020"},     // item 21
        {"ZVTrendWQ", "2222"},     // item 22 is not in the data
        {"ZVTrendIrms", "2222"},
        {"ZVTrendUnb", "2222"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cells(grid, RowOf(grid, items, c.key)), c.cells) << c.key;
    }

    BasicInfo energy;
    energy.viewIds = {22};
    grid.Fill(items, energy);
    EXPECT_EQ(Cells(grid, RowOf(grid, items, "ZVTrendWQ")), "0000");
    EXPECT_EQ(Cells(grid, RowOf(grid, items, "ZVTrendWS")), "2222");
}

TEST(TrendGrid, ClicksToggleCellsRowsColumnsAndAllButNeverTheUnavailable)
{
    const std::vector<CReportTrendItem> items = CReportConfig().GetTrendPart();
    CTrendGrid grid;
    grid.Fill(items, TwoPhaseRecord());
    const int urms = RowOf(grid, items, "ZVTrendUrms");
    const int power = RowOf(grid, items, "ZVTrendP");
    const int frequency = RowOf(grid, items, "ZVTrendFreq");

    grid.Click(urms, 2);
    EXPECT_EQ(Cells(grid, urms), "0122");
    grid.Click(urms, 3);  // unavailable
    EXPECT_EQ(Cells(grid, urms), "0122");

    grid.Click(urms, 0);  // a cell of the row is selected: the row is cleared
    EXPECT_EQ(Cells(grid, urms), "1122");
    grid.Click(urms, 0);
    EXPECT_EQ(Cells(grid, urms), "0022");

    grid.Click(0, 4);  // the All column holds a selected cell: cleared everywhere
    EXPECT_EQ(Cells(grid, power), "0021");
    grid.Click(0, 4);
    EXPECT_EQ(Cells(grid, power), "0020");

    grid.Click(0, 0);  // everything off
    EXPECT_EQ(Cells(grid, urms), "1122");
    EXPECT_EQ(Cells(grid, frequency), "1222");
    EXPECT_FALSE(grid.HasSelection());
    grid.Click(0, 0);
    EXPECT_EQ(Cells(grid, frequency), "0222");
    EXPECT_TRUE(grid.HasSelection());

    grid.SetCell(urms, 1, 7);  // not a state
    grid.SetCell(urms, 3, CTrendGrid::kSelected);
    EXPECT_EQ(Cells(grid, urms), "0022");
    grid.Click(40, 1);
    grid.Click(-1, 0);
}

TEST(TrendGrid, TheTicksGoBackIntoTheChartsInRowOrder)
{
    const std::vector<CReportTrendItem> items = CReportConfig().GetTrendPart();
    CTrendGrid grid;
    grid.Fill(items, TwoPhaseRecord());
    grid.Click(RowOf(grid, items, "ZVTrendUrms"), 2);
    grid.Click(RowOf(grid, items, "ZVTrendFreq"), 1);

    const std::vector<CReportTrendItem> saved = grid.Apply(items);
    ASSERT_EQ(saved.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(saved[i].GetKey(), items[i].GetKey());
    }
    const CReportTrendItem& urms = ItemOf(saved, "ZVTrendUrms");
    EXPECT_EQ(EnabledOf(urms, 0), 1);
    EXPECT_EQ(EnabledOf(urms, 1), 0);
    EXPECT_EQ(EnabledOf(urms, 2), 0);  // L3 is not in the data
    EXPECT_EQ(EnabledOf(ItemOf(saved, "ZVTrendFreq"), 4), 0);
    const CReportTrendItem& irms = ItemOf(saved, "ZVTrendIrms");  // not in the data at all
    for (std::int32_t code = 0; code <= 3; ++code) {
        EXPECT_EQ(EnabledOf(irms, code), 0) << code;
    }
    EXPECT_EQ(EnabledOf(ItemOf(saved, "ZVTrendP"), 3), 1);

    // Charts the rows do not name keep their place after the others.
    std::vector<CReportTrendItem> more = items;
    more.emplace_back("ZVTrendExtra");
    const std::vector<CReportTrendItem> kept = grid.Apply(more);
    ASSERT_EQ(kept.size(), more.size());
    EXPECT_EQ(kept.back(), more.back());
    // A grid never filled changes nothing.
    EXPECT_EQ(CTrendGrid().Apply(items), items);
}

TEST(TrendGridPainter, CellsUnderThePointFollowTheScrolledRows)
{
    const CTrendGridPainter painter(565, 18 * 11, 5);
    EXPECT_EQ(painter.GetCellWidth(), 101);  // ((560 * 1440) / 384 - 575) twips
    EXPECT_EQ(painter.GetVisibleRows(), 10);
    EXPECT_EQ(painter.GetLastTopRow(36), 26);
    struct Case {
        int x, y;
        bool inside;
        int row, column;
    };
    const Case cases[] = {
        {0, 0, true, 0, 0},       {152, 17, true, 0, 0},     {153, 18, true, 5, 1},
        {153 + 101, 40, true, 6, 2}, {153 + 4 * 101 - 1, 197, true, 14, 4},
        {153 + 4 * 101, 20, false, 0, 0}, {10, -1, false, 0, 0},
    };
    for (const Case& c : cases) {
        const auto cell = painter.CellAt(c.x, c.y, 36);
        ASSERT_EQ(cell.has_value(), c.inside) << c.x << "," << c.y;
        if (cell) {
            EXPECT_EQ(cell->row, c.row) << c.x << "," << c.y;
            EXPECT_EQ(cell->column, c.column) << c.x << "," << c.y;
        }
    }
    EXPECT_FALSE(CTrendGridPainter(565, 400, 1).CellAt(10, 18 * 12, 10));  // below the last row
}

TEST(TrendGridPainter, EachCellShowsThePictureOfItsState)
{
    const std::vector<CReportTrendItem> items = CReportConfig().GetTrendPart();
    CTrendGrid grid;
    grid.Fill(items, TwoPhaseRecord());
    const gfx::Color colors[] = {{0, 160, 0}, {200, 0, 0}, {90, 90, 90}};
    std::vector<gfx::Bitmap> pictures;
    for (const gfx::Color& color : colors) {
        gfx::Bitmap picture(9, 9);
        gfx::Context(picture).FillRect(gfx::Rect::FromSize(0, 0, 9, 9), color);
        pictures.push_back(std::move(picture));
    }
    const CTrendGridPainter painter(565, 18 * 37);
    gfx::Bitmap target(565, 18 * 37);
    {
        gfx::Context context(target);
        painter.Draw(context, grid, {&pictures[0], &pictures[1], &pictures[2]}, gfx::Font::FromPoints(L"宋体", 9));
    }
    const int urms = RowOf(grid, items, "ZVTrendUrms");
    const int cell = painter.GetCellWidth();
    auto centre = [&](int row, int column) {
        return target.PixelAt(CTrendGridPainter::kNameWidth + (column - 1) * cell + cell / 2,
                              row * CTrendGridPainter::kRowHeight + CTrendGridPainter::kRowHeight / 2);
    };
    EXPECT_EQ(centre(urms, 1), colors[0]);
    EXPECT_EQ(centre(urms, 3), colors[2]);
    grid.Click(urms, 1);
    {
        gfx::Context context(target);
        painter.Draw(context, grid, {&pictures[0], &pictures[1], &pictures[2]}, gfx::Font::FromPoints(L"宋体", 9));
    }
    EXPECT_EQ(centre(urms, 1), colors[1]);
    // Every name can be shown.
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        EXPECT_EQ(gfx::MissingGlyphCount(grid.GetRowName(row), gfx::Font::FromPoints(L"宋体", 9)), 0)
            << platform::WideToUtf8(grid.GetRowName(row));
    }
}

}  // namespace
