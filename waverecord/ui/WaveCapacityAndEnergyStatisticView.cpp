#include "waverecord/ui/WaveCapacityAndEnergyStatisticView.h"

#include "controls/ViewItemTable.h"

namespace {

WaveTrendTraits MakeCapacityAndEnergyTraits()
{
    WaveTrendTraits traits;
    traits.kind = WaveTrendKind::PowerEnergy;
    traits.listKind = controls::kViewKindPowerEnergy;
    traits.firstItem = 6030;
    traits.colourPage = L"Power&Energy";
    traits.commands = 1u << CWaveStatisticView::kChannelOn | 1u << CWaveStatisticView::kChannelOff |
                      1u << CWaveStatisticView::kRangeSelected | 1u << CWaveStatisticView::kReanalysed |
                      1u << CWaveStatisticView::kSettingsOpened;
    traits.fourthPrefix = L"ALL";
    return traits;
}

}  // namespace

CWaveCapacityAndEnergyStatisticView::CWaveCapacityAndEnergyStatisticView() : CWaveTrendStatisticView(MakeCapacityAndEnergyTraits()) {}

unsigned CWaveCapacityAndEnergyStatisticView::TitleText(std::uint32_t item) const
{
    // Some quantity names say kW or kWh; the numbers shown are W and Wh.
    return FindWaveStatisticItem(WaveTrendKind::PowerEnergy, item).titleText;
}
