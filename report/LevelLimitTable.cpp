#include "report/LevelLimitTable.h"

#include <array>
#include <cmath>

namespace {

struct LevelRow {
    const wchar_t* name;
    float thd;
    float odd;
    float even;
    float baseCapacity;
    std::array<float, 24> currents;  // orders 2 to 25
    float pst = 1.0f;
    float plt = 1.0f;  // GB/T 12326-2008: 1 up to 110 kV, 0.8 above
};

// GB/T 14549-1993 Table 2 gives the allowances of 0.38 kV to 110 kV; the 220 kV level
// uses the 110 kV allowances at its own base capacity.
constexpr std::array<float, 24> k110kVCurrents = {12, 9.6f, 6.0f, 9.6f, 4.0f, 6.8f, 3.0f, 3.2f,
                                                  2.4f, 4.3f, 2.0f, 3.7f, 1.7f, 1.9f, 1.5f, 2.8f,
                                                  1.3f, 2.5f, 1.2f, 1.4f, 1.1f, 2.1f, 1.0f, 1.9f};

constexpr LevelRow kLevels[] = {
    {L"0.38kV", 5.0f, 4.0f, 2.0f, 10.0f,
     {78, 62, 39, 62, 26, 44, 19, 21, 16, 28, 13, 24, 11, 12, 9.7f, 18, 8.6f, 16, 7.8f, 8.9f, 7.1f, 14, 6.5f, 12}},
    {L"6kV", 4.0f, 3.2f, 1.6f, 100.0f,
     {43, 34, 21, 34, 14, 24, 11, 11, 8.5f, 16, 7.1f, 13, 6.1f, 6.8f, 5.3f, 10, 4.7f, 9.0f, 4.3f, 4.9f, 3.9f, 7.4f, 3.6f,
      6.8f}},
    {L"10kV", 4.0f, 3.2f, 1.6f, 100.0f,
     {26, 20, 13, 20, 8.5f, 15, 6.4f, 6.8f, 5.1f, 9.3f, 4.3f, 7.9f, 3.7f, 4.1f, 3.2f, 6.0f, 2.8f, 5.4f, 2.6f, 2.9f, 2.3f,
      4.5f, 2.1f, 4.1f}},
    {L"35kV", 3.0f, 2.4f, 1.2f, 250.0f,
     {15, 12, 7.7f, 12, 5.1f, 8.8f, 3.8f, 4.1f, 3.1f, 5.6f, 2.6f, 4.7f, 2.2f, 2.5f, 1.9f, 3.6f, 1.7f, 3.2f, 1.5f, 1.8f, 1.4f,
      2.7f, 1.3f, 2.5f}},
    {L"66kV", 3.0f, 2.4f, 1.2f, 500.0f,
     {16, 13, 8.1f, 13, 5.4f, 9.3f, 4.1f, 4.3f, 3.3f, 5.9f, 2.7f, 5.0f, 2.3f, 2.6f, 2.0f, 3.8f, 1.8f, 3.4f, 1.6f, 1.9f, 1.5f,
      2.8f, 1.4f, 2.6f}},
    {L"110kV", 2.0f, 1.6f, 0.8f, 750.0f, k110kVCurrents},
    {L"220kV", 2.0f, 1.6f, 0.8f, 2000.0f, k110kVCurrents, 0.8f, 0.8f},
};

constexpr float kThreePhaseRatio = 0.07f;   // up to 20 kV: ±7 %
constexpr float kSinglePhaseLower = 0.1f;   // 0.38 kV single-phase: -10 % below
constexpr float kHighVoltageRatio = 0.1f;   // 35 kV and above: 10 %
constexpr double kLimitMargin = static_cast<double>(1e-6f);

bool HasAllowance(int order)
{
    return order >= 2 && order <= CLevelLimitTable::kHighestLimitedOrder;
}

float Scaled(float ratio, float nominal)
{
    return static_cast<float>(static_cast<double>(ratio * nominal) + kLimitMargin);
}

}  // namespace

CLevelLimitTable::CLevelLimitTable()
{
    m_Rows.reserve(12);
    for (const LevelRow& level : kLevels) {
        CLevelLimitEntry entry;
        entry.thdLimit = level.thd;
        entry.oddLimit = level.odd;
        entry.evenLimit = level.even;
        entry.baseCapacity = level.baseCapacity;
        entry.pstLimit = level.pst;
        entry.pltLimit = level.plt;
        for (std::size_t i = 0; i < level.currents.size(); ++i) {
            entry.currentLimits[i + 2] = level.currents[i];
        }
        m_Rows.push_back(std::move(entry));
    }
}

bool CLevelLimitTable::SelectRow(std::uint32_t row)
{
    if (row >= kRowCount) {
        return false;
    }
    m_SelectedRow = row;
    return true;
}

float CLevelLimitTable::GetThd() const
{
    return Row().thdLimit;
}

float CLevelLimitTable::GetHarmVoltage(int order) const
{
    return order % 2 != 0 ? Row().oddLimit : Row().evenLimit;
}

float CLevelLimitTable::GetBaseCapacity() const
{
    return Row().baseCapacity;
}

float CLevelLimitTable::GetPstLimit() const
{
    return Row().pstLimit;
}

float CLevelLimitTable::GetPltLimit() const
{
    return Row().pltLimit;
}

float CLevelLimitTable::GetCurrent(int order) const
{
    return HasAllowance(order) ? Row().currentLimits[static_cast<std::size_t>(order)] : 0.0f;
}

std::optional<float> CLevelLimitTable::GetScaledCurrent(int order, float siteCapacity) const
{
    if (!HasAllowance(order) || !(siteCapacity > 0.0f) || !std::isfinite(siteCapacity)) {
        return std::nullopt;
    }
    const float base = Row().baseCapacity;
    const float limit = Row().currentLimits[static_cast<std::size_t>(order)];
    if (siteCapacity == base) {
        return limit;
    }
    return static_cast<float>(static_cast<double>(siteCapacity / base * limit) + kLimitMargin);
}

std::wstring CLevelLimitTable::GetLevelName() const
{
    return kLevels[m_SelectedRow].name;
}

DeviationLimits CLevelLimitTable::GetDeviationRatios() const
{
    if (m_SelectedRow >= 3) {
        return {kHighVoltageRatio, kHighVoltageRatio};
    }
    if (m_SelectedRow == 0 && m_SinglePhase != 0) {
        return {kThreePhaseRatio, kSinglePhaseLower};
    }
    return {kThreePhaseRatio, kThreePhaseRatio};
}

DeviationLimits CLevelLimitTable::GetDeviationRange(float nominal) const
{
    const DeviationLimits ratios = GetDeviationRatios();
    return {Scaled(ratios.upper, nominal), Scaled(ratios.lower, nominal)};
}
