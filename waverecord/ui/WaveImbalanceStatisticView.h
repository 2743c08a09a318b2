#pragma once
// CWaveImbalanceStatisticView: the symmetrical components of the voltages and
// currents of the analysed record and their unbalance, values of the whole system
// (never per channel, so channel switches leave it as it is).

#include "waverecord/ui/WaveTrendStatisticView.h"

class CWaveImbalanceStatisticView : public CWaveTrendStatisticView {
public:
    static constexpr int kKind = 5977;

    CWaveImbalanceStatisticView();
};
