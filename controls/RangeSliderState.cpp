#include "controls/RangeSliderState.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace controls {
namespace {

// Colours of one form: the horizontal one has its own, the vertical one the system's.
struct Palette {
    gfx::Color background;
    gfx::Color thumb;
    gfx::Color arrow;
    gfx::Pen arrowPen;
    gfx::Color bar;
};

constexpr gfx::Color kBlack{0, 0, 0};
constexpr gfx::Color kBand{255, 255, 150};

Palette PaletteFor(bool horizontal, const SliderSystemColors& system) {
    if (horizontal) {
        return {{66, 96, 117}, {211, 226, 237}, {69, 132, 167}, gfx::Pen{{255, 255, 255}}, {137, 184, 216}};
    }
    return {system.shadow, system.face, system.shadow, gfx::Pen{system.highlight}, system.highlight};
}

// Top and left edges in one colour, right and bottom edges in the other, inside the rectangle.
void DrawRaisedEdge(gfx::Context& dc, const PixelRect& rect, gfx::Color topLeft, gfx::Color bottomRight) {
    const double l = rect.left;
    const double t = rect.top;
    const double r = rect.right;
    const double b = rect.bottom;
    if (r - l < 1 || b - t < 1) {
        return;
    }
    dc.FillRect({l, t, r - 1, t + 1}, topLeft);
    dc.FillRect({l, t, l + 1, b - 1}, topLeft);
    dc.FillRect({r - 1, t, r, b}, bottomRight);
    dc.FillRect({l, b - 1, r, b}, bottomRight);
}

// Integer part of a pixel position, kept within a range where it converts safely.
int PixelFromDouble(double position) {
    if (!std::isfinite(position)) {
        return 0;
    }
    return static_cast<int>(std::clamp(position, -1.0e7, 1.0e7));
}

}  // namespace

void RangeSliderState::SetRange(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) {
        return;
    }
    const double minimum = std::min(a, b);
    const double maximum = std::max(a, b);
    m_RangeLow = m_IsInverted ? -maximum : minimum;
    m_RangeHigh = m_IsInverted ? -minimum : maximum;
    Normalise();
}

void RangeSliderState::SetPosition(double left, double right) {
    if (!std::isfinite(left) || !std::isfinite(right)) {
        return;
    }
    const double low = m_IsInverted ? -right : left;
    const double high = m_IsInverted ? -left : right;
    m_SelLow = std::min(low, high);
    m_SelHigh = std::max(low, high);
    Normalise();
}

void RangeSliderState::SetBand(double low, double high, bool show) {
    m_BandLow = low;
    m_BandHigh = high;
    m_ShowBand = show;
}

void RangeSliderState::Normalise() {
    if (m_RangeLow > m_SelLow) {
        m_SelLow = m_RangeLow;
        Notify(kMovedLow);
        if (m_SelLow > m_SelHigh) {
            m_SelHigh = m_SelLow;
            Notify(kMovedHigh);
        }
    }
    if (m_RangeHigh < m_SelHigh) {
        m_SelHigh = m_RangeHigh;
        Notify(kMovedHigh);
        if (m_SelHigh < m_SelLow) {
            m_SelLow = m_SelHigh;
            Notify(kMovedLow);
        }
    }
}

void RangeSliderState::Notify(int code) const {
    if (m_notify) {
        m_notify(code);
    }
}

int RangeSliderState::PixelOf(double value) const {
    const double span = m_RangeHigh - m_RangeLow;
    if (!(span > 0) || m_TrackLength <= 0) {
        return 0;
    }
    return PixelFromDouble((value - m_RangeLow) / span * m_TrackLength + 0.5);
}

double RangeSliderState::ValueAt(int pixel) const {
    return static_cast<double>(pixel) / m_TrackLength * (m_RangeHigh - m_RangeLow) + m_RangeLow;
}

void RangeSliderState::Layout(int width, int height) {
    m_ClientWidth = width;
    m_ClientHeight = height;
    const int across = m_IsHorizontal ? height : width;
    const int along = m_IsHorizontal ? width : height;
    m_ThumbWidth = 3 * across / 4;
    m_TrackLength = along - 2 * m_ThumbWidth;
}

void RangeSliderState::Paint(gfx::Context& dc, int width, int height, const SliderSystemColors& colors) {
    Layout(width, height);
    const Palette palette = PaletteFor(m_IsHorizontal, colors);
    const int h = m_IsHorizontal ? height : width;  // across the track
    const int w = m_ThumbWidth;
    // Positions along the track and across it become x and y, or y and x.
    auto rect = [this](int along0, int across0, int along1, int across1) {
        return m_IsHorizontal ? PixelRect{along0, across0, along1, across1} : PixelRect{across0, along0, across1, along1};
    };
    auto point = [this](int along, int across) {
        return m_IsHorizontal ? gfx::Point{double(along), double(across)} : gfx::Point{double(across), double(along)};
    };
    auto shrunk = [](PixelRect r) { return PixelRect{r.left + 1, r.top + 1, r.right - 2, r.bottom - 2}; };
    const bool draggingLow = m_IsDragging && m_DragPart == Part::LowThumb;
    const bool draggingHigh = m_IsDragging && m_DragPart == Part::HighThumb;

    dc.SetPen(gfx::Pen{kBlack});
    dc.SetBrush(palette.background);
    dc.Rectangle(dc.ClipBox());

    const int pL = PixelOf(m_SelLow);
    const int pR = PixelOf(m_SelHigh);

    dc.SetPen(gfx::Pen{kBlack});
    dc.SetBrush(palette.thumb);
    const PixelRect low = rect(pL, 0, pL + w, h);
    dc.Rectangle(low.ToRect());
    m_LowThumbRect = shrunk(low);
    if (!draggingLow) {
        DrawRaisedEdge(dc, m_LowThumbRect, colors.highlight, colors.shadow);
    }
    dc.SetPen(palette.arrowPen);
    dc.SetBrush(palette.arrow);
    const std::array lowArrow{point(pL + w / 3, h / 3), point(pL + w / 3, 2 * h / 3), point(pL + 2 * w / 3, h / 2)};
    dc.Polygon(lowArrow);

    dc.SetPen(gfx::Pen{kBlack});
    dc.SetBrush(palette.thumb);
    m_HighThumbRect = rect(pR + w, 0, pR + 2 * w, h);
    dc.Rectangle(m_HighThumbRect.ToRect());
    if (!draggingHigh) {
        m_HighThumbRect = shrunk(m_HighThumbRect);
        DrawRaisedEdge(dc, m_HighThumbRect, colors.highlight, colors.shadow);
    }
    dc.SetPen(palette.arrowPen);
    dc.SetBrush(palette.arrow);
    const std::array highArrow{point(pR + w + 2 * w / 3, h / 3), point(pR + w + 2 * w / 3, 2 * h / 3),
                               point(pR + w + w / 3, h / 2)};
    dc.Polygon(highArrow);

    dc.SetPen(gfx::Pen::Null());
    dc.SetBrush(palette.bar);
    dc.Rectangle(rect(pL + w + 1, 1, pR + w, h - 1).ToRect());

    if (m_ShowBand && m_SelHigh > m_BandLow && m_SelLow < m_BandHigh) {
        const int from = std::max(w + PixelOf(m_BandLow), pL + w);
        const int to = std::min(w + PixelOf(m_BandHigh), pR + w);
        dc.SetBrush(kBand);
        dc.Rectangle(rect(from, 1, to, h - 1).ToRect());
    }
}

bool RangeSliderState::ButtonDown(int x, int y) {
    if (m_IsDragging) {
        return false;
    }
    const PixelRect bar = m_IsHorizontal
                              ? PixelRect{m_LowThumbRect.right + 1, 0, m_HighThumbRect.left - 1, m_ClientHeight}
                              : PixelRect{0, m_LowThumbRect.bottom + 1, m_ClientWidth, m_HighThumbRect.top - 1};
    const std::array<std::pair<Part, PixelRect>, 3> parts{
        {{Part::LowThumb, m_LowThumbRect}, {Part::HighThumb, m_HighThumbRect}, {Part::Bar, bar}}};
    for (const auto& [part, area] : parts) {
        if (area.Contains(x, y)) {
            m_IsDragging = true;
            m_DragPart = part;
            m_DragOffsetX = x - area.CentreX();
            m_DragOffsetY = y - area.CentreY();
            return true;
        }
    }
    return false;
}

bool RangeSliderState::MouseMove(int x, int y) {
    if (!m_IsDragging || m_TrackLength <= 0) {
        return false;
    }
    const int p = m_IsHorizontal ? x - m_DragOffsetX : y - m_DragOffsetY;
    const int w = m_ThumbWidth;
    switch (m_DragPart) {
    case Part::LowThumb:
        m_SelLow = std::max(std::min(ValueAt(p - w / 2), m_SelHigh), m_RangeLow);
        Notify(kMovedLow);
        break;
    case Part::HighThumb:
        m_SelHigh = std::min(std::max(ValueAt(p - 3 * w / 2), m_SelLow), m_RangeHigh);
        Notify(kMovedHigh);
        break;
    case Part::Bar: {
        const double width = m_SelHigh - m_SelLow;
        const double centre = ValueAt(p - w);
        m_SelLow = centre - width / 2;
        m_SelHigh = centre + width / 2;
        if (m_SelLow <= m_RangeLow) {
            m_SelLow = m_RangeLow;
            m_SelHigh = m_RangeLow + width;
        }
        if (m_RangeHigh <= m_SelHigh) {
            m_SelHigh = m_RangeHigh;
            m_SelLow = m_RangeHigh - width;
        }
        Notify(kMovedBoth);
        break;
    }
    }
    return true;
}

bool RangeSliderState::ButtonUp() {
    const bool was = m_IsDragging;
    m_IsDragging = false;
    return was;
}

bool RangeSliderState::KeyDown(Key key, bool shift, bool control) {
    const Key increase = m_IsHorizontal ? Key::Right : Key::Down;
    const Key decrease = m_IsHorizontal ? Key::Left : Key::Up;
    if (control || (key != increase && key != decrease) || m_TrackLength <= 0) {
        return false;
    }
    const double step = (m_RangeHigh - m_RangeLow) / m_TrackLength;
    if (step == 0) {
        return false;
    }
    int l = PixelFromDouble((m_SelLow - m_RangeLow) / step + 0.5);
    int r = PixelFromDouble((m_SelHigh - m_RangeLow) / step + 0.5);
    const int delta = key == increase ? 1 : -1;
    if (!shift) {
        l += delta;
    }
    r += delta;
    // Past either end, or the high end below the low one: the values stay.
    if (l >= 0 && r <= m_TrackLength && l <= r) {
        m_SelLow = l * step + m_RangeLow;
        m_SelHigh = r * step + m_RangeLow;
    }
    Notify(shift ? kMovedHigh : kMovedBoth);
    return true;
}

}  // namespace controls
