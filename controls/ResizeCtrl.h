#pragma once
// The collapse/expand strip at the edge of a panel: a picture of an arrow that
// lights up under the pointer, a balloon tip once the pointer rests on it, and on
// a click kMsgResizeClick to the parent window. The toggle only reports the click;
// collapsing or expanding the panel is the parent's business.

#include <memory>
#include <string>

#include "controls/ResizeCtrlState.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/CustomControl.h"

namespace controls {
class BalloonTip;
}

// Sent to the parent on a click: wParam the mouse flags (ui::kMouse*), lParam a
// const wxPoint* of the click in the toggle's client coordinates, valid during the send.
inline constexpr unsigned kMsgResizeClick = 0x0500;

class CResizeCtrl : public ui::CustomControl {
public:
    // Starts expanded when the flag is non-zero, else collapsed.
    explicit CResizeCtrl(int expanded);
    ~CResizeCtrl() override;

    const controls::ResizeCtrlState& GetState() const { return m_state; }
    // The picture shown (its id), and the tip's text in the current state.
    int GetPictureId() const { return m_pictureId; }
    std::wstring GetTipText() const;
    bool IsTipShown() const;

protected:
    void OnDraw(cairo_t* context, int width, int height) override;
    void OnDestroyed() override;

private:
    void Apply(const controls::ResizeCtrlState::Effect& effect, ui::WParam flags, ui::LParam point);
    void LoadPicture(int id);

    controls::ResizeCtrlState m_state;
    int m_pictureId = 0;
    gfx::Bitmap m_bitmap;
    std::unique_ptr<controls::BalloonTip> m_tip;
};
