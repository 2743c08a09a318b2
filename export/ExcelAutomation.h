#pragma once
// CExcelAutomation: the spreadsheet report's only contact with its workbook. It opens
// the report template into an in-process workbook, writes single cells of the
// template's sheets (a sheet is named by its 1-based position as decimal text, a cell
// by its A1 reference) and saves a copy of the filled workbook as an .xlsx file. The
// template file itself is never written.
//
// A value is handed over as text, as typed into a cell: text that is a decimal
// number becomes a number cell. Every operation reports whether it succeeded.

#include <cstdint>
#include <memory>
#include <string>

class CExcelWorkbook;

class CExcelAutomation {
public:
    CExcelAutomation();
    ~CExcelAutomation();
    CExcelAutomation(const CExcelAutomation&) = delete;
    CExcelAutomation& operator=(const CExcelAutomation&) = delete;

    // Opens the template; false when it is missing, unreadable or not a template.
    bool OpenWorkbook(const std::wstring& path);
    bool IsOpen() const { return m_Workbook != nullptr; }

    // False when no workbook is open, the sheet number names no sheet, the cell is not
    // an A1 reference, or it lies inside a merged range without being its first cell.
    bool SetCellText(const std::wstring& cell, const std::wstring& value, const std::wstring& sheet);
    // The value as "%f" writes it (six decimals: 0.5 is "0.500000").
    bool SetCellFloat(const std::wstring& cell, float value, const std::wstring& sheet);
    // The value as "%u" writes it.
    bool SetCellUInt(const std::wstring& cell, std::uint32_t value, const std::wstring& sheet);

    // Saves a copy of the workbook as `path`. The name is taken exclusively: when a
    // file of that name exists, the copy is named with "(2)", "(3)"... before its
    // extension instead, and an existing file is never replaced. The copy is written
    // under a temporary name in the same folder and renamed only when complete, so a
    // failure leaves no file behind. False when no workbook is open or the copy
    // cannot be written.
    bool SaveAs(const std::wstring& path);
    // The name the last successful SaveAs chose.
    const std::wstring& GetSavedPath() const { return m_SavedPath; }

    // Closes the workbook without saving.
    void Quit();

private:
    std::unique_ptr<CExcelWorkbook> m_Workbook;
    std::wstring m_SavedPath;
};
