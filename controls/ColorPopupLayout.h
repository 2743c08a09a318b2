#pragma once
// The colour popup's face, apart from its window: a bar with the default colour on
// top, a grid of 40 colours (8 across, 5 down) and a bar that opens the full
// colour chooser at the bottom. It says where each part lies, which part a point
// falls on, and draws the whole face with the current colour framed and the part
// under the pointer lit.
//
// Colours are 32-bit values with red in the low byte, then green, then blue.

#include <cstdint>
#include <span>
#include <string>

#include "platform/gfx/Context.h"
#include "platform/gfx/Geometry.h"

namespace controls {

enum class ColorPopupPart { None, Default, Swatch, More };

struct ColorPopupHit {
    ColorPopupPart part = ColorPopupPart::None;
    int index = -1;  // the swatch, for ColorPopupPart::Swatch
    bool operator==(const ColorPopupHit&) const = default;
};

class ColorPopupLayout {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 5;
    static constexpr int kCell = 20;
    static constexpr int kMargin = 4;
    static constexpr int kBar = 22;

    // The grid's colours, row by row.
    static std::span<const std::uint32_t> Swatches();
    static int Width() { return 2 * kMargin + kColumns * kCell; }
    static int Height() { return 4 * kMargin + 2 * kBar + kRows * kCell; }
    static gfx::Rect DefaultRect();
    static gfx::Rect SwatchRect(int index);
    static gfx::Rect MoreRect();
    // The part under the point (popup coordinates).
    static ColorPopupHit HitTest(int x, int y);
    // The centre of a part, for a click on it.
    static gfx::Point Centre(const ColorPopupHit& part);

    // Draws the face over (0, 0, Width(), Height()).
    static void Draw(gfx::Context& dc, std::uint32_t current, std::uint32_t defaultColor, const ColorPopupHit& hover,
                     const std::wstring& defaultText, const std::wstring& moreText);
};

}  // namespace controls
