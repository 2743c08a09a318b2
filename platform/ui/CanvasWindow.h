#pragma once
// A child window that draws itself and takes raw input: the panes of owner-drawn
// controls (waveforms, rulers, trees). It paints through the paint handler on its
// own surface, delivers mouse and key input as messages (InputMessages.h), and
// adds what such panes need of the window system: scroll bars, mouse capture,
// cursors (the system's or a picture), a tooltip text, focus and an immediate
// repaint. Messages it delivers besides the input ones:
//   kMsgSetFocus, kMsgKillFocus
//   kMsgHScroll, kMsgVScroll   wParam: the request (kScroll*), lParam: the thumb
//                              position for kScrollThumb*
//   kMsgContextMenu            lParam: the client point (MakePointLParam)
//   kMsgCommand                a menu command sent to the window (wParam: the id)
//   kMsgCaptureLost            the capture was taken away

#include <cairo.h>

#include <cstdint>
#include <string>

#include "platform/ui/Window.h"

namespace ui {

inline constexpr unsigned kMsgSetFocus = 0x0007;
inline constexpr unsigned kMsgPaint = 0x000F;
inline constexpr unsigned kMsgKillFocus = 0x0008;
inline constexpr unsigned kMsgContextMenu = 0x007B;
inline constexpr unsigned kMsgCaptureLost = 0x0215;

// Scroll requests of kMsgHScroll and kMsgVScroll.
inline constexpr unsigned kScrollLineUp = 0;
inline constexpr unsigned kScrollLineDown = 1;
inline constexpr unsigned kScrollPageUp = 2;
inline constexpr unsigned kScrollPageDown = 3;
inline constexpr unsigned kScrollThumbPosition = 4;
inline constexpr unsigned kScrollThumbTrack = 5;
inline constexpr unsigned kScrollTop = 6;
inline constexpr unsigned kScrollBottom = 7;
inline constexpr unsigned kScrollEnd = 8;

// The system's cursor shapes.
enum class StandardCursor { Arrow, Cross, SizeWE, SizeNS, SizeAll, NoEntry, Wait };

class CanvasWindow : public Window {
public:
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
    // The tooltip; empty removes it.
    void SetTipText(const std::wstring& text);
    void SetFocus();
    bool HasFocus() const;
    wxPoint ClientToScreen(wxPoint point) const;
};

}  // namespace ui
