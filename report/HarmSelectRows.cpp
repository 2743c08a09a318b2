#include "report/HarmSelectRows.h"

#include <algorithm>
#include <vector>

int MaxHarmRows(unsigned highestOrder)
{
    return static_cast<int>((highestOrder + kHarmListsPerRow - 1) / kHarmListsPerRow);
}

std::int32_t DefaultHarmOrder(int rowIndex, int listIndex)
{
    const std::int32_t base = 2 * (listIndex + kHarmListsPerRow * (rowIndex / 2));
    return rowIndex % 2 == 0 ? base + 3 : base + 2;
}

int HarmOrderIndex(std::int32_t order, unsigned highestOrder)
{
    const std::int64_t limited = std::min<std::int64_t>(order, highestOrder);
    return limited < 2 ? 0 : static_cast<int>(limited - 1);
}

HarmRowIndexes HarmRowChoice(int rowIndex, const OrderGroup* group, unsigned highestOrder)
{
    HarmRowIndexes indexes{};
    const std::vector<std::int32_t> orders = group != nullptr ? GetGroupOrders(*group) : std::vector<std::int32_t>();
    for (int k = 0; k < kHarmListsPerRow; ++k) {
        const std::size_t position = static_cast<std::size_t>(k);
        const std::int32_t order = !orders.empty() ? (position < orders.size() ? orders[position] : 0)
                                                   : DefaultHarmOrder(rowIndex, k);
        indexes[position] = HarmOrderIndex(order, highestOrder);
    }
    return indexes;
}

OrderGroup HarmGroupOfRow(const HarmRowIndexes& indexes)
{
    OrderGroup group;
    for (const int index : indexes) {
        if (index > 0) {
            group.insert(index + 1);
        }
    }
    return group;
}
