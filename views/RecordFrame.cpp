#include "views/RecordFrame.h"

#include <algorithm>
#include <cmath>

#include "core/OndravaLog.h"
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
#include "views/ObserverView.h"

namespace {

constexpr std::uint32_t kKindBits[] = {0x1, 0x2, 0x4, 0x8};
constexpr std::uint32_t kNoPhaseIndex = 4;
constexpr std::uint32_t kSingleSeriesKind = 4;
constexpr int kNoPhaseColorBit = 0x20;
constexpr std::uint32_t kUnknownColor = 255;

std::wstring ResourceText(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

void Log(const std::wstring& line)
{
    if (COndravaLog* log = COndravaLog::GetInstance()) {
        log->Write(line);
    }
}

}  // namespace

CRecordFrame::CRecordFrame(const RecordFrameProfile& profile, IObserverViewBase& observer, TextSource texts)
    : m_Profile(profile),
      m_Observer(observer),
      m_Texts(texts ? std::move(texts) : TextSource(ResourceText)),
      m_Panel(profile, m_Texts)
{
    m_Panel.SetOwner(this);
}

CRecordFrame::~CRecordFrame()
{
    Detach();
}

std::wstring CRecordFrame::Text(unsigned id) const
{
    return m_Texts(id);
}

void CRecordFrame::AttachViewer(ITracelume* viewer, IRowItem* root)
{
    m_pViewer = viewer;
    m_pRoot = root;
    m_Colors.Open(m_Profile.page);
}

void CRecordFrame::Detach()
{
    Command(kRemoveSeries, 0);
    m_Grid.Clear();
    m_pRoot = nullptr;
    m_pViewer = nullptr;
}

bool CRecordFrame::ViewerWindow() const
{
    return recordview::HasViewerWindow(m_pViewer);
}

void CRecordFrame::Command(unsigned subCode, std::intptr_t lParam)
{
    if (recordview::ApplyViewerCommand(m_pViewer, subCode, lParam)) {
        return;
    }
    switch (subCode) {
    case kRemoveSeries:
        if (m_pRoot != nullptr) {
            m_pRoot->RemoveAllImps();
        }
        break;
    case kTimeAxis:
        SetUpTimeAxis();
        break;
    default:
        break;
    }
}

// ---- model events ----

void CRecordFrame::ResetPanel()
{
    if (!m_PanelWindowed) {
        return;
    }
    if (m_Profile.items.empty()) {
        m_Panel.FillPanel(false);
    } else {
        m_Panel.SetItems({}, 255);
        m_Panel.FillPanel();
    }
}

void CRecordFrame::ClearGrid()
{
    m_Grid.Clear();
    if (m_Profile.setsLimits) {
        m_Grid.SetRange(m_Profile.limitLow, m_Profile.limitHigh, m_Profile.limitMode,
                        CRecordDataManager::kNoSubstitute);
    }
}

void CRecordFrame::Empty()
{
    // Before the panel is reset: its reset must not rebuild the old item's series.
    m_FrequencyAvailable = false;
    ResetPanel();
    Command(kRefresh, 0);
    Command(kRemoveSeries, 0);
    ClearGrid();
    m_Shown.clear();
}

int CRecordFrame::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    switch (event) {
    case kEventLoaded: {
        Empty();
        Command(kTimeAxis, 0);
        if (m_PanelWindowed) {
            m_Panel.FillPanel(m_FrequencyAvailable);
        } else {
            Rebuild();
        }
        const std::wstring title = m_Profile.items.empty() ? Text(recordtext::kFrequency) + Text(recordtext::kTrend)
                                                            : Text(m_Profile.titleId);
        NotifyHourglaze((Text(recordtext::kUpdating) + title + L"...").c_str());
        IncreaseHourglaze(static_cast<double>(static_cast<std::uint32_t>(lParam)));
        break;
    }
    case kEventColors:
        if ((wParam == 0 || wParam == m_Profile.viewId) && m_pRoot != nullptr) {
            Recolor();
        }
        break;
    case kEventReset:
        Empty();
        break;
    default:
        break;
    }
    return 0;
}

void CRecordFrame::Recolor()
{
    m_Colors.Open(m_Profile.page);
    for (int i = 0; i < m_pRoot->GetImpCount(); ++i) {
        IRowItemImp* imp = m_pRoot->GetImp(i);
        CLineStyleInfo style;
        m_pRoot->GetImpStyle(imp, &style);
        CRecordSeriesKey key;
        key.phase = static_cast<std::uint32_t>(style.m_phase);
        key.kind = static_cast<std::uint32_t>(style.m_kindIndex);
        key.item = static_cast<std::uint32_t>(style.m_itemCode);
        style.m_lineColor = SeriesColor(key);
        m_pRoot->SetImpStyle(imp, style);
    }
    if (ViewerWindow()) {
        m_pViewer->RefreshAll();
        m_pViewer->Refresh();
    }
}

// ---- time axis ----

void CRecordFrame::SetUpTimeAxis()
{
    IDataModel* model = m_Observer.m_pDataModel;
    BasicInfo info;
    if (model == nullptr || model->QueryBasicInfo(&info) == 0 || !ViewerWindow()) {
        return;
    }
    m_Panel.SetItems(info.viewIds, info.phaseMask);
    m_FrequencyAvailable = m_Profile.items.empty() &&
                           std::find(info.viewIds.begin(), info.viewIds.end(), m_Profile.fixedItem.code) !=
                               info.viewIds.end();
    std::uint32_t source = 0;
    model->GetSource(&source);
    m_DetailAllowed = ApplyTimeAxis(*m_pViewer, info, source);
}

bool CRecordFrame::ApplyTimeAxis(ITracelume& viewer, const BasicInfo& info, std::uint32_t source)
{
    ExportSource start;
    start.startTime = info.startText;
    const std::optional<std::int64_t> origin = start.StartNanoseconds();
    const bool detailAllowed = source != 1;
    viewer.Command(tracelume::kCommandDetailView, detailAllowed ? 1 : 0, 0);
    if (origin) {
        const auto bits = static_cast<std::uint64_t>(*origin);
        viewer.Command(tracelume::kCommandTimeOrigin, static_cast<std::intptr_t>(bits >> 32),
                       static_cast<std::intptr_t>(bits & 0xFFFFFFFFu));
    } else {
        Log(L"record start time not understood: \"" + info.startText + L"\"");
    }
    viewer.Command(tracelume::kCommandLabelStyle, 1, 0);
    viewer.SetDataLength(info.recordCount, 0);
    // The interval is kept whole (sub-second intervals too); no interval, no time scale.
    if (std::isfinite(info.interval) && info.interval > 0.0) {
        viewer.SetSampleRate(1.0 / info.interval);
    } else {
        Log(L"record interval refused: " + std::to_wstring(info.interval));
    }
    return detailAllowed;
}

// ---- panel operations ----

void CRecordFrame::ChangeMask(std::uint32_t& mask, std::uint32_t bits, bool set, int rebuild)
{
    mask = set ? (mask | bits) : (mask & ~bits);
    if (rebuild == 1) {
        Rebuild();
    }
}

void CRecordFrame::ShowKind(std::uint32_t bits, int rebuild) { ChangeMask(m_KindMask, bits, true, rebuild); }
void CRecordFrame::HideKind(std::uint32_t bits, int rebuild) { ChangeMask(m_KindMask, bits, false, rebuild); }
void CRecordFrame::ShowPhase(std::uint32_t bits, int rebuild) { ChangeMask(m_PhaseMask, bits, true, rebuild); }
void CRecordFrame::HidePhase(std::uint32_t bits, int rebuild) { ChangeMask(m_PhaseMask, bits, false, rebuild); }

void CRecordFrame::SelectItem(std::uint32_t code, int rebuild)
{
    m_Item = code;
    Command(kRemoveSeries, 0);
    ClearGrid();
    if (rebuild == 1) {
        Rebuild();
    }
}

void CRecordFrame::TogglePanel()
{
    m_Collapsed = !m_Collapsed;
    if (m_Toggle) {
        m_Toggle();
    }
}

// ---- series ----

std::uint32_t CRecordFrame::ShownItem() const
{
    return m_Profile.items.empty() ? m_Profile.fixedItem.code : m_Item;
}

bool CRecordFrame::ItemShown() const
{
    if (m_Profile.items.empty()) {
        return m_FrequencyAvailable;
    }
    return m_Profile.FindItem(m_Item) != nullptr;
}

void CRecordFrame::ClearLists()
{
    m_Maxima.clear();
    m_Minima.clear();
    m_Pending.clear();
    m_Shown.clear();
    m_PendingLength = 0;
}

void CRecordFrame::AddSeries(std::uint32_t phase, std::uint32_t kind, bool fullResolution)
{
    const std::uint32_t item = ShownItem();
    int created = 0;
    CRecordDataManager* manager = m_Grid.GetOrCreateManager(phase, kind, &created, fullResolution);
    if (manager == nullptr) {
        return;
    }
    IDataModel* model = fullResolution ? m_Observer.m_pSecondDataModel : m_Observer.m_pDataModel;
    if (fullResolution) {
        manager->Release();
        manager->SetRange(m_RequestStart, m_RequestEnd);
    }
    if ((created != 0 || fullResolution) && model != nullptr) {
        model->GetData(phase, kind, 0, 1, item, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(manager)));
    }
    // A series without a value (empty, or only gaps) has no extremes to show.
    if (manager->HasValue()) {
        m_Maxima.push_back(manager->GetMaxValue());
        m_Minima.push_back(manager->GetMinValue());
    }
    m_PendingLength = std::max(m_PendingLength, manager->GetCount());
    const CRecordSeriesKey key{phase, kind, 0, 1, item};
    m_Pending.push_back(key);
    m_Shown.push_back(key);
}

void CRecordFrame::AddSelectedSeries(bool fullResolution)
{
    if (m_Profile.phases.empty()) {
        for (std::uint32_t k = 0; k < 4; ++k) {
            if ((m_KindMask & kKindBits[k]) != 0) {
                AddSeries(kNoPhaseIndex, k, fullResolution);
            }
        }
        return;
    }
    const std::uint32_t item = ShownItem();
    for (const RecordPhaseEntry& phase : m_Profile.phases) {
        if ((m_PhaseMask & phase.bit) == 0) {
            continue;
        }
        // The item without an all-phase series has no row for it, in summary and
        // in detail alike (its data must not widen the range of the rows shown).
        if (item == m_Profile.itemWithoutAll && phase.ignoresRecordMask) {
            continue;
        }
        if (m_Profile.IsEnergy(item)) {
            AddSeries(phase.index, kSingleSeriesKind, fullResolution);
            continue;
        }
        for (std::uint32_t k = 0; k < 4; ++k) {
            if ((m_KindMask & kKindBits[k]) != 0) {
                AddSeries(phase.index, k, fullResolution);
            }
        }
    }
}

void CRecordFrame::WidenRange(double& minimum, double& maximum, bool frequencyRule)
{
    if (frequencyRule && maximum <= 0.0) {
        minimum = 0.0;
        maximum = 1.0;
        return;
    }
    const double span = maximum - minimum;
    const double margin = span >= 1.0 ? span / 10.0 : 0.5;
    minimum -= margin;
    maximum += margin;
    if (frequencyRule && minimum < 0.0) {
        minimum = 0.0;
    }
}

bool CRecordFrame::PendingRange(double& minimum, double& maximum) const
{
    if (m_Maxima.empty()) {
        minimum = maximum = 0.0;
    } else {
        maximum = *std::max_element(m_Maxima.begin(), m_Maxima.end());
        minimum = *std::min_element(m_Minima.begin(), m_Minima.end());
    }
    WidenRange(minimum, maximum, m_Profile.frequencyRange);
    return true;
}

std::uint32_t CRecordFrame::SeriesColor(const CRecordSeriesKey& key) const
{
    int phaseBit = 0;
    if (m_Profile.phases.empty()) {
        phaseBit = key.phase == kNoPhaseIndex ? kNoPhaseColorBit : 0;
    } else {
        for (const RecordPhaseEntry& phase : m_Profile.phases) {
            if (phase.index == key.phase) {
                phaseBit = phase.colorBit;
            }
        }
    }
    int kindBit = 0;
    if (key.kind < 4) {
        kindBit = static_cast<int>(kKindBits[key.kind]);
    } else if (key.kind == kSingleSeriesKind && !m_Profile.energyItems.empty()) {
        kindBit = 0x10;
    }
    if (phaseBit == 0 || kindBit == 0) {
        return kUnknownColor;
    }
    return m_Colors.GetItemColor(phaseBit, kindBit, CColorPicker::kNoItem);
}

std::wstring CRecordFrame::SeriesName(const CRecordSeriesKey& key) const
{
    std::wstring kind;
    if (key.kind < 4) {
        kind = Text(recordtext::kMaximum + key.kind);
    } else if (key.kind == kSingleSeriesKind && !m_Profile.energyItems.empty()) {
        kind = Text(recordtext::kRms);
    } else {
        kind = Text(recordtext::kUnknown);
    }
    if (!m_Profile.namesWithPhase) {
        return kind;
    }
    std::wstring phase = Text(recordtext::kUnknown);
    for (const RecordPhaseEntry& entry : m_Profile.phases) {
        if (entry.index == key.phase) {
            phase = entry.text;
        }
    }
    return Text(recordtext::kChannel) + L" " + phase + L" " + kind;
}

void CRecordFrame::AddRow(CRecordDataManager& manager, const std::wstring& name, std::uint32_t color,
                          const CRecordSeriesKey& key)
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
    cache->SetSource(&manager);
    m_Grid.SetCacheAt(key.phase, key.kind, cache);
    imp->SetData(cache);
    m_pRoot->AddImp(imp);
    CLineStyleInfo style;
    style.m_name = name;
    style.m_lineColor = color;
    style.m_visible = 0;
    style.m_showScale = 1;
    style.m_hostWord = 0;
    style.m_itemCode = static_cast<std::int32_t>(key.item);
    style.m_phase = static_cast<std::int32_t>(key.phase);
    style.m_kindIndex = static_cast<std::int32_t>(key.kind);
    m_pRoot->SetImpStyle(imp, style);
    cache->Build();
}

int CRecordFrame::Rebuild()
{
    if (!ItemShown()) {
        return 0;
    }
    ClearLists();
    if (m_pRoot == nullptr || m_pViewer == nullptr) {
        return 0;
    }
    Command(kRemoveSeries, 0);
    m_Grid.ReleaseCaches();
    AddSelectedSeries(false);
    if (m_Pending.empty()) {
        Command(kRefresh, 0);
        return 0;
    }
    double minimum = 0.0;
    double maximum = 0.0;
    PendingRange(minimum, maximum);
    m_DisplayMax = maximum;
    m_DisplayMin = minimum;
    const int unit = m_Profile.UnitOf(ShownItem());
    m_pRoot->SetRange(minimum, maximum, unit, 3);
    // The length of the longest series, set once for all rows.
    Command(kSetLength, static_cast<std::intptr_t>(m_PendingLength));
    const bool zeroTest = m_Profile.IsZeroEmptied(ShownItem());
    if (!m_Profile.zeroEmptiedItems.empty()) {
        // An earlier all-zero series switched the detail view off; the rows now
        // shown decide afresh.
        m_pViewer->Command(tracelume::kCommandDetailView, m_DetailAllowed ? 1 : 0, 0);
    }
    while (!m_Pending.empty()) {
        const CRecordSeriesKey key = m_Pending.back();
        m_Pending.pop_back();
        CRecordDataManager* manager = m_Grid.FindSummary(key.phase, key.kind);
        if (manager == nullptr) {
            continue;
        }
        manager->SetDisplayRange(&minimum, &maximum);
        const std::uint32_t color = SeriesColor(key);
        const std::wstring name = SeriesName(key);
        if (zeroTest && manager->ClearIfAllZero() != 0) {
            m_pViewer->Command(tracelume::kCommandDetailView, 0, 0);
        }
        AddRow(*manager, name, color, key);
    }
    Command(kRefresh, 0);
    Command(kZoomAll, 0);
    return 1;
}

int CRecordFrame::RebuildRange(bool fullResolution)
{
    if (!ItemShown()) {
        return 0;
    }
    ClearLists();
    if (m_pRoot == nullptr || m_pViewer == nullptr) {
        return 0;
    }
    AddSelectedSeries(fullResolution);
    if (m_Pending.empty()) {
        if (ViewerWindow()) {
            m_pViewer->RefreshAll();
            m_pViewer->Refresh();
        }
        return 0;
    }
    double minimum = 0.0;
    double maximum = 0.0;
    PendingRange(minimum, maximum);
    // Never narrower than the whole record's range, so the rows do not jump.
    minimum = std::min(minimum, m_DisplayMin);
    maximum = std::max(maximum, m_DisplayMax);
    m_pRoot->SetRange(minimum, maximum, m_Profile.UnitOf(ShownItem()), 3);
    while (!m_Pending.empty()) {
        const CRecordSeriesKey key = m_Pending.back();
        m_Pending.pop_back();
        CRecordDataManager* manager = m_Grid.GetOrCreateManager(key.phase, key.kind, nullptr, fullResolution);
        if (manager == nullptr) {
            continue;
        }
        manager->SetDisplayRange(&minimum, &maximum);
        if (IBufferredDataManager* cache = m_Grid.GetCacheAt(key.phase, key.kind)) {
            cache->SetSource(manager);
            cache->Build();
        }
    }
    return 1;
}

std::intptr_t CRecordFrame::RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
{
    switch (code) {
    case kDetailRange: {
        const auto first = static_cast<std::int64_t>(wParam);
        const auto last = static_cast<std::int64_t>(lParam);
        if (first >= 0 && last >= -1) {
            m_RequestStart = first;
            m_RequestEnd = last;
        }
        RebuildRange(true);
        m_RequestStart = 0;
        m_RequestEnd = -1;
        return 0;
    }
    case kDetailLeft:
        RebuildRange(false);
        return 0;
    case IObserverView::kQueryKind:
        return m_Profile.kind;
    default:
        return 0;
    }
}

int CRecordFrame::FillAttributes(ExportSource& source) const
{
    if (IDataModel* model = m_Observer.m_pDataModel) {
        BasicInfo info;
        if (model->QueryBasicInfo(&info) != 0) {
            source.startTime = info.startText;
            source.interval = info.interval;
        }
    }
    for (const CRecordSeriesKey& key : m_Shown) {
        source.keys.push_back({static_cast<int>(key.phase), static_cast<int>(key.kind), static_cast<int>(key.word1),
                               static_cast<int>(key.word2), static_cast<int>(key.item)});
        source.managers.push_back(m_Grid.FindSummary(key.phase, key.kind));
    }
    source.kind = 0;
    return 1;
}
