#include "platform/ui/ScrollBarMoves.h"

#include <wx/scrolbar.h>

namespace ui {

void OnScrollBarMoves(wxScrollBar& bar, std::function<void(int position)> moved)
{
    for (const auto& type : {wxEVT_SCROLL_CHANGED, wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
                             wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM}) {
        bar.Bind(type, [moved](wxScrollEvent& event) { moved(event.GetPosition()); });
    }
}

}  // namespace ui
