#pragma once
// The style record everything in tooltip markup is drawn with: font, colours,
// alignment, table borders and spacing, and the link it belongs to. Tags and style
// rules change the current record; opening tags push a copy that their closing tag
// brings back. Colours are COLORREF values (0x00BBGGRR).

#include <cstdint>
#include <string>

// Horizontal alignment of lines and tables.
enum HtmlAlign { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2, kAlignJustify = 3 };
// Vertical placement of items within their line, and of cell contents.
enum HtmlVAlign { kVAlignTop = 0, kVAlignMiddle = 1, kVAlignBottom = 2, kVAlignBaseline = 3 };
// Table and cell border styles.
enum HtmlBorderStyle { kBorderNone = 0, kBorderSolid = 1, kBorderDashed = 2, kBorderDotted = 3, kBorderDouble = 6 };
// Text background: drawn only behind opaque text.
enum HtmlBackgroundMode { kBackgroundTransparent = 1, kBackgroundOpaque = 2 };
enum HtmlTextTransform { kTransformNone = 0, kTransformUpper = 1, kTransformLower = 2, kTransformCapitalize = 3 };
enum HtmlLinkKind { kLinkNone = 0, kLinkShell = 1, kLinkMessage = 2 };

inline constexpr std::uint32_t kHtmlBlack = 0x000000;
inline constexpr std::uint32_t kHtmlWhite = 0xFFFFFF;

struct HtmlStyle {
    std::wstring name;  // style name of the tag that pushed this copy
    int size = 16;      // font cell height in pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool overline = false;
    std::wstring face = L"Verdana";
    std::uint32_t textColour = kHtmlBlack;
    std::uint32_t backgroundColour = kHtmlWhite;
    std::uint32_t borderLight = kHtmlBlack;  // left and top table edges
    std::uint32_t borderDark = kHtmlBlack;   // right and bottom table edges
    std::uint32_t backgroundMiddle = kHtmlWhite;
    std::uint32_t backgroundEnd = kHtmlWhite;
    int backgroundMode = kBackgroundTransparent;
    int backgroundEffect = -1;  // -1 none, else a fill effect of CTipDrawManager
    std::wstring backgroundImage;
    int align = kAlignLeft;
    int verticalAlign = kVAlignBaseline;
    int borderStyle = kBorderNone;
    int borderWidth = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int textTransform = kTransformNone;
    int cellPadding = 2;
    int cellSpacing = 0;
    int linkKind = kLinkNone;
    std::wstring linkTarget;

    void Reset() { *this = HtmlStyle(); }
};
