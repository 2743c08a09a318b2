#pragma once
// CXMLDataExchange: named settings bound to the variables of a window object, so
// that all of them load from and save to XML in one call. The owner registers each
// setting once with its key, its type and the variable's address; the variables
// must outlive the binder. Every value travels as text: integers in decimal,
// colours as "red;green;blue", fonts as "face;12pt" (";bold" for bold), strings as
// they are.

#include <cstdint>
#include <map>
#include <string>

#include <tinyxml2.h>

class CXMLDataExchange {
public:
    // Types of a setting and the variable each binds.
    enum Type : int {
        kInt8 = 1,     // std::int8_t
        kInt16 = 2,    // std::int16_t
        kInt32 = 3,    // std::int32_t
        kInt64 = 4,    // std::int64_t
        kUInt8 = 5,    // std::uint8_t
        kUInt16 = 6,   // std::uint16_t
        kUInt32 = 7,   // std::uint32_t
        kUInt64 = 8,   // std::uint64_t
        kColor = 9,    // std::uint32_t COLORREF
        kFont = 10,    // gfx::Font
        kString = 11,  // std::wstring
    };
    // Pixels per inch of the screen, for font sizes in points.
    static constexpr int kScreenDpi = 96;

    CXMLDataExchange() = default;
    virtual ~CXMLDataExchange() = default;
    CXMLDataExchange(const CXMLDataExchange&) = delete;
    CXMLDataExchange& operator=(const CXMLDataExchange&) = delete;

    // 1 when added; 0 when the key (compared exactly) is already bound, and the first
    // binding stays.
    int Register(const std::wstring& key, int type, void* variable);

    // Whether a value read for a key may be stored; value points to a variable of
    // the key's type. The binder accepts everything; an owner derives to veto.
    virtual int AcceptValue(const std::wstring& key, const void* value);

    // Stores, in key order, the attribute of the element named as each key, where
    // it exists and reads as the key's type.
    void LoadFromElement(const tinyxml2::XMLElement& element);
    // Loads the template into the document, then writes, in key order, each setting
    // whose text is not empty into the root element's attribute of that name where
    // the template has it: the template decides what is written. False, with the
    // document's error, when the template is not well-formed XML with a root element.
    bool SaveToElement(const std::wstring& templateXml, tinyxml2::XMLDocument& document) const;
    // Sets the attribute "VALUE" of the first element named as each key (anywhere in
    // the document, in document order) to the setting's text where that is not
    // empty, and replaces the text by the document's XML. 0, text untouched, when
    // the text is not well-formed XML.
    int SaveToText(std::wstring& xml) const;

private:
    struct Binding {
        int type = 0;
        void* variable = nullptr;
    };

    static std::wstring TextOf(const Binding& binding);
    void Store(const std::wstring& key, const Binding& binding, const std::wstring& text);

    std::map<std::wstring, Binding> m_bindings;
};
