#pragma once
// Pictures drawn with cairo (32-bit premultiplied ARGB) as wx images, for what wx
// takes pictures as: cursors, the clipboard.

#include <cairo.h>

#include <wx/image.h>

namespace ui {

// The picture with its alpha, or laid over white without alpha; an invalid image
// for a picture that is not a readable image surface.
wxImage ImageFromSurface(cairo_surface_t* picture, bool overWhite);

}  // namespace ui
