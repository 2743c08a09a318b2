#include "lib/viewer/panes/BaseMarkCtrl.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/data/TextFormats.h"
#include "lib/viewer/panes/MemDC.h"

namespace tracelume {

namespace {

constexpr gfx::Color kArrow = gfx::Color::FromArgb(0xC8646464);
constexpr std::uint32_t kDefaultBack = 0x0000FF;   // red
constexpr std::uint32_t kDefaultFore = 0xFFFFFF;   // white

std::uint32_t ColorAttribute(IMarkManager& marks, int index, const wchar_t* name, std::uint32_t fallback) {
    std::wstring text;
    return marks.GetMarkAttribute(index, name, &text) != 0 ? ParseColor(text) : fallback;
}

// A filled arrow head at the tip, pointing away from the tail.
void ArrowHead(gfx::Context& dc, gfx::Point tail, gfx::Point tip, gfx::Color color) {
    const double direction = tip.x >= tail.x ? 1 : -1;
    const gfx::Point head[] = {tip, {tip.x - 3 * direction, tip.y - 3}, {tip.x - 3 * direction, tip.y + 3}};
    dc.Save();
    dc.SetPen({color, 1.0});
    dc.SetBrush(color);
    dc.Polygon(head);
    dc.Restore();
}

}  // namespace

CBaseMarkCtrl::CBaseMarkCtrl() : m_background(gfx::Color{0xC0, 0xC9, 0xCE}) {
    m_font.face = L"Verdana";
    m_font.height = 12;
    m_font.weight = 100;
}

std::wstring CBaseMarkCtrl::Readout(double markTime, double referenceTime) const {
    const double difference = markTime - referenceTime;
    const auto step = static_cast<float>(m_precisionStep);
    std::wstring mark;
    std::wstring reference;
    std::wstring span;
    FormatTimeWithPrecision(markTime, step, mark);
    FormatTimeWithPrecision(referenceTime, step, reference);
    FormatTimeWithPrecision(difference, step, span);
    std::wstring frequency = L"#";
    if (std::fabs(difference) > 1e-19) {
        std::wstring text;
        if (FormatEngineering(1.0 / difference, text) != 0) {
            frequency = text;
        }
    }
    return mark + L" - " + reference + L" = " + span + L"(" + frequency + L" HZ)";
}

void CBaseMarkCtrl::DrawMarkLabels(gfx::Context& dc, const gfx::Rect& client, int placement) {
    if (m_marks == nullptr) {
        return;
    }
    IMarkManager& marks = *m_marks;
    dc.Save();
    dc.SetFont(m_font);
    for (int i = 0; i < marks.GetCount(); ++i) {
        std::wstring name;
        if (marks.GetMarkAttribute(i, L"name", &name) == 0) {
            continue;
        }
        const double x = std::round(PositionToPixel(MarkPosition(marks, i)));
        const gfx::Color back = gfx::Color::FromColorRef(ColorAttribute(marks, i, L"background", kDefaultBack));
        const gfx::Color fore = gfx::Color::FromColorRef(ColorAttribute(marks, i, L"foreground", kDefaultFore));
        dc.SetBackgroundColor(back);
        dc.SetTextColor(fore);
        dc.SetPen({back, 1.0});
        const gfx::Size extent = dc.TextExtent(name);
        const double cx = std::round(extent.width);
        const double cy = std::round(extent.height);
        const double half = std::floor(cx / 2);
        gfx::Rect box;
        switch (placement) {
            case kRight:
                box = {client.right - 6 - cy, x - half, client.right - 6, x + cx - half};
                DrawLabelRight(dc, name, box);
                break;
            case kLeft:
                box = {client.right + 6, x - half, client.right + 6 + cy, x + cx - half};
                DrawLabelLeft(dc, name, box);
                break;
            case kTop:
                box = {x - half, client.top + 6, x + cx - half, client.top + 6 + cy};
                DrawLabelTop(dc, name, box);
                break;
            default:
                box = {x - half, client.bottom - 6 - cy, x + cx - half, client.bottom - 6};
                DrawLabelBottom(dc, name, box);
                break;
        }
        std::wstring referenceName;
        if (marks.GetMarkAttribute(i, L"ref", &referenceName) == 0) {
            continue;
        }
        const int reference = marks.FindMark(referenceName);
        if (reference < 0) {
            continue;
        }
        const std::int64_t position = MarkPosition(marks, i);
        const std::int64_t referencePosition = MarkPosition(marks, reference);
        const double refX = std::round(PositionToPixel(referencePosition));
        const double from = std::clamp(refX, client.left, client.right) + 8;
        const double to = std::clamp(x, client.left, client.right) - 8;
        dc.Save();
        dc.SetPen({kArrow, 1.0, gfx::PenStyle::Dash});
        dc.DrawLine({from, box.bottom}, {to, box.bottom});
        ArrowHead(dc, {from, box.bottom}, {to, box.bottom}, kArrow);
        const double t = PixelToTime(PositionToPixel(position));
        const double r = PixelToTime(PositionToPixel(referencePosition));
        gfx::Rect text{std::min(from, to) + 15, box.top, std::max(from, to) - 15, box.bottom};
        if (!text.IsEmpty()) {
            dc.SetTextColor(gfx::Color{0, 0, 0});
            dc.DrawText(Readout(t, r), text,
                        gfx::TextFormat::Center | gfx::TextFormat::SingleLine | gfx::TextFormat::EndEllipsis);
        }
        dc.Restore();
    }
    dc.Restore();
}

void CBaseMarkCtrl::DrawLabelBottom(gfx::Context& dc, const std::wstring& name, const gfx::Rect& box) {
    const gfx::Rect edge{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
    dc.FillRect(edge, gfx::Color{0xE0, 0xE0, 0xE0});
    dc.Save();
    dc.SetPen({gfx::Color{255, 255, 255}, 1.0});
    dc.DrawLine({edge.left, edge.bottom - 1}, {edge.left, edge.top});
    dc.DrawLine({edge.left, edge.top}, {edge.right - 1, edge.top});
    dc.SetPen({gfx::Color{0x80, 0x80, 0x80}, 1.0});
    dc.DrawLine({edge.right - 1, edge.top}, {edge.right - 1, edge.bottom - 1});
    dc.DrawLine({edge.left, edge.bottom - 1}, {edge.right - 1, edge.bottom - 1});
    dc.Restore();
    gfx::Rect text = box;
    dc.DrawText(name, text, gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
    const double mid = std::floor((box.left + box.right) / 2);
    for (int k = 0; k <= 4; ++k) {
        dc.DrawLine({mid - k, box.bottom + 6 - k}, {mid + k + 1, box.bottom + 6 - k});
    }
    dc.DrawLine({mid, box.bottom}, {mid, box.bottom + 6});
}

void CBaseMarkCtrl::DrawLabelTop(gfx::Context& dc, const std::wstring& name, const gfx::Rect& box) {
    dc.Save();
    dc.SetBrush(dc.GetPen().color);
    dc.Rectangle(box);
    dc.Restore();
    gfx::Rect text = box;
    dc.DrawText(name, text, gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
}

void CBaseMarkCtrl::DrawMarks(gfx::Context& dc) {
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, Width(), Height());
    dc.FillRect(client, m_background);
    if (m_marksEnabled) {
        DrawMarkLabels(dc, client, m_placement);
    }
}

void CBaseMarkCtrl::OnPaint(gfx::Context& target) {
    CXTMemDC memory(target, gfx::Rect::FromSize(0, 0, Width(), Height()));
    DrawMarks(memory.Dc());
}

}  // namespace tracelume
