// CHtmlDrawer: the style sheet, style declarations, lengths and colours.
#include <algorithm>
#include <optional>

#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/HtmlLayoutMath.h"
#include "lib/viewer/html/PangoTextDevice.h"

namespace {

constexpr const wchar_t* kBuiltInRules[] = {
    L"body {font-size: 10pt; color:black; font-family:Verdana}",
    L"p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
    L"h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}",
    L"h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
    L"h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}",
    L"h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}",
    L"h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}",
    L"h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}",
    L"pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}",
    L"code {color:#990000; font-family:Arial}",
    L"a:link {text-decoration:none; color:blue}",
    L"a:hover {text-decoration:underline; color:blue}",
    L"sub {font-size:65%; vertical-align:bottom}",
    L"sup {font-size:65%; vertical-align:top}",
    L"big {font-size:125%}",
    L"small {font-size:75%}",
    L".cpp-comment {color:green; font-style:italic}",
};

// The classic font sizes 1..7 of the size attribute.
constexpr int kFontSizes[] = {8, 10, 12, 14, 18, 24, 36};

constexpr std::size_t kStyleNoPosition = std::wstring::npos;

std::wstring AsciiLower(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return text;
}

bool IsSelectorStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'.';
}

// The leading integer of a text (optional sign, then digits); nothing without digits.
std::optional<long long> LeadingInteger(const std::wstring& text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    if (at >= text.size() || text[at] < L'0' || text[at] > L'9') {
        return std::nullopt;
    }
    long long value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = std::min(value * 10 + (text[at] - L'0'), kHtmlMaxExtent);
    }
    return negative ? -value : value;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// An unsigned number with an optional base prefix: "0x" hexadecimal, a leading zero
// octal, otherwise decimal; read as far as the digits go.
std::optional<long long> UnsignedWithBase(const std::wstring& text) {
    std::size_t at = 0;
    int base = 10;
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        at = 2;
    } else if (!text.empty() && text[0] == L'0') {
        base = 8;
    }
    long long value = 0;
    std::size_t digits = 0;
    for (; at < text.size(); ++at, ++digits) {
        const int digit = HexDigit(text[at]);
        if (digit < 0 || digit >= base) {
            break;
        }
        value = std::min(value * base + digit, 0xFFFFFFFFLL);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

void CHtmlDrawer::LoadStyleSheet() {
    std::wstring sheet;
    for (const wchar_t* rule : kBuiltInRules) {
        sheet += rule;
        sheet += L"\r\n";
    }
    LoadStyleSheet(sheet);
}

void CHtmlDrawer::LoadStyleSheet(const std::wstring& sheet) {
    m_styleSheet.clear();
    std::size_t at = 0;
    while (true) {
        while (at < sheet.size() && !IsSelectorStart(sheet[at])) {
            ++at;
        }
        if (at >= sheet.size()) {
            return;
        }
        const std::size_t selectorEnd = std::min(sheet.size(), sheet.find_first_of(L" {", at));
        const std::wstring selector = sheet.substr(at, selectorEnd - at);
        const std::size_t open = sheet.find(L'{', selectorEnd);
        const std::size_t close = open == kStyleNoPosition ? kStyleNoPosition : sheet.find(L'}', open);
        if (close == kStyleNoPosition) {
            return;
        }
        m_styleSheet[AsciiLower(selector)] = sheet.substr(open + 1, close - open - 1);
        at = close + 1;
    }
}

void CHtmlDrawer::ApplyStyleSheetEntry(HtmlStyle& style, const std::wstring& selector) {
    const auto found = m_styleSheet.find(AsciiLower(selector));
    if (found != m_styleSheet.end()) {
        ParseStyleDeclarations(found->second, style);
    }
}

void CHtmlDrawer::ParseStyleDeclarations(const std::wstring& declarations, HtmlStyle& style) {
    const std::wstring text = AsciiLower(declarations);
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (true) {
        while (at < size && !IsSelectorStart(text[at])) {
            ++at;
        }
        if (at >= size) {
            return;
        }
        const std::size_t nameEnd = std::min(size, text.find_first_of(L" :", at));
        const std::wstring property = text.substr(at, nameEnd - at);
        at = nameEnd;
        while (at < size && text[at] == L' ') {
            ++at;
        }
        std::wstring value;
        if (at < size && text[at] == L':') {
            ++at;
            while (at < size && text[at] == L' ') {
                ++at;
            }
            if (at < size && text[at] == L'"') {
                const std::size_t quote = text.find(L'"', at + 1);
                if (quote != kStyleNoPosition) {
                    value = text.substr(at + 1, quote - at - 1);
                    at = quote + 1;
                } else {
                    at = size;
                }
            } else {
                const std::size_t end = std::min(size, text.find(L';', at));
                value = text.substr(at, end - at);
                at = end;
            }
        }
        ApplyDeclaration(property, value, style);
    }
}

void CHtmlDrawer::ApplyDeclaration(const std::wstring& property, const std::wstring& value, HtmlStyle& style) {
    if (property == L"font-size") {
        style.size = ParseLength(style.size, value, true);
    } else if (property == L"font-family") {
        if (!value.empty()) {
            style.face = value;
        }
    } else if (property == L"font-style") {
        if (value.empty() || value == L"normal") {
            style.italic = false;
        } else if (value == L"italic" || value == L"oblique") {
            style.italic = true;
        }
    } else if (property == L"font-weight") {
        ApplyFontWeight(style, value);
    } else if (property == L"text-align") {
        ApplyAlignKeyword(style, value);
    } else if (property == L"text-transform") {
        if (value.empty() || value == L"none") {
            style.textTransform = kTransformNone;
        } else if (value == L"uppercase") {
            style.textTransform = kTransformUpper;
        } else if (value == L"lowercase") {
            style.textTransform = kTransformLower;
        } else if (value == L"capitalize") {
            style.textTransform = kTransformCapitalize;
        }
    } else if (property == L"color") {
        style.textColour = ParseColour(value, style.textColour);
    } else if (property == L"background-color") {
        if (value.empty() || value == L"transparent") {
            style.backgroundMode = kBackgroundTransparent;
        } else {
            style.backgroundMode = kBackgroundOpaque;
            style.backgroundColour = ParseColour(value, style.backgroundColour);
        }
    } else if (property == L"text-decoration") {
        ApplyTextDecoration(style, value);
    } else if (property == L"vertical-align") {
        ApplyVerticalAlignKeyword(style, value);
    } else if (property == L"border-color") {
        style.borderLight = style.borderDark = ParseColour(value, style.borderLight);
    } else if (property == L"border-width" || property == L"size") {
        if (value == L"thin") {
            style.borderWidth = MulDiv(style.borderWidth, 75, 100);
        } else if (value == L"thick") {
            style.borderWidth = MulDiv(style.borderWidth, 125, 100);
        } else if (value != L"medium") {
            style.borderWidth = ParseLength(style.borderWidth, value);
        }
        if (style.borderWidth == 0) {
            style.borderStyle = kBorderNone;
        } else if (style.borderStyle == kBorderNone) {
            style.borderStyle = kBorderSolid;
        }
    } else if (property == L"border-style") {
        ApplyBorderStyleKeyword(style, value);
        if (style.borderStyle != kBorderNone && style.borderWidth == 0) {
            style.borderWidth = 1;
        }
    } else if (property == L"margin") {
        style.cellPadding = ParseLength(style.cellPadding, value);
    } else if (property == L"padding") {
        style.cellSpacing = ParseLength(style.cellSpacing, value);
    }
}

void CHtmlDrawer::ApplyTextDecoration(HtmlStyle& style, const std::wstring& value) {
    const std::wstring decorations = value.empty() ? std::wstring(L"none") : value;
    std::size_t at = 0;
    while (at < decorations.size()) {
        const std::size_t end = std::min(decorations.size(), decorations.find_first_of(L" ,", at));
        const std::wstring word = decorations.substr(at, end - at);
        if (word == L"none") {
            style.underline = style.strikeOut = style.overline = false;
        } else if (word == L"underline") {
            style.underline = true;
        } else if (word == L"line-through") {
            style.strikeOut = true;
        } else if (word == L"overline") {
            style.overline = true;
        }
        at = end + 1;
    }
}

void CHtmlDrawer::ApplyAlignKeyword(HtmlStyle& style, const std::wstring& value) {
    if (value.empty() || value == L"left") {
        style.align = kAlignLeft;
    } else if (value == L"center") {
        style.align = kAlignCenter;
    } else if (value == L"right") {
        style.align = kAlignRight;
    }
}

void CHtmlDrawer::ApplyVerticalAlignKeyword(HtmlStyle& style, const std::wstring& value) {
    if (value.empty() || value == L"baseline") {
        style.verticalAlign = kVAlignBaseline;
    } else if (value == L"middle" || value == L"vcenter") {
        style.verticalAlign = kVAlignMiddle;
    } else if (value == L"top") {
        style.verticalAlign = kVAlignTop;
    } else if (value == L"bottom") {
        style.verticalAlign = kVAlignBottom;
    }
}

void CHtmlDrawer::ApplyBorderStyleKeyword(HtmlStyle& style, const std::wstring& value) {
    if (value.empty() || value == L"none") {
        style.borderStyle = kBorderNone;
    } else if (value == L"solid") {
        style.borderStyle = kBorderSolid;
    } else if (value == L"dotted") {
        style.borderStyle = kBorderDotted;
    } else if (value == L"dashed") {
        style.borderStyle = kBorderDashed;
    } else if (value == L"double") {
        style.borderStyle = kBorderDouble;
    }
}

void CHtmlDrawer::ApplyFontWeight(HtmlStyle& style, const std::wstring& value) const {
    if (value.empty() || value == L"normal") {
        style.weight = 400;
    } else if (value == L"bold") {
        style.weight = 700;
    } else if (value == L"bolder") {
        style.weight = 900;
    } else if (value == L"lighter") {
        style.weight = 100;
    } else {
        style.weight = static_cast<int>(std::clamp(LeadingInteger(value).value_or(0), 0LL, 1000LL));
    }
}

int CHtmlDrawer::ParseLength(int defaultValue, const std::wstring& text, bool fontMode) {
    if (text.empty()) {
        return defaultValue;
    }
    auto bounded = [](long long value) {
        return static_cast<int>(std::clamp<long long>(value, -kMaxLength, kMaxLength));
    };
    if (text.back() == L'%') {
        const std::optional<long long> percent = LeadingInteger(text.substr(0, text.size() - 1));
        return percent ? bounded(MulDiv(defaultValue, *percent, 100)) : defaultValue;
    }
    std::wstring value = text;
    if (value[0] == L'+' || value[0] == L'-') {
        value.erase(0, 1);  // signs are not read: "-2" is 2
    }
    IHtmlTextDevice* device = m_device != nullptr ? m_device : m_textDevice;
    const long long dpi = device != nullptr ? device->PixelsPerInch() : CPangoTextDevice::kScreenPixelsPerInch;
    const std::wstring unit = value.size() >= 2 ? value.substr(value.size() - 2) : std::wstring();
    const bool known = unit == L"px" || unit == L"ex" || unit == L"em" || unit == L"in" || unit == L"cm" ||
                       unit == L"mm" || unit == L"pt" || unit == L"pc";
    if (known) {
        const std::optional<long long> count = LeadingInteger(value);
        if (!count) {
            return defaultValue;
        }
        const long long n = *count;
        if (unit == L"px") {
            return bounded(n);
        }
        if (unit == L"ex") {
            return bounded(n * (device != nullptr ? device->Extent(L"x").cx : 0));
        }
        if (unit == L"em") {
            return bounded(n * m_metrics.height);
        }
        if (unit == L"in") {
            return bounded(n * dpi);
        }
        if (unit == L"cm") {
            return bounded(static_cast<long long>(static_cast<double>(n) * dpi / 2.54));
        }
        if (unit == L"mm") {
            return bounded(static_cast<long long>(static_cast<double>(n) * dpi / 25.4));
        }
        if (unit == L"pt") {
            return bounded(n * dpi / 72);
        }
        return bounded(n * dpi / 6);
    }
    const std::optional<long long> number = UnsignedWithBase(value);
    if (!number) {
        return defaultValue;
    }
    if (fontMode && *number >= 1 && *number <= 7) {
        return kFontSizes[*number - 1];
    }
    return bounded(*number);
}

std::uint32_t CHtmlDrawer::ParseColour(const std::wstring& text, std::uint32_t defaultColour) const {
    if (text.empty()) {
        return defaultColour;
    }
    if (text[0] == L'#') {
        if (text.size() != 7) {
            return defaultColour;
        }
        std::uint32_t channels[3];
        for (int i = 0; i < 3; ++i) {
            const int high = HexDigit(text[1 + 2 * i]);
            const int low = HexDigit(text[2 + 2 * i]);
            if (high < 0 || low < 0) {
                return defaultColour;
            }
            channels[i] = static_cast<std::uint32_t>(high * 16 + low);
        }
        return channels[0] | (channels[1] << 8) | (channels[2] << 16);
    }
    if (text[0] >= L'0' && text[0] <= L'9') {
        const std::optional<long long> value = UnsignedWithBase(text);
        return value ? static_cast<std::uint32_t>(*value) & 0xFFFFFF : defaultColour;
    }
    return ColourByName(text, defaultColour);
}

std::uint32_t CHtmlDrawer::ColourByName(const std::wstring& name, std::uint32_t defaultColour) const {
    const auto found = m_colours.find(name);
    return found != m_colours.end() ? found->second : defaultColour;
}

void CHtmlDrawer::SelectStyle() {
    gfx::Font font;
    font.face = m_style.face;
    font.height = std::clamp(m_style.size, -kMaxFontSize, kMaxFontSize);
    font.weight = std::clamp(m_style.weight, 0, 1000);
    font.italic = m_style.italic;
    font.underline = m_style.underline;
    font.strikeOut = m_style.strikeOut;
    m_device->SelectFont(font);
    m_metrics = m_device->Metrics();
}

std::size_t CHtmlDrawer::PushStyle(const std::wstring& name) {
    m_style.name = name;
    m_styles.push_back(m_style);
    m_style.name.clear();
    return m_styles.size() - 1;
}

void CHtmlDrawer::PopStyleTo(std::size_t depth) {
    // Back to the copy pushed at that depth, also past tags left open inside.
    if (depth < m_styles.size()) {
        m_style = m_styles[depth];
        m_style.name.clear();
        m_styles.resize(depth);
    }
    SelectStyle();
}
