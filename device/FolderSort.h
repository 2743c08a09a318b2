#pragma once
// The order of the device dialog's folder list: by name (case-sensitive) or by
// size, ascending or descending. The last column and direction are shared by
// every device dialog of the process, as the user left them; in statistic mode
// the "SCREEN" row stays first whatever the order.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace device {

inline constexpr int kFolderColumnName = 0;
inline constexpr int kFolderColumnSize = 1;

struct FolderSortState {
    int column = -1;  // none yet
    bool ascending = true;

    // A click on a column header: the same column again turns the direction,
    // another column starts ascending.
    void Click(int clicked);
    // Sets the column ascending, as after a new listing.
    void Reset(int newColumn);
};

// The process-wide state.
FolderSortState& SharedFolderSort();

struct FolderRowKey {
    std::wstring name;
    std::uint64_t bytes = 0;
};

// The row indices in display order.
std::vector<std::size_t> SortedFolderOrder(const std::vector<FolderRowKey>& rows, const FolderSortState& state,
                                           bool keepFirstRow);

}  // namespace device
