#pragma once
// CExcelTemplate: reads the spreadsheet report's template, "ExcelTemplate.xml" in
// the language's folder, into a workbook. The template is a UTF-8 XML document:
//
//   <ExcelTemplate>
//     <Format name="value" font="Arial" size="10" bold="1" align="center"
//             border="1" fill="D9E1F2" numberFormat="0.000"/>
//     <Sheet name="电压报表" landscape="1" fitToWidth="1">
//       <Fill range="C13:Q38" format="value">——</Fill>
//       <Cell ref="A1:R1" format="title">电压统计报表</Cell>
//       <LimitTable kind="voltage" ref="A4" format="value" labelFormat="label"/>
//     </Sheet>
//   </ExcelTemplate>
//
// Formats come first and are named; every attribute of a format is optional. Sheets
// stand in the order the report addresses them. Within a sheet the elements apply
// in order, a later one replacing what an earlier one put into a cell:
// - Fill gives every cell of the range the format and the text (none: an empty cell);
// - Cell puts the text with the format into one cell; a range merges its cells;
// - LimitTable writes the national-standard limits of the seven voltage levels from
//   the given cell on, one level per row: "voltage" gives the level, the THD limit
//   and the odd and even harmonic limits (percent); "current" gives the level, its
//   base short-circuit capacity (MVA) and the current allowances of the orders 2 to
//   25 (A). The numbers come from the program's limit table, not from the file.
// Texts are stored as texts. A file that breaks any of this is refused whole.

#include <filesystem>

class CExcelWorkbook;

class CExcelTemplate {
public:
    // True and the template in `workbook`, replacing what it held; false, and
    // `workbook` unchanged, when the file cannot be read or is not a template.
    static bool Load(const std::filesystem::path& file, CExcelWorkbook& workbook);
};
