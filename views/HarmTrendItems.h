#pragma once
// The harmonic trend frame's item codes and the rules that follow from them: which
// codes carry orders, where a series' data manager sits among the 61 slots of its
// phase, the colour-scheme index and the viewer's unit code of a series, and its
// name. Shared by the frame and its panel.

#include <cstdint>
#include <functional>
#include <string>

#include "views/RecordSeriesKey.h"

namespace harmtrend {

// Slots of one phase: 1 to 50 the orders, 52 to 55 THD, 56 to 59 DC, 60 the K factor.
inline constexpr std::uint32_t kSlots = 61;
inline constexpr std::uint32_t kNoSlot = kSlots;
inline constexpr int kOrderSlots = 6;
inline constexpr std::uint32_t kKFactor = 23;
inline constexpr std::uint32_t kViewId = 40011;

// The codes with orders: harmonics, interharmonics, high-order harmonics and
// subgroups of voltage and current, and the harmonic power harmonics.
bool IsOrderFamily(std::uint32_t code);
bool IsThd(std::uint32_t code);
bool IsDc(std::uint32_t code);
// A code the frame shows.
bool IsValidItem(std::uint32_t code);
// The interharmonic families, whose orders are shown from 0.
inline bool IsInterharmonic(std::uint32_t code) { return code == 3000 || code == 8000; }
// Harmonic power has no N phase.
inline bool IsHarmonicPower(std::uint32_t code) { return code == 11000 || code == 11001 || code == 12000; }
// The current quantities beside which the K factor may be shown.
bool IsCurrentFamily(std::uint32_t code);

// The key's order (its first model word, -1 for none).
inline std::int32_t OrderOf(const CRecordSeriesKey& key) { return static_cast<std::int32_t>(key.word1); }
// The slot of a key: order + 1 for an order, 52 + phase for THD, 56 + phase for DC,
// 60 for the K factor; kNoSlot (no data manager) otherwise.
std::uint32_t SlotOf(const CRecordSeriesKey& key);
// The colour index of a THD, DC or K factor key (1, 2, 4, 5 by phase; 54 for the K
// factor); 0 for other keys, whose colour is their order slot's.
int SingleColorIndex(const CRecordSeriesKey& key);
// The colour of a slot as the frame's slot colouring gives it; `slot` may be rewritten.
int SlotColor(std::uint32_t& slot);
// The viewer's unit code of a row: by value type index (0 RMS, 1 content ratio, 2
// phase angle) and, for RMS values, by item code.
int UnitCode(std::uint32_t item, std::uint32_t valueTypeIndex);
// The series name of an item code and slot; empty for an invalid code.
std::wstring SeriesName(std::uint32_t item, std::uint32_t slot, const std::function<std::wstring(unsigned)>& text);

}  // namespace harmtrend
