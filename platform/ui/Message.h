#pragma once
// The message model of our windows: a message is a number with two parameters and
// a result. Windows keep the numbers the program's windows were written against;
// every message a window receives gets a named constant beside that window. The
// constants here are the ones the window layer itself delivers.

#include <cstdint>

namespace ui {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

// Messages the layer delivers to every window.
inline constexpr unsigned kMsgSize = 0x0005;     // lParam: width | height << 16
inline constexpr unsigned kMsgSetFocus = 0x0007; // the window got the focus (a frame: it was activated)
inline constexpr unsigned kMsgClose = 0x0010;    // wParam: the close reason
inline constexpr unsigned kMsgNotify = 0x004E;   // wParam: control id, lParam: notification code
inline constexpr unsigned kMsgCommand = 0x0111;  // wParam: id | notification code << 16
inline constexpr unsigned kMsgTimer = 0x0113;    // wParam: the timer id
inline constexpr unsigned kMsgHScroll = 0x0114;  // wParam: position, lParam: control id
inline constexpr unsigned kMsgVScroll = 0x0115;  // wParam: position, lParam: control id
// The first number free for a program's own messages.
inline constexpr unsigned kMsgUser = 0x0400;

// Notification codes carried by kMsgCommand (high word of wParam).
inline constexpr unsigned kNotifyClicked = 0;        // button clicked, menu or accelerator
inline constexpr unsigned kNotifySelChange = 1;      // combo box selection changed
inline constexpr unsigned kNotifyEditChange = 0x300; // edit text changed
// Notification codes carried by kMsgNotify (lParam).
inline constexpr int kNotifyClick = -2;
inline constexpr int kNotifyDoubleClick = -3;
inline constexpr int kNotifyItemChanged = -101;   // list view selection
inline constexpr int kNotifyTreeSelChanged = -451;
inline constexpr int kNotifyTabSelChange = -551;

// Dialog and message-box results.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

constexpr WParam MakeWParam(unsigned low, unsigned high) {
    return static_cast<WParam>((low & 0xFFFFu) | ((high & 0xFFFFu) << 16));
}
constexpr unsigned LowWord(std::uintptr_t value) { return static_cast<unsigned>(value & 0xFFFFu); }
constexpr unsigned HighWord(std::uintptr_t value) { return static_cast<unsigned>((value >> 16) & 0xFFFFu); }

}  // namespace ui
