#pragma once
// A small 8-bit picture with a 256-colour palette, on which the patterned
// background effects are computed before they are drawn. Rows are kept bottom-up,
// so row 0 is the bottom row of the picture.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/Context.h"

class CCeXDib {
public:
    // Empty (and drawing nothing) when a side is not positive.
    bool Create(int width, int height);
    void SetPaletteEntry(int index, std::uint32_t colour);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The palette index at column x of row y counted from the bottom.
    std::uint8_t& At(int x, int y) { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }

    // Draws the picture with its top-left corner at (x, y).
    void Draw(gfx::Context& dc, int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::array<std::uint32_t, 256> m_palette{};
    std::vector<std::uint8_t> m_pixels;
};
