// The in-process workbook of the spreadsheet report: cell references, typed-in
// numbers, the template file and its refusals, the limit sheets, column widths, and
// the .xlsx file as a spreadsheet program reads it back.

#include <gtest/gtest.h>

#include <cmath>

#include "XlsxReader.h"
#include "export/ExcelTemplate.h"
#include "export/ExcelWorkbook.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "report/LevelLimitTable.h"
#include "tests/support/TempDir.h"

namespace {

using exporttest::ReadXlsx;
using exporttest::XlsxValue;

TEST(ExcelWorkbook, CellReferences)
{
    struct Case {
        const wchar_t* text;
        bool valid;
        std::uint32_t row;
        std::uint16_t column;
    };
    const Case cases[] = {
        {L"C12", true, 11, 2},          {L"c4", true, 3, 2},          {L"A1", true, 0, 0},
        {L"AA10", true, 9, 26},         {L"XFD1048576", true, 1048575, 16383},
        {L"XFE1", false, 0, 0},         {L"A1048577", false, 0, 0},   {L"A0", false, 0, 0},
        {L"A01", false, 0, 0},          {L"1A", false, 0, 0},         {L"A", false, 0, 0},
        {L"", false, 0, 0},             {L"AAAA1", false, 0, 0},      {L"C 12", false, 0, 0},
        {L"C12x", false, 0, 0},         {L"电1", false, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<ExcelCellRef> ref = ParseCellRef(c.text);
        ASSERT_EQ(ref.has_value(), c.valid) << platform::WideToUtf8(c.text);
        if (c.valid) {
            EXPECT_EQ(ref->row, c.row) << platform::WideToUtf8(c.text);
            EXPECT_EQ(ref->column, c.column) << platform::WideToUtf8(c.text);
        }
    }
    EXPECT_EQ(ColumnLetters(0), L"A");
    EXPECT_EQ(ColumnLetters(25), L"Z");
    EXPECT_EQ(ColumnLetters(26), L"AA");
    EXPECT_EQ(ColumnLetters(16383), L"XFD");
    EXPECT_FALSE(ParseRangeRef(L"C3:B4")) << "the last corner left of the first";
    EXPECT_FALSE(ParseRangeRef(L"B4:B3")) << "the last corner above the first";
    const std::optional<ExcelRange> range = ParseRangeRef(L"B3:D4");
    ASSERT_TRUE(range);
    EXPECT_TRUE(range->Contains({3, 3}));
    EXPECT_FALSE(range->Contains({4, 3}));
}

// Text is stored as typed into a cell: a decimal number becomes a number, anything
// else stays text.
TEST(ExcelWorkbook, TypedInNumbers)
{
    struct Case {
        const wchar_t* text;
        std::optional<double> number;
    };
    const Case cases[] = {
        {L"1.500000", 1.5}, {L"7", 7.0},    {L"-0.250000", -0.25}, {L"+3", 3.0},  {L"1e3", 1000.0},
        {L"", {}},          {L"——", {}},    {L"49.8-50.2", {}},    {L"2.0/4.0", {}}, {L"+7/-10", {}},
        {L"nan", {}},       {L"inf", {}},   {L"1.2.3", {}},        {L" 1", {}},   {L"1,5", {}},
        {L"100MVA", {}},    {L"-", {}},     {L".", {}},            {L"1e", {}},   {L"1e999", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseCellNumber(c.text), c.number) << platform::WideToUtf8(c.text);
    }
}

TEST(ExcelWorkbook, WideCharactersCountDouble)
{
    EXPECT_EQ(DisplayWidth(L"电压报表"), 8u);
    EXPECT_EQ(DisplayWidth(L"A相"), 3u);
    EXPECT_EQ(DisplayWidth(L"（%）"), 5u);
    EXPECT_EQ(DisplayWidth(L"Pass"), 4u);
}

// A workbook written and read back: values keep their kind, merged ranges and
// formats stay, and every column is as wide as its widest text shows.
TEST(ExcelWorkbook, WrittenFileReadsBack)
{
    CExcelWorkbook workbook;
    const int plain = workbook.AddFormat(ExcelFormat{});
    ExcelFormat decimals;
    decimals.numberFormat = "0.000";
    const int value = workbook.AddFormat(decimals);
    const std::size_t sheet = workbook.AddSheet(L"数据");
    workbook.GetSheet(sheet).merges.push_back(*ParseRangeRef(L"A1:D1"));
    workbook.GetSheet(sheet).cells[*ParseCellRef(L"A1")].format = plain;
    workbook.GetSheet(sheet).cells[*ParseCellRef(L"E2")].format = value;
    ASSERT_TRUE(workbook.SetText(sheet, *ParseCellRef(L"A1"), L"一个很长很长很长的标题"));
    EXPECT_FALSE(workbook.SetText(sheet, *ParseCellRef(L"B1"), L"x")) << "inside a merged range";
    EXPECT_FALSE(workbook.SetText(1, *ParseCellRef(L"B1"), L"x")) << "no such sheet";
    ASSERT_TRUE(workbook.SetText(sheet, *ParseCellRef(L"B2"), L"电压报表"));
    ASSERT_TRUE(workbook.SetText(sheet, *ParseCellRef(L"C2"), L"ABCDEFGH"));
    ASSERT_TRUE(workbook.SetText(sheet, *ParseCellRef(L"D2"), L"AB"));
    ASSERT_TRUE(workbook.SetText(sheet, *ParseCellRef(L"E2"), L"1234.500000"));
    workbook.AddSheet(L"Second");

    testsupport::TempDir dir;
    std::string error;
    ASSERT_TRUE(workbook.Write(dir / "book.xlsx", error)) << error;
    const auto book = ReadXlsx(dir / "book.xlsx");
    ASSERT_TRUE(book);
    ASSERT_EQ(book->sheets.size(), 2u);
    EXPECT_EQ(book->sheets[0].name, L"数据");
    EXPECT_EQ(book->sheets[1].name, L"Second");
    const exporttest::XlsxSheet& data = book->sheets[0];
    EXPECT_EQ(data.At("A1"), XlsxValue(L"一个很长很长很长的标题"));
    EXPECT_EQ(data.At("B2"), XlsxValue(L"电压报表"));
    EXPECT_EQ(data.At("E2"), XlsxValue(1234.5));
    EXPECT_EQ(data.merges, std::vector<std::string>{"A1:D1"});
    EXPECT_FALSE(data.hasFormula);
    // Four wide characters take the room of eight narrow ones; the merged title
    // widens none of the columns it spans.
    EXPECT_EQ(data.widths.at(2), data.widths.at(3));
    EXPECT_LT(data.widths.at(4), data.widths.at(3));
    EXPECT_EQ(data.widths.count(1), 0u);
    EXPECT_GE(data.widths.at(5), 8.0) << "\"1234.500\" as its format shows it";
}

TEST(ExcelWorkbook, WriteFailureIsReported)
{
    CExcelWorkbook workbook;
    workbook.AddSheet(L"Sheet");
    testsupport::TempDir dir;
    std::string error;
    EXPECT_FALSE(workbook.Write(dir / "missing" / "book.xlsx", error));
    EXPECT_FALSE(error.empty());

    CExcelWorkbook badName;
    badName.AddSheet(L"a/b");
    error.clear();
    EXPECT_FALSE(badName.Write(dir / "bad.xlsx", error));
    EXPECT_FALSE(error.empty());
}

// A template that breaks its format is refused whole and leaves the workbook as it was.
TEST(ExcelTemplate, BrokenTemplatesAreRefused)
{
    const std::string format = R"(<Format name="f"/>)";
    struct Case {
        const char* name;
        std::string xml;
    };
    const Case cases[] = {
        {"not xml", "<ExcelTemplate><Sheet name='a'>"},
        {"wrong root", "<Workbook><Sheet name='a'/></Workbook>"},
        {"no sheet", "<ExcelTemplate>" + format + "</ExcelTemplate>"},
        {"unknown element", "<ExcelTemplate><Sheet name='a'><Chart/></Sheet></ExcelTemplate>"},
        {"unknown top element", "<ExcelTemplate><Macro/><Sheet name='a'/></ExcelTemplate>"},
        {"sheet without name", "<ExcelTemplate><Sheet/></ExcelTemplate>"},
        {"two sheets of one name", "<ExcelTemplate><Sheet name='a'/><Sheet name='a'/></ExcelTemplate>"},
        {"format after a sheet", "<ExcelTemplate><Sheet name='a'/>" + format + "</ExcelTemplate>"},
        {"format named twice", "<ExcelTemplate>" + format + format + "<Sheet name='a'/></ExcelTemplate>"},
        {"unknown format", "<ExcelTemplate><Sheet name='a'><Cell ref='A1' format='g'/></Sheet></ExcelTemplate>"},
        {"bad reference", "<ExcelTemplate><Sheet name='a'><Cell ref='1A'/></Sheet></ExcelTemplate>"},
        {"reversed range", "<ExcelTemplate><Sheet name='a'><Cell ref='C1:A1'/></Sheet></ExcelTemplate>"},
        {"overlapping merges",
         "<ExcelTemplate><Sheet name='a'><Cell ref='A1:C1'/><Cell ref='B1:B2'/></Sheet></ExcelTemplate>"},
        {"huge fill", "<ExcelTemplate><Sheet name='a'><Fill range='A1:Z100000'/></Sheet></ExcelTemplate>"},
        {"bad flag", "<ExcelTemplate><Sheet name='a' landscape='yes'/></ExcelTemplate>"},
        {"bad colour", "<ExcelTemplate><Format name='f' fill='red'/><Sheet name='a'/></ExcelTemplate>"},
        {"bad size", "<ExcelTemplate><Format name='f' size='0'/><Sheet name='a'/></ExcelTemplate>"},
        {"bad alignment", "<ExcelTemplate><Format name='f' align='middle'/><Sheet name='a'/></ExcelTemplate>"},
        {"unknown limit table",
         "<ExcelTemplate><Sheet name='a'><LimitTable kind='power' ref='A1'/></Sheet></ExcelTemplate>"},
        {"limit table past the last column",
         "<ExcelTemplate><Sheet name='a'><LimitTable kind='current' ref='XFA1'/></Sheet></ExcelTemplate>"},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        CExcelWorkbook workbook;
        workbook.AddSheet(L"kept");
        EXPECT_FALSE(CExcelTemplate::Load(dir.Write("t.xml", c.xml), workbook)) << c.name;
        ASSERT_EQ(workbook.GetSheetCount(), 1u) << c.name;
        EXPECT_EQ(workbook.GetSheet(0).name, L"kept") << c.name;
    }
    CExcelWorkbook workbook;
    EXPECT_FALSE(CExcelTemplate::Load(dir / "none.xml", workbook)) << "a missing file";
}

TEST(ExcelTemplate, ElementsApplyInOrder)
{
    testsupport::TempDir dir;
    const auto file = dir.Write("t.xml", R"(<ExcelTemplate>
  <Format name="v" numberFormat="0.000" border="1" fill="D9E1F2" align="center" bold="1" size="12" font="宋体"/>
  <Sheet name="表" landscape="1" fitToWidth="1">
    <Fill range="B2:C3" format="v">——</Fill>
    <Cell ref="C3">说明</Cell>
    <Cell ref="A5:B5" format="v">合并</Cell>
  </Sheet>
</ExcelTemplate>)");
    CExcelWorkbook workbook;
    ASSERT_TRUE(CExcelTemplate::Load(file, workbook));
    ASSERT_EQ(workbook.GetSheetCount(), 1u);
    const CExcelWorkbook::Sheet& sheet = workbook.GetSheet(0);
    EXPECT_TRUE(sheet.landscape);
    EXPECT_TRUE(sheet.fitToWidth);
    const ExcelFormat& format = workbook.GetFormats().at(0);
    EXPECT_EQ(format.fontName, "宋体");
    EXPECT_EQ(format.fontSize, 12.0);
    EXPECT_TRUE(format.bold && format.border);
    EXPECT_EQ(format.fill, 0xD9E1F2u);
    EXPECT_EQ(format.align, ExcelAlign::Center);
    EXPECT_EQ(format.numberFormat, "0.000");
    EXPECT_EQ(workbook.GetCell(0, *ParseCellRef(L"B2"))->value, CExcelWorkbook::Value(L"——"));
    EXPECT_EQ(workbook.GetCell(0, *ParseCellRef(L"B2"))->format, 0);
    EXPECT_EQ(workbook.GetCell(0, *ParseCellRef(L"C3"))->value, CExcelWorkbook::Value(L"说明"));
    EXPECT_EQ(workbook.GetCell(0, *ParseCellRef(L"C3"))->format, -1) << "the later element replaces the format too";
    EXPECT_EQ(workbook.GetCell(0, *ParseCellRef(L"A5"))->value, CExcelWorkbook::Value(L"合并"));
    ASSERT_EQ(sheet.merges.size(), 1u);
    EXPECT_EQ(workbook.GetCell(0, *ParseCellRef(L"A9")), nullptr);
}

// The shipped templates of both languages: the four report sheets and the two limit
// sheets in the order the report addresses them, the limit sheets holding the
// program's limit table.
TEST(ExcelTemplate, ShippedTemplatesHoldTheLimitTables)
{
    struct Case {
        const char* folder;
        std::vector<std::wstring> sheets;
    };
    const Case cases[] = {
        {"Chinese", {L"电压报表", L"电流报表", L"电能质量报表", L"通过率报表", L"国标限值(电压)", L"国标限值(电流)"}},
        {"English",
         {L"Voltage", L"Current", L"Power Quality", L"Pass Rate", L"GB Limits (Voltage)", L"GB Limits (Current)"}},
    };
    for (const Case& c : cases) {
        CExcelWorkbook workbook;
        ASSERT_TRUE(CExcelTemplate::Load(platform::ProgramFolder() / "Language" / c.folder / "ExcelTemplate.xml",
                                         workbook))
            << c.folder;
        ASSERT_EQ(workbook.GetSheetCount(), c.sheets.size()) << c.folder;
        for (std::size_t i = 0; i < c.sheets.size(); ++i) {
            EXPECT_EQ(workbook.GetSheet(i).name, c.sheets[i]) << c.folder;
        }
        CLevelLimitTable limits;
        auto number = [&](std::size_t sheet, std::uint32_t row, std::uint16_t column) {
            const CExcelWorkbook::Cell* cell = workbook.GetCell(sheet, {row, column});
            const double* value = cell != nullptr ? std::get_if<double>(&cell->value) : nullptr;
            return value != nullptr ? *value : std::nan("");
        };
        for (std::uint32_t level = 0; level < CLevelLimitTable::kRowCount; ++level) {
            limits.SelectRow(level);
            const std::uint32_t row = 4 + level;  // from A5 on
            EXPECT_EQ(workbook.GetCell(4, {row, 0})->value, CExcelWorkbook::Value(limits.GetLevelName())) << c.folder;
            EXPECT_FLOAT_EQ(number(4, row, 1), limits.GetThd()) << c.folder << " level " << level;
            EXPECT_FLOAT_EQ(number(4, row, 2), limits.GetHarmVoltage(3)) << c.folder << " level " << level;
            EXPECT_FLOAT_EQ(number(4, row, 3), limits.GetHarmVoltage(2)) << c.folder << " level " << level;
            EXPECT_EQ(workbook.GetCell(5, {row, 0})->value, CExcelWorkbook::Value(limits.GetLevelName())) << c.folder;
            EXPECT_FLOAT_EQ(number(5, row, 1), limits.GetBaseCapacity()) << c.folder << " level " << level;
            for (int order = 2; order <= 25; ++order) {
                EXPECT_FLOAT_EQ(number(5, row, static_cast<std::uint16_t>(order)), limits.GetCurrent(order))
                    << c.folder << " level " << level << " order " << order;
            }
        }
        EXPECT_EQ(number(5, 4, 16), 9.7) << "a limit is the decimal it was written as";
    }
}

}  // namespace
