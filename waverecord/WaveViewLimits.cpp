#include "waverecord/WaveViewLimits.h"

#include <array>

namespace {

struct KindRow {
    int kind;
    unsigned nameText;
    int maximum;
};

constexpr std::array<KindRow, 7> kKinds{{
    {5972, 10078, 8},  // voltage and current
    {5974, 10079, 8},  // power and energy
    {5975, 10080, 7},  // fluctuation and flicker
    {5976, 10235, 3},  // frequency
    {5977, 10081, 7},  // unbalance
    {5978, 10082, 8},  // harmonic trend
    {5979, 10234, 8},  // harmonic histogram
}};

}  // namespace

void CWaveViewLimits::Reset()
{
    m_views = 0;
    m_kinds.clear();
    for (const KindRow& row : kKinds) {
        m_kinds[row.kind] = Kind{row.maximum, 0};
    }
}

WaveViewRefusal CWaveViewLimits::CanAdd(int kind) const
{
    if (m_views >= kMaxViews) {
        return WaveViewRefusal::TooManyViews;
    }
    const auto found = m_kinds.find(kind);
    if (found != m_kinds.end() && NameText(kind) != 0 && found->second.count >= found->second.maximum) {
        return WaveViewRefusal::TooManyOfKind;
    }
    return WaveViewRefusal::None;
}

void CWaveViewLimits::Added(int kind)
{
    ++m_views;
    ++m_kinds[kind].count;
}

void CWaveViewLimits::ViewGone()
{
    if (m_views > 0) {
        --m_views;
    }
}

void CWaveViewLimits::KindGone(int kind)
{
    const auto found = m_kinds.find(kind);
    if (found != m_kinds.end() && found->second.count > 0) {
        --found->second.count;
    }
}

int CWaveViewLimits::KindCount(int kind) const
{
    const auto found = m_kinds.find(kind);
    return found != m_kinds.end() ? found->second.count : 0;
}

unsigned CWaveViewLimits::NameText(int kind)
{
    for (const KindRow& row : kKinds) {
        if (row.kind == kind) {
            return row.nameText;
        }
    }
    return 0;
}
