#pragma once
// The arithmetic of a selected region of samples [start, end] (both included):
// its width, whether it is too narrow, and how a new selection is fitted to what
// is on screen and to the view range.

#include <cstdint>

namespace tracelume {

struct Region {
    std::int64_t start = 0;
    std::int64_t end = 0;

    // |end - start| + 1 samples.
    std::int64_t Width() const;
    bool TooNarrow(std::int64_t minWidth) const { return Width() < minWidth; }
    Region Ordered() const;
    friend bool operator==(const Region&, const Region&) = default;
};

// A new selection: both edges kept within the samples on screen (firstVisible ..
// lastVisible, the latter no further than lastInView), then a too-narrow region is
// widened to exactly the minimum width, at its end while the view range leaves
// room, else by ending it at the view's last sample when it then still starts in
// the view; otherwise it stays as it is.
Region FitNewRegion(Region region, std::int64_t firstVisible, std::int64_t lastVisible, std::int64_t firstInView,
                    std::int64_t lastInView, std::int64_t minWidth);

}  // namespace tracelume
