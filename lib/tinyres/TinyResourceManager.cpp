#include "lib/tinyres/TinyResourceManager.h"

#include <tinyxml2.h>

#include <cctype>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"

namespace {

// Leading white space, an optional sign and at least one digit, the rest ignored,
// as a scanf conversion reads it, but without the locale and without overflow:
// a number beyond the range is no number.
std::optional<long long> ParseDecimal(const char* text, long long lowest, long long highest) {
    if (text == nullptr) {
        return std::nullopt;
    }
    std::string_view rest(text);
    while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.front())) != 0) {
        rest.remove_prefix(1);
    }
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || rest.front() < '0' || rest.front() > '9') {
        return std::nullopt;
    }
    long long value = 0;
    for (; !rest.empty() && rest.front() >= '0' && rest.front() <= '9'; rest.remove_prefix(1)) {
        value = value * 10 + (rest.front() - '0');
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value < lowest || value > highest) {
        return std::nullopt;
    }
    return value;
}

// Loads and parses a whole file; false when it cannot be read or is not well formed.
bool LoadDocument(const std::filesystem::path& file, tinyxml2::XMLDocument& document) {
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) {
        return false;
    }
    return document.Parse(bytes->data(), bytes->size()) == tinyxml2::XML_SUCCESS;
}

std::wstring Attribute(const tinyxml2::XMLElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value == nullptr ? std::wstring() : platform::Utf8ToWide(value);
}

}  // namespace

CTinyResourceManager::CTinyResourceManager(StringTable builtins) : m_builtins(std::move(builtins)) {
    ReadLanguageList();
}

void CTinyResourceManager::ReadLanguageList() {
    tinyxml2::XMLDocument document;
    if (!LoadDocument(platform::ProgramFolder() / "Language" / "Language.xml", document)) {
        return;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (root == nullptr || std::string_view(root->Name()) != "Languages") {
        return;
    }
    const char* selected = root->Attribute("selectedId");
    const std::string_view wanted = selected == nullptr ? std::string_view() : std::string_view(selected);
    for (const tinyxml2::XMLElement* language = root->FirstChildElement("Language"); language != nullptr;
         language = language->NextSiblingElement("Language")) {
        const char* id = language->Attribute("Id");
        // The ids are compared as texts: "02" does not select "2".
        if (std::string_view(id == nullptr ? "" : id) != wanted) {
            continue;
        }
        if (const auto value = ParseDecimal(id, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())) {
            m_languageId = static_cast<int>(*value);
        }
        m_languageName = Attribute(*language, "name");
        m_dirName = Attribute(*language, "dirName");
        if (const auto value = ParseDecimal(language->Attribute("usPrimaryLanguage"), -32768, 65535)) {
            m_primaryLanguage = static_cast<std::uint16_t>(*value);
        }
        if (const auto value = ParseDecimal(language->Attribute("usSubLanguage"), -32768, 65535)) {
            m_subLanguage = static_cast<std::uint16_t>(*value);
        }
        return;
    }
}

std::wstring CTinyResourceManager::GetString(std::uint32_t id, int* missing) const {
    std::wstring text;
    const bool found = LoadString(text, id);
    if (missing != nullptr) {
        *missing = found ? 0 : 1;
    }
    return text;
}

bool CTinyResourceManager::LoadString(std::wstring& text, std::uint32_t id) const {
    for (const StringTable* table : {&m_strings, &m_builtins}) {
        if (const auto found = table->find(id); found != table->end()) {
            text = found->second;
            return true;
        }
    }
    text.clear();
    return false;
}

void CTinyResourceManager::LoadStrings(const std::filesystem::path& file) {
    m_strings.clear();
    const std::string name = platform::PathToUtf8(file);
    if (name.size() < 4) {
        return;
    }
    std::string extension = name.substr(name.size() - 3);
    for (char& c : extension) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (extension != "xml") {
        return;
    }
    tinyxml2::XMLDocument document;
    if (!LoadDocument(file, document)) {
        return;
    }
    const tinyxml2::XMLElement* root = document.RootElement();
    if (root == nullptr || std::string_view(root->Name()) != "resource") {
        return;
    }
    for (const tinyxml2::XMLElement* entry = root->FirstChildElement("string"); entry != nullptr;
         entry = entry->NextSiblingElement("string")) {
        // "%u" reads a sign too, so "-1" is the largest id.
        const auto id = ParseDecimal(entry->Attribute("id"), -static_cast<long long>(std::numeric_limits<std::uint32_t>::max()),
                                     std::numeric_limits<std::uint32_t>::max());
        if (!id || *id == 0) {
            continue;
        }
        m_strings[static_cast<std::uint32_t>(*id)] = Attribute(*entry, "value");
    }
}

std::filesystem::path CTinyResourceManager::GetLanguageDir() const {
    return platform::ProgramFolder() / "Language" / platform::ToPath(std::wstring_view(m_dirName));
}

std::wstring CTinyResourceManager::SplitTip(const std::wstring& text, bool first) {
    std::size_t separator = text.find(L'\n');
    std::size_t skip = 1;
    if (separator == std::wstring::npos) {
        separator = text.find(L'\\');
        skip = 2;
    }
    if (separator == std::wstring::npos || separator == 0) {
        return {};
    }
    if (first) {
        return text.substr(0, separator);
    }
    return separator + skip >= text.size() ? std::wstring() : text.substr(separator + skip);
}
