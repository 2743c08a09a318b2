#include "report/ReportTrendItem.h"

#include <algorithm>

#include "report/KeyedList.h"

namespace {

// The file keeps one digit per value.
char Digit(std::int32_t value)
{
    return static_cast<char>('0' + std::clamp(value, 0, 9));
}

}  // namespace

CReportTrendItem::CReportTrendItem(std::string key) : m_Key(std::move(key))
{
    for (std::int32_t code = CReportTrendPhase::kPhaseA; code <= CReportTrendPhase::kPhaseC; ++code) {
        m_Phases.push_back({1, code, 1, 1, 1, 1, 0});
    }
    m_Phases.push_back({0, CReportTrendPhase::kPhaseN, 0, 0, 0, 0, 0});
    m_Phases.push_back({0, CReportTrendPhase::kDefault, 0, 0, 0, 0, 0});
}

void CReportTrendItem::SetPhase(const CReportTrendPhase& phase)
{
    SetOrAddByKey(m_Phases, phase);
}

int CReportTrendItem::GetPhase(std::int32_t code, CReportTrendPhase& phase) const
{
    const auto found =
        std::find_if(m_Phases.begin(), m_Phases.end(), [code](const CReportTrendPhase& p) { return p.code == code; });
    if (found == m_Phases.end()) {
        return 0;
    }
    phase = *found;
    return 1;
}

std::string CReportTrendItem::FormatPhase(std::int32_t code) const
{
    CReportTrendPhase phase;
    if (GetPhase(code, phase) == 0) {
        return {};
    }
    return {Digit(phase.enabled), Digit(phase.flag1), Digit(phase.flag2),
            Digit(phase.flag3),   Digit(phase.flag4), Digit(phase.flag5)};
}
