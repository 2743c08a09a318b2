#pragma once
// CWaveSeriesDescriptor: names one result series of an analysed waveform record, a
// data set of the record-analysis pool and the statistic to read from it. It is a
// small value passed around by copy: the result stores keep one per series, the
// report adaptor reads values through it. The data set belongs to the pool; a
// descriptor is only valid while the pool that made its data set lives.

#include <cstdint>

#include "lib/recordpool/Sampolyx.h"

class CWaveSeriesDescriptor {
public:
    // The data set's aggregate per step: 0 and 2 the extremes, 1 mean or RMS, 3 the
    // value at the step's start.
    static constexpr int kReadMaximum = 0;
    static constexpr int kReadAverage = 1;
    static constexpr int kReadMinimum = 2;
    static constexpr int kReadValue = 3;

    // An empty descriptor that reads nothing.
    CWaveSeriesDescriptor() = default;
    // Reads the values of the data set (may be null).
    explicit CWaveSeriesDescriptor(IDataSetManager* dataSet);
    // Without a data set; with `required` clear it still counts as usable.
    CWaveSeriesDescriptor(bool required, std::int32_t a, std::int32_t b, std::int32_t c);

    // True with a data set, or without one when none is required.
    bool IsUsable() const;
    bool ReadAt(std::int64_t position, float* value) const;
    std::int64_t GetCount() const;
    // Restricts the data set to [*first, *last) in its values; positions outside are
    // replaced by the data set's bounds and written back. False without a data set.
    bool ClampRange(std::int64_t* first, std::int64_t* last) const;

    IDataSetManager* dataSet = nullptr;
    std::int32_t readType = kReadValue;
    bool required = true;
    // Carried unchanged through every copy.
    std::int32_t carried[3] = {0, 0, 0};
    std::int32_t built = 0;  // 1 for a descriptor made by a builder
    std::int32_t extra = 0;
};
