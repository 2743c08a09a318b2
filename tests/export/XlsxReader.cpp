#include "XlsxReader.h"

#include <gtest/gtest.h>
#include <tinyxml2.h>
#include <zip.h>

#include <cstring>
#include <sstream>

#include "platform/base/Encoding.h"

namespace exporttest {

namespace {

std::optional<std::string> ReadEntry(zip_t* archive, const std::string& name)
{
    zip_stat_t stat;
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0) {
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen(archive, name.c_str(), 0);
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes(stat.size, '\0');
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    if (read != static_cast<zip_int64_t>(stat.size)) {
        return std::nullopt;
    }
    return bytes;
}

bool Parse(tinyxml2::XMLDocument& document, const std::optional<std::string>& bytes)
{
    return bytes && document.Parse(bytes->data(), bytes->size()) == tinyxml2::XML_SUCCESS &&
           document.RootElement() != nullptr;
}

// The text of a shared string item: its <t> or the <t> of each run.
std::string ItemText(const tinyxml2::XMLElement* item)
{
    std::string text;
    for (const auto* node = item->FirstChildElement(); node != nullptr; node = node->NextSiblingElement()) {
        if (std::strcmp(node->Name(), "t") == 0) {
            text += node->GetText() != nullptr ? node->GetText() : "";
        } else if (std::strcmp(node->Name(), "r") == 0 && node->FirstChildElement("t") != nullptr) {
            const char* run = node->FirstChildElement("t")->GetText();
            text += run != nullptr ? run : "";
        }
    }
    return text;
}

bool ReadSheet(const tinyxml2::XMLElement& root, const std::vector<std::wstring>& strings, XlsxSheet& sheet)
{
    if (const auto* cols = root.FirstChildElement("cols")) {
        for (const auto* c = cols->FirstChildElement("col"); c != nullptr; c = c->NextSiblingElement("col")) {
            for (int column = c->IntAttribute("min"); column <= c->IntAttribute("max"); ++column) {
                sheet.widths[column] = c->DoubleAttribute("width");
            }
        }
    }
    const auto* data = root.FirstChildElement("sheetData");
    if (data == nullptr) {
        return false;
    }
    for (const auto* row = data->FirstChildElement("row"); row != nullptr; row = row->NextSiblingElement("row")) {
        for (const auto* c = row->FirstChildElement("c"); c != nullptr; c = c->NextSiblingElement("c")) {
            const char* ref = c->Attribute("r");
            if (ref == nullptr) {
                return false;
            }
            sheet.hasFormula = sheet.hasFormula || c->FirstChildElement("f") != nullptr;
            const auto* v = c->FirstChildElement("v");
            const char* type = c->Attribute("t");
            XlsxValue value;
            if (type != nullptr && std::strcmp(type, "s") == 0) {
                const int index = v != nullptr ? std::atoi(v->GetText()) : -1;
                if (index < 0 || static_cast<std::size_t>(index) >= strings.size()) {
                    return false;
                }
                value = strings[static_cast<std::size_t>(index)];
            } else if (type != nullptr && std::strcmp(type, "inlineStr") == 0) {
                value = platform::Utf8ToWide(ItemText(c->FirstChildElement("is")));
            } else if (type != nullptr && std::strcmp(type, "str") == 0) {
                value = platform::Utf8ToWide(v != nullptr && v->GetText() != nullptr ? v->GetText() : "");
            } else if (v != nullptr && v->GetText() != nullptr) {
                value = std::stod(v->GetText());
            }
            sheet.cells[ref] = value;
        }
    }
    if (const auto* merges = root.FirstChildElement("mergeCells")) {
        for (const auto* m = merges->FirstChildElement("mergeCell"); m != nullptr;
             m = m->NextSiblingElement("mergeCell")) {
            sheet.merges.push_back(m->Attribute("ref"));
        }
    }
    return true;
}

}  // namespace

XlsxValue XlsxSheet::At(const std::string& ref) const
{
    const auto found = cells.find(ref);
    return found == cells.end() ? XlsxValue() : found->second;
}

std::optional<XlsxBook> ReadXlsx(const std::filesystem::path& file)
{
    int error = 0;
    zip_t* archive = zip_open(platform::PathToUtf8(file).c_str(), ZIP_RDONLY, &error);
    if (archive == nullptr) {
        ADD_FAILURE() << file << " is not a zip archive";
        return std::nullopt;
    }
    std::optional<XlsxBook> book;
    tinyxml2::XMLDocument workbook;
    tinyxml2::XMLDocument relations;
    tinyxml2::XMLDocument shared;
    std::vector<std::wstring> strings;
    if (Parse(shared, ReadEntry(archive, "xl/sharedStrings.xml"))) {
        for (const auto* si = shared.RootElement()->FirstChildElement("si"); si != nullptr;
             si = si->NextSiblingElement("si")) {
            strings.push_back(platform::Utf8ToWide(ItemText(si)));
        }
    }
    if (Parse(workbook, ReadEntry(archive, "xl/workbook.xml")) &&
        Parse(relations, ReadEntry(archive, "xl/_rels/workbook.xml.rels"))) {
        std::map<std::string, std::string> targets;
        for (const auto* r = relations.RootElement()->FirstChildElement("Relationship"); r != nullptr;
             r = r->NextSiblingElement("Relationship")) {
            targets[r->Attribute("Id")] = r->Attribute("Target");
        }
        book.emplace();
        const auto* sheets = workbook.RootElement()->FirstChildElement("sheets");
        for (const auto* s = sheets != nullptr ? sheets->FirstChildElement("sheet") : nullptr; s != nullptr && book;
             s = s->NextSiblingElement("sheet")) {
            XlsxSheet sheet;
            sheet.name = platform::Utf8ToWide(s->Attribute("name"));
            tinyxml2::XMLDocument document;
            const char* id = s->Attribute("r:id");
            if (id == nullptr || !Parse(document, ReadEntry(archive, "xl/" + targets[id])) ||
                !ReadSheet(*document.RootElement(), strings, sheet)) {
                ADD_FAILURE() << file << ": sheet " << s->Attribute("name") << " cannot be read";
                book.reset();
                break;
            }
            book->sheets.push_back(std::move(sheet));
        }
    } else {
        ADD_FAILURE() << file << " holds no workbook";
    }
    zip_close(archive);
    return book;
}

std::string Describe(const XlsxValue& value)
{
    std::ostringstream text;
    if (const auto* number = std::get_if<double>(&value)) {
        text.precision(17);
        text << "number " << *number;
    } else if (const auto* string = std::get_if<std::wstring>(&value)) {
        text << "text \"" << platform::WideToUtf8(*string) << "\"";
    } else {
        text << "nothing";
    }
    return text.str();
}

}  // namespace exporttest
