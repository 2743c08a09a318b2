// The renderer's markup: entities, the tokenizer, style tags, lines, breaks, tabs
// and rules, with fixed text metrics.
#include <gtest/gtest.h>

#include "HtmlTestFixture.h"
#include "platform/base/Encoding.h"

namespace htmltest {
namespace {

std::string Narrow(const std::wstring& text) { return platform::WideToUtf8(text); }

TEST_F(HtmlDrawerTest, EntitiesAndLiteralAnglesDecodeOnce) {
    struct Case {
        const wchar_t* markup;
        const wchar_t* drawn;
    };
    const Case cases[] = {
        {L"a&lt;b", L"a<b"},
        {L"a<<b", L"a<b"},
        // Decoded once, left to right: an escaped entity shows as itself.
        {L"a&amp;lt;b", L"a&lt;b"},
        {L"&amp;amp;", L"&amp;"},
        {L"&copy;&euro;&trade;&bull;&para;&pound;&reg;&iquest;", L"\u00A9\u20AC\u2122\u2022\u00B6\u00A3\u00AE\u00BF"},
        {L"x&nbsp;&quot;&gt;", L"x \">"},
        {L"&AMP;&lt", L"&AMP;&lt"},
        {L"x<", L"x<"},
        {L"a<b", L"ab"},
        {L"a<p>b</p>c", L"abc"},
        {L"a\r\nb", L"ab"},
        {L"<BR>x<br/>y", L"xy"},
        {L"<b>x</i>y</b>", L"xy"},
    };
    for (const Case& c : cases) {
        Render(c.markup);
        EXPECT_EQ(device.DrawnText(), c.drawn) << Narrow(c.markup);
    }
}

TEST_F(HtmlDrawerTest, StyleTagsSetTheFontAndColoursOfTheirText) {
    struct Case {
        const wchar_t* markup;  // the text "x" is checked
        int weight = 400;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        std::uint32_t colour = 0;
        int height = kBodyHeight;
        bool opaque = false;
        std::uint32_t background = 0xFFFFFF;
    };
    const Case cases[] = {
        {L"<b>x</b>", 800},
        {L"<b><b>x</b></b>", 900},
        {L"<i><i>x</i></i>"},
        {L"<i>x</i>", 400, true},
        {L"<b>y</i>x", 800},  // the closing tag matches nothing
        {L"<em>y</i>x"},      // tags of one style name close each other
        {L"<u>x</u>", 400, false, true},
        {L"<strike>x</s>y<s>x</s>", 400, false, false, true},
        {L"<font color=red>x</font>", 400, false, false, false, 0x0000FF},
        {L"<font color=RED>x</font>"},  // names in attributes are lower case
        {L"<font color=#00ff00>x</font>", 400, false, false, false, 0x00FF00},
        {L"<font size=3>x</font>", 400, false, false, false, 0, 12},
        {L"<font size=+1>x</font>", 400, false, false, false, 0, 8},
        {L"<font size=12>x</font>", 400, false, false, false, 0, 12},
        {L"<font size=20px>x</font>", 400, false, false, false, 0, 20},
        {L"<font style=bus>x</font>", 700, false, true, true},
        {L"<b><font style=-b>x</font></b>"},
        {L"<font weight=600>x</font>", 600},
        {L"<font weight=heavy>x</font>", 0},
        {L"<font bkgnd=yellow>x</font>", 400, false, false, false, 0, kBodyHeight, true, 0x00FFFF},
        {L"<h2>x</h2>", 700, false, false, false, 0x0099FF, 17},
        {L"<h6>x</h6>", 400, false, false, false, 0x626262, 8},
        {L"<small>x</small>", 400, false, false, false, 0, 10},
        {L"<big>x</big>", 400, false, false, false, 0, 16},
        {L"<pre>x</pre>", 400, false, false, false, 0, 12, true, 0xBBEDFB},
        {L"<span class=cpp-comment>x</span>", 400, true, false, false, 0x008000},
        {L"<span class=unknown>x</span>"},
        {L"<a href=\"http://example.org\">x</a>", 400, false, false, false, 0xFF0000},
    };
    for (const Case& c : cases) {
        Render(c.markup);
        const DrawnRun& run = device.RunWith(L"x");
        const std::string row = Narrow(c.markup);
        EXPECT_EQ(run.font.weight, c.weight) << row;
        EXPECT_EQ(run.font.italic, c.italic) << row;
        EXPECT_EQ(run.font.underline, c.underline) << row;
        EXPECT_EQ(run.font.strikeOut, c.strikeOut) << row;
        EXPECT_EQ(run.textColour, c.colour) << row;
        EXPECT_EQ(run.font.height, c.height) << row;
        EXPECT_EQ(run.opaque, c.opaque) << row;
        if (c.opaque) {
            EXPECT_EQ(run.backgroundColour, c.background) << row;
        }
    }
}

TEST_F(HtmlDrawerTest, BreaksEndLinesAndRepeatWithinBounds) {
    struct Case {
        const wchar_t* markup;  // "a" then "b"
        int dy;                 // from a's line to b's
        int bx;
    };
    const Case cases[] = {
        {L"a<br>b", kBodyHeight, 0},
        {L"a\nb", kBodyHeight, 0},
        {L"a<br=3>b", 3 * kBodyHeight, 0},
        {L"a<br />b", kBodyHeight, 0},
        {L"a<br/>b", 0, kBodyCharWidth},
        {L"a<br=0>b", kBodyHeight, 0},
        // Counts are clamped, so a hostile count cannot run the layout away.
        {L"a<br=999999999>b", CHtmlDrawer::kMaxRepeat * kBodyHeight, 0},
    };
    for (const Case& c : cases) {
        Render(c.markup);
        const DrawnRun a = device.RunWith(L"a");
        const DrawnRun b = device.RunWith(L"b");
        EXPECT_EQ(b.y - a.y, c.dy) << Narrow(c.markup);
        EXPECT_EQ(b.x, c.bx) << Narrow(c.markup);
    }
}

TEST_F(HtmlDrawerTest, TabsMoveToTheNextStops) {
    struct Case {
        const wchar_t* markup;  // then "b"
        int bx;
    };
    const Case cases[] = {
        {L"<font size=20px>a</font><t>b", 32},  // from 10 pixels to the first stop
        {L"<t=2>b", 64},                        // at the left edge: two whole stops
        {L"<t>b", 32},
        {L"aaaaaa\tb", 64},                     // 36 pixels: the stop at 64
        {L"<t=0>b", 32},
    };
    for (const Case& c : cases) {
        Render(c.markup);
        EXPECT_EQ(device.RunWith(L"b").x, c.bx) << Narrow(c.markup);
    }
}

TEST_F(HtmlDrawerTest, MeasuredSizes) {
    struct Case {
        const wchar_t* markup;
        HtmlSize size;
    };
    const Case cases[] = {
        {L"", {0, 0}},
        {L"<p><div></div>", {1, 1}},  // tags the renderer does not know: an empty layout
        {L"abc", {3 * kBodyCharWidth + 1, kBodyHeight + 1}},
        {L"abc<br>abcd", {4 * kBodyCharWidth + 1, 2 * kBodyHeight + 1}},
        // A rule alone on its line is one pixel wider than the widest text; its line
        // is the rule's thickness plus 8 high.
        {L"abc<br><hr>", {3 * kBodyCharWidth + 1 + 1, kBodyHeight + 9 + 1}},
        {L"abc<br><hr size=4 width=10>", {3 * kBodyCharWidth + 1, kBodyHeight + 12 + 1}},
        // Text after a 50 % rule (31 pixels with the rule's own pixel) fits beside the
        // rule's half: the block is 62 wide.
        {L"abc<br><hr width=50%>xxxxx", {62 + 1, kBodyHeight + kBodyHeight + 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Measure(c.markup), c.size) << Narrow(c.markup);
    }
    Render(L"<p>");
    EXPECT_TRUE(device.Runs().empty());
    EXPECT_TRUE(drawer.StoredText().empty());
    const HtmlSize ruled = Render(L"<hr width=50%>xxxxx");
    EXPECT_LE(device.RunWith(L"xxxxx").x + 5 * kBodyCharWidth, ruled.cx);
}

TEST_F(HtmlDrawerTest, LinesAlignWithinTheDrawingRectangle) {
    struct Case {
        const wchar_t* markup;  // "ab", 12 pixels wide
        int x;
    };
    const Case cases[] = {
        {L"ab", 0},
        {L"<center>ab</center>", 44},
        {L"<right>ab</right>", 88},
        {L"<justify>ab</justify>", 0},
    };
    for (const Case& c : cases) {
        Render(c.markup, 100);
        EXPECT_EQ(device.RunWith(L"ab").x, c.x) << Narrow(c.markup);
    }
}

TEST_F(HtmlDrawerTest, ItemsPlaceVerticallyWithinTheirLine) {
    // A 40-pixel letter (ascent 30, descent 10) and body text (ascent 10, descent 3).
    struct Case {
        const wchar_t* markup;
        int y;
    };
    const Case cases[] = {
        {L"<font size=40px>B</font>s", 20},  // on the baseline
        {L"<font size=40px>B</font><top>s</top>", 0},
        {L"<font size=40px>B</font><bottom>s</bottom>", 30},
        {L"<font size=40px>B</font><middle>s</middle>", 13},
    };
    for (const Case& c : cases) {
        Render(c.markup);
        EXPECT_EQ(device.RunWith(L"s").y, c.y) << Narrow(c.markup);
    }
}

TEST_F(HtmlDrawerTest, RulesTakeTheirShareOfTheDrawingWidth) {
    struct Case {
        const wchar_t* markup;
        int first;  // first and last pixel of the rule at 200 pixels wide
        int last;
    };
    const Case cases[] = {
        {L"<hr width=50%>", 0, 99},
        {L"<center><hr width=50%></center>", 49, 148},
        {L"<hr width=30>", 0, 29},
    };
    for (const Case& c : cases) {
        canvas = gfx::Bitmap(400, 300);
        Render(c.markup, 200);
        const int y = 9 / 2;  // the middle of a rule's line, 1 + 8 high
        EXPECT_EQ(canvas.PixelAt(c.first, y), (gfx::Color{0, 0, 0, 255})) << Narrow(c.markup);
        EXPECT_EQ(canvas.PixelAt(c.last, y), (gfx::Color{0, 0, 0, 255})) << Narrow(c.markup);
        EXPECT_EQ(canvas.PixelAt(c.first - 1, y).a, 0) << Narrow(c.markup);
        EXPECT_EQ(canvas.PixelAt(c.last + 1, y).a, 0) << Narrow(c.markup);
    }
}

TEST_F(HtmlDrawerTest, TextTransformsOfTheStyle) {
    struct Case {
        const wchar_t* transform;
        const wchar_t* drawn;
    };
    const Case cases[] = {
        {L"uppercase", L"HELLO WORLD"},
        {L"lowercase", L"hello world"},
        {L"capitalize", L"Hello World"},
        {L"none", L"hELLO wORLD"},
    };
    for (const Case& c : cases) {
        drawer.LoadStyleSheet(std::wstring(L"body {text-transform:") + c.transform + L"}");
        Render(L"hELLO wORLD");
        EXPECT_EQ(device.DrawnText(), c.drawn) << Narrow(c.transform);
    }
}

TEST_F(HtmlDrawerTest, ResourceStringsAndTipTexts) {
    drawer.SetStringLoader([](std::uint32_t id, std::wstring& text) {
        switch (id) {
            case 1: text = L"Zoom\nZoom in\nmore"; return true;
            case 2: text = L"Open\nOpen a file"; return true;
            case 3: text = L"No second line"; return true;
            case 4: text = L"Ends\n"; return true;
            default: return false;
        }
    });
    struct Case {
        std::uint32_t id;
        const wchar_t* tip;
    };
    const Case cases[] = {{1, L"Zoom in"}, {2, L"Open a file"}, {3, L""}, {4, L""}, {0, L""}, {99, L""}};
    for (const Case& c : cases) {
        EXPECT_EQ(drawer.ResourceTipText(c.id), c.tip) << c.id;
    }
    Render(L"<string idres=3>|<string iddll=99>|<string>");
    EXPECT_EQ(device.DrawnText(), L"No second line||");
}

}  // namespace
}  // namespace htmltest
