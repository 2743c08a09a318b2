#pragma once
// Saving a drawn picture in the format its file extension names: "jpg", "jpeg",
// "jpe" and "jfif" as JPEG (quality 100), "tif" and "tiff" as TIFF, "gif" as GIF,
// "png" as PNG and anything else as BMP. The ITIC picture and the RTF report pass
// "png".

#include <string>
#include <string_view>

#include "platform/gfx/Bitmap.h"

// The encoder name an extension selects ("bmp", "jpeg", "tiff", "gif" or "png"),
// the extension trimmed of blanks and compared without case.
std::wstring ImageEncoderName(std::wstring_view extension);
// "image/" followed by the encoder name.
std::wstring ImageMimeType(std::wstring_view extension);

// Saves the width x height top-left part of the bitmap (a larger size is padded
// transparent) into `stream` when one is given, else into the file, written
// atomically. False when the picture could not be encoded (there is no GIF
// encoder) or written; the file is then left as it was.
bool SaveImageByExtension(const gfx::Bitmap& bitmap, int width, int height, std::wstring_view extension,
                          std::string* stream, const std::wstring& path);
