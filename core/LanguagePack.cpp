#include "core/LanguagePack.h"

#include <charconv>
#include <limits>

#include <tinyxml2.h>

#include "core/XmlHelper.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

constexpr std::uint16_t kEnglishUs = 1033;

std::wstring Attribute(const tinyxml2::XMLElement* element, const char* name, const wchar_t* fallback = L"") {
    const char* value = element->Attribute(name);
    return value != nullptr ? platform::Utf8ToWide(value) : std::wstring(fallback);
}

std::int64_t Number(const tinyxml2::XMLElement* element, const char* name, std::int64_t fallback) {
    const char* value = element->Attribute(name);
    if (value == nullptr) {
        return fallback;
    }
    return CLanguagePack::ParseNumber(value).value_or(fallback);
}

std::uint32_t Word(const tinyxml2::XMLElement* element, const char* name, std::uint32_t fallback) {
    return static_cast<std::uint32_t>(Number(element, name, fallback));
}

// "position": four numbers in order x, y, width, height, separated by commas or blanks.
struct Rect {
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
};

Rect Position(const tinyxml2::XMLElement* element) {
    Rect rect;
    const char* value = element->Attribute("position");
    if (value == nullptr) {
        return rect;
    }
    std::int16_t* fields[] = {&rect.x, &rect.y, &rect.cx, &rect.cy};
    std::string_view text(value);
    std::size_t field = 0;
    while (field < 4 && !text.empty()) {
        const std::size_t start = text.find_first_not_of(" \t\r\n,;");
        if (start == std::string_view::npos) {
            break;
        }
        text.remove_prefix(start);
        const std::size_t end = text.find_first_of(" \t\r\n,;");
        const auto number = CLanguagePack::ParseNumber(text.substr(0, end));
        if (!number) {
            return Rect{};
        }
        *fields[field++] = static_cast<std::int16_t>(*number);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end);
    }
    return field == 4 ? rect : Rect{};
}

// The identifier of an element's "id" attribute, when it has a usable one.
std::optional<unsigned int> ElementId(const tinyxml2::XMLElement* element) {
    const char* value = element->Attribute("id");
    if (value == nullptr) {
        return std::nullopt;
    }
    const auto number = CLanguagePack::ParseNumber(value);
    if (!number) {
        return std::nullopt;
    }
    return static_cast<unsigned int>(*number);
}

// Depth first in document order; a pop-up's items follow it at once.
void ReadMenuItems(const tinyxml2::XMLElement* parent, MenuTemplate& items) {
    const tinyxml2::XMLElement* item = parent->FirstChildElement("menuitem");
    while (item != nullptr) {
        const tinyxml2::XMLElement* next = item->NextSiblingElement("menuitem");
        MenuItemTemplateInfo info;
        info.id = static_cast<std::uint16_t>(Word(item, "id", 0));
        info.caption = Attribute(item, "caption");
        const bool popup = item->FirstChildElement("menuitem") != nullptr;
        if (popup) {
            info.flags |= kMenuFlagPopup;
        } else if (info.id == 0) {
            info.flags |= kMenuFlagSeparator;
        }
        if (next == nullptr) {
            info.flags |= kMenuFlagEnd;
        }
        items.push_back(std::move(info));
        if (popup) {
            ReadMenuItems(item, items);
        }
        item = next;
    }
}

}  // namespace

CLanguagePack::CLanguagePack() = default;
CLanguagePack::~CLanguagePack() = default;

std::optional<std::int64_t> CLanguagePack::ParseNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
        value > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    const auto signedValue = static_cast<std::int64_t>(value);
    return negative ? -signedValue : signedValue;
}

bool CLanguagePack::LoadFile(const std::filesystem::path& file) {
    const auto bytes = platform::ReadFileBytes(file);
    if (!bytes) {
        return false;
    }
    // Packs saved by Windows editors may be UTF-16; the parser reads UTF-8 only.
    if (platform::DetectEncoding(*bytes) == platform::TextEncoding::Utf16LE) {
        return LoadText(platform::WideToUtf8(platform::Decode(*bytes, platform::TextEncoding::Utf16LE)));
    }
    return LoadText(*bytes);
}

bool CLanguagePack::LoadText(std::string_view xml) {
    auto document = std::make_unique<tinyxml2::XMLDocument>();
    if (!CXmlHelper::Parse(*document, xml)) {
        return false;
    }
    const tinyxml2::XMLElement* root = document->RootElement();
    if (root == nullptr || std::string_view(root->Name()) != "resource") {
        return false;
    }
    m_document = std::move(document);
    Index();
    return true;
}

void CLanguagePack::Index() {
    m_strings.clear();
    m_menus.clear();
    m_dialogs.clear();
    const tinyxml2::XMLElement* root = m_document->RootElement();
    // A number beyond 16 bits names no language; cutting it could name a wrong one.
    const std::int64_t langId = Number(root, "LANGID", kEnglishUs);
    m_langId = langId >= 0 && langId <= 0xFFFF ? static_cast<std::uint16_t>(langId) : kEnglishUs;
    // The first element with an identifier wins, as a path selection would find it.
    for (auto* element = root->FirstChildElement(); element != nullptr; element = element->NextSiblingElement()) {
        const auto id = ElementId(element);
        if (!id) {
            continue;
        }
        const std::string_view name = element->Name();
        if (name == "string") {
            m_strings.emplace(*id, Attribute(element, "value"));
        } else if (name == "menu") {
            m_menus.emplace(*id, element);
        } else if (name == "dialog") {
            m_dialogs.emplace(*id, element);
        }
    }
}

std::optional<std::wstring> CLanguagePack::FindString(unsigned int id) const {
    const auto found = m_strings.find(id);
    if (found == m_strings.end()) {
        return std::nullopt;
    }
    return found->second;
}

MenuTemplate CLanguagePack::FindMenu(unsigned int id) const {
    MenuTemplate items;
    const auto found = m_menus.find(id);
    if (found != m_menus.end()) {
        ReadMenuItems(found->second, items);
    }
    return items;
}

std::optional<DialogTemplateInfo> CLanguagePack::FindDialog(unsigned int id) const {
    const auto found = m_dialogs.find(id);
    if (found == m_dialogs.end()) {
        return std::nullopt;
    }
    const tinyxml2::XMLElement* dialog = found->second;
    DialogTemplateInfo info;
    info.helpId = id;
    info.style = Word(dialog, "style", 0) | kDialogStyleSetFont;
    info.exStyle = Word(dialog, "styleex", 0);
    const Rect rect = Position(dialog);
    info.x = rect.x;
    info.y = rect.y;
    info.cx = rect.cx;
    info.cy = rect.cy;
    info.fontFace = Attribute(dialog, "fontface", L"MS Sans Serif");
    info.fontSize = static_cast<std::uint16_t>(Number(dialog, "fontsize", 8));
    info.caption = Attribute(dialog, "caption");
    for (auto* control = dialog->FirstChildElement("control"); control != nullptr;
         control = control->NextSiblingElement("control")) {
        DialogItemTemplateInfo item;
        item.style = Word(control, "style", kDefaultControlStyle);
        item.exStyle = Word(control, "styleex", 0);
        const Rect box = Position(control);
        item.x = box.x;
        item.y = box.y;
        item.cx = box.cx;
        item.cy = box.cy;
        item.caption = Attribute(control, "caption");
        item.className = Attribute(control, "class", L"STATIC");
        item.id = Word(control, "id", kNoControlId);
        item.resource = static_cast<int>(Number(control, "resource", 0));
        info.items.push_back(std::move(item));
    }
    info.itemCount = static_cast<std::uint16_t>(info.items.size());
    return info;
}
