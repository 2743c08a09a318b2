#include "lib/viewer/data/SampleAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tracelume {

namespace {

constexpr double kHair = 1e-9;
constexpr double kMostPixel = 32767;

std::int64_t ToSample(double sample) {
    constexpr double kLimit = 9.0e18;
    return static_cast<std::int64_t>(std::clamp(sample, -kLimit, kLimit));
}

}  // namespace

bool SampleAxis::IsUsable() const {
    return std::isfinite(left) && std::isfinite(right) && std::isfinite(first) && std::isfinite(last) &&
           right > left && last > first;
}

int SampleAxis::PixelX(double sample) const {
    const double x = left + (right - left) * (sample - first) / (last - first);
    return static_cast<int>(std::lround(std::clamp(x, -kMostPixel, kMostPixel)));
}

double SampleAxis::SampleAt(double x) const { return first + (x - left) * (last - first) / (right - left); }

std::int64_t SampleAxis::WholeSampleAt(double x) const { return ToSample(std::floor(SampleAt(x) + kHair)); }

double SampleAxis::PixelOf(std::int64_t sample) const {
    const double x = left + (static_cast<double>(sample) - kHair - first) * (right - left) / (last - first);
    return std::ceil(std::clamp(x, -kMostPixel, kMostPixel));
}

std::int64_t SampleAxis::FirstSampleRightOf(int x) const {
    // Column x + 1 begins where the exact position passes x + 0.5.
    return ToSample(std::ceil(SampleAt(x + 0.5)));
}

}  // namespace tracelume
