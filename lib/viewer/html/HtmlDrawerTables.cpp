// CHtmlDrawer: tables, their rows and cells.
#include <algorithm>
#include <cmath>

#include "lib/viewer/html/BitmapPixels.h"
#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/HtmlLayoutMath.h"

namespace {

constexpr std::size_t kTableNoPosition = std::wstring::npos;

// The attribute text of the element that starts the text ("<td colspan=2>" gives
// " colspan=2"), and where its content begins.
std::wstring OpeningTagAttributes(const std::wstring& text, std::size_t nameLength, std::size_t* contentStart) {
    const std::size_t close = text.find(L'>');
    if (contentStart != nullptr) {
        *contentStart = close == kTableNoPosition ? text.size() : close + 1;
    }
    const std::size_t end = close == kTableNoPosition ? text.size() : close;
    return end > nameLength ? text.substr(nameLength, end - nameLength) : std::wstring();
}

// Where a cell spanning `span` columns (or rows) from `first` starts and ends: every
// column before it and between its columns is followed by the spacing and a pixel.
std::pair<int, int> SpanExtent(const std::vector<int>& sizes, int first, int span, int origin, int spacing) {
    const int count = std::clamp(span, 1, static_cast<int>(sizes.size()) - first);
    long long start = static_cast<long long>(origin) + spacing;
    for (int k = 0; k < first; ++k) {
        start += sizes[k] + spacing + 1;
    }
    long long end = start + static_cast<long long>(count - 1) * (spacing + 1);
    for (int k = first; k < first + count; ++k) {
        end += sizes[k];
    }
    return {SaturateExtent(start), SaturateExtent(end)};
}

bool StartsWith(const std::wstring& text, std::size_t at, std::wstring_view prefix) {
    return text.compare(at, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<CHtmlDrawer::TableMark> CHtmlDrawer::TopLevelMarks(const std::wstring& text) {
    // One pass over the text after its own opening element; nested tables are
    // skipped whole, "<<" starts literal text.
    std::vector<TableMark> marks;
    std::size_t at = text.find(L'<', 1);
    while (at != kTableNoPosition) {
        if (text[at - 1] == L'<') {
            at = text.find(L'<', at + 1);
            continue;
        }
        if (StartsWith(text, at, L"<table")) {
            const std::size_t end = FindTableEnd(text, at);
            at = end >= text.size() ? kTableNoPosition : text.find(L'<', end + 1);
            continue;
        }
        if (StartsWith(text, at, L"<tr")) {
            marks.push_back({at, TableMark::kRowOpen});
        } else if (StartsWith(text, at, L"</tr")) {
            marks.push_back({at, TableMark::kRowClose});
        } else if (StartsWith(text, at, L"<td")) {
            marks.push_back({at, TableMark::kCellOpen});
        } else if (StartsWith(text, at, L"</td")) {
            marks.push_back({at, TableMark::kCellClose});
        }
        at = text.find(L'<', at + 1);
    }
    return marks;
}

std::size_t CHtmlDrawer::MatchingRowEnd(const std::vector<TableMark>& marks, std::size_t first, std::size_t textSize) {
    int depth = 0;
    for (std::size_t i = first; i < marks.size(); ++i) {
        if (marks[i].kind == TableMark::kRowOpen) {
            ++depth;
        } else if (marks[i].kind == TableMark::kRowClose && --depth == 0) {
            return marks[i].position;
        }
    }
    return textSize;
}

void CHtmlDrawer::CountTable(const std::vector<TableMark>& marks, const std::wstring& text, int& rows,
                             int& columns) {
    rows = 0;
    columns = 0;
    long long rowColumns = 0;
    for (const TableMark& mark : marks) {
        if (mark.kind == TableMark::kRowOpen) {
            ++rows;
            rowColumns = 0;
        } else if (mark.kind == TableMark::kCellOpen && rows > 0) {
            const std::size_t close = text.find(L'>', mark.position);
            const std::size_t end = close == kTableNoPosition ? text.size() : close;
            HtmlStyle scratch = m_style;
            int colSpan = 1;
            int rowSpan = 1;
            ParseTableAttributes(text.substr(mark.position + 3, end - mark.position - 3), scratch, false, colSpan,
                                 rowSpan);
            rowColumns += colSpan;
            columns = static_cast<int>(std::max<long long>(columns, std::min<long long>(rowColumns, kMaxTableColumns)));
        }
    }
    rows = std::min(rows, kMaxTableRows);
}

HtmlSize CHtmlDrawer::NaturalTableSize(const TableLayout& layout, const HtmlStyle& style) {
    const long long border = style.borderStyle == kBorderDouble ? 6 : 2LL * style.borderWidth;
    const long long spacing = style.cellSpacing;
    long long width = (layout.columns + 1) * spacing + std::max(0, layout.columns - 1) + border;
    for (const int column : layout.columnWidths) {
        width += column;
    }
    long long height = (layout.rows + 1) * spacing + std::max(0, layout.rows - 1) + border;
    for (const int row : layout.rowHeights) {
        height += row;
    }
    return {SaturateExtent(std::max(0LL, width)), SaturateExtent(std::max(0LL, height))};
}

void CHtmlDrawer::ShareSpans(TableLayout& layout) {
    struct Placed {
        int row;
        int column;
        int span;
    };
    std::vector<Placed> byColumns;
    std::vector<Placed> byRows;
    for (int r = 0; r < layout.rows; ++r) {
        for (int c = 0; c < layout.columns; ++c) {
            const TableCellMetrics& cell = layout.At(r, c);
            if (cell.colSpan >= 1) {
                byColumns.push_back({r, c, cell.colSpan});
                byRows.push_back({r, c, cell.rowSpan});
            }
        }
    }
    // Narrow spans first, each span in reading order.
    auto bySpan = [](const Placed& a, const Placed& b) { return a.span < b.span; };
    std::stable_sort(byColumns.begin(), byColumns.end(), bySpan);
    std::stable_sort(byRows.begin(), byRows.end(), bySpan);
    for (const Placed& placed : byColumns) {
        const TableCellMetrics& cell = layout.At(placed.row, placed.column);
        const int span = std::clamp(placed.span, 1, layout.columns - placed.column);
        long long sum = 0;
        for (int k = 0; k < span; ++k) {
            if (cell.fixed) {
                layout.fixedColumns[placed.column + k] = 1;
            }
            sum += layout.columnWidths[placed.column + k];
        }
        if (sum < cell.outerWidth) {
            const long long missing = cell.outerWidth - sum;
            for (int k = 0; k < span; ++k) {
                layout.columnWidths[placed.column + k] += static_cast<int>(missing / span);
            }
            layout.columnWidths[placed.column + span - 1] += static_cast<int>(missing % span);
        }
    }
    for (const Placed& placed : byRows) {
        const TableCellMetrics& cell = layout.At(placed.row, placed.column);
        const int span = std::clamp(placed.span, 1, layout.rows - placed.row);
        long long sum = 0;
        for (int k = 0; k < span; ++k) {
            sum += layout.rowHeights[placed.row + k];
        }
        if (sum < cell.outerHeight) {
            const long long missing = cell.outerHeight - sum;
            for (int k = 0; k < span; ++k) {
                layout.rowHeights[placed.row + k] += static_cast<int>(missing / span);
            }
            layout.rowHeights[placed.row] += static_cast<int>(missing % span);
        }
    }
}

HtmlSize CHtmlDrawer::LayoutTable(const std::wstring& text, const HtmlRect& rect, int depth) {
    if (depth > kMaxTableDepth) {
        return {};
    }
    ++m_tableIndex;
    const std::vector<TableMark> marks = TopLevelMarks(text);
    const std::size_t styleDepth = EnterTableElement(L"table", text, nullptr, nullptr, nullptr);
    if (m_measuring) {
        int rows = 0;
        int columns = 0;
        CountTable(marks, text, rows, columns);
        m_tables.emplace_back(rows, columns);
    } else if (static_cast<std::size_t>(m_tableIndex) >= m_tables.size()) {
        PopStyleTo(styleDepth);
        return {};
    }
    const std::size_t index = static_cast<std::size_t>(m_tableIndex);
    TableLayout& layout = m_tables[index];
    const bool doubleBorder = m_style.borderStyle == kBorderDouble;
    const int spacing = m_style.cellSpacing;

    HtmlSize size = NaturalTableSize(layout, m_style);
    HtmlRect table{rect.left, rect.top, 0, 0};
    if (!m_measuring) {
        const int available = rect.Width();
        if (size.cx < available) {
            long long missing = available - size.cx;
            long long unfixed = std::count(layout.fixedColumns.begin(), layout.fixedColumns.end(), 0);
            for (int c = 0; c < layout.columns && unfixed > 0; ++c) {
                if (layout.fixedColumns[c] == 0) {
                    const long long share = missing / unfixed;
                    layout.columnWidths[c] = AddClamped(layout.columnWidths[c], share);
                    missing -= share;
                    --unfixed;
                }
            }
            size.cx = SaturateExtent(available - missing);
            if (m_style.align == kAlignCenter) {
                table.left = AddClamped(rect.left, missing / 2);
            } else if (m_style.align == kAlignRight) {
                table.left = AddClamped(rect.right, -static_cast<long long>(size.cx));
            }
        }
        table.right = AddClamped(table.left, size.cx);
        table.bottom = AddClamped(table.top, size.cy);
        if (m_style.backgroundEffect >= 0) {
            m_draw.FillEffect(*m_dc, table, m_style.backgroundEffect, m_style.backgroundColour,
                              m_style.backgroundMiddle, m_style.backgroundEnd, 5, false);
        } else if (!m_style.backgroundImage.empty()) {
            DrawTableBackgroundImage(table, m_style.backgroundImage);
        }
        if (m_style.borderWidth > 0 && m_style.borderStyle != kBorderNone) {
            CTipDrawManager::DrawFrame(*m_dc, table, m_style.borderLight, m_style.borderDark, m_style.borderStyle,
                                       doubleBorder ? 1 : m_style.borderWidth);
        }
    }
    const int inset = doubleBorder ? 3 : m_style.borderWidth;
    const HtmlRect inner{table.left + inset, table.top + inset, table.right - inset, table.bottom - inset};

    std::size_t searchFrom = 0;
    int row = 0;
    for (std::size_t i = 0; i < marks.size() && row < layout.rows; ++i) {
        if (marks[i].kind != TableMark::kRowOpen || marks[i].position < searchFrom) {
            continue;
        }
        const std::size_t end = MatchingRowEnd(marks, i, text.size());
        LayoutRow(text.substr(marks[i].position, end - marks[i].position), index, row, inner, spacing, depth);
        searchFrom = end;
        ++row;
    }
    if (m_measuring) {
        ShareSpans(layout);
        size = NaturalTableSize(layout, m_style);
    }
    PopStyleTo(styleDepth);
    return size;
}

void CHtmlDrawer::LayoutRow(const std::wstring& text, std::size_t tableIndex, int row, const HtmlRect& inner,
                            int spacing, int depth) {
    const std::size_t styleDepth = EnterTableElement(L"tr", text, nullptr, nullptr, nullptr);
    TableLayout& layout = m_tables[tableIndex];
    const std::vector<TableMark> marks = TopLevelMarks(text);
    int column = 0;
    std::size_t searchFrom = 0;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i].kind != TableMark::kCellOpen || marks[i].position < searchFrom) {
            continue;
        }
        std::size_t end = text.size();
        for (std::size_t k = i + 1; k < marks.size(); ++k) {
            if (marks[k].kind == TableMark::kCellClose) {
                end = marks[k].position;
                break;
            }
        }
        searchFrom = end;
        while (column < layout.columns && layout.At(row, column).colSpan == -1) {
            ++column;
        }
        if (column >= layout.columns) {
            continue;  // more cells than the grid has room for
        }
        HtmlRect cellRect;
        if (!m_measuring) {
            const TableCellMetrics& cell = layout.At(row, column);
            const auto [left, right] = SpanExtent(layout.columnWidths, column, cell.colSpan, inner.left, spacing);
            const auto [top, bottom] = SpanExtent(layout.rowHeights, row, cell.rowSpan, inner.top, spacing);
            cellRect = {left, top, right, bottom};
        }
        LayoutCell(text.substr(marks[i].position, end - marks[i].position), cellRect, tableIndex, row, column, depth);
        const TableCellMetrics& cell = layout.At(row, column);
        const int spanColumns = std::clamp(cell.colSpan, 1, layout.columns - column);
        if (m_measuring) {
            const int spanRows = std::clamp(cell.rowSpan, 1, layout.rows - row);
            for (int r = row; r < row + spanRows; ++r) {
                for (int c = column; c < column + spanColumns; ++c) {
                    if (r != row || c != column) {
                        layout.At(r, c).colSpan = -1;
                        layout.At(r, c).rowSpan = -1;
                    }
                }
            }
        }
        column += spanColumns;
    }
    PopStyleTo(styleDepth);
}

void CHtmlDrawer::LayoutCell(const std::wstring& text, const HtmlRect& rect, std::size_t tableIndex, int row,
                             int column, int depth) {
    int colSpan = 1;
    int rowSpan = 1;
    std::size_t contentStart = 0;
    const std::size_t styleDepth = EnterTableElement(L"td", text, &contentStart, &colSpan, &rowSpan);
    TableLayout& layout = m_tables[tableIndex];
    TableCellMetrics& cell = layout.At(row, column);
    const int frame = AddClamped(m_style.cellPadding, m_style.borderWidth);
    HtmlRect content;
    if (m_measuring) {
        cell.colSpan = std::clamp(colSpan, 1, layout.columns - column);
        cell.rowSpan = std::clamp(rowSpan, 1, layout.rows - row);
        cell.contentWidth = std::max(0, m_style.cellWidth);
        cell.contentHeight = 0;
        cell.fixed = m_style.cellWidth > 0;
        content = {0, 0, std::max(0, m_style.cellWidth), 0};
    } else {
        if (m_style.backgroundEffect >= 0) {
            m_draw.FillEffect(*m_dc, rect, m_style.backgroundEffect, m_style.backgroundColour, m_style.backgroundMiddle,
                              m_style.backgroundEnd, 5, false);
        }
        if (m_style.borderStyle != kBorderNone) {
            CTipDrawManager::DrawFrame(*m_dc, rect, m_style.borderDark, m_style.borderLight, m_style.borderStyle, 1);
        }
        content = {AddClamped(rect.left, frame), AddClamped(rect.top, frame), AddClamped(rect.right, -frame),
                   AddClamped(rect.bottom, -frame)};
        if (m_style.verticalAlign == kVAlignMiddle) {
            content.top = AddClamped(content.top, (static_cast<long long>(content.bottom) - cell.contentHeight - content.top) / 2);
        } else if (m_style.verticalAlign == kVAlignBottom) {
            content.top = AddClamped(content.bottom, -static_cast<long long>(cell.contentHeight));
        }
    }
    const HtmlSize blocks = LayoutBlocks(text.substr(contentStart), content, depth);
    if (m_measuring) {
        cell.contentWidth = std::max(cell.contentWidth, blocks.cx);
        cell.contentHeight = blocks.cy;
        cell.outerWidth = AddClamped(std::max(cell.contentWidth, m_style.cellWidth), 2LL * frame);
        cell.outerHeight = AddClamped(std::max(cell.contentHeight, m_style.cellHeight), 2LL * frame);
    }
    PopStyleTo(styleDepth);
}

std::size_t CHtmlDrawer::EnterTableElement(const std::wstring& name, const std::wstring& text,
                                           std::size_t* contentStart, int* colSpan, int* rowSpan) {
    const std::size_t depth = PushStyle(name);
    ApplyStyleSheetEntry(m_style, name);
    if (name == L"td") {
        // A cell asks for a size only through its own attributes.
        m_style.cellWidth = 0;
        m_style.cellHeight = 0;
    }
    int columns = 1;
    int rows = 1;
    ParseTableAttributes(OpeningTagAttributes(text, name.size() + 1, contentStart), m_style, name == L"table",
                         columns, rows);
    if (colSpan != nullptr) {
        *colSpan = columns;
    }
    if (rowSpan != nullptr) {
        *rowSpan = rows;
    }
    SelectStyle();
    return depth;
}

void CHtmlDrawer::ParseTableAttributes(const std::wstring& attributes, HtmlStyle& style, bool table, int& colSpan,
                                       int& rowSpan) {
    colSpan = 1;
    rowSpan = 1;
    for (const auto& [name, value] : ParseAttributes(attributes)) {
        if (table && name == L"cellpadding") {
            style.cellPadding = ParseLength(style.cellPadding, value);
        } else if (table && name == L"cellspacing") {
            style.cellSpacing = ParseLength(style.cellSpacing, value);
        } else if (table && name == L"background") {
            if (!value.empty()) {
                style.backgroundImage = value;
            }
        } else if (name == L"rowspan") {
            rowSpan = ParseLength(1, value);
        } else if (name == L"colspan") {
            colSpan = ParseLength(1, value);
        } else if (name == L"border") {
            style.borderWidth = ParseLength(style.borderWidth, value);
            if (style.borderWidth == 0) {
                style.borderStyle = kBorderNone;
            } else if (style.borderStyle == kBorderNone) {
                style.borderStyle = kBorderSolid;
            }
        } else if (name == L"borderstyle") {
            ApplyBorderStyleKeyword(style, value);
        } else if (name == L"bordercolor") {
            style.borderLight = style.borderDark = ParseColour(value, style.borderLight);
        } else if (name == L"bordercolorlight") {
            style.borderLight = ParseColour(value, style.borderLight);
        } else if (name == L"bordercolordark") {
            style.borderDark = ParseColour(value, style.borderDark);
        } else if (name == L"bgcolor") {
            style.backgroundColour = ParseColour(value, style.backgroundColour);
            if (style.backgroundEffect == kFillNone) {
                style.backgroundEffect = kFillSolid;
            }
        } else if (name == L"bgmidcolor") {
            style.backgroundMiddle = ParseColour(value, style.backgroundMiddle);
        } else if (name == L"bgendcolor") {
            style.backgroundEnd = ParseColour(value, style.backgroundEnd);
        } else if (name == L"bgeffect") {
            ApplyEffectKeyword(style, value);
        } else if (name == L"align") {
            ApplyAlignKeyword(style, value);
        } else if (name == L"valign") {
            ApplyVerticalAlignKeyword(style, value);
        } else if (name == L"width") {
            style.cellWidth = ParseLength(style.cellWidth, value);
        } else if (name == L"height") {
            style.cellHeight = ParseLength(style.cellHeight, value);
        }
    }
    if (style.borderStyle == kBorderNone || style.borderWidth == 0) {
        style.borderStyle = kBorderNone;
        style.borderWidth = 0;
    } else if (style.borderStyle != kBorderSolid || !table) {
        style.borderWidth = 1;
    }
    // Spans stay within sane bounds whatever the markup says; the grid clamps them further.
    colSpan = std::clamp(colSpan, 1, kMaxSpan);
    rowSpan = std::clamp(rowSpan, 1, kMaxSpan);
}

void CHtmlDrawer::ApplyEffectKeyword(HtmlStyle& style, const std::wstring& value) {
    static const std::pair<const wchar_t*, int> kEffects[] = {
        {L"transparent", kFillNone}, {L"solid", kFillSolid},        {L"hgradient", kFillHGradient},
        {L"vgradient", kFillVGradient}, {L"hcgradient", kFillHCGradient}, {L"vcgradient", kFillVCGradient},
        {L"3hgradient", kFill3HGradient}, {L"3vgradient", kFill3VGradient}, {L"noise", kFillNoise},
        {L"diagshade", kFillDiagShade}, {L"hshade", kFillHShade},   {L"vshade", kFillVShade},
        {L"hbump", kFillHBump},         {L"vbump", kFillVBump},     {L"softbump", kFillSoftBump},
        {L"hardbump", kFillHardBump},   {L"metal", kFillMetal},
    };
    if (value.empty()) {
        return;
    }
    for (const auto& [keyword, effect] : kEffects) {
        if (value == keyword) {
            style.backgroundEffect = effect;
            return;
        }
    }
    style.backgroundEffect = ParseLength(style.backgroundEffect, value);
}

void CHtmlDrawer::DrawTableBackgroundImage(const HtmlRect& rect, const std::wstring& background) {
    const std::size_t colon = background.find(L':');
    if (background.size() <= 5 || colon == kTableNoPosition) {
        return;
    }
    const std::wstring kind = background.substr(0, colon);
    const std::wstring value = background.substr(colon + 1);
    gfx::Bitmap tile;
    if (kind == L"idres") {
        tile = LoadPictureSource(ParseLength(0, value), {});
    } else if (kind == L"file") {
        tile = LoadPictureSource(0, value);
    }
    if (tile.IsEmpty()) {
        return;
    }
    // The tiles of the visible part only, as one picture.
    const gfx::Rect clip = m_dc->ClipBox();
    const int left = std::max(rect.left, static_cast<int>(std::floor(std::max(clip.left, -1e9))));
    const int top = std::max(rect.top, static_cast<int>(std::floor(std::max(clip.top, -1e9))));
    const int right = std::min(rect.right, static_cast<int>(std::ceil(std::min(clip.right, 1e9))));
    const int bottom = std::min(rect.bottom, static_cast<int>(std::ceil(std::min(clip.bottom, 1e9))));
    gfx::Bitmap tiled(right - left, bottom - top);
    if (tiled.IsEmpty()) {
        return;
    }
    {
        CBitmapPixels in(tile);
        CBitmapPixels out(tiled);
        for (int y = top; y < bottom; ++y) {
            const std::uint32_t* from = in.Row((y - rect.top) % in.Height());
            std::uint32_t* to = out.Row(y - top);
            for (int x = left; x < right; ++x) {
                to[x - left] = from[(x - rect.left) % in.Width()];
            }
        }
    }
    m_dc->DrawBitmap(tiled, left, top);
}
