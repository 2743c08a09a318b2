#pragma once
// Pictures between the drawing layer and the window toolkit: a gfx bitmap (drawn
// through platform/gfx, or read from the picture store) becomes a toolkit bitmap
// for the controls that show one (ribbon buttons, menu items, pane tabs).

#include <functional>

#include <wx/bitmap.h>
#include <wx/gdicmn.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"

class wxDC;

namespace ui {

// The whole bitmap, or the part of it inside `part` (clipped to the bitmap); an
// invalid bitmap for an empty one.
wxBitmap ToWxBitmap(const gfx::Bitmap& bitmap);
wxBitmap ToWxBitmap(const gfx::Bitmap& bitmap, const wxRect& part);
// The same with every pixel of the key colour made transparent.
wxBitmap ToWxBitmap(const gfx::Bitmap& bitmap, const wxRect& part, gfx::Color transparent);

// The program's picture of that id (the picture store); invalid when missing.
wxBitmap PictureBitmap(int id);

// Draws through the drawing layer into a rectangle of a toolkit drawing surface:
// straight onto the surface where the toolkit draws with cairo (GTK does), else
// through an off-screen picture. The drawing sees the rectangle's top-left corner
// as (0, 0) and is clipped to it.
void PaintThrough(wxDC& dc, const wxRect& rect, const std::function<void(gfx::Context&)>& draw);

}  // namespace ui
