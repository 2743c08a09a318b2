#include "views/RecordFrame.h"

#include <algorithm>
#include <functional>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "terminal/BasicInfo.h"
#include "terminal/RecordDataManager.h"

namespace {

constexpr std::uint32_t kKindBits[] = {0x1, 0x2, 0x4, 0x8};
constexpr std::uint32_t kNoPhaseIndex = 4;
constexpr std::uint32_t kSingleSeriesKind = 4;
constexpr int kNoPhaseColorBit = 0x20;
constexpr std::uint32_t kUnknownColor = 255;

}  // namespace

CRecordFrame::CRecordFrame(const RecordFrameProfile& profile, IObserverViewBase& observer, TextSource texts)
    : CRecordFrameBase(profile, observer, std::move(texts), 1, 5, 5), m_Panel(profile, Texts())
{
    m_Panel.SetOwner(this);
}

CRecordFrame::~CRecordFrame() = default;

// ---- model events ----

void CRecordFrame::ResetPanel()
{
    if (!PanelWindowed()) {
        return;
    }
    if (Profile().items.empty()) {
        m_Panel.FillPanel(false);
    } else {
        m_Panel.SetItems({}, 255);
        m_Panel.FillPanel();
    }
}

void CRecordFrame::Empty(bool)
{
    // Before the panel is reset: its reset must not rebuild the old item's series.
    m_FrequencyAvailable = false;
    ResetPanel();
    Command(kRefresh, 0);
    RemoveSeries();
    ClearGrid();
    Shown().clear();
}

void CRecordFrame::ShowLoaded()
{
    if (PanelWindowed()) {
        m_Panel.FillPanel(m_FrequencyAvailable);
    } else {
        Rebuild();
    }
}

std::wstring CRecordFrame::Title() const
{
    return Profile().items.empty() ? Text(recordtext::kFrequency) + Text(recordtext::kTrend)
                                   : Text(Profile().titleId);
}

void CRecordFrame::TakeRecordInfo(const BasicInfo& info)
{
    m_Panel.SetItems(info.viewIds, info.phaseMask);
    m_FrequencyAvailable = Profile().items.empty() &&
                           std::find(info.viewIds.begin(), info.viewIds.end(), Profile().fixedItem.code) !=
                               info.viewIds.end();
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
    RemoveSeries();
    ClearGrid();
    if (rebuild == 1) {
        Rebuild();
    }
}

// ---- series ----

std::uint32_t CRecordFrame::ShownItem() const
{
    return Profile().items.empty() ? Profile().fixedItem.code : m_Item;
}

bool CRecordFrame::ItemShown() const
{
    if (Profile().items.empty()) {
        return m_FrequencyAvailable;
    }
    return Profile().FindItem(m_Item) != nullptr;
}

void CRecordFrame::ClearLists()
{
    ClearCollected();
    Shown().clear();
}

void CRecordFrame::AddSeries(std::uint32_t phase, std::uint32_t kind, bool fullResolution)
{
    const CRecordSeriesKey key{phase, kind, 0, 1, ShownItem()};
    if (CollectSeries(key, kind, 0, fullResolution)) {
        Shown().push_back(key);
    }
}

void CRecordFrame::AddSelectedSeries(bool fullResolution)
{
    const RecordFrameProfile& profile = Profile();
    if (profile.phases.empty()) {
        for (std::uint32_t k = 0; k < 4; ++k) {
            if ((m_KindMask & kKindBits[k]) != 0) {
                AddSeries(kNoPhaseIndex, k, fullResolution);
            }
        }
        return;
    }
    const std::uint32_t item = ShownItem();
    for (const RecordPhaseEntry& phase : profile.phases) {
        if ((m_PhaseMask & phase.bit) == 0) {
            continue;
        }
        // The item without an all-phase series has no row for it, in summary and
        // in detail alike (its data must not widen the range of the rows shown).
        if (item == profile.itemWithoutAll && phase.ignoresRecordMask) {
            continue;
        }
        if (profile.IsEnergy(item)) {
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

std::uint32_t CRecordFrame::SeriesColor(const CRecordSeriesKey& key, int) const
{
    const RecordFrameProfile& profile = Profile();
    int phaseBit = 0;
    if (profile.phases.empty()) {
        phaseBit = key.phase == kNoPhaseIndex ? kNoPhaseColorBit : 0;
    } else {
        for (const RecordPhaseEntry& phase : profile.phases) {
            if (phase.index == key.phase) {
                phaseBit = phase.colorBit;
            }
        }
    }
    int kindBit = 0;
    if (key.kind < 4) {
        kindBit = static_cast<int>(kKindBits[key.kind]);
    } else if (key.kind == kSingleSeriesKind && !profile.energyItems.empty()) {
        kindBit = 0x10;
    }
    if (phaseBit == 0 || kindBit == 0) {
        return kUnknownColor;
    }
    return Colors().GetItemColor(phaseBit, kindBit, CColorPicker::kNoItem);
}

std::wstring CRecordFrame::SeriesName(const CRecordSeriesKey& key) const
{
    std::wstring kind;
    if (key.kind < 4) {
        kind = Text(recordtext::kMaximum + key.kind);
    } else if (key.kind == kSingleSeriesKind && !Profile().energyItems.empty()) {
        kind = Text(recordtext::kRms);
    } else {
        kind = Text(recordtext::kUnknown);
    }
    if (!Profile().namesWithPhase) {
        return kind;
    }
    std::wstring phase = Text(recordtext::kUnknown);
    for (const RecordPhaseEntry& entry : Profile().phases) {
        if (entry.index == key.phase) {
            phase = entry.text;
        }
    }
    return Text(recordtext::kChannel) + L" " + phase + L" " + kind;
}

IRowItem* CRecordFrame::StartCollection()
{
    if (!ItemShown()) {
        return nullptr;
    }
    ClearLists();
    return Viewer() != nullptr ? Root() : nullptr;
}

void CRecordFrame::Rebuild()
{
    IRowItem* root = StartCollection();
    if (root == nullptr) {
        return;
    }
    RemoveSeries();
    ManagerGrid().ReleaseCaches();
    AddSelectedSeries(false);
    if (!HasCollected()) {
        Command(kRefresh, 0);
        return;
    }
    const auto [minimum, maximum] = SetRowRange(*root, 0, Profile().UnitOf(ShownItem()));
    // The length of the longest series, set once for all rows.
    Command(kSetLength, static_cast<std::intptr_t>(CollectedLength()));
    std::function<void(CRecordDataManager&)> zeroTest;
    if (!Profile().zeroEmptiedItems.empty()) {
        // An earlier all-zero series switched the detail view off; the rows now
        // shown decide afresh.
        Viewer()->Command(tracelume::kCommandDetailView, DetailAllowed() ? 1 : 0, 0);
    }
    if (Profile().IsZeroEmptied(ShownItem())) {
        zeroTest = [this](CRecordDataManager& manager) {
            if (manager.ClearIfAllZero() != 0) {
                Viewer()->Command(tracelume::kCommandDetailView, 0, 0);
            }
        };
    }
    AddCollectedSeries(*root, minimum, maximum, zeroTest);
    Command(kRefresh, 0);
    Command(kZoomAll, 0);
}

void CRecordFrame::RebuildRange(bool fullResolution)
{
    IRowItem* root = StartCollection();
    if (root == nullptr) {
        return;
    }
    AddSelectedSeries(fullResolution);
    if (!HasCollected()) {
        if (ViewerWindow()) {
            Viewer()->RefreshAll();
            Viewer()->Refresh();
        }
        return;
    }
    RepointRow(*root, 0, Profile().UnitOf(ShownItem()), fullResolution);
}

void CRecordFrame::FillKeys(ExportSource& source) const
{
    for (const CRecordSeriesKey& key : ShownKeys()) {
        source.keys.push_back({static_cast<int>(key.phase), static_cast<int>(key.kind), static_cast<int>(key.word1),
                               static_cast<int>(key.word2), static_cast<int>(key.item)});
        source.managers.push_back(Grid().FindSummary(key.phase, key.kind));
    }
}
