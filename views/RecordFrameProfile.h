#pragma once
// RecordFrameProfile: what one statistic record frame shows, as data: its view id,
// colour-scheme page, panel template and title, the quantities it offers with
// their units, its phases and how their series are coloured and named, the
// defaults of its data managers and its particular rules (energy series, the item
// without an all-phase series, Pst and Plt without samples, the frequency range).
// The frame mechanism (CRecordFrame) and its panel (CRecordAttribPanel) run every
// frame from one of these; the harmonic frames build on the same mechanism.

#include <cstdint>
#include <string>
#include <vector>

// A quantity of a frame: item code, language string of its name, unit code of the
// viewer (0 none, 1 "S", 3 "V", 4 "A", 5 "%", 7 "HZ", 8 "°", 9 "KW" ...).
struct RecordItemEntry {
    std::uint32_t code = 0;
    unsigned nameId = 0;
    int unit = 0;
};

// A phase of a frame: its bit in the phase mask, its index in the grid and the
// model's key, its text in series names and its bit in the colour scheme.
struct RecordPhaseEntry {
    std::uint32_t bit = 0;
    std::uint32_t index = 0;
    std::wstring text;
    int colorBit = 0;
    // Offered whatever the record's phase mask holds (the all-phase series).
    bool ignoresRecordMask = false;
};

// A check box of a panel: control id, the mask bit it sets, phase or kind box,
// never shown (CP95).
struct RecordBoxEntry {
    unsigned id = 0;
    std::uint32_t bit = 0;
    bool phase = false;
    bool hidden = false;
};

struct RecordFrameProfile {
    std::uint32_t viewId = 0;
    // The answer to the main frame's kind query: 0 voltage and current, 1
    // fluctuation and flicker, 2 frequency, 3 harmonic trend, 4 power and energy,
    // 5 unbalance.
    int kind = 0;
    std::wstring page;
    unsigned templateId = 0;
    unsigned titleId = 0;
    // Quantities in the order of the panel; empty for a frame of one fixed item.
    std::vector<RecordItemEntry> items;
    // The fixed item of a frame without a list (the frequency), with its unit.
    RecordItemEntry fixedItem;
    // Phases in the order series are built; empty: one series per kind in the cell
    // of the system as a whole (phase index 4, colour bit 0x20).
    std::vector<RecordPhaseEntry> phases;
    // Series named "channel <phase> <kind>", else by the kind alone.
    bool namesWithPhase = true;
    // Data manager defaults set after each clear of the grid: limits, limit mode and
    // substitute (none: samples without value stay gaps).
    bool setsLimits = false;
    double limitLow = 0.0;
    double limitHigh = 0.0;
    std::int32_t limitMode = 0;
    // Items of one series per phase (kind index 4), shown without kind boxes.
    std::vector<std::uint32_t> energyItems;
    // The item that has no all-phase series (its phase box is hidden).
    std::uint32_t itemWithoutAll = 0;
    // Items whose series without a non-zero sample are shown empty, with the
    // viewer's detail view switched off.
    std::vector<std::uint32_t> zeroEmptiedItems;
    // The frequency's range rule (0 to 1 without a positive maximum, never below 0).
    bool frequencyRange = false;
    // Panel controls: the item list (0 none) and the check boxes.
    unsigned comboId = 0;
    std::vector<RecordBoxEntry> boxes;
    // The group box around the kind boxes, hidden with them (0 none).
    unsigned kindGroupId = 0;

    const RecordItemEntry* FindItem(std::uint32_t code) const;
    bool IsEnergy(std::uint32_t code) const;
    bool IsZeroEmptied(std::uint32_t code) const;
    // The unit code of an item; 0 for a code the frame does not show.
    int UnitOf(std::uint32_t code) const;
};

// The five frames of this area.
const RecordFrameProfile& VolAndCurProfile();
const RecordFrameProfile& PowerAndEnergyProfile();
const RecordFrameProfile& FluctAndFlickerProfile();
const RecordFrameProfile& FreqProfile();
const RecordFrameProfile& UnbalanceProfile();
// All of them, in view id order.
std::vector<const RecordFrameProfile*> RecordFrameProfiles();

// Language strings the frames share.
namespace recordtext {
inline constexpr unsigned kViewerLoadFailed = 6122;
inline constexpr unsigned kErrorCaption = 6123;
inline constexpr unsigned kUpdating = 6124;
inline constexpr unsigned kUnknown = 6125;
inline constexpr unsigned kMaximum = 6126;  // then minimum, average, CP95
inline constexpr unsigned kNoItem = 6130;
inline constexpr unsigned kTrend = 6144;
inline constexpr unsigned kFrequency = 9999;
inline constexpr unsigned kChannel = 10069;
inline constexpr unsigned kRms = 10111;
}  // namespace recordtext
