#pragma once
// CRecordDataManager: one trend series as the record views draw it. Values pass a
// no-value substitution, rounding to three decimals and optional limits before they
// are stored; the extremes follow the accepted values and the display range widens
// to cover them when the viewer walks the samples. A no-value sample without a
// substitute is stored as a gap (kNoValue) in its place, so later samples keep
// their times; gaps walk as kNoValuePosition and leave the extremes alone.

#include <cstdint>
#include <vector>

#include "terminal/ZVDataManager.h"

class CRecordDataManager : public IZVDataManager {
public:
    // Limits and substitute that mean "none".
    static constexpr double kNoLimitLow = 2.2250738585072014e-308;
    static constexpr double kNoLimitHigh = 1.7976931348623157e308;
    static constexpr double kNoSubstitute = 2.2250738585072014e-308;

    enum LimitMode : std::int32_t { NoLimits = 0, RejectOutside = 1, ClampToLimits = 2 };

    explicit CRecordDataManager(std::uint32_t tag = 0);

    // Empties the manager; the creator still owns it.
    void Release() override;
    bool GetNext(std::int64_t* index, std::int64_t* position) override;
    bool GetPrev(std::int64_t* index, std::int64_t* position) override;
    std::uint64_t GetCount() override;
    bool GetValue(std::int64_t index, double* value) override;
    bool AddValue(double value) override;

    // The extremes of the samples with a value; both 0 while there is none.
    double GetMaxValue() const { return m_MaxValue; }
    bool HasValue() const { return m_HasValue; }
    double GetMinValue() const { return m_MinValue; }
    int SetDisplayRange(const double* low, const double* high);
    int SetLimits(const double* low, const double* high, std::int32_t mode, double substitute);
    int ClearIfAllZero();
    virtual void Clear();

    double GetDisplayLow() const { return m_DisplayLow; }
    double GetDisplayHigh() const { return m_DisplayHigh; }
    std::uint32_t GetTag() const { return m_Tag; }

protected:
    void WidenDisplayRange();
    // The position of a stored sample (by its index in the vector) in the display range.
    std::int64_t PositionAt(std::size_t at) const;

    std::uint32_t m_Word = 0;
    std::vector<double> m_Values;
    std::uint64_t m_Count = 0;
    double m_MaxValue = 0.0;
    double m_MinValue = 0.0;
    double m_DisplayLow = 0.0;
    double m_DisplayHigh = 0.0;
    double m_LimitLow = kNoLimitLow;
    double m_LimitHigh = kNoLimitHigh;
    double m_Substitute = kNoSubstitute;
    std::int32_t m_LimitMode = NoLimits;
    std::uint32_t m_Tag = 0;
    double m_Last = 0.0;
    bool m_HasValue = false;
};
