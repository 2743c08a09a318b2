#pragma once
// Small wrappers over tinyxml2 for the documents the program writes and reads back
// (the report configuration): load, add elements, attributes and a declaration, save.
// Names and texts are UTF-8; paths are UTF-8 too.

#include <string>
#include <string_view>

namespace tinyxml2 {
class XMLDeclaration;
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

class CXmlHelper {
public:
    // False when the file cannot be read or parsed; never throws.
    static bool LoadFile(tinyxml2::XMLDocument& document, std::string path);
    // Parses the text; false when it is not XML. An '&' of a text or attribute value
    // that starts no reference is read as itself: tinyxml2 would keep it so only while
    // no reference came before it in the same value, and otherwise read a stale byte
    // of the text in its place ("&lt;ab&c" gave "<ab;c").
    static bool Parse(tinyxml2::XMLDocument& document, std::string_view text);
    // The text with every such '&' written as "&amp;".
    static std::string EscapeBareAmpersands(std::string_view text);
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
