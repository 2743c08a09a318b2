#pragma once
// A control the program draws itself: a child window that paints through OnDraw on
// its own surface and receives the mouse, keyboard and focus messages below, so
// that its behaviour is written, and tested, as message handlers. It is made in a
// parent window (Create) or takes the place of a dialog template's control of the
// same id (SubclassDlgItem: same box, tab order and visibility).
//
// Mouse messages are those of InputMessages.h (button and modifier flags in wParam,
// the client position in lParam). Key messages carry the key code in wParam and
// the modifier flags in lParam. Hover and leave
// messages are delivered once per TrackMouseEvent request, as the window system
// reports them: hover after the pointer has rested on the control for kHoverTime,
// leave when it has left.

#include <cstdint>

#include "platform/ui/InputMessages.h"
#include "platform/ui/Window.h"

class wxTimer;

namespace ui {

class Dialog;

inline constexpr unsigned kMsgKillFocus = 0x0008;
inline constexpr unsigned kMsgCaptureChanged = 0x0215; // the mouse capture went to another window
inline constexpr unsigned kMsgMouseHover = 0x02A1;     // as kMsgMouseMove

// Modifier bits of key messages.
inline constexpr LParam kKeyFlagShift = 0x0001;
inline constexpr LParam kKeyFlagControl = 0x0002;
inline constexpr LParam kKeyFlagAlt = 0x0004;

// Key codes of key messages (the keys the program's controls handle).
inline constexpr WParam kKeyLeft = 0x25;
inline constexpr WParam kKeyUp = 0x26;
inline constexpr WParam kKeyRight = 0x27;
inline constexpr WParam kKeyDown = 0x28;
inline constexpr WParam kKeyF4 = 0x73;

// Bits of TrackMouseEvent.
inline constexpr unsigned kTrackHover = 0x1;
inline constexpr unsigned kTrackLeave = 0x2;
// How long the pointer must rest before a hover is reported.
inline constexpr unsigned kHoverTime = 400;

enum class ControlCursor { Arrow, Hand };

class CustomControl : public Window {
public:
    CustomControl();
    ~CustomControl() override;

    // Styles: visible, disabled, border (Window.h).
    bool Create(Window* parent, unsigned id, std::uint32_t style, const wxRect& rect);
    // Replaces the dialog's control of that id; false when there is none or this
    // control exists already.
    bool SubclassDlgItem(unsigned id, Dialog* parent);
    // The window this control was made in (its messages go there).
    Window* GetParent() const { return m_parent; }

    // The arrow keys come to the control instead of moving the focus.
    // It also takes part in keyboard navigation.
    void SetWantsArrowKeys(bool wants);
    void SetCursor(ControlCursor cursor);

    void SetFocus();
    bool HasFocus() const;
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const;
    // Asks for one hover and/or one leave message (kTrack* bits).
    void TrackMouseEvent(unsigned flags);
    // The requests not yet delivered.
    unsigned GetTrackedEvents() const { return m_tracking; }

protected:
    // Draws the client area; the parent's background colour is already filled in.
    virtual void OnDraw(cairo_t* context, int width, int height) = 0;
    // A derived control that overrides it calls this one too.
    void OnDestroyed() override;

private:
    class Canvas;
    friend class Canvas;

    bool Make(Window* parent, wxWindow* parentWindow, unsigned id, std::uint32_t style, const wxRect& rect);
    void PointerMoved();
    void Rested();
    void PointerLeft();

    Window* m_parent = nullptr;
    bool m_wantsArrows = false;
    ControlCursor m_cursor = ControlCursor::Arrow;
    unsigned m_tracking = 0;
    std::unique_ptr<wxTimer> m_hoverTimer;
};

}  // namespace ui
