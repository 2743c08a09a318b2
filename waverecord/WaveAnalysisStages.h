#pragma once
// CWaveAnalysisStages: what the waveform-record window's open and re-analysis
// workers do between starting and ending the busy indicator. Opening analyses the
// record through the manager (the first 20 % of the indicator), then registers the
// window's items stage by stage; a re-analysis after the analysis windows changed
// registers them again from 0 %. Each stage has a weight in percent, shared equally
// by its items; the indicator shows each item's text as its turn comes.
//
// The runs report their outcome instead of showing anything: the worker that ran
// them ends the indicator, and the window tells the user afterwards on its own
// thread. They touch no window; a host that draws the raw waveforms does its viewer
// work on the user-interface thread itself (IWaveViewHost).

#include <span>
#include <string>

#include "waverecord/WaveAnalysisManager.h"

struct WaveStageItem {
    int item;
    unsigned textId;  // "正在处理" + the item's name + "..."
};

struct WaveStage {
    std::span<const WaveStageItem> items;
    double openWeight;       // percent of an open
    double reanalyseWeight;  // percent of a re-analysis; 0: not run again
    bool showsEachItem;      // the indicator moves after each item
};

enum class WaveRunOutcome {
    Done,
    OpenFailed,  // the record could not be opened or analysed
    ConfigDamaged,  // the record's configuration file holds no usable values
    Failed,      // an exception (memory ran out) while registering items
};

class CWaveAnalysisStages {
public:
    static constexpr unsigned kTextInitialising = 10154;
    // The indicator's share of the pool's own analysis.
    static constexpr double kAnalysisShare = 20.0;

    // The stages in the order they run.
    static std::span<const WaveStage> Stages();

    // Opens and analyses the record, then registers every item (raw waveforms into
    // the host). The progress block is the window's: the manager reads it while it
    // dispatches.
    static WaveRunOutcome Open(CWaveAnalysisManager& manager, const std::wstring& path, IWaveViewHost* host,
                               WaveProgressBlock& progress);
    // Drops the results that depend on the analysis windows and registers them again
    // under the windows now set.
    static WaveRunOutcome Reanalyse(CWaveAnalysisManager& manager, WaveProgressBlock& progress);

private:
    static void RunStages(CWaveAnalysisManager& manager, IWaveViewHost* host, WaveProgressBlock& progress,
                          double start, bool reanalysis);
};
