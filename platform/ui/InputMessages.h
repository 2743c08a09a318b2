#pragma once
// Mouse and keyboard input as numbered messages, with the numbers the program's
// windows were written against. Mouse messages carry the button and modifier bits
// (kMouse*) in wParam and the client position in lParam (two signed 16-bit halves,
// MakePointLParam); the wheel's position is on the screen instead, and its wParam's
// high word is the turn (120 per notch, positive away from the user).
//
// A window asks for its mouse messages with RouteInputMessages. InputWatch sees
// every input event of the program, keys included, before its window does, and
// GetCursorPos tells where the mouse was last seen.

#include <cstdint>
#include <functional>

#include <wx/gdicmn.h>

#include "platform/ui/Message.h"

class wxWindow;

namespace ui {

class Window;

inline constexpr unsigned kMsgActivateApp = 0x001C;  // wParam: 1 activated, 0 deactivated
inline constexpr unsigned kMsgKeyDown = 0x0100;
inline constexpr unsigned kMsgKeyUp = 0x0101;
inline constexpr unsigned kMsgSysKeyDown = 0x0104;  // a key pressed with Alt
inline constexpr unsigned kMsgMouseMove = 0x0200;
inline constexpr unsigned kMsgLButtonDown = 0x0201;
inline constexpr unsigned kMsgLButtonUp = 0x0202;
inline constexpr unsigned kMsgLButtonDblClk = 0x0203;
inline constexpr unsigned kMsgRButtonDown = 0x0204;
inline constexpr unsigned kMsgRButtonUp = 0x0205;
inline constexpr unsigned kMsgRButtonDblClk = 0x0206;
inline constexpr unsigned kMsgMButtonDown = 0x0207;
inline constexpr unsigned kMsgMButtonUp = 0x0208;
inline constexpr unsigned kMsgMButtonDblClk = 0x0209;
inline constexpr unsigned kMsgMouseWheel = 0x020A;
inline constexpr unsigned kMsgMouseLeave = 0x02A3;

// Button and modifier bits of mouse messages.
inline constexpr WParam kMouseLeftButton = 0x0001;
inline constexpr WParam kMouseRightButton = 0x0002;
inline constexpr WParam kMouseShift = 0x0004;
inline constexpr WParam kMouseControl = 0x0008;
inline constexpr WParam kMouseMiddleButton = 0x0010;

constexpr LParam MakePointLParam(int x, int y) {
    return static_cast<LParam>((static_cast<std::uint32_t>(x) & 0xFFFFu) |
                               ((static_cast<std::uint32_t>(y) & 0xFFFFu) << 16));
}
constexpr int PointXFromLParam(LParam lParam) { return static_cast<std::int16_t>(lParam & 0xFFFF); }
constexpr int PointYFromLParam(LParam lParam) { return static_cast<std::int16_t>((lParam >> 16) & 0xFFFF); }

// One input message as it reached a window, with when and where (on the screen) the
// mouse was; what a window hands on to a tooltip.
struct InputMessage {
    Window* window = nullptr;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    long time = 0;  // milliseconds of the event's clock
    wxPoint point;  // the mouse on the screen
};

// The message being delivered to the window now, with the time and mouse point of
// the input event behind it.
InputMessage CurrentInputMessage(Window* window, unsigned message, WParam wParam, LParam lParam);

// Delivers the mouse events of the window to its WindowProc as messages.
void RouteInputMessages(Window& window);

// The wheel turned over a window that takes none (a plain child, a pane's frame, a
// caption; not a native control) reaches the nearest window above it that takes the
// wheel: one with RouteInputMessages, or one marked here whose own bindings deliver
// its wheel messages.
void TakeWheel(Window& window);
// What a window does with a wheel message it leaves alone: hands it on to the
// nearest window above it that takes the wheel. Its result, 0 when there is none.
LResult PassWheelUp(Window& window, WParam wParam, LParam lParam);

// Where the mouse was at the last input event the program saw, on the screen; where
// the pointer is when there has been none yet.
wxPoint GetCursorPos();

// Sees each input event of the program (mouse, keys, the program's activation) as a
// message, before the window it is for; target is that wx window. Key messages tell
// only that a key went down or up (wParam 0). Watches while it lives.
class InputWatch {
public:
    using Handler = std::function<void(wxWindow* target, const InputMessage& message)>;

    explicit InputWatch(Handler handler);
    ~InputWatch();
    InputWatch(const InputWatch&) = delete;
    InputWatch& operator=(const InputWatch&) = delete;
};

}  // namespace ui
