#include "lib/viewer/data/RowImpBus.h"

#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/SegmentWalker.h"
#include "terminal/SimpleDataManager.h"

namespace tracelume {

namespace {

constexpr std::uint64_t kAllBusBits = ~std::uint64_t{0};
constexpr double kSlope = 4;

}  // namespace

void CRowImpBus::DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) {
    const SampleAxis axis{band.left, band.right, first, last};
    if (m_cache == nullptr || !axis.IsUsable()) {
        return;
    }
    CLineStyleInfo style;
    row->GetImpStyle(this, &style);
    const double top = band.top + 10;
    const double bottom = band.top + row->GetHeight() - 4;
    const double middle = (top + bottom) / 2;
    const std::uint64_t allOnes = BitWidthMask(row->GetBitWidth());
    dc.Save();
    dc.SetPen({gfx::Color::FromColorRef(style.m_lineColor), 1.0});
    dc.SetTextColor(gfx::Color::FromColorRef(style.m_textColor));
    CSegmentWalker walker(*m_cache, axis, kAllBusBits);
    Segment segment;
    while (walker.Next(segment)) {
        if (segment.value == kNoValuePosition) {
            continue;  // no value: nothing to show
        }
        const std::uint64_t value = static_cast<std::uint64_t>(segment.value) & allOnes;
        const double width = segment.right - segment.left;
        const double slope = width < 2 * kSlope ? width / 2 : kSlope;
        if (width >= 2 * kSlope) {
            gfx::Rect box{segment.left + kSlope, top, segment.right - kSlope, bottom};
            dc.DrawText(row->FormatValue(static_cast<std::int64_t>(value)), box,
                        gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                            gfx::TextFormat::EndEllipsis);
        }
        const auto edge = [&](double level) {
            const std::vector<gfx::Point> points = {{segment.left, middle},
                                                    {segment.left + slope, level},
                                                    {segment.right - slope, level},
                                                    {segment.right, middle}};
            dc.Polyline(points);
        };
        if (value != 0) {
            edge(top);
        }
        if (value != allOnes) {
            edge(bottom);
        }
    }
    dc.Restore();
}

int CRowImpBus::GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                           std::wstring* text) {
    Run run;
    if (!FindRun(position, kAllBusBits, run) || run.value == kNoValuePosition) {
        return 0;
    }
    if (first != nullptr) {
        *first = run.first;
    }
    if (second != nullptr) {
        *second = run.end;
    }
    if (text != nullptr) {
        *text = row->FormatValue(static_cast<std::int64_t>(static_cast<std::uint64_t>(run.value) &
                                                           BitWidthMask(row->GetBitWidth())));
    }
    return 1;
}

}  // namespace tracelume
