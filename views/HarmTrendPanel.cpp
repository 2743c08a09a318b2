#include "views/HarmTrendPanel.h"

#include <algorithm>
#include <cwchar>

#include "views/HarmTrendItems.h"

namespace {

constexpr unsigned kNoItemText = 6130;     // "无数据项"
constexpr unsigned kOrdersText = 6143;     // "次数"
constexpr unsigned kOptionsText = 6140;    // "谐波选项"
constexpr const wchar_t* kOff = L"OFF";

struct Family {
    std::uint32_t code;
    std::uint32_t orders;
    unsigned nameId;
    unsigned captionId;
};

// The order families in the order of their bit in the availability table.
constexpr Family kTrendFamilies[] = {
    {2000, 50, 6056, 6131}, {3000, 50, 6057, 6134}, {4000, 35, 6058, 6136},
    {5000, 50, 6059, 6138}, {7000, 50, 6061, 6132}, {8000, 50, 6062, 6135},
    {9000, 35, 6063, 6137}, {10000, 50, 6064, 6139}, {12000, 50, 6066, 6133},
};

struct Single {
    std::uint32_t code;
    unsigned nameId;
};

constexpr Single kSingles[] = {
    {24, 6075}, {25, 6055}, {6000, 6076}, {6001, 6060}, {11000, 6077}, {11001, 6065},
};

int FamilyBit(std::uint32_t code)
{
    for (std::size_t i = 0; i < std::size(kTrendFamilies); ++i) {
        if (kTrendFamilies[i].code == code) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

CHarmTrendPanel::CHarmTrendPanel(TextSource texts) : m_Texts(std::move(texts)) {}

void CHarmTrendPanel::Changed()
{
    if (m_Changed) {
        m_Changed();
    }
}

void CHarmTrendPanel::Rebuild()
{
    if (m_Owner != nullptr) {
        m_Owner->Rebuild();
    }
}

void CHarmTrendPanel::SetItems(std::vector<std::uint32_t> items, std::uint32_t phaseMask)
{
    m_Items = std::move(items);
    m_PhaseMask = phaseMask;
}

CHarmTrendPanel::Group CHarmTrendPanel::GroupOf(std::uint32_t identifier)
{
    for (const Family& family : kTrendFamilies) {
        if (identifier >= family.code && identifier < family.code + family.orders) {
            return {family.code, identifier - family.code + 1, family.nameId};
        }
    }
    for (const Single& single : kSingles) {
        if (identifier == single.code) {
            return {single.code, 0, single.nameId};
        }
    }
    return {};
}

std::wstring CHarmTrendPanel::CaptionOf(std::uint32_t code) const
{
    for (const Family& family : kTrendFamilies) {
        if (family.code == code) {
            return m_Texts(family.captionId) + m_Texts(kOrdersText);
        }
    }
    return m_Texts(kOptionsText);
}

std::uint32_t CHarmTrendPanel::SelectedCode() const
{
    if (m_Selected < 0 || static_cast<std::size_t>(m_Selected) >= m_Entries.size()) {
        return 0;
    }
    return m_Entries[static_cast<std::size_t>(m_Selected)].code;
}

bool CHarmTrendPanel::HasOrder(std::uint32_t order, std::uint32_t family) const
{
    const int bit = FamilyBit(family);
    return bit >= 0 && order < m_OrderFamilies.size() && (m_OrderFamilies[order] & (1u << bit)) != 0;
}

void CHarmTrendPanel::OnInitDialog()
{
    if (m_Owner == nullptr) {
        return;
    }
    m_Phases[0].checked = true;
    m_Owner->AddPhases(1);
    m_Owner->Rebuild();
    m_Kinds = {};
    m_Kinds[2].checked = true;
    m_Owner->SetStatKinds(4);
    m_Owner->Rebuild();
    Changed();
}

void CHarmTrendPanel::FillPanel()
{
    m_Entries.clear();
    m_OrderFamilies = {};
    m_FamiliesSeen = 0;
    m_HighestOrder = 0;
    m_KFactorAvailable = false;
    for (const std::uint32_t identifier : m_Items) {
        if (identifier == kKFactor) {
            m_KFactorAvailable = true;
            continue;
        }
        const Group group = GroupOf(identifier);
        if (group.code == 0) {
            continue;
        }
        if (group.order != 0) {
            const int bit = FamilyBit(group.code);
            m_OrderFamilies[group.order] |= 1u << bit;
            m_FamiliesSeen |= 1u << bit;
            m_HighestOrder = std::max(m_HighestOrder, group.order);
        }
        const bool listed = std::any_of(m_Entries.begin(), m_Entries.end(),
                                        [&](const Entry& entry) { return entry.code == group.code; });
        if (!listed) {
            m_Entries.push_back({m_Texts(group.nameId), group.code});
        }
    }
    if (m_Entries.empty()) {
        m_Entries.push_back({m_Texts(kNoItemText), 0});
        m_Selected = 0;
        m_ListEnabled = false;
        for (Button& phase : m_Phases) {
            phase.enabled = false;
        }
        for (Button& kind : m_Kinds) {
            kind.enabled = false;
        }
        for (Button& type : m_ValueTypes) {
            type = {false, false};
        }
        for (OrderList& list : m_Orders) {
            list = OrderList{};
        }
        m_KFactor = {false, false};
        m_Caption = CaptionOf(0);
        Changed();
        return;
    }
    m_Selected = 0;
    m_ListEnabled = true;
    for (Button& kind : m_Kinds) {
        kind.enabled = true;
    }
    ItemChange();
}

void CHarmTrendPanel::OnSelectItem(int index)
{
    if (m_Owner == nullptr || index < 0 || static_cast<std::size_t>(index) >= m_Entries.size()) {
        return;
    }
    m_Selected = index;
    ItemChange();
}

void CHarmTrendPanel::ItemChange()
{
    const std::uint32_t code = SelectedCode();
    m_Caption = CaptionOf(code);
    Changed();

    Button& rms = m_ValueTypes[0];
    Button& ratio = m_ValueTypes[1];
    Button& angle = m_ValueTypes[2];
    std::uint32_t family = 0;
    if (harmtrend::IsThd(code)) {
        rms = {false, false};
        angle = {false, false};
        ratio = {true, true};
        m_ValueType = 2;
    } else if (harmtrend::IsOrderFamily(code) || harmtrend::IsDc(code)) {
        rms = {true, true};
        ratio = {true, false};
        // The phase angle is kept for the harmonics; the other families have none.
        const bool hasAngle = code == 2000 || code == 7000 || code == 12000;
        angle = {hasAngle, false};
        m_ValueType = 1;
        family = harmtrend::IsOrderFamily(code) ? code : 0;
    }
    FillOrderLists(family);

    // The phases the record holds; harmonic power has no N.
    for (int p = 3; p >= 0; --p) {
        Button& box = m_Phases[static_cast<std::size_t>(p)];
        const bool present = (p != 3 || !harmtrend::IsHarmonicPower(code)) && ((m_PhaseMask >> p) & 1u) != 0;
        if (present) {
            box.enabled = true;
        } else {
            box = {false, false};
            if (m_Owner != nullptr) {
                m_Owner->RemovePhases(1u << p);
            }
        }
    }
    if (m_Owner != nullptr) {
        m_Owner->SetValueTypes(m_ValueType);
        m_Owner->SetItem(code);
    }
    UpdateKFactor();
    Rebuild();
    Changed();
}

void CHarmTrendPanel::FillOrderLists(std::uint32_t family)
{
    m_Offset = harmtrend::IsInterharmonic(family) ? 1 : 0;
    for (OrderList& list : m_Orders) {
        list = OrderList{};
        list.enabled = family != 0;
    }
    if (family != 0) {
        for (std::uint32_t n = 1; n <= m_HighestOrder; ++n) {
            if (HasOrder(n, family)) {
                const std::wstring text = std::to_wstring(static_cast<long>(n) - static_cast<long>(m_Offset));
                for (OrderList& list : m_Orders) {
                    list.texts.push_back(text);
                }
            }
        }
    }
    // Every list starts at "OFF": the frame's slots follow, so that no series of an
    // earlier item stays behind a list that shows "OFF".
    if (m_Owner != nullptr) {
        for (int k = 0; k < harmtrend::kOrderSlots; ++k) {
            m_Owner->SetOrderSlot(k, 0);
        }
    }
    if (family != 0) {
        PresetOrder(1, L"3");
        PresetOrder(2, L"7");
        PresetOrder(3, L"1");
        PresetOrder(4, L"5");
    }
}

void CHarmTrendPanel::PresetOrder(int list, const wchar_t* text)
{
    // The preset is the order of that text, wherever the record's orders put it.
    const std::vector<std::wstring>& texts = m_Orders[static_cast<std::size_t>(list)].texts;
    const auto found = std::find(texts.begin(), texts.end(), text);
    if (found != texts.end()) {
        OnOrderChange(list, static_cast<int>(found - texts.begin()));
    }
}

std::uint32_t CHarmTrendPanel::OrderValue(int list) const
{
    const OrderList& orders = m_Orders[static_cast<std::size_t>(list)];
    if (orders.selected < 0 || static_cast<std::size_t>(orders.selected) >= orders.texts.size()) {
        return 0;
    }
    const std::wstring& text = orders.texts[static_cast<std::size_t>(orders.selected)];
    if (text == kOff) {
        return 0;
    }
    const long shown = std::wcstol(text.c_str(), nullptr, 10);
    const long value = shown + static_cast<long>(m_Offset);
    return value > 0 ? static_cast<std::uint32_t>(value) : 0;
}

void CHarmTrendPanel::OnOrderChange(int list, int index)
{
    if (m_Owner == nullptr || list < 0 || list >= harmtrend::kOrderSlots) {
        return;
    }
    OrderList& orders = m_Orders[static_cast<std::size_t>(list)];
    if (index < 0 || static_cast<std::size_t>(index) >= orders.texts.size()) {
        return;
    }
    orders.selected = index;
    m_Owner->SetOrderSlot(list, OrderValue(list));
    m_Owner->Rebuild();
    Changed();
}

void CHarmTrendPanel::OnPhaseClick(int phaseIndex, bool checked)
{
    if (m_Owner == nullptr || phaseIndex < 0 || phaseIndex > 3) {
        return;
    }
    Button& box = m_Phases[static_cast<std::size_t>(phaseIndex)];
    if (!box.enabled) {
        return;
    }
    box.checked = checked;
    const std::uint32_t bit = 1u << phaseIndex;
    if (checked) {
        m_Owner->AddPhases(bit);
    } else {
        m_Owner->RemovePhases(bit);
    }
    m_Owner->Rebuild();
    Changed();
}

void CHarmTrendPanel::OnKindClick(int index)
{
    if (m_Owner == nullptr || index < 0 || index > 2 || !m_Kinds[static_cast<std::size_t>(index)].enabled) {
        return;
    }
    for (std::size_t k = 0; k < m_Kinds.size(); ++k) {
        m_Kinds[k].checked = static_cast<int>(k) == index;
    }
    m_Owner->SetStatKinds(1u << index);
    m_Owner->Rebuild();
    Changed();
}

void CHarmTrendPanel::OnValueTypeClick(int index)
{
    if (m_Owner == nullptr || index < 0 || index > 2 || !m_ValueTypes[static_cast<std::size_t>(index)].enabled) {
        return;
    }
    for (std::size_t t = 0; t < m_ValueTypes.size(); ++t) {
        m_ValueTypes[t].checked = static_cast<int>(t) == index;
    }
    m_ValueType = 1u << index;
    if (index == 0) {
        UpdateKFactor();
    } else if (harmtrend::IsCurrentFamily(SelectedCode())) {
        m_KFactor = {false, false};
        OnKFactorClick(false);
    }
    m_Owner->SetValueTypes(m_ValueType);
    m_Owner->Rebuild();
    Changed();
}

void CHarmTrendPanel::UpdateKFactor()
{
    if (m_Owner == nullptr) {
        return;
    }
    // The K factor is a quantity of effective current values: offered beside the
    // current items with RMS values only.
    if (harmtrend::IsCurrentFamily(SelectedCode()) && m_ValueType == 1) {
        m_KFactor.enabled = m_KFactorAvailable;
        if (!m_KFactorAvailable) {
            m_KFactor.checked = false;
        }
        if (m_KFactor.checked) {
            m_Owner->AddItem(kKFactor);
        } else {
            m_Owner->RemoveItem(kKFactor);
        }
        return;
    }
    m_KFactor = {false, false};
    m_Owner->RemoveItem(kKFactor);
}

void CHarmTrendPanel::OnKFactorClick(bool checked)
{
    if (m_Owner == nullptr) {
        return;
    }
    m_KFactor.checked = checked && m_KFactor.enabled;
    if (m_KFactor.checked) {
        m_Owner->AddItem(kKFactor);
    } else {
        m_Owner->RemoveItem(kKFactor);
    }
    m_Owner->Rebuild();
    Changed();
}

void CHarmTrendPanel::OnToggle()
{
    if (m_Owner != nullptr) {
        m_Owner->TogglePanel();
    }
}

bool CHarmTrendPanel::OnSwatchClick(int list)
{
    if (m_Owner == nullptr || list < 0 || list >= harmtrend::kOrderSlots ||
        !m_Orders[static_cast<std::size_t>(list)].enabled) {
        return false;
    }
    m_RecolorSlot = list + 1;
    return true;
}

int CHarmTrendPanel::OnColorChosen(std::uint32_t color)
{
    if (m_Owner == nullptr) {
        return -1;
    }
    if (m_RecolorSlot >= 1 && m_RecolorSlot <= harmtrend::kOrderSlots) {
        m_Owner->StoreOrderSlotColor(m_RecolorSlot, color);
        m_Owner->ColorsChanged();
        Changed();
    }
    return 0;
}

std::uint32_t CHarmTrendPanel::SwatchColor(int list) const
{
    return m_Owner != nullptr ? m_Owner->OrderSlotColor(list + 1) : 0xFFFFFF;
}

std::uint32_t CHarmTrendPanel::SwatchDefaultColor(int list) const
{
    return m_Owner != nullptr ? m_Owner->OrderSlotDefaultColor(list + 1) : 0xFFFFFF;
}
