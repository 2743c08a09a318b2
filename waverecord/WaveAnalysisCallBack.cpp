#include "waverecord/WaveAnalysisCallBack.h"

#include "platform/base/Hourglaze.h"

int CWaveAnalysisCallBack::OnEvent(int event, int code, std::intptr_t data)
{
    if (event != kSampolyxProgressEvent) {
        return 1;
    }
    if (code == kStageTextCode) {
        if (data != 0) {
            NotifyHourglaze(reinterpret_cast<const wchar_t*>(data));
        }
        return 1;
    }
    if (data == 0) {
        return 1;
    }
    // Counts are unsigned: a negative one is a very large count.
    const auto count = static_cast<double>(static_cast<std::uintptr_t>(data));
    if (code != kSampolyxProgressDone) {
        if (code == kSampolyxProgressChunks) {
            m_step = m_base;
        }
        m_step /= count;
        return 1;
    }
    UpdateHourglaze(count * m_step + m_offset);
    return 1;
}
