#include "platform/ui/InputMessages.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <vector>

#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/event.h>
#include <wx/eventfilter.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/scrolbar.h>
#include <wx/scrolwin.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/spinctrl.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>
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

// Controls whose own wheel means something (a list scrolls, a choice or a spin box
// changes its value), and windows that scroll themselves. Plain dynamic_cast: the
// toolkit's own cast first converts the pointer to the asked type, which is undefined
// for the program's windows of other types.
bool UsesWheelItself(wxWindow* window) {
    return dynamic_cast<wxChoice*>(window) != nullptr || dynamic_cast<wxComboBox*>(window) != nullptr ||
           dynamic_cast<wxListBox*>(window) != nullptr || dynamic_cast<wxListCtrl*>(window) != nullptr ||
           dynamic_cast<wxTreeCtrl*>(window) != nullptr || dynamic_cast<wxTextCtrl*>(window) != nullptr ||
           dynamic_cast<wxSpinCtrl*>(window) != nullptr || dynamic_cast<wxSpinCtrlDouble*>(window) != nullptr ||
           dynamic_cast<wxSpinButton*>(window) != nullptr || dynamic_cast<wxSlider*>(window) != nullptr ||
           dynamic_cast<wxScrollBar*>(window) != nullptr || dynamic_cast<wxScrollHelperBase*>(window) != nullptr ||
           window->HasScrollbar(wxVERTICAL) || window->HasScrollbar(wxHORIZONTAL);
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
        // The wheel over a window that takes no wheel (a plain child, a pane's frame,
        // a caption) goes to the nearest window above it that does, as an unhandled
        // wheel message goes on to the parent. Controls that use the wheel keep it.
        if (translated.message == kMsgMouseWheel && target != nullptr && m_wheelTargets.count(target) == 0 &&
            !UsesWheelItself(target)) {
            if (Window* above = WheelTargetFrom(target->GetParent())) {
                above->WindowProc(kMsgMouseWheel, translated.wParam, translated.lParam);
            }
        }
        return Event_Skip;
    }

    void AddWheelTarget(Window& window) {
        wxWindow* wx = window.GetWx();
        if (wx == nullptr || m_wheelTargets.count(wx) != 0) {
            return;
        }
        m_wheelTargets[wx] = {&window, Window::SerialOf(&window)};
        wx->Bind(wxEVT_DESTROY, [this, wx](wxWindowDestroyEvent& event) {
            event.Skip();
            if (event.GetEventObject() == wx) {
                m_wheelTargets.erase(wx);
            }
        });
    }

    // The live window taking the wheel at `from` or above it, within its top-level window.
    Window* WheelTargetFrom(wxWindow* from) const {
        for (wxWindow* wx = from; wx != nullptr; wx = wx->GetParent()) {
            const auto found = m_wheelTargets.find(wx);
            if (found != m_wheelTargets.end() && Window::SerialOf(found->second.window) == found->second.serial) {
                return found->second.window;
            }
            if (wx->IsTopLevel()) {
                break;
            }
        }
        return nullptr;
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

    struct WheelTarget {
        Window* window = nullptr;
        std::uint64_t serial = 0;
    };

    bool m_seen = false;
    std::unordered_map<const wxWindow*, WheelTarget> m_wheelTargets;
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

void TakeWheel(Window& window) { InputTracker::Get().AddWheelTarget(window); }

LResult PassWheelUp(Window& window, WParam wParam, LParam lParam) {
    wxWindow* wx = window.GetWx();
    Window* above = wx != nullptr ? InputTracker::Get().WheelTargetFrom(wx->GetParent()) : nullptr;
    return above != nullptr ? above->WindowProc(kMsgMouseWheel, wParam, lParam) : 0;
}

void RouteInputMessages(Window& window) {
    wxWindow* wx = window.GetWx();
    if (wx == nullptr) {
        return;
    }
    InputTracker::Get().AddWheelTarget(window);
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
