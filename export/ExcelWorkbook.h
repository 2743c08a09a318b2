#pragma once
// CExcelWorkbook: a spreadsheet held in memory, as the spreadsheet report fills it:
// sheets of cells (text or number) with their cell formats, merged ranges and page
// setup. It is loaded from the report template, receives the report's values cell by
// cell and is written out as an .xlsx file through libxlsxwriter. Column widths are
// fitted to the texts at writing (East Asian wide characters count double), since the
// file format keeps no automatic fit. No formulas: every cell holds a value.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A cell position, zero-based.
struct ExcelCellRef {
    std::uint32_t row = 0;
    std::uint16_t column = 0;
    auto operator<=>(const ExcelCellRef&) const = default;
};

struct ExcelRange {
    ExcelCellRef first;
    ExcelCellRef last;
    bool Contains(ExcelCellRef cell) const;
};

// "C12" or "c4" (letters, then the row from 1), within the format's 16384 columns and
// 1048576 rows; nothing for any other text.
std::optional<ExcelCellRef> ParseCellRef(std::wstring_view text);
// "A1:R1" or a single cell, the first corner above and left of the last.
std::optional<ExcelRange> ParseRangeRef(std::wstring_view text);
// The column letters of a zero-based column ("A", "AA").
std::wstring ColumnLetters(std::uint16_t column);

// The number a text stands for when it is written into a cell: a decimal number
// (sign, digits, point, exponent), nothing else around it; nothing for other texts.
std::optional<double> ParseCellNumber(std::wstring_view text);

// The width of a text in character cells: 2 for East Asian wide characters, else 1.
std::size_t DisplayWidth(std::wstring_view text);

enum class ExcelAlign { General, Left, Center, Right };

struct ExcelFormat {
    std::string fontName = "Arial";
    double fontSize = 10.0;
    bool bold = false;
    ExcelAlign align = ExcelAlign::General;
    bool border = false;                 // a thin line on every side
    std::optional<std::uint32_t> fill;  // background, 0xRRGGBB
    std::string numberFormat;           // "0.000"; empty: general
};

class CExcelWorkbook {
public:
    using Value = std::variant<std::monostate, double, std::wstring>;

    struct Cell {
        Value value;
        int format = -1;  // index into the formats; -1: none
    };

    struct Sheet {
        std::wstring name;
        std::map<ExcelCellRef, Cell> cells;
        std::vector<ExcelRange> merges;
        bool landscape = false;
        bool fitToWidth = false;  // printed one page wide
    };

    int AddFormat(ExcelFormat format);
    const std::vector<ExcelFormat>& GetFormats() const { return m_Formats; }

    // The index of a new, empty sheet.
    std::size_t AddSheet(std::wstring name);
    std::size_t GetSheetCount() const { return m_Sheets.size(); }
    Sheet& GetSheet(std::size_t index) { return m_Sheets.at(index); }
    const Sheet& GetSheet(std::size_t index) const { return m_Sheets.at(index); }

    // Sets the value of a cell, keeping its format. False for a sheet that does not
    // exist and for a cell that a merged range covers without being its first cell.
    bool SetValue(std::size_t sheet, ExcelCellRef cell, Value value);
    // The value of a typed-in text: a number when the text is one, else the text.
    bool SetText(std::size_t sheet, ExcelCellRef cell, std::wstring_view text);
    // The cell, or null when nothing was put there.
    const Cell* GetCell(std::size_t sheet, ExcelCellRef cell) const;

    // Width of every column that holds a cell outside a merged range, in character
    // cells of the default font: the widest text as the cell shows it, scaled by its
    // font size, plus a margin.
    std::map<std::uint16_t, double> FitColumnWidths(std::size_t sheet) const;

    // Writes the workbook as an .xlsx file, replacing `file`. False, with the reason
    // in `error`, when it cannot be written; the file is then unusable and the caller
    // removes it.
    bool Write(const std::filesystem::path& file, std::string& error) const;

private:
    std::vector<ExcelFormat> m_Formats;
    std::vector<Sheet> m_Sheets;
};
