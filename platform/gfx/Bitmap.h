#pragma once
// An off-screen picture: 32-bit pixels with alpha, all transparent when made.
// Drawn into through a gfx::Context, drawn onto others with Context::DrawBitmap,
// read from and written to PNG. An empty bitmap (no size, or a failed load) draws
// nothing and saves nothing.

#include <cairo.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/gfx/Color.h"

namespace gfx {

class Bitmap {
public:
    Bitmap() = default;
    // Empty when a side is not positive or the memory cannot be had.
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    bool IsEmpty() const { return m_surface == nullptr; }
    int Width() const;
    int Height() const;

    // Straight-alpha colour of one pixel; transparent black outside the bitmap.
    Color PixelAt(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    // Every pixel set to the colour.
    void Clear(Color color);

    // A copy of the top-left width x height pixels of a cairo surface.
    static Bitmap CopyOf(cairo_surface_t* source, int width, int height);
    static Bitmap FromPng(std::string_view bytes);
    static Bitmap LoadPng(const std::filesystem::path& file);
    // The PNG file's bytes; empty for an empty bitmap.
    std::string ToPng() const;
    // Written atomically; false for an empty bitmap or a failed write.
    bool SavePng(const std::filesystem::path& file) const;

    // The cairo image surface, for the window layer; null when empty.
    cairo_surface_t* Surface() const { return m_surface; }

private:
    explicit Bitmap(cairo_surface_t* surface);

    cairo_surface_t* m_surface = nullptr;
};

}  // namespace gfx
