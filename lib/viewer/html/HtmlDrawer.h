#pragma once
// CHtmlDrawer: lays out and draws the small HTML-like markup of the tooltips in two
// passes over the same text. The measuring pass (MeasureHtml) lays the markup out,
// records what depends on the whole layout (line metrics, table column widths and
// row heights, animated image strips) and returns the size; the drawing pass
// (DrawHtml) walks the markup the same way, replays those records in order and
// draws into a rectangle, recording the hot areas of links as it goes.
//
// Markup: paired style tags (b, i, u, s, font, alignment, the style-sheet tags h1..h6,
// code, pre, big, small, sub, sup, span, a), standalone elements (hr, br, t, string,
// bmp, icon, ilst) and tables (table, tr, td), with a small style sheet; tag and
// attribute names are lower case; "<<" is a literal "<". Images come only from the
// program's own pictures and from picture files inside the program folder. Links
// open only http and https addresses, in the user's browser.
//
// Text is measured and drawn through an IHtmlTextDevice (the drawing context's
// fonts unless another device is set); fills, lines and pictures through
// CTipDrawManager onto the drawing context.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string_view>
#include <string>
#include <vector>

#include "lib/viewer/html/HtmlGeometry.h"
#include "lib/viewer/html/HtmlStyle.h"
#include "lib/viewer/html/HtmlTextDevice.h"
#include "lib/viewer/html/TipDrawManager.h"
#include "platform/gfx/Context.h"

// One line of the laid-out document, written by the measuring pass at the line's
// end and read by the drawing pass at its start.
struct HtmlLineMetrics {
    int width = 0;      // from the line's left edge to the end of its last item
    int height = 0;     // largest ascent or item height, plus the largest descent
    int descent = 0;    // largest part of a text item below its ascent
    int percent = 0;    // sum of the percentages of the line's percentage rules
    int alignment = 0;  // HtmlAlign
    int spaces = 0;
    int wrapped = 0;    // always 0: lines end only at breaks and block ends
};

struct TableCellMetrics {
    int colSpan = 0;  // -1: the position is covered by another cell's span
    int rowSpan = 0;
    int contentWidth = 0;
    int contentHeight = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    bool fixed = false;  // the cell asked for a width
};

struct TableLayout {
    int rows = 0;
    int columns = 0;
    std::vector<TableCellMetrics> cells;  // rows x columns, row by row
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    std::vector<char> fixedColumns;

    TableLayout(int rowCount, int columnCount);
    TableCellMetrics& At(int row, int column) { return cells[static_cast<std::size_t>(row) * columns + column]; }
};

struct HotArea {
    HtmlRect rect;  // edges inclusive
    int kind = kLinkNone;
    int linkNumber = 0;
    std::wstring target;
};

struct ImageStripAnimation {
    int currentFrame = 0;
    int frameCount = 0;
    int tick = 0;
    int speed = 0;
};

class CHtmlDrawer {
public:
    // A system colour by its index (0 scroll bar .. 24 tooltip background), read once
    // when the drawer is made; without one the classic defaults are used.
    using SystemColourLookup = std::function<std::uint32_t(int index)>;
    // A string resource by id: true and the text when it exists.
    using StringLoader = std::function<bool(std::uint32_t id, std::wstring& text)>;
    // Told the link number under the mouse (-2 for none) whenever it changes.
    using HotLinkNotify = std::function<void(int linkNumber)>;

    // Lengths, spans and repeat counts of the markup are kept to these bounds, so
    // that no text, however hostile, makes a layout overflow, allocate without
    // bound or recurse deeply.
    static constexpr int kMaxLength = 100000;
    static constexpr int kMaxFontSize = 500;
    static constexpr int kMaxRepeat = 100;        // br and t counts
    static constexpr int kMaxSpan = 64;           // colspan and rowspan
    static constexpr int kMaxTableColumns = 128;
    static constexpr int kMaxTableRows = 1024;
    static constexpr int kMaxTableDepth = 16;     // deeper tables are left out
    static constexpr int kMaxStyleDepth = 1000;   // deeper style tags are ignored
    static constexpr int kSystemIconSize = 32;
    static constexpr int kTabSize = 32;

    explicit CHtmlDrawer(SystemColourLookup systemColours = {});
    virtual ~CHtmlDrawer();
    CHtmlDrawer(const CHtmlDrawer&) = delete;
    CHtmlDrawer& operator=(const CHtmlDrawer&) = delete;

    // Stores the text and measures it; the size includes one extra pixel each way.
    // (0, 0) for an empty text; a text whose layout is empty measures (1, 1) and
    // later draws nothing.
    HtmlSize MeasureHtml(gfx::Context& dc, const std::wstring& text);
    // Draws the stored text into the rectangle (normally the measured size).
    void DrawHtml(const HtmlRect& rect, gfx::Context& dc);

    // Links: the hot areas of the last drawing pass.
    int HotAreaAt(HtmlPoint point) const;
    // Tracks the link under the point; true when the hand cursor should show.
    bool UpdateHoverCursor(HtmlPoint point);
    // Follows the link of a hot area: an http or https address opens in the user's
    // browser (1 when that was started); other links do nothing (0).
    int ActivateHotArea(int index);
    // One 100-ms tick of the animated image strips; true when a frame changed.
    bool AdvanceAnimations();
    // The second line of a string resource (the text between the first and the
    // second line feed); empty without one.
    std::wstring ResourceTipText(std::uint32_t id) const;

    void SetHotLinkNotify(HotLinkNotify notify) { m_hotLinkNotify = std::move(notify); }
    void SetStringLoader(StringLoader loader) { m_strings = std::move(loader); }
    // Measures and draws text through the device instead of the drawing context's
    // fonts (null restores that). The device must outlive its use.
    void SetTextDevice(IHtmlTextDevice* device) { m_textDevice = device; }

    // The style sheet: the built-in one when no text is given.
    void LoadStyleSheet();
    void LoadStyleSheet(const std::wstring& sheet);
    void ApplyStyleSheetEntry(HtmlStyle& style, const std::wstring& selector);
    void ParseStyleDeclarations(const std::wstring& declarations, HtmlStyle& style);
    // Lengths by their unit (px, ex, em, in, cm, mm, pt, pc, %, or a plain number;
    // in font mode 1..7 are the seven classic font sizes) relative to the default.
    int ParseLength(int defaultValue, const std::wstring& text, bool fontMode = false);
    std::uint32_t ParseColour(const std::wstring& text, std::uint32_t defaultColour) const;
    std::uint32_t ColourByName(const std::wstring& name, std::uint32_t defaultColour) const;

    // What the passes recorded.
    const std::wstring& StoredText() const { return m_text; }
    const std::deque<TableLayout>& Tables() const { return m_tables; }
    const std::vector<HotArea>& HotAreas() const { return m_hotAreas; }
    const std::vector<ImageStripAnimation>& Animations() const { return m_animations; }

private:
    enum TagCode {
        kTagBold = 1,
        kTagItalic = 2,
        kTagUnderline = 3,
        kTagStrikeOut = 4,
        kTagFont = 5,
        kTagRule = 6,
        kTagBreak = 7,
        kTagTab = 8,
        kTagLeft = 9,
        kTagCenter = 10,
        kTagRight = 11,
        kTagJustify = 12,
        kTagBaseline = 13,
        kTagTop = 14,
        kTagMiddle = 15,
        kTagBottom = 16,
        kTagBitmap = 17,
        kTagIcon = 18,
        kTagImageList = 19,
        kTagString = 20,
        kTagStyleSheet = 21,
        kTagSpan = 22,
        kTagLink = 23,
    };
    struct TagInfo {
        int code = 0;
        std::wstring styleName;  // empty for standalone elements
    };
    struct Token {
        std::wstring run;
        bool hasTag = false;
        bool closing = false;
        std::wstring name;
        std::wstring attributes;
    };
    using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;
    // The inline block being laid out.
    struct Flow {
        HtmlRect frame;
        int x = 0;
        int y = 0;
        int lineStartX = 0;
        int blockWidth = 0;
    };

    HtmlSize RunPass(gfx::Context& dc, const HtmlRect& rect);
    void PreprocessText();
    HtmlSize RenderDocument(HtmlRect rect);
    // Inline blocks and tables one below the other.
    HtmlSize LayoutBlocks(const std::wstring& text, HtmlRect rect, int tableDepth);
    HtmlSize LayoutFlow(const std::wstring& text, const HtmlRect& rect);
    static std::size_t FindElement(const std::wstring& text, std::size_t from, std::wstring_view name);
    static std::size_t FindTableEnd(const std::wstring& text, std::size_t start);
    static Token NextToken(const std::wstring& text, std::size_t& position);
    static Attributes ParseAttributes(const std::wstring& attributes);
    static bool IsNameStart(wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'.';
    }
    void HandleRun(Flow& flow, std::wstring run);
    void HandleTag(Flow& flow, const Token& token);
    void OpenStyleTag(int code, const std::wstring& tagName, const std::wstring& styleName,
                      const std::wstring& attributes);
    void CloseStyleTag(const std::wstring& styleName);
    void ApplyFontAttributes(const std::wstring& attributes);
    void OpenLink(const std::wstring& attributes);
    void DrawRule(Flow& flow, const std::wstring& attributes);
    void MoveToTab(Flow& flow, const std::wstring& attributes);
    void DrawResourceString(Flow& flow, const std::wstring& attributes);
    void PlaceText(Flow& flow, const std::wstring& text);
    // The top of an item of the height in the current line by the vertical alignment.
    int PlacedTop(int y, int itemHeight, bool text) const;
    void RecordHotArea(const HtmlRect& rect);
    int LineStart(Flow& flow);
    void LineEnd(Flow& flow, int count);
    int RepeatCount(const std::wstring& attributes);

    void SelectStyle();
    // Pushes a copy of the current style under the name; returns the depth to pop back to.
    std::size_t PushStyle(const std::wstring& name);
    void PopStyleTo(std::size_t depth);
    void ApplyDeclaration(const std::wstring& property, const std::wstring& value, HtmlStyle& style);
    void ApplyFontWeight(HtmlStyle& style, const std::wstring& value) const;
    static void ApplyTextDecoration(HtmlStyle& style, const std::wstring& value);
    static void ApplyAlignKeyword(HtmlStyle& style, const std::wstring& value);
    static void ApplyVerticalAlignKeyword(HtmlStyle& style, const std::wstring& value);
    static void ApplyBorderStyleKeyword(HtmlStyle& style, const std::wstring& value);
    void ApplyFontStyleLetters(HtmlStyle& style, const std::wstring& letters) const;

    // An element of a table's or a row's own level (nested tables skipped).
    struct TableMark {
        enum Kind { kRowOpen, kRowClose, kCellOpen, kCellClose };
        std::size_t position = 0;
        Kind kind = kRowOpen;
    };
    static std::vector<TableMark> TopLevelMarks(const std::wstring& text);
    static std::size_t MatchingRowEnd(const std::vector<TableMark>& marks, std::size_t first, std::size_t textSize);
    // Pushes the style under the element's name (table, tr, td), applies its rule and
    // the attributes of its opening tag, and makes it effective; returns the depth to
    // pop back to. contentStart, colSpan and rowSpan are told when given.
    std::size_t EnterTableElement(const std::wstring& name, const std::wstring& text, std::size_t* contentStart,
                                  int* colSpan, int* rowSpan);
    HtmlSize LayoutTable(const std::wstring& text, const HtmlRect& rect, int depth);
    void LayoutRow(const std::wstring& text, std::size_t tableIndex, int row, const HtmlRect& inner, int spacing,
                   int depth);
    void LayoutCell(const std::wstring& text, const HtmlRect& rect, std::size_t tableIndex, int row, int column,
                    int depth);
    void ParseTableAttributes(const std::wstring& attributes, HtmlStyle& style, bool table, int& colSpan,
                              int& rowSpan);
    void ApplyEffectKeyword(HtmlStyle& style, const std::wstring& value);
    void CountTable(const std::vector<TableMark>& marks, const std::wstring& text, int& rows, int& columns);
    static HtmlSize NaturalTableSize(const TableLayout& layout, const HtmlStyle& style);
    static void ShareSpans(TableLayout& layout);
    void DrawTableBackgroundImage(const HtmlRect& rect, const std::wstring& background);

    void DrawImage(Flow& flow, int code, const std::wstring& attributes);
    // A picture of the program's own (by id) or a picture file inside the program
    // folder; empty for anything else.
    gfx::Bitmap LoadPictureSource(int resourceId, const std::wstring& file) const;
    void PlaceImage(Flow& flow, int width, int height, const std::function<void(int x, int y)>& draw);

    HtmlFontMetrics m_metrics;
    std::wstring m_text;
    gfx::Context* m_dc = nullptr;
    IHtmlTextDevice* m_textDevice = nullptr;
    IHtmlTextDevice* m_device = nullptr;  // of the pass running
    bool m_measuring = true;
    HtmlStyle m_style;
    std::vector<HtmlStyle> m_styles;
    std::vector<HtmlLineMetrics> m_lines;
    std::size_t m_lineIndex = 0;
    HtmlLineMetrics m_line;
    std::deque<TableLayout> m_tables;
    int m_tableIndex = -1;
    std::vector<HotArea> m_hotAreas;
    int m_linkNumber = -1;
    int m_hotLink = -2;
    std::vector<ImageStripAnimation> m_animations;
    int m_animationIndex = -1;
    HotLinkNotify m_hotLinkNotify;
    StringLoader m_strings;
    std::map<std::wstring, TagInfo> m_tags;
    std::map<std::wstring, std::uint32_t> m_colours;
    std::map<std::wstring, std::wstring> m_styleSheet;
    CTipDrawManager m_draw;
};
