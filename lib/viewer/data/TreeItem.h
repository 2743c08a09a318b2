#pragma once
// CTreeItem: a node of the viewer's channel tree, the base of every row. A node owns
// its children. The tree keeps one invisible root node whose children are the
// top-level rows, so every row in the tree has a parent and exactly one owner: the
// node it hangs from. The layout fields belong to the channel tree, which walks the
// nodes; the rows set some of them through their interface.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CTreeItem {
public:
    static constexpr std::uint32_t kExpanded = 1;  // flag bit: children are shown
    static constexpr std::uint32_t kSelected = 2;  // flag bit: the row is selected
    // flag bit: the user took the row out of the tree's display; it stays in the
    // tree (the host still holds it), but neither it nor its children are shown
    static constexpr std::uint32_t kHidden = 4;

    CTreeItem() = default;
    virtual ~CTreeItem() = default;
    CTreeItem(const CTreeItem&) = delete;
    CTreeItem& operator=(const CTreeItem&) = delete;

    // Null for a root and for a node not (or no longer) in a tree.
    CTreeItem* GetParent() const { return m_parent; }
    const std::vector<std::unique_ptr<CTreeItem>>& GetChildren() const { return m_children; }
    // Appends the node as the last child and returns it.
    CTreeItem* AddChild(std::unique_ptr<CTreeItem> child);
    // Unlinks a direct child and hands it to the caller; null when it is not one.
    std::unique_ptr<CTreeItem> RemoveChild(const CTreeItem* child);

    std::wstring m_text;
    int m_height = 150;
    int m_indent = 10;
    int m_margin = 20;  // the tree's second layout value
    std::uint32_t m_flags = 0;
    int m_image = -1;
    int m_rowNumber = -1;  // position in the tree's flat display-order index

private:
    CTreeItem* m_parent = nullptr;
    std::vector<std::unique_ptr<CTreeItem>> m_children;
};
