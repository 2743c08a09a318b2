// The writer of the table library and the library's two exported factories.

#include "lib/tables/Tabulist.h"

#include <cerrno>
#include <ctime>
#include <memory>
#include <new>
#include <optional>
#include <unordered_set>

#include "lib/tables/TableFile.h"
#include "lib/tables/TableTextWriter.h"
#include "lib/tables/TableToken.h"
#include "lib/tables/TabulistTexts.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"

namespace {

using tabulist::EncodedHeader;

struct TableText {
    const CTableToken* table;
    std::wstring name;
    std::wstring timeColumn;
    std::vector<std::wstring> columns;
};

// The texts in code page 936; when one of them has no form there, every text in
// UTF-8 (the file then starts with a byte-order mark): never a "?" in its place.
std::vector<EncodedHeader> Encode(const std::vector<TableText>& tables, bool& utf8) {
    std::vector<EncodedHeader> headers;
    for (const TableText& table : tables) {
        EncodedHeader header;
        std::optional<std::string> name = platform::WideToGbk(table.name);
        std::optional<std::string> time = platform::WideToGbk(table.timeColumn);
        if (!name || !time) {
            break;
        }
        header.name = std::move(*name);
        header.timeColumn = std::move(*time);
        for (const std::wstring& column : table.columns) {
            std::optional<std::string> bytes = platform::WideToGbk(column);
            if (!bytes) {
                break;
            }
            header.columns.push_back(std::move(*bytes));
        }
        if (header.columns.size() != table.columns.size()) {
            break;
        }
        headers.push_back(std::move(header));
    }
    utf8 = headers.size() != tables.size();
    if (utf8) {
        headers.clear();
        for (const TableText& table : tables) {
            EncodedHeader header{platform::WideToUtf8(table.name), platform::WideToUtf8(table.timeColumn), {}};
            for (const std::wstring& column : table.columns) {
                header.columns.push_back(platform::WideToUtf8(column));
            }
            headers.push_back(std::move(header));
        }
    }
    return headers;
}

class CTabulist final : public ITabulist {
public:
    CTabulist() = default;
    CTabulist(const CTabulist&) = delete;
    CTabulist& operator=(const CTabulist&) = delete;
    ~CTabulist() override { ClearTables(false); }

    bool Save(const std::wstring& path, int format) override;
    bool AddTable(ITable* table) override;
    bool ClearTables(bool release) override;
    void Release() override { delete this; }
    std::wstring GetSavedPath() override {
        try {
            return m_savedPath;
        } catch (...) {
            return {};
        }
    }
    int GetSaveError() override { return m_saveError; }

private:
    bool SaveTables(const std::wstring& path, int format);

    std::vector<std::unique_ptr<CTableToken>> m_tables;
    std::wstring m_savedPath;
    int m_saveError = 0;
};

bool CTabulist::Save(const std::wstring& path, int format) {
    m_saveError = 0;
    try {
        return SaveTables(path, format);
    } catch (const std::bad_alloc&) {
        m_saveError = ENOMEM;
    } catch (...) {
        m_saveError = EIO;
    }
    return false;
}

bool CTabulist::SaveTables(const std::wstring& path, int format) {
    if (format != kTabulistCsv && format != kTabulistText) {
        m_saveError = EINVAL;
        return false;
    }
    const CTinyResourceManager& texts = tabulist::Texts();
    std::vector<TableText> tables;
    for (const auto& table : m_tables) {
        TableText text{table.get(), {}, {}, {}};
        if (!table->GetHeader(text.name, text.columns)) {
            continue;  // a table without a header is not written
        }
        text.timeColumn = texts.GetString(table->GetFlag() ? tabulist::kTextTimeMicroseconds
                                                           : tabulist::kTextTimeMilliseconds);
        tables.push_back(std::move(text));
    }
    bool utf8 = false;
    const std::vector<EncodedHeader> headers = Encode(tables, utf8);

    const std::wstring clock = platform::FormatLocalTime(std::time(nullptr), L"_%H-%M-%S", 100);
    if (clock.empty()) {
        m_saveError = EINVAL;
        return false;
    }
    std::optional<tabulist::CTableFile> file =
        tabulist::CTableFile::Create(path + clock, format == kTabulistCsv ? L".csv" : L".txt", m_saveError);
    if (!file) {
        return false;
    }
    // Whatever fails below, the file's own error says why.
    const auto failed = [&] {
        m_saveError = file->Error() != 0 ? file->Error() : EIO;
        return false;
    };
    if (utf8 && !file->Append("\xEF\xBB\xBF")) {
        return failed();
    }
    tabulist::CTableTextWriter writer(format == kTabulistText);
    for (std::size_t t = 0; t < tables.size(); ++t) {
        if (!file->Append(writer.Header(headers[t]))) {
            return failed();
        }
        const CTableToken& table = *tables[t].table;
        const bool microseconds = table.Flag();
        // The first row that cannot be written ends the table. The rows are read in
        // place: every row a table accepted has a time after 1970 and its values.
        for (const auto& row : table.Rows()) {
            char* out = file->Claim(tabulist::CTableTextWriter::MaxRowBytes(row->values.size()));
            if (out == nullptr) {
                return failed();
            }
            char* end = writer.WriteRow(row->time, microseconds, row->values, out);
            if (end == nullptr) {
                break;
            }
            file->Commit(end);
        }
    }
    if (!file->Finish()) {
        return failed();
    }
    m_savedPath = file->Path();
    return true;
}

bool CTabulist::AddTable(ITable* table) {
    const auto* token = dynamic_cast<const CTableToken*>(table);
    if (token == nullptr) {
        return false;
    }
    try {
        m_tables.push_back(std::make_unique<CTableToken>(*token));
    } catch (...) {
        return false;
    }
    return true;
}

bool CTabulist::ClearTables(bool release) {
    for (auto& table : m_tables) {
        if (release) {
            table.release()->Release();
        } else {
            table.reset();
        }
    }
    m_tables.clear();
    return true;
}

}  // namespace

extern "C" {

ITabulist* Tabulist_CreateTabulist() {
    try {
        return new CTabulist();
    } catch (...) {
        return nullptr;
    }
}

ITable* Tabulist_CreateTable(const std::wstring& name, const std::vector<std::wstring>& columns) {
    try {
        if (name.empty() || columns.empty()) {
            return nullptr;
        }
        const std::wstring reserved = tabulist::Texts().GetString(tabulist::kTextReservedColumn);
        std::unordered_set<std::wstring> seen;
        for (const std::wstring& column : columns) {
            if (column == reserved || !seen.insert(column).second) {
                return nullptr;
            }
        }
        return new CTableToken(name, columns);
    } catch (...) {
        return nullptr;
    }
}

}  // extern "C"
