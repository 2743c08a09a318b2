#include "platform/ui/SurfaceImage.h"

#include <algorithm>
#include <cstdint>

namespace ui {

wxImage ImageFromSurface(cairo_surface_t* picture, bool overWhite) {
    if (picture == nullptr || cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(picture) != CAIRO_SURFACE_TYPE_IMAGE) {
        return wxImage();
    }
    cairo_surface_flush(picture);
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    const unsigned char* data = cairo_image_surface_get_data(picture);
    if (width <= 0 || height <= 0 || data == nullptr) {
        return wxImage();
    }
    wxImage image(width, height);
    if (!overWhite) {
        image.InitAlpha();
    }
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x];
            const unsigned alpha = pixel >> 24;
            const auto channel = [&](int shift) {
                const unsigned value = (pixel >> shift) & 0xFF;
                if (overWhite) {
                    return static_cast<unsigned char>(std::min(255u, value + (255 - alpha)));
                }
                return static_cast<unsigned char>(alpha == 0 ? 0 : std::min(255u, value * 255 / alpha));
            };
            image.SetRGB(x, y, channel(16), channel(8), channel(0));
            if (!overWhite) {
                image.SetAlpha(x, y, static_cast<unsigned char>(alpha));
            }
        }
    }
    return image;
}

}  // namespace ui
