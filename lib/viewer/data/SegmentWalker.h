#pragma once
// Walks a row's band pixel by pixel as runs of constant value: the bus and
// single-bit kinds draw one shape per run. Each pixel shows the sample under it,
// so changes between two pixels' samples are not seen at a coarse zoom; every run
// is at least one pixel wide.

#include <cstdint>

#include "lib/viewer/data/SampleAxis.h"

class IBufferredDataManager;

namespace tracelume {

struct Segment {
    double left = 0;   // first pixel
    double right = 0;  // pixel after the run
    std::int64_t value = 0;  // the masked sample value
};

class CSegmentWalker {
public:
    CSegmentWalker(IBufferredDataManager& cache, const SampleAxis& axis, std::uint64_t mask);
    // The next run; false when the band or the data ends.
    bool Next(Segment& segment);

private:
    IBufferredDataManager& m_cache;
    SampleAxis m_axis;
    std::uint64_t m_mask;
    double m_x;
};

}  // namespace tracelume
