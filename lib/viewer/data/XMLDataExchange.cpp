#include "lib/viewer/data/XMLDataExchange.h"

#include <cmath>
#include <cwctype>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "lib/viewer/data/DecimalText.h"
#include "lib/viewer/data/TextFormats.h"
#include "lib/viewer/data/XmlText.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"

namespace {

constexpr int kPointsPerInch = 72;
constexpr int kBoldWeight = 700;
constexpr int kNormalWeight = 400;

// a x b / c rounded half away from zero, as font sizes are converted.
int MultiplyDivide(double a, int b, int c) { return static_cast<int>(std::lround(a * b / c)); }

std::wstring Trimmed(std::wstring_view text) {
    while (!text.empty() && std::iswspace(static_cast<wint_t>(text.front())) != 0) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::iswspace(static_cast<wint_t>(text.back())) != 0) {
        text.remove_suffix(1);
    }
    return std::wstring(text);
}

std::optional<std::int64_t> ScanSignedOf(const std::wstring& text, std::int64_t lowest, std::int64_t highest) {
    std::wstring_view rest(text);
    return tracelume::ScanSigned(rest, lowest, highest);
}

std::optional<std::uint64_t> ScanUnsignedOf(const std::wstring& text, std::uint64_t highest) {
    std::wstring_view rest(text);
    return tracelume::ScanUnsigned(rest, highest);
}

// Reads a font text over a copy of the current font: the fields it does not name
// stay as they were.
gfx::Font ReadFont(const std::wstring& text, gfx::Font font) {
    std::vector<std::wstring_view> fields;
    std::wstring_view rest(text);
    for (std::size_t separator = rest.find(L';'); separator != std::wstring_view::npos;
         separator = rest.find(L';')) {
        fields.push_back(rest.substr(0, separator));
        rest.remove_prefix(separator + 1);
    }
    fields.push_back(rest);
    font.face = std::wstring(fields[0]);
    if (fields.size() > 1) {
        std::wstring_view size = fields[1];
        if (const auto points = tracelume::ScanSigned(size, -100000, 100000)) {
            font.height = MultiplyDivide(static_cast<double>(*points), CXMLDataExchange::kScreenDpi, kPointsPerInch);
        }
    }
    font.weight = fields.size() > 2 && Trimmed(fields[2]) == L"bold" ? kBoldWeight : kNormalWeight;
    return font;
}

std::wstring FontText(const gfx::Font& font) {
    const int points = MultiplyDivide(std::round(font.height), kPointsPerInch, CXMLDataExchange::kScreenDpi);
    return font.face + L";" + std::to_wstring(points) + L"pt" + (font.weight == kBoldWeight ? L";bold" : L"");
}

// The first element of that name below the node, in document order.
tinyxml2::XMLElement* FindElement(tinyxml2::XMLNode& node, const std::string& name) {
    for (tinyxml2::XMLElement* child = node.FirstChildElement(); child != nullptr;
         child = child->NextSiblingElement()) {
        if (name == child->Name()) {
            return child;
        }
        if (tinyxml2::XMLElement* found = FindElement(*child, name)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

int CXMLDataExchange::Register(const std::wstring& key, int type, void* variable) {
    return m_bindings.emplace(key, Binding{type, variable}).second ? 1 : 0;
}

int CXMLDataExchange::AcceptValue(const std::wstring&, const void*) { return 1; }

std::wstring CXMLDataExchange::TextOf(const Binding& binding) {
    const void* variable = binding.variable;
    switch (binding.type) {
    case kInt8:
        return std::to_wstring(*static_cast<const std::int8_t*>(variable));
    case kInt16:
        return std::to_wstring(*static_cast<const std::int16_t*>(variable));
    case kInt32:
        return std::to_wstring(*static_cast<const std::int32_t*>(variable));
    case kInt64:
        return std::to_wstring(*static_cast<const std::int64_t*>(variable));
    case kUInt8:
        return std::to_wstring(*static_cast<const std::uint8_t*>(variable));
    case kUInt16:
        return std::to_wstring(*static_cast<const std::uint16_t*>(variable));
    case kUInt32:
        return std::to_wstring(*static_cast<const std::uint32_t*>(variable));
    case kUInt64:
        return std::to_wstring(*static_cast<const std::uint64_t*>(variable));
    case kColor:
        return tracelume::ColorText(*static_cast<const std::uint32_t*>(variable));
    case kFont:
        return FontText(*static_cast<const gfx::Font*>(variable));
    case kString:
        return *static_cast<const std::wstring*>(variable);
    default:
        return {};
    }
}

void CXMLDataExchange::Store(const std::wstring& key, const Binding& binding, const std::wstring& text) {
    const auto commit = [&](auto value) {
        if (AcceptValue(key, &value) != 0) {
            *static_cast<decltype(value)*>(binding.variable) = value;
        }
    };
    constexpr std::int64_t kIntLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kIntHigh = std::numeric_limits<std::int32_t>::max();
    constexpr std::uint64_t kUIntHigh = std::numeric_limits<std::uint32_t>::max();
    // The narrow types read a 32-bit number and keep its low bits.
    switch (binding.type) {
    case kInt8:
        if (const auto value = ScanSignedOf(text, kIntLow, kIntHigh)) {
            commit(static_cast<std::int8_t>(*value));
        }
        break;
    case kInt16:
        if (const auto value = ScanSignedOf(text, kIntLow, kIntHigh)) {
            commit(static_cast<std::int16_t>(*value));
        }
        break;
    case kInt32:
        if (const auto value = ScanSignedOf(text, kIntLow, kIntHigh)) {
            commit(static_cast<std::int32_t>(*value));
        }
        break;
    case kInt64:
        if (const auto value = ScanSignedOf(text, std::numeric_limits<std::int64_t>::min(),
                                            std::numeric_limits<std::int64_t>::max())) {
            commit(*value);
        }
        break;
    case kUInt8:
        if (const auto value = ScanUnsignedOf(text, kUIntHigh)) {
            commit(static_cast<std::uint8_t>(*value));
        }
        break;
    case kUInt16:
        if (const auto value = ScanUnsignedOf(text, kUIntHigh)) {
            commit(static_cast<std::uint16_t>(*value));
        }
        break;
    case kUInt32:
        if (const auto value = ScanUnsignedOf(text, kUIntHigh)) {
            commit(static_cast<std::uint32_t>(*value));
        }
        break;
    case kUInt64:
        if (const auto value = ScanUnsignedOf(text, std::numeric_limits<std::uint64_t>::max())) {
            commit(*value);
        }
        break;
    case kColor:
        // Missing components read 255, but a text without any number is no colour.
        if (ScanSignedOf(text, kIntLow, kIntHigh)) {
            commit(tracelume::ParseColor(text));
        }
        break;
    case kFont:
        commit(ReadFont(text, *static_cast<const gfx::Font*>(binding.variable)));
        break;
    case kString:
        commit(text);
        break;
    default:
        break;
    }
}

void CXMLDataExchange::LoadFromElement(const tinyxml2::XMLElement& element) {
    for (const auto& [key, binding] : m_bindings) {
        if (const char* text = element.Attribute(platform::WideToUtf8(key).c_str())) {
            Store(key, binding, platform::Utf8ToWide(text));
        }
    }
}

bool CXMLDataExchange::SaveToElement(const std::wstring& templateXml, tinyxml2::XMLDocument& document) const {
    if (!tracelume::ParseXmlText(document, templateXml)) {
        return false;
    }
    tinyxml2::XMLElement* root = document.RootElement();
    if (root == nullptr) {
        return false;
    }
    for (const auto& [key, binding] : m_bindings) {
        const std::wstring text = TextOf(binding);
        const std::string name = platform::WideToUtf8(key);
        if (!text.empty() && root->FindAttribute(name.c_str()) != nullptr) {
            root->SetAttribute(name.c_str(), platform::WideToUtf8(text).c_str());
        }
    }
    return true;
}

int CXMLDataExchange::SaveToText(std::wstring& xml) const {
    tinyxml2::XMLDocument document;
    if (!tracelume::ParseXmlText(document, xml)) {
        return 0;
    }
    for (const auto& [key, binding] : m_bindings) {
        const std::wstring text = TextOf(binding);
        if (text.empty()) {
            continue;
        }
        if (tinyxml2::XMLElement* element = FindElement(document, platform::WideToUtf8(key))) {
            element->SetAttribute("VALUE", platform::WideToUtf8(text).c_str());
        }
    }
    xml = tracelume::XmlText(document);
    return 1;
}
