#include "waverecord/WaveRangeCheck.h"

#include <cmath>

WaveRangeCheck CheckWaveRange(std::int64_t startMs, std::int64_t endMs, const WaveRangeLimits& limits,
                              const WaveAnalysisSettings& windows, double nominalFrequency)
{
    if (startMs < limits.earliestMs || startMs > limits.latestMs) {
        return WaveRangeCheck::StartOutside;
    }
    if (endMs < limits.earliestMs || endMs > limits.latestMs) {
        return WaveRangeCheck::EndOutside;
    }
    if (endMs <= startMs) {
        return WaveRangeCheck::EndNotAfterStart;
    }
    // Both lie inside the record, so the difference cannot overflow.
    const std::int64_t length = endMs - startMs;
    std::int64_t msPerCycle = 0;
    if (std::isfinite(nominalFrequency) && nominalFrequency > 0.0 && nominalFrequency <= 1000.0) {
        msPerCycle = static_cast<std::int64_t>(1000.0 / nominalFrequency);
    }
    if (length < msPerCycle * windows.rms / 2) {
        return WaveRangeCheck::ShorterThanRms;
    }
    if (length < windows.harm * 200) {
        return WaveRangeCheck::ShorterThanHarm;
    }
    if (length < windows.pst * 60000) {
        return WaveRangeCheck::ShorterThanPst;
    }
    return WaveRangeCheck::Valid;
}

unsigned WaveRangeCheckText(WaveRangeCheck result)
{
    switch (result) {
    case WaveRangeCheck::Valid: return 0;
    case WaveRangeCheck::StartOutside: return 10224;
    case WaveRangeCheck::EndOutside: return 10226;
    case WaveRangeCheck::EndNotAfterStart: return 10225;
    case WaveRangeCheck::ShorterThanRms: return 10227;
    case WaveRangeCheck::ShorterThanHarm: return 10228;
    case WaveRangeCheck::ShorterThanPst: return 10229;
    case WaveRangeCheck::Unreadable: return 6421;
    }
    return 0;
}
