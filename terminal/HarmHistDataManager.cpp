#include "terminal/HarmHistDataManager.h"

void CHarmHistDataManager::SetStatistic(std::uint32_t kind, float value)
{
    m_Summary.precomputed = false;
    float* fields[] = {&m_Summary.maximum, &m_Summary.minimum, &m_Summary.average, &m_Summary.cp95};
    if (kind < 4) {
        *fields[kind] = value;
    }
}

void CHarmHistDataManager::TakeStatistic(std::uint32_t kind, double value)
{
    Release();
    if (kind < 4) {
        SetStatistic(kind, static_cast<float>(value));
        m_TakenValue = value;
        m_Taken = 1u << kind;
    }
}

bool CHarmHistDataManager::GetStatistic(std::uint32_t kind, float* value) const
{
    if (value == nullptr || kind > 3) {
        return false;
    }
    if ((m_Taken & (1u << kind)) != 0) {
        *value = static_cast<float>(m_TakenValue);
        return true;
    }
    if (m_Summary.precomputed) {
        const float fields[] = {m_Summary.maximum, m_Summary.minimum, m_Summary.average, m_Summary.cp95};
        *value = fields[kind];
        return true;
    }
    const std::vector<double>& samples = GetSeries();
    switch (kind) {
        case 0: *value = static_cast<float>(GetMaxValue()); return !samples.empty();
        case 1: *value = static_cast<float>(GetMinValue()); return !samples.empty();
        case 2: {
            if (samples.empty()) {
                return false;
            }
            double sum = 0.0;
            for (const double sample : samples) {
                sum += sample;
            }
            *value = static_cast<float>(sum / static_cast<double>(samples.size()));
            return true;
        }
        default: *value = m_Summary.cp95; return true;
    }
}
