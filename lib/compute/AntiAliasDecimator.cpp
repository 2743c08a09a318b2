#include "lib/compute/AntiAliasDecimator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zv {
namespace {

// The carrier of a 60 Hz supply with sidebands up to 35 Hz away lies below 100 Hz;
// from 200 Hz on (half the meter's 400 samples per second) everything is stopped,
// so nothing folds anywhere into the reduced band.
constexpr double kPassEdgeHz = 100.0;
constexpr double kStopEdgeHz = 200.0;
// A 1 % interharmonic left at this level moves Pst by less than 0.002.
constexpr double kStopAttenuationDb = 70.0;
// The last stage reduces by this much; the first brings the rate down to it.
constexpr int32_t kLastStep = 4;

// Modified Bessel function of the first kind, order 0 (the Kaiser window).
double BesselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 64; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
        if (term < sum * 1e-17)
            break;
    }
    return sum;
}

// Windowed-sinc low-pass (Kaiser window) for the rate and band edges, unit gain at DC.
std::vector<float> DesignTaps(double rate, double passHz, double stopHz)
{
    const double a = kStopAttenuationDb;
    const double beta = 0.1102 * (a - 8.7);
    const double transition = 2.0 * std::numbers::pi * (stopHz - passHz) / rate;
    int32_t length = static_cast<int32_t>(std::ceil((a - 7.95) / (2.285 * transition))) + 1;
    length |= 1; // odd: a whole-sample delay
    const int32_t middle = length / 2;
    const double cutoff = (passHz + stopHz) / 2.0 / rate; // cycles per sample
    std::vector<double> taps(static_cast<size_t>(length));
    double sum = 0.0;
    for (int32_t n = 0; n < length; ++n) {
        const double k = n - middle;
        const double sinc = k == 0 ? 2.0 * cutoff : std::sin(2.0 * std::numbers::pi * cutoff * k) / (std::numbers::pi * k);
        const double r = middle > 0 ? k / middle : 0.0;
        taps[size_t(n)] = sinc * BesselI0(beta * std::sqrt(std::max(0.0, 1.0 - r * r))) / BesselI0(beta);
        sum += taps[size_t(n)];
    }
    std::vector<float> result(taps.size());
    std::transform(taps.begin(), taps.end(), result.begin(), [sum](double t) { return static_cast<float>(t / sum); });
    return result;
}

// Dot product over eight running sums, which the compiler keeps in vector registers.
double Dot(const float* taps, const float* window, size_t length)
{
    float sums[8] = {};
    size_t k = 0;
    for (; k + 8 <= length; k += 8)
        for (size_t j = 0; j < 8; ++j)
            sums[j] += taps[k + j] * window[k + j];
    double total = 0.0;
    for (; k < length; ++k)
        total += double(taps[k]) * window[k];
    for (float s : sums)
        total += s;
    return total;
}

} // namespace

AntiAliasDecimator::Stage::Stage(double rate, double passHz, double stopHz, int32_t step, int32_t blockLength)
    : m_step(std::max(step, 1)), m_taps(DesignTaps(rate, passHz, stopHz))
{
    m_window.assign(m_taps.size() - 1 + size_t(std::max(blockLength, 0)), 0.0f);
}

template <typename Out> int32_t AntiAliasDecimator::Stage::Run(int32_t count, Out* out, int32_t outputs)
{
    const size_t history = m_taps.size() - 1;
    count = std::clamp(count, 0, Capacity());
    outputs = std::min(outputs, count > 0 ? (count - 1) / m_step + 1 : 0);
    // Output j stands at sample j x step of the block; the window ends there.
    for (int32_t j = 0; j < outputs; ++j)
        out[j] = static_cast<Out>(Dot(m_taps.data(), m_window.data() + size_t(j) * size_t(m_step), m_taps.size()));
    // The newest samples become the history of the next block.
    std::copy(m_window.begin() + count, m_window.begin() + count + std::ptrdiff_t(history), m_window.begin());
    return outputs;
}

AntiAliasDecimator::AntiAliasDecimator(int32_t sampleRate, int32_t step, int32_t blockLength)
{
    const double rate = std::max(sampleRate, 1);
    step = std::max(step, 1);
    blockLength = std::max(blockLength, 0);
    if (step % kLastStep == 0 && step > kLastStep) {
        const int32_t first = step / kLastStep;
        const double middleRate = rate / first;
        // What the first stage lets fold lands above the meter's band, where the
        // second stops it.
        m_stages.emplace_back(rate, kPassEdgeHz, middleRate - kPassEdgeHz, first, blockLength);
        m_stages.emplace_back(middleRate, kPassEdgeHz, kStopEdgeHz, kLastStep, blockLength / first + 1);
    } else {
        m_stages.emplace_back(rate, kPassEdgeHz, kStopEdgeHz, step, blockLength);
    }
}

void AntiAliasDecimator::Run(const int32_t* samples, int32_t count, double* out, int32_t outputs)
{
    Stage& first = m_stages.front();
    count = std::clamp(count, 0, first.Capacity());
    std::transform(samples, samples + count, first.Input(), [](int32_t x) { return static_cast<float>(x); });
    if (m_stages.size() == 1) {
        first.Run(count, out, outputs);
        return;
    }
    Stage& last = m_stages.back();
    const int32_t middle = first.Run(count, last.Input(), last.Capacity());
    last.Run(middle, out, outputs);
}

void AntiAliasDecimator::Restart()
{
    for (Stage& stage : m_stages)
        stage.Restart();
}

} // namespace zv
