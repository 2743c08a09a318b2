#pragma once
// XML documents to and from the wide texts in which the viewer carries its settings
// and marks.

#include <string>

#include <tinyxml2.h>

namespace tracelume {

// Replaces the document by the parsed text; false, with the reason when asked, when
// it is not well-formed (a second root element included, which the parser lets by).
bool ParseXmlText(tinyxml2::XMLDocument& document, const std::wstring& text, std::wstring* reason = nullptr);
// The document as compact XML text.
std::wstring XmlText(const tinyxml2::XMLDocument& document);

}  // namespace tracelume
