#pragma once
// Message boxes: a text, a caption, buttons and an icon chosen by flags; the result
// is the id of the button pressed. Callable from any thread (a worker's box is shown
// by the user-interface thread while the worker waits). Tests install a responder
// that answers in place of the user.

#include <functional>
#include <string>

namespace ui {

class Window;

inline constexpr unsigned kMbOk = 0x0;
inline constexpr unsigned kMbOkCancel = 0x1;
inline constexpr unsigned kMbYesNoCancel = 0x3;
inline constexpr unsigned kMbYesNo = 0x4;
inline constexpr unsigned kMbButtonMask = 0xF;
inline constexpr unsigned kMbIconError = 0x10;
inline constexpr unsigned kMbIconQuestion = 0x20;
inline constexpr unsigned kMbIconExclamation = 0x30;
inline constexpr unsigned kMbIconInformation = 0x40;
inline constexpr unsigned kMbIconMask = 0xF0;

struct MessageBoxRequest {
    std::wstring text;
    std::wstring caption;
    unsigned flags = 0;
};

// Answers in place of the user (on the user-interface thread); empty: real boxes.
using MessageBoxResponder = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxResponder(MessageBoxResponder responder);

// kIdOk, kIdCancel, kIdYes or kIdNo; 0 when no box could be shown.
int MessageBox(Window* owner, const std::wstring& text, const std::wstring& caption, unsigned flags = kMbOk);

}  // namespace ui
