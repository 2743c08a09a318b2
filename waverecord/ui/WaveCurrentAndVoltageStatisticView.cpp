#include "waverecord/ui/WaveCurrentAndVoltageStatisticView.h"

#include "controls/ViewItemTable.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

WaveTrendTraits MakeCurrentAndVoltageTraits()
{
    WaveTrendTraits traits;
    traits.kind = WaveTrendKind::VoltageCurrent;
    traits.listKind = controls::kViewKindVoltageCurrent;
    traits.firstItem = 6014;
    traits.colourPage = L"V&C";
    traits.commands = 1u << CWaveStatisticView::kChannelOn | 1u << CWaveStatisticView::kChannelOff |
                      1u << CWaveStatisticView::kRangeSelected | 1u << CWaveStatisticView::kReanalysed |
                      1u << CWaveStatisticView::kSettingsOpened;
    traits.fourthPrefix = L"LN";
    return traits;
}

}  // namespace

CWaveCurrentAndVoltageStatisticView::CWaveCurrentAndVoltageStatisticView() : CWaveTrendStatisticView(MakeCurrentAndVoltageTraits()) {}

ui::LResult CWaveCurrentAndVoltageStatisticView::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    if (message == kMsgViewerCommand) {
        return m_host ? m_host->ViewerCommand(kViewerSetting, static_cast<std::intptr_t>(wParam),
                                              static_cast<std::intptr_t>(lParam))
                      : -1;
    }
    return CWaveTrendStatisticView::WindowProc(message, wParam, lParam);
}
