#pragma once
// Messages across threads. Only the user-interface thread touches windows: a post
// from any thread queues the message for that thread and returns at once; a send
// from a worker queues it and waits until the user-interface thread has handled it
// (a send on the user-interface thread calls the window at once). Messages from one
// thread arrive in the order they were posted or sent. A message whose window is
// gone by the time it is delivered is dropped (a waiting sender gets 0), and when the
// message loop has ended, waiting senders are released with 0 and new messages are
// refused.

#include <functional>
#include <memory>
#include <optional>

#include "platform/ui/Message.h"

namespace ui {

class Window;

bool IsUiThread();

// False when the window is not alive or the loop is not running.
bool PostMessage(Window* target, unsigned message, WParam wParam = 0, LParam lParam = 0);
// Posts a message whose wParam points to a copy of the value, alive until the message
// has been handled or dropped: a sender's own record may change again before a posted
// message is delivered.
bool PostMessageKeeping(Window* target, unsigned message, std::shared_ptr<const void> data, LParam lParam = 0);
template <class T>
bool PostMessageWithCopy(Window* target, unsigned message, const T& value, LParam lParam = 0) {
    return PostMessageKeeping(target, message, std::make_shared<const T>(value), lParam);
}
// The window's result; 0 when the window is gone or the loop is not running.
LResult SendMessage(Window* target, unsigned message, WParam wParam = 0, LParam lParam = 0);

// Runs the function on the user-interface thread and waits for it (calls it at once
// on that thread). Nothing when the loop is not running.
std::optional<LResult> CallOnUiThread(const std::function<LResult()>& function);
// Queues the function for the user-interface thread; false when the loop is not running.
bool PostToUiThread(std::function<void()> function);

// Waits on the user-interface thread until `finished` answers true, serving meanwhile
// what other threads send or post to it: a worker waited for that sends to this thread
// would otherwise wait for it in turn. For the busy indicator's callers, whose Start
// returns at once while another indicator runs.
void WaitServing(const std::function<bool()>& finished);

// The application opens delivery when it starts and closes it when its loop ends.
void StartMessageDelivery();
void StopMessageDelivery();

}  // namespace ui
