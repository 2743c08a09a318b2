#include "tests/tables/TablesTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "platform/base/Encoding.h"

namespace tablestest {

void UseChinaTime() {
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
}

std::int64_t ChinaTime(int year, unsigned month, unsigned day, int hour, int minute, int second,
                       std::int64_t nanoseconds) {
    using namespace std::chrono;
    const sys_days date = std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day};
    const auto utc = date + hours{hour - 8} + minutes{minute} + seconds{second};
    return duration_cast<std::chrono::nanoseconds>(utc.time_since_epoch()).count() + nanoseconds;
}

std::filesystem::path SaveTables(const std::vector<TableSpec>& tables, const std::filesystem::path& folder,
                                 int format) {
    ITabulist* writer = Tabulist_CreateTabulist();
    if (writer == nullptr) {
        ADD_FAILURE() << "no writer";
        return {};
    }
    bool built = true;
    for (const TableSpec& wanted : tables) {
        ITable* table = Tabulist_CreateTable(wanted.name, wanted.columns);
        if (table == nullptr) {
            ADD_FAILURE() << "table refused: " << platform::WideToUtf8(wanted.name);
            built = false;
            break;
        }
        table->SetFlag(wanted.microseconds);
        for (const Row& row : wanted.rows) {
            if (!table->AddRow(row.time, row.values)) {
                ADD_FAILURE() << "row refused in " << platform::WideToUtf8(wanted.name) << " at " << row.time;
                built = false;
            }
        }
        built = writer->AddTable(table) && built;
        table->Release();
    }
    std::filesystem::path saved;
    if (built && writer->Save(platform::FromPath(folder / "out"), format)) {
        saved = platform::ToPath(std::wstring_view(writer->GetSavedPath()));
    }
    writer->Release();
    return saved;
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace tablestest
