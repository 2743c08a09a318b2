#include "core/XmlHelper.h"

#include <tinyxml2.h>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

bool CXmlHelper::LoadFile(tinyxml2::XMLDocument& document, std::string path) {
    try {
        const auto bytes = platform::ReadFileBytes(platform::ToPath(std::string_view(path)));
        if (!bytes) {
            return false;
        }
        return document.Parse(bytes->data(), bytes->size()) == tinyxml2::XML_SUCCESS;
    } catch (...) {
        return false;
    }
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
