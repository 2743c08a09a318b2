// The spreadsheet report's workbook operations: open the template, write cells of
// numbered sheets, save a copy under a name of its own, close.

#include <gtest/gtest.h>

#include "XlsxReader.h"
#include "export/ExcelAutomation.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace {

using exporttest::ReadXlsx;
using exporttest::XlsxValue;

std::filesystem::path ChineseTemplate()
{
    return platform::ProgramFolder() / "Language" / "Chinese" / "ExcelTemplate.xml";
}

std::vector<std::string> FileNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : platform::ListSorted(folder)) {
        names.push_back(platform::PathToUtf8(entry.path().filename()));
    }
    return names;
}

TEST(ExcelAutomation, NothingWithoutAWorkbook)
{
    CExcelAutomation automation;
    testsupport::TempDir dir;
    EXPECT_FALSE(automation.OpenWorkbook(platform::FromPath(dir / "ExcelTemplate.xml")));
    EXPECT_FALSE(automation.IsOpen());
    EXPECT_FALSE(automation.SetCellText(L"C4", L"x", L"1"));
    EXPECT_FALSE(automation.SaveAs(platform::FromPath(dir / "out.xlsx")));
    EXPECT_TRUE(FileNames(dir.Path()).empty());
}

TEST(ExcelAutomation, CellsOfNumberedSheets)
{
    CExcelAutomation automation;
    ASSERT_TRUE(automation.OpenWorkbook(platform::FromPath(ChineseTemplate())));
    EXPECT_TRUE(automation.SetCellFloat(L"C13", 0.5f, L"1"));
    EXPECT_TRUE(automation.SetCellUInt(L"c13", 7, L"4")) << "any case";
    EXPECT_TRUE(automation.SetCellText(L"c4", L"城南变电站", L"3")) << "the first cell of a merged range";
    EXPECT_TRUE(automation.SetCellText(L"K20", L"+7/-7", L"3"));
    EXPECT_TRUE(automation.SetCellFloat(L"R38", 2.0f, L"1"));

    struct Refused {
        const char* name;
        const wchar_t* cell;
        const wchar_t* sheet;
    };
    const Refused refused[] = {
        {"sheet 0", L"C13", L"0"},          {"sheet past the last", L"C13", L"7"},
        {"empty sheet", L"C13", L""},       {"sheet not a number", L"C13", L"电压报表"},
        {"negative sheet", L"C13", L"-1"},  {"not a cell", L"13C", L"1"},
        {"inside a merged range", L"D4", L"1"},
    };
    for (const Refused& r : refused) {
        EXPECT_FALSE(automation.SetCellText(r.cell, L"1", r.sheet)) << r.name;
    }

    testsupport::TempDir dir;
    ASSERT_TRUE(automation.SaveAs(platform::FromPath(dir / "out.xlsx")));
    const auto book = ReadXlsx(dir / "out.xlsx");
    ASSERT_TRUE(book);
    ASSERT_EQ(book->sheets.size(), 6u);
    EXPECT_EQ(book->sheets[0].At("C13"), XlsxValue(0.5)) << "\"0.500000\" typed in is a number";
    EXPECT_EQ(book->sheets[3].At("C13"), XlsxValue(7.0));
    EXPECT_EQ(book->sheets[2].At("C4"), XlsxValue(L"城南变电站")) << "sheet 3 is the third sheet";
    EXPECT_EQ(book->sheets[2].At("K20"), XlsxValue(L"+7/-7"));
    EXPECT_EQ(book->sheets[0].At("R38"), XlsxValue(2.0));
    EXPECT_EQ(book->sheets[0].At("D13"), XlsxValue(L"——")) << "a cell not written keeps the template's text";
}

// Each copy takes a name of its own; an earlier report and the template are never
// touched, and a failed save leaves nothing behind.
TEST(ExcelAutomation, CopiesAreSavedUnderNamesOfTheirOwn)
{
    const auto templateBytes = platform::ReadFileBytes(ChineseTemplate());
    ASSERT_TRUE(templateBytes);
    testsupport::TempDir dir;
    CExcelAutomation automation;
    ASSERT_TRUE(automation.OpenWorkbook(platform::FromPath(ChineseTemplate())));

    ASSERT_TRUE(automation.SetCellText(L"C4", L"first", L"1"));
    ASSERT_TRUE(automation.SaveAs(platform::FromPath(dir / "数据_10-00-00.xlsx")));
    EXPECT_EQ(automation.GetSavedPath(), platform::FromPath(dir / "数据_10-00-00.xlsx"));
    ASSERT_TRUE(automation.SetCellText(L"C4", L"second", L"1"));
    ASSERT_TRUE(automation.SaveAs(platform::FromPath(dir / "数据_10-00-00.xlsx")));
    EXPECT_EQ(automation.GetSavedPath(), platform::FromPath(dir / "数据_10-00-00(2).xlsx"));
    ASSERT_TRUE(automation.SaveAs(platform::FromPath(dir / "数据_10-00-00.xlsx")));
    EXPECT_EQ(automation.GetSavedPath(), platform::FromPath(dir / "数据_10-00-00(3).xlsx"));

    EXPECT_EQ(FileNames(dir.Path()),
              (std::vector<std::string>{"数据_10-00-00(2).xlsx", "数据_10-00-00(3).xlsx", "数据_10-00-00.xlsx"}));
    const auto first = ReadXlsx(dir / "数据_10-00-00.xlsx");
    const auto second = ReadXlsx(dir / "数据_10-00-00(2).xlsx");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->sheets[0].At("C4"), XlsxValue(L"first"));
    EXPECT_EQ(second->sheets[0].At("C4"), XlsxValue(L"second"));
    EXPECT_EQ(platform::ReadFileBytes(ChineseTemplate()), templateBytes);

    EXPECT_FALSE(automation.SaveAs(platform::FromPath(dir / "missing" / "out.xlsx")));
    EXPECT_EQ(FileNames(dir.Path()).size(), 3u);

    automation.Quit();
    EXPECT_FALSE(automation.IsOpen());
    EXPECT_FALSE(automation.SaveAs(platform::FromPath(dir / "after.xlsx")));
}

}  // namespace
