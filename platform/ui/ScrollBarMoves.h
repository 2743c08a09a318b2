#pragma once
// A scroll bar's every way of moving (dragging the thumb, the arrows, paging, the
// ends) as one callback with the new position, for windows that scroll their
// content themselves.

#include <functional>

class wxScrollBar;

namespace ui {

void OnScrollBarMoves(wxScrollBar& bar, std::function<void(int position)> moved);

}  // namespace ui
