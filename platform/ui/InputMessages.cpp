#include "platform/ui/InputMessages.h"

#include <algorithm>
#include <map>
#include <vector>

#include <wx/event.h>
#include <wx/eventfilter.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "platform/ui/Window.h"

namespace ui {
namespace {

struct Translated {
    bool input = false;
    bool mouse = false;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    wxPoint screen;
};

unsigned MouseMessage(wxEventType type) {
    static const std::pair<wxEventType, unsigned> kMessages[] = {
        {wxEVT_MOTION, kMsgMouseMove},          {wxEVT_LEFT_DOWN, kMsgLButtonDown},
        {wxEVT_LEFT_UP, kMsgLButtonUp},         {wxEVT_LEFT_DCLICK, kMsgLButtonDblClk},
        {wxEVT_RIGHT_DOWN, kMsgRButtonDown},    {wxEVT_RIGHT_UP, kMsgRButtonUp},
        {wxEVT_RIGHT_DCLICK, kMsgRButtonDblClk}, {wxEVT_MIDDLE_DOWN, kMsgMButtonDown},
        {wxEVT_MIDDLE_UP, kMsgMButtonUp},       {wxEVT_MIDDLE_DCLICK, kMsgMButtonDblClk},
        {wxEVT_MOUSEWHEEL, kMsgMouseWheel},     {wxEVT_LEAVE_WINDOW, kMsgMouseLeave},
    };
    for (const auto& [eventType, message] : kMessages) {
        if (eventType == type) {
            return message;
        }
    }
    return 0;
}

Translated Translate(wxEvent& event) {
    Translated result;
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_ACTIVATE_APP) {
        result.input = true;
        result.message = kMsgActivateApp;
        result.wParam = static_cast<wxActivateEvent&>(event).GetActive() ? 1 : 0;
        return result;
    }
    if (type == wxEVT_KEY_DOWN || type == wxEVT_KEY_UP) {
        const auto& key = static_cast<wxKeyEvent&>(event);
        result.input = true;
        result.message = type == wxEVT_KEY_UP ? kMsgKeyUp : key.AltDown() ? kMsgSysKeyDown : kMsgKeyDown;
        return result;
    }
    const unsigned message = MouseMessage(type);
    if (message == 0) {
        return result;
    }
    const auto& mouse = static_cast<wxMouseEvent&>(event);
    const auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
    result.input = true;
    result.mouse = true;
    result.message = message;
    result.screen = window != nullptr ? window->ClientToScreen(mouse.GetPosition()) : wxGetMousePosition();
    result.wParam = (mouse.LeftIsDown() ? kMouseLeftButton : 0) | (mouse.RightIsDown() ? kMouseRightButton : 0) |
                    (mouse.MiddleIsDown() ? kMouseMiddleButton : 0) | (mouse.ShiftDown() ? kMouseShift : 0) |
                    (mouse.ControlDown() ? kMouseControl : 0);
    if (message == kMsgMouseLeave) {
        // Leaving tells nothing more; where the mouse went is kept for GetCursorPos.
        result.wParam = 0;
    } else if (message == kMsgMouseWheel) {
        result.wParam |= (static_cast<WParam>(mouse.GetWheelRotation()) & 0xFFFFu) << 16;
        result.lParam = MakePointLParam(result.screen.x, result.screen.y);
    } else {
        result.lParam = MakePointLParam(mouse.GetX(), mouse.GetY());
    }
    return result;
}

// Sees every event of the program first: remembers where the mouse was and tells
// the watches.
class InputTracker : public wxEventFilter {
public:
    static InputTracker& Get() {
        static InputTracker tracker;
        return tracker;
    }

    int FilterEvent(wxEvent& event) override {
        const Translated translated = Translate(event);
        if (!translated.input) {
            return Event_Skip;
        }
        if (translated.mouse) {
            m_point = translated.screen;
            m_seen = true;
        }
        m_time = event.GetTimestamp();
        const InputMessage message{nullptr, translated.message, translated.wParam, translated.lParam, m_time,
                                   Cursor()};
        auto* target = dynamic_cast<wxWindow*>(event.GetEventObject());
        // A handler may end a watch, its own or another.
        const std::vector<InputWatch*> watches = m_watches;
        for (InputWatch* watch : watches) {
            if (std::find(m_watches.begin(), m_watches.end(), watch) != m_watches.end()) {
                m_handlers.at(watch)(target, message);
            }
        }
        return Event_Skip;
    }

    wxPoint Cursor() const { return m_seen ? m_point : wxGetMousePosition(); }
    long Time() const { return m_time; }

    void Add(InputWatch* watch, InputWatch::Handler handler) {
        m_watches.push_back(watch);
        m_handlers.emplace(watch, std::move(handler));
    }
    void Remove(InputWatch* watch) {
        m_watches.erase(std::remove(m_watches.begin(), m_watches.end(), watch), m_watches.end());
        m_handlers.erase(watch);
    }

private:
    InputTracker() { wxEvtHandler::AddFilter(this); }
    ~InputTracker() override { wxEvtHandler::RemoveFilter(this); }

    bool m_seen = false;
    wxPoint m_point;
    long m_time = 0;
    std::vector<InputWatch*> m_watches;
    std::map<InputWatch*, InputWatch::Handler> m_handlers;
};

}  // namespace

InputMessage CurrentInputMessage(Window* window, unsigned message, WParam wParam, LParam lParam) {
    const InputTracker& tracker = InputTracker::Get();
    return {window, message, wParam, lParam, tracker.Time(), tracker.Cursor()};
}

void RouteInputMessages(Window& window) {
    wxWindow* wx = window.GetWx();
    if (wx == nullptr) {
        return;
    }
    InputTracker::Get();
    Window* target = &window;
    const std::uint64_t serial = Window::SerialOf(target);
    auto deliver = [target, serial, wx](wxEvent& event) {
        event.Skip();
        if (event.GetEventObject() != wx || Window::SerialOf(target) != serial) {
            return;
        }
        const Translated translated = Translate(event);
        if (translated.input) {
            target->WindowProc(translated.message, translated.wParam, translated.lParam);
        }
    };
    for (const wxEventType type :
         {wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP,
          wxEVT_RIGHT_DCLICK, wxEVT_MIDDLE_DOWN, wxEVT_MIDDLE_UP, wxEVT_MIDDLE_DCLICK, wxEVT_MOUSEWHEEL,
          wxEVT_LEAVE_WINDOW}) {
        wx->Bind(wxEventTypeTag<wxMouseEvent>(type), deliver);
    }
}

wxPoint GetCursorPos() { return InputTracker::Get().Cursor(); }

InputWatch::InputWatch(Handler handler) { InputTracker::Get().Add(this, std::move(handler)); }

InputWatch::~InputWatch() { InputTracker::Get().Remove(this); }

}  // namespace ui
