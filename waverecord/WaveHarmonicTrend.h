#pragma once
// The rules of the harmonic trend view and of its attribute panel that need no
// window: which quantities the view shows and how (host code, unit, orders or one
// trend per phase), the trend attribute record the panel and the view exchange, the
// order slots and their colours, the value range of the order curves, the range a
// harmonic analysis needs, the export columns of the order curves, and the panel's
// quantity groups.
//
// Order slots: the panel offers six slots, each with a colour of its own. A slot
// holds an entry of the item's order list (0 off, n >= 1 the n-th entry: order n,
// or order n - 1 for the interharmonic items) and keeps it in its own place, so a
// curve is drawn in the colour of the slot that chose its order. A slot that repeats
// an earlier slot's entry adds nothing (the curve keeps the earlier slot's colour).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "waverecord/WaveSeriesDescriptor.h"

class CWaveResultStore;

// The trend attribute record, copied whole between the panel, the view and the
// viewer host.
struct HarmTrendAttrib {
    static constexpr int kSlots = 64;
    std::int32_t item = 0;
    std::int32_t phases = 0;      // 1 L1, 2 L2, 4 L3, 8 LN, 16 total
    std::int32_t stats = 0;       // 1 MAX, 2 MIN, 4 AVG, 32 RMS
    std::int32_t orderCount = 0;  // slots in use (the panel writes 6)
    std::array<std::int32_t, kSlots> orders{};
    std::int32_t withKFactor = 0;

    bool operator==(const HarmTrendAttrib&) const = default;
};

namespace harmtrend {

inline constexpr int kPanelSlots = 6;
inline constexpr int kKFactorItem = 5999;
// Language text of a unit-less quantity.
inline constexpr unsigned kTextNoUnit = 10106;

// The viewer host's code of the item; 0 for an item the view does not show.
int GetHostCode(int item);
// The unit of the item's values ("V", "A", "°", "％", "W"), language text 10106 for
// others.
std::wstring GetUnitText(int item);
// Items shown as one curve per order of one phase.
bool IsOrderItem(int item);
// Items shown as one curve per phase (DC components and THD).
bool IsTrendItem(int item);
// The harmonic power items: they have no LN curve.
bool IsPowerItem(int item);
// Interharmonic items: their order list starts at order 0.
bool IsInterharmonicItem(int item);
// The order number of an entry of the item's order list.
int OrderOfEntry(int item, int entry);

// The phase index of a phase bit (1, 2, 4, 8, 16 give 0 .. 4), -1 for none.
int PhaseIndexOfBit(int bit);
// The phase index the panel's order lists are read for: the first of the bits 1, 2,
// 4, 8 in the mask, 4 when none is set.
int PhaseIndexOfMask(int mask);
// The result record's key of an order curve: ((entry - 1) & 0xFFFF | phase << 16) << 8.
int OrderKey(int phaseIndex, int entry);
// Statistic kinds of the statistic bits in the order MAX, MIN, AVG, RMS.
std::vector<int> StatisticKinds(int stats);

// A shown order curve: the slot (1-6) that chose it, which is also its colour's
// index, and the entry of the order list.
struct OrderSlot {
    int slot = 0;
    int entry = 0;
    bool operator==(const OrderSlot&) const = default;
};
// The curves of the record's first orderCount slots in slot order: slots that are
// off or repeat an earlier slot's entry are left out.
std::vector<OrderSlot> ShownOrderSlots(const HarmTrendAttrib& record);

// The margin put around the order curves' values: a tenth of the span, or for a
// span below 0.1 a tenth of the top value, at least 0.03.
void PadRange(float& low, float& high);
// The value range of the order curves (and of the K factor curves when asked for)
// over the record's phases and statistics, padded; without any value the range
// keeps its empty bounds before padding.
void OrderRowsRange(CWaveResultStore* result, CWaveResultStore* kFactor, const HarmTrendAttrib& record, float& low,
                    float& high);

// Whether the selected samples [start, end) (end one past the last, as the
// raw-waveform side reports a selection) hold the harmonic windows the analysis
// needs: end - start >= windows * samples per cycle * cycles in 200 ms, worked out
// in 64 bits. False without a nominal frequency or sample rate.
bool HarmonicRangeIsLongEnough(std::int64_t start, std::int64_t end, double nominalFrequency, double sampleRate,
                               std::uint64_t harmonicWindows);

// The export columns of the order curves: per phase bit 1 "L1", 2 "L2", 4 "L3",
// 8 "LN", 16 "DEFAULT", one column per shown slot, named phase + the order pattern
// (language text 10142) with the order number; and the series each reads (the
// record's one statistic).
struct OrderColumn {
    std::wstring name;
    int phaseIndex = 0;
    int key = 0;
    int kind = 0;
};
std::vector<OrderColumn> OrderColumns(const HarmTrendAttrib& record);

// The quantity groups of the panel, in list order.
struct Group {
    int group = 0;       // also the language text of its name
    bool hasOrders = false;
    int rms = 0;         // the item of each value kind, 0 for none
    int content = 0;
    int angle = 0;
};
std::span<const Group> Groups();
const Group* FindGroup(int group);
bool GroupHasOrders(int group);
// The group an item belongs to and its value kind (0 RMS, 1 content, 2 angle);
// null for an item of no group.
const Group* GroupOfItem(int item, int* valueKind = nullptr);
// The item of the group for a value kind; 0 when the group has none.
int GroupItem(int group, int valueKind);
// The DC groups' item by the checked value kind (RMS first, then content); 0 for
// any other group or when neither is checked.
int ResolveDCItem(int group, bool rmsChecked, bool contentChecked);
// The texts of an order list of n entries: "OFF", then the order of each entry.
std::vector<std::wstring> OrderEntryTexts(int item, int count);

}  // namespace harmtrend
