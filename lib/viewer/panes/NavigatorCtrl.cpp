#include "lib/viewer/panes/NavigatorCtrl.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/data/TextFormats.h"
#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/panes/MemDC.h"
#include "lib/viewer/panes/TipText.h"
#include "lib/viewer/panes/WaveScale.h"

namespace tracelume {

namespace {

constexpr gfx::Color kFrame = gfx::Color::FromArgb(0xFFC6A999);
constexpr gfx::Color kTint = gfx::Color::FromArgb(0x320000C8);
constexpr gfx::Color kData = gfx::Color::FromArgb(0xFFECE9D8);
constexpr gfx::Color kView = gfx::Color::FromArgb(0xFFECE9D8);
constexpr gfx::Color kPage = gfx::Color::FromArgb(0x80000000);
constexpr gfx::Color kStartGripColor = gfx::Color::FromArgb(0xFF008000);
constexpr gfx::Color kEndGripColor = gfx::Color::FromArgb(0xFF800000);
constexpr int kInset = 6;

bool Contains(const gfx::Rect& rect, double x, double y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

gfx::Rect Inflated(const gfx::Rect& rect, double dx, double dy) {
    return {rect.left - dx, rect.top - dy, rect.right + dx, rect.bottom + dy};
}

// a + b held at the ends of the 64-bit range.
std::int64_t Add(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

}  // namespace

CNavigatorCtrl::CNavigatorCtrl() = default;

void CNavigatorCtrl::SetDataRange(std::int64_t start, std::int64_t end) {
    m_dataStart = start;
    m_dataEnd = end;
}

void CNavigatorCtrl::SetViewRange(std::int64_t start, std::int64_t end) {
    m_viewStart = start;
    m_viewEnd = end;
}

void CNavigatorCtrl::SetPageRange(std::int64_t start, std::int64_t end) {
    m_pageStart = start;
    m_pageEnd = end;
}

gfx::Rect CNavigatorCtrl::GetInnerRect() const {
    return {kInset, kInset, static_cast<double>(Width() - kInset), static_cast<double>(Height() - kInset)};
}

double CNavigatorCtrl::Map(std::int64_t position) const {
    const gfx::Rect inner = GetInnerRect();
    const double start = Horizontal() ? inner.left : inner.top;
    const double length = Horizontal() ? inner.Width() : inner.Height();
    const double span = static_cast<double>(m_dataEnd) - static_cast<double>(m_dataStart);
    if (span == 0) {
        return start;
    }
    const double offset = length / span * (static_cast<double>(position) - static_cast<double>(m_dataStart));
    return start + std::trunc(std::clamp(offset, -1e9, 1e9) + 0.5);
}

std::int64_t CNavigatorCtrl::ValueAt(int x, int y) const {
    const gfx::Rect inner = GetInnerRect();
    const double coordinate = Horizontal() ? x - inner.left : y - inner.top;
    const double length = Horizontal() ? inner.Width() : inner.Height();
    if (length <= 0) {
        return m_dataStart;
    }
    const double span = static_cast<double>(m_dataEnd) - static_cast<double>(m_dataStart);
    return Add(m_dataStart, ToPixels(span * coordinate / length));
}

int CNavigatorCtrl::FindMarkAt(int x, int y) const {
    if (m_marks == nullptr) {
        return -1;
    }
    const std::int64_t low = ValueAt(x - 3, y - 3);
    const std::int64_t high = ValueAt(x + 3, y + 3);
    for (int i = 0; i < m_marks->GetCount(); ++i) {
        std::wstring text;
        if (m_marks->GetMarkAttribute(i, L"position", &text) == 0) {
            continue;
        }
        const std::int64_t position = MarkPosition(*m_marks, i);
        if (position >= std::min(low, high) && position <= std::max(low, high)) {
            return i;
        }
    }
    return -1;
}

gfx::Rect CNavigatorCtrl::GetViewRect() const {
    const gfx::Rect inner = GetInnerRect();
    if (Horizontal()) {
        return {Map(m_viewStart), inner.top, Map(m_viewEnd), inner.bottom};
    }
    return {inner.left, Map(m_viewStart), inner.right, Map(m_viewEnd)};
}

gfx::Rect CNavigatorCtrl::GetPageRect() const {
    const gfx::Rect inner = GetInnerRect();
    gfx::Rect page = Horizontal() ? gfx::Rect{Map(m_pageStart), inner.top, Map(m_pageEnd), inner.bottom}
                                  : gfx::Rect{inner.left, Map(m_pageStart), inner.right, Map(m_pageEnd)};
    const double length = Horizontal() ? page.Width() : page.Height();
    if (length < 6) {
        const double grow = std::floor((7 - length) / 2);
        page = Horizontal() ? Inflated(page, grow, 0) : Inflated(page, 0, grow);
    }
    return page;
}

void CNavigatorCtrl::GetGripRects(gfx::Rect& start, gfx::Rect& end) const {
    const gfx::Rect inner = GetInnerRect();
    const double a = Map(m_viewStart);
    const double b = Map(m_viewEnd);
    if (Horizontal()) {
        start = Inflated({a, inner.top, a, inner.bottom}, 4, 4);
        end = Inflated({b, inner.top, b, inner.bottom}, 4, 4);
    } else {
        start = Inflated({inner.left, a, inner.right, a}, 4, 4);
        end = Inflated({inner.left, b, inner.right, b}, 4, 4);
    }
}

void CNavigatorCtrl::DrawNavigator(gfx::Context& dc) {
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, Width(), Height());
    const gfx::Rect inner = GetInnerRect();
    dc.FillRect(client, kFrame);
    dc.FillRect(inner, kData);
    dc.Save();
    dc.SetPen({gfx::Color{0, 0, 0}, 1.0});
    dc.SetBrush(gfx::Brush::Null());
    dc.Rectangle(Inflated(inner, 1, 1));
    dc.Restore();
    dc.FillRect(client, kTint);
    dc.FillRect(GetViewRect(), kView);
    gfx::Rect startGrip;
    gfx::Rect endGrip;
    GetGripRects(startGrip, endGrip);
    dc.FillRect(startGrip, kStartGripColor);
    dc.FillRect(endGrip, kEndGripColor);
    dc.FillRect(GetPageRect(), kPage);
    DrawMarks(dc);
}

void CNavigatorCtrl::DrawMarks(gfx::Context& dc) {
    if (m_marks == nullptr) {
        return;
    }
    const gfx::Rect inner = GetInnerRect();
    const int under = FindMarkAt(static_cast<int>(m_last.x), static_cast<int>(m_last.y));
    for (int i = 0; i < m_marks->GetCount(); ++i) {
        std::wstring text;
        if (m_marks->GetMarkAttribute(i, L"position", &text) == 0) {
            continue;
        }
        const double at = Map(MarkPosition(*m_marks, i));
        gfx::Rect stripe = Horizontal() ? gfx::Rect{at - 1, inner.top, at + 1, inner.bottom}
                                        : gfx::Rect{inner.left, at - 1, inner.right, at + 1};
        if (i == under) {
            stripe = Inflated(stripe, 2, 2);
        }
        std::wstring color;
        const std::uint32_t colorRef =
            m_marks->GetMarkAttribute(i, L"background", &color) != 0 ? ParseColor(color) : 0xFFFFFF;
        dc.FillRect(stripe, gfx::Color::FromColorRef(colorRef));
    }
}

void CNavigatorCtrl::OnPaint(gfx::Context& target) {
    CXTMemDC memory(target, gfx::Rect::FromSize(0, 0, Width(), Height()));
    DrawNavigator(memory.Dc());
}

void CNavigatorCtrl::OnMouse(const MouseEvent& event) {
    const double x = event.x;
    const double y = event.y;
    gfx::Rect startGrip;
    gfx::Rect endGrip;
    GetGripRects(startGrip, endGrip);
    switch (event.kind) {
        case MouseEvent::LeftDown: {
            m_press = {x, y};
            m_last = m_press;
            SetCapture(true);
            const bool onStart = Contains(startGrip, x, y);
            const bool onEnd = Contains(endGrip, x, y);
            if (onStart && (m_viewStart > m_dataStart || m_viewEnd - (m_pageEnd - m_pageStart) > m_viewStart)) {
                m_dragMode = kStartGrip;
                m_pressValue = m_viewStart;
                SetCursor(Horizontal() ? kCursorSizeWE : kCursorSizeNS);
            } else if (onEnd) {
                m_dragMode = kEndGrip;
                m_pressValue = m_viewEnd;
                SetCursor(Horizontal() ? kCursorSizeWE : kCursorSizeNS);
            } else if (Contains(GetViewRect(), x, y)) {
                m_dragMode = kMoveView;
                m_pressValue = m_viewStart;
                SetCursor(kCursorSizeAll);
            }
            break;
        }
        case MouseEvent::Move: {
            if (m_dragMode != kNoDrag) {
                const std::int64_t delta =
                    ValueAt(event.x, event.y) - ValueAt(static_cast<int>(m_press.x), static_cast<int>(m_press.y));
                if (m_dragMode == kMoveView) {
                    const std::int64_t width = m_viewEnd - m_viewStart;
                    std::int64_t step = Add(m_pressValue, delta) - m_viewStart;
                    step = std::max(step, m_dataStart - m_viewStart);
                    step = std::min(step, m_dataEnd - m_viewEnd);
                    m_viewStart += step;
                    m_viewEnd = m_viewStart + width;
                } else if (m_dragMode == kStartGrip) {
                    m_viewStart = std::clamp(Add(m_pressValue, delta), m_dataStart, std::max(m_dataStart, m_viewEnd));
                } else {
                    m_viewEnd = std::clamp(Add(m_pressValue, delta), std::min(m_viewStart, m_dataEnd), m_dataEnd);
                }
                OnViewChanged(m_viewStart, m_viewEnd);
            } else if (Contains(startGrip, x, y) || Contains(endGrip, x, y)) {
                SetCursor(Horizontal() ? kCursorSizeWE : kCursorSizeNS);
            } else if (Contains(GetViewRect(), x, y) && FindMarkAt(event.x, event.y) < 0) {
                SetCursor(kCursorSizeAll);
            } else {
                SetCursor(kCursorArrow);
            }
            m_last = {x, y};
            SetTipText(GetTipText(event.x, event.y));
            Invalidate();
            break;
        }
        case MouseEvent::LeftUp:
            SetCapture(false);
            m_dragMode = kNoDrag;
            break;
        case MouseEvent::LeftDouble: {
            const int mark = FindMarkAt(event.x, event.y);
            const std::int64_t centre = mark >= 0 ? MarkPosition(*m_marks, mark) : ValueAt(event.x, event.y);
            const std::int64_t width = m_pageEnd - m_pageStart;
            m_pageStart = centre - width / 2;
            m_pageEnd = m_pageStart + width;
            OnPageChanged(m_pageStart, m_pageEnd);
            Invalidate();
            break;
        }
        case MouseEvent::Leave:
            m_last = {-100, -100};
            Invalidate();
            break;
        default:
            break;
    }
}

std::wstring CNavigatorCtrl::AreaTip(const std::wstring& title, std::int64_t start, std::int64_t end,
                                     std::int64_t pointer) {
    CTinyResourceManager& texts = Texts();
    return EscapeHtml(title) + L"<br><hr color=blue><font color=blue><br>" + EscapeHtml(texts.GetString(kTextStartTime)) +
           L"=" + EscapeHtml(FormatPosition(start)) + L"<br>" + EscapeHtml(texts.GetString(kTextEndTime)) + L"=" +
           EscapeHtml(FormatPosition(end)) + L"<br>" + EscapeHtml(texts.GetString(kTextPointerPosition)) + L"=" +
           EscapeHtml(FormatPosition(pointer)) + L"</font>";
}

std::wstring CNavigatorCtrl::GetTipText(int x, int y) {
    CTinyResourceManager& texts = Texts();
    const int mark = FindMarkAt(x, y);
    if (mark >= 0) {
        std::wstring name;
        std::wstring comment;
        m_marks->GetMarkAttribute(mark, L"name", &name);
        m_marks->GetMarkAttribute(mark, L"comment", &comment);
        return MarkTipHtml(name, FormatPosition(MarkPosition(*m_marks, mark)), texts.GetString(kTextComment), comment);
    }
    gfx::Rect startGrip;
    gfx::Rect endGrip;
    GetGripRects(startGrip, endGrip);
    const auto gripTip = [&](std::uint32_t title, std::int64_t position) {
        return EscapeHtml(texts.GetString(title)) + L"<br><hr color=blue><font color=blue><br>" +
               EscapeHtml(texts.GetString(kTextPosition)) + L"=" + EscapeHtml(FormatPosition(position)) + L"</font>";
    };
    const std::int64_t pointer = ValueAt(x, y);
    if (Contains(startGrip, x, y)) {
        return gripTip(kTextViewUpperBound, m_viewStart);
    }
    if (Contains(endGrip, x, y)) {
        return gripTip(kTextViewLowerBound, m_viewEnd);
    }
    if (Contains(GetPageRect(), x, y)) {
        return AreaTip(texts.GetString(kTextPageArea), m_pageStart, m_pageEnd, pointer);
    }
    if (Contains(GetViewRect(), x, y)) {
        return AreaTip(texts.GetString(kTextViewArea), m_viewStart, m_viewEnd, pointer);
    }
    if (Contains(GetInnerRect(), x, y)) {
        return AreaTip(texts.GetString(kTextDataArea), m_dataStart, m_dataEnd, pointer);
    }
    return {};
}

}  // namespace tracelume
