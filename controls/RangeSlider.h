#pragma once
// A slider with two thumbs that selects a sub-range of an interval by mouse or
// arrow keys (see RangeSliderState for what each does). Every change is sent to
// the parent window as kMsgRangeChanged before the slider repaints, so the parent
// reads the new values at once. Placed on dialog templates as a custom control of
// class "MFCRangeSlider" and bound with SubclassDlgItem.

#include "controls/RangeSliderState.h"
#include "platform/ui/CustomControl.h"

// Sent to the parent on every change: wParam RangeSliderState::kMovedLow,
// kMovedHigh or kMovedBoth, lParam 0. The number lies in the range kept for
// messages registered by name, so no window's own message can take it.
inline constexpr unsigned kMsgRangeChanged = 0xC2E7;

class CRangeSlider : public ui::CustomControl {
public:
    CRangeSlider();

    void SetRange(double a, double b);
    void SetPosition(double left, double right);
    // Inverted: values are stored negated, so the interval runs the other way;
    // the owner negates what it reads. Set before the range and position.
    void SetInverted(bool inverted);
    bool IsInverted() const { return m_state.IsInverted(); }
    // The vertical form: the low value at the top, Up and Down as keys.
    void SetHorizontal(bool horizontal);
    // A band drawn inside the selection, where the two overlap.
    void SetVisualBand(double low, double high, bool show);

    double GetSelLow() const { return m_state.SelLow(); }
    double GetSelHigh() const { return m_state.SelHigh(); }
    const controls::RangeSliderState& GetState() const { return m_state; }

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    controls::RangeSliderState m_state;
};
