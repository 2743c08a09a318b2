// CHtmlDrawer: the drawer object, its passes, the tokenizer and the inline flow.
#include "lib/viewer/html/HtmlDrawer.h"

#include <algorithm>

#include "lib/viewer/html/HtmlColourNames.h"
#include "lib/viewer/html/HtmlLayoutMath.h"
#include "lib/viewer/html/PangoTextDevice.h"
#include "platform/base/Encoding.h"
#include "platform/base/Launcher.h"

namespace {

struct Entity {
    const wchar_t* name;
    const wchar_t* replacement;
};

// "&lt;" becomes "<<", which the tokenizer reads as one literal "<".
constexpr Entity kEntities[] = {
    {L"&amp;", L"&"},       {L"&bull;", L"\u2022"}, {L"&copy;", L"\u00A9"}, {L"&euro;", L"\u20AC"},
    {L"&gt;", L">"},        {L"&iquest;", L"\u00BF"}, {L"&lt;", L"<<"},     {L"&nbsp;", L" "},
    {L"&para;", L"\u00B6"}, {L"&pound;", L"\u00A3"}, {L"&quot;", L"\""},    {L"&reg;", L"\u00AE"},
    {L"&trade;", L"\u2122"},
};

constexpr std::size_t kNoPosition = std::wstring::npos;

// Where an http or https address starts: the only links that are followed.
bool IsWebAddress(const std::wstring& target) {
    auto startsWith = [&](std::wstring_view prefix) {
        if (target.size() < prefix.size()) {
            return false;
        }
        for (std::size_t i = 0; i < prefix.size(); ++i) {
            const wchar_t c = target[i] >= L'A' && target[i] <= L'Z' ? target[i] - L'A' + L'a' : target[i];
            if (c != prefix[i]) {
                return false;
            }
        }
        return true;
    };
    return startsWith(L"http://") || startsWith(L"https://");
}

}  // namespace

TableLayout::TableLayout(int rowCount, int columnCount)
    : rows(rowCount),
      columns(columnCount),
      cells(static_cast<std::size_t>(rowCount) * columnCount),
      columnWidths(static_cast<std::size_t>(columnCount), 0),
      rowHeights(static_cast<std::size_t>(rowCount), 0),
      fixedColumns(static_cast<std::size_t>(columnCount), 0) {}

CHtmlDrawer::CHtmlDrawer(SystemColourLookup systemColours) {
    const std::pair<const wchar_t*, TagInfo> tags[] = {
        {L"b", {kTagBold, L"bold"}},
        {L"i", {kTagItalic, L"italic"}},
        {L"em", {kTagItalic, L"italic"}},
        {L"u", {kTagUnderline, L"underline"}},
        {L"s", {kTagStrikeOut, L"strikeout"}},
        {L"strike", {kTagStrikeOut, L"strikeout"}},
        {L"font", {kTagFont, L"font"}},
        {L"hr", {kTagRule, L""}},
        {L"br", {kTagBreak, L""}},
        {L"t", {kTagTab, L""}},
        {L"left", {kTagLeft, L"left"}},
        {L"center", {kTagCenter, L"center"}},
        {L"right", {kTagRight, L"right"}},
        {L"justify", {kTagJustify, L"justify"}},
        {L"baseline", {kTagBaseline, L"baseline"}},
        {L"top", {kTagTop, L"top"}},
        {L"vcenter", {kTagMiddle, L"vcenter"}},
        {L"middle", {kTagMiddle, L"vcenter"}},
        {L"bottom", {kTagBottom, L"vcenter"}},
        {L"bmp", {kTagBitmap, L""}},
        {L"icon", {kTagIcon, L""}},
        {L"ilst", {kTagImageList, L""}},
        {L"string", {kTagString, L""}},
        {L"span", {kTagSpan, L"span"}},
        {L"a", {kTagLink, L"link"}},
    };
    for (const auto& [name, info] : tags) {
        m_tags.emplace(name, info);
    }
    for (const wchar_t* name :
         {L"body", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"code", L"pre", L"big", L"small", L"sub", L"sup"}) {
        m_tags.emplace(name, TagInfo{kTagStyleSheet, name});
    }
    for (const HtmlNamedColour& named : HtmlNamedColours()) {
        m_colours.emplace(named.name, named.colour);
    }
    for (const HtmlSystemColourName& system : HtmlSystemColourNames()) {
        m_colours.emplace(system.name,
                          systemColours ? systemColours(system.index) : DefaultSystemColour(system.index));
    }
    LoadStyleSheet();
}

CHtmlDrawer::~CHtmlDrawer() = default;

HtmlSize CHtmlDrawer::MeasureHtml(gfx::Context& dc, const std::wstring& text) {
    m_text = text;
    PreprocessText();
    if (m_text.empty()) {
        return {0, 0};
    }
    m_measuring = true;
    m_tables.clear();
    HtmlSize size = RunPass(dc, HtmlRect{});
    if (size.cx == 0 && size.cy == 0) {
        m_text.clear();
    }
    return {size.cx + 1, size.cy + 1};
}

void CHtmlDrawer::DrawHtml(const HtmlRect& rect, gfx::Context& dc) {
    if (m_text.empty()) {
        return;
    }
    m_measuring = false;
    RunPass(dc, rect);
}

HtmlSize CHtmlDrawer::RunPass(gfx::Context& dc, const HtmlRect& rect) {
    CPangoTextDevice contextFonts(dc);
    m_dc = &dc;
    m_device = m_textDevice != nullptr ? m_textDevice : &contextFonts;
    const HtmlSize size = RenderDocument(rect);
    m_device = nullptr;
    m_dc = nullptr;
    return size;
}

void CHtmlDrawer::PreprocessText() {
    // One pass from left to right: each entity is decoded once, so "&amp;lt;" shows
    // as "&lt;" and never turns into markup.
    std::wstring out;
    out.reserve(m_text.size());
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        const wchar_t c = m_text[i];
        if (c == L'\r') {
            continue;
        }
        if (c == L'\n') {
            out += L"<br>";
            continue;
        }
        if (c == L'\t') {
            out += L"<t>";
            continue;
        }
        if (c == L'&') {
            const Entity* found = nullptr;
            for (const Entity& entity : kEntities) {
                if (m_text.compare(i, std::wcslen(entity.name), entity.name) == 0) {
                    found = &entity;
                    break;
                }
            }
            if (found != nullptr) {
                out += found->replacement;
                i += std::wcslen(found->name) - 1;
                continue;
            }
        }
        out += c;
    }
    m_text = std::move(out);
}

HtmlSize CHtmlDrawer::RenderDocument(HtmlRect rect) {
    // Each drawing pass records the hot areas afresh: repainting a shown tip must not
    // pile up copies of them.
    m_hotAreas.clear();
    if (m_measuring) {
        m_lines.clear();
        m_animations.clear();
    }
    m_lineIndex = 0;
    m_tableIndex = -1;
    m_linkNumber = -1;
    m_animationIndex = -1;
    m_styles.clear();
    m_style.Reset();
    ApplyStyleSheetEntry(m_style, L"body");
    m_dc->Save();
    SelectStyle();
    const HtmlSize size = LayoutBlocks(m_text, rect, 0);
    m_styles.clear();
    m_dc->Restore();
    return size;
}

std::size_t CHtmlDrawer::FindElement(const std::wstring& text, std::size_t from, std::wstring_view name) {
    const std::wstring needle = L"<" + std::wstring(name);
    for (std::size_t at = text.find(needle, from); at != kNoPosition; at = text.find(needle, at + 1)) {
        // "<<" starts a literal "<", not an element.
        if (at == 0 || text[at - 1] != L'<') {
            return at;
        }
    }
    return kNoPosition;
}

std::size_t CHtmlDrawer::FindTableEnd(const std::wstring& text, std::size_t start) {
    // Each search goes on from where it stopped, so one end costs one pass over the text.
    std::size_t open = FindElement(text, start + 1, L"table");
    std::size_t close = FindElement(text, start + 1, L"/table");
    int depth = 1;
    while (close != kNoPosition) {
        if (open != kNoPosition && open < close) {
            ++depth;
            open = FindElement(text, open + 1, L"table");
        } else if (--depth == 0) {
            return close;
        } else {
            close = FindElement(text, close + 1, L"/table");
        }
    }
    return text.size();
}

HtmlSize CHtmlDrawer::LayoutBlocks(const std::wstring& text, HtmlRect rect, int tableDepth) {
    HtmlSize size;
    auto add = [&](HtmlSize block) {
        size.cx = std::max(size.cx, block.cx);
        size.cy = AddClamped(size.cy, block.cy);
        if (!m_measuring) {
            rect.top = AddClamped(rect.top, block.cy);
        }
    };
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t table = FindElement(text, position, L"table");
        const std::size_t blockEnd = table == kNoPosition ? text.size() : table;
        if (blockEnd > position) {
            add(LayoutFlow(text.substr(position, blockEnd - position), rect));
        }
        if (table == kNoPosition) {
            break;
        }
        // The walk goes on at the closing tag, which the next inline block ignores.
        const std::size_t end = FindTableEnd(text, table);
        add(LayoutTable(text.substr(table, end - table), rect, tableDepth + 1));
        position = end;
    }
    return size;
}

CHtmlDrawer::Token CHtmlDrawer::NextToken(const std::wstring& text, std::size_t& position) {
    Token token;
    const std::size_t open = text.find(L'<', position);
    if (open == kNoPosition) {
        token.run = text.substr(position);
        position = text.size();
        return token;
    }
    token.run = text.substr(position, open - position);
    if (open + 1 >= text.size() || text[open + 1] == L'<') {
        token.run += L'<';
        position = std::min(text.size(), open + 2);
        return token;
    }
    token.hasTag = true;
    const std::size_t close = text.find(L'>', open + 1);
    if (close == kNoPosition) {
        // A "<" without ">": an empty tag, and what follows is plain text.
        position = open + 1;
        return token;
    }
    const std::wstring tag = text.substr(open + 1, close - open - 1);
    position = close + 1;
    const std::size_t split = tag.find_first_of(L" =");
    token.name = tag.substr(0, split);
    if (split != kNoPosition) {
        const std::size_t start = tag.find_first_not_of(L' ', split);
        token.attributes = start == kNoPosition ? std::wstring() : tag.substr(start);
    }
    if (!token.name.empty() && token.name[0] == L'/') {
        token.closing = true;
        token.name.erase(0, 1);
    }
    return token;
}

CHtmlDrawer::Attributes CHtmlDrawer::ParseAttributes(const std::wstring& attributes) {
    Attributes result;
    const std::size_t size = attributes.size();
    std::size_t at = 0;
    while (true) {
        while (at < size && !IsNameStart(attributes[at])) {
            ++at;
        }
        if (at >= size) {
            break;
        }
        const std::size_t nameEnd = std::min(size, attributes.find_first_of(L" =", at));
        std::wstring name = attributes.substr(at, nameEnd - at);
        at = nameEnd;
        while (at < size && attributes[at] == L' ') {
            ++at;
        }
        std::wstring value;
        if (at < size && attributes[at] == L'=') {
            while (at < size && (attributes[at] == L' ' || attributes[at] == L'=')) {
                ++at;
            }
            if (at < size && (attributes[at] == L'"' || attributes[at] == L'\'')) {
                const std::size_t end = std::min(size, attributes.find(attributes[at], at + 1));
                value = attributes.substr(at + 1, end - at - 1);
                at = end + 1;
            } else {
                const std::size_t end = std::min(size, attributes.find(L' ', at));
                value = attributes.substr(at, end - at);
                at = end + 1;
            }
        }
        result.emplace_back(std::move(name), std::move(value));
    }
    return result;
}

HtmlSize CHtmlDrawer::LayoutFlow(const std::wstring& text, const HtmlRect& rect) {
    Flow flow;
    flow.frame = rect;
    flow.y = rect.top;
    flow.x = LineStart(flow);
    const std::size_t firstLine = m_lineIndex;
    // Every inline block is a body element: its text starts with the body rule. The
    // rule is applied as the tags would be, but around the text rather than written
    // into it, so that a "<" at the text's end stays a literal "<".
    OpenStyleTag(kTagStyleSheet, L"body", L"body", {});
    std::size_t position = 0;
    while (position < text.size()) {
        const Token token = NextToken(text, position);
        if (!token.run.empty()) {
            HandleRun(flow, token.run);
        }
        if (token.hasTag) {
            HandleTag(flow, token);
        }
    }
    CloseStyleTag(L"body");
    if (flow.x != flow.lineStartX) {
        LineEnd(flow, 1);
    }
    HtmlSize size{flow.blockWidth, flow.y - rect.top};
    // A percentage rule is as wide as its share of the block plus the rest of its
    // line. Where it leaves room, the block is also made wide enough for the rest of
    // the line to fit beside the rule's share, so that nothing after a rule is cut off.
    const int widest = flow.blockWidth;
    for (std::size_t line = firstLine; line < m_lineIndex && line < m_lines.size(); ++line) {
        const HtmlLineMetrics& metrics = m_lines[line];
        if (metrics.percent != 0) {
            size.cx = std::max(size.cx, AddClamped(MulDiv(metrics.percent, widest, 100), metrics.width));
        }
        if (metrics.percent > 0 && metrics.percent < 100) {
            const long long rest = metrics.width;
            size.cx = std::max(size.cx, SaturateExtent((rest * 100 + 99 - metrics.percent) / (100 - metrics.percent)));
        }
    }
    return size;
}

int CHtmlDrawer::LineStart(Flow& flow) {
    const int available = flow.frame.Width();
    int x = flow.frame.left;
    if (m_measuring) {
        m_line = HtmlLineMetrics{};
        m_line.alignment = m_style.align;
        if (m_lines.size() <= m_lineIndex) {
            m_lines.resize(m_lineIndex + 1);
        }
    } else {
        m_line = m_lineIndex < m_lines.size() ? m_lines[m_lineIndex] : HtmlLineMetrics{};
        int width = m_line.width;
        if (m_line.percent != 0) {
            width = AddClamped(width, MulDiv(available, m_line.percent, 100));
        }
        if (m_line.alignment == kAlignCenter) {
            x = AddClamped(x, (static_cast<long long>(available) - width) / 2);
        } else if (m_line.alignment == kAlignRight) {
            x = AddClamped(x, static_cast<long long>(available) - width);
        }
    }
    flow.lineStartX = x;
    return x;
}

void CHtmlDrawer::LineEnd(Flow& flow, int count) {
    flow.blockWidth = std::max(flow.blockWidth, flow.x - flow.frame.left);
    if (m_measuring) {
        if (m_line.height == 0) {
            m_line.height = m_metrics.height;
        }
        m_line.height = AddClamped(m_line.height, m_line.descent);
        m_line.width = flow.x - flow.frame.left;
        if (m_lines.size() <= m_lineIndex) {
            m_lines.resize(m_lineIndex + 1);
        }
        m_lines[m_lineIndex] = m_line;
    }
    ++m_lineIndex;
    flow.y = AddClamped(flow.y, static_cast<long long>(count) * m_line.height);
    flow.x = LineStart(flow);
}

void CHtmlDrawer::HandleRun(Flow& flow, std::wstring run) {
    switch (m_style.textTransform) {
        case kTransformUpper: std::transform(run.begin(), run.end(), run.begin(), ::towupper); break;
        case kTransformLower: std::transform(run.begin(), run.end(), run.begin(), ::towlower); break;
        case kTransformCapitalize:
            std::transform(run.begin(), run.end(), run.begin(), ::towlower);
            for (std::size_t i = 0; i < run.size(); ++i) {
                if ((i == 0 || run[i - 1] == L' ') && run[i] >= L'a' && run[i] <= L'z') {
                    run[i] = static_cast<wchar_t>(run[i] - L'a' + L'A');
                }
            }
            break;
        default: break;
    }
    PlaceText(flow, run);
}

int CHtmlDrawer::PlacedTop(int y, int itemHeight, bool text) const {
    const int lineHeight = m_line.height;
    switch (m_style.verticalAlign) {
        case kVAlignMiddle: return y + (lineHeight - (text ? m_metrics.height : itemHeight)) / 2;
        case kVAlignBottom: return y + lineHeight - (text ? m_metrics.ascent : itemHeight);
        case kVAlignBaseline: return y + lineHeight - m_line.descent - (text ? m_metrics.ascent : itemHeight);
        default: return y;
    }
}

void CHtmlDrawer::PlaceText(Flow& flow, const std::wstring& text) {
    if (text.empty()) {
        return;
    }
    const HtmlSize extent = m_device->Extent(text);
    if (m_measuring) {
        m_line.descent = std::max(m_line.descent, extent.cy - m_metrics.ascent);
        m_line.height = std::max(m_line.height, m_metrics.ascent);
        m_line.alignment = m_style.align;
        m_line.spaces += static_cast<int>(std::count(text.begin(), text.end(), L' '));
    } else {
        const int y = PlacedTop(flow.y, extent.cy, true);
        RecordHotArea({flow.x, y, AddClamped(flow.x, extent.cx), AddClamped(y, extent.cy)});
        m_device->TextOut(flow.x, y, text, m_style.textColour, m_style.backgroundColour,
                          m_style.backgroundMode == kBackgroundOpaque);
        if (m_style.overline) {
            CTipDrawManager::DrawLine(*m_dc, flow.x, y, AddClamped(flow.x, extent.cx), y, m_style.textColour,
                                      kLineSolid, m_style.weight < 700 ? 1 : 2);
        }
    }
    flow.x = AddClamped(flow.x, extent.cx);
}

void CHtmlDrawer::RecordHotArea(const HtmlRect& rect) {
    if (m_style.linkKind != kLinkNone) {
        m_hotAreas.push_back({rect, m_style.linkKind, m_linkNumber, m_style.linkTarget});
    }
}

void CHtmlDrawer::HandleTag(Flow& flow, const Token& token) {
    const auto found = m_tags.find(token.name);
    if (found == m_tags.end()) {
        return;
    }
    const TagInfo& info = found->second;
    if (!info.styleName.empty()) {
        if (token.closing) {
            CloseStyleTag(info.styleName);
        } else {
            OpenStyleTag(info.code, token.name, info.styleName, token.attributes);
        }
        return;
    }
    if (token.closing) {
        return;
    }
    switch (info.code) {
        case kTagRule: DrawRule(flow, token.attributes); break;
        case kTagBreak: LineEnd(flow, RepeatCount(token.attributes)); break;
        case kTagTab: MoveToTab(flow, token.attributes); break;
        case kTagString: DrawResourceString(flow, token.attributes); break;
        default: DrawImage(flow, info.code, token.attributes); break;
    }
}

void CHtmlDrawer::OpenStyleTag(int code, const std::wstring& tagName, const std::wstring& styleName,
                               const std::wstring& attributes) {
    if (m_styles.size() >= static_cast<std::size_t>(kMaxStyleDepth)) {
        return;
    }
    m_style.name = styleName;
    m_styles.push_back(m_style);
    m_style.name.clear();
    switch (code) {
        case kTagBold: m_style.weight = std::min(2 * m_style.weight, 900); break;
        case kTagItalic: m_style.italic = !m_style.italic; break;
        case kTagUnderline: m_style.underline = !m_style.underline; break;
        case kTagStrikeOut: m_style.strikeOut = !m_style.strikeOut; break;
        case kTagFont: ApplyFontAttributes(attributes); break;
        case kTagLeft: m_style.align = kAlignLeft; break;
        case kTagCenter: m_style.align = kAlignCenter; break;
        case kTagRight: m_style.align = kAlignRight; break;
        case kTagJustify: m_style.align = kAlignJustify; break;
        case kTagBaseline: m_style.verticalAlign = kVAlignBaseline; break;
        case kTagTop: m_style.verticalAlign = kVAlignTop; break;
        case kTagMiddle: m_style.verticalAlign = kVAlignMiddle; break;
        case kTagBottom: m_style.verticalAlign = kVAlignBottom; break;
        case kTagStyleSheet: ApplyStyleSheetEntry(m_style, tagName); break;
        case kTagSpan:
            for (const auto& [name, value] : ParseAttributes(attributes)) {
                if (name == L"class") {
                    ApplyStyleSheetEntry(m_style, L"." + value);
                }
            }
            break;
        case kTagLink: OpenLink(attributes); break;
        default: break;
    }
    SelectStyle();
}

void CHtmlDrawer::CloseStyleTag(const std::wstring& styleName) {
    if (m_styles.empty() || m_styles.back().name != styleName) {
        return;
    }
    m_style = std::move(m_styles.back());
    m_styles.pop_back();
    m_style.name.clear();
    SelectStyle();
}

void CHtmlDrawer::ApplyFontAttributes(const std::wstring& attributes) {
    for (const auto& [name, value] : ParseAttributes(attributes)) {
        if (name == L"face") {
            if (!value.empty()) {
                m_style.face = value;
            }
        } else if (name == L"size") {
            m_style.size = ParseLength(m_style.size, value, true);
        } else if (name == L"color") {
            m_style.textColour = ParseColour(value, m_style.textColour);
        } else if (name == L"style") {
            ApplyFontStyleLetters(m_style, value);
        } else if (name == L"weight") {
            ApplyFontWeight(m_style, value);
        } else if (name == L"bkgnd") {
            if (value.empty() || value == L"transparent") {
                m_style.backgroundMode = kBackgroundTransparent;
            } else {
                m_style.backgroundMode = kBackgroundOpaque;
                m_style.backgroundColour = ParseColour(value, m_style.backgroundColour);
            }
        }
    }
}

void CHtmlDrawer::ApplyFontStyleLetters(HtmlStyle& style, const std::wstring& letters) const {
    bool off = false;
    for (const wchar_t letter : letters) {
        switch (letter) {
            case L'-': off = true; continue;
            case L'b': style.weight = off ? 400 : 700; break;
            case L'i': style.italic = !off; break;
            case L'u': style.underline = !off; break;
            case L's': style.strikeOut = !off; break;
            case L'o': style.overline = !off; break;
            default: break;
        }
        off = false;
    }
}

void CHtmlDrawer::OpenLink(const std::wstring& attributes) {
    m_style.linkKind = kLinkMessage;
    m_style.linkTarget.clear();
    for (const auto& [name, value] : ParseAttributes(attributes)) {
        if (name == L"href" || name == L"msg") {
            m_style.linkKind = name == L"href" ? kLinkShell : kLinkMessage;
            if (!value.empty()) {
                m_style.linkTarget = value;
            }
        }
    }
    ++m_linkNumber;
    ApplyStyleSheetEntry(m_style, m_linkNumber == m_hotLink ? L"a:hover" : L"a:link");
}

void CHtmlDrawer::DrawRule(Flow& flow, const std::wstring& attributes) {
    HtmlStyle rule = m_style;
    ApplyStyleSheetEntry(rule, L"hr");
    bool percentage = true;
    int width = 100;
    int thickness = 1;
    std::uint32_t colour = rule.textColour;
    for (const auto& [name, value] : ParseAttributes(attributes)) {
        if (name == L"width") {
            percentage = !value.empty() && value.back() == L'%';
            width = ParseLength(100, value);
        } else if (name == L"size") {
            thickness = ParseLength(thickness, value);
        } else if (name == L"color") {
            colour = ParseColour(value, colour);
        }
    }
    if (m_measuring) {
        if (percentage) {
            m_line.percent = AddClamped(m_line.percent, width);
            flow.x = AddClamped(flow.x, 1);
        } else {
            flow.x = AddClamped(flow.x, width);
        }
        m_line.height = std::max(m_line.height, AddClamped(thickness, 8));
        m_line.alignment = rule.align;
        return;
    }
    if (percentage) {
        width = MulDiv(flow.frame.Width(), width, 100);
    }
    const int y = flow.y + m_line.height / 2;
    CTipDrawManager::DrawLine(*m_dc, flow.x, y, AddClamped(flow.x, width), y, colour, kLineSolid, thickness);
    flow.x = AddClamped(flow.x, width);
}

int CHtmlDrawer::RepeatCount(const std::wstring& attributes) {
    const std::wstring count = attributes.empty() ? std::wstring() : attributes.substr(1);
    return std::clamp(ParseLength(1, count), 1, kMaxRepeat);
}

void CHtmlDrawer::MoveToTab(Flow& flow, const std::wstring& attributes) {
    int count = RepeatCount(attributes);
    const int offset = flow.x - flow.frame.left;
    if (offset % kTabSize != 0) {
        const int stop = (offset >= 0 ? offset / kTabSize : (offset - kTabSize + 1) / kTabSize) + 1;
        flow.x = flow.frame.left + stop * kTabSize;
        --count;
    }
    flow.x = AddClamped(flow.x, static_cast<long long>(count) * kTabSize);
}

void CHtmlDrawer::DrawResourceString(Flow& flow, const std::wstring& attributes) {
    for (const auto& [name, value] : ParseAttributes(attributes)) {
        if (name == L"idres" || name == L"iddll") {
            std::wstring text;
            const int id = ParseLength(0, value);
            if (id > 0 && m_strings && m_strings(static_cast<std::uint32_t>(id), text)) {
                PlaceText(flow, text);
            }
            return;
        }
    }
}

std::wstring CHtmlDrawer::ResourceTipText(std::uint32_t id) const {
    std::wstring text;
    if (id == 0 || !m_strings || !m_strings(id, text)) {
        return {};
    }
    const std::size_t first = text.find(L'\n');
    if (first == kNoPosition) {
        return {};
    }
    const std::size_t second = text.find(L'\n', first + 1);
    return text.substr(first + 1, second == kNoPosition ? kNoPosition : second - first - 1);
}

int CHtmlDrawer::HotAreaAt(HtmlPoint point) const {
    for (std::size_t i = 0; i < m_hotAreas.size(); ++i) {
        if (m_hotAreas[i].rect.ContainsInclusive(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool CHtmlDrawer::UpdateHoverCursor(HtmlPoint point) {
    const int index = HotAreaAt(point);
    if (index >= 0) {
        // Read before telling: the owner may redraw, which records the hot areas afresh.
        const HotArea& area = m_hotAreas[static_cast<std::size_t>(index)];
        const bool hasTarget = !area.target.empty();
        if (area.linkNumber != m_hotLink) {
            m_hotLink = area.linkNumber;
            if (m_hotLinkNotify) {
                m_hotLinkNotify(m_hotLink);
            }
        }
        return hasTarget;
    }
    if (m_hotLink != -2) {
        m_hotLink = -2;
        if (m_hotLinkNotify) {
            m_hotLinkNotify(m_hotLink);
        }
    }
    return false;
}

int CHtmlDrawer::ActivateHotArea(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_hotAreas.size()) {
        return 0;
    }
    const HotArea& area = m_hotAreas[static_cast<std::size_t>(index)];
    // Links never start programs: only web addresses are followed, as one argument
    // to the desktop's opener.
    if (area.kind != kLinkShell || !IsWebAddress(area.target)) {
        return 0;
    }
    return platform::StartProgram("xdg-open", {platform::WideToUtf8(area.target)}) ? 1 : 0;
}

bool CHtmlDrawer::AdvanceAnimations() {
    bool changed = false;
    for (ImageStripAnimation& animation : m_animations) {
        if (animation.frameCount <= 0) {
            continue;
        }
        if (++animation.tick >= animation.speed) {
            animation.tick = 0;
            animation.currentFrame = (animation.currentFrame + 1) % animation.frameCount;
            changed = true;
        }
    }
    return changed;
}
