#pragma once
// One XML document in the language-pack schema (root "resource" with "string",
// "menu" and "dialog" children), as the language packs and the built-in resources
// are written. Strings are indexed once at load, so look-ups from several threads
// only read.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/base/DialogTemplate.h"
#include "platform/base/MenuTemplate.h"

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

class CLanguagePack {
public:
    CLanguagePack();
    ~CLanguagePack();
    CLanguagePack(const CLanguagePack&) = delete;
    CLanguagePack& operator=(const CLanguagePack&) = delete;

    // False when the file cannot be read, is not XML, or its root is not "resource".
    bool LoadFile(const std::filesystem::path& file);
    bool LoadText(std::string_view xml);

    // The root's "LANGID", 1033 when absent, not a number or beyond 16 bits.
    std::uint16_t LangId() const { return m_langId; }

    // The first "string" element with the identifier: its "value" (empty when absent).
    std::optional<std::wstring> FindString(unsigned int id) const;
    // The "menuitem" tree of the first "menu" element with the identifier; empty when
    // the element is missing or has no items.
    MenuTemplate FindMenu(unsigned int id) const;
    // The first "dialog" element with the identifier, read into a template.
    std::optional<DialogTemplateInfo> FindDialog(unsigned int id) const;

    // Numbers of the pack: decimal, or hexadecimal after "0x"; an optional sign
    // (negative values wrap, so "-1" is 0xFFFFFFFF). Blanks around are ignored.
    static std::optional<std::int64_t> ParseNumber(std::string_view text);

private:
    void Index();

    std::unique_ptr<tinyxml2::XMLDocument> m_document;
    std::uint16_t m_langId = 1033;
    std::unordered_map<unsigned int, std::wstring> m_strings;
    std::unordered_map<unsigned int, const tinyxml2::XMLElement*> m_menus;
    std::unordered_map<unsigned int, const tinyxml2::XMLElement*> m_dialogs;
};
