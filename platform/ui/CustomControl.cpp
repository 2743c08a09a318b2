#include "platform/ui/CustomControl.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "platform/ui/Dialog.h"

namespace ui {
namespace {

WParam MouseFlags(const wxMouseState& state) {
    WParam flags = 0;
    if (state.LeftIsDown()) {
        flags |= kMouseLeftButton;
    }
    if (state.ShiftDown()) {
        flags |= kMouseShift;
    }
    if (state.ControlDown()) {
        flags |= kMouseControl;
    }
    return flags;
}

// The key codes the program's controls handle; 0 for the others.
WParam KeyCode(int wxKey) {
    switch (wxKey) {
    case WXK_LEFT:
    case WXK_NUMPAD_LEFT:
        return kKeyLeft;
    case WXK_UP:
    case WXK_NUMPAD_UP:
        return kKeyUp;
    case WXK_RIGHT:
    case WXK_NUMPAD_RIGHT:
        return kKeyRight;
    case WXK_DOWN:
    case WXK_NUMPAD_DOWN:
        return kKeyDown;
    case WXK_F4:
        return kKeyF4;
    default:
        return 0;
    }
}

}  // namespace

class CustomControl::Canvas : public wxWindow {
public:
    Canvas(wxWindow* parent, const wxRect& rect, long style)
        : wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style | wxFULL_REPAINT_ON_RESIZE) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &Canvas::OnPaint, this);
        Bind(wxEVT_MOTION, [this](wxMouseEvent& event) { Mouse(event, kMsgMouseMove); });
        Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) { Mouse(event, kMsgLButtonDown); });
        Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) { Mouse(event, kMsgLButtonUp); });
        Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) {
            // The wheel's message carries its turn in wParam's high word and the
            // pointer on the screen (InputMessages.h).
            event.Skip();
            CustomControl* self = Self();
            if (self == nullptr || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
                return;
            }
            const wxPoint screen = ClientToScreen(event.GetPosition());
            const WParam turn = (static_cast<WParam>(event.GetWheelRotation()) & 0xFFFFu) << 16;
            self->WindowProc(kMsgMouseWheel, MouseFlags(event) | turn, MakePointLParam(screen.x, screen.y));
        });
        Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
            event.Skip();
            if (CustomControl* self = Self()) {
                self->PointerLeft();
            }
        });
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
            if (CustomControl* self = Self()) {
                self->WindowProc(kMsgCaptureChanged, 0, 0);
            }
        });
        Bind(wxEVT_KEY_DOWN, &Canvas::OnKeyDown, this);
        Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
            event.Skip();
            if (CustomControl* self = Self()) {
                self->WindowProc(kMsgSetFocus, 0, 0);
            }
        });
        Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
            event.Skip();
            if (CustomControl* self = Self()) {
                self->WindowProc(kMsgKillFocus, 0, 0);
            }
        });
    }

    bool AcceptsFocusFromKeyboard() const override {
        const CustomControl* self = Self();
        return self != nullptr && self->m_wantsArrows && IsEnabled();
    }

    // What the events reach: set once the control holds this window, null after.
    void SetBinding(std::shared_ptr<Window*> binding) { m_binding = std::move(binding); }

private:
    CustomControl* Self() const { return m_binding ? static_cast<CustomControl*>(*m_binding) : nullptr; }

    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        CustomControl* self = Self();
        wxGraphicsContext* graphics = dc.GetGraphicsContext();
        auto* context = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
        if (self == nullptr || context == nullptr) {
            return;
        }
        const wxSize size = GetClientSize();
        const wxColour background = GetBackgroundColour();
        cairo_save(context);
        cairo_set_source_rgb(context, background.Red() / 255.0, background.Green() / 255.0, background.Blue() / 255.0);
        cairo_rectangle(context, 0, 0, size.x, size.y);
        cairo_fill(context);
        self->OnDraw(context, size.x, size.y);
        cairo_restore(context);
    }

    void Mouse(wxMouseEvent& event, unsigned message) {
        event.Skip();
        CustomControl* self = Self();
        if (self == nullptr) {
            return;
        }
        if (message == kMsgMouseMove) {
            self->PointerMoved();
        }
        self->WindowProc(message, MouseFlags(event), MakePointLParam(event.GetX(), event.GetY()));
    }

    void OnKeyDown(wxKeyEvent& event) {
        CustomControl* self = Self();
        if (self != nullptr && self->m_wantsArrows && event.GetKeyCode() == WXK_TAB) {
            // Wanting the arrow keys brings the other keys here too: Tab still moves on.
            Navigate(event.ShiftDown() ? wxNavigationKeyEvent::IsBackward : wxNavigationKeyEvent::IsForward);
            return;
        }
        event.Skip();
        const WParam key = KeyCode(event.GetKeyCode());
        if (self == nullptr || key == 0) {
            return;
        }
        LParam flags = 0;
        if (event.ShiftDown()) {
            flags |= kKeyFlagShift;
        }
        if (event.ControlDown()) {
            flags |= kKeyFlagControl;
        }
        if (event.AltDown()) {
            flags |= kKeyFlagAlt;
        }
        self->WindowProc(kMsgKeyDown, key, flags);
    }

    std::shared_ptr<Window*> m_binding;
};

CustomControl::CustomControl() = default;

CustomControl::~CustomControl() {
    if (m_hoverTimer) {
        m_hoverTimer->Stop();
    }
}

bool CustomControl::Create(Window* parent, unsigned id, std::uint32_t style, const wxRect& rect) {
    if (IsWindow() || parent == nullptr || parent->GetWx() == nullptr) {
        return false;
    }
    return Make(parent, parent->GetWx(), id, style, rect);
}

bool CustomControl::SubclassDlgItem(unsigned id, Dialog* parent) {
    wxWindow* old = parent != nullptr ? parent->GetDlgItem(id) : nullptr;
    if (IsWindow() || old == nullptr) {
        return false;
    }
    if (!Make(parent, parent->GetWx(), id, old->IsEnabled() ? 0 : kStyleDisabled, old->GetRect())) {
        return false;
    }
    if (!parent->ReplaceDlgItem(id, GetWx())) {
        DestroyWindow();
        return false;
    }
    return true;
}

bool CustomControl::Make(Window* parent, wxWindow* parentWindow, unsigned id, std::uint32_t style,
                         const wxRect& rect) {
    long wxStyle = (style & kStyleBorder) != 0 ? wxBORDER_SIMPLE : wxBORDER_NONE;
    if (m_wantsArrows) {
        wxStyle |= wxWANTS_CHARS;
    }
    auto* canvas = new Canvas(parentWindow, rect, wxStyle);
    // What the control does not draw shows the window it sits on.
    canvas->SetBackgroundColour(parentWindow->GetBackgroundColour());
    Attach(canvas, id, true);
    canvas->SetBinding(Binding());
    TakeWheel(*this);
    m_parent = parent;
    SetCursor(m_cursor);
    canvas->Show((style & kStyleVisible) != 0);
    canvas->Enable((style & kStyleDisabled) == 0);
    return true;
}

void CustomControl::SetCursor(ControlCursor cursor) {
    m_cursor = cursor;
    if (wxWindow* window = GetWx()) {
        window->SetCursor(wxCursor(cursor == ControlCursor::Hand ? wxCURSOR_HAND : wxCURSOR_ARROW));
    }
}

void CustomControl::SetFocus() {
    if (wxWindow* window = GetWx()) {
        window->SetFocus();
    }
}

bool CustomControl::HasFocus() const {
    wxWindow* window = GetWx();
    return window != nullptr && wxWindow::FindFocus() == window;
}

void CustomControl::SetCapture() {
    wxWindow* window = GetWx();
    if (window != nullptr && !window->HasCapture()) {
        window->CaptureMouse();
    }
}

void CustomControl::ReleaseCapture() {
    wxWindow* window = GetWx();
    if (window != nullptr && window->HasCapture()) {
        window->ReleaseMouse();
    }
}

bool CustomControl::HasCapture() const {
    wxWindow* window = GetWx();
    return window != nullptr && window->HasCapture();
}

void CustomControl::TrackMouseEvent(unsigned flags) {
    if (!IsWindow()) {
        return;
    }
    m_tracking |= flags & (kTrackHover | kTrackLeave);
    if ((flags & kTrackHover) != 0) {
        if (!m_hoverTimer) {
            m_hoverTimer = std::make_unique<wxTimer>();
            m_hoverTimer->Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Rested(); });
        }
        m_hoverTimer->StartOnce(static_cast<int>(kHoverTime));
    }
}

void CustomControl::PointerMoved() {
    // Resting means not moving: every move starts the wait again.
    if ((m_tracking & kTrackHover) != 0 && m_hoverTimer) {
        m_hoverTimer->StartOnce(static_cast<int>(kHoverTime));
    }
}

void CustomControl::Rested() {
    wxWindow* window = GetWx();
    if ((m_tracking & kTrackHover) == 0 || window == nullptr) {
        return;
    }
    m_tracking &= ~kTrackHover;
    const wxPoint at = window->ScreenToClient(wxGetMousePosition());
    WindowProc(kMsgMouseHover, MouseFlags(wxGetMouseState()), MakePointLParam(at.x, at.y));
}

void CustomControl::PointerLeft() {
    if ((m_tracking & kTrackLeave) == 0) {
        return;
    }
    // Leaving ends both requests, as the window system does.
    m_tracking = 0;
    if (m_hoverTimer) {
        m_hoverTimer->Stop();
    }
    WindowProc(kMsgMouseLeave, 0, 0);
}

void CustomControl::SetWantsArrowKeys(bool wants) {
    m_wantsArrows = wants;
    if (wxWindow* window = GetWx()) {
        const long style = window->GetWindowStyleFlag();
        window->SetWindowStyleFlag(wants ? style | wxWANTS_CHARS : style & ~wxWANTS_CHARS);
    }
}

void CustomControl::OnDestroyed() {
    if (m_hoverTimer) {
        m_hoverTimer->Stop();
    }
    m_tracking = 0;
}

}  // namespace ui
