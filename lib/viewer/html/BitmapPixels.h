#pragma once
// Direct access to the pixels of a bitmap for the raster routines of the tooltip:
// one read and one write per pixel, never a drawing call per pixel. Pixels are
// 32-bit premultiplied ARGB (alpha in the high byte, then red, green, blue). The
// bitmap learns of the changes when this object goes.

#include <cstdint>

#include "platform/gfx/Bitmap.h"

class CBitmapPixels {
public:
    // Reading a bitmap through it leaves the bitmap as it was.
    explicit CBitmapPixels(const gfx::Bitmap& bitmap);
    ~CBitmapPixels();
    CBitmapPixels(const CBitmapPixels&) = delete;
    CBitmapPixels& operator=(const CBitmapPixels&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::uint32_t* Row(int y) { return reinterpret_cast<std::uint32_t*>(m_data + static_cast<std::ptrdiff_t>(y) * m_stride); }
    std::uint32_t& At(int x, int y) { return Row(y)[x]; }

    static std::uint32_t Pack(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
        return (a << 24) | (r << 16) | (g << 8) | b;
    }
    // Straight (not premultiplied) channels of a pixel and back.
    struct Straight {
        int a = 0;
        int r = 0;
        int g = 0;
        int b = 0;
    };
    static Straight Unpremultiply(std::uint32_t pixel);
    static std::uint32_t Premultiply(const Straight& colour);

private:
    cairo_surface_t* m_surface = nullptr;
    unsigned char* m_data = nullptr;
    int m_stride = 0;
    int m_width = 0;
    int m_height = 0;
};
