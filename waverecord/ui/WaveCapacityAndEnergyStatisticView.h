#pragma once
// CWaveCapacityAndEnergyStatisticView: the power and energy trends of the analysed
// record (active, apparent and reactive power, power factors, the three energies)
// per phase and for the total of the three phases (the fourth channel's place,
// named "ALL"). The numbers are those of the analysis, in W, VA, var, Wh, VAh and
// varh; the pane is titled with the name that carries that unit.

#include "waverecord/ui/WaveTrendStatisticView.h"

class CWaveCapacityAndEnergyStatisticView : public CWaveTrendStatisticView {
public:
    static constexpr int kKind = 5974;

    CWaveCapacityAndEnergyStatisticView();

protected:
    unsigned TitleText(std::uint32_t item) const override;
};
