#pragma once
// The clipboard, for pictures the program copies.

#include <cairo.h>

namespace ui {

// Puts a picture (32-bit with alpha) on the clipboard as a bitmap; false when the
// clipboard cannot be opened (it is left as it was then).
bool CopyPictureToClipboard(cairo_surface_t* picture);

}  // namespace ui
