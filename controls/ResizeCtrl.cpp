#include "controls/ResizeCtrl.h"

#include <wx/gdicmn.h>

#include "controls/BalloonTip.h"
#include "controls/ControlDrawing.h"
#include "controls/ControlTemplate.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/PictureStore.h"
#include "platform/ui/MessageQueue.h"

CResizeCtrl::CResizeCtrl(int expanded) : m_state(expanded != 0) {
    SetCursor(ui::ControlCursor::Hand);
    LoadPicture(m_state.InitialPicture());
    OnMessage(ui::kMsgMouseMove, [this](ui::WParam flags, ui::LParam point) {
        Apply(m_state.MouseMove(), flags, point);
        return 0;
    });
    OnMessage(ui::kMsgMouseHover, [this](ui::WParam flags, ui::LParam point) {
        Apply(m_state.MouseHover(), flags, point);
        return 0;
    });
    OnMessage(ui::kMsgMouseLeave, [this](ui::WParam flags, ui::LParam point) {
        Apply(m_state.MouseLeave(), flags, point);
        if (m_tip) {
            m_tip->Hide();
        }
        return 0;
    });
    OnMessage(ui::kMsgLButtonDown, [this](ui::WParam flags, ui::LParam point) {
        Apply(m_state.ButtonDown(), flags, point);
        return 0;
    });
}

CResizeCtrl::~CResizeCtrl() = default;

void CResizeCtrl::LoadPicture(int id) {
    m_pictureId = id;
    m_bitmap = gfx::LoadPicture(id);
    Invalidate();
}

void CResizeCtrl::Apply(const controls::ResizeCtrlState::Effect& effect, ui::WParam flags, ui::LParam point) {
    if (effect.loadPicture != 0) {
        LoadPicture(effect.loadPicture);
    }
    if (effect.trackPointer) {
        TrackMouseEvent(ui::kTrackHover | ui::kTrackLeave);
    }
    if (effect.updateTip && IsWindow()) {
        if (!m_tip) {
            m_tip = std::make_unique<controls::BalloonTip>(GetWx());
        }
        m_tip->SetText(GetTipText());
    }
    if (effect.sendClick && GetParent() != nullptr) {
        const wxPoint at(ui::PointXFromLParam(point), ui::PointYFromLParam(point));
        ui::SendMessage(GetParent(), kMsgResizeClick, flags, reinterpret_cast<ui::LParam>(&at));
    }
}

std::wstring CResizeCtrl::GetTipText() const {
    const unsigned id = m_state.TipStringId();
    return id != 0 ? controls::LoadControlString(id) : std::wstring();
}

bool CResizeCtrl::IsTipShown() const { return m_tip && m_tip->IsShown(); }

void CResizeCtrl::OnDraw(cairo_t* context, int width, int height) {
    gfx::Context dc(context);
    controls::DrawCollapseStrip(dc, m_bitmap, width, height);
}

void CResizeCtrl::OnDestroyed() {
    ui::CustomControl::OnDestroyed();
    if (m_tip) {
        m_tip->OwnerDestroyed();
        m_tip.reset();
    }
}
