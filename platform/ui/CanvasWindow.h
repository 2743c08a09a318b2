#pragma once
// A child window that draws itself and takes raw input: the panes of owner-drawn
// views (waveforms, rulers, trees). It paints through kMsgPaint on its own surface,
// delivers the mouse, keys, focus, scroll bars and context-menu requests as the
// numbered messages below, and adds what such panes need of the window system:
// scroll bars, mouse capture, cursors (the system's or a picture), focus and an
// immediate repaint. A menu command sent to the window arrives as
// kMsgCommand (Message.h) with the command id.

#include <cairo.h>

#include <cstdint>

#include <wx/gdicmn.h>

#include "platform/ui/Window.h"

namespace ui {

// The system's cursor shapes.
enum class StandardCursor { Arrow, Cross, SizeWE, SizeNS, SizeAll, NoEntry, Wait };

class CanvasWindow : public Window {
public:
    // Messages of a canvas besides the mouse's (InputMessages.h), kMsgSetFocus
    // (Message.h), kMsgKillFocus and kMsgCaptureChanged (CustomControl.h), and
    // kMsgHScroll and kMsgVScroll (Message.h: wParam the request (kScroll*), lParam
    // the thumb position for the thumb requests):
    static constexpr unsigned kMsgPaint = 0x000F;        // lParam: the surface's cairo_t*, valid during the call
    static constexpr unsigned kMsgContextMenu = 0x007B;  // lParam: the client point (MakePointLParam)
    // kMsgKeyDown and kMsgKeyUp (InputMessages.h): wParam the wx key code, lParam 1
    // with Ctrl held.

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
    void SetFocus();
    bool HasFocus() const;
    wxPoint ClientToScreen(wxPoint point) const;
};

}  // namespace ui
