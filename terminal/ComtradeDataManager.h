#pragma once
// CComtradeDataManager: one waveform channel of a COMTRADE record. The display
// range is set by the view (no widening); a stretch mode lets a series of one value
// per `factor` samples (the effective values) walk in step with the waveform;
// ResetRange/RestoreRange hide and bring back the samples.

#include <cstdint>
#include <vector>

#include "terminal/ZVDataManager.h"

class CComtradeDataManager : public IZVDataManager {
public:
    CComtradeDataManager() = default;

    // Empties the manager; the creator still owns it.
    void Release() override;
    bool GetNext(std::int64_t* index, std::int64_t* position) override;
    bool GetPrev(std::int64_t* index, std::int64_t* position) override;
    std::uint64_t GetCount() override;
    bool GetValue(std::int64_t index, double* value) override;
    bool AddValue(double value) override;

    void ResetRange() { m_Count = 0; }
    void RestoreRange() { m_Count = m_Added; }
    const std::vector<double>& GetSeries() const { return m_Samples; }
    void SetYRange(const double* low, const double* high);
    // From now on the count answered is the stored count x factor and the cursor's
    // index i reads stored value i / factor, so each value stands for `factor`
    // samples. GetValue keeps reading the stored values by their own index. A
    // factor of 0 or 1 hands out every value once.
    void SetMode(std::uint32_t factor);
    int GetSecondValue(float* value) const;
    // Copies the samples into the list as floats (negative samples as 0.0) and gives
    // the extremes of the non-negative ones; 1 when there was at least one.
    int GetMinMax(std::vector<float>& destination, float* maximum, float* minimum) const;

    double GetMaxValue() const { return m_MaxValue; }
    double GetMinValue() const { return m_MinValue; }
    std::uint32_t GetMaxIndex() const { return m_MaxIndex; }

private:
    static constexpr double kStartMax = -99999999999.0;
    static constexpr double kStartMin = 99999999999.0;

    std::uint64_t Factor() const { return m_Factor > 1 ? m_Factor : 1; }
    bool Read(std::int64_t* index, std::int64_t* position, std::int64_t step, bool previous);

    std::vector<double> m_Samples;
    std::uint64_t m_Count = 0;
    std::uint64_t m_Added = 0;
    double m_MaxValue = kStartMax;
    double m_MinValue = kStartMin;
    double m_DisplayLow = kStartMax;
    double m_DisplayHigh = kStartMin;
    std::uint32_t m_RangeSet = 0;
    std::uint32_t m_MaxIndex = 0;
    std::uint32_t m_Stretch = 0;  // SetMode was called
    std::uint32_t m_Factor = 0;
};
