#pragma once
// The attribute panel of the harmonic histogram without its window: the state of
// its controls (quantity group, value kind, phase, statistics, the 25 order boxes,
// the further-orders box and the THD, DC and KF boxes) and the rules that keep them
// consistent with each other and with the analysed record. The dialog shows this
// state and hands the user's clicks to it.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "waverecord/WaveHarmHistogram.h"

struct HarmHistBox {
    bool checked = false;
    bool enabled = true;
};

class CWaveHarmHistPanelState {
public:
    static constexpr int kOrderBoxes = 25;
    // Value kinds (radio buttons).
    static constexpr int kKindRms = 0, kKindContent = 1, kKindAngle = 2;
    // The quantity groups of the list, by language id.
    static constexpr std::array<int, 9> kGroups = {6056, 6057, 6058, 6059, 6061, 6062, 6063, 6064, 6066};

    // The number of orders the record has of an item for a phase index; nothing
    // when the record has no result of the item.
    using OrderCounter = std::function<std::optional<int>(int item, int phaseIndex)>;

    CWaveHarmHistPanelState(OrderCounter counter, std::function<std::wstring(unsigned)> text);

    // The item of a group and a value kind; 0 when the group has no such kind.
    static int ItemOf(int group, int kind);
    // The group and value kind of an item; false for an item of no group.
    static bool GroupOf(int item, int& group, int& kind);

    // Once, as the panel opens: shows the chart's record and enables the phases
    // of the record's wiring (bits 0-3).
    void Init(const HarmHistAttrib& record, std::uint32_t wiringMask);
    HarmHistAttrib ReadRecord() const;
    void ShowRecord(const HarmHistAttrib& record);
    void OnItemChanged();
    void UpdateOrderButtons();
    void UpdateOtherOrders(int item, int phaseIndex);
    void RestoreDefaults();
    void SelectAll();

    // What the user sets (the dialog calls OnItemChanged or nothing afterwards, as
    // the control asks).
    void SelectGroup(int index) { m_group = index; }
    void CheckKind(int kind) { m_kind = kind; }
    void CheckPhase(int index) { m_phase = index; }

    int GroupIndex() const { return m_group; }
    int Group() const { return kGroups[static_cast<std::size_t>(m_group)]; }
    int Kind() const { return m_kind; }
    int PhaseIndex() const { return m_phase; }
    int SelectedItem() const { return ItemOf(Group(), m_kind); }

    // Controls: stats MAX, MIN, AVG, CP95; extras THD, DC, KF.
    std::array<HarmHistBox, 4> stats;
    std::array<HarmHistBox, kOrderBoxes> orders;
    std::array<std::wstring, kOrderBoxes> orderLabels;
    HarmHistBox others;
    std::wstring othersCaption;
    HarmHistBox thd, dc, kf;
    bool angleEnabled = true;
    std::array<bool, 4> phaseEnabled = {true, true, true, true};

private:
    int OrderCount(int item, int phaseIndex) const;
    void DisableAngle();

    OrderCounter m_counter;
    std::function<std::wstring(unsigned)> m_text;
    std::uint32_t m_wiring = 0x0F;
    int m_group = 0;
    int m_kind = kKindRms;
    int m_phase = 0;
};
