// The colour popup's face without a window: where its parts lie, which part a point
// falls on, and what it draws (every colour in its cell, the current one framed,
// the default colour in its bar).
#include <gtest/gtest.h>

#include <set>

#include "controls/ColorPopupLayout.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

namespace {

using controls::ColorPopupHit;
using controls::ColorPopupLayout;
using controls::ColorPopupPart;

TEST(ColorPopupLayoutTest, PointsFallOnTheirParts)
{
    const int m = ColorPopupLayout::kMargin, cell = ColorPopupLayout::kCell, bar = ColorPopupLayout::kBar;
    const int gridTop = 2 * m + bar;
    struct Case {
        const char* name;
        int x, y;
        ColorPopupHit hit;
    };
    const Case cases[] = {
        {"the default bar", m + 1, m + 1, {ColorPopupPart::Default, -1}},
        {"the first swatch", m, gridTop, {ColorPopupPart::Swatch, 0}},
        {"the last pixel of the first swatch", m + cell - 1, gridTop + cell - 1, {ColorPopupPart::Swatch, 0}},
        {"the second swatch starts a cell on", m + cell, gridTop, {ColorPopupPart::Swatch, 1}},
        {"the second row", m, gridTop + cell, {ColorPopupPart::Swatch, ColorPopupLayout::kColumns}},
        {"the last swatch", ColorPopupLayout::Width() - m - 1, gridTop + 5 * cell - 1, {ColorPopupPart::Swatch, 39}},
        {"the more bar", ColorPopupLayout::Width() / 2, ColorPopupLayout::Height() - m - 1, {ColorPopupPart::More, -1}},
        {"the margin", 1, 1, {}},
        {"between the bar and the grid", m + 5, m + bar + 1, {}},
        {"outside", -3, 500, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColorPopupLayout::HitTest(c.x, c.y), c.hit) << c.name;
    }
    // Each part's centre falls on that part.
    for (int index = 0; index < ColorPopupLayout::kColumns * ColorPopupLayout::kRows; ++index) {
        const ColorPopupHit swatch{ColorPopupPart::Swatch, index};
        const gfx::Point centre = ColorPopupLayout::Centre(swatch);
        EXPECT_EQ(ColorPopupLayout::HitTest(int(centre.x), int(centre.y)), swatch) << index;
    }
    for (ColorPopupPart part : {ColorPopupPart::Default, ColorPopupPart::More}) {
        const gfx::Point centre = ColorPopupLayout::Centre({part, -1});
        EXPECT_EQ(ColorPopupLayout::HitTest(int(centre.x), int(centre.y)).part, part);
    }
    const std::set<std::uint32_t> distinct(ColorPopupLayout::Swatches().begin(), ColorPopupLayout::Swatches().end());
    EXPECT_EQ(distinct.size(), ColorPopupLayout::Swatches().size()) << "no colour twice";
}

TEST(ColorPopupLayoutTest, DrawsEachColourTheCurrentFramedAndTheDefault)
{
    gfx::Bitmap face(ColorPopupLayout::Width(), ColorPopupLayout::Height());
    const std::uint32_t current = ColorPopupLayout::Swatches()[13];
    const std::uint32_t fallback = 0x00336699;
    {
        gfx::Context dc(face);
        ColorPopupLayout::Draw(dc, current, fallback, {}, L"Default", L"More...");
    }
    for (std::size_t index = 0; index < ColorPopupLayout::Swatches().size(); ++index) {
        const gfx::Point centre = ColorPopupLayout::Centre({ColorPopupPart::Swatch, int(index)});
        EXPECT_EQ(face.PixelAt(int(centre.x), int(centre.y)).ToColorRef(), ColorPopupLayout::Swatches()[index]) << index;
    }
    const gfx::Rect chosen = ColorPopupLayout::SwatchRect(13);
    const gfx::Rect other = ColorPopupLayout::SwatchRect(12);
    EXPECT_EQ(face.PixelAt(int(chosen.left), int(chosen.top)), (gfx::Color{0, 0, 128})) << "the current colour is framed";
    EXPECT_FALSE(face.PixelAt(int(other.left), int(other.top)) == (gfx::Color{0, 0, 128}));
    const gfx::Rect bar = ColorPopupLayout::DefaultRect();
    EXPECT_EQ(face.PixelAt(int(bar.left) + 8, int(bar.top + bar.Height() / 2)).ToColorRef(), fallback);
}

}  // namespace
