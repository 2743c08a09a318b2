#pragma once
// Messages of the record views and what they send to the main window.

#include <functional>
#include <string>

#include "platform/ui/Message.h"

class wxWindow;
namespace ui {
class Window;
}

namespace views {

// To a view from itself, and to the main window (wParam as below).
inline constexpr unsigned kMsgViewCommand = 0x4C9;
inline constexpr ui::WParam kViewRepaintList = 7;
inline constexpr ui::WParam kViewClearRows = 12;
inline constexpr ui::WParam kViewPopulate = 13;
// To the main window: lParam points at the caption text (a std::wstring) for the
// pane of the transient-event list (14) or of the alarm-event list (15).
inline constexpr ui::WParam kCaptionComtradeList = 14;
inline constexpr ui::WParam kCaptionSoeList = 15;
// From the phase strip to its pane: wParam the box (1-5), lParam its new state.
inline constexpr unsigned kMsgPhaseBox = 0x76F;

// Sends a pane caption to the application's main window; nothing without one.
void SendCaption(ui::WParam which, const std::wstring& text);

// The messages a list view handles the same way: a new size lays the view out by
// its width, and kViewRepaintList repaints the list (when there is one) at once.
void HandleListMessages(ui::Window& view, std::function<void(int width)> layout, std::function<wxWindow*()> list);

}  // namespace views
