#pragma once
// One table of the library: a name, its columns and its rows. Copies share the row
// records, so a writer's copy costs no row data and a record lives as long as the
// last table that holds it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lib/tables/Tabulist.h"

class CTableToken final : public ITable {
public:
    struct CRecord {
        std::int64_t time = 0;
        std::vector<float> values;
    };

    CTableToken(std::wstring name, std::vector<std::wstring> columns);
    CTableToken(const CTableToken&) = default;
    CTableToken& operator=(const CTableToken&) = delete;
    ~CTableToken() override = default;

    void Release() override;
    bool AddRow(std::int64_t time, const std::vector<float>& values) override;
    bool GetHeader(std::wstring& name, std::vector<std::wstring>& columns) override;
    bool GetRow(int index, std::int64_t& time, std::vector<float>& values) override;
    void SetFlag(bool flag) override;
    bool GetFlag() override;

    const std::wstring& Name() const { return m_name; }
    const std::vector<std::wstring>& Columns() const { return m_columns; }
    const std::vector<std::shared_ptr<const CRecord>>& Rows() const { return m_rows; }
    bool Flag() const { return m_flag; }

private:
    std::wstring m_name;
    std::vector<std::wstring> m_columns;
    std::vector<std::shared_ptr<const CRecord>> m_rows;
    bool m_flag = false;
};
