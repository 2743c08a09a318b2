#include "report/HarmTrendItem.h"

CHarmTrendItem::CHarmTrendItem(std::string itemKey) : CReportItem(std::move(itemKey))
{
    // Odd orders 3 to 13, even 2 to 12, odd 15 to 25, even 14 to 24: six per chart.
    for (const std::int32_t first : {3, 2, 15, 14}) {
        OrderGroup group;
        for (std::int32_t k = 0; k < 6; ++k) {
            group.insert(first + 2 * k);
        }
        groups.push_back(std::move(group));
    }
}

std::vector<std::int32_t> GetGroupOrders(const OrderGroup& group)
{
    return {group.begin(), group.end()};
}
