#include "views/HarmTrendFrame.h"

#include <algorithm>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "terminal/BasicInfo.h"

namespace {

constexpr unsigned kTitle = 10082;  // "谐波趋势图"
constexpr std::uint32_t kPhaseBits[] = {0x1, 0x2, 0x4, 0x8};

// The index of a mask of exactly one of the bits 1, 2, 4, 8 (up to `count` of them);
// -1 for any other mask.
int SingleBitIndex(std::uint32_t mask, int count)
{
    for (int i = 0; i < count; ++i) {
        if (mask == (1u << i)) {
            return i;
        }
    }
    return -1;
}

}  // namespace

const RecordFrameProfile& HarmTrendProfile()
{
    static const RecordFrameProfile profile = [] {
        RecordFrameProfile p;
        p.viewId = harmtrend::kViewId;
        p.kind = 3;
        p.page = CColorPicker::kHarmonic;
        p.templateId = CHarmTrendPanel::kTemplateId;
        p.titleId = kTitle;
        return p;
    }();
    return profile;
}

CHarmTrendFrame::CHarmTrendFrame(IObserverViewBase& observer, TextSource texts)
    : CRecordFrameBase(HarmTrendProfile(), observer, std::move(texts), 4, 4, harmtrend::kSlots), m_Panel(Texts())
{
    m_Panel.SetOwner(this);
}

CHarmTrendFrame::~CHarmTrendFrame()
{
    m_Panel.SetOwner(nullptr);
}

std::wstring CHarmTrendFrame::PhaseName(std::uint32_t phase)
{
    static const wchar_t* const names[] = {L"L1", L"L2", L"L3", L"N"};
    return phase < 4 ? names[phase] : L"";
}

// ---- the frame's message ----

void CHarmTrendFrame::ReleaseRows()
{
    RemoveSeries();
    RemoveRows();
    ManagerGrid().Clear();
    Shown().clear();
}

void CHarmTrendFrame::ReleaseGrids()
{
    // The series that draw from the managers' caches go first.
    RemoveSeries();
    ManagerGrid().Clear();
    Shown().clear();
}

void CHarmTrendFrame::FrameCommand(unsigned subCode, std::intptr_t)
{
    if (subCode == kRemoveRows) {
        ReleaseRows();
    }
}

// ---- selection ----

void CHarmTrendFrame::ClearSelection()
{
    m_Items.clear();
    m_PhaseMask = 0;
    m_KindMask = 0;
    m_ValueTypeMask = 0;
    m_Orders.fill(0);
}

void CHarmTrendFrame::SetItem(std::uint32_t code)
{
    ReleaseGrids();
    m_Items.assign(1, code);
}

void CHarmTrendFrame::AddItem(std::uint32_t code)
{
    ReleaseGrids();
    if (std::find(m_Items.begin(), m_Items.end(), code) == m_Items.end()) {
        m_Items.push_back(code);
    }
}

void CHarmTrendFrame::RemoveItem(std::uint32_t code)
{
    ReleaseGrids();
    m_Items.erase(std::remove(m_Items.begin(), m_Items.end(), code), m_Items.end());
}

void CHarmTrendFrame::ChangeMask(std::uint32_t& mask, std::uint32_t value, int how)
{
    ReleaseGrids();
    mask = how == 0 ? value : how > 0 ? (mask | value) : (mask & ~value);
}

void CHarmTrendFrame::SetPhases(std::uint32_t bits) { ChangeMask(m_PhaseMask, bits, 0); }
void CHarmTrendFrame::AddPhases(std::uint32_t bits) { ChangeMask(m_PhaseMask, bits, 1); }
void CHarmTrendFrame::RemovePhases(std::uint32_t bits) { ChangeMask(m_PhaseMask, bits, -1); }
void CHarmTrendFrame::SetStatKinds(std::uint32_t bits) { ChangeMask(m_KindMask, bits, 0); }
void CHarmTrendFrame::AddStatKinds(std::uint32_t bits) { ChangeMask(m_KindMask, bits, 1); }
void CHarmTrendFrame::RemoveStatKinds(std::uint32_t bits) { ChangeMask(m_KindMask, bits, -1); }
void CHarmTrendFrame::SetValueTypes(std::uint32_t bits) { ChangeMask(m_ValueTypeMask, bits, 0); }
void CHarmTrendFrame::AddValueTypes(std::uint32_t bits) { ChangeMask(m_ValueTypeMask, bits, 1); }
void CHarmTrendFrame::RemoveValueTypes(std::uint32_t bits) { ChangeMask(m_ValueTypeMask, bits, -1); }

void CHarmTrendFrame::SetOrderSlot(int slot, std::uint32_t value)
{
    if (slot < 0 || slot >= harmtrend::kOrderSlots) {
        return;
    }
    ReleaseGrids();
    m_Orders[static_cast<std::size_t>(slot)] = value;
}

void CHarmTrendFrame::ClearOrderSlot(int slot)
{
    SetOrderSlot(slot, 0);
}

bool CHarmTrendFrame::HasSelection() const
{
    if (m_PhaseMask == 0 || m_KindMask == 0 || m_ValueTypeMask == 0 || m_Items.empty()) {
        return false;
    }
    if (m_Items.size() >= 2) {
        return true;
    }
    return !harmtrend::IsOrderFamily(m_Items.front()) ||
           std::any_of(m_Orders.begin(), m_Orders.end(), [](std::uint32_t value) { return value != 0; });
}

// ---- building ----

void CHarmTrendFrame::Rebuild()
{
    RemoveRows();
    ManagerGrid().ReleaseCaches();
    Shown().clear();
    if (!HasSelection() || Viewer() == nullptr) {
        Command(kRefresh, 0);
        return;
    }
    for (std::uint32_t p = 0; p < 4; ++p) {
        if ((m_PhaseMask & kPhaseBits[p]) == 0) {
            continue;
        }
        m_Phase = p;
        CollectItemKeys(false);
        IRowItem* row = MakeRow(p, PhaseName(p));
        if (!HasCollected() || row == nullptr) {
            continue;
        }
        const auto [lower, upper] = SetRowRange(*row, p, harmtrend::UnitCode(m_Item, m_ValueType));
        const std::vector<CRecordSeriesKey> added = AddCollectedSeries(*row, lower, upper);
        Shown().insert(Shown().end(), added.begin(), added.end());
    }
    Command(kRefresh, 0);
    Command(kZoomAll, 0);
}

void CHarmTrendFrame::CollectItemKeys(bool fullResolution)
{
    ClearCollected();
    const int valueType = SingleBitIndex(m_ValueTypeMask, 3);
    for (const std::uint32_t code : m_Items) {
        m_Item = code;
        if (valueType >= 0) {
            m_ValueType = static_cast<std::uint32_t>(valueType);
            CollectKindKeys(fullResolution);
        }
    }
}

void CHarmTrendFrame::CollectKindKeys(bool fullResolution)
{
    // The kind mask is compared for equality: several kinds at once collect nothing.
    const int kind = SingleBitIndex(m_KindMask, 4);
    if (kind < 0) {
        return;
    }
    m_Kind = static_cast<std::uint32_t>(kind);
    CollectOrderKeys(fullResolution);
}

void CHarmTrendFrame::CollectOrderKeys(bool fullResolution)
{
    if (!harmtrend::IsValidItem(m_Item)) {
        return;
    }
    CRecordSeriesKey key{m_Phase, m_Kind, static_cast<std::uint32_t>(-1), m_ValueType + 1, m_Item};
    if (harmtrend::IsOrderFamily(m_Item)) {
        std::vector<std::uint32_t> used;
        for (int k = 1; k <= harmtrend::kOrderSlots; ++k) {
            const std::uint32_t value = m_Orders[static_cast<std::size_t>(k - 1)];
            if (value == 0 || std::find(used.begin(), used.end(), value) != used.end()) {
                continue;
            }
            used.push_back(value);
            key.word1 = value - 1;
            AddKey(key, k, fullResolution);
        }
        return;
    }
    AddKey(key, harmtrend::SingleColorIndex(key), fullResolution);
}

bool CHarmTrendFrame::AddKey(const CRecordSeriesKey& key, int colorIndex, bool fullResolution)
{
    const std::uint32_t slot = harmtrend::SlotOf(key);
    // The colour index travels with the series in its style.
    return slot < harmtrend::kSlots && CollectSeries(key, slot, colorIndex, fullResolution);
}

std::wstring CHarmTrendFrame::SeriesName(const CRecordSeriesKey& key) const
{
    return harmtrend::SeriesName(key.item, harmtrend::SlotOf(key), Texts());
}

std::uint32_t CHarmTrendFrame::SeriesColor(const CRecordSeriesKey&, int hostWord) const
{
    return Colors().GetItemColor(0, 0, hostWord);
}

void CHarmTrendFrame::RebuildRange(bool fullResolution)
{
    if (Viewer() == nullptr) {
        return;
    }
    if (HasSelection()) {
        for (std::uint32_t p = 0; p < 4; ++p) {
            IRowItem* row = Row(p);
            if ((m_PhaseMask & kPhaseBits[p]) == 0 || row == nullptr) {
                continue;
            }
            m_Phase = p;
            CollectItemKeys(fullResolution);
            if (HasCollected()) {
                RepointRow(*row, p, harmtrend::UnitCode(m_Item, m_ValueType), fullResolution);
            }
        }
    }
    if (ViewerWindow()) {
        Viewer()->RefreshAll();
        Viewer()->Refresh();
    }
}

// ---- model and viewer events ----

void CHarmTrendFrame::Empty(bool reset)
{
    if (PanelWindowed()) {
        m_Panel.SetItems({}, 0xFF);
        if (reset) {
            // The panel shows that nothing is loaded.
            m_Panel.FillPanel();
        }
    }
    Command(kRefresh, 0);
    ReleaseRows();
    m_Orders.fill(0);
}

void CHarmTrendFrame::ShowLoaded()
{
    if (PanelWindowed()) {
        m_Panel.FillPanel();
    } else {
        Rebuild();
    }
}

void CHarmTrendFrame::TakeRecordInfo(const BasicInfo& info)
{
    m_Panel.SetItems(info.viewIds, info.phaseMask);
}

void CHarmTrendFrame::Recolor()
{
    CRecordFrameBase::Recolor();
    // The panel's swatches follow.
    m_Panel.Changed();
}

std::intptr_t CHarmTrendFrame::OtherRequest(std::uint32_t) const
{
    return kFrameKind;
}

void CHarmTrendFrame::FillKeys(ExportSource& source) const
{
    const int kind = SingleBitIndex(m_KindMask, 4);
    const int valueType = SingleBitIndex(m_ValueTypeMask, 3);
    if (kind < 0 || valueType < 0) {
        return;
    }
    for (const std::uint32_t code : m_Items) {
        if (!harmtrend::IsValidItem(code)) {
            continue;
        }
        // The orders in slot order, each once, as the rows show them.
        std::vector<std::int32_t> orders;
        if (harmtrend::IsOrderFamily(code)) {
            for (const std::uint32_t value : m_Orders) {
                const auto order = static_cast<std::int32_t>(value) - 1;
                if (value != 0 && std::find(orders.begin(), orders.end(), order) == orders.end()) {
                    orders.push_back(order);
                }
            }
        } else {
            orders.push_back(-1);
        }
        for (const std::int32_t order : orders) {
            for (std::uint32_t p = 0; p < 4; ++p) {
                if ((m_PhaseMask & kPhaseBits[p]) == 0) {
                    continue;
                }
                const CRecordSeriesKey key{p, static_cast<std::uint32_t>(kind), static_cast<std::uint32_t>(order),
                                           static_cast<std::uint32_t>(valueType + 1), code};
                const std::uint32_t slot = harmtrend::SlotOf(key);
                source.keys.push_back({static_cast<int>(p), kind, order, valueType + 1, static_cast<int>(code)});
                source.managers.push_back(slot < harmtrend::kSlots ? Grid().FindSummary(p, slot) : nullptr);
            }
        }
    }
}

// ---- panel side ----

std::uint32_t CHarmTrendFrame::OrderSlotColor(int k) const
{
    return Colors().GetItemColor(0, 0, k);
}

std::uint32_t CHarmTrendFrame::OrderSlotDefaultColor(int k) const
{
    return Colors().GetItemDefaultColor(0, 0, k);
}

int CHarmTrendFrame::StoreOrderSlotColor(int k, std::uint32_t color)
{
    return Colors().SetItemColor(color, 0, 0, k);
}

void CHarmTrendFrame::ColorsChanged()
{
    OnUpdate(kEventColors, harmtrend::kViewId, 0);
}
