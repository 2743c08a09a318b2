#include "lib/viewer/panes/BaseTreeCtrl.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "lib/viewer/panes/MemDC.h"

namespace tracelume {

namespace {

constexpr gfx::Color kBackground = gfx::Color::FromArgb(0xFFC0C9CE);
constexpr gfx::Color kChildBackground = gfx::Color::FromArgb(0xFFDEE2E4);
constexpr gfx::Color kSelectedFocused = gfx::Color::FromArgb(0x966AB0E1);
constexpr gfx::Color kSelected = gfx::Color::FromArgb(0x649ECAE7);
constexpr gfx::Color kLineLight = gfx::Color::FromArgb(0xFFAAAAAA);
constexpr gfx::Color kLineDark = gfx::Color::FromArgb(0xFF8C8C8C);
constexpr gfx::Color kDropLine = gfx::Color::FromArgb(0xC8FF0000);
constexpr int kEdgeBand = 2;
constexpr int kDragThreshold = 5;
constexpr int kHeightStep = 80;
constexpr int kFitReserve = 52;

const gfx::Pen kTreeLinePen{gfx::Color::FromArgb(0xFF808080), 1.0, gfx::PenStyle::Dot};
const gfx::Pen kBlackPen{gfx::Color{0, 0, 0}, 1.0};

gfx::Font TreeFont() {
    gfx::Font font;
    font.face = L"Arial";
    font.height = 12;
    return font;
}

int ClampHeight(int height) { return std::clamp(height, kRowMinHeight, kRowMaxHeight); }

const std::vector<std::unique_ptr<CTreeItem>>& Siblings(const CTreeItem* row) {
    return row->GetParent()->GetChildren();
}

}  // namespace

CBaseTreeCtrl::CBaseTreeCtrl() = default;

CBaseTreeCtrl::~CBaseTreeCtrl() = default;

CTreeItem* CBaseTreeCtrl::AddChild(CTreeItem* parent, std::unique_ptr<CTreeItem> row) {
    if (!row) {
        return nullptr;
    }
    CTreeItem* added = (parent != nullptr ? parent : &m_root)->AddChild(std::move(row));
    RebuildRowIndex();
    return added;
}

void CBaseTreeCtrl::DeleteAllItems() {
    m_focusRow = nullptr;
    m_state = kIdle;
    while (!m_root.GetChildren().empty()) {
        // Children go with their parent (the node owns them).
        m_root.RemoveChild(m_root.GetChildren().back().get());
    }
    RebuildRowIndex();
}

void CBaseTreeCtrl::Index(CTreeItem& row) {
    row.m_rowNumber = static_cast<int>(m_rows.size());
    m_rows.push_back(&row);
    for (const auto& child : row.GetChildren()) {
        Index(*child);
    }
}

void CBaseTreeCtrl::RebuildRowIndex() {
    m_rows.clear();
    for (const auto& row : m_root.GetChildren()) {
        Index(*row);
    }
}

bool CBaseTreeCtrl::Contains(const CTreeItem* row) const {
    return row != nullptr && std::find(m_rows.begin(), m_rows.end(), row) != m_rows.end();
}

bool CBaseTreeCtrl::IsShown(const CTreeItem* row) {
    if (row == nullptr || (row->m_flags & CTreeItem::kHidden) != 0) {
        return false;
    }
    for (const CTreeItem* parent = row->GetParent(); parent != nullptr && parent->GetParent() != nullptr;
         parent = parent->GetParent()) {
        if ((parent->m_flags & CTreeItem::kExpanded) == 0 || (parent->m_flags & CTreeItem::kHidden) != 0) {
            return false;
        }
    }
    return true;
}

void CBaseTreeCtrl::ForEachShownRow(const std::function<void(CTreeItem& row, int top)>& visit) const {
    int top = 0;
    for (CTreeItem* row : m_rows) {
        if (IsShown(row)) {
            visit(*row, top);
            top += row->m_height;
        }
    }
}

int CBaseTreeCtrl::GetTotalHeight() const {
    int total = 0;
    ForEachShownRow([&](CTreeItem& row, int) { total += row.m_height; });
    return total + 20;
}

CTreeItem* CBaseTreeCtrl::HitRows(const std::vector<std::unique_ptr<CTreeItem>>& rows, int xOffset,
                                  gfx::Point point, int& top, int* area, gfx::Rect* rect) {
    for (const auto& owned : rows) {
        CTreeItem* row = owned.get();
        if ((row->m_flags & CTreeItem::kHidden) != 0) {
            continue;
        }
        const int bottom = top + row->m_height;
        const gfx::Rect full{0, static_cast<double>(top), static_cast<double>(Width()), static_cast<double>(bottom)};
        int hitArea = 0;
        if (point.y >= bottom - kEdgeBand && point.y <= bottom + kEdgeBand && point.x >= 0 && point.x <= Width()) {
            hitArea = kAreaBottomEdge;
        } else if (point.y >= top && point.y < bottom && point.x >= 0 && point.x <= Width()) {
            const double boxX = xOffset + kBoxSize + row->m_indent;
            const double boxY = top + row->m_height / 2;
            const bool inBox = std::fabs(point.x - boxX) <= kBoxSize / 2 && std::fabs(point.y - boxY) <= kBoxSize / 2;
            hitArea = inBox ? kAreaBox : kAreaRow;
        }
        top = bottom;
        if (hitArea != 0) {
            if (area != nullptr) {
                *area = hitArea;
            }
            if (rect != nullptr) {
                *rect = full;
            }
            return row;
        }
        if ((row->m_flags & CTreeItem::kExpanded) != 0) {
            if (CTreeItem* child =
                    HitRows(row->GetChildren(), xOffset + kBoxSize + row->m_indent + 8, point, top, area, rect)) {
                return child;
            }
        }
    }
    return nullptr;
}

CTreeItem* CBaseTreeCtrl::HitTest(gfx::Point point, int* area, gfx::Rect* rect) {
    int top = 0;
    return HitRows(m_root.GetChildren(), 0, point, top, area, rect);
}

int CBaseTreeCtrl::GetScrollMax() const { return std::max(GetTotalHeight() - Height(), 0); }

void CBaseTreeCtrl::UpdateScrollBar() {
    // The tree's own bar stays hidden: the waveform's vertical bar drives it. Only
    // the position is kept within the range.
    m_scrollPosition = std::clamp(m_scrollPosition, 0, GetScrollMax());
}

int CBaseTreeCtrl::SetScrollPosition(int position) {
    m_scrollPosition = std::clamp(position, 0, GetScrollMax());
    Invalidate();
    return m_scrollPosition;
}

bool CBaseTreeCtrl::ScrollBy(int dy) {
    const int old = m_scrollPosition;
    SetScrollPosition(old + dy);
    if (m_scrollPosition == old) {
        return false;
    }
    OnScrolled(0, m_scrollPosition - old);
    return true;
}

bool CBaseTreeCtrl::CanIncreaseHeight() const {
    return std::any_of(TopLevel().begin(), TopLevel().end(),
                       [](const auto& row) { return row->m_height < kRowMaxHeight; });
}

bool CBaseTreeCtrl::CanDecreaseHeight() const {
    return std::any_of(TopLevel().begin(), TopLevel().end(),
                       [](const auto& row) { return row->m_height > kRowMinHeight; });
}

CTreeItem* CBaseTreeCtrl::GetFirstSelected() const {
    for (CTreeItem* row : m_rows) {
        if ((row->m_flags & CTreeItem::kSelected) != 0) {
            return row;
        }
    }
    return nullptr;
}

void CBaseTreeCtrl::ClearSelection() {
    for (CTreeItem* row : m_rows) {
        row->m_flags &= ~CTreeItem::kSelected;
    }
}

void CBaseTreeCtrl::Expand(CTreeItem* row, bool expand) {
    if (row == nullptr) {
        return;
    }
    if (expand && CanExpand(row)) {
        row->m_flags |= CTreeItem::kExpanded;
        OnExpanded(row);
    } else if (!expand && CanCollapse(row)) {
        row->m_flags &= ~CTreeItem::kExpanded;
        OnCollapsed(row);
    }
    UpdateScrollBar();
}

int CBaseTreeCtrl::RemoveItem(CTreeItem* row, bool destroy, std::unique_ptr<CTreeItem>* unlinked) {
    if (row == nullptr) {
        return 0;
    }
    if (!CanDelete(row) || !Contains(row)) {
        return 1;
    }
    if (m_focusRow != nullptr && (m_focusRow == row || !Contains(m_focusRow))) {
        m_focusRow = nullptr;
    }
    std::unique_ptr<CTreeItem> taken = row->GetParent()->RemoveChild(row);
    if (m_focusRow != nullptr) {
        // The focus row may hang below the row taken out.
        for (const CTreeItem* up = m_focusRow; up != nullptr; up = up->GetParent()) {
            if (up == row) {
                m_focusRow = nullptr;
                break;
            }
        }
    }
    RebuildRowIndex();
    if (destroy) {
        taken.reset();
        OnDeleted(nullptr);
    } else {
        OnDeleted(row);
        if (unlinked != nullptr) {
            *unlinked = std::move(taken);
        }
    }
    UpdateScrollBar();
    return 1;
}

void CBaseTreeCtrl::InsertBefore(CTreeItem* target, std::unique_ptr<CTreeItem> row) {
    if (!row) {
        return;
    }
    CTreeItem* parent = target != nullptr && Contains(target) ? target->GetParent() : &m_root;
    CTreeItem* added = parent->AddChild(std::move(row));
    // Appended; moved in front of the target by taking the target and the rows
    // after it out and back in behind the new one.
    if (target != nullptr && target->GetParent() == parent) {
        std::vector<std::unique_ptr<CTreeItem>> tail;
        bool seen = false;
        std::vector<CTreeItem*> order;
        for (const auto& child : parent->GetChildren()) {
            if (child.get() == target) {
                seen = true;
            }
            if (seen && child.get() != added) {
                order.push_back(child.get());
            }
        }
        for (CTreeItem* moved : order) {
            tail.push_back(parent->RemoveChild(moved));
        }
        for (auto& moved : tail) {
            parent->AddChild(std::move(moved));
        }
    }
    RebuildRowIndex();
}

void CBaseTreeCtrl::InsertAfter(CTreeItem* target, std::unique_ptr<CTreeItem> row) {
    CTreeItem* next = target != nullptr && Contains(target) ? GetNextSibling(target) : nullptr;
    if (next != nullptr) {
        InsertBefore(next, std::move(row));
        return;
    }
    if (!row) {
        return;
    }
    (target != nullptr && Contains(target) ? target->GetParent() : &m_root)->AddChild(std::move(row));
    RebuildRowIndex();
}

CTreeItem* CBaseTreeCtrl::GetNextSibling(const CTreeItem* row) const {
    if (row == nullptr || row->GetParent() == nullptr) {
        return nullptr;
    }
    const auto& siblings = Siblings(row);
    for (std::size_t i = 0; i + 1 < siblings.size(); ++i) {
        if (siblings[i].get() == row) {
            return siblings[i + 1].get();
        }
    }
    return nullptr;
}

CTreeItem* CBaseTreeCtrl::GetPrevSibling(const CTreeItem* row) const {
    if (row == nullptr || row->GetParent() == nullptr) {
        return nullptr;
    }
    const auto& siblings = Siblings(row);
    for (std::size_t i = 1; i < siblings.size(); ++i) {
        if (siblings[i].get() == row) {
            return siblings[i - 1].get();
        }
    }
    return nullptr;
}

bool CBaseTreeCtrl::IsTopLevel(const CTreeItem* row) const { return row != nullptr && row->GetParent() == &m_root; }

void CBaseTreeCtrl::SetAllHeights(int delta) {
    for (const auto& row : TopLevel()) {
        row->m_height = ClampHeight(row->m_height + delta);
    }
}

void CBaseTreeCtrl::IncreaseRowHeights() { SetAllHeights(kHeightStep); }

void CBaseTreeCtrl::DecreaseRowHeights() { SetAllHeights(-kHeightStep); }

void CBaseTreeCtrl::FitRowsToWindow() {
    std::vector<CTreeItem*> shown;
    ForEachShownRow([&](CTreeItem& row, int) { shown.push_back(&row); });
    if (shown.empty()) {
        return;
    }
    const int height = ClampHeight((Height() - kFitReserve) / static_cast<int>(shown.size()));
    for (CTreeItem* row : shown) {
        row->m_height = height;
    }
}

bool CBaseTreeCtrl::BeginDrag(CTreeItem*, int, int) { return true; }

void CBaseTreeCtrl::Drop(CTreeItem* row, int x, int y) {
    gfx::Rect rect;
    CTreeItem* target = HitTest({static_cast<double>(x), static_cast<double>(y)}, nullptr, &rect);
    if (target == nullptr || target == row || row == nullptr) {
        return;
    }
    // A row never goes below itself.
    for (const CTreeItem* up = target; up != nullptr; up = up->GetParent()) {
        if (up == row) {
            return;
        }
    }
    std::unique_ptr<CTreeItem> moved;
    RemoveItem(row, false, &moved);
    if (!moved) {
        return;
    }
    if (y < (rect.top + rect.bottom) / 2) {
        InsertBefore(target, std::move(moved));
    } else {
        InsertAfter(target, std::move(moved));
    }
    Invalidate();
    UpdateScrollBar();
}

void CBaseTreeCtrl::DrawRow(gfx::Context& dc, CTreeItem& row, int& y, int lineTop, int x, int width) {
    if ((row.m_flags & CTreeItem::kHidden) != 0) {
        return;
    }
    const int height = row.m_height;
    const int lineX = x + kBoxSize + row.m_indent;
    const int mid = y + height / 2;
    const int textStart = lineX;
    const bool topLevel = IsTopLevel(&row);
    if (!topLevel) {
        dc.FillRect(gfx::Rect::FromSize(0, y, width, height), kChildBackground);
        dc.SetPen(kTreeLinePen);
        dc.DrawLine({static_cast<double>(lineX), static_cast<double>(mid)},
                    {static_cast<double>(lineX + 10), static_cast<double>(mid)});
    }
    CTreeItem* next = GetNextSibling(&row);
    while (next != nullptr && (next->m_flags & CTreeItem::kHidden) != 0) {
        next = GetNextSibling(next);
    }
    dc.SetPen(kTreeLinePen);
    dc.DrawLine({static_cast<double>(lineX), static_cast<double>(lineTop)},
                {static_cast<double>(lineX), static_cast<double>(next != nullptr ? y + height : mid)});
    const bool expanded = (row.m_flags & CTreeItem::kExpanded) != 0 && !row.GetChildren().empty();
    const int childX = textStart + 10;
    if (expanded) {
        const int childLine = childX + kBoxSize + row.m_indent;
        dc.SetPen(kTreeLinePen);
        dc.DrawLine({static_cast<double>(lineX), static_cast<double>(mid)},
                    {static_cast<double>(childLine), static_cast<double>(mid)});
        dc.DrawLine({static_cast<double>(childLine), static_cast<double>(mid)},
                    {static_cast<double>(childLine), static_cast<double>(y + height)});
        const gfx::Rect box = gfx::Rect::FromSize(lineX - kBoxSize / 2, mid - kBoxSize / 2, kBoxSize, kBoxSize);
        dc.SetBrush(gfx::Brush::Linear({box.left, box.top}, {box.left, box.bottom},
                                       gfx::Color::FromArgb(0xFFC8C8C8), gfx::Color::FromArgb(0xFFFAFAFA)));
        dc.SetPen(kBlackPen);
        dc.Rectangle(box);
        dc.DrawLine({static_cast<double>(lineX - 3), static_cast<double>(mid)},
                    {static_cast<double>(lineX + 4), static_cast<double>(mid)});
    }
    dc.SetTextColor(gfx::Color{0, 0, 0});
    gfx::Rect text{static_cast<double>(textStart + 10), static_cast<double>(y),
                   static_cast<double>(width - row.m_margin), static_cast<double>(y + height)};
    if (!text.IsEmpty()) {
        dc.DrawText(row.m_text, text, gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                                          gfx::TextFormat::EndEllipsis);
    }
    if ((row.m_flags & CTreeItem::kSelected) != 0) {
        dc.FillRect(gfx::Rect::FromSize(0, y, width, height), m_focused ? kSelectedFocused : kSelected);
    }
    const auto across = [&](int at, gfx::Color color) {
        dc.SetPen({color, 1.0});
        dc.DrawLine({0, static_cast<double>(at)}, {static_cast<double>(width), static_cast<double>(at)});
    };
    across(y, kLineLight);
    across(y + 1, kLineDark);
    across(y + height - 1, kLineLight);
    y += height;
    if ((row.m_flags & CTreeItem::kExpanded) != 0) {
        int childTop = y;
        for (const auto& child : row.GetChildren()) {
            const int before = y;
            DrawRow(dc, *child, y, childTop, childX, width);
            if (y != before) {
                childTop = y;
            }
        }
    }
}

void CBaseTreeCtrl::OnPaint(gfx::Context& target) {
    CXTMemDC memory(target, gfx::Rect::FromSize(0, 0, Width(), Height()));
    gfx::Context& dc = memory.Dc();
    dc.FillRect(gfx::Rect::FromSize(0, 0, Width(), Height()), kBackground);
    dc.Save();
    dc.Translate(0, -m_scrollPosition);
    dc.SetFont(TreeFont());
    int y = 0;
    int lineTop = 0;
    bool first = true;
    for (const auto& row : TopLevel()) {
        if ((row->m_flags & CTreeItem::kHidden) != 0) {
            continue;
        }
        if (first) {
            lineTop = row->m_height / 2;
            first = false;
        }
        const int top = y;
        DrawRow(dc, *row, y, lineTop, 0, Width());
        lineTop = top + row->m_height;
    }
    if (m_state == kDragging) {
        if (m_dropLine >= 0) {
            dc.SetPen({kDropLine, 3.0});
            dc.DrawLine({0, static_cast<double>(m_dropLine)}, {static_cast<double>(Width()), static_cast<double>(m_dropLine)});
        }
        if (m_focusRow != nullptr) {
            // The dragged row's name follows the pointer.
            const gfx::Size extent = dc.TextExtent(m_focusRow->m_text);
            const gfx::Rect image = gfx::Rect::FromSize(m_last.x, m_last.y - 20, extent.width, extent.height);
            dc.FillRect(image, kBackground);
            dc.TextOut(image.left, image.top, m_focusRow->m_text);
        }
    }
    dc.Restore();
}

void CBaseTreeCtrl::OnSize(int, int) { UpdateScrollBar(); }

void CBaseTreeCtrl::PlaceDropLine(int x, int y) {
    int line = -1;
    if (CanDrop(m_focusRow, x, y)) {
        gfx::Rect rect;
        if (HitTest({static_cast<double>(x), static_cast<double>(y)}, nullptr, &rect) != nullptr) {
            line = static_cast<int>(y < (rect.top + rect.bottom) / 2 ? rect.top : rect.bottom);
        }
        SetCursor(kCursorRowDrag);
    } else {
        SetCursor(kCursorNo);
    }
    if (line != m_dropLine) {
        m_dropLine = line;
        UpdateNow();
    }
}

void CBaseTreeCtrl::OnMouse(const MouseEvent& event) {
    const gfx::Point point{static_cast<double>(event.x), static_cast<double>(event.y + m_scrollPosition)};
    const int x = event.x;
    const int y = event.y + m_scrollPosition;
    switch (event.kind) {
        case MouseEvent::LeftDown: {
            if (Surface() != nullptr) {
                Surface()->SetFocus();
            }
            m_focused = true;
            m_press = point;
            m_last = point;
            int area = 0;
            CTreeItem* row = HitTest(point, &area);
            if (row == nullptr) {
                ClearSelection();
            } else if (m_state == kIdle) {
                if (area == kAreaRow) {
                    if (!event.Control()) {
                        ClearSelection();
                    }
                    row->m_flags ^= CTreeItem::kSelected;
                    if (row != m_focusRow) {
                        OnSelectionChanged(m_focusRow, row);
                    }
                    m_state = kPressed;
                } else if (area == kAreaBottomEdge && CanResize(row)) {
                    m_state = kResizing;
                    SetCapture(true);
                    SetCursor(kCursorRowResize);
                    m_resizeHeight = row->m_height;
                }
            }
            m_focusRow = row;
            Invalidate();
            break;
        }
        case MouseEvent::RightDown: {
            if (Surface() != nullptr) {
                Surface()->SetFocus();
            }
            m_focused = true;
            ClearSelection();
            CTreeItem* row = HitTest(point);
            if (row != nullptr) {
                row->m_flags |= CTreeItem::kSelected;
                if (row != m_focusRow) {
                    OnSelectionChanged(m_focusRow, row);
                }
            }
            m_focusRow = row;
            Invalidate();
            break;
        }
        case MouseEvent::Move: {
            if (m_state == kResizing && m_focusRow != nullptr) {
                const int height = m_resizeHeight + static_cast<int>(point.y - m_press.y);
                if (CanSetHeight(m_focusRow, height)) {
                    m_focusRow->m_height = ClampHeight(height);
                    Invalidate();
                }
            } else if (m_state == kPressed) {
                if (std::abs(x - static_cast<int>(m_press.x)) + std::abs(y - static_cast<int>(m_press.y)) >
                    kDragThreshold) {
                    m_state = kDragging;
                    if (BeginDrag(m_focusRow, x, y)) {
                        if (Surface() != nullptr) {
                            Surface()->SetTimer(kAutoScrollTimer, 100);
                        }
                        SetCapture(true);
                        SetCursor(kCursorRowDrag);
                    }
                }
            } else if (m_state == kDragging) {
                m_last = point;
                PlaceDropLine(x, y);
                Invalidate();
            } else {
                int area = 0;
                const bool edge = HitTest(point, &area) != nullptr && area == kAreaBottomEdge;
                SetCursor(edge ? kCursorRowResize : kCursorArrow);
            }
            m_last = point;
            break;
        }
        case MouseEvent::LeftUp: {
            if (Surface() != nullptr) {
                Surface()->KillTimer(kAutoScrollTimer);
            }
            SetCapture(false);
            if (m_state == kResizing && m_focusRow != nullptr) {
                OnResized(m_focusRow);
                Invalidate();
            } else if (m_state == kDragging && m_focusRow != nullptr) {
                m_dropLine = -1;
                Drop(m_focusRow, x, y);
                Invalidate();
            }
            m_state = kIdle;
            m_focusRow = nullptr;
            SetCursor(kCursorArrow);
            break;
        }
        case MouseEvent::Wheel: {
            ScrollBy(event.wheel <= 0 ? kLineStep : -kLineStep);
            break;
        }
        default:
            break;
    }
}

void CBaseTreeCtrl::OnTimer(unsigned id) {
    if (id != kAutoScrollTimer || m_state != kDragging) {
        return;
    }
    const double y = m_last.y - m_scrollPosition;
    if (y <= 19 && m_scrollPosition > 0) {
        ScrollBy(-kLineStep);
    } else if (y + 20 > Height() && m_scrollPosition < GetScrollMax()) {
        ScrollBy(kLineStep);
    }
}

void CBaseTreeCtrl::OnScroll(bool vertical, int code, int position) {
    if (!vertical) {
        return;
    }
    int target = m_scrollPosition;
    switch (code) {
        case kScrollLineUp: target -= kLineStep; break;
        case kScrollLineDown: target += kLineStep; break;
        case kScrollPageUp: target -= Height(); break;
        case kScrollPageDown: target += Height(); break;
        case kScrollTop: target = 0; break;
        case kScrollBottom: target = GetScrollMax(); break;
        case kScrollThumbPosition:
        case kScrollThumbTrack: target = position; break;
        default: return;
    }
    ScrollBy(target - m_scrollPosition);
}

void CBaseTreeCtrl::OnKillFocus() {
    m_focused = false;
    Invalidate();
}

}  // namespace tracelume
