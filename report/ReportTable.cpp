#include "report/ReportTable.h"

namespace {

template <typename T>
std::size_t CopyOut(const std::vector<T>& source, std::vector<T>& target)
{
    target = source;
    return target.size();
}

}  // namespace

std::size_t CReportHeader::AddColumn(const CReportColumn& column)
{
    m_Columns.push_back(column);
    return m_Columns.size();
}

std::size_t CReportHeader::GetColumns(std::vector<CReportColumn>& columns) const
{
    return CopyOut(m_Columns, columns);
}

std::size_t CReportRow::AddValues(const CReportRowValues& values)
{
    m_Values.push_back(values);
    return m_Values.size();
}

std::size_t CReportRow::GetValues(std::vector<CReportRowValues>& values) const
{
    return CopyOut(m_Values, values);
}

std::size_t CReportTable::AddRow(const CReportRow& row)
{
    m_Rows.push_back(row);
    return m_Rows.size();
}

std::size_t CReportTable::AddHeader(const CReportHeader& header)
{
    m_Headers.push_back(header);
    return m_Headers.size();
}

std::size_t CReportTable::GetRows(std::vector<CReportRow>& rows) const
{
    return CopyOut(m_Rows, rows);
}

std::size_t CReportTable::GetHeaders(std::vector<CReportHeader>& headers) const
{
    return CopyOut(m_Headers, headers);
}
