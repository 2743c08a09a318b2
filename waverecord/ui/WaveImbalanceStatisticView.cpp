#include "waverecord/ui/WaveImbalanceStatisticView.h"

#include "controls/ViewItemTable.h"

namespace {

WaveTrendTraits MakeImbalanceTraits()
{
    WaveTrendTraits traits;
    traits.kind = WaveTrendKind::Unbalance;
    traits.listKind = controls::kViewKindUnbalance;
    traits.firstItem = 6046;
    traits.colourPage = L"Unbalance";
    traits.fixedPhases = 0x10;
    traits.commands = 1u << CWaveStatisticView::kRangeSelected | 1u << CWaveStatisticView::kReanalysed |
                      1u << CWaveStatisticView::kSettingsOpened;
    traits.fourthPrefix = L"LN";
    return traits;
}

}  // namespace

CWaveImbalanceStatisticView::CWaveImbalanceStatisticView() : CWaveTrendStatisticView(MakeImbalanceTraits()) {}
