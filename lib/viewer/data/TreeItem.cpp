#include "lib/viewer/data/TreeItem.h"

#include <algorithm>

CTreeItem* CTreeItem::AddChild(std::unique_ptr<CTreeItem> child) {
    if (child == nullptr) {
        return nullptr;
    }
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

std::unique_ptr<CTreeItem> CTreeItem::RemoveChild(const CTreeItem* child) {
    const auto found = std::find_if(m_children.begin(), m_children.end(),
                                    [child](const std::unique_ptr<CTreeItem>& item) { return item.get() == child; });
    if (found == m_children.end()) {
        return nullptr;
    }
    std::unique_ptr<CTreeItem> removed = std::move(*found);
    m_children.erase(found);
    removed->m_parent = nullptr;
    return removed;
}
