#pragma once
// Small wrappers over tinyxml2 for the documents the program writes and reads back
// (the report configuration): load, add elements, attributes and a declaration, save.
// Names and texts are UTF-8; paths are UTF-8 too.

#include <string>

namespace tinyxml2 {
class XMLDeclaration;
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

class CXmlHelper {
public:
    // False when the file cannot be read or parsed; never throws.
    static bool LoadFile(tinyxml2::XMLDocument& document, std::string path);
    // A new element as the document's last child.
    static tinyxml2::XMLElement* AddRootElement(tinyxml2::XMLDocument& document, std::string name);
    // A new element as the parent's last child; null for a null parent.
    static tinyxml2::XMLElement* AddChildElement(tinyxml2::XMLElement* parent, std::string name);
    // Nothing for a null element.
    static void SetAttribute(tinyxml2::XMLElement* element, std::string name, std::string value);
    // A new declaration as the document's last child; empty parts are left out.
    static tinyxml2::XMLDeclaration* AddDeclaration(tinyxml2::XMLDocument& document, std::string version,
                                                    std::string encoding, std::string standalone);
    // Writes the whole document through a temporary file; false when it cannot be written.
    static bool SaveFile(const tinyxml2::XMLDocument& document, std::string path);
};
