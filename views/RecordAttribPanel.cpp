#include "views/RecordAttribPanel.h"

#include <algorithm>
#include <utility>

CRecordAttribPanel::CRecordAttribPanel(const RecordFrameProfile& profile, TextSource texts)
    : m_Profile(profile), m_Texts(std::move(texts))
{
    for (const RecordBoxEntry& entry : profile.boxes) {
        Box box;
        box.entry = entry;
        box.visible = !entry.hidden;
        m_Boxes.push_back(box);
    }
}

void CRecordAttribPanel::SetItems(std::vector<std::uint32_t> items, std::uint32_t phaseMask)
{
    m_Items = std::move(items);
    m_PhaseMask = phaseMask;
}

const CRecordAttribPanel::Box* CRecordAttribPanel::FindBox(unsigned id) const
{
    const auto found = std::find_if(m_Boxes.begin(), m_Boxes.end(), [id](const Box& b) { return b.entry.id == id; });
    return found != m_Boxes.end() ? &*found : nullptr;
}

CRecordAttribPanel::Box* CRecordAttribPanel::Find(unsigned id)
{
    return const_cast<Box*>(std::as_const(*this).FindBox(id));
}

CRecordAttribPanel::Box* CRecordAttribPanel::FindByBit(std::uint32_t bit, bool phase)
{
    const auto found = std::find_if(m_Boxes.begin(), m_Boxes.end(),
                                    [&](const Box& b) { return b.entry.bit == bit && b.entry.phase == phase; });
    return found != m_Boxes.end() ? &*found : nullptr;
}

void CRecordAttribPanel::SetKindBoxes(bool enable, bool visible)
{
    for (Box& box : m_Boxes) {
        if (!box.entry.phase) {
            box.enabled = enable;
            box.visible = visible && !box.entry.hidden;
        }
    }
}

void CRecordAttribPanel::SetPhaseBoxes(bool enable)
{
    for (const RecordPhaseEntry& phase : m_Profile.phases) {
        Box* box = FindByBit(phase.bit, true);
        if (box == nullptr) {
            continue;
        }
        const bool inRecord = phase.ignoresRecordMask || (m_PhaseMask & (1u << phase.index)) != 0;
        box->enabled = enable && inRecord;
        // A phase the record lacks is never shown, even when it was ticked before.
        if (!inRecord) {
            box->checked = false;
            if (m_Owner != nullptr) {
                m_Owner->HidePhase(phase.bit, 0);
            }
        }
    }
}

void CRecordAttribPanel::FollowItem(std::uint32_t code)
{
    const bool energy = m_Profile.IsEnergy(code);
    SetKindBoxes(true, !energy);
    if (m_Profile.itemWithoutAll != 0 && !m_Profile.phases.empty()) {
        if (Box* all = FindByBit(m_Profile.phases.back().bit, true)) {
            all->visible = code != m_Profile.itemWithoutAll;
        }
    }
}

void CRecordAttribPanel::Click(Box& box, bool checked, int rebuild)
{
    box.checked = checked;
    if (m_Owner == nullptr) {
        return;
    }
    if (box.entry.phase) {
        checked ? m_Owner->ShowPhase(box.entry.bit, rebuild) : m_Owner->HidePhase(box.entry.bit, rebuild);
    } else {
        checked ? m_Owner->ShowKind(box.entry.bit, rebuild) : m_Owner->HideKind(box.entry.bit, rebuild);
    }
}

void CRecordAttribPanel::FillPanel(bool available)
{
    m_Entries.clear();
    m_Selected = -1;
    if (m_Profile.items.empty()) {
        // One fixed item: only the kinds are chosen.
        SetKindBoxes(available, true);
        if (Box* avg = FindByBit(0x4, false); avg != nullptr) {
            Click(*avg, available, 1);
        }
        Changed();
        return;
    }
    for (const std::uint32_t code : m_Items) {
        if (const RecordItemEntry* item = m_Profile.FindItem(code)) {
            m_Entries.push_back({m_Texts(item->nameId), code});
        }
    }
    if (m_Owner == nullptr) {
        Changed();
        return;
    }
    if (m_Entries.empty()) {
        m_Entries.push_back({m_Texts(recordtext::kNoItem), 0});
        m_Selected = 0;
        m_ListEnabled = false;
        SetPhaseBoxes(false);
        SetKindBoxes(false, m_Profile.energyItems.empty());
        Changed();
        return;
    }
    m_Selected = 0;
    m_ListEnabled = true;
    SetPhaseBoxes(true);
    const std::uint32_t code = m_Entries[0].code;
    FollowItem(code);
    m_Owner->SelectItem(code, 0);
    // The defaults are added to what was ticked before: the average (for an item
    // with kinds) and the first phase; then one rebuild shows them all.
    if (!m_Profile.IsEnergy(code)) {
        if (Box* avg = FindByBit(0x4, false)) {
            Click(*avg, true, 0);
        }
    }
    if (!m_Profile.phases.empty()) {
        if (Box* first = FindByBit(m_Profile.phases.front().bit, true); first != nullptr && first->enabled) {
            Click(*first, true, 0);
        }
    }
    m_Owner->SelectItem(code, 1);
    Changed();
}

void CRecordAttribPanel::OnSelect(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_Entries.size() || m_Entries[index].code == 0) {
        return;
    }
    m_Selected = index;
    const std::uint32_t code = m_Entries[index].code;
    FollowItem(code);
    if (m_Owner != nullptr) {
        m_Owner->SelectItem(code, 1);
    }
    Changed();
}

void CRecordAttribPanel::OnClick(unsigned boxId, bool checked)
{
    Box* box = Find(boxId);
    if (box == nullptr || !box->enabled) {
        return;
    }
    Click(*box, checked, 1);
    Changed();
}

void CRecordAttribPanel::OnToggle()
{
    if (m_Owner != nullptr) {
        m_Owner->TogglePanel();
    }
}

void CRecordAttribPanel::Changed()
{
    if (m_Changed) {
        m_Changed();
    }
}
