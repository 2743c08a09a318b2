#include "waverecord/TracelumeProgress.h"

#include "platform/base/Hourglaze.h"

int CTracelumeProgress::Notify(int code, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (code != kProgressCode) {
        return 0;
    }
    if (wParam != 0) {
        m_progressStep = m_progressSpan / static_cast<double>(wParam);
    } else if (m_progressEnabled != 0) {
        m_lastOffset = static_cast<double>(lParam) * m_progressStep;
        UpdateHourglaze(m_progressBase + m_lastOffset);
    }
    return 0;
}
