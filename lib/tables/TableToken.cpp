#include "lib/tables/TableToken.h"

#include <utility>

CTableToken::CTableToken(std::wstring name, std::vector<std::wstring> columns)
    : m_name(std::move(name)), m_columns(std::move(columns)) {}

void CTableToken::Release() { delete this; }

bool CTableToken::AddRow(std::int64_t time, const std::vector<float>& values) {
    // A row before 1970 has no calendar time to write; refusing it here keeps one
    // bad row from silently ending the table when it is saved.
    if (time <= 0 || values.size() != m_columns.size()) {
        return false;
    }
    try {
        m_rows.push_back(std::make_shared<const CRecord>(CRecord{time, values}));
    } catch (...) {
        return false;
    }
    return true;
}

bool CTableToken::GetHeader(std::wstring& name, std::vector<std::wstring>& columns) {
    if (m_name.empty() || m_columns.empty()) {
        return false;
    }
    try {
        name = m_name;
        columns = m_columns;
    } catch (...) {
        return false;
    }
    return true;
}

bool CTableToken::GetRow(int index, std::int64_t& time, std::vector<float>& values) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_rows.size()) {
        return false;
    }
    values.clear();
    const CRecord& row = *m_rows[static_cast<std::size_t>(index)];
    if (row.time <= 0 || row.values.empty()) {
        return false;
    }
    time = row.time;
    try {
        values = row.values;
    } catch (...) {
        return false;
    }
    return true;
}

void CTableToken::SetFlag(bool flag) { m_flag = flag; }

bool CTableToken::GetFlag() { return m_flag; }
