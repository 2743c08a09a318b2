#pragma once
// The lines of one table in a table file. Comma-separated: every cell is followed
// by a comma, so every line ends with one. Fixed width: the time header is
// right-aligned to 29 bytes and column names and values to 16, with no separator
// but the fill; a cell that fills or overflows its width still gets one space
// before it, so that neighbouring cells never run together. Times take 25 bytes
// (29 with microseconds) in both forms, starting with two spaces.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lib/tables/CellFormat.h"

namespace tabulist {

// A table's texts as bytes in the file's encoding (widths count these bytes).
struct EncodedHeader {
    std::string name;
    std::string timeColumn;
    std::vector<std::string> columns;
};

class CTableTextWriter {
public:
    explicit CTableTextWriter(bool fixedWidth) : m_fixedWidth(fixedWidth) {}

    // The name line and the column line.
    std::string Header(const EncodedHeader& header) const;
    // The most bytes a row of that many values takes.
    static std::size_t MaxRowBytes(std::size_t values);
    // Writes one row line and returns its end; null when the time cannot be written.
    char* WriteRow(std::int64_t time, bool microseconds, const std::vector<float>& values, char* out);

private:
    // A column name or an empty-cell marker.
    char* WriteCell(const char* text, std::size_t length, char* out) const;

    bool m_fixedWidth;
    CRowTimeFormat m_time;
};

}  // namespace tabulist
