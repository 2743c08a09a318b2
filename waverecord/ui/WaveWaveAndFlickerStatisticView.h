#pragma once
// CWaveWaveAndFlickerStatisticView: the voltage fluctuation and flicker of the
// analysed record per phase (fluctuation Dc, maximum fluctuation Dmax, time over the
// fluctuation limit TD, short-term flicker Pst). Pst has one value per Pst window,
// the others one per 200 ms block; a choice in the list never shows the fourth
// channel.

#include "waverecord/ui/WaveTrendStatisticView.h"

class CWaveWaveAndFlickerStatisticView : public CWaveTrendStatisticView {
public:
    static constexpr int kKind = 5975;

    CWaveWaveAndFlickerStatisticView();
};
