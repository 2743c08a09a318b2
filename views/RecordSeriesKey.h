#pragma once
// CRecordSeriesKey: one series of a statistic record frame, as the frame asks its
// model for it: phase index (0 L1, 1 L2, 2 L3, 3 N or all phases, 4 no phase),
// statistic kind index (0 maximum, 1 minimum, 2 average, 3 CP95, 4 the one RMS or
// energy series), two words the model takes unchanged, and the item code.

#include <cstdint>

struct CRecordSeriesKey {
    std::uint32_t phase = 0;
    std::uint32_t kind = 0;
    std::uint32_t word1 = 0;
    std::uint32_t word2 = 1;
    std::uint32_t item = 0;

    friend bool operator==(const CRecordSeriesKey&, const CRecordSeriesKey&) = default;
};
