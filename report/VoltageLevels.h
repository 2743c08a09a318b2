#pragma once
// The seven supply voltage levels a report is judged against (0.38 kV to 220 kV):
// their nominal system voltage, level code (the limit table's row + 1), the text
// the report wizard lists them by and the base short-circuit capacity shown for
// them; and the level proposed for a measured nominal voltage.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct VoltageLevel {
    int voltage = 0;            // line-to-line, V
    int code = 0;               // 1 to 7
    float baseCapacity = 0.0f;  // MVA
};

// Ascending.
std::span<const VoltageLevel> VoltageLevels();
// The level of a code 1 to 7; null for any other.
const VoltageLevel* FindVoltageLevel(int code);
// "0.38kV" for 380 V, else the kilovolts without decimals ("10kV").
std::wstring VoltageLevelText(int voltage);

// What a nominal voltage measures: between a phase and the neutral, or between two
// phases. The levels are named by the voltage between phases.
enum class NominalKind { Phase, Line };

// A terminal wired with a neutral conductor (bit 3 of the wiring code: a star or a
// single-phase connection) gives its nominal voltage between phase and neutral;
// without one (the three-wire connections) between phases.
NominalKind NominalKindOfWiring(std::uint32_t wiringCode);

struct LevelProposal {
    int code = 0;
    double lineVoltage = 0.0;  // the nominal voltage between phases, V
};

// The level nearest to the nominal voltage on a ratio scale (400 V: 0.38 kV,
// 10.5 kV: 10 kV, 3 kV: 6 kV, 500 kV: 220 kV), after a phase voltage is turned into
// the voltage between phases (5774 V: a 10 kV system). Nothing for a text that does
// not start with a positive number.
std::optional<LevelProposal> ProposeVoltageLevel(const std::wstring& nominalText, NominalKind kind);
