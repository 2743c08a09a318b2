#include "platform/ui/Window.h"

#include <mutex>
#include <unordered_map>

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/timer.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include "platform/ui/Application.h"
#include "platform/ui/InputMessages.h"

namespace ui {
namespace {

struct Registry {
    std::mutex lock;
    std::unordered_map<const Window*, std::uint64_t> live;
    std::uint64_t next = 1;
};

Registry& Live() {
    static Registry registry;
    return registry;
}

// Paints a window through the handler on the window's own surface; without a
// handler, its background colour.
void PaintWith(wxWindow* window, const Window::PaintHandler& paint) {
    wxPaintDC dc(window);
    const wxSize size = window->GetClientSize();
    if (!paint) {
        dc.SetBackground(wxBrush(window->GetBackgroundColour()));
        dc.Clear();
        return;
    }
    wxGraphicsContext* graphics = dc.GetGraphicsContext();
    auto* context = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
    if (context != nullptr) {
        cairo_save(context);
        paint(context, size.x, size.y);
        cairo_restore(context);
    }
}

// The plain child window behind CreateChild.
class Canvas : public wxWindow {
public:
    Canvas(wxWindow* parent, long style, const wxRect& rect, Window::PaintHandler* paint)
        : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style | wxFULL_REPAINT_ON_RESIZE),
          m_paint(paint) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) { PaintWith(this, *m_paint); });
    }

private:
    Window::PaintHandler* m_paint;
};

}  // namespace

class Window::TimerRelay : public wxTimer {
public:
    TimerRelay(Window* owner, unsigned id) : m_owner(owner), m_id(id) {}
    void Notify() override { m_owner->WindowProc(kMsgTimer, m_id, 0); }

private:
    Window* m_owner;
    unsigned m_id;
};

Window::Window() {
    Registry& registry = Live();
    std::lock_guard guard(registry.lock);
    registry.live[this] = registry.next++;
}

Window::~Window() {
    {
        Registry& registry = Live();
        std::lock_guard guard(registry.lock);
        registry.live.erase(this);
    }
    m_timers.clear();
    if (m_wnd != nullptr) {
        wxWindow* window = m_wnd;
        const bool owned = m_owned;
        Detach();
        if (owned) {
            window->Destroy();
        }
    }
}

std::uint64_t Window::SerialOf(const Window* window) {
    Registry& registry = Live();
    std::lock_guard guard(registry.lock);
    const auto found = registry.live.find(window);
    return found != registry.live.end() ? found->second : 0;
}

void Window::Attach(wxWindow* window, unsigned id, bool owned) {
    m_wnd = window;
    m_id = id;
    m_owned = owned;
    m_binding = std::make_shared<Window*>(this);
    window->Bind(wxEVT_DESTROY, [binding = m_binding](wxWindowDestroyEvent& event) {
        event.Skip();
        Window* self = *binding;
        if (self != nullptr && event.GetEventObject() == self->m_wnd) {
            self->Detach();
            self->Destroyed();
        }
    });
    window->Bind(wxEVT_SIZE, [binding = m_binding](wxSizeEvent& event) {
        event.Skip();
        Window* self = *binding;
        if (self != nullptr && event.GetEventObject() == self->m_wnd) {
            const wxSize size = self->m_wnd->GetClientSize();
            self->WindowProc(kMsgSize, 0, static_cast<LParam>((size.x & 0xFFFF) | ((size.y & 0xFFFF) << 16)));
        }
    });
}

void Window::Detach() {
    m_timers.clear();
    m_paintBound = false;
    if (m_binding) {
        *m_binding = nullptr;
        m_binding.reset();
    }
    m_wnd = nullptr;
}

bool Window::CreateChild(Window* parent, unsigned id, std::uint32_t style, const wxRect& rect) {
    if (m_wnd != nullptr || parent == nullptr || parent->GetWx() == nullptr) {
        return false;
    }
    auto* canvas = new Canvas(parent->GetWx(), (style & kStyleBorder) != 0 ? wxBORDER_SIMPLE : wxBORDER_NONE, rect,
                              &m_paint);
    Attach(canvas, id, true);
    canvas->Show((style & kStyleVisible) != 0);
    canvas->Enable((style & kStyleDisabled) == 0);
    return true;
}

void Window::SetPaintHandler(PaintHandler handler) {
    m_paint = std::move(handler);
    // A window the layer did not make itself (a dialog, a page) paints through the
    // handler from now on, in place of its background.
    if (m_wnd != nullptr && dynamic_cast<Canvas*>(m_wnd) == nullptr && !m_paintBound) {
        m_paintBound = true;
        m_wnd->SetBackgroundStyle(wxBG_STYLE_PAINT);
        m_wnd->Bind(wxEVT_PAINT, [binding = m_binding](wxPaintEvent& event) {
            Window* self = *binding;
            if (self == nullptr || event.GetEventObject() != self->m_wnd) {
                event.Skip();
                return;
            }
            PaintWith(self->m_wnd, self->m_paint);
        });
    }
    Invalidate();
}

LResult Window::WindowProc(unsigned message, WParam wParam, LParam lParam) {
    if (const auto found = m_messages.find(message); found != m_messages.end()) {
        return found->second(wParam, lParam);
    }
    switch (message) {
    case kMsgClose:
        DestroyWindow();
        return 0;
    case kMsgCommand: {
        const unsigned id = LowWord(wParam);
        const unsigned code = HighWord(wParam);
        if (code == kNotifyClicked && OnCmdMsg(id, nullptr)) {
            return 0;
        }
        if (const auto handler = m_notifications.find({id, static_cast<int>(code)}); handler != m_notifications.end()) {
            handler->second();
        }
        return 0;
    }
    case kMsgMouseWheel:
        // Left alone here: the window above takes it.
        return PassWheelUp(*this, wParam, lParam);
    case kMsgNotify:
        if (const auto handler = m_notifications.find({static_cast<unsigned>(wParam), static_cast<int>(lParam)});
            handler != m_notifications.end()) {
            handler->second();
        }
        return 0;
    default:
        return 0;
    }
}

bool Window::OnCmdMsg(unsigned id, CommandUI* update) {
    if (update != nullptr) {
        const auto found = m_updates.find(id);
        if (found == m_updates.end()) {
            return false;
        }
        found->second(*update);
        return true;
    }
    const auto found = m_commands.find(id);
    if (found == m_commands.end()) {
        return false;
    }
    found->second();
    return true;
}

void Window::OnMessage(unsigned message, MessageHandler handler) { m_messages[message] = std::move(handler); }

void Window::OnCommand(unsigned id, std::function<void()> handler) { m_commands[id] = std::move(handler); }

void Window::OnUpdateCommand(unsigned id, std::function<void(CommandUI&)> handler) {
    m_updates[id] = std::move(handler);
}

void Window::OnControlNotify(unsigned controlId, int code, std::function<void()> handler) {
    m_notifications[{controlId, code}] = std::move(handler);
}

void Window::NotifyFromControl(unsigned controlId, int code, bool commandStyle) {
    if (commandStyle) {
        WindowProc(kMsgCommand, MakeWParam(controlId, static_cast<unsigned>(code)), 0);
    } else {
        WindowProc(kMsgNotify, controlId, code);
    }
}

bool Window::SetTimer(unsigned timerId, unsigned milliseconds) {
    if (m_wnd == nullptr) {
        return false;
    }
    auto& timer = m_timers[timerId];
    timer = std::make_unique<TimerRelay>(this, timerId);
    return timer->Start(static_cast<int>(std::max(1u, milliseconds)));
}

bool Window::KillTimer(unsigned timerId) { return m_timers.erase(timerId) != 0; }

void Window::SetWindowText(const std::wstring& text) {
    if (m_wnd != nullptr) {
        m_wnd->SetLabel(wxString(text));
    }
}

std::wstring Window::GetWindowText() const {
    return m_wnd != nullptr ? m_wnd->GetLabel().ToStdWstring() : std::wstring();
}

void Window::ShowWindow(int command) {
    m_lastShowCommand = command;
    if (m_wnd == nullptr) {
        return;
    }
    if (auto* topLevel = dynamic_cast<wxTopLevelWindow*>(m_wnd); topLevel != nullptr && command != kShowHide) {
        if (command == kShowMaximized) {
            topLevel->Maximize(true);
        } else if (command == kShowMinimized) {
            topLevel->Iconize(true);
        } else if (command == kShowRestore) {
            topLevel->Restore();
        }
    }
    m_wnd->Show(command != kShowHide);
}

bool Window::IsWindowVisible() const { return m_wnd != nullptr && m_wnd->IsShown(); }

void Window::EnableWindow(bool enable) {
    if (m_wnd != nullptr) {
        m_wnd->Enable(enable);
    }
}

bool Window::IsWindowEnabled() const { return m_wnd != nullptr && m_wnd->IsEnabled(); }

void Window::MoveWindow(const wxRect& rect) {
    if (m_wnd != nullptr) {
        m_wnd->SetSize(rect);
    }
}

wxRect Window::GetWindowRect() const { return m_wnd != nullptr ? m_wnd->GetRect() : wxRect(); }

wxSize Window::GetClientSize() const { return m_wnd != nullptr ? m_wnd->GetClientSize() : wxSize(); }

void Window::Invalidate() {
    if (m_wnd != nullptr) {
        m_wnd->Refresh(false);
    }
}

void Window::DestroyWindow() {
    if (m_wnd == nullptr) {
        return;
    }
    wxWindow* window = m_wnd;
    Detach();
    window->Destroy();
    Destroyed();
}

void Window::Destroyed() {
    OnDestroyed();
    if (auto* application = dynamic_cast<Application*>(wxTheApp)) {
        application->OnWindowDestroyed(this);
    }
}

}  // namespace ui
