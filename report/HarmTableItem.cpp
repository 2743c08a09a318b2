#include "report/HarmTableItem.h"

#include <algorithm>

CHarmTableItem::CHarmTableItem(std::string itemKey) : CReportItem(std::move(itemKey))
{
    for (std::int32_t order = 0; order <= kHighestOrder; ++order) {
        orderCounts[order] = 1;
    }
}

std::string CHarmTableItem::FormatCountMap() const
{
    std::string text;
    if (orderCounts.empty()) {
        return text;
    }
    const std::int32_t last = std::min(orderCounts.rbegin()->first, kHighestOrder);
    for (std::int32_t order = 0; order <= last; ++order) {
        const auto found = orderCounts.find(order);
        const std::int32_t count = found != orderCounts.end() ? std::clamp(found->second, 0, 9) : 0;
        text += static_cast<char>('0' + count);
    }
    return text;
}

bool CHarmTableItem::ParseCountMap(std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(kHighestOrder) + 1 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        orderCounts[static_cast<std::int32_t>(i)] = text[i] - '0';
    }
    return true;
}
