#include "lib/viewer/window/PaneWindow.h"

#include <algorithm>
#include <cmath>

#include <wx/utils.h>
#include <wx/window.h>

#include "lib/viewer/panes/ViewerImages.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/PopupMenu.h"

namespace tracelume {

namespace {

int VirtualKey(int wxKey) {
    switch (wxKey) {
        case WXK_CONTROL: return kKeyControl;
        case WXK_PAGEUP: return kKeyPageUp;
        case WXK_PAGEDOWN: return kKeyPageDown;
        case WXK_END: return kKeyEnd;
        case WXK_HOME: return kKeyHome;
        case WXK_LEFT: return kKeyLeft;
        case WXK_UP: return kKeyUp;
        case WXK_RIGHT: return kKeyRight;
        case WXK_DOWN: return kKeyDown;
        case WXK_NUMPAD_ADD:
        case WXK_ADD: return kKeyAdd;
        case WXK_NUMPAD_SUBTRACT:
        case WXK_SUBTRACT: return kKeySubtract;
        default: return 0;
    }
}

std::vector<ui::PopupMenuItem> ToPopup(const std::vector<MenuItem>& menu) {
    std::vector<ui::PopupMenuItem> items;
    for (const MenuItem& item : menu) {
        items.push_back({item.id, item.text, item.enabled, item.checked, ToPopup(item.children)});
    }
    return items;
}

MouseEvent::Kind MouseKind(unsigned message) {
    switch (message) {
        case ui::kMsgLButtonDown: return MouseEvent::LeftDown;
        case ui::kMsgLButtonUp: return MouseEvent::LeftUp;
        case ui::kMsgLButtonDblClk: return MouseEvent::LeftDouble;
        case ui::kMsgRButtonDown: return MouseEvent::RightDown;
        case ui::kMsgRButtonUp: return MouseEvent::RightUp;
        case ui::kMsgMouseWheel: return MouseEvent::Wheel;
        case ui::kMsgMouseLeave: return MouseEvent::Leave;
        default: return MouseEvent::Move;
    }
}

}  // namespace

CPaneWindow::~CPaneWindow() {
    m_pane.AttachSurface(nullptr);
    m_tip.reset();
}

bool CPaneWindow::Create(wxWindow* parent, std::uint32_t canvasStyle) {
    if (!CreateCanvas(parent, 0xE900, canvasStyle, wxRect(0, 0, 0, 0))) {
        return false;
    }
    GetWx()->SetName(m_name);
    m_pane.AttachSurface(this);
    return true;
}

void CPaneWindow::Invalidate() { ui::Window::Invalidate(); }

void CPaneWindow::UpdateNow() { ui::CanvasWindow::UpdateNow(); }

void CPaneWindow::Place(const gfx::Rect& rect, bool visible) {
    wxWindow* window = GetWx();
    if (window == nullptr) {
        m_pane.SizeChanged(static_cast<int>(std::lround(rect.Width())), static_cast<int>(std::lround(rect.Height())));
        return;
    }
    const int x = static_cast<int>(std::lround(rect.left));
    const int y = static_cast<int>(std::lround(rect.top));
    const int width = std::max(0, static_cast<int>(std::lround(rect.Width())));
    const int height = std::max(0, static_cast<int>(std::lround(rect.Height())));
    window->SetSize(x, y, width, height);
    window->Show(visible && width > 0 && height > 0);
    const wxSize client = window->GetClientSize();
    m_pane.SizeChanged(client.x, client.y);
}

void CPaneWindow::SetCapture(bool capture) { ui::CanvasWindow::SetCapture(capture); }

void CPaneWindow::SetCursor(int cursor) {
    if (cursor == m_cursor) {
        return;
    }
    m_cursor = cursor;
    switch (cursor) {
        case kCursorArrow: SetStandardCursor(ui::StandardCursor::Arrow); return;
        case kCursorCross: SetStandardCursor(ui::StandardCursor::Cross); return;
        case kCursorSizeWE: SetStandardCursor(ui::StandardCursor::SizeWE); return;
        case kCursorSizeNS: SetStandardCursor(ui::StandardCursor::SizeNS); return;
        case kCursorSizeAll: SetStandardCursor(ui::StandardCursor::SizeAll); return;
        case kCursorNo: SetStandardCursor(ui::StandardCursor::NoEntry); return;
        case kCursorWait: SetStandardCursor(ui::StandardCursor::Wait); return;
        default: break;
    }
    const CursorImage image = CursorPicture(cursor);
    if (image.picture.IsEmpty()) {
        SetStandardCursor(ui::StandardCursor::Arrow);
    } else {
        SetCursorPicture(image.picture.Surface(), image.hotX, image.hotY);
    }
}

void CPaneWindow::SetFocus() { ui::CanvasWindow::SetFocus(); }

bool CPaneWindow::HasFocus() { return ui::CanvasWindow::HasFocus(); }

void CPaneWindow::SetTimer(unsigned id, unsigned milliseconds) { ui::Window::SetTimer(id, milliseconds); }

void CPaneWindow::KillTimer(unsigned id) { ui::Window::KillTimer(id); }

void CPaneWindow::SetScrollBar(bool vertical, int range, int page, int position) {
    ui::CanvasWindow::SetScrollBar(vertical, range, page, position);
}

void CPaneWindow::SetTipText(const std::wstring& html) {
    m_tipHtml = html;
    if (html.empty()) {
        if (m_tip) {
            m_tip->Pop();
        }
        return;
    }
    // The balloon is made when the pane first has something to say.
    if (!m_tip && GetWx() != nullptr) {
        m_tip = std::make_unique<CHtmlToolTip>();
        if (!m_tip->CreateForPane(this)) {
            m_tip.reset();
        }
    }
}

gfx::Point CPaneWindow::ClientToScreen(gfx::Point point) {
    const wxPoint screen =
        ui::CanvasWindow::ClientToScreen(wxPoint(static_cast<int>(point.x), static_cast<int>(point.y)));
    return {static_cast<double>(screen.x), static_cast<double>(screen.y)};
}

bool CPaneWindow::IsControlDown() { return wxGetKeyState(WXK_CONTROL); }

unsigned CPaneWindow::TrackMenu(const std::vector<MenuItem>& menu, int x, int y) {
    return ui::TrackPopupMenu(*this, ToPopup(menu), wxPoint(x, y));
}

ui::LResult CPaneWindow::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) {
    switch (message) {
        case kMsgPaint: {
            gfx::Context dc(reinterpret_cast<cairo_t*>(lParam));
            m_pane.OnPaint(dc);
            return 0;
        }
        case ui::kMsgSize:
            m_pane.SizeChanged(static_cast<int>(lParam & 0xFFFF), static_cast<int>((lParam >> 16) & 0xFFFF));
            return 0;
        case ui::kMsgMouseMove:
        case ui::kMsgLButtonDown:
        case ui::kMsgLButtonUp:
        case ui::kMsgLButtonDblClk:
        case ui::kMsgRButtonDown:
        case ui::kMsgRButtonUp:
        case ui::kMsgMouseWheel:
        case ui::kMsgMouseLeave: {
            // The tooltip sees every mouse message first (or, when the pane's first tip
            // makes it, right after).
            const bool relayed = m_tip != nullptr;
            if (relayed) {
                m_tip->RelayEvent(ui::CurrentInputMessage(this, message, wParam, lParam));
            }
            MouseEvent event;
            event.kind = MouseKind(message);
            event.keys = static_cast<unsigned>(wParam & 0xFFFF);
            wxPoint point(ui::PointXFromLParam(lParam), ui::PointYFromLParam(lParam));
            if (message == ui::kMsgMouseWheel) {
                event.wheel = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
                point = GetWx() != nullptr ? GetWx()->ScreenToClient(point) : point;
            }
            event.x = point.x;
            event.y = point.y;
            m_pane.OnMouse(event);
            if (!relayed && m_tip) {
                m_tip->RelayEvent(ui::CurrentInputMessage(this, message, wParam, lParam));
            }
            return 0;
        }
        case ui::kMsgKeyDown:
        case ui::kMsgKeyUp:
            if (const int key = VirtualKey(static_cast<int>(wParam))) {
                m_pane.OnKey({key, message == ui::kMsgKeyDown, lParam != 0});
            }
            return 0;
        case kMsgHtmlTipNeedText: {
            auto* request = reinterpret_cast<HtmlTipRequest*>(lParam);
            if (request != nullptr && request->tool != nullptr) {
                request->tool->text = m_tipHtml;
            }
            return 0;
        }
        case ui::kMsgTimer:
            m_pane.OnTimer(static_cast<unsigned>(wParam));
            return 0;
        case ui::kMsgHScroll:
        case ui::kMsgVScroll:
            m_pane.OnScroll(message == ui::kMsgVScroll, static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case ui::kMsgCommand:
            if (ui::HighWord(wParam) == ui::kNotifyClicked && m_pane.OnCommand(ui::LowWord(wParam))) {
                return 0;
            }
            return ui::CanvasWindow::WindowProc(message, wParam, lParam);
        case ui::kMsgKillFocus:
            m_pane.OnKillFocus();
            return 0;
        case kMsgContextMenu: {
            m_pane.OnContextMenu(ui::PointXFromLParam(lParam), ui::PointYFromLParam(lParam));
            return 0;
        }
        default:
            return ui::CanvasWindow::WindowProc(message, wParam, lParam);
    }
}

}  // namespace tracelume
