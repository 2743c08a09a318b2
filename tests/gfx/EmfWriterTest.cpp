// The metafile of a recording, read back record by record as a reader of the
// format would: a well-formed file (header totals, sizes, the end record), text as
// wide-character text with its font's face and character set and a place for every
// character, lines and fills at their coordinates, pictures as bitmaps, clipping
// balanced, and recordings placed inside others at their scale.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/EmfWriter.h"
#include "platform/gfx/Recording.h"
#include "platform/gfx/VectorDrawing.h"
#include "tests/gfx/EmfReader.h"

namespace {

using gfx::Color;
using gfx::Point;
using gfx::Rect;

constexpr std::uint32_t kExcludeClipRect = 29;
constexpr std::uint32_t kIntersectClipRect = 30;
constexpr std::uint32_t kSaveDC = 33;
constexpr std::uint32_t kRestoreDC = 34;
constexpr std::uint32_t kCreateBrushIndirect = 39;
constexpr std::uint32_t kStrokePath = 64;
constexpr std::uint32_t kFillPath = 62;
constexpr std::uint32_t kStretchDIBits = 81;
constexpr std::uint32_t kPolygon16 = 86;
constexpr std::uint32_t kPolyline16 = 87;
constexpr std::uint32_t kExtCreatePen = 95;

using gfxtest::EmfRecord;
using gfxtest::OfType;
using gfxtest::ReadEmf;
using gfxtest::Texts;
using gfxtest::EmfText;

std::string Emf(const gfx::Recording& recording) { return gfx::EmfWriter(150.0).Write(recording); }

TEST(EmfWriterTest, TextIsWideCharacterTextInItsFaceWithAPlaceForEveryCharacter) {
    struct Case {
        const char* name;
        std::wstring face;
        std::wstring text;
        int charSet;
    };
    const Case cases[] = {
        {"Chinese face and text", L"黑体", L"电压偏差 合格", 134},
        {"Chinese face, English text", L"黑体", L"Voltage deviation", 134},
        {"Latin face, Chinese text", L"Arial", L"不合格", 134},
        {"Latin face and text", L"Arial", L"-7-", 1},
    };
    for (const Case& c : cases) {
        gfx::Recording page(600, 200);
        {
            const std::unique_ptr<gfx::Context> g = page.NewContext();
            g->SetFont(gfx::Font::FromPoints(c.face, 20, 150));
            g->SetTextColor(Color{255, 0, 0});
            Rect box{100, 50, 500, 150};
            g->DrawText(c.text, box, gfx::TextFormat::SingleLine);
        }
        const std::vector<EmfRecord> records = ReadEmf(Emf(page));
        const std::vector<EmfText> texts = Texts(records);
        ASSERT_EQ(texts.size(), 1u) << c.name;
        const EmfText& shown = texts[0];
        EXPECT_EQ(shown.text, platform::WideToUtf16(c.text)) << c.name;
        EXPECT_EQ(shown.face, platform::WideToUtf16(c.face)) << c.name;
        EXPECT_EQ(shown.charSet, c.charSet) << c.name;
        EXPECT_EQ(shown.height, -417) << c.name << ": 20 pt at 150 units per inch, in tenths of a unit";
        EXPECT_EQ(shown.color, 0x0000FFu) << c.name << ": red as a colour reference";
        EXPECT_NEAR(shown.x, 1000, 20) << c.name << ": at the box's left edge";
        EXPECT_GT(shown.y, 500 + 200) << c.name << ": the reference point is on the baseline, below the top";
        EXPECT_LT(shown.y, 500 + 2 * 417) << c.name;
        ASSERT_EQ(shown.advances.size(), shown.text.size()) << c.name;
        for (std::size_t i = 0; i < shown.advances.size(); ++i) {
            EXPECT_GE(shown.advances[i], 0) << c.name << " unit " << i;
        }
        std::int32_t total = 0;
        for (const std::int32_t advance : shown.advances) {
            total += advance;
        }
        EXPECT_GT(total, static_cast<std::int32_t>(shown.text.size()) * 417 / 5) << c.name;
    }
}

TEST(EmfWriterTest, WrappedTextKeepsItsLinesAndCutTextItsEllipsis) {
    gfx::Recording page(400, 400);
    {
        const std::unique_ptr<gfx::Context> g = page.NewContext();
        g->SetFont(gfx::Font::FromPoints(L"Arial", 10, 150));
        Rect wrapped{0, 0, 200, 300};
        g->DrawText(L"one two three four five six seven eight nine ten", wrapped, gfx::TextFormat::WordBreak);
        Rect cut{0, 350, 60, 380};
        g->DrawText(L"a very long caption that cannot fit", cut, gfx::TextFormat::SingleLine | gfx::TextFormat::EndEllipsis);
    }
    const std::vector<EmfText> texts = Texts(ReadEmf(Emf(page)));
    ASSERT_GE(texts.size(), 3u);
    std::u16string joined;
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        joined += texts[i].text;
        if (i > 0) {
            EXPECT_GT(texts[i].y, texts[i - 1].y) << "each line below the one before";
        }
    }
    EXPECT_EQ(platform::Utf16ToWide(joined), L"one two three four five six seven eight nine ten");
    const std::u16string& last = texts.back().text;
    EXPECT_EQ(last.back(), u'\u2026') << platform::WideToUtf8(platform::Utf16ToWide(last));
    EXPECT_EQ(last.rfind(u"a ", 0), 0u);
}

TEST(EmfWriterTest, LinesAndFillsLandAtTheirCoordinatesWithTheirColours) {
    gfx::Recording page(300, 200);
    {
        const std::unique_ptr<gfx::Context> g = page.NewContext();
        g->FillRect(Rect{10, 20, 110, 70}, Color{0, 128, 255});
        const Point line[] = {{5, 5}, {150.25, 5}, {150.25, 90}};
        g->StrokeLine(line, gfx::LineStyle{Color{255, 0, 0}, 2.0, {}});
    }
    const std::vector<EmfRecord> records = ReadEmf(Emf(page));
    const auto polygons = OfType(records, kPolygon16);
    ASSERT_EQ(polygons.size(), 1u);
    const EmfRecord& fill = *polygons[0];
    ASSERT_EQ(fill.U32(24), 4u) << "a rectangle of four corners";
    EXPECT_EQ(fill.I16(28), 100);
    EXPECT_EQ(fill.I16(30), 200);
    EXPECT_EQ(fill.I16(32), 1100);
    EXPECT_EQ(fill.I16(38), 700);
    const auto brushes = OfType(records, kCreateBrushIndirect);
    ASSERT_EQ(brushes.size(), 1u);
    EXPECT_EQ(brushes[0]->U32(16), 0xFF8000u);

    const auto polylines = OfType(records, kPolyline16);
    ASSERT_EQ(polylines.size(), 1u);
    const EmfRecord& stroke = *polylines[0];
    ASSERT_EQ(stroke.U32(24), 3u);
    EXPECT_EQ(stroke.I16(32), 1503) << "a quarter unit kept to a tenth";
    EXPECT_EQ(stroke.I16(38), 900);
    const auto pens = OfType(records, kExtCreatePen);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(pens[0]->U32(28) & 0xF0000u, 0x10000u) << "a geometric pen";
    EXPECT_EQ(pens[0]->U32(32), 20u) << "2 units wide";
    EXPECT_EQ(pens[0]->U32(40), 0x0000FFu);
}

TEST(EmfWriterTest, CurvedShapesGoAsPaths) {
    gfx::Recording page(100, 100);
    {
        const std::unique_ptr<gfx::Context> g = page.NewContext();
        g->SetBrush(Color{0, 0, 0});
        g->SetPen(gfx::Pen{Color{0, 0, 255}, 1.0});
        g->Ellipse(Rect{10, 10, 60, 40});
    }
    const std::vector<EmfRecord> records = ReadEmf(Emf(page));
    EXPECT_EQ(OfType(records, kFillPath).size(), 1u);
    EXPECT_EQ(OfType(records, kStrokePath).size(), 1u);
}

TEST(EmfWriterTest, PicturesAreBitmapsOverWhiteAtNoMorePixelsThanPrintNeeds) {
    gfx::Bitmap small(2, 2);
    small.SetPixel(0, 0, Color{255, 0, 0});
    small.SetPixel(1, 0, Color{0, 255, 0});
    small.SetPixel(0, 1, Color{0, 0, 255});
    // (1, 1) stays transparent: white on the page.
    gfx::Bitmap large(3000, 1000);
    gfx::Recording page(600, 400);
    {
        const std::unique_ptr<gfx::Context> g = page.NewContext();
        g->DrawBitmap(small, Rect{0, 0, 2, 2}, Rect{10, 10, 110, 110});
        g->DrawBitmap(large, Rect{0, 0, 3000, 1000}, Rect{0, 200, 300, 300});
    }
    const std::vector<EmfRecord> records = ReadEmf(Emf(page));
    const auto pictures = OfType(records, kStretchDIBits);
    ASSERT_EQ(pictures.size(), 2u);
    const EmfRecord& first = *pictures[0];
    EXPECT_EQ(first.I32(8), 100);
    EXPECT_EQ(first.I32(72), 1000) << "destination width";
    const std::size_t info = first.U32(48);
    EXPECT_EQ(first.I32(info + 4), 2);
    EXPECT_EQ(first.I32(info + 8), 2) << "rows from the bottom up";
    EXPECT_EQ(first.U32(info + 12) >> 16, 24u) << "24 bits a pixel";
    const std::size_t bits = first.U32(56);
    // Bottom row first: blue, white; then red, green. Pixels are blue, green, red.
    const std::string expected("\xFF\x00\x00\xFF\xFF\xFF\x00\x00\x00\x00\xFF\x00\xFF\x00\x00\x00", 16);
    EXPECT_EQ(first.bytes.substr(bits, 16), expected);

    const EmfRecord& second = *pictures[1];
    const std::size_t secondInfo = second.U32(48);
    EXPECT_EQ(second.I32(secondInfo + 4), 600) << "300 units at 150 a inch printed at 300 dpi";
    EXPECT_EQ(second.I32(secondInfo + 8), 200);
}

TEST(EmfWriterTest, ClippingIsBalancedAndRecordingsPlayInsideOthersAtTheirScale) {
    gfx::Recording table(200, 100);
    {
        const std::unique_ptr<gfx::Context> g = table.NewContext();
        g->FillRect(Rect{0, 0, 200, 100}, Color{230, 230, 230});
        g->Save();  // left open: the played drawing must not leave it behind
        g->IntersectClip(Rect{0, 0, 100, 50});
        g->ExcludeClip(Rect{10, 10, 20, 20});
    }
    gfx::Recording page(1240, 1754);
    {
        const std::unique_ptr<gfx::Context> g = page.NewContext();
        table.Play(*g, Rect::FromSize(100, 300, 400, 200));
        g->FillRect(Rect{0, 0, 10, 10}, Color{0, 0, 0});
    }
    const std::vector<EmfRecord> records = ReadEmf(Emf(page));
    EXPECT_EQ(OfType(records, kSaveDC).size(), OfType(records, kRestoreDC).size());
    const auto polygons = OfType(records, kPolygon16);
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0]->I16(28), 1000) << "the table at twice its size, 100 units in";
    EXPECT_EQ(polygons[0]->I16(32), 5000);
    EXPECT_EQ(polygons[0]->I16(34), 3000);
    EXPECT_EQ(polygons[0]->I16(38), 5000);
    const auto clips = OfType(records, kIntersectClipRect);
    ASSERT_GE(clips.size(), 3u) << "the extent, the table's place, the table's own clip";
    EXPECT_EQ(clips.back()->I32(8), 1000);
    EXPECT_EQ(clips.back()->I32(16), 3000);
    EXPECT_EQ(clips.back()->I32(20), 4000);
    const auto excluded = OfType(records, kExcludeClipRect);
    ASSERT_EQ(excluded.size(), 1u);
    EXPECT_EQ(excluded[0]->I32(8), 1200);
    // The header: the page's size in hundredths of a millimetre (A4 at 150 units an inch).
    EXPECT_NEAR(records.front().I32(32), 20997, 1);
    EXPECT_NEAR(records.front().I32(36), 29701, 1);
}

TEST(EmfWriterTest, AnEmptyRecordingHasNoMetafile) {
    EXPECT_TRUE(Emf(gfx::Recording(0, 10)).empty());
    EXPECT_FALSE(ReadEmf(Emf(gfx::Recording(10, 10))).empty());
}

}  // namespace
