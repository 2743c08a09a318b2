#include "report/GridReportPainter.h"

#include <cmath>

#include "report/ReportDrawing.h"
#include "report/RtfReportText.h"

namespace {

using report::Align;
using report::TextStyle;

TextStyle Centred(const gfx::Font& font, gfx::Color color = report::kBlack)
{
    TextStyle style{font, color};
    style.align = Align::Center;
    style.lineAlign = Align::Center;
    return style;
}

gfx::Font NameFont()
{
    return report::UnitFont(L"黑体", 20, 700);
}

gfx::Font CellFont()
{
    return report::UnitFont(L"Arial", 20);
}

}  // namespace

CGridReportPainter::CGridReportPainter() = default;
CGridReportPainter::~CGridReportPainter() = default;

double CGridReportPainter::ColumnWeight(std::int32_t widthClass)
{
    switch (widthClass) {
        case 1: return 10.0;
        case 2: return 15.0;
        case 3: return 30.0;
        case 4: return 50.0;
        default: return 0.0;
    }
}

double CGridReportPainter::RowWeight(std::int32_t heightClass)
{
    switch (heightClass) {
        case 1: return 10.0;
        case 2: return 20.0;
        case 3: return 30.0;
        case 4: return 50.0;
        default: return 0.0;
    }
}

bool CGridReportPainter::BeginPicture(double width, double height)
{
    Release();
    m_Width = std::trunc(width);
    m_Height = std::trunc(height);
    m_Picture = gfx::Recording(m_Width, m_Height);
    m_Graphics = m_Picture.NewContext();
    if (m_Graphics == nullptr) {
        return false;
    }
    report::FillBox(*m_Graphics, gfx::Rect{0, 0, m_Width, m_Height}, report::Argb(255, 230, 230, 230));
    return true;
}

gfx::Recording CGridReportPainter::EndPicture()
{
    m_Graphics.reset();
    return std::move(m_Picture);
}

void CGridReportPainter::Release()
{
    m_Graphics.reset();
    m_Picture = gfx::Recording();
}

CGridReportPainter::Layout CGridReportPainter::ComputeLayout(const CReportTable& table) const
{
    Layout layout;
    double rowSum = 0.0;
    for (const CReportRow& row : table.Rows()) {
        rowSum += RowWeight(row.GetHeightClass());
    }
    const std::wstring fail = CRtfReportText::Instance().Text(RtfSection::ZvParam, "Fail");

    if (table.Headers().empty()) {
        // Two columns: the label in the left three sevenths, the first note on the right.
        layout.list = true;
        if (rowSum <= 0.0) {
            layout.empty = true;
            return layout;
        }
        layout.rowUnit = m_Height / rowSum;
        const double nameWidth = m_Width * 3.0 / 7.0;
        double y = 0.0;
        for (const CReportRow& row : table.Rows()) {
            const double h = RowWeight(row.GetHeightClass()) * layout.rowUnit;
            layout.rows.push_back(gfx::Rect{0, y, m_Width, y + h});
            layout.cells.push_back({gfx::Rect{0, y, nameWidth, y + h}, -1, row.GetName(), false});
            const std::wstring note = row.Values().empty() ? std::wstring() : row.Values().front().GetNote();
            layout.cells.push_back({gfx::Rect{nameWidth, y, m_Width, y + h}, 0, note, false});
            y += h;
        }
        return layout;
    }

    const std::vector<CReportColumn>& columns = table.Headers().front().Columns();
    double columnSum = 0.0;
    for (const CReportColumn& column : columns) {
        columnSum += ColumnWeight(column.GetWidthClass());
    }
    if (rowSum <= 0.0 || columnSum <= 0.0) {
        layout.empty = true;
        return layout;
    }
    layout.rowUnit = (m_Height - kHeaderHeight) / rowSum;
    layout.columnUnit = (m_Width - kNameWidth) / columnSum;
    double x = kNameWidth;
    for (const CReportColumn& column : columns) {
        const double w = ColumnWeight(column.GetWidthClass()) * layout.columnUnit;
        layout.columns.push_back(gfx::Rect{x, 0, x + w, kHeaderHeight});
        x += w;
    }
    auto addLine = [&](const std::wstring& label, const CReportRowValues& values, double labelLeft, double top,
                       double h) {
        layout.cells.push_back({gfx::Rect{labelLeft, top, kNameWidth, top + h}, -1, label, false});
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::int32_t kind = columns[c].GetKind();
            const std::wstring text = values.GetText(kind);
            const bool failed = kind == CReportColumn::kVerdict && !fail.empty() && text == fail;
            layout.cells.push_back(
                {gfx::Rect{layout.columns[c].left, top, layout.columns[c].right, top + h}, kind, text, failed});
        }
    };
    double y = kHeaderHeight;
    for (const CReportRow& row : table.Rows()) {
        const double h = RowWeight(row.GetHeightClass()) * layout.rowUnit;
        layout.rows.push_back(gfx::Rect{0, y, m_Width, y + h});
        const std::vector<CReportRowValues>& lines = row.Values();
        if (lines.size() == 1) {
            addLine(row.GetName(), lines.front(), 0.0, y, h);
        } else if (!lines.empty()) {
            layout.cells.push_back({gfx::Rect{0, y, kSplitNameWidth, y + h}, -1, row.GetName(), false});
            const double share = h / static_cast<double>(lines.size());
            for (std::size_t k = 0; k < lines.size(); ++k) {
                addLine(lines[k].GetName(), lines[k], kSplitNameWidth, y + share * static_cast<double>(k), share);
            }
        } else {
            layout.cells.push_back({gfx::Rect{0, y, kNameWidth, y + h}, -1, row.GetName(), false});
        }
        y += h;
    }
    return layout;
}

void CGridReportPainter::DrawCell(const Cell& cell)
{
    gfx::Context& g = *m_Graphics;
    if (cell.kind < 0) {
        TextStyle style = Centred(NameFont());
        style.shrinkToFit = true;
        report::DrawString(g, cell.text, cell.rect, style);
    } else if (cell.failed) {
        report::DrawString(g, cell.text, cell.rect, Centred(report::UnitFont(L"黑体", 20), report::Argb(255, 255, 0, 0)));
    } else {
        report::DrawString(g, cell.text, cell.rect, Centred(CellFont()));
    }
}

int CGridReportPainter::DrawGridReport(const CReportTable& table)
{
    if (m_Graphics == nullptr) {
        return -1;
    }
    gfx::Context& g = *m_Graphics;
    const Layout layout = ComputeLayout(table);
    if (layout.empty) {
        return -1;
    }
    const report::Stroke line{report::kBlack, 2.0};
    const report::Stroke frame{report::kBlack, 4.0};

    if (layout.list) {
        const double nameWidth = m_Width * 3.0 / 7.0;
        report::FillBox(g, gfx::Rect{nameWidth, 0, m_Width - 2.5, m_Height - 2.5}, report::kWhite);
        report::DrawLine(g, nameWidth, 0, nameWidth, m_Height, line);
        for (const gfx::Rect& row : layout.rows) {
            report::DrawLine(g, 0, row.bottom, m_Width, row.bottom, line);
        }
        for (const Cell& cell : layout.cells) {
            DrawCell(cell);
        }
        report::DrawFrame(g, gfx::Rect{0, 0, m_Width, m_Height}, frame);
        return 1;
    }

    report::FillBox(g, gfx::Rect::FromSize(kNameWidth, kHeaderHeight, m_Width - 182, m_Height - 82),
                    report::Argb(255, 250, 250, 250));
    report::DrawString(g, table.Headers().front().GetName(), gfx::Rect{0, 0, kNameWidth, kHeaderHeight},
                       Centred(NameFont()));
    const std::vector<CReportColumn>& columns = table.Headers().front().Columns();
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const gfx::Rect& column = layout.columns[c];
        report::DrawLine(g, column.left, 0, column.left, m_Height, line);
        report::DrawString(g, columns[c].GetName(), column, Centred(NameFont()));
    }
    const std::vector<CReportRow>& rows = table.Rows();
    for (std::size_t r = 0; r < layout.rows.size(); ++r) {
        const gfx::Rect& band = layout.rows[r];
        report::DrawLine(g, 0, band.top, m_Width, band.top, line);
        const std::size_t lines = rows[r].Values().size();
        if (lines > 1) {
            report::DrawLine(g, kSplitNameWidth, band.top, kSplitNameWidth, band.bottom, line);
            for (std::size_t k = 1; k < lines; ++k) {
                const double y = band.top + band.Height() * static_cast<double>(k) / static_cast<double>(lines);
                report::DrawLine(g, kSplitNameWidth, y, m_Width, y, line);
            }
        }
    }
    for (const Cell& cell : layout.cells) {
        DrawCell(cell);
    }
    report::DrawFrame(g, gfx::Rect{0, 0, m_Width, m_Height}, frame);
    return 0;
}
