#include "platform/gfx/ImageCodec.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "platform/base/FileSystem.h"

namespace gfx {

namespace {

struct UnrefObject {
    void operator()(void* object) const { g_object_unref(object); }
};
using PixbufPtr = std::unique_ptr<GdkPixbuf, UnrefObject>;

// Straight RGB(A) rows of the pixbuf into the bitmap's premultiplied pixels.
Bitmap FromPixbuf(GdkPixbuf* pixbuf) {
    if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) {
        return {};
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf) != FALSE;
    if (channels < (alpha ? 4 : 3)) {
        return {};
    }
    Bitmap bitmap(width, height);
    if (bitmap.IsEmpty()) {
        return bitmap;
    }
    cairo_surface_t* surface = bitmap.Surface();
    cairo_surface_flush(surface);
    const int sourceStride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* source = gdk_pixbuf_read_pixels(pixbuf);
    unsigned char* target = cairo_image_surface_get_data(surface);
    const int targetStride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        const guchar* in = source + static_cast<std::ptrdiff_t>(y) * sourceStride;
        auto* out = reinterpret_cast<std::uint32_t*>(target + static_cast<std::ptrdiff_t>(y) * targetStride);
        for (int x = 0; x < width; ++x, in += channels) {
            const std::uint32_t a = alpha ? in[3] : 255;
            auto premultiplied = [a](guchar value) { return (static_cast<std::uint32_t>(value) * a + 127) / 255; };
            out[x] = (a << 24) | (premultiplied(in[0]) << 16) | (premultiplied(in[1]) << 8) | premultiplied(in[2]);
        }
    }
    cairo_surface_mark_dirty(surface);
    return bitmap;
}

// The bitmap as a pixbuf of straight RGBA.
PixbufPtr ToPixbuf(const Bitmap& bitmap) {
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    PixbufPtr pixbuf(gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height));
    if (!pixbuf) {
        return pixbuf;
    }
    const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf.get());
    for (int y = 0; y < height; ++y) {
        guchar* out = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, out += 4) {
            const Color c = bitmap.PixelAt(x, y);
            out[0] = c.r;
            out[1] = c.g;
            out[2] = c.b;
            out[3] = c.a;
        }
    }
    return pixbuf;
}

GdkPixbufFormat* WritableFormat(std::string_view name) {
    GSList* formats = gdk_pixbuf_get_formats();
    GdkPixbufFormat* found = nullptr;
    for (GSList* entry = formats; entry != nullptr && found == nullptr; entry = entry->next) {
        auto* format = static_cast<GdkPixbufFormat*>(entry->data);
        gchar* formatName = gdk_pixbuf_format_get_name(format);
        if (name == formatName && gdk_pixbuf_format_is_writable(format)) {
            found = format;
        }
        g_free(formatName);
    }
    g_slist_free(formats);
    return found;
}

}  // namespace

Bitmap DecodeImage(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
    GError* error = nullptr;
    const bool written =
        gdk_pixbuf_loader_write(loader, reinterpret_cast<const guchar*>(bytes.data()), bytes.size(), &error) != FALSE;
    if (error != nullptr) {
        g_error_free(error);
        error = nullptr;
    }
    const bool closed = gdk_pixbuf_loader_close(loader, &error) != FALSE;
    if (error != nullptr) {
        g_error_free(error);
    }
    Bitmap bitmap;
    GdkPixbuf* pixbuf = written && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
    if (pixbuf != nullptr) {
        // Pictures with an orientation tag are shown upright, as viewers show them.
        PixbufPtr upright(gdk_pixbuf_apply_embedded_orientation(pixbuf));
        if (upright) {
            bitmap = FromPixbuf(upright.get());
        }
    }
    g_object_unref(loader);
    return bitmap;
}

Bitmap LoadImageFile(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    return bytes ? DecodeImage(*bytes) : Bitmap();
}

bool CanEncodeImage(std::string_view format) { return format == "png" || WritableFormat(format) != nullptr; }

bool EncodeImage(const Bitmap& bitmap, std::string_view format, std::string& bytes, int jpegQuality) {
    if (bitmap.IsEmpty()) {
        return false;
    }
    if (format == "png") {
        std::string png = bitmap.ToPng();
        if (png.empty()) {
            return false;
        }
        bytes = std::move(png);
        return true;
    }
    if (WritableFormat(format) == nullptr) {
        return false;
    }
    PixbufPtr pixbuf = ToPixbuf(bitmap);
    if (!pixbuf) {
        return false;
    }
    if (format == "jpeg" || format == "bmp") {
        // Formats without alpha get the picture as it looks on white.
        PixbufPtr opaque(gdk_pixbuf_composite_color_simple(pixbuf.get(), bitmap.Width(), bitmap.Height(),
                                                           GDK_INTERP_NEAREST, 255, 1, 0xFFFFFF, 0xFFFFFF));
        if (!opaque) {
            return false;
        }
        pixbuf = std::move(opaque);
    }
    const std::string name(format);
    const std::string quality = std::to_string(std::clamp(jpegQuality, 0, 100));
    gchar* buffer = nullptr;
    gsize size = 0;
    GError* error = nullptr;
    const gboolean saved = format == "jpeg"
                               ? gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &size, name.c_str(), &error,
                                                           "quality", quality.c_str(), nullptr)
                               : gdk_pixbuf_save_to_buffer(pixbuf.get(), &buffer, &size, name.c_str(), &error,
                                                           nullptr);
    if (error != nullptr) {
        g_error_free(error);
    }
    if (saved == FALSE || buffer == nullptr) {
        g_free(buffer);
        return false;
    }
    bytes.assign(buffer, size);
    g_free(buffer);
    return true;
}

}  // namespace gfx
