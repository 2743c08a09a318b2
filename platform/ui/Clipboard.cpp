#include "platform/ui/Clipboard.h"

#include <algorithm>
#include <cstdint>

#include <wx/bitmap.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/image.h>

namespace ui {

bool CopyPictureToClipboard(cairo_surface_t* picture) {
    if (picture == nullptr || cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    cairo_surface_flush(picture);
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    const unsigned char* data = cairo_image_surface_get_data(picture);
    if (width <= 0 || height <= 0 || data == nullptr) {
        return false;
    }
    // Laid over white, as the picture would show on a page.
    wxImage image(width, height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = row[x];
            const unsigned alpha = pixel >> 24;
            const auto channel = [&](int shift) {
                return static_cast<unsigned char>(std::min(255u, ((pixel >> shift) & 0xFF) + (255 - alpha)));
            };
            image.SetRGB(x, y, channel(16), channel(8), channel(0));
        }
    }
    wxClipboardLocker locker;
    if (!locker) {
        return false;
    }
    return wxTheClipboard->SetData(new wxBitmapDataObject(wxBitmap(image)));
}

}  // namespace ui
