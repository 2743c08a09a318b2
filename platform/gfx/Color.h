#pragma once
// A colour with straight (not premultiplied) alpha. The program's colours are
// 32-bit COLORREF values (red in the low byte, then green, then blue), its
// translucent colours ARGB values (alpha in the high byte).

#include <cstdint>

namespace gfx {

struct Color {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;

    static constexpr Color FromColorRef(std::uint32_t colorRef, std::uint8_t alpha = 255) {
        return {static_cast<std::uint8_t>(colorRef & 0xFF), static_cast<std::uint8_t>((colorRef >> 8) & 0xFF),
                static_cast<std::uint8_t>((colorRef >> 16) & 0xFF), alpha};
    }
    static constexpr Color FromArgb(std::uint32_t argb) {
        return {static_cast<std::uint8_t>((argb >> 16) & 0xFF), static_cast<std::uint8_t>((argb >> 8) & 0xFF),
                static_cast<std::uint8_t>(argb & 0xFF), static_cast<std::uint8_t>(argb >> 24)};
    }
    constexpr std::uint32_t ToColorRef() const {
        return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
               (static_cast<std::uint32_t>(b) << 16);
    }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

}  // namespace gfx
