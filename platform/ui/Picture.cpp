#include "platform/ui/Picture.h"

#include <algorithm>
#include <optional>

#include <wx/dc.h>
#include <wx/graphics.h>
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

void PaintThrough(wxDC& dc, const wxRect& rect, const std::function<void(gfx::Context&)>& draw) {
    if (rect.width <= 0 || rect.height <= 0) {
        return;
    }
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    auto* surface = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
    if (surface != nullptr) {
        cairo_save(surface);
        cairo_rectangle(surface, rect.x, rect.y, rect.width, rect.height);
        cairo_clip(surface);
        cairo_translate(surface, rect.x, rect.y);
        {
            gfx::Context context(surface);
            draw(context);
        }
        cairo_restore(surface);
        return;
    }
    gfx::Bitmap picture(rect.width, rect.height);
    {
        gfx::Context context(picture);
        draw(context);
    }
    const wxBitmap converted = ToWxBitmap(picture);
    if (converted.IsOk()) {
        dc.DrawBitmap(converted, rect.x, rect.y, true);
    }
}

}  // namespace ui
