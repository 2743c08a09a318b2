#pragma once
// The table export library Tabulist: named tables of timed rows, written one after
// another into a single comma-separated (".csv") or fixed-width (".txt") file in
// code page 936.
//
// Calling order: Tabulist_CreateTabulist; Tabulist_CreateTable (null ends the
// export); optionally SetFlag(true); AddRow per row; AddTable; Save; Release on the
// table; Release on the writer. Objects are freed only through their Release.
// No exception leaves the library: failures are null or false results.

#include <cstdint>
#include <string>
#include <vector>

#define TABULIST_API __attribute__((visibility("default")))

// One table: a name, column names (without the time column) and rows of a time
// (nanoseconds since 1970-01-01 00:00:00 UTC) and one value per column.
class ITable {
protected:
    virtual ~ITable() = default;

public:
    virtual void Release() = 0;
    // False, and nothing added, when the number of values differs from the number
    // of columns or the time is not after 1970-01-01 00:00:00 UTC.
    virtual bool AddRow(std::int64_t time, const std::vector<float>& values) = 0;
    virtual bool GetHeader(std::wstring& name, std::vector<std::wstring>& columns) = 0;
    virtual bool GetRow(int index, std::int64_t& time, std::vector<float>& values) = 0;
    // True: times are written to the microsecond; false: rounded to the millisecond.
    virtual void SetFlag(bool flag) = 0;
    virtual bool GetFlag() = 0;
};

// A set of tables written into one file.
class ITabulist {
protected:
    virtual ~ITabulist() = default;

public:
    // Writes every held table into a new file named path + "_HH-MM-SS" (local time
    // of the call) + ".csv" (format 0) or ".txt" (format 1). The file gets its name
    // only once it is complete, and an existing file is never replaced: a name
    // already taken gets "(2)", "(3)", ... before the extension. False when the
    // format is unknown, the file cannot be written or its name would take 1024
    // bytes or more; nothing is then left in the folder.
    virtual bool Save(const std::wstring& path, int format) = 0;
    // Keeps a copy of a table made by Tabulist_CreateTable: rows added to the
    // caller's table afterwards are not in it. The caller still releases its table.
    virtual bool AddTable(ITable* table) = 0;
    // Drops every held table; with release true each goes through its Release.
    virtual bool ClearTables(bool release) = 0;
    virtual void Release() = 0;
    // The full path of the file the last successful Save wrote; empty before.
    virtual std::wstring GetSavedPath() = 0;
    // Why the last Save failed: the system's error number (ENOSPC when the disk is
    // full), EINVAL for an unknown format; 0 after a successful Save.
    virtual int GetSaveError() = 0;
};

inline constexpr int kTabulistCsv = 0;
inline constexpr int kTabulistText = 1;

// "No value": written as "-" in its cell (2^32 - 2^16, exact in a float).
inline constexpr float kTabulistEmptyCell = 4294901760.0f;

extern "C" {
// A new writer, or null when memory runs out.
TABULIST_API ITabulist* Tabulist_CreateTabulist();
// A new table without rows, or null when the name is empty, there are no columns,
// a column bears the reserved name (language text 2000, "日期") or two columns are
// equal (compared exactly, case counts).
TABULIST_API ITable* Tabulist_CreateTable(const std::wstring& name, const std::vector<std::wstring>& columns);
}
