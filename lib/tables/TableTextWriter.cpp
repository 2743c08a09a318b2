#include "lib/tables/TableTextWriter.h"

#include <algorithm>
#include <cstring>

#include "lib/tables/Tabulist.h"

namespace tabulist {

namespace {

constexpr std::size_t kTimeWidth = 29;
// The table files are read on Windows (Notepad, Excel), where these tables have
// always ended their lines with CR LF.
constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kLineEndBytes = sizeof kLineEnd - 1;

}  // namespace

char* CTableTextWriter::WriteCell(const char* text, std::size_t length, char* out) const {
    if (m_fixedWidth) {
        return WriteAligned(text, length, out);
    }
    std::memcpy(out, text, length);
    out[length] = ',';
    return out + length + 1;
}

std::string CTableTextWriter::Header(const EncodedHeader& header) const {
    std::size_t bytes = header.name.size() + header.timeColumn.size() + kTimeWidth + 2 * kLineEndBytes + 2;
    for (const std::string& column : header.columns) {
        bytes += column.size() + kCellWidth + 1;
    }
    std::string text(bytes, '\0');
    char* out = text.data();
    std::memcpy(out, header.name.data(), header.name.size());
    out += header.name.size();
    if (!m_fixedWidth) {
        *out++ = ',';
    }
    out = std::copy_n(kLineEnd, kLineEndBytes, out);
    // The time header starts the line: it needs no space before it when it is wide.
    const std::string& time = header.timeColumn;
    if (!m_fixedWidth) {
        out = WriteCell(time.data(), time.size(), out);
    } else {
        if (time.size() < kTimeWidth) {
            out = std::fill_n(out, kTimeWidth - time.size(), ' ');
        }
        out = std::copy_n(time.data(), time.size(), out);
    }
    for (const std::string& column : header.columns) {
        out = WriteCell(column.data(), column.size(), out);
    }
    out = std::copy_n(kLineEnd, kLineEndBytes, out);
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

std::size_t CTableTextWriter::MaxRowBytes(std::size_t values) {
    return kTimeCellMaxBytes + 1 + values * (kFixed3MaxBytes + 1) + kLineEndBytes;
}

char* CTableTextWriter::WriteRow(std::int64_t time, bool microseconds, const std::vector<float>& values,
                                 char* out) {
    out = m_time.Write(time, microseconds, out);
    if (out == nullptr) {
        return nullptr;
    }
    if (!m_fixedWidth) {
        *out++ = ',';
    }
    for (const float value : values) {
        if (value == kTabulistEmptyCell) {
            out = WriteCell("-", 1, out);
        } else if (m_fixedWidth) {
            out = WriteFixed3Aligned(value, out);
        } else {
            out = WriteFixed3(value, out);
            *out++ = ',';
        }
    }
    return std::copy_n(kLineEnd, kLineEndBytes, out);
}

}  // namespace tabulist
