#pragma once
// Helpers of the exporter tests: a process-wide set-up (own program folder, a fixed
// time zone), suppliers with known samples, sources built from them, and a small
// reader of the written CSV files.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "export/ExportSource.h"
#include "terminal/ZVDataManager.h"

namespace exporttest {

// A supplier of known samples; GetCount may be told to answer another count.
class Samples : public IZVDataManager {
public:
    explicit Samples(std::vector<double> values) : m_values(std::move(values)), m_count(m_values.size()) {}
    std::uint64_t GetCount() override { return m_count; }
    bool GetValue(std::int64_t index, double* value) override;
    void SetCount(std::uint64_t count) { m_count = count; }

private:
    std::vector<double> m_values;
    std::uint64_t m_count;
};

// Owns the suppliers of a source it builds.
struct SourceBuilder {
    ExportSource source;
    std::vector<std::unique_ptr<IZVDataManager>> owned;

    // Appends a supplier with its key.
    SourceBuilder& Add(ExportKey key, std::vector<double> values);
    SourceBuilder& Add(ExportKey key, std::unique_ptr<IZVDataManager> supplier);
};

// `count` samples: first, first + 1, ...
std::vector<double> Ramp(std::size_t count, double first = 1.0);

// One CSV file as written: its lines (ending in CR LF) split at the commas, the empty cell after the
// final comma of each line dropped. Texts are decoded from code page 936.
using CsvRows = std::vector<std::vector<std::wstring>>;
CsvRows ReadCsv(const std::filesystem::path& file);
// The same for a path as an exporter names it.
CsvRows ReadCsv(const std::wstring& file);

// The ".csv" files of a folder, sorted by name.
std::vector<std::filesystem::path> CsvFiles(const std::filesystem::path& folder);

// The one ".csv" file of the folder whose name starts with the prefix; empty (and a
// test failure) when there is none or more than one.
std::filesystem::path CsvFile(const std::filesystem::path& folder, const std::wstring& prefix);

std::wstring Wide(const std::filesystem::path& path);
std::string Narrow(const std::wstring& text);

// "%.3f" of a value narrowed to a float, as the table library writes it.
std::wstring Cell(double value);

// The time cell of a local time (the tests run in China Standard Time).
std::wstring TimeCell(int year, int month, int day, int hour, int minute, int second, int millisecond,
                      int microsecond = -1);

}  // namespace exporttest

namespace exporttest {

inline ExportKey Channel(int orderKey, int type)
{
    return ExportKey{orderKey, 4, -1, 0, type};
}

inline ExportKey Item(int type, int phase, int statistic, int order = -1, int valueKind = 0)
{
    return ExportKey{phase, statistic, order, valueKind, type};
}

}  // namespace exporttest
