#include "lib/viewer/panes/RegionSelection.h"

#include <algorithm>
#include <limits>

namespace tracelume {

std::int64_t Region::Width() const {
    const Region ordered = Ordered();
    std::int64_t width = 0;
    if (__builtin_sub_overflow(ordered.end, ordered.start, &width) || width == std::numeric_limits<std::int64_t>::max()) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return width + 1;
}

Region Region::Ordered() const { return start <= end ? *this : Region{end, start}; }

Region FitNewRegion(Region region, std::int64_t firstVisible, std::int64_t lastVisible, std::int64_t firstInView,
                    std::int64_t lastInView, std::int64_t minWidth) {
    const std::int64_t last = std::max(firstVisible, std::min(lastVisible, lastInView));
    region = region.Ordered();
    region.start = std::clamp(region.start, firstVisible, last);
    region.end = std::clamp(region.end, firstVisible, last);
    if (!region.TooNarrow(minWidth) || minWidth <= 0) {
        return region;
    }
    if (lastInView - region.start >= minWidth - 1) {
        region.end = region.start + minWidth - 1;
    } else if (lastInView - (minWidth - 1) >= firstInView) {
        region.end = lastInView;
        region.start = lastInView - (minWidth - 1);
    }
    return region;
}

}  // namespace tracelume
