// RMS window accumulators: RMS, extremes, crest and form factor per window.
// Windows need not line up with the blocks; an incomplete window is carried
// into the next block as a sample count and an exact partial sum of squares.
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <cmath>

namespace zv {
namespace {

// The sums and extremes of one window, in a loop the compiler turns into vector
// code: squares and magnitudes are taken unsigned (|x| of any 32-bit sample fits),
// which gives the same bits as signed arithmetic.
struct WindowSums {
    uint64_t squares = 0;
    uint64_t absolutes = 0;
    int32_t hi = 0;
    int32_t lo = 0;
};

WindowSums SumWindow(const int32_t* samples, int64_t count)
{
    uint64_t squares = 0;
    uint64_t absolutes = 0;
    int32_t hi = samples[0];
    int32_t lo = samples[0];
    for (int64_t k = 0; k < count; ++k) {
        const int32_t x = samples[k];
        const uint32_t sign = static_cast<uint32_t>(x >> 31);
        const uint32_t magnitude = (static_cast<uint32_t>(x) ^ sign) - sign;
        squares += uint64_t(magnitude) * magnitude;
        absolutes += magnitude;
        hi = std::max(hi, x);
        lo = std::min(lo, x);
    }
    return {squares, absolutes, hi, lo};
}

} // namespace

void RmsRun(rms_record& record, const int32_t* samples, int32_t count)
{
    record.block_sum_squares = 0;
    record.window_count = 0;
    const int64_t n = record.window;
    if (n <= 0 || count <= 0)
        return;
    const int64_t carried = record.carried_count;
    int64_t windows = (count + carried) / n;
    if (windows == 0) {
        // Not even one window: everything is carried.
        uint64_t s = 0;
        for (int32_t k = 0; k < count; ++k)
            s += static_cast<uint64_t>(int64_t(samples[k]) * samples[k]);
        record.carried_sum_squares += s;
        record.carried_count += count;
        record.block_sum_squares = s;
        return;
    }
    windows = std::min<int64_t>(windows, ZV_MAX_WINDOWS);
    const double scale = record.scale;
    int64_t pos = 0;
    uint64_t partial = record.carried_sum_squares;
    for (int64_t w = 0; w < windows; ++w) {
        const int64_t take = (w == 0) ? n - carried : n;
        const WindowSums sums = SumWindow(samples + pos, take);
        const uint64_t s = sums.squares;
        const uint64_t absSum = sums.absolutes;
        const int32_t hi = sums.hi;
        const int32_t lo = sums.lo;
        const float rms = static_cast<float>(std::sqrt(double(s + partial) / double(n)) * scale);
        partial = 0;
        record.rms[w] = rms;
        record.largest[w] = static_cast<float>(hi * scale);
        record.smallest[w] = static_cast<float>(lo * scale);
        const double peak = std::max<double>(hi, -double(lo));
        record.crest_factor[w] = rms != 0.0f ? static_cast<float>(scale * peak / rms) : 0.0f;
        const double meanAbs = scale * double(absSum) / double(take);
        record.form_factor[w] = meanAbs != 0.0 ? static_cast<float>(rms / meanAbs) : 0.0f;
        record.block_sum_squares += s;
        pos += take;
    }
    record.window_count = static_cast<int32_t>(windows);
    // The rest of the block starts the next window.
    uint64_t rest = 0;
    for (int64_t k = pos; k < count; ++k)
        rest += static_cast<uint64_t>(int64_t(samples[k]) * samples[k]);
    record.carried_sum_squares = rest;
    record.carried_count = static_cast<int32_t>(count - pos);
    record.block_sum_squares += rest;
}

void RmsRunLike(rms_record& record, const rms_record& done, int32_t carriedBefore, uint64_t carriedSumBefore,
                const int32_t* samples, int32_t count)
{
    if (record.window == done.window && record.scale == done.scale && record.carried_count == carriedBefore &&
        record.carried_sum_squares == carriedSumBefore)
        record = done;
    else
        RmsRun(record, samples, count);
}

void RmsClearCarry(rms_record& record)
{
    record.carried_count = 0;
    record.carried_sum_squares = 0;
}

int32_t RmsMaxWindows(int32_t window, int32_t count)
{
    if (window <= 0)
        return 0;
    return static_cast<int32_t>((int64_t(count) + window - 1) / window);
}

} // namespace zv
