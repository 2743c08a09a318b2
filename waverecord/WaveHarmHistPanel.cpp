#include "waverecord/WaveHarmHistPanel.h"

#include <algorithm>

namespace {

struct GroupItems {
    int group;
    int items[3];  // RMS, content, phase angle (0: none)
};

constexpr GroupItems kGroupItems[] = {
    {6056, {5981, 5985, 5983}}, {6057, {5991, 5993, 0}}, {6058, {5987, 5989, 0}},
    {6059, {5995, 5997, 0}},    {6061, {5982, 5986, 5984}}, {6062, {5992, 5994, 0}},
    {6063, {5988, 5990, 0}},    {6064, {5996, 5998, 0}},    {6066, {6000, 6001, 6002}},
};

constexpr unsigned kTextOtherOrders = 10119;

void Off(HarmHistBox& box)
{
    box.checked = false;
    box.enabled = false;
}

bool IsInterharmonicGroup(int group) { return group == 6057 || group == 6062; }

bool HasAngle(int group) { return group == 6056 || group == 6061 || group == 6066; }

}  // namespace

CWaveHarmHistPanelState::CWaveHarmHistPanelState(OrderCounter counter, std::function<std::wstring(unsigned)> text)
    : m_counter(std::move(counter)), m_text(std::move(text))
{
    for (int i = 0; i < kOrderBoxes; ++i) {
        orderLabels[static_cast<std::size_t>(i)] = std::to_wstring(i + 1);
    }
}

int CWaveHarmHistPanelState::ItemOf(int group, int kind)
{
    if (kind < 0 || kind > 2) {
        return 0;
    }
    for (const GroupItems& entry : kGroupItems) {
        if (entry.group == group) {
            return entry.items[kind];
        }
    }
    return 0;
}

bool CWaveHarmHistPanelState::GroupOf(int item, int& group, int& kind)
{
    for (const GroupItems& entry : kGroupItems) {
        for (int k = 0; k < 3; ++k) {
            if (entry.items[k] != 0 && entry.items[k] == item) {
                group = entry.group;
                kind = k;
                return true;
            }
        }
    }
    return false;
}

int CWaveHarmHistPanelState::OrderCount(int item, int phaseIndex) const
{
    const std::optional<int> count = m_counter ? m_counter(item, phaseIndex) : std::nullopt;
    return count.value_or(0);
}

void CWaveHarmHistPanelState::DisableAngle()
{
    angleEnabled = false;
    if (m_kind == kKindAngle) {
        m_kind = kKindRms;
    }
}

void CWaveHarmHistPanelState::Init(const HarmHistAttrib& record, std::uint32_t wiringMask)
{
    m_wiring = wiringMask;
    m_group = 0;
    UpdateOtherOrders(record.item, HarmPhaseIndex(record.phases));
    ShowRecord(record);
    // Only the phases the record was wired for can give bars.
    for (int p = 0; p < 4; ++p) {
        phaseEnabled[static_cast<std::size_t>(p)] = (wiringMask & (1u << p)) != 0;
    }
    if (Group() == 6066) {
        phaseEnabled[3] = false;
    }
    const std::optional<int> count = m_counter ? m_counter(record.item, HarmPhaseIndex(record.phases)) : std::nullopt;
    if (count && *count < kOrderBoxes) {
        for (int i = std::max(*count, 0); i < kOrderBoxes; ++i) {
            orders[static_cast<std::size_t>(i)].enabled = false;
        }
    }
}

HarmHistAttrib CWaveHarmHistPanelState::ReadRecord() const
{
    HarmHistAttrib record;
    record.orderCount = 0;
    for (int i = 0; i < kOrderBoxes; ++i) {
        if (orders[static_cast<std::size_t>(i)].checked) {
            record.orders[static_cast<std::size_t>(record.orderCount++)] = i;
        }
    }
    const int item = ItemOf(Group(), m_kind);
    record.item = item != 0 ? item : ItemOf(Group(), kKindRms);
    record.phases = 1 << std::clamp(m_phase, 0, 3);
    record.stats = 0;
    const std::int32_t bits[] = {kHistMax, kHistMin, kHistAvg, kHistCp95};
    for (std::size_t s = 0; s < stats.size(); ++s) {
        if (stats[s].checked) {
            record.stats |= bits[s];
        }
    }
    record.withOthers = others.checked ? 1 : 0;
    record.withTHD = thd.checked ? 1 : 0;
    record.withDC = dc.checked ? 1 : 0;
    record.withKF = kf.checked ? 1 : 0;
    return record;
}

void CWaveHarmHistPanelState::ShowRecord(const HarmHistAttrib& record)
{
    int group = 0, kind = 0;
    if (GroupOf(record.item, group, kind)) {
        m_group = static_cast<int>(std::find(kGroups.begin(), kGroups.end(), group) - kGroups.begin());
        m_kind = kind;
    }
    const int item = record.item;
    angleEnabled = (item >= 5981 && item <= 5986) || (item >= 6000 && item <= 6002);
    kf.enabled = item == 5982 || item == 5984 || item == 5986;
    for (int p = 0; p < 4; ++p) {
        if (record.phases == (1 << p)) {
            m_phase = p;
        }
    }
    const std::int32_t bits[] = {kHistMax, kHistMin, kHistAvg, kHistCp95};
    for (std::size_t s = 0; s < stats.size(); ++s) {
        stats[s].checked = (record.stats & bits[s]) != 0;
    }
    others.checked = record.withOthers != 0;
    for (HarmHistBox& box : orders) {
        box.checked = false;
    }
    const int count = std::clamp(record.orderCount, 0, static_cast<std::int32_t>(record.orders.size()));
    for (int i = 0; i < count; ++i) {
        const int order = record.orders[static_cast<std::size_t>(i)];
        if (order >= 0 && order < kOrderBoxes && orders[static_cast<std::size_t>(order)].enabled) {
            orders[static_cast<std::size_t>(order)].checked = true;
        }
    }
    UpdateOrderButtons();
    dc.checked = record.withDC != 0;
    kf.checked = record.withKF != 0;
    thd.checked = record.withTHD != 0;
}

void CWaveHarmHistPanelState::OnItemChanged()
{
    const int group = Group();
    for (int i = 0; i < kOrderBoxes; ++i) {
        orderLabels[static_cast<std::size_t>(i)] = std::to_wstring(IsInterharmonicGroup(group) ? i : i + 1);
    }
    angleEnabled = HasAngle(group);
    if (!angleEnabled) {
        DisableAngle();
    }
    UpdateOtherOrders(SelectedItem(), m_phase);
    // Harmonic power has no neutral.
    if (group == 6066 && m_phase == 3) {
        m_phase = 0;
    }
    phaseEnabled[3] = group != 6066 && (m_wiring & 8u) != 0;
    UpdateOrderButtons();
}

void CWaveHarmHistPanelState::UpdateOrderButtons()
{
    thd.enabled = dc.enabled = kf.enabled = true;
    switch (m_kind) {
    case kKindRms: Off(thd); break;
    case kKindContent: Off(kf); break;
    default:
        Off(thd);
        Off(dc);
        Off(kf);
        break;
    }
    const int group = Group();
    if (group == 6057 || group == 6058 || group == 6059 || group == 6062 || group == 6063 || group == 6064) {
        Off(thd);
        Off(dc);
        Off(kf);
    } else if (group == 6056 || group == 6066) {
        Off(kf);
    }
    const bool all = others.checked && std::all_of(orders.begin(), orders.end(), [](const HarmHistBox& box) {
                         return box.checked;
                     });
    if (all) {
        Off(thd);
        Off(dc);
        Off(kf);
    }
    const int item = SelectedItem();
    const int count = OrderCount(item, m_phase);
    for (int i = 0; i < kOrderBoxes; ++i) {
        HarmHistBox& box = orders[static_cast<std::size_t>(i)];
        if (i < count) {
            box.enabled = true;
        } else {
            Off(box);
        }
    }
    if (count < kOrderBoxes) {
        others.checked = false;
    }
    UpdateOtherOrders(item, m_phase);
}

void CWaveHarmHistPanelState::UpdateOtherOrders(int item, int phaseIndex)
{
    std::wstring caption = m_text ? m_text(kTextOtherOrders) : std::wstring();
    const std::optional<int> count = m_counter ? m_counter(item, phaseIndex) : std::nullopt;
    if (count && *count >= kOrderBoxes + 1) {
        caption += IsInterharmonicItem(item) ? L"(25~" + std::to_wstring(*count - 1) + L")"
                                             : L"(26~" + std::to_wstring(*count) + L")";
        others.enabled = true;
    } else {
        others.enabled = false;
    }
    othersCaption = caption;
}

void CWaveHarmHistPanelState::RestoreDefaults()
{
    for (int i = 0; i < kOrderBoxes; ++i) {
        orders[static_cast<std::size_t>(i)].checked = i < 15;
    }
    others.checked = false;
    OnItemChanged();
}

void CWaveHarmHistPanelState::SelectAll()
{
    for (HarmHistBox& box : orders) {
        box.checked = true;
    }
    others.checked = true;
    Off(thd);
    Off(dc);
    Off(kf);
    OnItemChanged();
}
