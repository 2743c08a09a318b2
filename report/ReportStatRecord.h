#pragma once
// CReportStatRecord: one statistic series a report asks the statistic reader for,
// and the values the reader put into it. The report data steps build lists of them
// and hand the whole list to the reader in one call; the list that built a record
// owns it.

#include <cstdint>

#include "terminal/ItemRequest.h"

struct CReportStatRecord : ItemRequest {
    // The five words of a statistic request: channel (0 to 2 the phases, 3 the
    // item's fourth channel, 4 none), statistic (0 maximum, 1 minimum, 2 average,
    // 4 the item's own value), harmonic order minus 1, value kind (0 plain value,
    // 1 effective value, 2 content ratio), item code.
    CReportStatRecord(std::uint32_t channel, std::uint32_t statistic, std::int32_t orderIndex, std::uint32_t valueKind,
                      std::uint32_t itemCode)
    {
        phase = channel;
        blockType = statistic;
        order = orderIndex;
        subValue = valueKind;
        viewId = itemCode;
    }
};
