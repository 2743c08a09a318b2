#include "platform/ui/CanvasWindow.h"

#include <algorithm>

#include <wx/cursor.h>
#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/window.h>

#include "platform/ui/CustomControl.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/Menu.h"
#include "platform/ui/SurfaceImage.h"

namespace ui {
namespace {

class Canvas : public wxWindow {
public:
    Canvas(wxWindow* parent, long style, const wxRect& rect)
        : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
    }
    bool AcceptsFocus() const override { return true; }
};

unsigned ScrollRequest(wxEventType type) {
    if (type == wxEVT_SCROLLWIN_LINEUP) {
        return CanvasWindow::kScrollLineUp;
    }
    if (type == wxEVT_SCROLLWIN_LINEDOWN) {
        return CanvasWindow::kScrollLineDown;
    }
    if (type == wxEVT_SCROLLWIN_PAGEUP) {
        return CanvasWindow::kScrollPageUp;
    }
    if (type == wxEVT_SCROLLWIN_PAGEDOWN) {
        return CanvasWindow::kScrollPageDown;
    }
    if (type == wxEVT_SCROLLWIN_THUMBTRACK) {
        return CanvasWindow::kScrollThumbTrack;
    }
    if (type == wxEVT_SCROLLWIN_THUMBRELEASE) {
        return CanvasWindow::kScrollThumbPosition;
    }
    if (type == wxEVT_SCROLLWIN_TOP) {
        return CanvasWindow::kScrollTop;
    }
    if (type == wxEVT_SCROLLWIN_BOTTOM) {
        return CanvasWindow::kScrollBottom;
    }
    return CanvasWindow::kScrollEnd;
}

}  // namespace

bool CanvasWindow::CreateCanvas(wxWindow* parent, unsigned id, std::uint32_t canvasStyle, const wxRect& rect) {
    if (IsWindow() || parent == nullptr) {
        return false;
    }
    long style = (canvasStyle & kBorder) != 0 ? wxBORDER_SIMPLE : wxBORDER_NONE;
    if ((canvasStyle & kHScroll) != 0) {
        style |= wxHSCROLL | wxALWAYS_SHOW_SB;
    }
    if ((canvasStyle & kVScroll) != 0) {
        style |= wxVSCROLL | wxALWAYS_SHOW_SB;
    }
    auto* canvas = new Canvas(parent, style, rect);
    Attach(canvas, id, true);
    const auto binding = Binding();
    canvas->Bind(wxEVT_PAINT, [binding, canvas](wxPaintEvent&) {
        wxPaintDC dc(canvas);
        CanvasWindow* self = binding && *binding != nullptr ? static_cast<CanvasWindow*>(*binding) : nullptr;
        if (self == nullptr) {
            return;
        }
        wxGraphicsContext* graphics = dc.GetGraphicsContext();
        auto* context = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
        if (context != nullptr) {
            cairo_save(context);
            self->WindowProc(kMsgPaint, 0, reinterpret_cast<LParam>(context));
            cairo_restore(context);
        }
    });
    const auto deliver = [binding](unsigned message, WParam wParam, LParam lParam) {
        if (binding && *binding != nullptr) {
            (*binding)->WindowProc(message, wParam, lParam);
        }
    };
    canvas->Bind(wxEVT_SET_FOCUS, [deliver](wxFocusEvent& event) {
        event.Skip();
        deliver(kMsgSetFocus, 0, 0);
    });
    canvas->Bind(wxEVT_KILL_FOCUS, [deliver](wxFocusEvent& event) {
        event.Skip();
        deliver(kMsgKillFocus, 0, 0);
    });
    canvas->Bind(wxEVT_MOUSE_CAPTURE_LOST, [deliver](wxMouseCaptureLostEvent&) { deliver(kMsgCaptureChanged, 0, 0); });
    canvas->Bind(wxEVT_CONTEXT_MENU, [deliver, canvas](wxContextMenuEvent& event) {
        wxPoint point = event.GetPosition();
        point = point == wxDefaultPosition ? wxPoint(0, 0) : canvas->ScreenToClient(point);
        deliver(kMsgContextMenu, 0, MakePointLParam(point.x, point.y));
    });
    canvas->Bind(wxEVT_MENU, [deliver](wxCommandEvent& event) {
        // Ids of our menus map back to their commands; a command sent from
        // elsewhere arrives with its own id.
        const unsigned mapped = CommandForMenuId(event.GetId());
        const unsigned command = mapped != 0 ? mapped : static_cast<unsigned>(std::max(event.GetId(), 0));
        deliver(kMsgCommand, MakeWParam(command, kNotifyClicked), 0);
    });
    for (const wxEventType type : {wxEVT_KEY_DOWN, wxEVT_KEY_UP}) {
        canvas->Bind(wxEventTypeTag<wxKeyEvent>(type), [deliver, type](wxKeyEvent& event) {
            event.Skip();
            deliver(type == wxEVT_KEY_DOWN ? ui::kMsgKeyDown : ui::kMsgKeyUp, static_cast<WParam>(event.GetKeyCode()),
                    event.ControlDown() ? 1 : 0);
        });
    }
    for (const wxEventType type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN,
          wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE}) {
        canvas->Bind(wxEventTypeTag<wxScrollWinEvent>(type), [deliver, type](wxScrollWinEvent& event) {
            const unsigned message = event.GetOrientation() == wxVERTICAL ? kMsgVScroll : kMsgHScroll;
            deliver(message, ScrollRequest(type), event.GetPosition());
            if (type == wxEVT_SCROLLWIN_THUMBRELEASE) {
                deliver(message, kScrollEnd, 0);
            }
        });
    }
    RouteInputMessages(*this);
    canvas->Show(true);
    return true;
}

void CanvasWindow::UpdateNow() {
    if (wxWindow* window = GetWx()) {
        window->Refresh(false);
        window->Update();
    }
}

void CanvasWindow::SetScrollBar(bool vertical, int range, int page, int position) {
    if (wxWindow* window = GetWx()) {
        window->SetScrollbar(vertical ? wxVERTICAL : wxHORIZONTAL, position, std::max(page, 1), std::max(range, 0));
    }
}

void CanvasWindow::SetCapture(bool capture) {
    wxWindow* window = GetWx();
    if (window == nullptr) {
        return;
    }
    if (capture && !window->HasCapture()) {
        window->CaptureMouse();
    } else if (!capture && window->HasCapture()) {
        window->ReleaseMouse();
    }
}

bool CanvasWindow::HasCapture() const { return GetWx() != nullptr && GetWx()->HasCapture(); }

void CanvasWindow::SetStandardCursor(StandardCursor cursor) {
    wxWindow* window = GetWx();
    if (window == nullptr) {
        return;
    }
    wxStockCursor stock = wxCURSOR_ARROW;
    switch (cursor) {
        case StandardCursor::Cross: stock = wxCURSOR_CROSS; break;
        case StandardCursor::SizeWE: stock = wxCURSOR_SIZEWE; break;
        case StandardCursor::SizeNS: stock = wxCURSOR_SIZENS; break;
        case StandardCursor::SizeAll: stock = wxCURSOR_SIZING; break;
        case StandardCursor::NoEntry: stock = wxCURSOR_NO_ENTRY; break;
        case StandardCursor::Wait: stock = wxCURSOR_WAIT; break;
        default: break;
    }
    window->SetCursor(wxCursor(stock));
}

void CanvasWindow::SetCursorPicture(cairo_surface_t* picture, int hotX, int hotY) {
    wxWindow* window = GetWx();
    if (window == nullptr || picture == nullptr) {
        return;
    }
    wxImage image = ImageFromSurface(picture, false);
    if (!image.IsOk()) {
        return;
    }
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, hotX);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, hotY);
    window->SetCursor(wxCursor(image));
}

void CanvasWindow::SetFocus() {
    if (wxWindow* window = GetWx()) {
        window->SetFocus();
    }
}

bool CanvasWindow::HasFocus() const { return GetWx() != nullptr && GetWx()->HasFocus(); }

wxPoint CanvasWindow::ClientToScreen(wxPoint point) const {
    return GetWx() != nullptr ? GetWx()->ClientToScreen(point) : point;
}

}  // namespace ui
