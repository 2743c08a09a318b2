#include "waverecord/ui/WaveWaveAndFlickerStatisticView.h"

#include "controls/ViewItemTable.h"

namespace {

WaveTrendTraits MakeWaveAndFlickerTraits()
{
    WaveTrendTraits traits;
    traits.kind = WaveTrendKind::Flicker;
    traits.listKind = controls::kViewKindFluctuationFlicker;
    traits.firstItem = 6040;
    traits.colourPage = L"Fluct&Flicker";
    traits.phasesNotChosen = 0x08;
    traits.commands = 1u << CWaveStatisticView::kChannelOn | 1u << CWaveStatisticView::kChannelOff |
                      1u << CWaveStatisticView::kRangeSelected | 1u << CWaveStatisticView::kReanalysed |
                      1u << CWaveStatisticView::kSettingsOpened;
    traits.fourthPrefix = L"LN";
    return traits;
}

}  // namespace

CWaveWaveAndFlickerStatisticView::CWaveWaveAndFlickerStatisticView() : CWaveTrendStatisticView(MakeWaveAndFlickerTraits()) {}
