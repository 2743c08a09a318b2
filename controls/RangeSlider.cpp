#include "controls/RangeSlider.h"

#include <wx/settings.h>

#include "controls/MemDC.h"
#include "platform/gfx/Context.h"
#include "platform/ui/MessageQueue.h"

namespace {

gfx::Color FromWx(const wxColour& colour) { return {colour.Red(), colour.Green(), colour.Blue()}; }

controls::RangeSliderState::Key KeyOf(ui::WParam key) {
    using Key = controls::RangeSliderState::Key;
    switch (key) {
    case ui::kKeyLeft:
        return Key::Left;
    case ui::kKeyRight:
        return Key::Right;
    case ui::kKeyUp:
        return Key::Up;
    case ui::kKeyDown:
        return Key::Down;
    default:
        return Key::Other;
    }
}

}  // namespace

CRangeSlider::CRangeSlider() {
    SetWantsArrowKeys(true);
    m_state.SetNotify([this](int code) {
        if (GetParent() != nullptr) {
            ui::SendMessage(GetParent(), kMsgRangeChanged, static_cast<ui::WParam>(code), 0);
        }
    });
    OnMessage(ui::kMsgLButtonDown, [this](ui::WParam, ui::LParam point) {
        SetFocus();
        Invalidate();
        if (m_state.ButtonDown(ui::PointXFromLParam(point), ui::PointYFromLParam(point))) {
            SetCapture();
        }
        return 0;
    });
    OnMessage(ui::kMsgMouseMove, [this](ui::WParam, ui::LParam point) {
        if (m_state.MouseMove(ui::PointXFromLParam(point), ui::PointYFromLParam(point))) {
            Invalidate();
        }
        return 0;
    });
    OnMessage(ui::kMsgLButtonUp, [this](ui::WParam, ui::LParam) {
        if (m_state.ButtonUp()) {
            ReleaseCapture();
            Invalidate();
        }
        return 0;
    });
    // Another window took the mouse: the drag ends where it is.
    OnMessage(ui::kMsgCaptureChanged, [this](ui::WParam, ui::LParam) {
        if (m_state.ButtonUp()) {
            Invalidate();
        }
        return 0;
    });
    OnMessage(ui::kMsgKeyDown, [this](ui::WParam key, ui::LParam flags) {
        if (m_state.KeyDown(KeyOf(key), (flags & ui::kKeyFlagShift) != 0, (flags & ui::kKeyFlagControl) != 0)) {
            Invalidate();
        }
        return 0;
    });
    for (const unsigned message : {ui::kMsgSetFocus, ui::kMsgKillFocus}) {
        OnMessage(message, [this](ui::WParam, ui::LParam) {
            Invalidate();
            return 0;
        });
    }
}

void CRangeSlider::SetRange(double a, double b) {
    m_state.SetRange(a, b);
    Invalidate();
}

void CRangeSlider::SetPosition(double left, double right) {
    m_state.SetPosition(left, right);
    Invalidate();
}

void CRangeSlider::SetInverted(bool inverted) {
    m_state.SetInverted(inverted);
    Invalidate();
}

void CRangeSlider::SetHorizontal(bool horizontal) {
    m_state.SetHorizontal(horizontal);
    Invalidate();
}

void CRangeSlider::SetVisualBand(double low, double high, bool show) {
    m_state.SetBand(low, high, show);
    Invalidate();
}

void CRangeSlider::OnDraw(cairo_t* context, int width, int height) {
    controls::SliderSystemColors colors;
    colors.face = FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    colors.highlight = FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT));
    colors.shadow = FromWx(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    gfx::Context target(context);
    CMemDC dc(target);
    m_state.Paint(dc, width, height, colors);
}
