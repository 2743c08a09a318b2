// The waveform control's painting: rows and grids, marks, measuring lines, the
// region overlay, gesture feedback, the magnifier, tooltips and exported pictures.
#include <algorithm>
#include <cmath>
#include <map>

#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/TextFormats.h"
#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/panes/BaseMarkCtrl.h"
#include "lib/viewer/panes/TipText.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/WaveMarkCtrl.h"

namespace tracelume {

namespace {

constexpr gfx::Color kGrid{220, 221, 197};
constexpr gfx::Color kRegionTint = gfx::Color{119, 73, 99, 128};
constexpr gfx::Color kRegionCross = gfx::Color{119, 73, 99, 255};
constexpr gfx::Color kMeasure = gfx::Color::FromArgb(0xDC000000);
constexpr gfx::Color kMeasureLabel = gfx::Color::FromArgb(0xC8000000);
constexpr gfx::Color kScreenshot = gfx::Color::FromArgb(0xC87DA2CE);
constexpr gfx::Color kLensTint = gfx::Color::FromArgb(0x507DA2CE);
constexpr gfx::Color kLensLine{125, 162, 206};
constexpr gfx::Color kSplitter{192, 201, 206};

// The grid divisions of a row of that height.
int Divisions(int height) {
    return height >= 301 ? 12 : height >= 201 ? 8 : height >= 101 ? 4 : height >= 41 ? 2 : 0;
}

// (2^bits - 1) x level as a raw sample, held within the 64-bit range.
std::int64_t RawAtLevel(int bits, double level) {
    const double top = std::ldexp(1.0, std::clamp(bits, 0, 64)) - 1;
    return ToPixels(std::round(top * level));
}

// Copies a part of a picture to the point of the target.
void Slice(gfx::Context& dc, const gfx::Bitmap& picture, const gfx::Rect& source, double x, double y) {
    if (!source.IsEmpty()) {
        dc.DrawBitmap(picture, source, gfx::Rect::FromSize(x, y, source.Width(), source.Height()));
    }
}

}  // namespace

std::wstring CTracelumeCtrl::TimeText(double seconds) const { return m_view.Ruler().FormatTimeLabel(seconds); }

CRowItem* CTracelumeCtrl::RowAt(int y, int* top) {
    CTracelumeTreeCtrl& tree = m_view.Tree();
    const int logical = y + tree.GetScrollPosition();
    CRowItem* found = nullptr;
    tree.ForEachShownRow([&](CTreeItem& row, int rowTop) {
        if (found == nullptr && logical >= rowTop && logical < rowTop + row.m_height) {
            found = dynamic_cast<CRowItem*>(&row);
            if (top != nullptr) {
                *top = rowTop - tree.GetScrollPosition();
            }
        }
    });
    return found;
}

void CTracelumeCtrl::DrawClient(gfx::Context& dc, double first, double last) {
    const double width = Width();
    const double height = Height();
    dc.FillRect({0, 0, width, height}, gfx::Color::FromColorRef(m_background));
    dc.SetFont(m_font);
    if (m_verticalGrid) {
        dc.SetPen({kGrid, 1.0});
        const std::int64_t offset = ((m_position % kScrollStep) + kScrollStep) % kScrollStep;
        for (std::int64_t x = (kScrollStep - offset) % kScrollStep; x <= width; x += kScrollStep) {
            const std::int64_t content = x + m_position;
            if (x > 0 && content % 50 == 0) {
                dc.DrawLine({static_cast<double>(x), 0}, {static_cast<double>(x), height});
            }
        }
    }
    CTracelumeTreeCtrl& tree = m_view.Tree();
    const int scroll = tree.GetScrollPosition();
    bool below = false;
    tree.ForEachShownRow([&](CTreeItem& node, int logicalTop) {
        const int top = logicalTop - scroll;
        if (below || top > height) {
            below = true;
            return;
        }
        const int bottom = top + node.m_height;
        auto* row = dynamic_cast<CRowItem*>(&node);
        if (row == nullptr || bottom < 0) {
            return;
        }
        if (m_horizontalGrid) {
            int count = Divisions(node.m_height);
            const int bits = row->GetBitWidth();
            if (bits >= 0 && bits < 31) {
                count = std::min(count, 1 << bits);
            }
            if (count > 0) {
                row->SetScaleDivisions(&count);
                const double inner = top + node.m_height - 4;
                dc.SetPen({kGrid, 1.0});
                for (int k = 0; k <= count + 1; ++k) {
                    double level = 0;
                    if (row->GetScaleLabel(k, &level, nullptr) == 0) {
                        break;
                    }
                    const double y = std::round(inner - (inner - (top + 4)) * level);
                    if (y >= top && y < bottom) {
                        dc.DrawLine({0, y}, {width, y});
                    }
                }
            }
        }
        row->Draw(dc, {0, static_cast<double>(top), width, static_cast<double>(bottom)}, first, last);
    });
    // The marks stand over the rows: a line at each, its label at the top.
    CMarkManager& marks = m_view.Marks();
    const double rowsBottom = std::min<double>(height, tree.GetTotalHeight() - scroll);
    for (int i = 0; i < marks.GetCount(); ++i) {
        std::wstring text;
        if (marks.GetMarkAttribute(i, L"position", &text) == 0) {
            continue;
        }
        const double x = std::round(PixelOfSample(static_cast<double>(MarkPosition(marks, i))));
        if (x < 0 || x > width) {
            continue;
        }
        // The line in the label's colour, unless that is the background's own.
        std::wstring color;
        std::uint32_t line = marks.GetMarkAttribute(i, L"background", &color) != 0 ? ParseColor(color) : 0xFF;
        if (line == m_background && marks.GetMarkAttribute(i, L"foreground", &color) != 0) {
            line = ParseColor(color);
        }
        dc.SetPen({gfx::Color::FromColorRef(line), 1.0});
        dc.DrawLine({x, 0}, {x, rowsBottom});
    }
    m_view.MarkBar().DrawMarkLabels(dc, {0, 0, width, height}, CBaseMarkCtrl::kTop);
}

void CTracelumeCtrl::DrawMeasureLines(gfx::Context& dc) {
    // Where the lines are: a level of their rows' inner height.
    m_linePixel[0] = m_linePixel[1] = -1;
    CRowItem* rows[2] = {nullptr, nullptr};
    CTracelumeTreeCtrl& tree = m_view.Tree();
    const int scroll = tree.GetScrollPosition();
    tree.ForEachShownRow([&](CTreeItem& node, int logicalTop) {
        for (int n = 0; n < 2; ++n) {
            if (node.m_rowNumber == m_lineRow[n]) {
                const int top = logicalTop - scroll;
                m_linePixel[n] = static_cast<int>(std::lround((node.m_height - 8) * (1 - m_lineLevel[n]) + top + 4));
                rows[n] = dynamic_cast<CRowItem*>(&node);
            }
        }
    });
    dc.Save();
    dc.SetFont(gfx::Font::FromPoints(L"Arial", 9));
    const double width = Width();
    std::int64_t raws[2] = {0, 0};
    for (int n = 0; n < 2; ++n) {
        if (m_linePixel[n] < 0 || rows[n] == nullptr) {
            continue;
        }
        const double y = m_linePixel[n];
        dc.SetPen({kMeasure, 1.0, gfx::PenStyle::Dash});
        dc.DrawLine({0, y}, {width, y});
        raws[n] = RawAtLevel(rows[n]->GetBitWidth(), m_lineLevel[n]);
        gfx::Rect label = gfx::Rect::FromSize(m_arrowX + 10, n == 0 ? y - 30 : y + 10, 100, 20);
        dc.FillRect(label, kMeasureLabel);
        dc.SetTextColor(gfx::Color{255, 255, 255});
        dc.DrawText(rows[n]->FormatValue(raws[n]), label,
                    gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
    }
    if (m_linePixel[0] >= 0 && m_linePixel[1] >= 0 && rows[0] != nullptr && rows[0] == rows[1]) {
        const double x = m_arrowX;
        const double y1 = m_linePixel[0];
        const double y2 = m_linePixel[1];
        const std::wstring text = rows[0]->FormatDifference(raws[0] > raws[1] ? raws[0] - raws[1] : raws[1] - raws[0]);
        gfx::Rect label = gfx::Rect::FromSize(x - 50, (y1 + y2) / 2 - 10, 100, 20);
        dc.FillRect(label, kMeasureLabel);
        gfx::Rect textBox = label;
        dc.DrawText(text, textBox, gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
        dc.Save();
        dc.ExcludeClip(label);
        dc.SetPen({kMeasure, 1.0});
        dc.DrawLine({x, y1}, {x, y2});
        dc.Restore();
        dc.SetPen({kMeasure, 1.0});
        dc.SetBrush(kMeasure);
        const double direction = y2 >= y1 ? 1 : -1;
        const gfx::Point top[] = {{x, y1}, {x - 3, y1 + 3 * direction}, {x + 3, y1 + 3 * direction}};
        const gfx::Point bottom[] = {{x, y2}, {x - 3, y2 - 3 * direction}, {x + 3, y2 - 3 * direction}};
        dc.Polygon(top);
        dc.Polygon(bottom);
    }
    dc.Restore();
}

void CTracelumeCtrl::DrawRegion(gfx::Context& dc) {
    const bool dragging = m_gesture == kRectangle || m_gesture == kRegionStart || m_gesture == kRegionEnd ||
                          m_gesture == kRegionMove;
    const bool regionGesture = dragging && m_mouseMode == kCmdRegionMouse;
    if (regionGesture || m_regionShown) {
        const Region region = (regionGesture ? m_workRegion : m_region).Ordered();
        const double left = std::max(0.0, std::round(PixelOfSample(static_cast<double>(region.start))));
        const double right = std::min<double>(Width(), std::round(PixelOfSample(static_cast<double>(region.end) + 1)));
        const double bottom = std::min<double>(Height(), m_view.Tree().GetTotalHeight() - m_view.Tree().GetScrollPosition());
        if (right > left && bottom > 0) {
            dc.FillRect({left, 0, right, bottom}, kRegionTint);
        }
    }
    if (m_regionMode && m_mouseInside) {
        dc.FillRect({0, m_last.y, static_cast<double>(Width()), m_last.y + 1}, kRegionCross);
        dc.FillRect({m_last.x, 0, m_last.x + 1, static_cast<double>(Height())}, kRegionCross);
    }
}

void CTracelumeCtrl::DrawGesture(gfx::Context& dc) {
    if (m_gesture != kRectangle || m_mouseMode != kCmdScreenshotMouse) {
        return;
    }
    const gfx::Rect rect{std::min(m_down.x, m_last.x), std::min(m_down.y, m_last.y), std::max(m_down.x, m_last.x),
                         std::max(m_down.y, m_last.y)};
    dc.FillRect(rect, kScreenshot);
    CTinyResourceManager& texts = Texts();
    const double scale = GetTimePerDivision();
    std::wstring span;
    FormatTimeWithPrecision(rect.Width() / scale, static_cast<float>(m_rate), span);
    const std::wstring text = texts.GetString(kTextStartTime) + L"=" +
                              TimeText((rect.left + static_cast<double>(m_position)) / scale) + L"\r\n" +
                              texts.GetString(kTextEndTime) + L"=" +
                              TimeText((rect.right + static_cast<double>(m_position)) / scale) + L"\r\n" +
                              texts.GetString(kTextDataWidth) + L"=" + span + L"\r\n";
    dc.Save();
    dc.SetFont(gfx::Font::FromPoints(L"Arial", 9));
    dc.SetTextColor(gfx::Color{0, 0, 0});
    dc.IntersectClip(rect);
    gfx::Rect box{rect.left + 4, rect.top + 4, rect.right - 4, rect.bottom - 4};
    if (!box.IsEmpty()) {
        dc.DrawText(text, box, gfx::TextFormat::Left | gfx::TextFormat::Top);
    }
    dc.Restore();
}

void CTracelumeCtrl::DrawMagnifier(gfx::Context& dc, const gfx::Bitmap& picture) {
    const double magnification =
        ZoomScale(std::min(m_zoom + m_magnifierZoom, kHighestZoomLevel)) / GetTimePerDivision();
    const gfx::Rect lens = gfx::Rect::FromSize(m_last.x - kMagnifierWidth / 2.0, m_last.y - kMagnifierHeight / 2.0,
                                               kMagnifierWidth, kMagnifierHeight);
    const double sourceWidth = kMagnifierWidth / magnification;
    const gfx::Rect source = gfx::Rect::FromSize(m_last.x - sourceWidth / 2, lens.top, sourceWidth, kMagnifierHeight);
    dc.Save();
    dc.SetBrush(gfx::Brush::Linear({lens.left, lens.top}, {lens.left, lens.bottom}, gfx::Color{230, 238, 248},
                                   kLensLine));
    dc.SetPen({kLensLine, 2.0});
    dc.RoundRectangle({lens.left - 3, lens.top - 3, lens.right + 3, lens.bottom + 3}, 16, 16);
    dc.DrawBitmap(picture, source, lens);
    dc.FillRect(lens, kLensTint);
    // Its time scale along the bottom.
    dc.SetPen({kLensLine, 1.0});
    dc.SetTextColor(kLensLine);
    dc.SetFont(gfx::Font::FromPoints(L"Arial", 8));
    for (double x = lens.left; x <= lens.right; x += 50) {
        dc.DrawLine({x, lens.bottom - 8}, {x, lens.bottom});
        const double content = m_last.x + (x - m_last.x) / magnification;
        dc.TextOut(x + 2, lens.bottom - 22, TimeText((content + static_cast<double>(m_position)) / GetTimePerDivision()));
    }
    dc.Restore();
}

void CTracelumeCtrl::OnPaint(gfx::Context& dc) {
    // Frames are drawn into one picture kept from paint to paint and made again only
    // when the size changes: a picture made for every frame (megabytes, cleared and
    // faulted in) cost more than drawing the frame. DrawClient covers all of it.
    const bool resized = m_lastPicture.Width() != Width() || m_lastPicture.Height() != Height();
    if (resized) {
        m_lastPicture = gfx::Bitmap(Width(), Height());
    }
    if ((resized || !m_reuseLastPicture) && !m_lastPicture.IsEmpty()) {
        const double first = FirstVisibleSample();
        gfx::Context memory(m_lastPicture);
        DrawClient(memory, first, first + VisibleSamples());
    }
    dc.DrawBitmap(m_lastPicture, 0, 0);
    if (m_mouseMode == kCmdMagnifier && m_mouseInside) {
        DrawMagnifier(dc, m_lastPicture);
    }
    if (m_measureLines) {
        DrawMeasureLines(dc);
    }
    DrawRegion(dc);
    DrawGesture(dc);
    m_reuseLastPicture = false;
}

std::wstring CTracelumeCtrl::TipTextAt(int x, int y) {
    if (m_gesture != kNoGesture || m_mouseMode == kCmdMagnifier) {
        return {};
    }
    CTinyResourceManager& texts = Texts();
    CMarkManager& marks = m_view.Marks();
    const int mark = MarkAt(x, y);
    if (mark >= 0) {
        std::wstring name;
        std::wstring comment;
        marks.GetMarkAttribute(mark, L"name", &name);
        marks.GetMarkAttribute(mark, L"comment", &comment);
        const double seconds = static_cast<double>(MarkPosition(marks, mark)) / m_rate;
        return MarkTipHtml(name, TimeText(seconds), texts.GetString(kTextComment), comment);
    }
    CRowItem* row = RowAt(y);
    if (row == nullptr) {
        return {};
    }
    const std::int64_t sample = SampleAt(x);
    std::multimap<std::wstring, std::wstring> lines;
    for (int i = 0; i < row->GetImpCount(); ++i) {
        IRowItemImp* kind = row->GetImp(i);
        std::wstring value;
        std::int64_t a = 0;
        std::int64_t b = 0;
        if (kind->GetValueAt(row, sample, &a, &b, &value) != 0 && !value.empty()) {
            CLineStyleInfo style;
            row->GetImpStyle(kind, &style);
            lines.emplace(style.m_name, value);
        }
    }
    std::wstring html;
    if (!row->GetName().empty()) {
        html = EscapeHtml(row->GetName()) + L":<br>";
    }
    for (const auto& [label, value] : lines) {
        html += EscapeHtml(label) + L" = " + EscapeHtml(value) + L"<br>";
    }
    html += L"<hr color=blue><font color=blue><br>" + EscapeHtml(texts.GetString(kTextTime)) + L"=" +
            EscapeHtml(TimeText(static_cast<double>(sample) / m_rate)) + L"</font>";
    return html;
}

gfx::Bitmap CTracelumeCtrl::ExportPicture(const gfx::Rect& rect) {
    const gfx::Rect area{std::max(0.0, std::floor(rect.left)), std::max(0.0, std::floor(rect.top)),
                         std::min<double>(Width(), std::ceil(rect.right)), std::min<double>(Height(), std::ceil(rect.bottom))};
    if (area.IsEmpty()) {
        return {};
    }
    const int treeColumn = m_view.GetTreeWidth() + CTracelumeView::kSplitterWidth;
    const int rulerRow = CTracelumeView::kRulerHeight;
    gfx::Bitmap picture(treeColumn + static_cast<int>(area.Width()), rulerRow + static_cast<int>(area.Height()));
    if (picture.IsEmpty()) {
        return picture;
    }
    gfx::Context dc(picture);
    dc.FillRect({0, 0, static_cast<double>(picture.Width()), static_cast<double>(picture.Height())}, kSplitter);
    const gfx::Bitmap ruler = m_view.Ruler().Render();
    Slice(dc, ruler, {area.left, 0, area.right, static_cast<double>(std::min(rulerRow, ruler.Height()))}, treeColumn, 0);
    const gfx::Bitmap tree = m_view.Tree().Render();
    Slice(dc, tree, {0, area.top, static_cast<double>(std::min(m_view.GetTreeWidth(), tree.Width())), area.bottom}, 0,
          rulerRow);
    gfx::Bitmap wave(Width(), Height());
    {
        gfx::Context waveDc(wave);
        DrawClient(waveDc, FirstVisibleSample(), FirstVisibleSample() + VisibleSamples());
        if (m_measureLines) {
            DrawMeasureLines(waveDc);
        }
    }
    Slice(dc, wave, area, treeColumn, rulerRow);
    return picture;
}

}  // namespace tracelume
