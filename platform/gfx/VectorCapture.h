#pragma once
// Inside the library: turning what a drawing context is about to draw through
// cairo and pango into the vector operations of a recording, in the recording's
// own units (cairo's device space of the recording surface).

#include <cairo.h>
#include <pango/pangocairo.h>

#include <vector>

#include "platform/gfx/Font.h"
#include "platform/gfx/VectorDrawing.h"

namespace gfx::detail {

// The current path of the cairo context.
VectorPath CapturePath(cairo_t* cr);
// The rectangle's corners taken to device space (the contexts only translate and scale).
Rect DeviceRect(cairo_t* cr, const Rect& rect);
Point DevicePoint(cairo_t* cr, Point point);
// A length along y taken to device space.
double DeviceLength(cairo_t* cr, double length);
// The brush with its gradient points in device space.
Brush DeviceBrush(cairo_t* cr, const Brush& brush);

// One text operation per line of the layout drawn with its top-left corner at (x, y).
std::vector<TextOp> CaptureLayout(cairo_t* cr, PangoLayout* layout, double x, double y, const Font& font,
                                  double emHeight, Color color);

}  // namespace gfx::detail
