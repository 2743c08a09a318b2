#include "lib/viewer/panes/TracelumeTreeCtrl.h"

#include <algorithm>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/data/ValueText.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"

namespace tracelume {

namespace {

struct FormatCommand {
    unsigned id;
    int base;
};
// Each format command shows its own base.
constexpr FormatCommand kFormats[] = {
    {kCmdHex, kBaseHex}, {kCmdBinary, kBaseBinary}, {kCmdOctal, kBaseOctal},
    {kCmdDecimal, kBaseDecimal}, {kCmdAscii, kBaseAscii},
};

}  // namespace

int CTracelumeTreeCtrl::BaseOfCommand(unsigned id) {
    for (const FormatCommand& format : kFormats) {
        if (format.id == id) {
            return format.base;
        }
    }
    return -1;
}

void CTracelumeTreeCtrl::RefreshWave() {
    m_view.Wave().UpdateScrollBars();
    m_view.Wave().Invalidate();
}

void CTracelumeTreeCtrl::OnExpanded(CTreeItem*) { RefreshWave(); }

void CTracelumeTreeCtrl::OnCollapsed(CTreeItem*) { RefreshWave(); }

void CTracelumeTreeCtrl::OnResized(CTreeItem* row) {
    for (const auto& child : row->GetChildren()) {
        child->m_height = std::clamp(row->m_height, kRowMinHeight, kRowMaxHeight);
    }
    UpdateScrollBar();
    RefreshWave();
}

bool CTracelumeTreeCtrl::CanDrop(CTreeItem* row, int x, int y) {
    CTreeItem* target = HitTest({static_cast<double>(x), static_cast<double>(y)});
    return IsTopLevel(row) && IsTopLevel(target);
}

void CTracelumeTreeCtrl::Drop(CTreeItem* row, int x, int y) {
    if (!CanDrop(row, x, y)) {
        return;
    }
    CBaseTreeCtrl::Drop(row, x, y);
    RefreshWave();
}

void CTracelumeTreeCtrl::OnScrolled(int, int dy) {
    // The tree moved already; the waveform follows to the same position.
    m_view.Wave().SetScrollPosition(true, GetScrollPosition(), true);
    (void)dy;
}

void CTracelumeTreeCtrl::KeepCentre(int before) {
    if (TopLevel().empty() || before <= 0) {
        return;
    }
    const int after = TopLevel().front()->m_height;
    const int half = Height() / 2;
    const std::int64_t position =
        static_cast<std::int64_t>(after) * (GetScrollPosition() + half) / before - half;
    UpdateScrollBar();
    m_view.Wave().SetScrollPosition(true, position, true);
    RefreshWave();
    Invalidate();
}

void CTracelumeTreeCtrl::IncreaseRowHeights() {
    const int before = TopLevel().empty() ? 0 : TopLevel().front()->m_height;
    CBaseTreeCtrl::IncreaseRowHeights();
    KeepCentre(before);
}

void CTracelumeTreeCtrl::DecreaseRowHeights() {
    const int before = TopLevel().empty() ? 0 : TopLevel().front()->m_height;
    CBaseTreeCtrl::DecreaseRowHeights();
    KeepCentre(before);
}

void CTracelumeTreeCtrl::FitRowsToWindow() {
    CBaseTreeCtrl::FitRowsToWindow();
    Invalidate();
    UpdateScrollBar();
    RefreshWave();
}

void CTracelumeTreeCtrl::DrawRow(gfx::Context& dc, CTreeItem& row, int& y, int lineTop, int x, int width) {
    const int top = y;
    CBaseTreeCtrl::DrawRow(dc, row, y, lineTop, x, width);
    if ((row.m_flags & CTreeItem::kHidden) != 0) {
        return;
    }
    if (auto* item = dynamic_cast<CRowItem*>(&row)) {
        item->DrawImpLabels(dc, 0, top, width, top + row.m_height);
    }
}

bool CTracelumeTreeCtrl::OnCommand(unsigned id) {
    CTreeItem* row = GetFirstSelected();
    if (id == kCmdRowProperties) {
        // The host shows the waveform window's properties.
        return m_view.Wave().OnCommand(kCmdWindowProperties);
    }
    if (row == nullptr) {
        return id == kCmdDeleteRow || id == kCmdExpandRow || BaseOfCommand(id) >= 0;
    }
    if (id == kCmdDeleteRow) {
        // The host still holds the row: it leaves the display, not the tree, so
        // that the host's pointer stays good and RemoveRow still finds it.
        if (CanDelete(row)) {
            row->m_flags |= CTreeItem::kHidden;
            row->m_flags &= ~CTreeItem::kSelected;
        }
        UpdateScrollBar();
        Invalidate();
        RefreshWave();
        return true;
    }
    if (id == kCmdExpandRow) {
        if (!row->GetChildren().empty()) {
            Expand(row, (row->m_flags & CTreeItem::kExpanded) == 0);
        } else if (row->GetParent() != nullptr && !IsTopLevel(row) && CanCollapse(row->GetParent())) {
            Expand(row->GetParent(), false);
        }
        UpdateScrollBar();
        Invalidate();
        RefreshWave();
        return true;
    }
    const int base = BaseOfCommand(id);
    if (base >= 0) {
        if (auto* item = dynamic_cast<CRowItem*>(row)) {
            item->SetBase(base);
            RefreshWave();
            Invalidate();
        }
        return true;
    }
    return false;
}

void CTracelumeTreeCtrl::OnContextMenu(int x, int y) {
    if (Surface() == nullptr) {
        return;
    }
    (void)x;
    CTreeItem* row = HitTest({static_cast<double>(x), static_cast<double>(y + GetScrollPosition())});
    auto* item = dynamic_cast<CRowItem*>(row);
    const bool collapse = row != nullptr && !row->GetChildren().empty() && (row->m_flags & CTreeItem::kExpanded) != 0;
    MenuItem formats{0, Texts().GetString(kTextDisplayMode)};
    for (const FormatCommand& format : kFormats) {
        formats.children.push_back(
            {format.id, MenuText(format.id), item != nullptr, item != nullptr && item->GetBase() == format.base});
    }
    const std::vector<MenuItem> menu = {
        {kCmdDeleteRow, MenuText(kCmdDeleteRow), row != nullptr},
        {kCmdExpandRow, MenuText(collapse ? kTextCollapse : kCmdExpandRow), row != nullptr},
        formats,
        {kCmdRowProperties, MenuText(kCmdRowProperties), m_view.Callback() != nullptr},
    };
    if (const unsigned chosen = Surface()->TrackMenu(menu, x, y)) {
        OnCommand(chosen);
    }
}

}  // namespace tracelume
