#pragma once
// What the trend views of the waveform-record window know of each quantity they
// show: the host code that picks its colours, names and value format, the unit of
// its numbers in exported tables, the series family that decides how a selected
// sample range becomes positions in its series and how many values a second it
// holds, and the title its table is exported under.
//
// Units are those of the numbers the analysis writes: power in W, var and VA,
// energy in Wh, varh and VAh (never kilo units).

#include <cstdint>
#include <string>
#include <string_view>

class CWaveAnalysisManager;

// How a quantity's series is laid along the record.
enum class WaveSeriesFamily {
    Rms,          // one value per RMS window
    Fundamental,  // one value per harmonic window (200 ms blocks)
    HalfCycle,    // one value per half cycle, counted by blocks
    Frequency,    // one value per frame
    Other,        // one value per 200 ms block
    Minute,       // one value per Pst window
};

enum class WaveTrendKind {
    VoltageCurrent,
    PowerEnergy,
    Unbalance,
    Frequency,
    Flicker,
};

struct WaveStatisticItem {
    std::uint32_t id = 0;
    std::uint32_t hostCode = 0;
    // Empty: the quantity has no unit (the language's "none").
    std::wstring_view unit;
    WaveSeriesFamily family = WaveSeriesFamily::Other;
    // The language text the table is exported under; 0: the item's own text.
    unsigned titleText = 0;
};

// The item of the view kind; an item the kind does not know gets host code 0, no
// unit and the kind's fallback family.
WaveStatisticItem FindWaveStatisticItem(WaveTrendKind kind, std::uint32_t id);

// A selected sample range (first, end) as positions of a family's series: the start
// converted with its remainder, the end converted after that remainder is taken off.
struct WaveSeriesRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
};
WaveSeriesRange ConvertWaveRange(const CWaveAnalysisManager& manager, WaveSeriesFamily family, std::int64_t first,
                                 std::int64_t end);
// Values a second of a family's series: the time scale of its viewer.
double WaveFamilyRate(CWaveAnalysisManager& manager, WaveSeriesFamily family);
