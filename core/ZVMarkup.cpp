#include "core/ZVMarkup.h"

#include <cerrno>
#include <cstring>
#include <cwctype>
#include <fstream>
#include <iterator>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace {

constexpr std::uint32_t kEmptyElement = 0x10000;
constexpr std::uint32_t kNotEnded = 0x100000;
constexpr std::uint32_t kHasMismatch = 0x200000;
constexpr std::uint32_t kDocumentError = 0x800000;

enum TokenType {
    kEndTag = 0,
    kStartTag = 1,
    kText = 2,
    kWhiteSpace = 4,
    kCData = 8,
    kProcessingInstruction = 16,
    kComment = 32,
    kDeclaration = 64,
    kError = -1,
    kEndOfDocument = -2,
};

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

bool IsOneOf(char16_t c, std::u16string_view set) { return set.find(c) != std::u16string_view::npos; }

std::u16string ToU16(std::wstring_view text) { return platform::WideToUtf16(text); }
std::u16string ToU16(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }
std::u16string Number(std::size_t value) { return ToU16(std::to_string(value)); }

// The system's message for an error number, first line only.
std::wstring SystemMessage(int error) {
    std::string text = std::strerror(error);
    text = text.substr(0, text.find_first_of("\r\n"));
    return platform::Utf8ToWide(text);
}

// UTF-8 as terminals and editors write it; anything malformed becomes "?", a zero
// byte ends the text, a byte-order mark is kept as a character.
std::u16string DecodeUtf8(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead == 0) {
            break;
        }
        if (lead < 0x80) {
            text.push_back(lead);
            ++i;
            continue;
        }
        std::size_t extra = 0;
        char32_t code = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        }
        if (extra != 0 && i + extra >= bytes.size()) {
            text.push_back(u'?');  // cut off by the end of the file
            break;
        }
        bool ok = extra != 0;
        for (std::size_t k = 1; ok && k <= extra; ++k) {
            const auto trail = static_cast<unsigned char>(bytes[i + k]);
            ok = (trail & 0x80) != 0;
            code = (code << 6) | (trail & 0x3F);
        }
        if (!ok || code > 0x10FFFF) {
            text.push_back(u'?');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return text;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Surrogate pairs are joined; a surrogate without its partner is written as "?"
// rather than as bytes no UTF-8 reader accepts.
std::string EncodeUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out.push_back('?');
        } else {
            AppendUtf8(out, c);
        }
    }
    return out;
}

// Entity and character references of an attribute value.
std::u16string DecodeValue(std::u16string_view value) {
    static constexpr std::pair<std::u16string_view, char16_t> kEntities[] = {
        {u"&lt;", u'<'}, {u"&amp;", u'&'}, {u"&gt;", u'>'}, {u"&apos;", u'\''}, {u"&quot;", u'"'},
    };
    std::u16string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != u'&') {
            out.push_back(value[i]);
            continue;
        }
        const std::u16string_view rest = value.substr(i);
        bool decoded = false;
        for (const auto& [entity, character] : kEntities) {
            if (rest.starts_with(entity)) {
                out.push_back(character);
                i += entity.size() - 1;
                decoded = true;
                break;
            }
        }
        if (!decoded && rest.size() > 2 && rest[1] == u'#') {
            // A numeric reference needs its ";" within seven characters of the "&".
            const std::size_t semicolon = rest.substr(0, 8).find(u';');
            if (semicolon != std::u16string_view::npos) {
                const bool hex = rest[2] == u'x';
                std::uint32_t code = 0;
                std::size_t k = hex ? 3 : 2;
                bool digits = k < semicolon;
                for (; k < semicolon && digits; ++k) {
                    const char16_t c = rest[k];
                    int digit = -1;
                    if (c >= u'0' && c <= u'9') {
                        digit = c - u'0';
                    } else if (hex && c >= u'a' && c <= u'f') {
                        digit = c - u'a' + 10;
                    } else if (hex && c >= u'A' && c <= u'F') {
                        digit = c - u'A' + 10;
                    }
                    digits = digit >= 0;
                    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
                }
                const auto character = static_cast<char16_t>(code);
                if (digits && character != 0) {
                    out.push_back(character);
                    i += semicolon;
                    decoded = true;
                }
            }
        }
        if (!decoded) {
            out.push_back(u'&');
        }
    }
    return out;
}

std::u16string EncodeValue(std::u16string_view value) {
    std::u16string out;
    out.reserve(value.size() + 2);
    out.push_back(u'"');
    for (const char16_t c : value) {
        switch (c) {
        case u'<': out += u"&lt;"; break;
        case u'&': out += u"&amp;"; break;
        case u'>': out += u"&gt;"; break;
        case u'\'': out += u"&apos;"; break;
        case u'"': out += u"&quot;"; break;
        default: out.push_back(c);
        }
    }
    out.push_back(u'"');
    return out;
}

}  // namespace

struct CZVMarkup::Token {
    int type = kEndOfDocument;
    std::size_t start = 0;
    std::size_t length = 0;
    bool empty = false;           // a start tag written "<name/>"
    std::u16string nameOrMessage;
};

struct CZVMarkup::OpenElement {
    std::uint32_t index;
    std::u16string name;
};

bool CZVMarkup::CharsEqual(char16_t a, char16_t b) const {
    if (a == b) {
        return true;
    }
    if ((m_flags & kIgnoreCase) == 0) {
        return false;
    }
    return std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b));
}

// The element's name equals the wanted one, or the wanted one continues after it with
// one of " =/[]" (so "Language[1]" finds "Language", but "Language" not "LanguageList").
bool CZVMarkup::NameMatches(std::u16string_view elementName, std::u16string_view wanted) const {
    if (wanted.size() < elementName.size()) {
        return false;
    }
    for (std::size_t i = 0; i < elementName.size(); ++i) {
        if (!CharsEqual(elementName[i], wanted[i])) {
            return false;
        }
    }
    return wanted.size() == elementName.size() || IsOneOf(wanted[elementName.size()], u" =/[]");
}

std::u16string_view CZVMarkup::ElementName(std::uint32_t index) const {
    const Element& element = m_elements[index];
    const std::size_t begin = element.start + 1;
    std::size_t end = begin;
    while (end < element.start + element.startTagLength && !IsSpace(m_document[end]) &&
           !IsOneOf(m_document[end], u"<>=\\/?!")) {
        ++end;
    }
    return std::u16string_view(m_document).substr(begin, end - begin);
}

CZVMarkup::Token CZVMarkup::NextToken(std::size_t pos) const {
    const std::u16string_view doc(m_document);
    const std::size_t size = doc.size();
    Token token;
    token.start = pos;
    if (pos >= size) {
        return token;
    }
    auto unterminated = [&](const char* kind) {
        token.type = kError;
        token.length = size - pos;
        token.nameOrMessage = ToU16(std::string(kind)) + u" at offset " + Number(pos) + u" unterminated";
        return token;
    };
    // An error runs up to the next "<".
    auto incorrect = [&](const char* what) {
        token.type = kError;
        const std::size_t next = doc.find(u'<', pos + 1);
        token.length = (next == std::u16string_view::npos ? size : next) - pos;
        token.nameOrMessage = u"Incorrect " + ToU16(std::string(what)) + u" at offset " + Number(pos);
        return token;
    };
    // A construct closed by a fixed text, searched from `from`.
    auto closedBy = [&](int type, std::u16string_view close, std::size_t from, const char* kind) {
        const std::size_t end = doc.find(close, from);
        if (end == std::u16string_view::npos) {
            return unterminated(kind);
        }
        token.type = type;
        token.length = end + close.size() - pos;
        return token;
    };

    if (doc[pos] != u'<') {
        std::size_t end = pos;
        while (end < size && IsSpace(doc[end])) {
            ++end;
        }
        token.type = kWhiteSpace;
        if (end < size && doc[end] != u'<') {
            token.type = kText;
            end = doc.find(u'<', end);
            if (end == std::u16string_view::npos) {
                end = size;
            }
        }
        token.length = end - pos;
        return token;
    }
    if (pos + 1 >= size) {
        return unterminated("tag");
    }
    const char16_t c = doc[pos + 1];
    if ((c >= u'A' && c <= u'Z') || c == u'_' || c == u':' || c >= u'a') {
        std::size_t nameEnd = pos + 1;
        while (nameEnd < size && !IsSpace(doc[nameEnd]) && !IsOneOf(doc[nameEnd], u"<>=\\/?!")) {
            ++nameEnd;
        }
        std::size_t end = nameEnd;
        char16_t quote = 0;
        while (end < size && (quote != 0 || doc[end] != u'>')) {
            if (quote != 0) {
                quote = doc[end] == quote ? char16_t(0) : quote;
            } else if (doc[end] == u'"' || doc[end] == u'\'') {
                quote = doc[end];
            }
            ++end;
        }
        if (end >= size) {
            return unterminated("Element tag");
        }
        token.type = kStartTag;
        token.length = end + 1 - pos;
        token.nameOrMessage = std::u16string(doc.substr(pos + 1, nameEnd - pos - 1));
        if (end > pos + 1 && doc[end - 1] == u'/') {
            const std::size_t slash = end - 1;
            const char16_t before = doc[slash - 1];
            token.empty = slash == nameEnd || IsSpace(before) || before == u'"' || before == u'\'';
        }
        return token;
    }
    if (c == u'/') {
        const std::size_t end = doc.find(u'>', pos + 2);
        if (end == std::u16string_view::npos) {
            return unterminated("Element end tag");
        }
        std::size_t nameEnd = pos + 2;
        while (nameEnd < end && !IsSpace(doc[nameEnd])) {
            ++nameEnd;
        }
        token.type = kEndTag;
        token.length = end + 1 - pos;
        token.nameOrMessage = std::u16string(doc.substr(pos + 2, nameEnd - pos - 2));
        return token;
    }
    if (c == u'?') {
        return closedBy(kProcessingInstruction, u"?>", pos + 2, "Processing instruction");
    }
    if (c != u'!') {
        return incorrect("tag name character");
    }
    if (pos + 2 >= size) {
        return unterminated("tag");
    }
    const char16_t d = doc[pos + 2];
    if (d == u'-') {
        if (pos + 3 >= size) {
            return unterminated("Comment");
        }
        if (doc[pos + 3] != u'-') {
            return incorrect("comment tag");
        }
        return closedBy(kComment, u"-->", pos + 4, "Comment");
    }
    if (d == u'[') {
        if (pos + 3 >= size) {
            return unterminated("CDATA Section");
        }
        if (doc[pos + 3] != u'C') {
            return incorrect("tag");
        }
        return closedBy(kCData, u"]]>", pos + 4, "CDATA Section");
    }
    if (d == u'D') {
        // Declarations inside the document type ("<!ENTITY ...>") belong to it.
        int depth = 0;
        for (std::size_t end = pos + 3; end < size; ++end) {
            if (doc[end] == u'<') {
                ++depth;
            } else if (doc[end] == u'>' && depth-- == 0) {
                token.type = kDeclaration;
                token.length = end + 1 - pos;
                return token;
            }
        }
        return unterminated("Doctype");
    }
    if (d == u'E' || d == u'A' || d == u'N') {
        return closedBy(kDeclaration, u">", pos + 3, "tag");
    }
    return incorrect("! tag");
}

void CZVMarkup::ReportError(std::u16string message, const std::vector<OpenElement>& open) {
    m_elements[0].flags |= kDocumentError;
    m_elements[open.empty() ? 0 : open.back().index].flags |= kHasMismatch;
    if (m_result.empty()) {
        m_result = platform::Utf16ToWide(message);
    }
}

void CZVMarkup::AppendChild(std::uint32_t parent, std::uint32_t child) {
    Element& p = m_elements[parent];
    m_elements[child].parent = parent;
    if (p.firstChild == 0) {
        p.firstChild = child;
        m_elements[child].previous = child;
        return;
    }
    const std::uint32_t last = m_elements[p.firstChild].previous;
    m_elements[last].next = child;
    m_elements[child].previous = last;
    m_elements[p.firstChild].previous = child;
}

// An element closed implicitly: it ends with its start tag, and its children move up
// to follow it as siblings.
void CZVMarkup::CloseUnended(std::uint32_t index) {
    Element& element = m_elements[index];
    element.flags |= kNotEnded;
    element.length = element.startTagLength;
    const std::uint32_t first = element.firstChild;
    if (first == 0) {
        return;
    }
    const std::uint32_t last = m_elements[first].previous;
    for (std::uint32_t child = first; child != 0; child = m_elements[child].next) {
        m_elements[child].parent = element.parent;
    }
    const std::uint32_t after = element.next;
    element.firstChild = 0;
    element.next = first;
    m_elements[first].previous = index;
    m_elements[last].next = after;
    if (after != 0) {
        m_elements[after].previous = last;
    } else {
        m_elements[m_elements[element.parent].firstChild].previous = last;
    }
}

bool CZVMarkup::Parse() {
    m_elements.clear();
    m_elements.reserve(m_document.size() / 64 + 8);
    m_elements.emplace_back();
    m_elements[0].length = m_document.size();
    m_parent = m_current = m_child = 0;

    std::vector<OpenElement> open;
    open.reserve(6);
    std::size_t pos = 0;
    for (Token token = NextToken(pos); token.type != kEndOfDocument; token = NextToken(pos)) {
        pos = token.start + token.length;
        if (token.type == kError) {
            ReportError(std::move(token.nameOrMessage), open);
        } else if (token.type == kStartTag) {
            const auto index = static_cast<std::uint32_t>(m_elements.size());
            Element element;
            element.start = token.start;
            element.startTagLength = token.length;
            element.length = token.length;
            element.flags = token.empty ? kEmptyElement : 0;
            m_elements.push_back(element);
            AppendChild(open.empty() ? 0 : open.back().index, index);
            if (!token.empty) {
                open.push_back({index, std::move(token.nameOrMessage)});
            }
        } else if (token.type == kEndTag) {
            std::size_t match = open.size();
            while (match > 0 && !NameMatches(open[match - 1].name, token.nameOrMessage)) {
                --match;
            }
            if (match == 0) {
                ReportError(u"No start tag for end tag '" + token.nameOrMessage + u"' at offset " +
                                Number(token.start),
                            open);
                continue;
            }
            if (match != open.size()) {
                const OpenElement& inner = open.back();
                ReportError(u"End tag '" + token.nameOrMessage + u"' at offset " + Number(token.start + 1) +
                                u" does not match start tag '" + inner.name + u"' at offset " +
                                Number(m_elements[inner.index].start),
                            open);
                while (open.size() > match) {
                    CloseUnended(open.back().index);
                    open.pop_back();
                }
            }
            Element& closed = m_elements[open.back().index];
            closed.length = pos - closed.start;
            closed.endTagLength = token.length;
            open.pop_back();
        }
    }
    while (!open.empty()) {
        const OpenElement& inner = open.back();
        ReportError(u"Element '" + inner.name + u"' at offset " + Number(m_elements[inner.index].start) +
                        u" not ended",
                    open);
        CloseUnended(inner.index);
        open.pop_back();
    }

    const std::uint32_t root = m_elements[0].firstChild;
    if (m_document.empty()) {
        ReportError(u"Empty document", open);
    } else if (root == 0) {
        ReportError(u"No root element", open);
    } else if (m_elements[root].next != 0) {
        ReportError(u"Root element has sibling", open);
    }
    return root != 0 && m_elements[root].next == 0 && (m_elements[0].flags & kDocumentError) == 0;
}

bool CZVMarkup::Load(const std::filesystem::path& file) {
    m_document.clear();
    m_elements.assign(1, Element{});
    m_parent = m_current = m_child = 0;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        m_result = SystemMessage(errno != 0 ? errno : ENOENT);
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    m_document = DecodeUtf8(bytes);
    const std::wstring loaded = std::to_wstring(bytes.size()) + L" bytes to " + std::to_wstring(m_document.size()) +
                                L" wide chars";
    m_result.clear();
    const bool wellFormed = Parse();
    m_result = m_result.empty() ? loaded : loaded + L", " + m_result;
    return wellFormed;
}

bool CZVMarkup::SetDoc(const wchar_t* text) { return SetDoc(std::wstring_view(text != nullptr ? text : L"")); }

bool CZVMarkup::SetDoc(std::wstring_view text) {
    m_document = ToU16(text);
    m_result.clear();
    return Parse();
}

bool CZVMarkup::Save(const std::filesystem::path& file) {
    const std::string bytes = EncodeUtf8(m_document);
    errno = 0;
    if (!platform::AtomicWriteFile(file, bytes)) {
        m_result = SystemMessage(errno != 0 ? errno : EIO);
        return false;
    }
    m_result = std::to_wstring(m_document.size()) + L" wide chars to " + std::to_wstring(bytes.size()) + L" bytes";
    return true;
}

std::wstring CZVMarkup::GetDoc() const { return platform::Utf16ToWide(m_document); }

std::uint32_t CZVMarkup::FindSibling(std::uint32_t from, const wchar_t* name) const {
    const std::u16string wanted = ToU16(std::wstring_view(name != nullptr ? name : L""));
    for (std::uint32_t index = from; index != 0; index = m_elements[index].next) {
        if (wanted.empty() || NameMatches(ElementName(index), wanted)) {
            return index;
        }
    }
    return 0;
}

bool CZVMarkup::FindElem(const wchar_t* name) {
    if (m_elements.empty()) {
        return false;
    }
    const std::uint32_t from = m_current != 0 ? m_elements[m_current].next : m_elements[m_parent].firstChild;
    const std::uint32_t found = FindSibling(from, name);
    if (found == 0) {
        return false;
    }
    m_current = found;
    m_child = 0;
    return true;
}

bool CZVMarkup::FindChildElem(const wchar_t* name) {
    if (m_current == 0 && !FindElem(nullptr)) {
        return false;
    }
    const std::uint32_t from = m_child != 0 ? m_elements[m_child].next : m_elements[m_current].firstChild;
    const std::uint32_t found = FindSibling(from, name);
    if (found == 0) {
        return false;
    }
    m_child = found;
    return true;
}

bool CZVMarkup::IntoElem() {
    if (m_current == 0) {
        return false;
    }
    m_parent = m_current;
    m_current = m_child;
    m_child = 0;
    return true;
}

bool CZVMarkup::OutOfElem() {
    if (m_parent == 0) {
        return false;
    }
    m_child = m_current;
    m_current = m_parent;
    m_parent = m_elements[m_parent].parent;
    return true;
}

bool CZVMarkup::FindAttribute(std::uint32_t index, std::u16string_view name, AttributeSpan& span) const {
    const Element& element = m_elements[index];
    const std::u16string_view doc(m_document);
    const std::size_t tagEnd = element.start + element.startTagLength;
    std::size_t pos = element.start + 1 + ElementName(index).size();
    while (pos < tagEnd) {
        while (pos < tagEnd && IsSpace(doc[pos])) {
            ++pos;
        }
        if (pos >= tagEnd || IsOneOf(doc[pos], u">/?")) {
            return false;
        }
        const std::size_t nameStart = pos;
        while (pos < tagEnd && !IsOneOf(doc[pos], u"= \t\n\r>/?")) {
            ++pos;
        }
        AttributeSpan current;
        current.nameEnd = pos;
        std::size_t look = pos;
        while (look < tagEnd && IsSpace(doc[look])) {
            ++look;
        }
        if (look < tagEnd && doc[look] == u'=') {
            ++look;
            while (look < tagEnd && IsSpace(doc[look])) {
                ++look;
            }
            current.hasValue = true;
            if (look < tagEnd && (doc[look] == u'"' || doc[look] == u'\'')) {
                const char16_t quote = doc[look];
                current.quoted = true;
                current.valueStart = look + 1;
                std::size_t close = doc.find(quote, look + 1);
                if (close == std::u16string_view::npos || close >= tagEnd) {
                    close = tagEnd - 1;
                    current.quoted = false;  // no closing quote: the value runs to the tag's end
                }
                current.valueEnd = close;
                pos = close + (current.quoted ? 1 : 0);
            } else {
                current.valueStart = look;
                while (look < tagEnd && !IsSpace(doc[look]) && doc[look] != u'>') {
                    ++look;
                }
                current.valueEnd = look;
                pos = look;
            }
        } else {
            current.valueStart = current.valueEnd = current.nameEnd;
        }
        const std::u16string_view attributeName = doc.substr(nameStart, current.nameEnd - nameStart);
        if (attributeName.size() == name.size() && !name.empty() &&
            NameMatches(attributeName, name)) {
            span = current;
            return true;
        }
        if (pos == nameStart) {
            ++pos;  // a stray character: never stand still
        }
    }
    return false;
}

std::wstring CZVMarkup::GetAttrib(const wchar_t* name) const {
    AttributeSpan span;
    if (m_current == 0 || name == nullptr || !FindAttribute(m_current, ToU16(std::wstring_view(name)), span)) {
        return {};
    }
    const std::u16string_view value = std::u16string_view(m_document).substr(span.valueStart,
                                                                              span.valueEnd - span.valueStart);
    return platform::Utf16ToWide(DecodeValue(value));
}

bool CZVMarkup::SetAttrib(const wchar_t* name, int value) {
    return SetAttrib(name, std::to_wstring(value).c_str());
}

bool CZVMarkup::SetAttrib(const wchar_t* name, const wchar_t* value) {
    if (m_current == 0 || name == nullptr || *name == 0) {
        return false;
    }
    const std::u16string wantedName = ToU16(std::wstring_view(name));
    const std::u16string encoded = EncodeValue(ToU16(std::wstring_view(value != nullptr ? value : L"")));
    AttributeSpan span;
    if (FindAttribute(m_current, wantedName, span)) {
        if (!span.hasValue) {
            Replace(m_current, span.nameEnd, 0, u"=" + encoded);
        } else if (span.quoted) {
            Replace(m_current, span.valueStart - 1, span.valueEnd - span.valueStart + 2, encoded);
        } else {
            Replace(m_current, span.valueStart, span.valueEnd - span.valueStart, encoded);
        }
        return true;
    }
    // A new attribute goes just before the end of the start tag ("/>" or ">").
    const Element& element = m_elements[m_current];
    std::size_t insert = element.start + element.startTagLength - 1;
    if ((element.flags & kEmptyElement) != 0) {
        --insert;
    }
    Replace(m_current, insert, 0, u" " + wantedName + u"=" + encoded);
    return true;
}

// Edits the start tag of an element and shifts the index: the element and every
// element around it grow, every element after it moves.
void CZVMarkup::Replace(std::uint32_t index, std::size_t offset, std::size_t removed, std::u16string_view inserted) {
    m_document.replace(offset, removed, inserted);
    const auto delta = static_cast<std::ptrdiff_t>(inserted.size()) - static_cast<std::ptrdiff_t>(removed);
    const std::size_t start = m_elements[index].start;
    m_elements[index].startTagLength += delta;
    for (std::size_t i = 1; i < m_elements.size(); ++i) {
        if (m_elements[i].start > start) {
            m_elements[i].start += delta;
        }
    }
    for (std::uint32_t around = index;; around = m_elements[around].parent) {
        m_elements[around].length += delta;
        if (around == 0) {
            break;
        }
    }
}
