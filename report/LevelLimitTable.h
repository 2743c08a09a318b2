#pragma once
// CLevelLimitTable: the national-standard limits of the seven supply voltage levels
// (0.38 kV to 220 kV) that every report compares its values with: voltage THD, odd
// and even harmonic voltage ratios (GB/T 14549), harmonic current allowances for the
// orders 2 to 25 at the level's base short-circuit capacity (GB/T 14549 Table 2) and
// the permitted supply-voltage deviation (GB/T 12325) and the flicker limits (GB/T 12326:
// long-term flicker Plt 1 up to 110 kV, 0.8 above). One row is selected at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The permitted deviation on each side of the nominal value: how far above it
// (upper) and how far below it (lower) a value may lie, both as positive numbers.
struct DeviationLimits {
    float upper = 0.0f;
    float lower = 0.0f;
};

struct CLevelLimitEntry {
    float thdLimit = 0.0f;       // %
    float oddLimit = 0.0f;       // % of the fundamental, odd orders
    float evenLimit = 0.0f;      // % of the fundamental, even orders
    float baseCapacity = 0.0f;   // MVA
    float pstLimit = 0.0f;       // short-term flicker
    float pltLimit = 0.0f;       // long-term flicker
    std::vector<float> currentLimits = std::vector<float>(26, 0.0f);  // A, by order; 0 and 1 hold no limit
};

class CLevelLimitTable {
public:
    static constexpr std::uint32_t kRowCount = 7;
    static constexpr int kHighestLimitedOrder = 25;

    CLevelLimitTable();

    // Rows 0 (0.38 kV) to 6 (220 kV); false, and the selection kept, for any other row.
    bool SelectRow(std::uint32_t row);
    std::uint32_t GetSelectedRow() const { return m_SelectedRow; }
    // The 0.38 kV level measured on a single-phase supply (+7 % / -10 %).
    void SetSinglePhase(bool singlePhase) { m_SinglePhase = singlePhase ? 1 : 0; }
    bool IsSinglePhase() const { return m_SinglePhase != 0; }

    float GetThd() const;
    // The odd limit for an odd order, the even limit for an even one.
    float GetHarmVoltage(int order) const;
    float GetBaseCapacity() const;
    float GetPstLimit() const;
    float GetPltLimit() const;
    // The allowance of the order at the base capacity; 0 (no limit) outside 2 to 25.
    float GetCurrent(int order) const;
    // The allowance of the order scaled to the site's short-circuit capacity (MVA).
    // None for an order without an allowance and for a capacity that is not above 0:
    // such a harmonic has no limit rather than one near 0 A.
    std::optional<float> GetScaledCurrent(int order, float siteCapacity) const;
    std::wstring GetLevelName() const;
    // The permitted deviation in the units of the nominal value.
    DeviationLimits GetDeviationRange(float nominal) const;
    // The permitted deviation as fractions of the nominal value (0.07 stands for 7 %).
    DeviationLimits GetDeviationRatios() const;

private:
    const CLevelLimitEntry& Row() const { return m_Rows[m_SelectedRow]; }

    std::uint32_t m_SelectedRow = 0;
    std::int32_t m_SinglePhase = 0;
    std::vector<CLevelLimitEntry> m_Rows;
};
