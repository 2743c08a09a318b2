#pragma once
// Whether a typed time range can be selected for analysis: inside the record, in
// order, and long enough for each analysis window. The time-range dialog shows the
// answer as it is typed and sends only a range that passes.

#include <cstdint>

#include "waverecord/WaveSettings.h"

enum class WaveRangeCheck {
    Valid = 0,
    StartOutside = 1,      // the start lies outside the record
    EndOutside = 2,        // the end lies outside the record
    EndNotAfterStart = 3,
    ShorterThanRms = 4,    // shorter than one RMS window
    ShorterThanHarm = 5,   // shorter than one harmonic window
    ShorterThanPst = 6,    // shorter than one Pst window
    Unreadable = 7,        // a date, time or millisecond field does not hold a value
};

struct WaveRangeLimits {
    std::int64_t earliestMs = 0;
    std::int64_t latestMs = 0;
};

// Times in milliseconds since 1970; the windows as the open record corrects them;
// the nominal frequency in Hz (the RMS test is skipped when it is not positive).
WaveRangeCheck CheckWaveRange(std::int64_t startMs, std::int64_t endMs, const WaveRangeLimits& limits,
                              const WaveAnalysisSettings& windows, double nominalFrequency);

// The language text that explains the result; 0 for Valid.
unsigned WaveRangeCheckText(WaveRangeCheck result);
