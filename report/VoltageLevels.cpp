#include "report/VoltageLevels.h"

#include <array>
#include <cmath>

#include "core/NumberHelpers.h"

namespace {

constexpr std::array<VoltageLevel, 7> kLevels{{
    {380, 1, 10.0f},
    {6000, 2, 100.0f},
    {10000, 3, 100.0f},
    {35000, 4, 250.0f},
    {66000, 5, 500.0f},
    {110000, 6, 750.0f},
    {220000, 7, 2000.0f},
}};

constexpr std::uint32_t kNeutralBit = 0x8;

}  // namespace

std::span<const VoltageLevel> VoltageLevels()
{
    return kLevels;
}

const VoltageLevel* FindVoltageLevel(int code)
{
    for (const VoltageLevel& level : kLevels) {
        if (level.code == code) {
            return &level;
        }
    }
    return nullptr;
}

std::wstring VoltageLevelText(int voltage)
{
    const float kilovolts = static_cast<float>(voltage / 1000.0);
    if (kilovolts == 0.38f) {
        return L"0.38kV";
    }
    return FormatFixed(voltage / 1000.0, 0) + L"kV";
}

NominalKind NominalKindOfWiring(std::uint32_t wiringCode)
{
    return (wiringCode & kNeutralBit) != 0 ? NominalKind::Phase : NominalKind::Line;
}

std::optional<LevelProposal> ProposeVoltageLevel(const std::wstring& nominalText, NominalKind kind)
{
    const double nominal = ParseLeadingDouble(nominalText);
    if (!std::isfinite(nominal) || nominal <= 0.0) {
        return std::nullopt;
    }
    LevelProposal proposal;
    proposal.lineVoltage = kind == NominalKind::Phase ? nominal * std::sqrt(3.0) : nominal;
    // Levels stand in ratios to each other (6 kV to 10 kV is as far as 66 kV to
    // 110 kV), so the distance that counts is that of the logarithms.
    double nearest = INFINITY;
    for (const VoltageLevel& level : kLevels) {
        const double distance = std::fabs(std::log(proposal.lineVoltage / level.voltage));
        if (distance < nearest) {
            nearest = distance;
            proposal.code = level.code;
        }
    }
    return proposal;
}
