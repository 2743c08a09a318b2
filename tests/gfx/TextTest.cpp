#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/base/Encoding.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using gfx::Bitmap;
using gfx::Color;
using gfx::Context;
using gfx::Font;
using gfx::Rect;
using gfx::TextFormat;
using gfxtest::CountOtherThan;

constexpr Color kTextWhite{255, 255, 255};

const std::wstring kChinese = L"电压电流谐波统计数据";
const std::wstring kLatin = L"Ondrava Hello 123";

Font MakeFont(const std::wstring& face, double height, int weight = 400) {
    Font font;
    font.face = face;
    font.height = height;
    font.weight = weight;
    return font;
}

Bitmap WhiteTextBitmap(int width, int height) {
    Bitmap bitmap(width, height);
    Context(bitmap).FillRect(Rect{0, 0, double(width), double(height)}, kTextWhite);
    return bitmap;
}

// The box of all pixels that are not white; empty when nothing was drawn.
Rect InkBox(const Bitmap& bitmap) {
    Rect box{1e9, 1e9, -1e9, -1e9};
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (!(bitmap.PixelAt(x, y) == kTextWhite)) {
                box = {std::min(box.left, double(x)), std::min(box.top, double(y)), std::max(box.right, x + 1.0),
                       std::max(box.bottom, y + 1.0)};
            }
        }
    }
    return box;
}

std::string Utf8(const std::wstring& text) { return platform::WideToUtf8(text); }

TEST(FontTest, WindowsFaceNamesMapToInstalledFamilies) {
    struct Case {
        std::wstring face;
        std::string family;
    };
    const Case cases[] = {
        {L"Tahoma", "DejaVu Sans"},           {L"tahoma", "DejaVu Sans"},
        {L"MS Sans Serif", "DejaVu Sans"},    {L"Microsoft Sans Serif", "DejaVu Sans"},
        {L"MS Shell Dlg", "DejaVu Sans"},     {L"Verdana", "DejaVu Sans"},
        {L"Arial", "Liberation Sans"},        {L"Times New Roman", "Liberation Serif"},
        {L"Courier New", "Liberation Mono"},  {L"宋体", "WenQuanYi Zen Hei"},
        {L"SimSun", "WenQuanYi Zen Hei"},     {L"黑体", "WenQuanYi Zen Hei"},
        {L"SimHei", "WenQuanYi Zen Hei"},     {L"仿宋体", "WenQuanYi Zen Hei"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.family, gfx::MatchedFamily(MakeFont(c.face, -12))) << "face " << Utf8(c.face);
    }
}

TEST(FontTest, EveryCharacterFindsAGlyphThroughTheMappedFaces) {
    for (const wchar_t* face : {L"宋体", L"Tahoma", L"黑体", L"Arial", L"MS Shell Dlg"}) {
        for (const std::wstring& text : {kChinese, kLatin, kLatin + L"：数据（K7700）"}) {
            EXPECT_EQ(0, gfx::MissingGlyphCount(text, MakeFont(face, -16)))
                << Utf8(text) << " in " << Utf8(face);
        }
    }
    // The check does see a character that no font has.
    EXPECT_EQ(1, gfx::MissingGlyphCount(L"a\U0010FFFDb", MakeFont(L"Tahoma", -16)));
}

TEST(FontTest, NegativeHeightIsTheCharacterHeightPositiveTheCellHeight) {
    struct Case {
        std::wstring face;
        double height;
    };
    for (const Case& c : {Case{L"Tahoma", -20}, Case{L"宋体", -20}, Case{L"Tahoma", 20}, Case{L"宋体", 20},
                          Case{L"Arial", 0}}) {
        SCOPED_TRACE(Utf8(c.face) + " " + std::to_string(c.height));
        Bitmap bitmap(1, 1);
        Context context(bitmap);
        context.SetFont(MakeFont(c.face, c.height));
        const gfx::TextMetrics metrics = context.Metrics();
        EXPECT_NEAR(metrics.height, metrics.ascent + metrics.descent, 0.01);
        EXPECT_GT(metrics.averageCharWidth, 0);
        if (c.height > 0) {
            EXPECT_NEAR(c.height, metrics.height, 1.0);
        } else {
            const double character = c.height < 0 ? -c.height : 12.0;
            EXPECT_GT(metrics.height, character);
            EXPECT_NEAR(metrics.height - character, metrics.internalLeading, 0.01);
        }
    }
    EXPECT_EQ(-16, Font::FromPoints(L"黑体", 12).height);  // report pages: points at 96 dpi
}

TEST(TextTest, ChineseTextHasTheExtentOfSquareCharacters) {
    Bitmap bitmap(1, 1);
    Context context(bitmap);
    context.SetFont(MakeFont(L"宋体", -16));
    const gfx::Size size = context.TextExtent(kChinese);
    EXPECT_NEAR(16.0 * kChinese.size(), size.width, 0.15 * 16 * kChinese.size());
    EXPECT_GE(size.height, 16);
    EXPECT_EQ(0, context.TextExtent(L"").width);
    // A line break does not make a second line in a one-line extent.
    EXPECT_EQ(size.height, context.TextExtent(L"电压\n电流").height);
}

TEST(TextTest, WeightSlantAndLinesChangeHowTextIsDrawn) {
    auto ink = [](const Font& font) {
        Bitmap bitmap = WhiteTextBitmap(200, 40);
        Context context(bitmap);
        context.SetFont(font);
        context.TextOut(5, 5, L"Hollow HH");
        return CountOtherThan(bitmap, 0, 0, 200, 40, kTextWhite);
    };
    const Font plain = MakeFont(L"Tahoma", -20);
    const int plainInk = ink(plain);
    ASSERT_GT(plainInk, 0);
    Font bold = plain;
    bold.weight = 700;
    Font underline = plain;
    underline.underline = true;
    Font strikeOut = plain;
    strikeOut.strikeOut = true;
    EXPECT_GT(ink(bold), plainInk);
    EXPECT_GT(ink(underline), plainInk);
    EXPECT_GT(ink(strikeOut), plainInk);
}

TEST(TextTest, TextOutDrawsLatinAndChineseInsideTheirExtentInTheTextColour) {
    for (const std::wstring& text : {kLatin, kChinese}) {
        SCOPED_TRACE(Utf8(text));
        Bitmap bitmap = WhiteTextBitmap(260, 60);
        gfx::Size size;
        {
            Context context(bitmap);
            context.SetFont(MakeFont(L"宋体", -16));
            context.SetTextColor(Color{0, 0, 200});
            size = context.TextExtent(text);
            context.TextOut(20, 10, text);
        }
        const Rect ink = InkBox(bitmap);
        ASSERT_FALSE(ink.IsEmpty());
        EXPECT_GE(ink.left, 20);
        EXPECT_GE(ink.top, 10);
        EXPECT_LE(ink.right, 20 + size.width + 1);
        EXPECT_LE(ink.bottom, 10 + size.height + 1);
        EXPECT_GT(ink.Width(), size.width * 0.8);
        // the darkest pixel is the text colour
        int blue = 0;
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 260; ++x) {
                blue += bitmap.PixelAt(x, y) == Color{0, 0, 200} ? 1 : 0;
            }
        }
        EXPECT_GT(blue, 0);
    }
}

TEST(TextTest, AnOpaqueBackgroundFillsTheTextBox) {
    Bitmap bitmap = WhiteTextBitmap(100, 40);
    gfx::Size size;
    {
        Context context(bitmap);
        context.SetFont(MakeFont(L"Tahoma", -14));
        context.SetBackgroundColor(Color{255, 255, 0});
        context.SetOpaqueBackground(true);
        size = context.TextExtent(L"Tag");
        context.TextOut(10, 10, L"Tag");
    }
    // The box's corners are background; glyph edges may smear a pixel past it.
    const Rect ink = InkBox(bitmap);
    EXPECT_NEAR(10, ink.left, 1);
    EXPECT_NEAR(10, ink.top, 1);
    EXPECT_NEAR(10 + size.width, ink.right, 1);
    EXPECT_NEAR(10 + size.height, ink.bottom, 1);
    EXPECT_TRUE(gfxtest::PixelNear(bitmap, 10, 10, Color{255, 255, 0}));
    EXPECT_TRUE(gfxtest::PixelNear(bitmap, int(10 + size.width) - 1, int(10 + size.height) - 1, Color{255, 255, 0}));
}

TEST(DrawTextTest, AlignmentPlacesTheTextBlockInTheRectangle) {
    // Rectangle (20, 10)-(220, 70); the text block is w x h.
    struct Case {
        const char* name;
        unsigned format;
        double xShare;  // 0 left, 0.5 centre, 1 right
        double yShare;
    };
    const Case cases[] = {
        {"left top", TextFormat::Left | TextFormat::Top | TextFormat::SingleLine, 0, 0},
        {"centre vcentre", TextFormat::Center | TextFormat::VCenter | TextFormat::SingleLine, 0.5, 0.5},
        {"right bottom", TextFormat::Right | TextFormat::Bottom | TextFormat::SingleLine, 1, 1},
        {"centre top, word break", TextFormat::Center | TextFormat::WordBreak, 0.5, 0},
        {"right, end ellipsis (fits)", TextFormat::Right | TextFormat::EndEllipsis, 1, 0},
    };
    for (const std::wstring& text : {std::wstring(L"Ab 电压"), std::wstring(L"Wide")}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " / " + Utf8(text));
            Bitmap bitmap = WhiteTextBitmap(240, 80);
            gfx::Size size;
            double height = 0;
            {
                Context context(bitmap);
                context.SetFont(MakeFont(L"Tahoma", -16));
                size = context.TextExtent(text);
                Rect rect{20, 10, 220, 70};
                height = context.DrawText(text, rect, c.format);
            }
            EXPECT_NEAR(size.height, height, 0.01);
            const double left = 20 + (200 - size.width) * c.xShare;
            const double top = 10 + (60 - size.height) * c.yShare;
            const Rect ink = InkBox(bitmap);
            ASSERT_FALSE(ink.IsEmpty());
            EXPECT_GE(ink.left, left - 1.5);
            EXPECT_LE(ink.right, left + size.width + 1.5);
            EXPECT_GE(ink.top, top - 1.5);
            EXPECT_LE(ink.bottom, top + size.height + 1.5);
            EXPECT_GT(ink.Width(), size.width * 0.7);
        }
    }
}

TEST(DrawTextTest, CalcRectMeasuresLinesAsTheyWouldBeDrawn) {
    const std::wstring sentence = L"the quick brown fox jumps over the lazy dog";
    struct Case {
        const char* name;
        std::wstring text;
        unsigned format;
        int lines;  // 0: as many as the one-line width needs at the rectangle's width
        bool widerThanRect;
    };
    const Case cases[] = {
        {"single line", sentence, TextFormat::SingleLine, 1, true},
        {"single line ignores breaks", L"A\nB", TextFormat::SingleLine, 1, false},
        {"line breaks break without word break", L"A\nB\r\nC", TextFormat::Left, 3, false},
        {"word break wraps to the width", sentence, TextFormat::WordBreak, 0, false},
        {"ellipsis does not shorten a measurement", sentence, TextFormat::SingleLine | TextFormat::EndEllipsis, 1,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap bitmap = WhiteTextBitmap(10, 10);
        Context context(bitmap);
        context.SetFont(MakeFont(L"Tahoma", -14));
        const double lineHeight = context.TextExtent(L"A").height;
        Rect rect{5, 7, 125, 8};
        const double height = context.DrawText(c.text, rect, c.format | TextFormat::CalcRect);
        EXPECT_EQ(5, rect.left);
        EXPECT_EQ(7, rect.top);
        EXPECT_NEAR(height, rect.Height(), 0.01);
        const long lines = std::lround(height / lineHeight);
        if (c.lines == 0) {
            EXPECT_GE(lines, std::ceil(context.TextExtent(c.text).width / 120));
            EXPECT_GE(lines, 2);
        } else {
            EXPECT_EQ(c.lines, lines);
        }
        EXPECT_EQ(c.widerThanRect, rect.Width() > 120);
        EXPECT_EQ(kTextWhite, bitmap.PixelAt(5, 5));  // nothing drawn
    }
}

// Draws with DrawText into a rectangle of the given width, left-aligned on one line.
Bitmap DrawnInto(const std::wstring& text, double width, unsigned format) {
    Bitmap bitmap = WhiteTextBitmap(400, 30);
    Context context(bitmap);
    context.SetFont(MakeFont(L"Tahoma", -14));
    Rect rect{0, 0, width, 30};
    context.DrawText(text, rect, format | TextFormat::SingleLine);
    return bitmap;
}

Bitmap WrittenOut(const std::wstring& text) {
    Bitmap bitmap = WhiteTextBitmap(400, 30);
    Context context(bitmap);
    context.SetFont(MakeFont(L"Tahoma", -14));
    context.TextOut(0, 0, text);
    return bitmap;
}

double WidthOf(const std::wstring& text) {
    Bitmap bitmap(1, 1);
    Context context(bitmap);
    context.SetFont(MakeFont(L"Tahoma", -14));
    return context.TextExtent(text).width;
}

bool SamePixels(const Bitmap& a, const Bitmap& b) {
    return CountOtherThan(a, 0, 0, a.Width(), a.Height(), kTextWhite) > 0 && a.ToPng() == b.ToPng();
}

TEST(DrawTextTest, EllipsesShortenToTheLongestTextThatFits) {
    const std::wstring path = L"D:\\终端数据\\Board1\\Statistic\\recordinfo.cfg";
    const std::wstring tail = L"\\recordinfo.cfg";
    const std::wstring head = path.substr(0, path.size() - tail.size());
    const double width = WidthOf(L"D:\\终端…" + tail) + 1;

    // Path ellipsis keeps the last part and as much of the beginning as fits.
    const Bitmap drawn = DrawnInto(path, width, TextFormat::PathEllipsis);
    std::size_t kept = 0;
    while (kept < head.size() && WidthOf(head.substr(0, kept + 1) + L"…" + tail) <= width) {
        ++kept;
    }
    EXPECT_GE(kept, 3u);
    EXPECT_TRUE(SamePixels(drawn, WrittenOut(head.substr(0, kept) + L"…" + tail))) << "kept " << kept;

    // End ellipsis keeps the beginning.
    const std::wstring sentence = L"Harmonic distortion of the voltage";
    const double endWidth = WidthOf(L"Harmonic dist…") + 0.5;
    EXPECT_TRUE(SamePixels(DrawnInto(sentence, endWidth, TextFormat::EndEllipsis), WrittenOut(L"Harmonic dist…")));

    // A text that fits is drawn whole under either ellipsis.
    for (const unsigned format : {TextFormat::EndEllipsis, TextFormat::PathEllipsis}) {
        EXPECT_TRUE(SamePixels(DrawnInto(path, 400, format), WrittenOut(path))) << format;
    }
    // Without room even for the last part, the last part keeps its end.
    const Bitmap narrow = DrawnInto(path, WidthOf(L"…nfo.cfg") + 0.5, TextFormat::PathEllipsis);
    EXPECT_LE(InkBox(narrow).right, WidthOf(L"…nfo.cfg") + 1);
    EXPECT_GT(CountOtherThan(narrow, 0, 0, 400, 30, kTextWhite), 0);
}

TEST(DrawTextTest, WordBreakWithEllipsisKeepsTheLinesThatFitAndClipsToTheRectangle) {
    const std::wstring sentence = L"the quick brown fox jumps over the lazy dog again and again";
    Bitmap bitmap = WhiteTextBitmap(200, 200);
    double lineHeight = 0;
    {
        Context context(bitmap);
        context.SetFont(MakeFont(L"Tahoma", -14));
        lineHeight = context.TextExtent(L"A").height;
        Rect rect{10, 10, 110, 10 + 2 * lineHeight + 2};
        context.DrawText(sentence, rect, TextFormat::WordBreak | TextFormat::EndEllipsis);
    }
    const Rect ink = InkBox(bitmap);
    EXPECT_LE(ink.right, 110);
    EXPECT_LE(ink.bottom, 10 + 2 * lineHeight + 2);
    EXPECT_GT(ink.bottom, 10 + lineHeight);  // a second line was drawn
}

}  // namespace
