#pragma once
// Saving a picture of the viewer (an exported stretch of the waveform) as a Windows
// bitmap file: uncompressed, 24 bits per pixel, rows bottom-up. Translucent pixels
// are laid over white, as the picture would look on a page.

#include <filesystem>

#include "platform/gfx/Bitmap.h"

namespace tracelume {

// Writes the file whole or not at all (through a temporary file). False for an
// empty bitmap, one too large for the format, or a failed write (errno tells why);
// an existing file is then left as it was.
bool SaveBitmapFile(const gfx::Bitmap& bitmap, const std::filesystem::path& file);

}  // namespace tracelume
