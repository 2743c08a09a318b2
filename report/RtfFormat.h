#pragma once
// The format records of the RTF document writer: the document, a section, a
// paragraph and its characters. Every write of the writer uses what the records
// hold at that moment; the member initialisers are the writer's defaults. Lengths
// are in twips.

#include <cstdint>
#include <string>

struct RtfDocFormat {
    std::int32_t viewKind = 1;
    std::int32_t viewScale = 100;  // percent
    std::int32_t paperWidth = 12240;
    std::int32_t paperHeight = 15840;
    std::int32_t marginLeft = 1800;
    std::int32_t marginRight = 1800;
    std::int32_t marginTop = 1440;
    std::int32_t marginBottom = 1440;
    bool facingPages = false;
    std::int32_t gutter = 0;
    bool annotationsProtected = false;
};

struct RtfSectionFormat {
    // 0 none, 1 column, 2 page, 3 even page, 4 odd page; other values write no break word.
    std::int32_t breakKind = 0;
    bool newSection = false;
    bool resetSection = true;
    std::int32_t pageWidth = 12240;
    std::int32_t pageHeight = 15840;
    std::int32_t marginLeft = 1800;
    std::int32_t marginRight = 1800;
    std::int32_t marginTop = 1440;
    std::int32_t marginBottom = 1440;
    std::int32_t gutter = 0;
    std::int32_t headerDistance = 720;
    std::int32_t footerDistance = 720;
    bool pageNumbers = false;
    std::int32_t pageNumberX = 720;
    std::int32_t pageNumberY = 720;
    std::int32_t columns = 0;  // 1 writes the column words
    std::int32_t columnCount = 1;
    std::int32_t columnSpacing = 720;
    bool lineBetweenColumns = false;
};

struct RtfCharFormat {
    std::int32_t animation = 0;
    bool bold = false;
    bool capitals = false;
    std::int32_t color = 0;  // index into the colour table
    std::int32_t scaleX = 100;  // percent
    bool embossed = false;
    std::int32_t expansion = 0;
    std::int32_t font = 2;  // index into the font table
    std::int32_t size = 18;  // half points
    bool italic = false;
    bool engraved = false;
    std::int32_t kerning = 0;
    bool outline = false;
    bool smallCapitals = false;
    bool shadow = false;
    bool strike = false;
    bool doubleStrike = false;
    bool subscript = false;
    bool superscript = false;
    std::int32_t underline = 0;  // 0 none to 17, see the writer
};

struct RtfParagraphFormat {
    std::int32_t breakKind = 0;  // 1 page, 2 column, 3 line
    bool endPrevious = false;
    bool reset = true;
    std::uint32_t alignment = 0;  // 0 left, 1 centre, 2 right, 3 justified
    std::int32_t firstIndent = 0;
    std::int32_t leftIndent = 0;
    std::int32_t rightIndent = 0;
    std::int32_t spaceBefore = 0;
    std::int32_t spaceAfter = 0;
    std::int32_t lineSpacing = 0;
    // Written escaped: whatever the text holds reaches the document as text.
    std::wstring text;
    bool tabOnly = false;
    bool inTable = false;
    std::int32_t tabStop = 0;  // 1 writes the tab words
    std::int32_t tabPosition = 0;
    std::int32_t tabKind = 0;    // 1 centre, 2 right, 3 decimal
    std::int32_t tabLeader = 0;  // 1 dots to 6 equal signs
    std::int32_t numbering = 0;  // 1 writes the numbering group
    std::int32_t numberingLevel = 11;
    std::int32_t numberingIndent = 360;
    char numberingText = '\x95';  // a byte of the document's code page
    std::int32_t border = 0;  // 1 writes the border words
    std::int32_t borderSide = 0;  // 1 top, 2 bottom, 3 left, 4 right, 5 box
    std::uint32_t borderStyle = 0;
    std::int32_t borderWidth = 0;
    std::int32_t borderColor = 0;
    std::int32_t borderSpacing = 0;
    std::int32_t shading = 0;  // 1 writes the shading words
    std::int32_t shadingPercent = 0;
    std::uint32_t shadingPattern = 0;
    std::int32_t patternForeground = 0;
    std::int32_t patternBackground = 0;
    RtfCharFormat character;
};
