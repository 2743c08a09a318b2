#pragma once
// WaveTimeAxis: the open record's time axis as the raw-waveform pane converts along
// it, between sample positions (per channel, from the record's start) and times in
// milliseconds since 1970, and the shortest stretch the analysis windows can
// evaluate. Positions and times are signed 64-bit throughout: a record of more than
// 2^31 samples (about 23 hours at 25,600 per second) and times before the record's
// start convert without wrapping.

#include <cstdint>

#include "waverecord/WaveSettings.h"

class CWaveAnalysisManager;

struct WaveTimeAxis {
    double frequency = 0.0;   // nominal, Hz
    double rate = 0.0;        // samples per second and channel
    std::int64_t startNs = 0; // the record's first sample, nanoseconds since 1970

    // The open record's axis; all zero without a record.
    static WaveTimeAxis Of(const CWaveAnalysisManager& manager);
    bool IsUsable() const;

    // The time of a sample position, truncated to the millisecond; the record's start
    // time when the axis is not usable.
    std::int64_t SampleToMs(std::int64_t position) const;
    // The sample position of a time, truncated toward zero; 0 when not usable.
    std::int64_t MsToSample(std::int64_t ms) const;

    // The shortest selection, in half cycles, over which every analysis window fits:
    // the least of the RMS window, two harmonic windows of W cycles each (W the
    // cycles of 200 ms) and 600·W per Pst minute. 0 when the axis is not usable.
    std::int64_t MinimumHalfCycles(const WaveAnalysisSettings& windows) const;
    // The same in samples (samples per cycle × half cycles / 2).
    std::int64_t MinimumSamples(const WaveAnalysisSettings& windows) const;
};
