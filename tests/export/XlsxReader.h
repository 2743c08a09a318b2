#pragma once
// Reads an .xlsx file back the way a spreadsheet program sees it: the sheets in
// their order with their names, every cell's value (number or text), the merged
// ranges and the column widths. Only what the report tests check is read.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace exporttest {

using XlsxValue = std::variant<std::monostate, double, std::wstring>;

struct XlsxSheet {
    std::wstring name;
    std::map<std::string, XlsxValue> cells;  // by reference, "C13"
    std::vector<std::string> merges;         // "A1:R1"
    std::map<int, double> widths;            // by column number from 1
    bool hasFormula = false;

    // The cell's value; nothing for a cell the file does not hold.
    XlsxValue At(const std::string& ref) const;
};

struct XlsxBook {
    std::vector<XlsxSheet> sheets;
};

// The workbook, or nothing (and a test failure) when the file is not one.
std::optional<XlsxBook> ReadXlsx(const std::filesystem::path& file);

// Text of a value for failure messages.
std::string Describe(const XlsxValue& value);

}  // namespace exporttest
