#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "report/GridReportPainter.h"
#include "report/ReportDrawing.h"
#include "report/RtfReportText.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using Layout = CGridReportPainter::Layout;

std::wstring Zv(const char* key)
{
    return CRtfReportText::Instance().Text(RtfSection::ZvParam, key);
}

CReportRowValues Line(const std::wstring& label, const std::wstring& maximum, const std::wstring& verdict)
{
    return CReportRowValues(label, {maximum, L"2026-03-01 00:12:00"}, {L"1.000", L""}, {L"2.000", L""},
                            {L"3.000", L""}, L"+7/-10", L"30", L"0", L"100", verdict);
}

// Rendered at one pixel per unit over white.
gfx::Bitmap Render(gfx::Recording& picture)
{
    return picture.Render(static_cast<int>(picture.Width()), static_cast<int>(picture.Height()),
                          gfx::Color{255, 255, 255});
}

int CountColor(const gfx::Bitmap& bitmap, const gfx::Rect& r, bool (*test)(gfx::Color))
{
    int count = 0;
    for (int y = static_cast<int>(r.top) + 4; y < static_cast<int>(r.bottom) - 4; ++y) {
        for (int x = static_cast<int>(r.left) + 4; x < static_cast<int>(r.right) - 4; ++x) {
            count += test(bitmap.PixelAt(x, y)) ? 1 : 0;
        }
    }
    return count;
}

bool IsRed(gfx::Color c) { return c.r > 200 && c.g < 80 && c.b < 80; }
bool IsDark(gfx::Color c) { return c.r < 80 && c.g < 80 && c.b < 80; }

TEST(GridReportPainter, ColumnsAndRowsFollowTheirWeights)
{
    CReportTable table;
    CReportHeader header(L"参数");
    for (const int type : {1, 2, 3, 4, 5}) {
        header.AddColumn(CReportColumn(L"列" + std::to_wstring(type), type));
    }
    table.AddHeader(header);
    for (const int kind : {1, 2, 3, 4}) {
        CReportRow row(L"行" + std::to_wstring(kind), kind);
        row.AddValues(Line(L"", L"1", L""));
        table.AddRow(row);
    }
    CGridReportPainter painter;
    ASSERT_TRUE(painter.BeginPicture(1234, 1080));
    const Layout layout = painter.ComputeLayout(table);
    EXPECT_FALSE(layout.list);
    EXPECT_NEAR(layout.rowUnit, 1000.0 / 110.0, 1e-9);
    const std::vector<double> heights = {90.909, 181.818, 272.727, 454.545};
    double y = 80.0;
    ASSERT_EQ(layout.rows.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(layout.rows[i].top, y, 1e-6) << "row " << i;
        EXPECT_NEAR(layout.rows[i].Height(), heights[i], 1e-3) << "row " << i;
        y += layout.rows[i].Height();
    }
    EXPECT_NEAR(y, 1080.0, 1e-6) << "the rows fill the picture under the header";
    const double unit = (1234.0 - 180.0) / 105.0;
    EXPECT_NEAR(layout.columnUnit, unit, 1e-9);
    const std::vector<double> widths = {10 * unit, 15 * unit, 30 * unit, 50 * unit, 0.0};
    double x = 180.0;
    ASSERT_EQ(layout.columns.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(layout.columns[i].left, x, 1e-6) << "column " << i;
        EXPECT_NEAR(layout.columns[i].Width(), widths[i], 1e-6) << "column " << i << " (type 5 takes no space)";
        x += widths[i];
    }
    EXPECT_EQ(painter.DrawGridReport(table), 0);
    EXPECT_FALSE(painter.EndPicture().IsEmpty());
}

TEST(GridReportPainter, HeaderTextsChooseTheCellField)
{
    struct Case {
        std::wstring header;
        std::int32_t kind;
        std::wstring cell;
    };
    const Case cases[] = {
        {Zv("MaxValue"), 1, L"9.000"},  {L"最大值时间", 2, L"2026-03-01 00:12:00"},
        {Zv("MinValue"), 3, L"1.000"},  {Zv("AvgValue"), 4, L"2.000"},
        {Zv("C95Value"), 5, L"3.000"},  {Zv("GbValue"), 6, L"+7/-10"},
        {Zv("TestTimes"), 7, L"30"},    {Zv("OverLimitTimes"), 8, L"0"},
        {Zv("IsPass"), 10, Zv("Pass")}, {Zv("PassPercent"), 9, L"100"},
        {CRtfReportText::Instance().Text(RtfSection::ComtradeEvent, "Times"), 11, L"0"},
        {L"别的标题", 0, L""},
    };
    for (const Case& c : cases) {
        const CReportColumn column(c.header, 2);
        EXPECT_EQ(column.GetKind(), c.kind) << c.kind;
        EXPECT_EQ(Line(L"", L"9.000", Zv("Pass")).GetText(column.GetKind()), c.cell) << c.kind;
    }
    const CReportRowValues count(std::uint32_t{0});
    EXPECT_EQ(count.GetText(CReportColumn::kCount), L"0") << "a count of 0 shows";
    EXPECT_EQ(count.GetText(CReportColumn::kMaxValue), L"");
    EXPECT_EQ(CReportRowValues(L"备注").GetNote(), L"备注");
}

TEST(GridReportPainter, AFailedVerdictIsRedAndOthersBlack)
{
    CReportTable table;
    CReportHeader header(Zv("ParamItem"));
    header.AddColumn(CReportColumn(Zv("MaxValue"), 2));
    header.AddColumn(CReportColumn(Zv("IsPass"), 2));
    table.AddHeader(header);
    CReportRow failed(L"频率 Hz", 2);
    failed.AddValues(Line(L"", Zv("Fail"), Zv("Fail")));  // the same word in a value column stays black
    table.AddRow(failed);
    CReportRow passed(L"电压", 2);
    passed.AddValues(Line(L"", L"230.5", Zv("Pass")));
    table.AddRow(passed);

    CGridReportPainter painter;
    ASSERT_TRUE(painter.BeginPicture(600, 280));
    const Layout layout = painter.ComputeLayout(table);
    ASSERT_EQ(painter.DrawGridReport(table), 0);
    gfx::Recording picture = painter.EndPicture();
    const gfx::Bitmap bitmap = Render(picture);
    // Cells: label, value, verdict per row.
    ASSERT_EQ(layout.cells.size(), 6u);
    EXPECT_TRUE(layout.cells[2].failed);
    EXPECT_FALSE(layout.cells[1].failed);
    EXPECT_FALSE(layout.cells[5].failed);
    EXPECT_GT(CountColor(bitmap, layout.cells[2].rect, IsRed), 20) << "the failed verdict";
    EXPECT_EQ(CountColor(bitmap, layout.cells[1].rect, IsRed), 0);
    EXPECT_GT(CountColor(bitmap, layout.cells[1].rect, IsDark), 20);
    EXPECT_EQ(CountColor(bitmap, layout.cells[5].rect, IsRed), 0);
    EXPECT_GT(CountColor(bitmap, layout.cells[5].rect, IsDark), 20);
    EXPECT_GT(CountColor(bitmap, layout.cells[0].rect, IsDark), 20) << "the row label";
    for (const std::wstring& text : {Zv("Fail"), std::wstring(L"频率 Hz 230.5")}) {
        EXPECT_EQ(gfx::MissingGlyphCount(text, report::UnitFont(L"黑体", 20, 700)), 0);
        EXPECT_EQ(gfx::MissingGlyphCount(text, report::UnitFont(L"Arial", 20)), 0);
    }
    EXPECT_TRUE(gfxtest::PixelNear(bitmap, 1, 140, gfx::Color{0, 0, 0})) << "the frame";
}

TEST(GridReportPainter, ALongRowLabelShrinksToStayWhole)
{
    gfx::Recording page(400, 200);
    std::unique_ptr<gfx::Context> g = page.NewContext();
    report::TextStyle style{report::UnitFont(L"黑体", 20, 700)};
    style.shrinkToFit = true;
    const gfx::Rect cell{0, 0, CGridReportPainter::kNameWidth, 45};
    struct Case {
        std::wstring label;
        bool shrinks;
    };
    for (const Case& c : {Case{L"Frequency (Hz)", false}, Case{L"Voltage negative-sequence unbalance (%)", true},
                          Case{L"频率(Hz)", false}}) {
        const gfx::Font font = report::FitFont(*g, c.label, cell, style);
        EXPECT_EQ(std::fabs(font.height) < std::fabs(style.font.height), c.shrinks) << std::string(c.label.begin(), c.label.end());
        g->SetFont(font);
        gfx::Rect measured{cell.left, cell.top, cell.right, cell.top};
        g->DrawText(c.label, measured, gfx::TextFormat::WordBreak | gfx::TextFormat::CalcRect);
        EXPECT_LE(measured.Height(), cell.Height()) << "the wrapped label fits its row";
    }
    const gfx::Rect tiny{0, 0, 20, 5};
    EXPECT_GE(std::fabs(report::FitFont(*g, L"Voltage negative-sequence unbalance (%)", tiny, style).height),
              std::fabs(style.font.height) / 2.0)
        << "never below half the size";
}

TEST(GridReportPainter, RowsOfSeveralLinesAreSplit)
{
    CReportTable table;
    CReportHeader header(L"参数");
    header.AddColumn(CReportColumn(Zv("MaxValue"), 1));
    table.AddHeader(header);
    CReportRow row(L"电压", 3);
    for (const wchar_t* phase : {L"L1", L"L2", L"L3"}) {
        row.AddValues(Line(phase, L"230", L""));
    }
    table.AddRow(row);
    CGridReportPainter painter;
    ASSERT_TRUE(painter.BeginPicture(500, 380));
    const Layout layout = painter.ComputeLayout(table);
    // The row's label left of 130, then three lines of a third of its 300 units each.
    ASSERT_EQ(layout.cells.size(), 7u);
    EXPECT_EQ(layout.cells[0].text, L"电压");
    EXPECT_EQ(layout.cells[0].rect.right, 130.0);
    for (std::size_t k = 0; k < 3; ++k) {
        const CGridReportPainter::Cell& label = layout.cells[1 + 2 * k];
        EXPECT_EQ(label.text, (std::vector<std::wstring>{L"L1", L"L2", L"L3"})[k]);
        EXPECT_EQ(label.rect.left, 130.0);
        EXPECT_NEAR(label.rect.top, 80.0 + 100.0 * static_cast<double>(k), 1e-9);
        EXPECT_NEAR(label.rect.Height(), 100.0, 1e-9);
        EXPECT_EQ(layout.cells[2 + 2 * k].text, L"230");
    }
    EXPECT_EQ(painter.DrawGridReport(table), 0);
}

TEST(GridReportPainter, TablesWithoutHeaderAreLabelAndNotePairs)
{
    CReportTable table;
    CReportRow place(L"测试地点", 2);
    place.AddValues(CReportRowValues(L"一号变电站"));
    place.AddValues(CReportRowValues(L"not shown"));
    table.AddRow(place);
    CReportRow device(L"仪器", 2);
    device.AddValues(CReportRowValues(L"K7700"));
    table.AddRow(device);
    CGridReportPainter painter;
    ASSERT_TRUE(painter.BeginPicture(700, 200));
    const Layout layout = painter.ComputeLayout(table);
    EXPECT_TRUE(layout.list);
    EXPECT_EQ(layout.rowUnit, 200.0 / 40.0);
    ASSERT_EQ(layout.cells.size(), 4u);
    EXPECT_EQ(layout.cells[0].rect.right, 300.0) << "three sevenths";
    EXPECT_EQ(layout.cells[1].text, L"一号变电站");
    EXPECT_EQ(layout.cells[3].text, L"K7700");
    EXPECT_EQ(painter.DrawGridReport(table), 1);
}

TEST(GridReportPainter, NoRowOrColumnWeightDrawsNothing)
{
    CReportHeader header(L"参数");
    header.AddColumn(CReportColumn(L"x", 7));  // no weight
    CReportTable noColumns;
    noColumns.AddHeader(header);
    CReportRow row(L"r", 2);
    row.AddValues(Line(L"", L"1", L""));
    noColumns.AddRow(row);
    CReportTable noRows;
    noRows.AddHeader(CReportHeader(L"参数"));
    CReportTable unweightedRows;
    unweightedRows.AddRow(CReportRow(L"r", 0));
    for (const CReportTable* table : {&noColumns, &noRows, &unweightedRows}) {
        CGridReportPainter painter;
        ASSERT_TRUE(painter.BeginPicture(300, 200));
        EXPECT_TRUE(painter.ComputeLayout(*table).empty);
        EXPECT_EQ(painter.DrawGridReport(*table), -1);
        gfx::Recording picture = painter.EndPicture();
        const gfx::Bitmap bitmap = Render(picture);
        EXPECT_EQ(gfxtest::CountOtherThan(bitmap, 0, 0, 300, 200, gfx::Color{230, 230, 230}), 0)
            << "only the picture's ground";
    }
    CGridReportPainter unstarted;
    EXPECT_EQ(unstarted.DrawGridReport(noColumns), -1);
    EXPECT_TRUE(unstarted.EndPicture().IsEmpty());
}

TEST(GridReportPainter, ListsAreCopiedOutWhole)
{
    CReportRow row(L"r", 2);
    row.AddValues(CReportRowValues(L"a"));
    EXPECT_EQ(row.AddValues(CReportRowValues(L"b")), 2u);
    std::vector<CReportRowValues> values = {CReportRowValues(L"old")};
    EXPECT_EQ(row.GetValues(values), 2u);
    EXPECT_EQ(values[0].GetNote(), L"a");
    CReportTable table;
    EXPECT_EQ(table.AddRow(row), 1u);
    std::vector<CReportRow> rows = {row, row};
    EXPECT_EQ(table.GetRows(rows), 1u);
    std::vector<CReportHeader> headers = {CReportHeader(L"x")};
    EXPECT_EQ(table.GetHeaders(headers), 0u);
    EXPECT_TRUE(headers.empty());
}

}  // namespace
