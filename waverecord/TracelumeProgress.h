#pragma once
// CTracelumeProgress: the viewer callback that shows the viewer's own progress (it
// reports while it builds the summaries of a long series) as a stretch of the busy
// indicator: a count of steps divides the span, and each step done moves the
// indicator to base + step number × (span / steps). The waveform-record window's
// callback derives from it and adds its selection and hint handling.

#include <cstdint>

#include "waverecord/WaveViewer.h"

class CTracelumeProgress : public IWaveViewerCallback {
public:
    static constexpr int kProgressCode = 118;

    // Handles the progress code; every other code is left to derived callbacks (0).
    int Notify(int code, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Progress moves the indicator only while enabled.
    void SetOwnerState(int enabled) { m_progressEnabled = enabled; }
    void SetProgressBase(double base) { m_progressBase = base; }
    void SetProgressSpan(double span) { m_progressSpan = span; }
    double GetLastOffset() const { return m_lastOffset; }

private:
    int m_progressEnabled = 0;
    double m_progressBase = 0.0;
    double m_progressStep = 0.0;
    double m_progressSpan = 0.0;
    double m_lastOffset = 0.0;
};
