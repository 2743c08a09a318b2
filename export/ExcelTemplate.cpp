#include "export/ExcelTemplate.h"

#include <tinyxml2.h>

#include <charconv>
#include <cstring>
#include <map>
#include <string>

#include "export/ExcelWorkbook.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "report/LevelLimitTable.h"

namespace {

// A report sheet is a few hundred cells; a range beyond this is a broken file.
constexpr std::uint64_t kMaxFillCells = 65536;

// Thrown at the first thing in the file that is not a template.
struct NotATemplate {};

void Require(bool condition)
{
    if (!condition) {
        throw NotATemplate{};
    }
}

std::wstring Attribute(const tinyxml2::XMLElement& element, const char* name)
{
    const char* value = element.Attribute(name);
    return value != nullptr ? platform::Utf8ToWide(value) : std::wstring();
}

bool Flag(const tinyxml2::XMLElement& element, const char* name)
{
    const char* value = element.Attribute(name);
    Require(value == nullptr || std::strcmp(value, "0") == 0 || std::strcmp(value, "1") == 0);
    return value != nullptr && value[0] == '1';
}

ExcelFormat ReadFormat(const tinyxml2::XMLElement& element)
{
    ExcelFormat format;
    if (const char* font = element.Attribute("font")) {
        Require(font[0] != '\0');
        format.fontName = font;
    }
    if (element.Attribute("size") != nullptr) {
        Require(element.QueryDoubleAttribute("size", &format.fontSize) == tinyxml2::XML_SUCCESS &&
                format.fontSize >= 1.0 && format.fontSize <= 409.0);
    }
    format.bold = Flag(element, "bold");
    format.border = Flag(element, "border");
    if (const char* align = element.Attribute("align")) {
        static const std::map<std::string, ExcelAlign> kAligns = {
            {"left", ExcelAlign::Left}, {"center", ExcelAlign::Center}, {"right", ExcelAlign::Right}};
        const auto found = kAligns.find(align);
        Require(found != kAligns.end());
        format.align = found->second;
    }
    if (const char* fill = element.Attribute("fill")) {
        std::uint32_t colour = 0;
        const char* end = fill + std::strlen(fill);
        const auto result = std::from_chars(fill, end, colour, 16);
        Require(std::strlen(fill) == 6 && result.ec == std::errc() && result.ptr == end);
        format.fill = colour;
    }
    if (const char* numberFormat = element.Attribute("numberFormat")) {
        format.numberFormat = numberFormat;
    }
    return format;
}

// A float limit as the decimal it was written as (9.7, not 9.69999980926).
double LimitNumber(float value)
{
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double number = 0.0;
    std::from_chars(buffer, written.ptr, number);
    return number;
}

class TemplateReader {
public:
    explicit TemplateReader(CExcelWorkbook& workbook) : m_Workbook(workbook) {}

    void Read(const tinyxml2::XMLElement& root)
    {
        Require(std::strcmp(root.Name(), "ExcelTemplate") == 0);
        for (const auto* element = root.FirstChildElement(); element != nullptr;
             element = element->NextSiblingElement()) {
            if (std::strcmp(element->Name(), "Format") == 0) {
                Require(m_Workbook.GetSheetCount() == 0);
                const char* name = element->Attribute("name");
                Require(name != nullptr && m_Formats.count(name) == 0);
                m_Formats[name] = m_Workbook.AddFormat(ReadFormat(*element));
            } else {
                Require(std::strcmp(element->Name(), "Sheet") == 0);
                ReadSheet(*element);
            }
        }
        Require(m_Workbook.GetSheetCount() > 0);
    }

private:
    int FormatOf(const tinyxml2::XMLElement& element, const char* attribute = "format") const
    {
        const char* name = element.Attribute(attribute);
        if (name == nullptr) {
            return -1;
        }
        const auto found = m_Formats.find(name);
        Require(found != m_Formats.end());
        return found->second;
    }

    ExcelRange RangeOf(const tinyxml2::XMLElement& element, const char* attribute) const
    {
        const std::optional<ExcelRange> range = ParseRangeRef(Attribute(element, attribute));
        Require(range.has_value());
        return *range;
    }

    void Put(ExcelCellRef at, const std::optional<CExcelWorkbook::Value>& value, int format)
    {
        CExcelWorkbook::Cell& cell = m_Workbook.GetSheet(m_Sheet).cells[at];
        cell.format = format;
        if (value) {
            cell.value = *value;
        }
    }

    void ReadSheet(const tinyxml2::XMLElement& element)
    {
        const std::wstring name = Attribute(element, "name");
        Require(!name.empty());
        for (std::size_t i = 0; i < m_Workbook.GetSheetCount(); ++i) {
            Require(m_Workbook.GetSheet(i).name != name);
        }
        m_Sheet = m_Workbook.AddSheet(name);
        CExcelWorkbook::Sheet& sheet = m_Workbook.GetSheet(m_Sheet);
        sheet.landscape = Flag(element, "landscape");
        sheet.fitToWidth = Flag(element, "fitToWidth");
        for (const auto* child = element.FirstChildElement(); child != nullptr; child = child->NextSiblingElement()) {
            const std::string kind = child->Name();
            if (kind == "Fill") {
                ReadFill(*child);
            } else if (kind == "Cell") {
                ReadCell(*child);
            } else {
                Require(kind == "LimitTable");
                ReadLimitTable(*child);
            }
        }
    }

    static CExcelWorkbook::Value TextOf(const tinyxml2::XMLElement& element)
    {
        const char* text = element.GetText();
        return text != nullptr ? CExcelWorkbook::Value(platform::Utf8ToWide(text)) : CExcelWorkbook::Value();
    }

    void ReadFill(const tinyxml2::XMLElement& element)
    {
        const ExcelRange range = RangeOf(element, "range");
        const std::uint64_t cells = std::uint64_t{range.last.row - range.first.row + 1u} *
                                    std::uint64_t{range.last.column - range.first.column + 1u};
        Require(cells <= kMaxFillCells);
        const CExcelWorkbook::Value text = TextOf(element);
        const int format = FormatOf(element);
        for (std::uint32_t row = range.first.row; row <= range.last.row; ++row) {
            for (std::uint32_t column = range.first.column; column <= range.last.column; ++column) {
                Put({row, static_cast<std::uint16_t>(column)}, text, format);
            }
        }
    }

    void ReadCell(const tinyxml2::XMLElement& element)
    {
        const ExcelRange range = RangeOf(element, "ref");
        CExcelWorkbook::Sheet& sheet = m_Workbook.GetSheet(m_Sheet);
        if (range.first != range.last) {
            for (const ExcelRange& merged : sheet.merges) {
                const bool apart = range.last.row < merged.first.row || range.first.row > merged.last.row ||
                                   range.last.column < merged.first.column || range.first.column > merged.last.column;
                Require(apart);
            }
            sheet.merges.push_back(range);
        }
        Put(range.first, TextOf(element), FormatOf(element));
    }

    void ReadLimitTable(const tinyxml2::XMLElement& element)
    {
        const std::optional<ExcelCellRef> origin = ParseCellRef(Attribute(element, "ref"));
        Require(origin.has_value());
        const std::string kind = element.Attribute("kind") != nullptr ? element.Attribute("kind") : "";
        Require(kind == "voltage" || kind == "current");
        const int format = FormatOf(element);
        const int labelFormat = FormatOf(element, "labelFormat");
        CLevelLimitTable limits;
        for (std::uint32_t level = 0; level < CLevelLimitTable::kRowCount; ++level) {
            limits.SelectRow(level);
            std::vector<float> values;
            if (kind == "voltage") {
                values = {limits.GetThd(), limits.GetHarmVoltage(1), limits.GetHarmVoltage(2)};
            } else {
                values.push_back(limits.GetBaseCapacity());
                for (int order = 2; order <= CLevelLimitTable::kHighestLimitedOrder; ++order) {
                    values.push_back(limits.GetCurrent(order));
                }
            }
            const std::uint32_t row = origin->row + level;
            Put({row, origin->column}, CExcelWorkbook::Value(limits.GetLevelName()), labelFormat);
            for (std::size_t i = 0; i < values.size(); ++i) {
                const std::uint32_t column = origin->column + 1u + static_cast<std::uint32_t>(i);
                Require(column < 16384);
                Put({row, static_cast<std::uint16_t>(column)}, CExcelWorkbook::Value(LimitNumber(values[i])), format);
            }
        }
    }

    CExcelWorkbook& m_Workbook;
    std::map<std::string, int> m_Formats;
    std::size_t m_Sheet = 0;
};

}  // namespace

bool CExcelTemplate::Load(const std::filesystem::path& file, CExcelWorkbook& workbook)
{
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) {
        return false;
    }
    tinyxml2::XMLDocument document;
    if (document.Parse(bytes->data(), bytes->size()) != tinyxml2::XML_SUCCESS || document.RootElement() == nullptr) {
        return false;
    }
    CExcelWorkbook read;
    try {
        TemplateReader(read).Read(*document.RootElement());
    } catch (const NotATemplate&) {
        return false;
    }
    workbook = std::move(read);
    return true;
}
