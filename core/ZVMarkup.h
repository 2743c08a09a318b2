#pragma once
// A light XML document that keeps the whole text and an index of element positions
// into it: navigating and editing attributes never build a node tree, and a saved
// file differs from the loaded one only where it was edited. Malformed input is
// tolerated: an index is always built and the first problem is reported in the
// result text. The text is held as UTF-16, so offsets, character references and
// surrogate pairs count 16-bit units.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CZVMarkup {
public:
    // Document flag: compare element and attribute names without regard to case.
    static constexpr int kIgnoreCase = 8;

    CZVMarkup() = default;

    // Reads a UTF-8 file and parses it; true when the document is well formed.
    bool Load(const std::filesystem::path& file);
    // Takes the text (null: empty) and parses it; true when well formed.
    bool SetDoc(const wchar_t* text);
    bool SetDoc(std::wstring_view text);
    // Writes the document as UTF-8, without a byte-order mark of its own.
    bool Save(const std::filesystem::path& file);

    std::wstring GetDoc() const;
    // The messages of the last load, parse or save; empty when all went well.
    const std::wstring& GetResult() const { return m_result; }
    int GetDocFlags() const { return m_flags; }
    void SetDocFlags(int flags) { m_flags = flags; }

    // Null or empty matches any element.
    bool FindElem(const wchar_t* name = nullptr);
    bool FindChildElem(const wchar_t* name = nullptr);
    bool IntoElem();
    bool OutOfElem();

    std::wstring GetAttrib(const wchar_t* name) const;
    bool SetAttrib(const wchar_t* name, const wchar_t* value);
    bool SetAttrib(const wchar_t* name, int value);

private:
    struct Element {
        std::size_t start = 0;        // offset of its "<"
        std::size_t length = 0;       // up to and including its end tag (or "/>")
        std::size_t startTagLength = 0;
        std::size_t endTagLength = 0;
        std::uint32_t flags = 0;
        std::uint32_t parent = 0;
        std::uint32_t firstChild = 0;
        std::uint32_t next = 0;       // 0 after the last child
        std::uint32_t previous = 0;   // the first child's previous is the last child
    };
    struct Token;
    struct OpenElement;

    bool Parse();
    Token NextToken(std::size_t pos) const;
    void ReportError(std::u16string message, const std::vector<OpenElement>& open);
    void AppendChild(std::uint32_t parent, std::uint32_t child);
    void CloseUnended(std::uint32_t index);
    std::u16string_view ElementName(std::uint32_t index) const;
    bool NameMatches(std::u16string_view elementName, std::u16string_view wanted) const;
    bool CharsEqual(char16_t a, char16_t b) const;
    std::uint32_t FindSibling(std::uint32_t from, const wchar_t* name) const;

    // An attribute of an element's start tag, as offsets into the document.
    struct AttributeSpan {
        std::size_t nameEnd = 0;     // just after the name
        std::size_t valueStart = 0;  // the value without its quotes
        std::size_t valueEnd = 0;
        bool hasValue = false;       // "=" followed
        bool quoted = false;
    };
    bool FindAttribute(std::uint32_t index, std::u16string_view name, AttributeSpan& span) const;
    void Replace(std::uint32_t index, std::size_t offset, std::size_t removed, std::u16string_view inserted);

    std::u16string m_document;
    std::wstring m_result;
    std::uint32_t m_parent = 0;
    std::uint32_t m_current = 0;
    std::uint32_t m_child = 0;
    int m_flags = 0;
    // Record 0 stands for the document itself.
    std::vector<Element> m_elements;
};
