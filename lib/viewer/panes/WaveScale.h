#pragma once
// The waveform's time axis: the zoom levels of the 1-2-5 series (pixels per
// second), the levels a view range allows, and the horizontal scroll range in
// pixels. Pixel x of sample s is s x scale / rate minus the scroll position.
// Positions are 64-bit; products that would not fit are held at the ends of the
// range rather than wrapping.

#include <cstdint>

namespace tracelume {

// The zoom level search gives up beyond these.
inline constexpr int kLowestZoomLevel = -101;
inline constexpr int kHighestZoomLevel = 101;
// Horizontal scroll positions are multiples of this (the grid stays aligned).
inline constexpr std::int64_t kScrollStep = 10;

// Pixels per second at a level: 1000 x 10^(level/3) x 1, 2 or 5 (level 0 1000,
// 1 2000, 2 5000, -1 500, -2 200, -3 100).
double ZoomScale(int level);

// The highest level, from 20 down, at which the view range fits the width and
// the scale is at most twice the rate; kLowestZoomLevel when none does.
int MinZoomLevel(std::int64_t rangeSamples, int width, double rate);
// From the minimum level up, the first level that shows more than 30 pixels per
// sample; kHighestZoomLevel when even level 100 does not.
int MaxZoomLevel(int minLevel, double rate);

// The mapping of the waveform's time axis at one moment: the zoom scale (pixels
// per second), the sample rate and the horizontal scroll position (pixels).
struct TimeAxis {
    double scale = 1000.0;
    double rate = 100000000.0;
    std::int64_t position = 0;

    double PixelOfSample(double sample) const { return sample * scale / rate - static_cast<double>(position); }
    double SampleAtPixel(double x) const { return (x + static_cast<double>(position)) * rate / scale; }
    double TimeAtPixel(double x) const { return (x + static_cast<double>(position)) / scale; }
    double PixelOfTime(double seconds) const { return scale * seconds - static_cast<double>(position); }
};

// A pixel position from a real number, held within the 64-bit range.
std::int64_t ToPixels(double value);

// The horizontal scroll range of a view range (samples min .. max) in pixels: its
// start, and its end with a tenth of the width to spare.
struct ScrollRange {
    std::int64_t start = 0;
    std::int64_t end = 0;
};
ScrollRange HorizontalScrollRange(double scale, double rate, std::int64_t min, std::int64_t max, int width);
// A position kept within start .. end - page, rounded down to a multiple of 10.
std::int64_t ClampScrollPosition(std::int64_t position, const ScrollRange& range, int page);
// The span of the scroll bar: end - start, at most the largest 32-bit value.
int ScrollBarSpan(const ScrollRange& range);
// The thumb of a position and the position of a thumb, linear between the ends.
int ThumbOf(std::int64_t position, const ScrollRange& range);
std::int64_t PositionOfThumb(int thumb, const ScrollRange& range);

}  // namespace tracelume
