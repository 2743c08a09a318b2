#pragma once
// CWaveNavigatorCtrl: the viewer's navigator. Dragging the view area sets the
// waveform's view range; moving the page scrolls the waveform there; positions
// read as times at the waveform's rate.

#include "lib/viewer/panes/NavigatorCtrl.h"

namespace tracelume {

class CTracelumeCtrl;

class CWaveNavigatorCtrl final : public CNavigatorCtrl {
public:
    void SetWave(CTracelumeCtrl* wave) { m_wave = wave; }

    void OnViewChanged(std::int64_t start, std::int64_t end) override;
    void OnPageChanged(std::int64_t start, std::int64_t end) override;
    std::wstring FormatPosition(std::int64_t position) override;

private:
    CTracelumeCtrl* m_wave = nullptr;
};

}  // namespace tracelume
