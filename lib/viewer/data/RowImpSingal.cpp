#include "lib/viewer/data/RowImpSingal.h"

#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/SegmentWalker.h"

namespace tracelume {

void CRowImpSingal::DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) {
    const SampleAxis axis{band.left, band.right, first, last};
    if (m_cache == nullptr || !axis.IsUsable()) {
        return;
    }
    CLineStyleInfo style;
    row->GetImpStyle(this, &style);
    const double high = band.top + 10;
    const double low = band.top + row->GetHeight() - 4;
    const gfx::Color lineColor = gfx::Color::FromColorRef(style.m_lineColor);
    dc.Save();
    dc.SetPen({lineColor, 1.0});
    dc.SetTextColor(gfx::Color::FromColorRef(style.m_textColor));
    CSegmentWalker walker(*m_cache, axis, style.m_bitMask);
    std::vector<gfx::Point> line;
    Segment segment;
    while (walker.Next(segment)) {
        const bool set = segment.value != 0;
        if (style.m_drawMode == kFillLowMode) {
            if (!set) {
                dc.FillRect({segment.left, high - 4, segment.right, low + 4}, lineColor);
            }
            continue;
        }
        const double y = set ? high : low;
        if (!line.empty()) {
            line.push_back({segment.left, line.back().y});
        }
        line.push_back({segment.left, y});
        line.push_back({segment.right, y});
        if (segment.right - segment.left >= 4) {
            gfx::Rect box{segment.left, high, segment.right, low};
            dc.DrawText(set ? L"1" : L"0", box,
                        gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
        }
    }
    if (!line.empty()) {
        dc.Polyline(line);
    }
    dc.Restore();
}

int CRowImpSingal::GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                              std::wstring* text) {
    CLineStyleInfo style;
    row->GetImpStyle(this, &style);
    Run run;
    if (!FindRun(position, style.m_bitMask, run)) {
        return 0;
    }
    if (first != nullptr) {
        *first = run.first;
    }
    if (second != nullptr) {
        *second = run.end;
    }
    if (text != nullptr) {
        *text = run.value != 0 ? L"1" : L"0";
    }
    return 1;
}

}  // namespace tracelume
