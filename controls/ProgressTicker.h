#pragma once
// How the progress dialog's bar follows the ticks of its task. The bar's range is
// 1 to the task's total, at most 65535; a total that large or larger steps the bar
// once every total / 65535 ticks, a smaller one on every tick. The position starts
// at 0 and stops at the top of the range.

#include <cstdint>

namespace controls {

class ProgressTicker {
public:
    static constexpr std::uint64_t kMaxRange = 65535;

    explicit ProgressTicker(std::uint64_t total = 0);

    int RangeLow() const { return 1; }
    int RangeHigh() const { return m_rangeHigh; }
    int Position() const { return m_position; }
    // Counts one tick; true when the bar stepped.
    bool Tick();

private:
    std::uint64_t m_ticksPerStep;
    std::uint64_t m_counter = 0;
    int m_rangeHigh;
    int m_position = 0;
};

}  // namespace controls
