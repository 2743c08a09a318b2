#pragma once
// The items of the waveform-record window: which analysis setting keys each item's
// results, and how each item is registered from the pool's data sets.
//
// Item classes: 0 keyed by the RMS window, 1 by the harmonic window, 2 independent of
// the settings (raw waveforms, half-cycle RMS, energies, frequency), 3 by the Pst
// window, 4 not an item of the window.

#include <cstddef>
#include <span>

enum class WaveItemClass { Rms = 0, Harm = 1, Fixed = 2, Pst = 3, None = 4 };

WaveItemClass ClassifyWaveItem(int item);

enum class WaveHandler {
    RawWaveform,  // the channels' waveforms, for the raw-waveform pane's viewer
    Fixed,        // one plain series per phase, read as it is
    PerPhase,     // a statistic series per phase of the record's wiring
    System,       // a statistic series of the whole system (phase key 4)
    Orders,       // a statistic series per phase and harmonic order
};

// Where an item's result records live.
enum class WaveResultMap { Fixed, Rms, Harm };

struct WaveRegistration {
    int subItem = 0;  // the result record the series go into
    int kind = 0;     // the pool's kind code (the first channel for raw waveforms)
    int flag = 0;     // 1: average by the mean, 0: by the RMS
    int mode = 0;     // 1: the extremes swapped (a negative peak's maximum is its minimum)
};

struct WaveDispatchRow {
    int item = 0;
    WaveHandler handler = WaveHandler::Fixed;
    WaveResultMap map = WaveResultMap::Fixed;
    std::size_t count = 0;
    WaveRegistration registrations[3];
};

// Every item the window registers, in no particular order.
std::span<const WaveDispatchRow> WaveDispatchRows();
// The row of an item; null for an item that registers nothing.
const WaveDispatchRow* FindWaveDispatchRow(int item);
