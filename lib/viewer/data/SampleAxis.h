#pragma once
// The mapping between sample positions and pixel columns across a row's band: the
// samples first .. last are spread over the pixels left .. right.

#include <cstdint>

namespace tracelume {

struct SampleAxis {
    double left = 0;
    double right = 0;
    double first = 0;
    double last = 0;

    // False for an empty band or an empty (or reversed) range of samples: nothing
    // can be placed then.
    bool IsUsable() const;
    // The pixel column of a sample, rounded and kept within the 16-bit range that
    // drawing takes.
    int PixelX(double sample) const;
    // The sample at a pixel, as a fraction.
    double SampleAt(double x) const;
    // The whole sample shown at a pixel (a hair added before truncation, so that a
    // pixel that maps onto a sample exactly shows that sample).
    std::int64_t WholeSampleAt(double x) const;
    // The first pixel whose whole sample is at least the given one.
    double PixelOf(std::int64_t sample) const;
    // The first sample whose column lies right of column x.
    std::int64_t FirstSampleRightOf(int x) const;
};

}  // namespace tracelume
