#include "platform/gfx/Bitmap.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/base/FileSystem.h"

namespace gfx {

namespace {

bool IsUsable(cairo_surface_t* surface) {
    return surface != nullptr && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
           cairo_image_surface_get_width(surface) > 0 && cairo_image_surface_get_height(surface) > 0;
}

std::uint32_t* PixelAddress(cairo_surface_t* surface, int x, int y) {
    unsigned char* row = cairo_image_surface_get_data(surface) +
                         static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<std::uint32_t*>(row) + x;
}

struct ReadCursor {
    std::string_view bytes;
    std::size_t offset = 0;
};

cairo_status_t ReadPngBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* cursor = static_cast<ReadCursor*>(closure);
    if (cursor->bytes.size() - cursor->offset < length) {
        return CAIRO_STATUS_READ_ERROR;
    }
    std::memcpy(data, cursor->bytes.data() + cursor->offset, length);
    cursor->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_status_t WritePngBytes(void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (IsUsable(surface)) {
        m_surface = surface;  // cairo clears new image surfaces to transparent
    } else {
        cairo_surface_destroy(surface);
    }
}

Bitmap::Bitmap(cairo_surface_t* surface) : m_surface(surface) {}

void Bitmap::Clear(Color color) {
    if (m_surface == nullptr) {
        return;
    }
    cairo_t* cr = cairo_create(m_surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0, color.a / 255.0);
    cairo_paint(cr);
    cairo_destroy(cr);
}

Bitmap Bitmap::CopyOf(cairo_surface_t* source, int width, int height) {
    Bitmap copy(width, height);
    if (copy.IsEmpty() || source == nullptr) {
        return copy;
    }
    cairo_t* cr = cairo_create(copy.m_surface);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return copy;
}

Bitmap::~Bitmap() {
    if (m_surface != nullptr) {
        cairo_surface_destroy(m_surface);
    }
}

Bitmap::Bitmap(Bitmap&& other) noexcept : m_surface(std::exchange(other.m_surface, nullptr)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        if (m_surface != nullptr) {
            cairo_surface_destroy(m_surface);
        }
        m_surface = std::exchange(other.m_surface, nullptr);
    }
    return *this;
}

int Bitmap::Width() const { return m_surface != nullptr ? cairo_image_surface_get_width(m_surface) : 0; }

int Bitmap::Height() const { return m_surface != nullptr ? cairo_image_surface_get_height(m_surface) : 0; }

Color Bitmap::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return Color{0, 0, 0, 0};
    }
    cairo_surface_flush(m_surface);
    const std::uint32_t pixel = *PixelAddress(m_surface, x, y);
    const std::uint32_t alpha = pixel >> 24;
    if (alpha == 0) {
        return Color{0, 0, 0, 0};
    }
    // Stored premultiplied; undo it, rounding to the nearest value.
    auto channel = [&](int shift) {
        return static_cast<std::uint8_t>((((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha);
    };
    return Color{channel(16), channel(8), channel(0), static_cast<std::uint8_t>(alpha)};
}

void Bitmap::SetPixel(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        return;
    }
    cairo_surface_flush(m_surface);
    auto premultiplied = [&](std::uint8_t value) { return (static_cast<std::uint32_t>(value) * color.a + 127) / 255; };
    *PixelAddress(m_surface, x, y) = (static_cast<std::uint32_t>(color.a) << 24) | (premultiplied(color.r) << 16) |
                                     (premultiplied(color.g) << 8) | premultiplied(color.b);
    cairo_surface_mark_dirty_rectangle(m_surface, x, y, 1, 1);
}

Bitmap Bitmap::FromPng(std::string_view bytes) {
    ReadCursor cursor{bytes};
    cairo_surface_t* loaded = cairo_image_surface_create_from_png_stream(ReadPngBytes, &cursor);
    if (!IsUsable(loaded)) {
        cairo_surface_destroy(loaded);
        return Bitmap();
    }
    if (cairo_image_surface_get_format(loaded) == CAIRO_FORMAT_ARGB32) {
        return Bitmap(loaded);
    }
    // Opaque and grey pictures load in other formats; keep one pixel layout.
    Bitmap converted(cairo_image_surface_get_width(loaded), cairo_image_surface_get_height(loaded));
    if (!converted.IsEmpty()) {
        cairo_t* cr = cairo_create(converted.m_surface);
        cairo_set_source_surface(cr, loaded, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    cairo_surface_destroy(loaded);
    return converted;
}

Bitmap Bitmap::LoadPng(const std::filesystem::path& file) {
    const std::optional<std::string> bytes = platform::ReadFileBytes(file);
    return bytes ? FromPng(*bytes) : Bitmap();
}

std::string Bitmap::ToPng() const {
    std::string bytes;
    if (m_surface == nullptr || cairo_surface_write_to_png_stream(m_surface, WritePngBytes, &bytes) !=
                                    CAIRO_STATUS_SUCCESS) {
        return {};
    }
    return bytes;
}

bool Bitmap::SavePng(const std::filesystem::path& file) const {
    const std::string bytes = ToPng();
    return !bytes.empty() && platform::AtomicWriteFile(file, bytes);
}

}  // namespace gfx
