// Tables of the renderer with fixed text metrics.
#include <gtest/gtest.h>

#include <string>

#include "HtmlTestFixture.h"

namespace htmltest {
namespace {

// Content of the given width (a multiple of 10): letters of a 20-pixel font.
std::wstring Wide(int width) { return L"<font size=20px>" + std::wstring(width / 10, L'a') + L"</font>"; }

std::wstring TwoCells(const std::wstring& table, const std::wstring& first, const std::wstring& second) {
    return table + L"<tr><td" + first + L"</td><td" + second + L"</td></tr></table>";
}

TEST_F(HtmlDrawerTest, ColumnsTakeTheirWidestCellPlusPadding) {
    // 40 and 60 wide, padding 2, no spacing, no border: 44 + 64 + 1 between the cells.
    const HtmlSize size = Measure(TwoCells(L"<table>", L">" + Wide(40), L">" + Wide(60)));
    EXPECT_EQ(size.cx, 109 + 1);
    EXPECT_EQ(size.cy, 20 + 4 + 1);
    ASSERT_EQ(drawer.Tables().size(), 1u);
    EXPECT_EQ(drawer.Tables()[0].columnWidths, (std::vector<int>{44, 64}));
}

TEST_F(HtmlDrawerTest, TablesStretchToTheTipUnlessEveryColumnIsFixed) {
    struct Case {
        const wchar_t* name;
        std::wstring markup;
        std::vector<int> widths;  // after drawing 300 pixels wide
        int firstTextX;
    };
    const Case cases[] = {
        {L"free columns share the room", TwoCells(L"<table>", L">a", L">b"), {10 + 139, 10 + 140}, 2},
        {L"fixed, left", TwoCells(L"<table>", L" width=40>a", L" width=60>b"), {44, 64}, 2},
        // The cells take the table's alignment too; the first cell is set back to the left.
        {L"fixed, centred", TwoCells(L"<table align=center>", L" width=40 align=left>a", L" width=60>b"), {44, 64},
         95 + 2},
        {L"fixed, right", TwoCells(L"<table align=right>", L" width=40 align=left>a", L" width=60>b"), {44, 64},
         191 + 2},
        {L"one fixed", TwoCells(L"<table>", L" width=40>a", L">b"), {44, 10 + 245}, 2},
    };
    for (const Case& c : cases) {
        Render(c.markup, 300);
        ASSERT_EQ(drawer.Tables().size(), 1u);
        EXPECT_EQ(drawer.Tables()[0].columnWidths, c.widths) << c.name;
        EXPECT_EQ(device.RunWith(L"a").x, c.firstTextX) << c.name;
    }
}

TEST_F(HtmlDrawerTest, SpanningCellsShareTheirWidthAmongTheirColumns) {
    struct Case {
        const wchar_t* name;
        std::wstring spanning;  // above two cells of 30
        std::vector<int> widths;
    };
    const Case cases[] = {
        {L"even", L">" + Wide(100), {52, 52}},
        {L"odd: the remainder to the last column", L" width=105>x", {54, 55}},
        {L"narrower than its columns", L">x", {34, 34}},
    };
    for (const Case& c : cases) {
        Measure(L"<table><tr><td colspan=2" + c.spanning + L"</td></tr><tr><td>" + Wide(30) + L"</td><td>" +
                Wide(30) + L"</td></tr></table>");
        ASSERT_EQ(drawer.Tables().size(), 1u);
        EXPECT_EQ(drawer.Tables()[0].columnWidths, c.widths) << c.name;
    }
}

TEST_F(HtmlDrawerTest, RowAndColumnSpansKeepTheirPositionsFree) {
    Render(L"<table><tr><td rowspan=2 colspan=2>A</td><td>B</td></tr><tr><td>C</td></tr></table>");
    ASSERT_EQ(drawer.Tables().size(), 1u);
    TableLayout layout = drawer.Tables()[0];
    ASSERT_EQ(layout.columns, 3);
    ASSERT_EQ(layout.rows, 2);
    EXPECT_EQ(layout.At(0, 0).colSpan, 2);
    EXPECT_EQ(layout.At(0, 0).rowSpan, 2);
    EXPECT_EQ(layout.At(0, 1).colSpan, -1);
    EXPECT_EQ(layout.At(1, 0).colSpan, -1);
    EXPECT_EQ(layout.At(1, 1).colSpan, -1);
    EXPECT_EQ(layout.At(1, 2).colSpan, 1);
    EXPECT_EQ(device.RunWith(L"C").x, device.RunWith(L"B").x);
    EXPECT_GT(device.RunWith(L"C").y, device.RunWith(L"B").y);
}

TEST_F(HtmlDrawerTest, SpansAndCellsStayWithinTheGrid) {
    struct Case {
        const wchar_t* name;
        const wchar_t* markup;
        const wchar_t* drawn;
        int columns;
    };
    const Case cases[] = {
        {L"a span of 0 is 1, a huge span is capped",
         L"<table><tr><td colspan=0>a</td><td colspan=99999 rowspan=99999>b</td></tr></table>", L"ab",
         1 + CHtmlDrawer::kMaxSpan},
        {L"a cell pushed past the last column is skipped",
         L"<table><tr><td rowspan=2>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>", L"abc", 2},
        {L"a cell without its closing tag takes the rest of its row", L"<table><tr><td>a<td>b</table>", L"ab", 2},
        {L"a table without rows", L"x<table></table>y", L"xy", 0},
        {L"a row without cells", L"<table><tr></tr></table>y", L"y", 0},
        {L"a table without its closing tag", L"<table><tr><td>a</td></tr>", L"a", 1},
    };
    for (const Case& c : cases) {
        Render(c.markup);
        EXPECT_EQ(device.DrawnText(), c.drawn) << c.name;
        ASSERT_EQ(drawer.Tables().size(), 1u) << c.name;
        EXPECT_EQ(drawer.Tables()[0].columns, c.columns) << c.name;
    }
    // No rows, no columns: only the border and spacing terms, never a negative size.
    EXPECT_EQ(Measure(L"<table></table>"), (HtmlSize{1, 1}));
    EXPECT_EQ(Measure(L"<table cellspacing=3></table>"), (HtmlSize{3 + 1, 3 + 1}));
}

TEST_F(HtmlDrawerTest, CellTextStartsWithTheBodyRule) {
    Render(L"<font size=30px color=red>x<table><tr><td>y</td></tr></table></font>");
    EXPECT_EQ(device.RunWith(L"x").font.height, 30);
    EXPECT_EQ(device.RunWith(L"y").font.height, kBodyHeight);
    EXPECT_EQ(device.RunWith(L"y").textColour, 0u);
}

TEST_F(HtmlDrawerTest, NestedTablesAndCellAlignment) {
    // The inner table is 12 + 4 wide; the outer cell adds its padding again.
    EXPECT_EQ(Measure(L"<table><tr><td><table><tr><td>in</td></tr></table></td></tr></table>"), (HtmlSize{21, 22}));
    EXPECT_EQ(drawer.Tables().size(), 2u);

    struct Case {
        const wchar_t* valign;
        int y;  // of the text in a cell 50 high inside its padding of 2
    };
    // The alignment also places the text within its line: at the bottom, the text's
    // ascent (10) sits on the line's bottom.
    const Case cases[] = {{L"top", 2}, {L"baseline", 2}, {L"middle", 20}, {L"bottom", 39 + 3}};
    for (const Case& c : cases) {
        Render(std::wstring(L"<table><tr><td height=50 valign=") + c.valign + L">x</td></tr></table>");
        EXPECT_EQ(device.RunWith(L"x").y, c.y) << c.valign;
    }
}

TEST_F(HtmlDrawerTest, TableFillsAndBordersAreDrawn) {
    Render(L"<table border=2 bordercolor=red bgcolor=blue cellpadding=6><tr><td>&nbsp;</td></tr></table>");
    EXPECT_EQ(canvas.PixelAt(0, 0), (gfx::Color{255, 0, 0, 255}));
    EXPECT_EQ(canvas.PixelAt(1, 1), (gfx::Color{255, 0, 0, 255}));
    EXPECT_EQ(canvas.PixelAt(3, 3), (gfx::Color{0, 0, 255, 255}));

    canvas = gfx::Bitmap(400, 300);
    Render(L"<table><tr><td bgcolor=lime borderstyle=double border=1 bordercolor=black>&nbsp;</td></tr></table>");
    EXPECT_EQ(canvas.PixelAt(0, 0), (gfx::Color{0, 0, 0, 255}));  // the outer frame
    EXPECT_EQ(canvas.PixelAt(1, 1), (gfx::Color{0, 255, 0, 255}));
    EXPECT_EQ(canvas.PixelAt(2, 2), (gfx::Color{0, 0, 0, 255}));  // the inner one, 2 pixels inside
}

}  // namespace
}  // namespace htmltest
