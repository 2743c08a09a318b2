#include "platform/ui/Picture.h"

#include <algorithm>
#include <optional>

#include <wx/dc.h>
#include <wx/image.h>

#include "platform/gfx/PictureStore.h"

namespace ui {
namespace {

wxBitmap Convert(const gfx::Bitmap& bitmap, const wxRect& wanted, std::optional<gfx::Color> transparent) {
    if (bitmap.IsEmpty()) {
        return wxBitmap();
    }
    const wxRect part = wanted.Intersect(wxRect(0, 0, bitmap.Width(), bitmap.Height()));
    if (part.IsEmpty()) {
        return wxBitmap();
    }
    wxImage image(part.width, part.height, false);
    image.InitAlpha();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.GetAlpha();
    for (int y = 0; y < part.height; ++y) {
        for (int x = 0; x < part.width; ++x) {
            gfx::Color color = bitmap.PixelAt(part.x + x, part.y + y);
            if (transparent && color.r == transparent->r && color.g == transparent->g && color.b == transparent->b) {
                color.a = 0;
            }
            const std::size_t at = static_cast<std::size_t>(y) * part.width + x;
            rgb[at * 3] = color.r;
            rgb[at * 3 + 1] = color.g;
            rgb[at * 3 + 2] = color.b;
            alpha[at] = color.a;
        }
    }
    return wxBitmap(image);
}

}  // namespace

wxBitmap ToWxBitmap(const gfx::Bitmap& bitmap) {
    return Convert(bitmap, wxRect(0, 0, bitmap.Width(), bitmap.Height()), std::nullopt);
}

wxBitmap ToWxBitmap(const gfx::Bitmap& bitmap, const wxRect& part) { return Convert(bitmap, part, std::nullopt); }

wxBitmap ToWxBitmap(const gfx::Bitmap& bitmap, const wxRect& part, gfx::Color transparent) {
    return Convert(bitmap, part, transparent);
}

wxBitmap PictureBitmap(int id) { return ToWxBitmap(gfx::LoadPicture(id)); }

void PaintBitmap(wxDC& dc, const gfx::Bitmap& bitmap, int x, int y) {
    const wxBitmap converted = ToWxBitmap(bitmap);
    if (converted.IsOk()) {
        dc.DrawBitmap(converted, x, y, true);
    }
}

}  // namespace ui
