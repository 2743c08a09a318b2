#include "waverecord/WaveTimeAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "waverecord/WaveAnalysisManager.h"

namespace {

constexpr std::int64_t kNsPerMs = 1000000;

// Truncates toward zero into 64 bits, saturating where a double goes beyond them.
std::int64_t Truncate(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double limit = 9.2e18;
    return static_cast<std::int64_t>(std::clamp(std::trunc(value), -limit, limit));
}

}  // namespace

WaveTimeAxis WaveTimeAxis::Of(const CWaveAnalysisManager& manager)
{
    WaveTimeAxis axis;
    if (!manager.HasRecord()) {
        return axis;
    }
    axis.frequency = manager.GetNominalFrequency();
    axis.rate = manager.GetSampleRate();
    axis.startNs = manager.GetStartTime();
    return axis;
}

bool WaveTimeAxis::IsUsable() const
{
    return std::isfinite(frequency) && std::isfinite(rate) && frequency > 0.0 && rate > 0.0;
}

std::int64_t WaveTimeAxis::SampleToMs(std::int64_t position) const
{
    const std::int64_t start = startNs / kNsPerMs;
    if (!IsUsable()) {
        return start;
    }
    // position × (1000 / f) / (rate / f): the cycles of the position in milliseconds.
    return Truncate(static_cast<double>(position) * (1000.0 / frequency) / (rate / frequency)) + start;
}

std::int64_t WaveTimeAxis::MsToSample(std::int64_t ms) const
{
    if (!IsUsable()) {
        return 0;
    }
    const std::int64_t offset = ms - startNs / kNsPerMs;
    return Truncate(static_cast<double>(offset) / (1000.0 / frequency) * (rate / frequency));
}

std::int64_t WaveTimeAxis::MinimumHalfCycles(const WaveAnalysisSettings& windows) const
{
    if (!IsUsable()) {
        return 0;
    }
    const std::int64_t cycles = Truncate(frequency * 200.0 / 1000.0);
    const std::int64_t harmonic = 2 * cycles * windows.harm;
    const std::int64_t flicker = 600 * cycles * windows.pst;
    return std::max<std::int64_t>(0, std::min({windows.rms, harmonic, flicker}));
}

std::int64_t WaveTimeAxis::MinimumSamples(const WaveAnalysisSettings& windows) const
{
    if (!IsUsable()) {
        return 0;
    }
    const std::int64_t perCycle = Truncate(rate / frequency);
    return perCycle * MinimumHalfCycles(windows) / 2;
}
