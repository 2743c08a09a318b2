#pragma once
// What the range slider is, apart from its window: the interval, the selected
// sub-range and the band, the thumbs' geometry of the last paint, the drag in
// progress, and what a paint, a mouse drag or an arrow key does to them. Every
// change of a value is told through the notify function with the code of what
// moved (kMovedLow, kMovedHigh, kMovedBoth), before the window repaints.
//
// The selection stays inside the interval and low never exceeds high. An empty
// interval or a track without room draws the selection at the start and leaves
// drags and keys without effect, rather than dividing by zero.
//
// Horizontally the low value is at the left; in the vertical form it is at the
// top, with Up and Down in place of Left and Right.

#include <functional>

#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"

namespace controls {

// A rectangle in whole pixels; holds a point when left <= x < right, top <= y < bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    int CentreX() const { return (left + right) / 2; }
    int CentreY() const { return (top + bottom) / 2; }
    gfx::Rect ToRect() const { return {double(left), double(top), double(right), double(bottom)}; }
};

// The system colours the vertical form and the thumbs' raised edges use.
struct SliderSystemColors {
    gfx::Color face{240, 240, 240};
    gfx::Color highlight{255, 255, 255};
    gfx::Color shadow{160, 160, 160};
};

class RangeSliderState {
public:
    static constexpr int kMovedLow = 0;
    static constexpr int kMovedHigh = 1;
    static constexpr int kMovedBoth = 2;

    enum class Part { LowThumb = 0, HighThumb = 1, Bar = 2 };
    enum class Key { Left, Right, Up, Down, Other };

    using NotifyFunction = std::function<void(int code)>;
    void SetNotify(NotifyFunction notify) { m_notify = std::move(notify); }

    // The smaller value becomes the minimum; inverted, both are stored negated
    // and swapped. The selection is then pulled inside.
    void SetRange(double a, double b);
    // The selection, ordered; inverted, stored negated and swapped. Then pulled
    // inside the interval.
    void SetPosition(double left, double right);
    void SetInverted(bool inverted) { m_IsInverted = inverted; }
    void SetHorizontal(bool horizontal) { m_IsHorizontal = horizontal; }
    void SetBand(double low, double high, bool show);

    double RangeLow() const { return m_RangeLow; }
    double RangeHigh() const { return m_RangeHigh; }
    double SelLow() const { return m_SelLow; }
    double SelHigh() const { return m_SelHigh; }
    bool IsInverted() const { return m_IsInverted; }
    bool IsHorizontal() const { return m_IsHorizontal; }

    // Geometry of the last paint (or Layout).
    int ThumbWidth() const { return m_ThumbWidth; }
    int TrackLength() const { return m_TrackLength; }
    const PixelRect& LowThumbRect() const { return m_LowThumbRect; }
    const PixelRect& HighThumbRect() const { return m_HighThumbRect; }
    // The value's distance in pixels from the track's start.
    int PixelOf(double value) const;

    // Sets the thumb width and track length for a client of that size, as a paint does.
    void Layout(int width, int height);
    // Draws the control over the context's clip box and keeps the thumbs' rectangles.
    void Paint(gfx::Context& dc, int width, int height, const SliderSystemColors& colors = {});

    // A button press at the point: starts dragging the thumb or bar under it.
    // True when a drag started.
    bool ButtonDown(int x, int y);
    // The pointer moved during a drag; true when the values changed.
    bool MouseMove(int x, int y);
    // Ends a drag; true when one was in progress.
    bool ButtonUp();
    bool IsDragging() const { return m_IsDragging; }
    Part DragPart() const { return m_DragPart; }

    // An arrow key; true when it was this form's key (the values may still stay,
    // at either end).
    bool KeyDown(Key key, bool shift, bool control);

private:
    void Normalise();
    void Notify(int code) const;
    // Where a drag moves a part's centre, as a value.
    double ValueAt(int pixel) const;

    double m_RangeLow = 0.0;
    double m_RangeHigh = 1.0;
    double m_SelLow = 0.0;
    double m_SelHigh = 1.0;
    double m_BandLow = 0.0;
    double m_BandHigh = 0.0;
    int m_ThumbWidth = 10;
    bool m_IsHorizontal = true;
    bool m_ShowBand = false;
    bool m_IsInverted = false;
    bool m_IsDragging = false;
    Part m_DragPart = Part::LowThumb;
    PixelRect m_LowThumbRect;
    PixelRect m_HighThumbRect;
    int m_TrackLength = 0;
    int m_ClientWidth = 0;
    int m_ClientHeight = 0;
    int m_DragOffsetX = 0;
    int m_DragOffsetY = 0;
    NotifyFunction m_notify;
};

}  // namespace controls
