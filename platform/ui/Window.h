#pragma once
// A window of the program: a wx window with a control id that handles numbered
// messages (see Message.h) and commands. Handlers are registered per message, per
// command id and per control notification; a derived window may override
// WindowProc or OnCmdMsg instead. Only the user-interface thread calls a Window;
// other threads reach it through PostMessage and SendMessage (MessageQueue.h).

#include <cairo.h>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include <wx/gdicmn.h>

#include "platform/ui/CommandUI.h"
#include "platform/ui/Message.h"

class wxWindow;
class wxTimer;

namespace ui {

// Show commands.
inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;
inline constexpr int kShow = 5;
inline constexpr int kShowRestore = 9;

// Window style bits the layer understands.
inline constexpr std::uint32_t kStyleChild = 0x40000000;
inline constexpr std::uint32_t kStyleVisible = 0x10000000;
inline constexpr std::uint32_t kStyleDisabled = 0x08000000;
inline constexpr std::uint32_t kStyleCaption = 0x00C00000;
inline constexpr std::uint32_t kStyleBorder = 0x00800000;
inline constexpr std::uint32_t kStyleSysMenu = 0x00080000;
inline constexpr std::uint32_t kStyleThickFrame = 0x00040000;
inline constexpr std::uint32_t kStyleGroup = 0x00020000;
inline constexpr std::uint32_t kStyleTabStop = 0x00010000;

class Window {
public:
    using MessageHandler = std::function<LResult(WParam, LParam)>;
    // Draws the window's client area; the context is the window's own surface.
    using PaintHandler = std::function<void(cairo_t* context, int width, int height)>;

    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Non-zero while the object lives; a later object at the same address gets
    // another serial, so a message queued for a destroyed window is dropped.
    static std::uint64_t SerialOf(const Window* window);

    wxWindow* GetWx() const { return m_wnd; }
    bool IsWindow() const { return m_wnd != nullptr; }
    unsigned GetDlgCtrlID() const { return m_id; }

    // A plain child window: paints through the paint handler (background only
    // without one) and receives kMsgSize. Styles: visible, disabled, border.
    bool CreateChild(Window* parent, unsigned id, std::uint32_t style, const wxRect& rect);
    // The handler draws the window's client area: a plain child window's at any
    // time, any other window's (a dialog, a page) once it exists.
    void SetPaintHandler(PaintHandler handler);

    // Handles one message: the registered handler, else the default handling
    // (kMsgClose destroys the window, kMsgCommand routes the command).
    virtual LResult WindowProc(unsigned message, WParam wParam, LParam lParam);
    // Commands and update requests; true when a handler took it.
    virtual bool OnCmdMsg(unsigned id, CommandUI* update);

    // True when OnCmdMsg would run a command handler for the id.
    virtual bool HasCommandHandler(unsigned id) const { return m_commands.count(id) != 0; }

    void OnMessage(unsigned message, MessageHandler handler);
    void OnCommand(unsigned id, std::function<void()> handler);
    void OnUpdateCommand(unsigned id, std::function<void(CommandUI&)> handler);
    // A control's notification (kMsgCommand code or kMsgNotify code) to this window.
    void OnControlNotify(unsigned controlId, int code, std::function<void()> handler);

    // Delivers kMsgTimer with the timer id every period until killed or destroyed.
    bool SetTimer(unsigned timerId, unsigned milliseconds);
    bool KillTimer(unsigned timerId);

    void SetWindowText(const std::wstring& text);
    std::wstring GetWindowText() const;
    void ShowWindow(int command);
    // The last show command given (ShowWindow), -1 before any: without a window
    // manager a maximise request is visible only here.
    int GetLastShowCommand() const { return m_lastShowCommand; }
    bool IsWindowVisible() const;
    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void MoveWindow(const wxRect& rect);
    wxRect GetWindowRect() const;
    wxSize GetClientSize() const;
    void Invalidate();
    void DestroyWindow();

protected:
    // Takes a wx window; an owned one is destroyed with this object.
    void Attach(wxWindow* window, unsigned id, bool owned);
    // After the wx window went (destroyed by us, its parent or wx).
    virtual void OnDestroyed() {}
    bool HasMessageHandler(unsigned message) const { return m_messages.count(message) != 0; }
    // What event bindings on wx windows capture: null once this object let its wx
    // window go, so a late event never reaches a destroyed object.
    std::shared_ptr<Window*> Binding() const { return m_binding; }
    // Sends a notification of a control to this window (from control events).
    void NotifyFromControl(unsigned controlId, int code, bool commandStyle);

private:
    class TimerRelay;
    void Detach();
    // After the wx window went: the derived window, then the application.
    void Destroyed();

    wxWindow* m_wnd = nullptr;
    // What the wx window's event bindings reach; cleared when this object lets the
    // wx window go, since a top-level window is destroyed later, at idle time.
    std::shared_ptr<Window*> m_binding;
    unsigned m_id = 0;
    bool m_owned = false;
    int m_lastShowCommand = -1;
    PaintHandler m_paint;
    bool m_paintBound = false;  // the paint event of a window not made here is ours
    std::map<unsigned, MessageHandler> m_messages;
    std::map<unsigned, std::function<void()>> m_commands;
    std::map<unsigned, std::function<void(CommandUI&)>> m_updates;
    std::map<std::pair<unsigned, int>, std::function<void()>> m_notifications;
    std::map<unsigned, std::unique_ptr<wxTimer>> m_timers;
};

}  // namespace ui
