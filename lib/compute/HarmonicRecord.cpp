// Harmonic analysis of one FFT block: single-bin harmonics with phases,
// subgroups, interharmonic groups, 200 Hz high-frequency bands, THD values,
// DC and percentages of the fundamental; phase referencing and K factor.
//
// The block spans exactly 200 ms, so bins are 5 Hz apart and order h lies at
// bin stride x h, the stride being the cycles per interval (10 at 50 Hz, 12
// at 60 Hz). Only bins below half the sample rate are used: the half-complex
// output holds each bin once there, while the bin at half the rate has no
// imaginary part and the slots above it are the same bins again. A value that
// would need such a bin is 0.
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <cmath>

namespace zv {
namespace {

constexpr double kSqrt2 = 1.4142135623730951;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kDegreesPerRadian = 57.29577951308232;

struct Spectrum {
    const float* out;
    int32_t n;
    bool Valid(int64_t k) const { return k >= 1 && 2 * k < n; }
    double Power(int64_t k) const
    {
        const double re = out[k];
        const double im = out[n - k];
        return re * re + im * im;
    }
    // Sum of |X_k|^2 over [first, last]; false when a bin lies outside the usable band.
    bool Sum(int64_t first, int64_t last, double& sum) const
    {
        if (!Valid(first) || !Valid(last))
            return false;
        sum = 0.0;
        for (int64_t k = first; k <= last; ++k)
            sum += Power(k);
        return true;
    }
    // The same over the bins of [first, last] that lie below half the rate; false
    // when none does.
    bool SumBelowHalf(int64_t first, int64_t last, double& sum) const
    {
        const int64_t highest = (n - 1) / 2;
        return Sum(first, std::min(last, highest), sum);
    }
};

float* NewArray(int32_t count)
{
    return new float[size_t(std::max(count, 0))]();
}

float Percent(double value, double base)
{
    return base != 0.0 ? static_cast<float>(100.0 * value / base) : 0.0f;
}

} // namespace

void HarmonicBuild(harmonic_record& record, int32_t harmonics, int32_t groups, int32_t interharmonics,
                   int32_t bands)
{
    record.harmonic_count = harmonics;
    record.harmonic = NewArray(harmonics);
    record.phase = NewArray(harmonics);
    record.harmonic_percent = NewArray(harmonics);
    record.group_count = groups;
    record.subgroup = NewArray(groups);
    record.subgroup_percent = NewArray(groups);
    record.interharmonic_count = interharmonics;
    record.interharmonic = NewArray(interharmonics);
    record.interharmonic_percent = NewArray(interharmonics);
    record.band_count = bands;
    record.band = NewArray(bands);
    record.band_percent = NewArray(bands);
}

void HarmonicClear(harmonic_record& record)
{
    record.thd = record.dc = record.dc_percent = record.subgroup_rms = 0.0f;
    record.interharmonic_thd = record.band_thd = 0.0f;
    const auto clear = [](float* values, int32_t count) { std::fill(values, values + std::max(count, 0), 0.0f); };
    clear(record.harmonic, record.harmonic_count);
    clear(record.phase, record.harmonic_count);
    clear(record.harmonic_percent, record.harmonic_count);
    clear(record.subgroup, record.group_count);
    clear(record.subgroup_percent, record.group_count);
    clear(record.interharmonic, record.interharmonic_count);
    clear(record.interharmonic_percent, record.interharmonic_count);
    clear(record.band, record.band_count);
    clear(record.band_percent, record.band_count);
}

void HarmonicFree(harmonic_record& record)
{
    for (float** array : {&record.harmonic, &record.phase, &record.harmonic_percent, &record.subgroup,
                          &record.subgroup_percent, &record.interharmonic, &record.interharmonic_percent,
                          &record.band, &record.band_percent}) {
        delete[] *array;
        *array = nullptr;
    }
}

void HarmonicAnalyse(const fft_record& fft, harmonic_record& record, int32_t stride)
{
    const Spectrum x{fft.output, fft.length};
    const double c = fft.scale;
    const int32_t half = fft.length / 2;
    auto rmsOf = [&](double sumSquares) { return c * std::sqrt(sumSquares) / half / kSqrt2; };

    record.dc = static_cast<float>(std::fabs(double(fft.output[0])) * c / fft.length);

    const int32_t orders = std::max(record.harmonic_count, record.group_count);
    for (int32_t h = 1; h <= orders; ++h) {
        const int64_t k = int64_t(stride) * h;
        if (h <= record.harmonic_count) {
            const bool valid = x.Valid(k);
            // Full-quadrant angle; +pi/2 refers it to a sine.
            record.phase[h - 1] =
                valid ? static_cast<float>(std::atan2(double(x.out[x.n - k]), double(x.out[k])) + kHalfPi)
                      : 0.0f;
            record.harmonic[h - 1] = valid ? static_cast<float>(rmsOf(x.Power(k))) : 0.0f;
        }
        if (h <= record.group_count) {
            double sum = 0.0;
            record.subgroup[h - 1] = x.Sum(k - 1, k + 1, sum) ? static_cast<float>(rmsOf(sum)) : 0.0f;
        }
    }
    for (int32_t i = 0; i < record.interharmonic_count; ++i) {
        double sum = 0.0;
        const int64_t first = int64_t(stride) * i + 2;
        const int64_t last = int64_t(stride) * (i + 1) - 2;
        record.interharmonic[i] = x.Sum(first, last, sum) ? static_cast<float>(rmsOf(sum)) : 0.0f;
    }
    for (int32_t i = 0; i < record.band_count; ++i) {
        double sum = 0.0;
        // The band that reaches half the rate keeps the bins below it.
        record.band[i] = x.SumBelowHalf(401 + 40 * int64_t(i), 440 + 40 * int64_t(i), sum)
                             ? static_cast<float>(rmsOf(sum))
                             : 0.0f;
    }

    auto sumSquares = [](const float* values, int32_t first, int32_t last) {
        double sum = 0.0;
        for (int32_t k = first; k <= last; ++k)
            sum += double(values[k]) * values[k];
        return sum;
    };
    record.subgroup_rms = static_cast<float>(std::sqrt(sumSquares(record.subgroup, 1, record.group_count - 1)));

    const double g1 = record.group_count > 0 ? record.subgroup[0] : 0.0;
    if (g1 > 0.0) {
        const int32_t thdLast = std::min(record.group_count, 40) - 1;
        record.thd = static_cast<float>(100.0 * std::sqrt(sumSquares(record.subgroup, 1, thdLast)) / g1);
        record.interharmonic_thd = static_cast<float>(
            100.0 * std::sqrt(sumSquares(record.interharmonic, 1, record.interharmonic_count - 1)) / g1);
        record.band_thd =
            static_cast<float>(100.0 * std::sqrt(sumSquares(record.band, 1, record.band_count - 1)) / g1);
        record.dc_percent = static_cast<float>(100.0 * record.dc / g1);
    } else {
        record.thd = record.interharmonic_thd = record.band_thd = record.dc_percent = 0.0f;
    }

    for (int32_t k = 0; k < record.group_count; ++k)
        record.subgroup_percent[k] = Percent(record.subgroup[k], g1);
    for (int32_t k = 0; k < record.interharmonic_count; ++k)
        record.interharmonic_percent[k] = Percent(record.interharmonic[k], g1);
    for (int32_t k = 0; k < record.band_count; ++k)
        record.band_percent[k] = Percent(record.band[k], g1);
    const double h1 = record.harmonic_count > 0 ? record.harmonic[0] : 0.0;
    for (int32_t k = 0; k < record.harmonic_count; ++k)
        record.harmonic_percent[k] = Percent(record.harmonic[k], h1);
}

void HarmonicReferencePhases(harmonic_record& record, float referencePhase)
{
    for (int32_t h = 1; h <= record.harmonic_count; ++h) {
        const double degrees = (double(record.phase[h - 1]) - h * double(referencePhase)) * kDegreesPerRadian;
        double value = std::trunc(1000.0 * (degrees + 0.0005)) / 1000.0;
        value = std::fmod(value, 360.0);
        if (value < 0.0)
            value += 360.0;
        if (value >= 360.0)
            value -= 360.0;
        record.phase[h - 1] = static_cast<float>(value);
    }
}

float KFactor(const harmonic_record& record)
{
    const int32_t orders = std::min(record.harmonic_count, 50);
    double weighted = 0.0;
    double total = 0.0;
    for (int32_t h = 1; h <= orders; ++h) {
        const double square = double(record.harmonic[h - 1]) * record.harmonic[h - 1];
        weighted += double(h) * h * square;
        total += square;
    }
    return std::fabs(total) <= 0.00001 ? 0.0f : static_cast<float>(weighted / total);
}

} // namespace zv
