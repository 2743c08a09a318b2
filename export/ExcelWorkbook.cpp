#include "export/ExcelWorkbook.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cwctype>

#include "platform/base/Encoding.h"

namespace {

constexpr std::uint32_t kMaxRows = 1048576;
constexpr std::uint32_t kMaxColumns = 16384;
constexpr std::uint8_t kPaperA4 = 9;
// Widths are in character cells of an 11-point font.
constexpr double kReferenceFontSize = 11.0;
constexpr double kBoldWidening = 1.1;
constexpr double kColumnMargin = 1.5;
constexpr double kMinColumnWidth = 4.0;
constexpr double kMaxColumnWidth = 100.0;

bool IsAsciiDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

bool IsAsciiLetter(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

bool IsWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF) ||
           (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Decimal places of a number format made of zeros ("0", "0.000"); none for any other.
std::optional<int> FixedDecimals(const std::string& format)
{
    if (format.empty() || format.front() != '0') {
        return std::nullopt;
    }
    const std::size_t point = format.find('.');
    const std::string whole = format.substr(0, point);
    const std::string fraction = point == std::string::npos ? std::string() : format.substr(point + 1);
    if (whole.find_first_not_of('0') != std::string::npos || fraction.find_first_not_of('0') != std::string::npos) {
        return std::nullopt;
    }
    return static_cast<int>(fraction.size());
}

// The text a number shows in a cell of the format.
std::string ShownNumber(double value, const std::string& format)
{
    char buffer[64];
    const std::optional<int> decimals = FixedDecimals(format);
    const auto result = decimals ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, *decimals)
                                 : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("#");
}

lxw_format* MakeFormat(lxw_workbook* workbook, const ExcelFormat& format)
{
    lxw_format* made = workbook_add_format(workbook);
    if (made == nullptr) {
        return nullptr;
    }
    format_set_font_name(made, format.fontName.c_str());
    format_set_font_size(made, format.fontSize);
    if (format.bold) {
        format_set_bold(made);
    }
    switch (format.align) {
    case ExcelAlign::Left:
        format_set_align(made, LXW_ALIGN_LEFT);
        break;
    case ExcelAlign::Center:
        format_set_align(made, LXW_ALIGN_CENTER);
        break;
    case ExcelAlign::Right:
        format_set_align(made, LXW_ALIGN_RIGHT);
        break;
    case ExcelAlign::General:
        break;
    }
    format_set_align(made, LXW_ALIGN_VERTICAL_CENTER);
    if (format.border) {
        format_set_border(made, LXW_BORDER_THIN);
    }
    if (format.fill) {
        format_set_pattern(made, LXW_PATTERN_SOLID);
        format_set_bg_color(made, *format.fill);
    }
    if (!format.numberFormat.empty()) {
        format_set_num_format(made, format.numberFormat.c_str());
    }
    return made;
}

lxw_error WriteValue(lxw_worksheet* sheet, ExcelCellRef at, const CExcelWorkbook::Value& value, lxw_format* format)
{
    if (const auto* number = std::get_if<double>(&value)) {
        return worksheet_write_number(sheet, at.row, at.column, *number, format);
    }
    if (const auto* text = std::get_if<std::wstring>(&value)) {
        return worksheet_write_string(sheet, at.row, at.column, platform::WideToUtf8(*text).c_str(), format);
    }
    return format != nullptr ? worksheet_write_blank(sheet, at.row, at.column, format) : LXW_NO_ERROR;
}

const ExcelRange* FindMerge(const CExcelWorkbook::Sheet& sheet, ExcelCellRef cell)
{
    for (const ExcelRange& range : sheet.merges) {
        if (range.Contains(cell)) {
            return &range;
        }
    }
    return nullptr;
}

}  // namespace

bool ExcelRange::Contains(ExcelCellRef cell) const
{
    return cell.row >= first.row && cell.row <= last.row && cell.column >= first.column && cell.column <= last.column;
}

std::optional<ExcelCellRef> ParseCellRef(std::wstring_view text)
{
    std::size_t at = 0;
    std::uint32_t column = 0;
    while (at < text.size() && IsAsciiLetter(text[at]) && at < 3) {
        column = column * 26 + static_cast<std::uint32_t>(std::towupper(text[at]) - L'A' + 1);
        ++at;
    }
    if (at == 0 || column > kMaxColumns || at == text.size() || text[at] == L'0') {
        return std::nullopt;
    }
    std::uint32_t row = 0;
    for (; at < text.size(); ++at) {
        if (!IsAsciiDigit(text[at]) || row > kMaxRows) {
            return std::nullopt;
        }
        row = row * 10 + static_cast<std::uint32_t>(text[at] - L'0');
    }
    if (row == 0 || row > kMaxRows) {
        return std::nullopt;
    }
    return ExcelCellRef{row - 1, static_cast<std::uint16_t>(column - 1)};
}

std::optional<ExcelRange> ParseRangeRef(std::wstring_view text)
{
    const std::size_t colon = text.find(L':');
    const std::optional<ExcelCellRef> first = ParseCellRef(text.substr(0, colon));
    const std::optional<ExcelCellRef> last =
        colon == std::wstring_view::npos ? first : ParseCellRef(text.substr(colon + 1));
    if (!first || !last || last->row < first->row || last->column < first->column) {
        return std::nullopt;
    }
    return ExcelRange{*first, *last};
}

std::wstring ColumnLetters(std::uint16_t column)
{
    std::wstring letters;
    for (std::uint32_t rest = column + 1u; rest > 0; rest = (rest - 1) / 26) {
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (rest - 1) % 26));
    }
    return letters;
}

std::optional<double> ParseCellNumber(std::wstring_view text)
{
    std::string narrow;
    bool digits = false;
    for (const wchar_t c : text) {
        if (!IsAsciiDigit(c) && c != L'.' && c != L'-' && c != L'+' && c != L'e' && c != L'E') {
            return std::nullopt;
        }
        digits = digits || IsAsciiDigit(c);
        narrow.push_back(static_cast<char>(c));
    }
    if (!digits) {
        return std::nullopt;
    }
    // from_chars takes no leading plus.
    std::string_view number = narrow;
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::size_t DisplayWidth(std::wstring_view text)
{
    std::size_t width = 0;
    for (const wchar_t c : text) {
        width += IsWide(static_cast<char32_t>(c)) ? 2 : 1;
    }
    return width;
}

int CExcelWorkbook::AddFormat(ExcelFormat format)
{
    m_Formats.push_back(std::move(format));
    return static_cast<int>(m_Formats.size() - 1);
}

std::size_t CExcelWorkbook::AddSheet(std::wstring name)
{
    Sheet sheet;
    sheet.name = std::move(name);
    m_Sheets.push_back(std::move(sheet));
    return m_Sheets.size() - 1;
}

bool CExcelWorkbook::SetValue(std::size_t sheet, ExcelCellRef cell, Value value)
{
    if (sheet >= m_Sheets.size()) {
        return false;
    }
    Sheet& target = m_Sheets[sheet];
    const ExcelRange* merge = FindMerge(target, cell);
    if (merge != nullptr && merge->first != cell) {
        return false;
    }
    target.cells[cell].value = std::move(value);
    return true;
}

bool CExcelWorkbook::SetText(std::size_t sheet, ExcelCellRef cell, std::wstring_view text)
{
    if (const std::optional<double> number = ParseCellNumber(text)) {
        return SetValue(sheet, cell, *number);
    }
    return SetValue(sheet, cell, std::wstring(text));
}

const CExcelWorkbook::Cell* CExcelWorkbook::GetCell(std::size_t sheet, ExcelCellRef cell) const
{
    if (sheet >= m_Sheets.size()) {
        return nullptr;
    }
    const auto found = m_Sheets[sheet].cells.find(cell);
    return found == m_Sheets[sheet].cells.end() ? nullptr : &found->second;
}

std::map<std::uint16_t, double> CExcelWorkbook::FitColumnWidths(std::size_t sheet) const
{
    std::map<std::uint16_t, double> widths;
    const Sheet& source = m_Sheets.at(sheet);
    for (const auto& [at, cell] : source.cells) {
        const ExcelRange* merge = FindMerge(source, at);
        if (merge != nullptr && merge->first.column != merge->last.column) {
            continue;  // a text spread over several columns says nothing of one of them
        }
        const ExcelFormat* format = cell.format >= 0 ? &m_Formats[static_cast<std::size_t>(cell.format)] : nullptr;
        std::size_t characters = 0;
        if (const auto* number = std::get_if<double>(&cell.value)) {
            characters = ShownNumber(*number, format != nullptr ? format->numberFormat : std::string()).size();
        } else if (const auto* text = std::get_if<std::wstring>(&cell.value)) {
            characters = DisplayWidth(*text);
        }
        double width = static_cast<double>(characters);
        if (format != nullptr) {
            width *= std::max(1.0, format->fontSize / kReferenceFontSize) * (format->bold ? kBoldWidening : 1.0);
        }
        width = std::clamp(width + kColumnMargin, kMinColumnWidth, kMaxColumnWidth);
        double& column = widths[at.column];
        column = std::max(column, width);
    }
    return widths;
}

bool CExcelWorkbook::Write(const std::filesystem::path& file, std::string& error) const
{
    lxw_workbook* workbook = workbook_new(platform::PathToUtf8(file).c_str());
    if (workbook == nullptr) {
        error = "the workbook cannot be made";
        return false;
    }
    bool ok = true;
    auto check = [&ok, &error](lxw_error result) {
        if (ok && result != LXW_NO_ERROR) {
            ok = false;
            error = lxw_strerror(result);
        }
    };
    std::vector<lxw_format*> formats;
    for (const ExcelFormat& format : m_Formats) {
        formats.push_back(MakeFormat(workbook, format));
        if (formats.back() == nullptr) {
            check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        }
    }
    auto formatOf = [&formats](const Cell* cell) -> lxw_format* {
        return cell != nullptr && cell->format >= 0 ? formats[static_cast<std::size_t>(cell->format)] : nullptr;
    };
    for (std::size_t index = 0; index < m_Sheets.size() && ok; ++index) {
        const Sheet& sheet = m_Sheets[index];
        lxw_worksheet* target = workbook_add_worksheet(workbook, platform::WideToUtf8(sheet.name).c_str());
        if (target == nullptr) {
            ok = false;
            error = "sheet \"" + platform::WideToUtf8(sheet.name) + "\" cannot be added";
            break;
        }
        worksheet_set_paper(target, kPaperA4);
        if (sheet.landscape) {
            worksheet_set_landscape(target);
        }
        if (sheet.fitToWidth) {
            worksheet_fit_to_pages(target, 1, 0);
        }
        for (const auto& [column, width] : FitColumnWidths(index)) {
            check(worksheet_set_column(target, column, column, width, nullptr));
        }
        for (const ExcelRange& range : sheet.merges) {
            const Cell* first = GetCell(index, range.first);
            lxw_format* format = formatOf(first);
            check(worksheet_merge_range(target, range.first.row, range.first.column, range.last.row,
                                        range.last.column, "", format));
            if (first != nullptr) {
                check(WriteValue(target, range.first, first->value, format));
            }
        }
        for (const auto& [at, cell] : sheet.cells) {
            if (FindMerge(sheet, at) == nullptr) {
                check(WriteValue(target, at, cell.value, formatOf(&cell)));
            }
        }
    }
    // Closing writes the file and frees the workbook, whatever went before.
    check(workbook_close(workbook));
    return ok;
}
