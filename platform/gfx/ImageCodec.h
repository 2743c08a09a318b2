#pragma once
// Picture files other than the program's own PNGs: decoding whatever picture the
// user hands in (report logos in JPEG, PNG or BMP, and the other formats the
// installed gdk-pixbuf loaders read) and encoding a bitmap in a format chosen by
// name ("png", "jpeg", "bmp", "tiff"). Built on gdk-pixbuf; no display needed.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/gfx/Bitmap.h"

namespace gfx {

// The picture the bytes hold; empty when no loader reads them.
Bitmap DecodeImage(std::string_view bytes);
// The same for a file; empty when it is missing or unreadable.
Bitmap LoadImageFile(const std::filesystem::path& file);

// PNG written for speed: the colours alone when the picture is opaque (its alpha is
// dropped), and the compression level (1 fastest to 9 smallest). Pages of a report,
// mostly white, shrink well even at the fastest level.
struct PngOptions {
    bool opaque = false;
    int compression = 6;
};
// The PNG bytes; empty for an empty bitmap or when encoding fails.
std::string EncodePng(const Bitmap& bitmap, const PngOptions& options);

// Whether EncodeImage can write the format.
bool CanEncodeImage(std::string_view format);
// The bitmap's bytes in the format; JPEG at the given quality (0 to 100). Alpha is
// kept where the format holds it and dropped otherwise. False, with `bytes`
// untouched, for an empty bitmap or a format that cannot be written.
bool EncodeImage(const Bitmap& bitmap, std::string_view format, std::string& bytes, int jpegQuality = 100);

}  // namespace gfx
