#include "lib/viewer/panes/BaseRulerCtrl.h"

#include <algorithm>

#include "lib/viewer/panes/MemDC.h"

namespace tracelume {

namespace {

constexpr int kBand = 14;

// Floor division and remainder, so that negative origins tick like positive ones.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

int LineBreaks(const std::wstring& text) { return static_cast<int>(std::count(text.begin(), text.end(), L'\n')); }

}  // namespace

CBaseRulerCtrl::CBaseRulerCtrl()
    : m_background(gfx::Color{0xC0, 0xC9, 0xCE}), m_band(gfx::Color{0xC0, 0xC9, 0xCE}) {
    m_font.face = L"Verdana";
    m_font.height = 12;
    m_font.weight = 100;
}

std::wstring CBaseRulerCtrl::GetTickLabel(std::int64_t index) { return std::to_wstring(index); }

std::vector<CBaseRulerCtrl::Tick> CBaseRulerCtrl::Ticks(std::int64_t origin, int width) {
    std::vector<Tick> ticks;
    const std::int64_t index0 = FloorDiv(origin, 10);
    const int first = static_cast<int>(origin - index0 * 10);
    std::int64_t index = index0;
    for (int x = first; x <= width; x += 10, ++index) {
        if (x == 0) {
            continue;
        }
        ticks.push_back({x, index, index % 5 == 0});
    }
    return ticks;
}

void CBaseRulerCtrl::OnPaint(gfx::Context& target) {
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, Width(), Height());
    CXTMemDC memory(target, client);
    gfx::Context& dc = memory.Dc();
    dc.FillRect(client, m_background);
    dc.FillRect({0, client.bottom - kBand, client.right, client.bottom}, m_band);
    dc.SetFont(m_font);
    dc.SetTextColor(gfx::Color{0, 0, 0});
    dc.SetPen({gfx::Color{0, 0, 0}, 1.0});
    const double fontHeight = dc.Metrics().height;
    const double b = client.bottom;
    gfx::Rect box{0, b - 2 * fontHeight - kBand, 0, b - 12};
    std::wstring label;
    int breaks = 0;
    for (const Tick& tick : Ticks(m_origin, Width())) {
        const double x = tick.x;
        if (!tick.longTick) {
            dc.DrawLine({x, b - 10}, {x, b - 6});
            continue;
        }
        dc.DrawLine({x, b - 12}, {x, b - 2});
        // The label of the last tick of ten is drawn once the next long tick shows
        // that its box fits.
        box.top = b - (breaks + 1) * fontHeight - kBand;
        if (!label.empty()) {
            gfx::Rect drawn = box;
            dc.DrawText(label, drawn, gfx::TextFormat::Center | gfx::TextFormat::Top);
        }
        if (tick.index % 10 == 0) {
            box.left = x - 50;
            box.right = x + 50;
            label = GetTickLabel(tick.index);
            breaks = LineBreaks(label);
        }
    }
    if (m_mouseX > 0) {
        dc.SetPen({gfx::Color{255, 0, 0}, 1.0});
        dc.DrawLine({static_cast<double>(m_mouseX), box.top}, {static_cast<double>(m_mouseX), b});
    }
}

void CBaseRulerCtrl::OnMouse(const MouseEvent& event) {
    m_mouseX = event.kind == MouseEvent::Leave ? -1 : event.x;
    Invalidate();
}

}  // namespace tracelume
