#pragma once
// CTracelumeTreeCtrl: the viewer's channel tree. Every change of rows (expanding,
// resizing, reordering, scrolling) is passed on to the waveform control beside it,
// and each row's scale labels are drawn over its entry. Its commands remove a row
// from the display, expand or collapse it, choose the number base of a row's
// values and ask the host for the properties.

#include "lib/viewer/panes/BaseTreeCtrl.h"

namespace tracelume {

class CTracelumeView;

// Commands of the tree's menu.
inline constexpr unsigned kCmdHex = 32779;
inline constexpr unsigned kCmdBinary = 32781;
inline constexpr unsigned kCmdOctal = 32782;
inline constexpr unsigned kCmdDecimal = 32783;
inline constexpr unsigned kCmdAscii = 32784;
inline constexpr unsigned kCmdDeleteRow = 32789;
inline constexpr unsigned kCmdExpandRow = 32790;
inline constexpr unsigned kCmdRowProperties = 32810;

class CTracelumeTreeCtrl final : public CBaseTreeCtrl {
public:
    explicit CTracelumeTreeCtrl(CTracelumeView& view) : m_view(view) {}

    // The number base a format command stands for (RowBase), -1 for other ids.
    static int BaseOfCommand(unsigned id);

    void OnExpanded(CTreeItem* row) override;
    void OnCollapsed(CTreeItem* row) override;
    void OnResized(CTreeItem* row) override;
    bool CanDrop(CTreeItem* row, int x, int y) override;
    void Drop(CTreeItem* row, int x, int y) override;
    void OnScrolled(int dx, int dy) override;
    void IncreaseRowHeights() override;
    void DecreaseRowHeights() override;
    void FitRowsToWindow() override;
    void DrawRow(gfx::Context& dc, CTreeItem& row, int& y, int lineTop, int x, int width) override;

    bool OnCommand(unsigned id) override;
    void OnContextMenu(int x, int y) override;

private:
    void RefreshWave();
    void KeepCentre(int before);

    CTracelumeView& m_view;
};

}  // namespace tracelume
