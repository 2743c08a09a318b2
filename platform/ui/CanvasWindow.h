#pragma once
// A child window that draws itself and takes raw input: the panes of owner-drawn
// views (waveforms, rulers, trees). It paints through kMsgPaint on its own surface,
// delivers the mouse, keys, focus, scroll bars and context-menu requests as the
// numbered messages below, and adds what such panes need of the window system:
// scroll bars, mouse capture, cursors (the system's or a picture), a tooltip text,
// focus and an immediate repaint. A menu command sent to the window arrives as
// kMsgCommand (Message.h) with the command id.

#include <cairo.h>

#include <cstdint>
#include <string>

#include <wx/gdicmn.h>

#include "platform/ui/Window.h"

namespace ui {

// The system's cursor shapes.
enum class StandardCursor { Arrow, Cross, SizeWE, SizeNS, SizeAll, NoEntry, Wait };

class CanvasWindow : public Window {
public:
    // Messages of a canvas, with the numbers the program's windows were written against.
    static constexpr unsigned kMsgSetFocus = 0x0007;
    static constexpr unsigned kMsgKillFocus = 0x0008;
    static constexpr unsigned kMsgPaint = 0x000F;        // lParam: the surface's cairo_t*, valid during the call
    static constexpr unsigned kMsgContextMenu = 0x007B;  // lParam: the client point (PointLParam)
    static constexpr unsigned kMsgKeyDown = 0x0100;      // wParam: the wx key code; lParam: 1 with Ctrl held
    static constexpr unsigned kMsgKeyUp = 0x0101;        // as kMsgKeyDown
    static constexpr unsigned kMsgMouseMove = 0x0200;    // wParam: kMouse* bits; lParam: the client point
    static constexpr unsigned kMsgLButtonDown = 0x0201;
    static constexpr unsigned kMsgLButtonUp = 0x0202;
    static constexpr unsigned kMsgLButtonDblClk = 0x0203;
    static constexpr unsigned kMsgRButtonDown = 0x0204;
    static constexpr unsigned kMsgRButtonUp = 0x0205;
    static constexpr unsigned kMsgMouseWheel = 0x020A;   // as the others, the turn (120 a notch) in wParam's high word
    static constexpr unsigned kMsgCaptureLost = 0x0215;
    static constexpr unsigned kMsgMouseLeave = 0x02A3;
    // kMsgHScroll and kMsgVScroll (Message.h): wParam the request (kScroll*), lParam
    // the thumb position for the thumb requests.

    // Bits of the mouse messages' wParam.
    static constexpr unsigned kMouseLeft = 0x01;
    static constexpr unsigned kMouseRight = 0x02;
    static constexpr unsigned kMouseShift = 0x04;
    static constexpr unsigned kMouseControl = 0x08;

    // Scroll requests.
    static constexpr unsigned kScrollLineUp = 0;
    static constexpr unsigned kScrollLineDown = 1;
    static constexpr unsigned kScrollPageUp = 2;
    static constexpr unsigned kScrollPageDown = 3;
    static constexpr unsigned kScrollThumbPosition = 4;
    static constexpr unsigned kScrollThumbTrack = 5;
    static constexpr unsigned kScrollTop = 6;
    static constexpr unsigned kScrollBottom = 7;
    static constexpr unsigned kScrollEnd = 8;

    // Canvas styles.
    static constexpr std::uint32_t kHScroll = 0x1;
    static constexpr std::uint32_t kVScroll = 0x2;
    static constexpr std::uint32_t kBorder = 0x4;

    // A client point in a message's lParam (two signed 16-bit halves), and back.
    static LParam PointLParam(wxPoint point);
    static wxPoint PointOf(LParam lParam);

    // Made as a visible child of the parent's window.
    bool CreateCanvas(wxWindow* parent, unsigned id, std::uint32_t canvasStyle, const wxRect& rect);

    // Paints the window before returning.
    void UpdateNow();
    // A scroll bar from 0 to range, page long, at the position.
    void SetScrollBar(bool vertical, int range, int page, int position);
    void SetCapture(bool capture);
    bool HasCapture() const;
    void SetStandardCursor(StandardCursor cursor);
    // A cursor picture (32-bit with alpha) with its hot spot; the window keeps a copy.
    void SetCursorPicture(cairo_surface_t* picture, int hotX, int hotY);
    // The tooltip; empty removes it.
    void SetTipText(const std::wstring& text);
    void SetFocus();
    bool HasFocus() const;
    wxPoint ClientToScreen(wxPoint point) const;
};

}  // namespace ui
