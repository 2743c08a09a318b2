#pragma once
// CWaveCurrentAndVoltageStatisticView: the voltage and current trends of the analysed
// record (RMS, peaks, fundamentals, crest factors, averages, half-cycle RMS, phase
// angles) per checked channel. It also passes numbered viewer settings on
// (kMsgViewerCommand: the two values of the viewer's setting 108).

#include "waverecord/ui/WaveTrendStatisticView.h"

class CWaveCurrentAndVoltageStatisticView : public CWaveTrendStatisticView {
public:
    static constexpr int kKind = 5972;
    static constexpr int kViewerSetting = 108;

    CWaveCurrentAndVoltageStatisticView();
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;
};
