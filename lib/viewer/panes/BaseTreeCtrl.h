#pragma once
// CBaseTreeCtrl: an owner-drawn tree of rows. Rows hang from one invisible root;
// groups (rows with children) expand and collapse. The user selects rows, drags a
// row's bottom edge to change its height (150 .. 1200 pixels), drags rows to
// reorder them and scrolls. What happens around those changes is decided by the
// virtual hooks, which a specialisation fills.
//
// Rows are laid out in logical coordinates from y = 0; the vertical scroll
// position moves them up. A row is shown when it is not hidden and every ancestor
// is expanded and not hidden.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "lib/viewer/data/TreeItem.h"
#include "lib/viewer/panes/Pane.h"

namespace tracelume {

inline constexpr int kRowMinHeight = 150;
inline constexpr int kRowMaxHeight = 1200;

class CBaseTreeCtrl : public CPane {
public:
    // Hit test areas.
    static constexpr int kAreaBox = 1;
    static constexpr int kAreaRow = 4;
    static constexpr int kAreaBottomEdge = 8;
    // Mouse states.
    enum MouseState { kIdle = 0, kResizing = 1, kPressed = 2, kDragging = 3 };

    CBaseTreeCtrl();
    ~CBaseTreeCtrl() override;

    // Appends the row as the last child of the parent (the top level for null) and
    // rebuilds the row index; the row. Null for a null row.
    CTreeItem* AddChild(CTreeItem* parent, std::unique_ptr<CTreeItem> row);
    // Deletes every row with its children.
    void DeleteAllItems();
    // Numbers all rows in display order (children after their parent, shown or not).
    void RebuildRowIndex();
    const std::vector<CTreeItem*>& Rows() const { return m_rows; }
    const std::vector<std::unique_ptr<CTreeItem>>& TopLevel() const { return m_root.GetChildren(); }
    // Whether the row is one of this tree's rows.
    bool Contains(const CTreeItem* row) const;

    // The row at a logical point, the area hit and the row's full-width rectangle.
    CTreeItem* HitTest(gfx::Point point, int* area = nullptr, gfx::Rect* rect = nullptr);
    // Heights of the rows shown, plus 20.
    int GetTotalHeight() const;
    // Whether the row and all its ancestors let it be seen.
    static bool IsShown(const CTreeItem* row);
    // The rows shown, from the top, with their logical top.
    void ForEachShownRow(const std::function<void(CTreeItem& row, int top)>& visit) const;

    void UpdateScrollBar();
    int GetScrollPosition() const { return m_scrollPosition; }
    // Sets the vertical position (kept within the scroll range) and repaints; the new position.
    int SetScrollPosition(int position);
    int GetScrollMax() const;

    bool CanIncreaseHeight() const;
    bool CanDecreaseHeight() const;
    CTreeItem* GetFirstSelected() const;
    void ClearSelection();
    void Expand(CTreeItem* row, bool expand);
    // Unlinks the row (unless CanDelete refuses), destroying it when asked, and gives
    // it to the caller otherwise; 1, or 0 for a null row.
    int RemoveItem(CTreeItem* row, bool destroy, std::unique_ptr<CTreeItem>* unlinked = nullptr);
    void InsertAfter(CTreeItem* target, std::unique_ptr<CTreeItem> row);
    void InsertBefore(CTreeItem* target, std::unique_ptr<CTreeItem> row);
    CTreeItem* GetNextSibling(const CTreeItem* row) const;
    CTreeItem* GetPrevSibling(const CTreeItem* row) const;
    bool IsTopLevel(const CTreeItem* row) const;
    CTreeItem* GetFocusRow() const { return m_focusRow; }
    int GetMouseState() const { return m_state; }
    int GetDropLine() const { return m_dropLine; }

    // Hooks, in the order the tree calls them.
    virtual void OnSelectionChanged(CTreeItem* /*previous*/, CTreeItem* /*current*/) {}
    virtual bool CanExpand(CTreeItem* /*row*/) { return true; }
    virtual void OnExpanded(CTreeItem* /*row*/) {}
    virtual bool CanCollapse(CTreeItem* /*row*/) { return true; }
    virtual void OnCollapsed(CTreeItem* /*row*/) {}
    virtual bool CanDelete(CTreeItem* /*row*/) { return true; }
    virtual void OnDeleted(CTreeItem* /*row*/) {}
    virtual bool CanResize(CTreeItem* /*row*/) { return true; }
    virtual bool CanSetHeight(CTreeItem* /*row*/, int /*height*/) { return true; }
    virtual void OnResized(CTreeItem* /*row*/) {}
    virtual bool BeginDrag(CTreeItem* row, int x, int y);
    virtual bool CanDrop(CTreeItem* /*row*/, int /*x*/, int /*y*/) { return true; }
    virtual void Drop(CTreeItem* row, int x, int y);
    virtual void OnScrolled(int /*dx*/, int /*dy*/) {}
    virtual void IncreaseRowHeights();
    virtual void DecreaseRowHeights();
    virtual void FitRowsToWindow();
    virtual void DrawRow(gfx::Context& dc, CTreeItem& row, int& y, int lineTop, int x, int width);

    void OnPaint(gfx::Context& dc) override;
    void OnSize(int width, int height) override;
    void OnMouse(const MouseEvent& event) override;
    void OnTimer(unsigned id) override;
    void OnScroll(bool vertical, int code, int position) override;
    void OnKillFocus() override;

protected:
    static constexpr int kBoxSize = 10;
    static constexpr unsigned kAutoScrollTimer = 0;
    static constexpr int kLineStep = 25;

    // Moves the rows by the step, repaints and tells OnScrolled; false at the end.
    bool ScrollBy(int dy);
    void SetAllHeights(int delta);

private:
    void Index(CTreeItem& row);
    CTreeItem* HitRows(const std::vector<std::unique_ptr<CTreeItem>>& rows, int xOffset, gfx::Point point, int& top,
                       int* area, gfx::Rect* rect);
    void PlaceDropLine(int x, int y);

    CTreeItem m_root;
    std::vector<CTreeItem*> m_rows;
    int m_scrollPosition = 0;
    CTreeItem* m_focusRow = nullptr;
    int m_resizeHeight = 0;
    gfx::Point m_press;
    gfx::Point m_last;
    int m_dropLine = -1;
    int m_state = kIdle;
    bool m_focused = false;
};

}  // namespace tracelume
