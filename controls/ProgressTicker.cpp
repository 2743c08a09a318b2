#include "controls/ProgressTicker.h"

#include <algorithm>

namespace controls {

ProgressTicker::ProgressTicker(std::uint64_t total)
    : m_ticksPerStep(total / kMaxRange), m_rangeHigh(static_cast<int>(std::min(total, kMaxRange))) {}

bool ProgressTicker::Tick() {
    // The counter is as wide as the total, so that a total of more than 65535 times
    // 65535 ticks still moves the bar instead of wrapping the count.
    ++m_counter;
    if (m_counter < m_ticksPerStep) {
        return false;
    }
    m_counter = 0;
    m_position = std::min(m_position + 1, std::max(m_rangeHigh, RangeLow()));
    return true;
}

}  // namespace controls
