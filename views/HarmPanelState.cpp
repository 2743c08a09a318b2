#include "views/HarmPanelState.h"

#include <algorithm>

#include "terminal/BasicInfo.h"
#include "terminal/DataModel.h"
#include "terminal/Wiring.h"

namespace {

struct FamilyEntry {
    std::uint32_t family;
    std::uint32_t lastId;  // the family's item ids run from `family` to this
    unsigned nameId;
    std::uint32_t thdId, dcId;
    const wchar_t* otherOrders;  // the range the other-orders box adds
};

constexpr FamilyEntry kFamilyEntries[] = {
    {2000, 2049, 6056, 24, 25, L"(26~50)"},       {3000, 3049, 6057, 24, 25, L"(0~49)"},
    {4000, 4034, 6058, 24, 25, L"(26~35)"},       {5000, 5049, 6059, 24, 25, L"(26~50)"},
    {7000, 7049, 6061, 6000, 6001, L"(26~50)"},   {8000, 8049, 6062, 6000, 6001, L"(0~49)"},
    {9000, 9034, 6063, 6000, 6001, L"(26~35)"},   {10000, 10049, 6064, 6000, 6001, L"(26~50)"},
    {12000, 12049, 6066, 11000, 11001, L"(26~50)"},
};
constexpr std::uint32_t kKfItem = 23;

const FamilyEntry* EntryOf(std::uint32_t family)
{
    for (const FamilyEntry& entry : kFamilyEntries) {
        if (entry.family == family) {
            return &entry;
        }
    }
    return nullptr;
}

bool IsInterharmonicFamily(std::uint32_t family)
{
    return family == 3000 || family == 8000;
}

// The bar of a box of the bar table (0 THD, 1 DC, 2 KF, 3 to 27 orders 1 to 25).
std::uint32_t BarOf(unsigned id)
{
    switch (id) {
        case CHarmPanelState::kThd: return 0;
        case CHarmPanelState::kDc: return 1;
        case CHarmPanelState::kKf: return 2;
        default: return id - CHarmPanelState::kFirstOrder + 3;
    }
}

unsigned BoxOf(std::uint32_t bar)
{
    static constexpr unsigned kExtras[] = {CHarmPanelState::kThd, CHarmPanelState::kDc, CHarmPanelState::kKf};
    return bar < 3 ? kExtras[bar] : CHarmPanelState::kFirstOrder + bar - 3;
}

constexpr unsigned kRadios[] = {CHarmPanelState::kEffective, CHarmPanelState::kRatio, CHarmPanelState::kPhaseAngle};

}  // namespace

CHarmPanelState::CHarmPanelState(TextSource texts) : m_Texts(std::move(texts))
{
    for (unsigned i = 0; i < 25; ++i) {
        m_OrderLabels[i] = std::to_wstring(i + 1);
    }
    m_OtherLabel = m_Texts(kOtherOrdersText) + L"(26~50)";
    for (unsigned id = kFirstStatistic; id < kFirstStatistic + 4; ++id) {
        Set(id, true, id != kFirstStatistic + 3);
    }
    Set(kRestoreDefaults, true, false);
    Set(kSelectAll, true, false);
    Clear();
}

std::uint32_t CHarmPanelState::FamilyOf(std::uint32_t itemId)
{
    for (const FamilyEntry& entry : kFamilyEntries) {
        if (itemId >= entry.family && itemId <= entry.lastId) {
            return entry.family;
        }
    }
    return 0;
}

CHarmSelection* CHarmPanelState::Selection()
{
    if (m_Selected < 0 || static_cast<std::size_t>(m_Selected) >= m_Families.size()) {
        return nullptr;
    }
    return &m_Families[static_cast<std::size_t>(m_Selected)].selection;
}

CHarmPanelState::Control CHarmPanelState::Get(unsigned id) const
{
    const auto found = m_Controls.find(id);
    return found != m_Controls.end() ? found->second : Control{};
}

void CHarmPanelState::Set(unsigned id, bool enabled, bool checked)
{
    At(id) = {enabled, checked};
}

std::vector<std::wstring> CHarmPanelState::ListTexts() const
{
    std::vector<std::wstring> texts;
    for (const Family& family : m_Families) {
        texts.push_back(family.name);
    }
    if (texts.empty()) {
        texts.push_back(m_Texts(kNoDataItem));
    }
    return texts;
}

void CHarmPanelState::DisableAll()
{
    Enable(kFamilyList, false);
    for (unsigned id = kFirstPhase; id < kFirstPhase + 4; ++id) {
        Enable(id, false);
    }
    for (std::uint32_t bar = 0; bar < 28; ++bar) {
        Enable(BoxOf(bar), false);
    }
    Enable(kOtherOrders, false);
    for (const unsigned id : kRadios) {
        Enable(id, false);
    }
}

void CHarmPanelState::Clear()
{
    m_Families.clear();
    m_Selected = -1;
    DisableAll();
    Changed();
}

void CHarmPanelState::FillHarmTable(IDataModel* model)
{
    Clear();
    BasicInfo info;
    if (model == nullptr || model->QueryBasicInfo(&info) == 0 || info.viewIds.empty()) {
        return;
    }
    m_PhaseMask = info.phaseMask;
    for (const std::uint32_t itemId : info.viewIds) {
        const std::uint32_t family = FamilyOf(itemId);
        const bool added = std::any_of(m_Families.begin(), m_Families.end(),
                                       [family](const Family& f) { return f.selection.itemId == family; });
        if (family == 0 || added) {
            continue;
        }
        AddFamily(m_Texts(EntryOf(family)->nameId), Build(*model, family));
    }
    // The first family's L1 chart, as though the user had ticked L1 and order 1.
    Handle(kFirstPhase, Get(kFirstPhase).checked);
    Handle(kFirstOrder, Get(kFirstOrder).checked);
}

CHarmSelection CHarmPanelState::Build(IDataModel& model, std::uint32_t family) const
{
    const FamilyEntry& entry = *EntryOf(family);
    CHarmSelection selection;
    selection.itemId = family;
    selection.nAllowed = 1;
    // Whether the item is in the data: L1, maximum, effective value, no manager.
    const auto has = [&model](std::uint32_t order, std::uint32_t itemId) {
        return model.GetData(0, 0, order, 1, itemId, 0) == 1;
    };
    for (std::uint32_t order = 0; order < 25; ++order) {
        if (has(order, family)) {
            selection.bars.push_back(order + 3);
        }
    }
    if (has(0, entry.thdId)) {
        selection.bars.push_back(0);
        selection.thdItemId = entry.thdId;
    }
    if (has(0, entry.dcId)) {
        selection.bars.push_back(1);
        selection.dcItemId = entry.dcId;
    }
    if (family == 12000) {
        selection.nAllowed = 0;
    }
    selection.phaseAngleAllowed = family == 2000 || family == 7000 || family == 12000 ? 1 : 0;
    if (has(0, kKfItem)) {
        selection.bars.push_back(2);
        selection.kfItemId = kKfItem;
    }
    return selection;
}

void CHarmPanelState::AddFamily(std::wstring name, CHarmSelection selection)
{
    for (std::uint32_t bar = 3; bar <= 17; ++bar) {  // orders 1 to 15
        selection.ticked[bar] = 1;
    }
    m_Families.push_back({std::move(name), std::move(selection)});
    m_Selected = 0;
    Refresh();
}

void CHarmPanelState::Refresh()
{
    CHarmSelection* selection = Selection();
    if (selection == nullptr) {
        return;
    }
    CHarmSelection& s = *selection;
    if (s.bars.empty()) {
        DisableAll();
        return;
    }
    Enable(kPhaseAngle, false);
    for (const unsigned id : kRadios) {
        Check(id, false);
    }
    Enable(kFamilyList, true);
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        const unsigned id = kFirstPhase + phase;
        if (IsPhaseInMask(m_PhaseMask, phase)) {
            Enable(id, true);
        } else {
            Set(id, false, false);
            m_PhaseShown[phase] = 0;
        }
    }
    Enable(kFirstPhase + 3, false);
    if (s.phase < 4 && IsPhaseInMask(m_PhaseMask, s.phase)) {
        Check(kFirstPhase + s.phase, true);
        m_PhaseShown[s.phase] = 1;
    }
    if (s.valueType < 3) {
        Check(kRadios[s.valueType], true);
    }
    for (const unsigned id : {kThd, kDc, kKf}) {
        Enable(id, false);
    }
    // Order boxes take clicks only for orders the data has, and only while the
    // other orders are not added: those then show whatever is ticked.
    Check(kOtherOrders, s.mode == 1);
    Enable(kOtherOrders, true);
    for (std::uint32_t bar = 3; bar < 28; ++bar) {
        const bool present = std::find(s.bars.begin(), s.bars.end(), bar) != s.bars.end();
        Enable(BoxOf(bar), s.mode == 0 && present);
    }
    if (s.nAllowed != 0) {
        Enable(kFirstPhase + 3, IsPhaseInMask(m_PhaseMask, 3));
    } else if (Get(kFirstPhase + 3).checked) {
        Check(kFirstPhase + 3, false);
        m_PhaseShown[3] = 0;
    }
    Enable(kEffective, true);
    Enable(kRatio, true);
    Enable(kPhaseAngle, s.phaseAngleAllowed != 0);
    if (OtherOrdersRule(s) || s.valueType == 2) {
        s.ticked[0] = s.ticked[1] = s.ticked[2] = 0;
    }
    if (s.valueType == 0) {
        s.ticked[0] = 0;
    }
    if (s.valueType == 1) {
        s.ticked[2] = 0;
    }
    const bool interharmonic = IsInterharmonicFamily(s.itemId);
    const FamilyEntry* entry = EntryOf(s.itemId);
    m_OtherLabel = m_Texts(kOtherOrdersText) + (entry != nullptr ? entry->otherOrders : L"");
    for (unsigned i = 0; i < 25; ++i) {
        m_OrderLabels[i] = std::to_wstring(interharmonic ? i : i + 1);
    }
    for (std::uint32_t bar = 0; bar < 28; ++bar) {
        Check(BoxOf(bar), s.ticked[bar] != 0);
    }
}

bool CHarmPanelState::OtherOrdersRule(const CHarmSelection& selection) const
{
    if (!Get(kOtherOrders).checked) {
        return false;
    }
    for (std::uint32_t bar = 3; bar < 28; ++bar) {
        if (selection.ticked[bar] == 0) {
            return false;
        }
    }
    return true;
}

void CHarmPanelState::EnableExtras(const CHarmSelection& selection)
{
    for (const unsigned id : {kThd, kDc, kKf}) {
        Enable(id, false);
    }
    if (OtherOrdersRule(selection) || Selection() == nullptr) {
        return;
    }
    // By the family, wherever it stands in the list: the voltage and current
    // harmonics and the harmonic power have THD and DC bars, the current
    // harmonics a K factor.
    const std::uint32_t family = selection.itemId;
    if (family != 2000 && family != 7000 && family != 12000) {
        return;
    }
    if (family == 7000 && selection.valueType == 0) {
        Enable(kKf, true);
    }
    if (selection.valueType == 0 || selection.valueType == 1) {
        Enable(kDc, true);
    }
    if (selection.valueType == 1) {
        Enable(kThd, true);
    }
}

void CHarmPanelState::KeepPhaseValid(CHarmSelection& selection) const
{
    if (selection.phase < 4 && m_PhaseShown[selection.phase] != 0) {
        return;
    }
    selection.phase = 0;
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        if (m_PhaseShown[phase] != 0) {
            selection.phase = phase == 3 && selection.nAllowed == 0 ? 0 : phase;
            return;
        }
    }
}

void CHarmPanelState::ReadStatistics(CHarmSelection& selection) const
{
    selection.showMaximum = Get(kFirstStatistic).checked ? 1 : 0;
    selection.showMinimum = Get(kFirstStatistic + 1).checked ? 1 : 0;
    selection.showAverage = Get(kFirstStatistic + 2).checked ? 1 : 0;
    selection.showCp95 = Get(kFirstStatistic + 3).checked ? 1 : 0;
}

void CHarmPanelState::OnSelectFamily(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_Families.size() || !Get(kFamilyList).enabled) {
        return;
    }
    m_Selected = index;
    CHarmSelection& s = *Selection();
    KeepPhaseValid(s);
    Refresh();
    ReadStatistics(s);
    Finish(s);
}

void CHarmPanelState::OnClick(unsigned id, bool checked)
{
    if (!Get(id).enabled) {
        return;
    }
    Handle(id, checked);
}

void CHarmPanelState::Handle(unsigned id, bool checked)
{
    const auto radio = std::find(std::begin(kRadios), std::end(kRadios), id);
    if (radio != std::end(kRadios)) {
        for (const unsigned other : kRadios) {
            Check(other, other == id);
        }
    } else if (id != kRestoreDefaults && id != kSelectAll) {
        Check(id, checked);
    }
    CHarmSelection* selection = Selection();
    if (selection == nullptr) {
        Changed();
        return;
    }
    CHarmSelection& s = *selection;
    if (id >= kFirstPhase && id < kFirstPhase + 4) {
        s.phase = id - kFirstPhase;
        m_PhaseShown[s.phase] = checked ? 1 : 0;
        ReadStatistics(s);
    } else if (id >= kFirstStatistic && id < kFirstStatistic + 4) {
        ReadStatistics(s);
        KeepPhaseValid(s);
        Refresh();
    } else if (id >= kFirstOrder && id <= kKf) {
        s.ticked[BarOf(id)] = checked ? 1 : 0;
        ReadStatistics(s);
    } else if (radio != std::end(kRadios)) {
        s.valueType = static_cast<std::uint32_t>(radio - std::begin(kRadios));
        KeepPhaseValid(s);
        Refresh();
    } else if (id == kOtherOrders) {
        s.mode = checked ? 1 : 0;
        KeepPhaseValid(s);
        Refresh();
    } else if (id == kRestoreDefaults) {
        s.mode = 0;
        KeepPhaseValid(s);
        for (std::uint32_t bar = 3; bar < 28; ++bar) {
            s.ticked[bar] = bar <= 17 ? 1 : 0;
        }
        Refresh();
    } else if (id == kSelectAll) {
        KeepPhaseValid(s);
        s.mode = 1;
        for (std::uint32_t bar = 3; bar < 28; ++bar) {
            s.ticked[bar] = 1;
        }
        Refresh();
    } else {
        Changed();
        return;
    }
    Finish(s);
}

void CHarmPanelState::Finish(const CHarmSelection& selection)
{
    m_Current = selection;
    EnableExtras(m_Current);
    Changed();
    if (m_Owner != nullptr) {
        m_Owner->SetPhaseFlags(m_PhaseShown);
        m_Owner->SetPanelData(m_Current);
    }
}

void CHarmPanelState::Changed()
{
    if (m_Changed) {
        m_Changed();
    }
}
