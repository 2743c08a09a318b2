#pragma once
// The report table records: CReportHeader (the header line: a corner text and the
// columns left to right), CReportRow (one band of the grid: a label, a height class
// 1 low to 4 high, and one values line, or several drawn as sub-lines) and
// CReportTable (rows top to bottom and header records; the first header gives the
// columns, a table without one is drawn as label and note pairs). Plain values:
// adding copies in, getters copy out and empty the caller's list first.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "report/ReportColumn.h"
#include "report/ReportRowValues.h"

class CReportHeader {
public:
    explicit CReportHeader(std::wstring cornerText = {}) : m_Name(std::move(cornerText)) {}

    std::wstring GetName() const { return m_Name; }
    std::size_t AddColumn(const CReportColumn& column);
    std::size_t GetColumns(std::vector<CReportColumn>& columns) const;
    const std::vector<CReportColumn>& Columns() const { return m_Columns; }

private:
    std::wstring m_Name;
    std::vector<CReportColumn> m_Columns;
};

class CReportRow {
public:
    CReportRow(std::wstring label, std::int32_t heightClass) : m_Name(std::move(label)), m_Height(heightClass) {}

    std::wstring GetName() const { return m_Name; }
    std::size_t AddValues(const CReportRowValues& values);
    std::size_t GetValues(std::vector<CReportRowValues>& values) const;
    const std::vector<CReportRowValues>& Values() const { return m_Values; }
    std::int32_t GetHeightClass() const { return m_Height; }

private:
    std::wstring m_Name;
    std::vector<CReportRowValues> m_Values;
    std::int32_t m_Height = 0;
};

class CReportTable {
public:
    std::size_t AddRow(const CReportRow& row);
    std::size_t AddHeader(const CReportHeader& header);
    std::size_t GetRows(std::vector<CReportRow>& rows) const;
    std::size_t GetHeaders(std::vector<CReportHeader>& headers) const;
    const std::vector<CReportRow>& Rows() const { return m_Rows; }
    const std::vector<CReportHeader>& Headers() const { return m_Headers; }

private:
    std::vector<CReportRow> m_Rows;
    std::vector<CReportHeader> m_Headers;
};
