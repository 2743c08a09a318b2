#pragma once
// CPane: one window of the viewer (the view, its toolbar, tree, waveform, ruler,
// mark bar, navigator, legend, corner fillers) as drawing and input logic without
// the toolkit. A pane paints through gfx and takes its input as plain events; what
// it needs of a real window (repaint, capture, cursor, timers, scroll bars, tips,
// menus) it asks of its surface. Panes also run without a surface (headless): they
// keep their own size, and window requests then do nothing.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/Context.h"

namespace tracelume {

// Mouse key bits of an event, as the window system reports them.
inline constexpr unsigned kMouseLeft = 0x01;
inline constexpr unsigned kMouseRight = 0x02;
inline constexpr unsigned kMouseShift = 0x04;
inline constexpr unsigned kMouseControl = 0x08;

struct MouseEvent {
    enum Kind { Move, LeftDown, LeftUp, LeftDouble, RightDown, RightUp, Wheel, Leave };
    Kind kind = Move;
    int x = 0;
    int y = 0;
    unsigned keys = 0;  // kMouse* bits
    int wheel = 0;      // 120 per notch, positive away from the user
    bool Control() const { return (keys & kMouseControl) != 0; }
};

// Virtual key codes of the keys the panes handle.
inline constexpr int kKeyControl = 0x11;
inline constexpr int kKeyPageUp = 0x21;
inline constexpr int kKeyPageDown = 0x22;
inline constexpr int kKeyEnd = 0x23;
inline constexpr int kKeyHome = 0x24;
inline constexpr int kKeyLeft = 0x25;
inline constexpr int kKeyUp = 0x26;
inline constexpr int kKeyRight = 0x27;
inline constexpr int kKeyDown = 0x28;
inline constexpr int kKeyAdd = 0x6B;       // numeric keypad plus
inline constexpr int kKeySubtract = 0x6D;  // numeric keypad minus

struct KeyEvent {
    int key = 0;
    bool down = true;
    bool control = false;
};

// Scroll bar requests.
enum ScrollCode {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollTop = 6,
    kScrollBottom = 7,
    kScrollEnd = 8,
};

// Cursors: the system's shapes, and the viewer's own pictures by their resource ids.
enum Cursor : int {
    kCursorArrow = 0,
    kCursorCross = 1,
    kCursorSizeWE = 2,
    kCursorSizeNS = 3,
    kCursorSizeAll = 4,
    kCursorNo = 5,
    kCursorWait = 6,
    kCursorRowResize = 4003,
    kCursorSplitter = 4006,
    kCursorZoomKey = 4007,
    kCursorRowDrag = 4017,
    kCursorPan = 4032,
    kCursorRegion = 4039,
};

// One item of a pop-up menu: a command, a separator (id 0, no text) or a sub-menu
// (with children).
struct MenuItem {
    MenuItem() = default;
    MenuItem(unsigned commandId, std::wstring caption, bool isEnabled = true, bool isChecked = false)
        : id(commandId), text(std::move(caption)), enabled(isEnabled), checked(isChecked) {}

    unsigned id = 0;
    std::wstring text;
    bool enabled = true;
    bool checked = false;
    std::vector<MenuItem> children;

    static MenuItem Separator() { return {}; }
    bool IsSeparator() const { return id == 0 && text.empty() && children.empty(); }
};

// What a pane asks of the window it is shown in.
class IPaneSurface {
public:
    virtual void Invalidate() = 0;
    // Paints at once (smooth scrolling measures its steps by this).
    virtual void UpdateNow() = 0;
    // Moves the window within its parent.
    virtual void Place(const gfx::Rect& rect, bool visible) = 0;
    virtual void SetCapture(bool capture) = 0;
    virtual void SetCursor(int cursor) = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() = 0;
    virtual void SetTimer(unsigned id, unsigned milliseconds) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // A scroll bar from 0 to range with the page and position given.
    virtual void SetScrollBar(bool vertical, int range, int page, int position) = 0;
    // The tooltip text (HTML) at the mouse; empty hides the tip.
    virtual void SetTipText(const std::wstring& html) = 0;
    virtual gfx::Point ClientToScreen(gfx::Point point) = 0;
    virtual bool IsControlDown() = 0;
    // Shows the menu at a client point and returns the command chosen, 0 for none.
    virtual unsigned TrackMenu(const std::vector<MenuItem>& menu, int x, int y) = 0;

protected:
    ~IPaneSurface() = default;
};

class CPane {
public:
    CPane() = default;
    virtual ~CPane() = default;
    CPane(const CPane&) = delete;
    CPane& operator=(const CPane&) = delete;

    // The window that shows the pane (borrowed; null when headless or gone).
    void AttachSurface(IPaneSurface* surface) { m_surface = surface; }
    IPaneSurface* Surface() const { return m_surface; }

    // Places the pane in its parent; the size is the client size until the window
    // reports another (scroll bars take room).
    void Place(const gfx::Rect& rect, bool visible);
    // The window's client area changed.
    void SizeChanged(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsVisible() const { return m_visible; }
    const gfx::Rect& PlacedRect() const { return m_rect; }

    virtual void OnPaint(gfx::Context& dc) = 0;
    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual void OnMouse(const MouseEvent& /*event*/) {}
    virtual void OnKey(const KeyEvent& /*event*/) {}
    virtual void OnTimer(unsigned /*id*/) {}
    virtual void OnScroll(bool /*vertical*/, int /*code*/, int /*position*/) {}
    virtual void OnKillFocus() {}
    // The context-menu request at a client point (after the right button went up).
    virtual void OnContextMenu(int /*x*/, int /*y*/) {}
    // A command of a menu or the toolbar; true when the pane took it.
    virtual bool OnCommand(unsigned /*id*/) { return false; }
    virtual void OnShow(bool /*shown*/) {}

    void Invalidate();
    void UpdateNow();
    // Paints the whole pane into a picture of its size.
    gfx::Bitmap Render();

protected:
    void SetCursor(int cursor);
    void SetCapture(bool capture);
    void SetTipText(const std::wstring& html);

private:
    IPaneSurface* m_surface = nullptr;
    gfx::Rect m_rect;
    int m_width = 0;
    int m_height = 0;
    bool m_visible = false;
};

}  // namespace tracelume
