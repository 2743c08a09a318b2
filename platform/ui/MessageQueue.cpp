#include "platform/ui/MessageQueue.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

#include <wx/app.h>
#include <wx/thread.h>

#include "platform/ui/Window.h"

namespace ui {
namespace {

// One send waiting on a worker; completed once, by the user-interface thread or by
// the end of the loop.
struct PendingSend {
    bool done = false;
    bool served = false;  // the user-interface thread ran it
    LResult result = 0;
};

struct Delivery {
    std::mutex lock;
    std::condition_variable completed;
    bool open = false;
    // Grows at every stop: what was queued before a stop never runs after it.
    std::uint64_t epoch = 0;
    std::set<std::shared_ptr<PendingSend>> pending;
};

Delivery& State() {
    static Delivery state;
    return state;
}

void Complete(const std::shared_ptr<PendingSend>& send, LResult result, bool served) {
    Delivery& state = State();
    std::lock_guard guard(state.lock);
    if (!send->done) {
        send->done = true;
        send->served = served;
        send->result = result;
        state.pending.erase(send);
        state.completed.notify_all();
    }
}

}  // namespace

bool IsUiThread() { return wxIsMainThread(); }

void StartMessageDelivery() {
    std::lock_guard guard(State().lock);
    State().open = true;
}

void StopMessageDelivery() {
    Delivery& state = State();
    std::lock_guard guard(state.lock);
    state.open = false;
    ++state.epoch;
    for (const auto& send : state.pending) {
        send->done = true;
        send->result = 0;
    }
    state.pending.clear();
    state.completed.notify_all();
}

bool PostToUiThread(std::function<void()> function) {
    Delivery& state = State();
    std::lock_guard guard(state.lock);
    if (!state.open || wxTheApp == nullptr) {
        return false;
    }
    // Queued under the lock so that a concurrent stop sees it queued or refused.
    wxTheApp->CallAfter([function = std::move(function), epoch = state.epoch] {
        bool current;
        {
            std::lock_guard inner(State().lock);
            current = State().open && State().epoch == epoch;
        }
        if (current) {
            function();
        }
    });
    return true;
}

std::optional<LResult> CallOnUiThread(const std::function<LResult()>& function) {
    if (IsUiThread()) {
        return function();
    }
    auto send = std::make_shared<PendingSend>();
    {
        std::lock_guard guard(State().lock);
        if (!State().open) {
            return std::nullopt;
        }
        State().pending.insert(send);
    }
    const bool queued = PostToUiThread([send, function] { Complete(send, function(), true); });
    if (!queued) {
        Complete(send, 0, false);
        return std::nullopt;
    }
    Delivery& state = State();
    std::unique_lock guard(state.lock);
    state.completed.wait(guard, [&] { return send->done; });
    if (!send->served) {
        return std::nullopt;
    }
    return send->result;
}

bool PostMessage(Window* target, unsigned message, WParam wParam, LParam lParam) {
    const std::uint64_t serial = Window::SerialOf(target);
    if (serial == 0) {
        return false;
    }
    return PostToUiThread([target, serial, message, wParam, lParam] {
        if (Window::SerialOf(target) == serial) {
            target->WindowProc(message, wParam, lParam);
        }
    });
}

bool PostMessageKeeping(Window* target, unsigned message, std::shared_ptr<const void> data, LParam lParam) {
    const std::uint64_t serial = Window::SerialOf(target);
    if (serial == 0) {
        return false;
    }
    return PostToUiThread([target, serial, message, data = std::move(data), lParam] {
        if (Window::SerialOf(target) == serial) {
            target->WindowProc(message, reinterpret_cast<WParam>(data.get()), lParam);
        }
    });
}

LResult SendMessage(Window* target, unsigned message, WParam wParam, LParam lParam) {
    const std::uint64_t serial = Window::SerialOf(target);
    if (serial == 0) {
        return 0;
    }
    return CallOnUiThread([target, serial, message, wParam, lParam]() -> LResult {
               return Window::SerialOf(target) == serial ? target->WindowProc(message, wParam, lParam) : 0;
           })
        .value_or(0);
}

void WaitServing(const std::function<bool()>& finished) {
    while (!finished()) {
        if (wxTheApp != nullptr) {
            wxTheApp->ProcessPendingEvents();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace ui
