#pragma once
// The scene view's fixed table: 45 rows of three cells (power, voltage, current),
// each a label, a unit for its value, a phase key and the scene word it shows.
//
// Scene words (L1, L2, L3, N unless said): 0-3 voltage RMS, 4-7 current RMS, 8-11
// and 12-15 voltage and current averages, 16-19 and 20-23 positive peaks, 24-27
// and 28-31 negative peaks, 32-35 and 36-39 half-cycle RMS, 40-43 and 44-47
// fundamentals, 48-51 and 52-55 crest factors, 56-59 and 60-63 phase angles, 64
// frequency, 65-68 active power L1-L3 and total (kW), 69-72 reactive (kvar), 73-76
// apparent (kVA), 77-80 displacement power factor, 81-84 power factor, 85-88
// current K factor, 89-92 and 93-96 THD, 100-102 and 103-105 zero-, positive- and
// negative-sequence components, 106-107 and 108-109 negative- and zero-sequence
// unbalance, 110-112 voltage fluctuation L1-L3. A word equal to -5368709.0 has no
// value.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "views/data/SOESceneDataManager.h"

struct CSoeSceneCell {
    std::wstring label;  // empty: an empty cell
    std::wstring unit;   // put after the value with a blank; empty: the number alone
    std::int32_t key = 4;  // 0-3 the phase, 4 a total or a phase-independent value
    std::int32_t word = -1;  // the scene word shown; -1: none
};

struct CSoeSceneRow {
    std::array<CSoeSceneCell, 3> cells;
};

inline constexpr std::size_t kSoeSceneRows = 45;

// The table in the language of the loaded texts.
std::vector<CSoeSceneRow> BuildSoeSceneRows();

// The value text of one cell: empty for an empty cell; "-----" for a phase outside
// the mask (totals and phase-independent values aside) and for a word without
// value; otherwise the value with three decimals and the unit, never "-0.000".
std::wstring SoeSceneValueText(const CSoeSceneCell& cell, const CSoeScene& scene, std::uint32_t phaseMask);

// The caption line: "频率：50.012 HZ", or "频率：--" without a scene or a value.
std::wstring SoeFrequencyCaption(const CSoeScene* scene);
