#include "lib/viewer/html/BitmapPixels.h"

#include <cairo.h>

CBitmapPixels::CBitmapPixels(const gfx::Bitmap& bitmap) : m_surface(bitmap.Surface()) {
    if (m_surface == nullptr) {
        return;
    }
    cairo_surface_flush(m_surface);
    m_data = cairo_image_surface_get_data(m_surface);
    m_stride = cairo_image_surface_get_stride(m_surface);
    m_width = bitmap.Width();
    m_height = bitmap.Height();
}

CBitmapPixels::~CBitmapPixels() {
    if (m_surface != nullptr) {
        cairo_surface_mark_dirty(m_surface);
    }
}

CBitmapPixels::Straight CBitmapPixels::Unpremultiply(std::uint32_t pixel) {
    const int alpha = static_cast<int>(pixel >> 24);
    if (alpha == 0) {
        return {};
    }
    auto channel = [&](int shift) { return (static_cast<int>((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha; };
    return {alpha, channel(16), channel(8), channel(0)};
}

std::uint32_t CBitmapPixels::Premultiply(const Straight& colour) {
    auto channel = [&](int value) { return static_cast<std::uint32_t>((value * colour.a + 127) / 255); };
    return Pack(static_cast<std::uint32_t>(colour.a), channel(colour.r), channel(colour.g), channel(colour.b));
}
