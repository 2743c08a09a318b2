#include "waverecord/ui/WaveStatisticViews.h"

#include "waverecord/ui/WaveCapacityAndEnergyStatisticView.h"
#include "waverecord/ui/WaveCurrentAndVoltageStatisticView.h"
#include "waverecord/ui/WaveFrequencyStatisticView.h"
#include "waverecord/ui/WaveImbalanceStatisticView.h"
#include "waverecord/ui/WaveWaveAndFlickerStatisticView.h"

namespace {

template <class View>
void Register()
{
    RegisterWaveView(View::kKind, [] { return std::make_unique<View>(); });
}

}  // namespace

void RegisterWaveTrendViews()
{
    Register<CWaveCurrentAndVoltageStatisticView>();
    Register<CWaveCapacityAndEnergyStatisticView>();
    Register<CWaveImbalanceStatisticView>();
    Register<CWaveFrequencyStatisticView>();
    Register<CWaveWaveAndFlickerStatisticView>();
}
