#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lib/viewer/data/BufferedDataManager.h"
#include "lib/viewer/data/RowImpSingal.h"
#include "lib/viewer/data/RowItem.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "tests/viewer/data/ViewerDataTestSupport.h"

namespace {

using viewertest::VectorSource;

constexpr std::int64_t kHostTop = std::int64_t{1} << 32;
constexpr std::uint32_t kLine = 0x0000FF;  // red
const gfx::Color kRed{255, 0, 0};

// A row of one kind over a cache of the samples, drawn into a 200 x 150 picture.
class DrawnRow {
public:
    DrawnRow(int kind, std::vector<std::int64_t> samples, int bits = 32)
        : m_source(std::move(samples)), m_cache(new CBufferedDataManager) {
        m_cache->SetSource(&m_source);
        m_cache->Build();
        m_kind = tracelume::CreateRowImp(kind);
        m_kind->SetData(m_cache);
        m_row.AddImp(m_kind);
        m_row.SetBitWidth(bits);
        CLineStyleInfo style;
        style.m_lineColor = kLine;
        style.m_textColor = 0;
        m_row.SetImpStyle(m_kind, style);
    }
    ~DrawnRow() {
        m_row.RemoveAllImps();
        m_cache->Release();
    }

    CRowItem& Row() { return m_row; }
    IRowItemImp& Kind() { return *m_kind; }
    void SetStyle(const CLineStyleInfo& style) { m_row.SetImpStyle(m_kind, style); }

    // Draws the samples first .. last across the whole width.
    const gfx::Bitmap& Draw(double first, double last) {
        m_picture = gfx::Bitmap(200, 150);
        gfx::Context dc(m_picture);
        dc.SetFont({L"Tahoma", -12});
        m_row.Draw(dc, {0, 0, 200, 150}, first, last);
        return m_picture;
    }
    bool Lit(int x, int y) const { return m_picture.PixelAt(x, y).a > 128; }
    // Whether any pixel of the column between the rows top and bottom is lit.
    bool ColumnLit(int x, int top = 0, int bottom = 150) const {
        for (int y = top; y < bottom; ++y) {
            if (Lit(x, y)) {
                return true;
            }
        }
        return false;
    }

private:
    VectorSource m_source;
    CBufferedDataManager* m_cache;
    IRowItemImp* m_kind = nullptr;
    CRowItem m_row;
    gfx::Bitmap m_picture;
};

std::vector<std::int64_t> Halves(std::int64_t first, std::int64_t second, int count = 1000) {
    std::vector<std::int64_t> samples(static_cast<std::size_t>(count), first);
    std::fill(samples.begin() + count / 2, samples.end(), second);
    return samples;
}

// The band of a 150-pixel row runs from y = 4 (raw 2^bits - 1) to y = 146 (raw 0).
TEST(RowKindTest, AnalogCurvePlacesValuesInTheBand) {
    struct Case {
        const char* name;
        std::int64_t value;
        int y;
    };
    const Case cases[] = {
        {"bottom", 0, 146},
        {"middle", kHostTop / 2, 75},
        {"top of the band", kHostTop - 1, 4},
        {"the host's top position is held at the top", kHostTop, 4},
        {"above the band", kHostTop * 3, 4},
        {"below the band", -1000, 146},
    };
    for (const Case& c : cases) {
        DrawnRow row(tracelume::kRowKindAnalog, std::vector<std::int64_t>(1000, c.value));
        row.Draw(0, 1000);
        EXPECT_TRUE(row.Lit(100, c.y)) << c.name;
        EXPECT_FALSE(row.Lit(100, c.y < 75 ? c.y + 5 : c.y - 5)) << c.name;
    }
}

TEST(RowKindTest, AnalogCurveBreaksWhereSamplesHaveNoValue) {
    std::vector<std::int64_t> samples = Halves(kHostTop / 2, kNoValuePosition);
    samples[800] = kHostTop / 2;
    DrawnRow row(tracelume::kRowKindAnalog, samples);
    row.Draw(0, 1000);
    EXPECT_TRUE(row.ColumnLit(50));
    EXPECT_FALSE(row.ColumnLit(130));
    EXPECT_TRUE(row.ColumnLit(160));  // a lone valued sample still shows
    EXPECT_FALSE(row.ColumnLit(180));
}

TEST(RowKindTest, AnalogColumnShowsTheRangeOfItsSamples) {
    std::vector<std::int64_t> samples(100000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = i % 2 == 0 ? kHostTop / 4 : kHostTop / 4 * 3;
    }
    samples[50123] = kHostTop - 1;  // one peak inside a column
    DrawnRow row(tracelume::kRowKindAnalog, samples);
    row.Draw(0, 100000);
    // Columns of 500 samples: bars from y = 39.5 (3/4) to 110.5 (1/4).
    EXPECT_TRUE(row.Lit(50, 60));
    EXPECT_TRUE(row.Lit(50, 100));
    EXPECT_FALSE(row.Lit(50, 20));
    EXPECT_FALSE(row.Lit(50, 130));
    // The peak's column (sample 50123 is at x = 100.2) reaches the top.
    EXPECT_TRUE(row.Lit(100, 6));
    EXPECT_FALSE(row.Lit(150, 6));
}

TEST(RowKindTest, NothingIsDrawnForAnEmptyStretch) {
    for (const int kind : {tracelume::kRowKindAnalog, tracelume::kRowKindBus, tracelume::kRowKindSingleBit}) {
        DrawnRow row(kind, std::vector<std::int64_t>(1000, 1));
        const gfx::Bitmap& picture = row.Draw(500, 500);
        int lit = 0;
        for (int x = 0; x < 200; ++x) {
            lit += row.ColumnLit(x) ? 1 : 0;
        }
        EXPECT_EQ(lit, 0) << kind;
        EXPECT_EQ(picture.Width(), 200);
    }
}

TEST(RowKindTest, BusShowsZeroAsLowerAndAllOnesAsUpperLine) {
    // Band from y = 10 to 146, middle 78.
    DrawnRow row(tracelume::kRowKindBus, Halves(0, 0xFF), 8);
    row.Draw(0, 1000);
    EXPECT_TRUE(row.Lit(50, 146));
    EXPECT_FALSE(row.Lit(50, 10));
    EXPECT_TRUE(row.Lit(150, 10));
    EXPECT_FALSE(row.Lit(150, 146));
    DrawnRow wide(tracelume::kRowKindBus, Halves(0, -1), 64);  // all 64 bits set
    wide.Draw(0, 1000);
    EXPECT_TRUE(wide.Lit(50, 146));
    EXPECT_FALSE(wide.Lit(50, 10));
    EXPECT_TRUE(wide.Lit(150, 10));
    EXPECT_FALSE(wide.Lit(150, 146));
    DrawnRow other(tracelume::kRowKindBus, Halves(0x0F, kNoValuePosition), 8);
    other.Draw(0, 1000);
    EXPECT_TRUE(other.Lit(50, 10));
    EXPECT_TRUE(other.Lit(50, 146));
    EXPECT_FALSE(other.ColumnLit(150));  // no value: nothing
}

TEST(RowKindTest, SingleBitFillsLowStretchesInFillMode) {
    DrawnRow row(tracelume::kRowKindSingleBit, Halves(0b10, 0b01));
    CLineStyleInfo style;
    style.m_lineColor = kLine;
    style.m_bitMask = 0b01;
    style.m_drawMode = tracelume::CRowImpSingal::kFillLowMode;
    row.SetStyle(style);
    const gfx::Bitmap& picture = row.Draw(0, 1000);
    EXPECT_EQ(picture.PixelAt(50, 80), kRed);
    EXPECT_EQ(picture.PixelAt(50, 7), kRed);
    EXPECT_FALSE(row.ColumnLit(150));
    style.m_drawMode = 0;
    row.SetStyle(style);
    row.Draw(0, 1000);
    EXPECT_TRUE(row.Lit(50, 146));  // low level
    EXPECT_TRUE(row.Lit(150, 10));  // high level
    EXPECT_TRUE(row.Lit(100, 80));  // the edge between
}

TEST(RowKindTest, ValuesUnderAPosition) {
    struct Case {
        const char* name;
        int kind;
        std::uint64_t mask;
        std::int64_t position;
        int result;
        std::int64_t first;
        std::int64_t second;
        const char* text;
    };
    const Case cases[] = {
        {"bus: first run", tracelume::kRowKindBus, ~0ull, 10, 1, 0, 500, "0A H"},
        {"bus: second run", tracelume::kRowKindBus, ~0ull, 999, 1, 500, 1000, "0B H"},
        {"bus: before the data", tracelume::kRowKindBus, ~0ull, -1, 0, -7, -7, ""},
        {"bus: after the data", tracelume::kRowKindBus, ~0ull, 1000, 0, -7, -7, ""},
        {"bit 0: whole data constant", tracelume::kRowKindSingleBit, 0b100, 600, 1, 0, 1000, "0"},
        {"bit 0 set", tracelume::kRowKindSingleBit, 0b001, 600, 1, 500, 1000, "1"},
        {"bit 1 set", tracelume::kRowKindSingleBit, 0b010, 20, 1, 0, 1000, "1"},
    };
    for (const Case& c : cases) {
        DrawnRow row(c.kind, Halves(0x0A, 0x0B), 8);
        CLineStyleInfo style;
        style.m_bitMask = c.mask;
        row.SetStyle(style);
        std::int64_t first = -7;
        std::int64_t second = -7;
        std::wstring text;
        EXPECT_EQ(row.Kind().GetValueAt(&row.Row(), c.position, &first, &second, &text), c.result) << c.name;
        EXPECT_EQ(first, c.first) << c.name;
        EXPECT_EQ(second, c.second) << c.name;
        EXPECT_EQ(platform::WideToUtf8(text), c.text) << c.name;
    }

    DrawnRow analog(tracelume::kRowKindAnalog, Halves(kHostTop / 2, kNoValuePosition));
    analog.Row().SetRange(0, 400, 3, 1);
    analog.Draw(0, 1000);
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::wstring text;
    ASSERT_EQ(analog.Kind().GetValueAt(&analog.Row(), 250, &x, &y, &text), 1);
    EXPECT_EQ(x, 50);
    EXPECT_EQ(y, 75);
    EXPECT_EQ(platform::WideToUtf8(text), "200.0 V");
    EXPECT_EQ(analog.Kind().GetValueAt(&analog.Row(), 750, &x, &y, &text), 0);
}

}  // namespace
