#include "lib/viewer/panes/WaveNavigatorCtrl.h"

#include "lib/viewer/data/TextFormats.h"
#include "lib/viewer/panes/TracelumeCtrl.h"

namespace tracelume {

void CWaveNavigatorCtrl::OnViewChanged(std::int64_t start, std::int64_t end) {
    if (m_wave == nullptr) {
        return;
    }
    m_wave->SetRange(start, end);
    m_wave->UpdateScrollBars();
    m_wave->SetScrollPosition(false, m_wave->GetScrollPosition(), true);
    m_wave->InvalidatePanes();
}

void CWaveNavigatorCtrl::OnPageChanged(std::int64_t start, std::int64_t) {
    if (m_wave == nullptr) {
        return;
    }
    m_wave->SmoothScrollTo(ToPixels(m_wave->GetTimePerDivision() * static_cast<double>(start) / m_wave->GetRate()));
}

std::wstring CWaveNavigatorCtrl::FormatPosition(std::int64_t position) {
    std::wstring text;
    if (m_wave != nullptr) {
        FormatSeconds(static_cast<double>(position) / m_wave->GetRate(), text);
    }
    return text;
}

}  // namespace tracelume
