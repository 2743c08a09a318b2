#include "lib/viewer/data/RowImpAnalog.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/RowItem.h"
#include "terminal/SimpleDataManager.h"

namespace tracelume {

namespace {

constexpr std::uint32_t kAllBits = 0xFFFFFFFF;

// Points of one unbroken stretch of the curve, without repeats.
class CurvePoints {
public:
    void Add(double x, double y) {
        if (m_points.empty() || m_points.back().x != x || m_points.back().y != y) {
            m_points.push_back({x, y});
        }
    }
    bool Empty() const { return m_points.empty(); }
    const gfx::Point& Back() const { return m_points.back(); }
    void Flush(gfx::Context& dc) {
        if (m_points.size() == 1) {
            // A lone point still shows as a dot one pixel wide.
            m_points.push_back({m_points.front().x + 1, m_points.front().y});
        }
        if (!m_points.empty()) {
            dc.Polyline(m_points);
        }
        m_points.clear();
    }

private:
    std::vector<gfx::Point> m_points;
};

}  // namespace

int CRowImpAnalog::Vertical::Y(std::int64_t raw) const {
    // A value outside the band is held at its edge: masking would fold it back in.
    const double top_raw = std::ldexp(1.0, std::clamp(bits, 1, 64)) - 1;
    const double value = std::clamp(static_cast<double>(raw), 0.0, top_raw);
    return static_cast<int>(std::lround(bottom - value * (bottom - top) / top_raw));
}

void CRowImpAnalog::DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) {
    m_axis = {band.left, band.right, first, last};
    m_vertical = {band.top + 4, band.top + row->GetHeight() - 4, row->GetBitWidth()};
    if (m_cache == nullptr || !m_axis.IsUsable()) {
        return;
    }
    CLineStyleInfo style;
    row->GetImpStyle(this, &style);
    dc.Save();
    dc.SetPen({gfx::Color::FromColorRef(style.m_lineColor), style.m_highlight != 0 ? 2.0 : 1.0});
    const bool steps = style.m_drawMode == 0;

    CurvePoints points;
    std::int64_t position = std::max<std::int64_t>(static_cast<std::int64_t>(first), 0);
    std::int64_t lastValue = 0;
    while (position < last) {
        std::int64_t end = position;
        std::int64_t value = 0;
        if (m_cache->FindNextChange(&end, &value, kAllBits, kAllBits) == IBufferredDataManager::kNothing) {
            break;
        }
        if (value == kNoValuePosition) {
            points.Flush(dc);
            position = end;
            continue;
        }
        const int x = m_axis.PixelX(static_cast<double>(position));
        const int y = m_vertical.Y(value);
        if (steps && !points.Empty()) {
            points.Add(x, points.Back().y);
        }
        points.Add(x, y);
        if (end - position > 1) {
            points.Add(m_axis.PixelX(static_cast<double>(end - 1)), y);
        }
        lastValue = value;
        std::int64_t next = end;
        if (m_axis.PixelX(static_cast<double>(end)) == x && end < last) {
            // More changes within this column: one bar from its minimum to its
            // maximum stands for all of them, then the walk goes on from the
            // column's last sample.
            const std::int64_t columnEnd = std::max(m_axis.FirstSampleRightOf(x), end + 1);
            std::int64_t from = position;
            std::int64_t low = 0;
            std::int64_t high = 0;
            if (m_cache->GetMinMax(&from, columnEnd, &low, &high) != 0 && low != high) {
                points.Add(x, m_vertical.Y(high));
                points.Add(x, m_vertical.Y(low));
            }
            next = std::max(columnEnd - 1, end);
        }
        position = next;
    }
    if (!points.Empty()) {
        // The last value holds up to where the walk stopped.
        if (steps) {
            points.Add(points.Back().x, m_vertical.Y(lastValue));
        }
        points.Add(m_axis.PixelX(static_cast<double>(position)), m_vertical.Y(lastValue));
    }
    points.Flush(dc);
    dc.Restore();
}

int CRowImpAnalog::GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                              std::wstring* text) {
    if (position < 0 || m_cache == nullptr) {
        return 0;
    }
    std::int64_t at = position;
    std::int64_t value = 0;
    if (m_cache->FindNextChange(&at, &value, kAllBits, kAllBits) == IBufferredDataManager::kNothing ||
        value == kNoValuePosition) {
        return 0;
    }
    if (first != nullptr) {
        *first = m_axis.IsUsable() ? m_axis.PixelX(static_cast<double>(position)) : 0;
    }
    if (second != nullptr) {
        *second = m_vertical.Y(value);
    }
    if (text != nullptr) {
        *text = row->FormatValue(value);
    }
    return 1;
}

void CRowImpAnalog::DrawLabels(IRowItem* row, gfx::Context& dc, double left, double top, double right,
                               double bottom) {
    CLineStyleInfo style;
    row->GetImpStyle(this, &style);
    const double height = bottom - top;
    if (style.m_showScale == 0 || height < 41) {
        return;
    }
    int count = height >= 301 ? 12 : height >= 201 ? 8 : height >= 101 ? 4 : 2;
    const int bits = row->GetBitWidth();
    if (bits >= 0 && bits < 4) {
        count = std::min(count, 1 << bits);
    }
    row->SetScaleDivisions(&count);
    const double labelTop = top + 4;
    const double labelBottom = top + row->GetHeight() - 4;
    dc.Save();
    dc.SetPen({gfx::Color{0, 0, 0}, 1.0});
    dc.SetTextColor(gfx::Color{0, 0, 0});
    dc.SetFont({L"Arial", 10});
    for (int k = 0; k <= count; ++k) {
        double position = 0;
        std::wstring text;
        if (row->GetScaleLabel(k, &position, &text) == 0) {
            break;
        }
        const double y = std::round(labelBottom - (labelBottom - labelTop) * position);
        if (y < top + 6) {
            break;
        }
        dc.DrawLine({right, y}, {right - 6, y});
        gfx::Rect box{left, std::max(top - 1, y - 6), right - 10, 0};
        box.bottom = box.top + 22;
        dc.DrawText(text, box, gfx::TextFormat::Right | gfx::TextFormat::Top | gfx::TextFormat::SingleLine);
    }
    dc.Restore();
}

}  // namespace tracelume
