#include "platform/gfx/ImageCodec.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <png.h>

#include <csetjmp>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

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

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

// One row of the bitmap's premultiplied native pixels as straight RGB or RGBA bytes.
void ConvertRow(const std::uint32_t* in, int width, bool opaque, std::vector<png_byte>& out) {
    png_byte* o = out.data();
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = in[x];
        const std::uint32_t a = p >> 24;
        std::uint32_t r = (p >> 16) & 0xFF;
        std::uint32_t g = (p >> 8) & 0xFF;
        std::uint32_t b = p & 0xFF;
        if (!opaque && a != 0 && a != 255) {
            r = (r * 255 + a / 2) / a;
            g = (g * 255 + a / 2) / a;
            b = (b * 255 + a / 2) / a;
        }
        *o++ = static_cast<png_byte>(r);
        *o++ = static_cast<png_byte>(g);
        *o++ = static_cast<png_byte>(b);
        if (!opaque) {
            *o++ = static_cast<png_byte>(a);
        }
    }
}

// libpng reports errors by a long jump back here; nothing with a destructor lives
// between the jump's two ends.
bool WritePng(const Bitmap& bitmap, const PngOptions& options, std::string& bytes, std::vector<png_byte>& row) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    cairo_surface_t* surface = bitmap.Surface();
    cairo_surface_flush(surface);
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    png_set_write_fn(png, &bytes, AppendPngBytes, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 options.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, std::clamp(options.compression, 1, 9));
    // One cheap filter: the difference to the row above suits drawings of lines and text.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_write_info(png, info);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        ConvertRow(reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride), width,
                   options.opaque, row);
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(const Bitmap& bitmap, const PngOptions& options) {
    if (bitmap.IsEmpty()) {
        return {};
    }
    std::string bytes;
    std::vector<png_byte> row(static_cast<std::size_t>(bitmap.Width()) * (options.opaque ? 3 : 4));
    if (!WritePng(bitmap, options, bytes, row)) {
        return {};
    }
    return bytes;
}

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
