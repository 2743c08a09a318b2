#pragma once
// Helpers of the table library tests: times in a fixed zone, tables built in one
// call, and the file of the last save.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "lib/tables/Tabulist.h"

namespace tablestest {

// The tests run in China Standard Time (UTC+8, no daylight saving).
void UseChinaTime();

// Nanoseconds since 1970 UTC of a local time in China Standard Time.
std::int64_t ChinaTime(int year, unsigned month, unsigned day, int hour, int minute, int second,
                       std::int64_t nanoseconds = 0);

struct Row {
    std::int64_t time;
    std::vector<float> values;
};

struct TableSpec {
    std::wstring name;
    std::vector<std::wstring> columns;
    bool microseconds = false;
    std::vector<Row> rows;
};

// Saves the tables into a new file below `folder` (stem "out") and returns its
// path; empty when a step fails (the test then reports which).
std::filesystem::path SaveTables(const std::vector<TableSpec>& tables, const std::filesystem::path& folder,
                                 int format);

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder);

}  // namespace tablestest
