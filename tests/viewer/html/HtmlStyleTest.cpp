// Lengths, colours, style declarations and the style sheet of the renderer.
#include <gtest/gtest.h>

#include "HtmlTestFixture.h"
#include "platform/base/Encoding.h"

namespace htmltest {
namespace {

std::string StyleUtf8(const std::wstring& text) { return platform::WideToUtf8(text); }

TEST(HtmlLengthTest, UnitsPercentagesAndFontSizes) {
    struct Case {
        int dpi;
        int defaultValue;
        const wchar_t* text;
        bool fontMode;
        int expected;
    };
    const Case cases[] = {
        {96, 16, L"10pt", true, 13},
        {120, 16, L"10pt", true, 16},
        {96, 16, L"3", true, 12},
        {96, 16, L"+1", true, 8},  // the sign is dropped
        {96, 16, L"7", true, 36},
        {96, 16, L"12", true, 12},
        {96, 16, L"3", false, 3},
        {96, 16, L"150%", true, 24},
        {96, 16, L"-2", false, 2},
        {96, 0, L"5px", false, 5},
        {96, 0, L"1in", false, 96},
        {96, 0, L"1cm", false, 37},
        {96, 0, L"25mm", false, 94},
        {96, 0, L"1pc", false, 16},
        {96, 0, L"0x10", false, 16},
        {96, 0, L"010", false, 8},  // a leading zero reads octal
        {96, 7, L"", false, 7},
        {96, 7, L"abc", false, 7},  // what does not parse keeps the setting
        {96, 7, L"%", false, 7},
        {96, 0, L"99999999999999", false, CHtmlDrawer::kMaxLength},
    };
    for (const Case& c : cases) {
        CHtmlDrawer drawer;
        FixedTextDevice device(c.dpi);
        drawer.SetTextDevice(&device);
        EXPECT_EQ(drawer.ParseLength(c.defaultValue, c.text, c.fontMode), c.expected)
            << StyleUtf8(c.text) << " at " << c.dpi << " dpi";
    }
}

TEST(HtmlColourTest, HexNumbersAndNames) {
    struct Case {
        const wchar_t* text;
        std::uint32_t expected;  // with the default 0x123456
    };
    const Case cases[] = {
        {L"#ff9900", 0x0099FF},
        {L"#FF9900", 0x0099FF},
        {L"#f90", 0x123456},      // three digits are ignored
        {L"#gg9900", 0x123456},
        {L"255", 0x0000FF},       // a number is a COLORREF: red
        {L"16711680", 0xFF0000},  // blue
        {L"0xff00", 0x00FF00},
        {L"red", 0x0000FF},
        {L"RED", 0x123456},       // names are matched exactly
        {L"lightgrey", 0xD3D3D3},
        {L"lightgray", 0x123456},
        {L"darkslategray", 0x4F4F2F},
        {L"", 0x123456},
        {L"red ", 0x123456},
    };
    CHtmlDrawer drawer;
    for (const Case& c : cases) {
        EXPECT_EQ(drawer.ParseColour(c.text, 0x123456), c.expected) << StyleUtf8(c.text);
    }
}

TEST(HtmlColourTest, SystemColoursAreReadOnceFromTheLookup) {
    int asked = 0;
    CHtmlDrawer drawer([&](int index) {
        ++asked;
        return index == 24 ? 0xABCDEFu : 0u;
    });
    EXPECT_EQ(asked, 28);
    EXPECT_EQ(drawer.ColourByName(L"infobackground", 1), 0xABCDEFu);
    EXPECT_EQ(drawer.ColourByName(L"windowtext", 1), 0u);
    EXPECT_EQ(CHtmlDrawer().ColourByName(L"infobackground", 1), 0xE1FFFFu);
}

TEST(HtmlDeclarationTest, PropertiesChangeTheStyle) {
    struct Case {
        const wchar_t* declarations;
        std::function<bool(const HtmlStyle&)> holds;
    };
    HtmlStyle bordered;
    bordered.borderWidth = 4;
    bordered.borderStyle = kBorderSolid;
    const Case cases[] = {
        {L"color:RED", [](const HtmlStyle& s) { return s.textColour == 0x0000FF; }},  // the rule is lower-cased
        {L"color:red ;", [](const HtmlStyle& s) { return s.textColour == 0; }},     // the value keeps its space
        {L"font-family:\"Courier New\"; font-size:20px", [](const HtmlStyle& s) { return s.face == L"courier new" && s.size == 20; }},
        {L"font-family:", [](const HtmlStyle& s) { return s.face == L"Verdana"; }},
        {L"font-weight:600", [](const HtmlStyle& s) { return s.weight == 600; }},
        {L"font-weight:heavy", [](const HtmlStyle& s) { return s.weight == 0; }},
        {L"font-weight:bolder", [](const HtmlStyle& s) { return s.weight == 900; }},
        {L"font-style:oblique", [](const HtmlStyle& s) { return s.italic; }},
        {L"border-style:dashed", [](const HtmlStyle& s) { return s.borderStyle == kBorderDashed && s.borderWidth == 1; }},
        {L"border-width:3; border-width:0", [](const HtmlStyle& s) { return s.borderStyle == kBorderNone && s.borderWidth == 0; }},
        {L"border-width:2", [](const HtmlStyle& s) { return s.borderStyle == kBorderSolid && s.borderWidth == 2; }},
        {L"background-color:transparent", [](const HtmlStyle& s) { return s.backgroundMode == kBackgroundTransparent; }},
        {L"background-color:#010203", [](const HtmlStyle& s) { return s.backgroundMode == kBackgroundOpaque && s.backgroundColour == 0x030201; }},
        {L"text-decoration:underline, overline", [](const HtmlStyle& s) { return s.underline && s.overline && !s.strikeOut; }},
        {L"text-decoration:line-through; text-decoration:", [](const HtmlStyle& s) { return !s.strikeOut; }},
        {L"text-align:center; vertical-align:middle", [](const HtmlStyle& s) { return s.align == kAlignCenter && s.verticalAlign == kVAlignMiddle; }},
        {L"text-align:justify", [](const HtmlStyle& s) { return s.align == kAlignLeft; }},
        {L"margin:5; padding:3", [](const HtmlStyle& s) { return s.cellPadding == 5 && s.cellSpacing == 3; }},
        {L"border-color:blue", [](const HtmlStyle& s) { return s.borderLight == 0xFF0000 && s.borderDark == 0xFF0000; }},
        {L"colour:red; font-size", [](const HtmlStyle& s) { return s.textColour == 0 && s.size == 16; }},
    };
    CHtmlDrawer drawer;
    for (const Case& c : cases) {
        HtmlStyle style;
        drawer.ParseStyleDeclarations(c.declarations, style);
        EXPECT_TRUE(c.holds(style)) << StyleUtf8(c.declarations);
    }
    HtmlStyle thick = bordered;
    drawer.ParseStyleDeclarations(L"border-width:thick", thick);
    EXPECT_EQ(thick.borderWidth, 5);
    drawer.ParseStyleDeclarations(L"border-width:thin", thick);
    EXPECT_EQ(thick.borderWidth, 4);
}

TEST(HtmlStyleSheetTest, OneRulePerSelectorUntilAnUnclosedRule) {
    CHtmlDrawer drawer;
    drawer.LoadStyleSheet(L"TD {color:red} td {color:blue}\r\n.note { font-size:20px }\nhr {color:green}\n tr {color:red");
    HtmlStyle style;
    drawer.ApplyStyleSheetEntry(style, L"td");
    EXPECT_EQ(style.textColour, 0xFF0000u);  // the later rule of the selector replaces the earlier
    drawer.ApplyStyleSheetEntry(style, L".NOTE");
    EXPECT_EQ(style.size, 20);
    HtmlStyle rule;
    drawer.ApplyStyleSheetEntry(rule, L"hr");
    EXPECT_EQ(rule.textColour, 0x008000u);
    drawer.ApplyStyleSheetEntry(rule, L"tr");  // the rule without "}" ended the sheet
    drawer.ApplyStyleSheetEntry(rule, L"missing");
    EXPECT_EQ(rule.textColour, 0x008000u);
    EXPECT_EQ(rule.size, 16);
}

TEST(HtmlStyleSheetTest, BuiltInRulesReachTheTagsAndLinks) {
    CHtmlDrawer drawer;
    struct Case {
        const wchar_t* selector;
        std::uint32_t colour;
        int size;
    };
    const Case cases[] = {
        {L"body", 0x000000, 13}, {L"p", 0x000000, 13},  {L"h1", 0x000000, 18}, {L"h3", 0x0099FF, 16},
        {L"h5", 0x0099FF, 12},   {L"code", 0x000099, 16}, {L"a:hover", 0xFF0000, 16},
    };
    for (const Case& c : cases) {
        HtmlStyle style;
        drawer.ApplyStyleSheetEntry(style, c.selector);
        EXPECT_EQ(style.textColour, c.colour) << StyleUtf8(c.selector);
        EXPECT_EQ(style.size, c.size) << StyleUtf8(c.selector);
    }
    HtmlStyle hover;
    drawer.ApplyStyleSheetEntry(hover, L"a:hover");
    EXPECT_TRUE(hover.underline);
}

}  // namespace
}  // namespace htmltest
