#include "lib/viewer/data/XmlText.h"

#include <string_view>

#include "platform/base/Encoding.h"

namespace tracelume {

bool ParseXmlText(tinyxml2::XMLDocument& document, const std::wstring& text, std::wstring* reason) {
    const std::string bytes = platform::WideToUtf8(text);
    std::wstring why;
    if (document.Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS) {
        why = platform::Utf8ToWide(document.ErrorStr());
    } else if (document.RootElement() != nullptr && document.RootElement()->NextSiblingElement() != nullptr) {
        why = L"the text holds more than one root element";
    }
    if (why.empty()) {
        return true;
    }
    if (reason != nullptr) {
        *reason = why;
    }
    return false;
}

std::wstring XmlText(const tinyxml2::XMLDocument& document) {
    tinyxml2::XMLPrinter printer(nullptr, true);
    document.Print(&printer);
    return platform::Utf8ToWide(std::string_view(printer.CStr(), static_cast<std::size_t>(printer.CStrSize() - 1)));
}

}  // namespace tracelume
