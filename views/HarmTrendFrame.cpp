#include "views/HarmTrendFrame.h"

#include <algorithm>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "views/ViewerCommands.h"
#include "platform/base/Hourglaze.h"
#include "terminal/BasicInfo.h"
#include "terminal/DataModel.h"
#include "terminal/ObserverViewBase.h"
#include "views/RecordFrame.h"

namespace {

constexpr unsigned kTitle = 10082;  // "谐波趋势图"
constexpr std::uint32_t kPhaseBits[] = {0x1, 0x2, 0x4, 0x8};
constexpr double kSmallestPositive = 2.2250738585072014e-308;
constexpr double kLargest = 1.7976931348623157e308;

std::wstring ResourceText(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

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
    : m_Observer(observer), m_Texts(texts ? std::move(texts) : TextSource(ResourceText)), m_Panel(m_Texts)
{
    m_Panel.SetOwner(this);
    m_PhaseMax.fill(kSmallestPositive);
    m_PhaseMin.fill(kLargest);
}

CHarmTrendFrame::~CHarmTrendFrame()
{
    m_Panel.SetOwner(nullptr);
    Detach();
}

void CHarmTrendFrame::AttachViewer(ITracelume* viewer)
{
    m_pViewer = viewer;
    m_Colors.Open(HarmTrendProfile().page);
}

void CHarmTrendFrame::Detach()
{
    Command(kRemoveRows, 0);
    m_pViewer = nullptr;
}

bool CHarmTrendFrame::ViewerWindow() const
{
    return recordview::HasViewerWindow(m_pViewer);
}

std::wstring CHarmTrendFrame::PhaseName(std::uint32_t phase)
{
    static const wchar_t* const names[] = {L"L1", L"L2", L"L3", L"N"};
    return phase < 4 ? names[phase] : L"";
}

void CHarmTrendFrame::Pad(double& lower, double& upper)
{
    CRecordFrame::WidenRange(lower, upper, false);
}

// ---- the frame's message ----

void CHarmTrendFrame::RemoveRows()
{
    for (IRowItem*& row : m_Rows) {
        if (row != nullptr) {
            row->RemoveAllImps();
            if (m_pViewer != nullptr) {
                m_pViewer->RemoveRow(row);
            }
            row = nullptr;
        }
    }
}

void CHarmTrendFrame::ReleaseGrids()
{
    // The series that draw from the managers' caches go first.
    Command(kRemoveSeries, 0);
    m_Grid.Clear();
    m_Shown.clear();
}

void CHarmTrendFrame::Command(unsigned subCode, std::intptr_t lParam)
{
    if (recordview::ApplyViewerCommand(m_pViewer, subCode, lParam)) {
        return;
    }
    switch (subCode) {
    case kRemoveSeries:
        for (IRowItem* row : m_Rows) {
            if (row != nullptr) {
                row->RemoveAllImps();
            }
        }
        break;
    case kTimeAxis:
        SetUpTimeAxis();
        break;
    case kRemoveRows:
        RemoveRows();
        Command(kRemoveSeries, 0);
        m_Grid.Clear();
        m_Shown.clear();
        break;
    default:
        break;
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
    m_Grid.ReleaseCaches();
    m_Shown.clear();
    if (!HasSelection() || m_pViewer == nullptr) {
        Command(kRefresh, 0);
        return;
    }
    for (std::uint32_t p = 0; p < 4; ++p) {
        if ((m_PhaseMask & kPhaseBits[p]) == 0) {
            continue;
        }
        m_Phase = p;
        CollectItemKeys(kSummary);
        PrepareRow();
        BuildRowSeries();
    }
    Command(kRefresh, 0);
    Command(kZoomAll, 0);
}

void CHarmTrendFrame::CollectItemKeys(Mode mode)
{
    m_Maxima.clear();
    m_Minima.clear();
    m_Keys.clear();
    m_ColorIndices.clear();
    const int valueType = SingleBitIndex(m_ValueTypeMask, 3);
    for (const std::uint32_t code : m_Items) {
        m_Item = code;
        if (valueType >= 0) {
            m_ValueType = static_cast<std::uint32_t>(valueType);
            CollectKindKeys(mode);
        }
    }
}

void CHarmTrendFrame::CollectKindKeys(Mode mode)
{
    // The kind mask is compared for equality: several kinds at once collect nothing.
    const int kind = SingleBitIndex(m_KindMask, 4);
    if (kind < 0) {
        return;
    }
    m_Kind = static_cast<std::uint32_t>(kind);
    CollectOrderKeys(mode);
}

void CHarmTrendFrame::CollectOrderKeys(Mode mode)
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
            // A key without a data manager has no colour either: the two lists stay paired.
            if (AddKey(key, mode)) {
                m_ColorIndices.push_back(k);
            }
        }
        return;
    }
    if (AddKey(key, mode)) {
        m_ColorIndices.push_back(harmtrend::SingleColorIndex(key));
    }
}

bool CHarmTrendFrame::AddKey(const CRecordSeriesKey& key, Mode mode)
{
    const std::uint32_t slot = harmtrend::SlotOf(key);
    if (slot >= harmtrend::kSlots) {
        return false;
    }
    int created = 0;
    CRecordDataManager* manager = m_Grid.GetOrCreateManager(key.phase, slot, &created, mode == kFullResolution);
    if (manager == nullptr) {
        return false;
    }
    IDataModel* model = mode == kFullResolution ? m_Observer.m_pSecondDataModel : m_Observer.m_pDataModel;
    if (mode == kFullResolution) {
        manager->Release();
        manager->SetRange(m_RequestStart, m_RequestEnd);
    }
    if ((created != 0 || mode == kFullResolution) && model != nullptr) {
        model->GetData(key.phase, key.kind, key.word1, key.word2, key.item,
                       reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(manager)));
    }
    // A series without a value (empty, or only gaps) has no extremes to show.
    if (manager->HasValue()) {
        m_Maxima.push_back(manager->GetMaxValue());
        m_Minima.push_back(manager->GetMinValue());
    }
    m_Keys.push_back(key);
    return true;
}

void CHarmTrendFrame::PrepareRow()
{
    IRowItem*& row = m_Rows[m_Phase];
    if (row == nullptr) {
        row = m_pViewer->AddRow(nullptr);
    } else {
        row->RemoveAllImps();
    }
    if (row != nullptr) {
        row->SetName(PhaseName(m_Phase));
    }
}

bool CHarmTrendFrame::CollectedRange(double& lower, double& upper) const
{
    if (m_Maxima.empty()) {
        lower = upper = 0.0;
    } else {
        upper = *std::max_element(m_Maxima.begin(), m_Maxima.end());
        lower = *std::min_element(m_Minima.begin(), m_Minima.end());
    }
    Pad(lower, upper);
    return true;
}

void CHarmTrendFrame::BuildRowSeries()
{
    IRowItem* row = m_Rows[m_Phase];
    if (m_Keys.empty() || row == nullptr) {
        return;
    }
    double lower = 0.0;
    double upper = 0.0;
    CollectedRange(lower, upper);
    m_PhaseMax[m_Phase] = upper;
    m_PhaseMin[m_Phase] = lower;
    row->SetRange(lower, upper, harmtrend::UnitCode(m_Item, m_ValueType), 3);
    const std::uint32_t phase = m_Phase;
    while (!m_Keys.empty()) {
        const CRecordSeriesKey key = m_Keys.back();
        const int colorIndex = m_ColorIndices.back();
        m_Keys.pop_back();
        m_ColorIndices.pop_back();
        m_Item = key.item;
        m_Phase = key.phase;
        const std::uint32_t slot = harmtrend::SlotOf(key);
        CRecordDataManager* manager = m_Grid.GetOrCreateManager(key.phase, slot, nullptr, false);
        // One series per cell: a second key of the same cell (the same order of two
        // quantities) would share its manager and its cache.
        if (manager == nullptr || m_Grid.GetCacheAt(key.phase, slot) != nullptr) {
            continue;
        }
        manager->SetDisplayRange(&lower, &upper);
        AddSeries(*row, *manager, key, colorIndex);
    }
    m_Phase = phase;
}

void CHarmTrendFrame::AddSeries(IRowItem& row, CRecordDataManager& manager, const CRecordSeriesKey& key,
                                int colorIndex)
{
    IBufferredDataManager* cache = m_pViewer->CreateDataManager(nullptr);
    IRowItemImp* imp = m_pViewer->CreateRowImp(tracelume::kRowKindAnalog);
    if (cache == nullptr || imp == nullptr) {
        if (cache != nullptr) {
            cache->Release();
        }
        if (imp != nullptr) {
            imp->Release();
        }
        return;
    }
    const std::uint32_t slot = harmtrend::SlotOf(key);
    cache->SetSource(&manager);
    m_Grid.SetCacheAt(key.phase, slot, cache);
    imp->SetData(cache);
    row.AddImp(imp);
    CLineStyleInfo style;
    style.m_name = harmtrend::SeriesName(key.item, slot, m_Texts);
    style.m_lineColor = m_Colors.GetItemColor(0, 0, colorIndex);
    style.m_visible = 0;
    style.m_showScale = 1;
    style.m_hostWord = colorIndex;
    style.m_itemCode = static_cast<std::int32_t>(key.item);
    style.m_phase = static_cast<std::int32_t>(key.phase);
    style.m_kindIndex = static_cast<std::int32_t>(key.kind);
    row.SetImpStyle(imp, style);
    cache->Build();
    m_Shown.push_back(key);
}

void CHarmTrendFrame::RefreshRanges(Mode mode)
{
    if (m_pViewer == nullptr) {
        return;
    }
    if (HasSelection()) {
        for (std::uint32_t p = 0; p < 4; ++p) {
            if ((m_PhaseMask & kPhaseBits[p]) == 0 || m_Rows[p] == nullptr) {
                continue;
            }
            m_Phase = p;
            CollectItemKeys(mode);
            UpdateRowRanges(mode);
        }
    }
    if (ViewerWindow()) {
        m_pViewer->RefreshAll();
        m_pViewer->Refresh();
    }
}

void CHarmTrendFrame::UpdateRowRanges(Mode mode)
{
    IRowItem* row = m_Rows[m_Phase];
    if (m_Keys.empty() || row == nullptr) {
        return;
    }
    double lower = 0.0;
    double upper = 0.0;
    CollectedRange(lower, upper);
    // Never narrower than the row's whole-record range, so the rows do not jump.
    lower = std::min(lower, m_PhaseMin[m_Phase]);
    upper = std::max(upper, m_PhaseMax[m_Phase]);
    row->SetRange(lower, upper, harmtrend::UnitCode(m_Item, m_ValueType), 3);
    while (!m_Keys.empty()) {
        const CRecordSeriesKey key = m_Keys.back();
        m_Keys.pop_back();
        m_ColorIndices.pop_back();
        const std::uint32_t slot = harmtrend::SlotOf(key);
        CRecordDataManager* manager = m_Grid.GetOrCreateManager(key.phase, slot, nullptr, mode == kFullResolution);
        if (manager == nullptr) {
            continue;
        }
        manager->SetDisplayRange(&lower, &upper);
        if (IBufferredDataManager* cache = m_Grid.GetCacheAt(key.phase, slot)) {
            cache->SetSource(manager);
            cache->Build();
        }
    }
}

// ---- model and viewer events ----

void CHarmTrendFrame::ResetPanel(bool fill)
{
    if (!m_PanelWindowed) {
        return;
    }
    m_Panel.SetItems({}, 0xFF);
    if (fill) {
        m_Panel.FillPanel();
    }
}

int CHarmTrendFrame::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    switch (event) {
    case kEventLoaded:
        ResetPanel(false);
        Command(kRefresh, 0);
        Command(kRemoveRows, 0);
        m_Orders.fill(0);
        Command(kTimeAxis, 0);
        if (m_PanelWindowed) {
            m_Panel.FillPanel();
        } else {
            Rebuild();
        }
        NotifyHourglaze((m_Texts(recordtext::kUpdating) + m_Texts(kTitle) + L"...").c_str());
        IncreaseHourglaze(static_cast<double>(static_cast<std::uint32_t>(lParam)));
        break;
    case kEventColors:
        if (wParam == 0 || wParam == harmtrend::kViewId) {
            Recolor();
        }
        break;
    case kEventReset:
        // The panel shows that nothing is loaded, and every row goes.
        ResetPanel(true);
        Command(kRefresh, 0);
        Command(kRemoveRows, 0);
        m_Orders.fill(0);
        break;
    default:
        break;
    }
    return 0;
}

void CHarmTrendFrame::Recolor()
{
    for (IRowItem* row : m_Rows) {
        if (row == nullptr) {
            continue;
        }
        for (int i = 0; i < row->GetImpCount(); ++i) {
            IRowItemImp* imp = row->GetImp(i);
            CLineStyleInfo style;
            row->GetImpStyle(imp, &style);
            style.m_lineColor = m_Colors.GetItemColor(0, 0, style.m_hostWord);
            row->SetImpStyle(imp, style);
        }
    }
    if (ViewerWindow()) {
        m_pViewer->RefreshAll();
        m_pViewer->Refresh();
    }
    // The panel's swatches follow.
    m_Panel.Changed();
}

void CHarmTrendFrame::SetUpTimeAxis()
{
    IDataModel* model = m_Observer.m_pDataModel;
    BasicInfo info;
    if (model == nullptr || model->QueryBasicInfo(&info) == 0 || !ViewerWindow()) {
        return;
    }
    m_Panel.SetItems(info.viewIds, info.phaseMask);
    std::uint32_t source = 0;
    model->GetSource(&source);
    CRecordFrame::ApplyTimeAxis(*m_pViewer, info, source);
}

std::intptr_t CHarmTrendFrame::RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (code) {
    case kDetailRange: {
        const auto first = static_cast<std::int64_t>(wParam);
        const auto last = static_cast<std::int64_t>(lParam);
        if (first >= 0 && last >= -1) {
            m_RequestStart = first;
            m_RequestEnd = last;
        }
        RefreshRanges(kFullResolution);
        m_RequestStart = 0;
        m_RequestEnd = -1;
        return 0;
    }
    case kDetailLeft:
        RefreshRanges(kSummary);
        return 0;
    default:
        return kFrameKind;
    }
}

int CHarmTrendFrame::FillAttributes(ExportSource& source) const
{
    if (IDataModel* model = m_Observer.m_pDataModel) {
        BasicInfo info;
        if (model->QueryBasicInfo(&info) != 0) {
            source.startTime = info.startText;
            source.interval = info.interval;
        }
    }
    const int kind = SingleBitIndex(m_KindMask, 4);
    const int valueType = SingleBitIndex(m_ValueTypeMask, 3);
    if (kind >= 0 && valueType >= 0) {
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
                    source.managers.push_back(slot < harmtrend::kSlots ? m_Grid.FindSummary(p, slot) : nullptr);
                }
            }
        }
    }
    source.kind = 0;
    return 1;
}

// ---- panel side ----

void CHarmTrendFrame::TogglePanel()
{
    m_Collapsed = !m_Collapsed;
    if (m_Toggle) {
        m_Toggle();
    }
}

std::uint32_t CHarmTrendFrame::OrderSlotColor(int k) const
{
    return m_Colors.GetItemColor(0, 0, k);
}

std::uint32_t CHarmTrendFrame::OrderSlotDefaultColor(int k) const
{
    return m_Colors.GetItemDefaultColor(0, 0, k);
}

int CHarmTrendFrame::StoreOrderSlotColor(int k, std::uint32_t color)
{
    return m_Colors.SetItemColor(color, 0, 0, k);
}

void CHarmTrendFrame::ColorsChanged()
{
    OnUpdate(kEventColors, harmtrend::kViewId, 0);
}
