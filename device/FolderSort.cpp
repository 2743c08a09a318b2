#include "device/FolderSort.h"

#include <algorithm>
#include <numeric>

namespace device {

void FolderSortState::Click(int clicked) {
    ascending = clicked == column ? !ascending : true;
    column = clicked;
}

void FolderSortState::Reset(int newColumn) {
    column = newColumn;
    ascending = true;
}

FolderSortState& SharedFolderSort() {
    static FolderSortState state;
    return state;
}

std::vector<std::size_t> SortedFolderOrder(const std::vector<FolderRowKey>& rows, const FolderSortState& state,
                                           bool keepFirstRow) {
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto first = order.begin() + (keepFirstRow && !order.empty() ? 1 : 0);
    std::stable_sort(first, order.end(), [&](std::size_t a, std::size_t b) {
        const FolderRowKey& left = state.ascending ? rows[a] : rows[b];
        const FolderRowKey& right = state.ascending ? rows[b] : rows[a];
        return state.column == kFolderColumnSize ? left.bytes < right.bytes : left.name < right.name;
    });
    return order;
}

}  // namespace device
