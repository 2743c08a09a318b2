#pragma once
// Legend rows of the charts: entries laid out from the right end of a band towards
// its left, a new row (again from the right) whenever an entry would pass the
// band's left end.

#include <vector>

#include "platform/gfx/Geometry.h"

namespace report {

// The boxes of entries of the given widths, in the order given (the first is the
// rightmost of the first row), in rows of the given height from `top`. An entry
// wider than the whole band gets a row of its own, flush right.
std::vector<gfx::Rect> LayoutLegend(const std::vector<double>& widths, double left, double right, double top,
                                    double rowHeight);

}  // namespace report
