#include "core/XmlHelper.h"

#include <tinyxml2.h>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

// Whether the '&' at text[at] starts a reference: a numeric one (tinyxml2 reads those
// itself and keeps a malformed one as written) or one of the five named ones.
bool StartsReference(std::string_view text, std::size_t at) {
    const std::string_view rest = text.substr(at + 1);
    if (rest.starts_with('#')) {
        return true;
    }
    for (const std::string_view name : {"quot;", "amp;", "apos;", "lt;", "gt;"}) {
        if (rest.starts_with(name)) {
            return true;
        }
    }
    return false;
}

// Where the markup that starts at text[at] with "<" ends, for the parts in which '&' is
// literal (comments, character data, processing instructions, declarations); npos
// for an element's tag.
std::size_t EndOfLiteralMarkup(std::string_view text, std::size_t at) {
    const std::string_view rest = text.substr(at);
    const auto after = [&](std::string_view close) {
        const std::size_t end = text.find(close, at);
        return end == std::string_view::npos ? text.size() : end + close.size();
    };
    if (rest.starts_with("<!--")) {
        return after("-->");
    }
    if (rest.starts_with("<![CDATA[")) {
        return after("]]>");
    }
    if (rest.starts_with("<?")) {
        return after("?>");
    }
    if (rest.starts_with("<!")) {
        return after(">");
    }
    return std::string_view::npos;
}

}  // namespace

bool CXmlHelper::LoadFile(tinyxml2::XMLDocument& document, std::string path) {
    try {
        const auto bytes = platform::ReadFileBytes(platform::ToPath(std::string_view(path)));
        return bytes && Parse(document, *bytes);
    } catch (...) {
        return false;
    }
}

bool CXmlHelper::Parse(tinyxml2::XMLDocument& document, std::string_view text) {
    const std::string escaped = EscapeBareAmpersands(text);
    return document.Parse(escaped.data(), escaped.size()) == tinyxml2::XML_SUCCESS;
}

std::string CXmlHelper::EscapeBareAmpersands(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    enum class State { Text, Tag, Value } state = State::Text;
    char quote = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '&' && state != State::Tag && !StartsReference(text, at)) {
            out += "&amp;";
            continue;
        }
        if (state == State::Text && c == '<') {
            const std::size_t end = EndOfLiteralMarkup(text, at);
            if (end != std::string_view::npos) {
                out.append(text.substr(at, end - at));
                at = end - 1;
                continue;
            }
            state = State::Tag;
        } else if (state == State::Tag && (c == '"' || c == '\'')) {
            quote = c;
            state = State::Value;
        } else if (state == State::Tag && c == '>') {
            state = State::Text;
        } else if (state == State::Value && c == quote) {
            state = State::Tag;
        }
        out += c;
    }
    return out;
}

tinyxml2::XMLElement* CXmlHelper::AddRootElement(tinyxml2::XMLDocument& document, std::string name) {
    tinyxml2::XMLElement* element = document.NewElement(name.c_str());
    document.InsertEndChild(element);
    return element;
}

tinyxml2::XMLElement* CXmlHelper::AddChildElement(tinyxml2::XMLElement* parent, std::string name) {
    if (parent == nullptr) {
        return nullptr;
    }
    tinyxml2::XMLElement* element = parent->GetDocument()->NewElement(name.c_str());
    parent->InsertEndChild(element);
    return element;
}

void CXmlHelper::SetAttribute(tinyxml2::XMLElement* element, std::string name, std::string value) {
    if (element != nullptr) {
        element->SetAttribute(name.c_str(), value.c_str());
    }
}

tinyxml2::XMLDeclaration* CXmlHelper::AddDeclaration(tinyxml2::XMLDocument& document, std::string version,
                                                     std::string encoding, std::string standalone) {
    std::string text = "xml version=\"" + version + "\"";
    if (!encoding.empty()) {
        text += " encoding=\"" + encoding + "\"";
    }
    if (!standalone.empty()) {
        text += " standalone=\"" + standalone + "\"";
    }
    tinyxml2::XMLDeclaration* declaration = document.NewDeclaration(text.c_str());
    document.InsertEndChild(declaration);
    return declaration;
}

bool CXmlHelper::SaveFile(const tinyxml2::XMLDocument& document, std::string path) {
    tinyxml2::XMLPrinter printer;
    document.Print(&printer);
    // The printer's size counts its closing zero.
    std::string text(printer.CStr(), static_cast<std::size_t>(printer.CStrSize() - 1));
    // Readers tell UTF-8 without a mark from the GBK code page of older copies by the
    // text alone; where this text would read as GBK (U+070B is written as DC 8B, also a
    // GBK character), the mark makes it read back as written.
    if (platform::DetectEncoding(text) != platform::TextEncoding::Utf8) {
        text.insert(0, platform::ByteOrderMark(platform::TextEncoding::Utf8Bom));
    }
    return platform::AtomicWriteFile(platform::ToPath(std::string_view(path)), text);
}
