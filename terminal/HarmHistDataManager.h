#pragma once
// CHarmHistDataManager: the manager of the harmonic histograms, a COMTRADE-style
// manager that the statistic item reader recognises by its type. Beside the samples
// it carries the summary record of one harmonic quantity: the maximum, minimum,
// average and 95 % value, with a flag that tells whether they came precomputed from
// the harmonic data collector or only the field of the asked statistic was filled.

#include <cstdint>

#include "terminal/ComtradeDataManager.h"

class CHarmHistDataManager : public CComtradeDataManager {
public:
    struct Summary {
        bool precomputed = false;
        float maximum = 0.0f;
        float minimum = 0.0f;
        float average = 0.0f;
        float cp95 = 0.0f;
    };

    CHarmHistDataManager() = default;
    ~CHarmHistDataManager() override = default;

    // Empties the samples, resets the running extremes and clears the summary.
    void Release() override
    {
        CComtradeDataManager::Release();
        m_Summary = Summary();
        m_Taken = 0;
    }

    const Summary& GetSummary() const { return m_Summary; }
    void SetSummary(const Summary& summary) { m_Summary = summary; }
    // Stores one statistic (0 maximum, 1 minimum, 2 average, 3 95 % value) computed
    // from the samples; the record stays marked as not precomputed.
    void SetStatistic(std::uint32_t kind, float value);
    // Asked by a reader that wants only the statistic (GetStatistic), not the series:
    // a reader that can work it out in one pass then hands over the figure alone.
    void WantFigureOnly() { m_FigureOnly = true; }
    bool WantsFigureOnly() const { return m_FigureOnly; }
    // Empties the manager and stores one statistic that a reader worked out over the
    // whole series in one pass, so that no sample has to travel through AddValue; the
    // charts read it as it stands.
    void TakeStatistic(std::uint32_t kind, double value);
    // The statistic of `kind` as the charts read it: the precomputed value when there
    // is one; otherwise the running extremes, the mean of the samples, and the stored
    // 95 % value. Nothing (false) for a kind above 3 or a mean without samples.
    bool GetStatistic(std::uint32_t kind, float* value) const;

private:
    Summary m_Summary;
    double m_TakenValue = 0.0;
    std::uint32_t m_Taken = 0;  // bit k: statistic k came whole from TakeStatistic
    bool m_FigureOnly = false;
};
