#pragma once
// Pictures between the drawing layer and the window toolkit: a gfx bitmap (drawn
// through platform/gfx, or read from the picture store) becomes a toolkit bitmap
// for the controls that show one (ribbon buttons, menu items, pane tabs).

#include <wx/bitmap.h>
#include <wx/gdicmn.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"

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

// Copies an off-screen drawing onto a toolkit drawing surface at (x, y).
void PaintBitmap(wxDC& dc, const gfx::Bitmap& bitmap, int x, int y);

}  // namespace ui
