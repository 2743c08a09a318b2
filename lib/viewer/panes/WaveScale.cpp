#include "lib/viewer/panes/WaveScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tracelume {

namespace {

constexpr double kSteps[] = {1, 2, 5};
constexpr int kSearchStart = 20;
constexpr double kMostPixelsPerSample = 30;

bool UsableRate(double rate) { return std::isfinite(rate) && rate > 0; }

}  // namespace

double ZoomScale(int level) {
    const int decade = level / 3;  // truncated toward zero
    if (level > 0) {
        return 1000.0 * std::pow(10.0, decade) * kSteps[level % 3];
    }
    return 1000.0 / std::pow(10.0, -decade) / kSteps[(-level) % 3];
}

int MinZoomLevel(std::int64_t rangeSamples, int width, double rate) {
    if (!UsableRate(rate)) {
        return kLowestZoomLevel;
    }
    const double range = static_cast<double>(std::max<std::int64_t>(rangeSamples, 0));
    for (int level = kSearchStart; level > kLowestZoomLevel; --level) {
        const double scale = ZoomScale(level);
        if (scale * range / rate <= width && scale <= 2 * rate) {
            return level;
        }
    }
    return kLowestZoomLevel;
}

int MaxZoomLevel(int minLevel, double rate) {
    if (!UsableRate(rate)) {
        return minLevel;
    }
    int level = minLevel;
    while (level < kHighestZoomLevel && ZoomScale(level) / rate <= kMostPixelsPerSample) {
        ++level;
    }
    return level;
}

std::int64_t ToPixels(double value) {
    // The largest double below 2^63, so that the conversion is defined.
    constexpr double kLimit = 9.2233720368547748e18;
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::int64_t>(std::clamp(value, -kLimit, kLimit));
}

ScrollRange HorizontalScrollRange(double scale, double rate, std::int64_t min, std::int64_t max, int width) {
    if (!UsableRate(rate)) {
        return {};
    }
    ScrollRange range;
    range.start = ToPixels(scale * static_cast<double>(min) / rate);
    range.end = ToPixels(scale * static_cast<double>(max) / rate + std::max(width, 0) / 10);
    range.end = std::max(range.end, range.start);
    return range;
}

std::int64_t ClampScrollPosition(std::int64_t position, const ScrollRange& range, int page) {
    const std::int64_t last = range.end > std::numeric_limits<std::int64_t>::min() + page ? range.end - page
                                                                                           : range.end;
    position = std::min(position, last);
    position = std::max(position, range.start);
    // Down to the multiple of 10 at or below, for negative positions too.
    std::int64_t remainder = position % kScrollStep;
    if (remainder < 0) {
        remainder += kScrollStep;
    }
    return position - remainder;
}

int ScrollBarSpan(const ScrollRange& range) {
    const double span = static_cast<double>(range.end) - static_cast<double>(range.start);
    return static_cast<int>(std::clamp(span, 0.0, static_cast<double>(std::numeric_limits<int>::max())));
}

int ThumbOf(std::int64_t position, const ScrollRange& range) {
    const double span = static_cast<double>(range.end) - static_cast<double>(range.start);
    if (span <= 0) {
        return 0;
    }
    const double thumb = (static_cast<double>(position) - static_cast<double>(range.start)) * ScrollBarSpan(range) / span;
    return static_cast<int>(std::clamp(thumb, 0.0, static_cast<double>(ScrollBarSpan(range))));
}

std::int64_t PositionOfThumb(int thumb, const ScrollRange& range) {
    const int span = ScrollBarSpan(range);
    if (span <= 0) {
        return range.start;
    }
    const double whole = static_cast<double>(range.end) - static_cast<double>(range.start);
    return ToPixels(static_cast<double>(range.start) + static_cast<double>(thumb) * whole / span);
}

}  // namespace tracelume
