#include "views/RecordFrameBase.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/Hourglaze.h"
#include "terminal/BasicInfo.h"
#include "terminal/DataModel.h"
#include "terminal/ObserverViewBase.h"
#include "views/ObserverView.h"

namespace {

constexpr double kSmallestPositive = 2.2250738585072014e-308;
constexpr double kLargest = 1.7976931348623157e308;

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

CRecordFrameBase::CRecordFrameBase(const RecordFrameProfile& profile, IObserverViewBase& observer, TextSource texts,
                                   std::uint32_t rows, std::uint32_t phases, std::uint32_t columns)
    : m_Profile(profile),
      m_Observer(observer),
      m_Texts(texts ? std::move(texts) : TextSource(ResourceText)),
      m_Rows(std::max<std::uint32_t>(rows, 1), nullptr),
      m_RowRanges(m_Rows.size(), {kLargest, kSmallestPositive}),
      m_Grid(phases, columns)
{
}

CRecordFrameBase::~CRecordFrameBase()
{
    Detach();
}

void CRecordFrameBase::AttachViewer(ITracelume* viewer, IRowItem* root)
{
    m_pViewer = viewer;
    m_RootGiven = root != nullptr;
    if (m_RootGiven) {
        m_Rows.front() = root;
    }
    m_Colors.Open(m_Profile.page);
}

void CRecordFrameBase::Detach()
{
    RemoveSeries();
    RemoveRows();
    m_Grid.Clear();
    m_Shown.clear();
    if (m_RootGiven) {
        m_Rows.front() = nullptr;
        m_RootGiven = false;
    }
    m_pViewer = nullptr;
}

bool CRecordFrameBase::ViewerWindow() const
{
    return m_pViewer != nullptr && m_pViewer->GetHwnd() != nullptr;
}

void CRecordFrameBase::TogglePanelCollapsed()
{
    m_Collapsed = !m_Collapsed;
    if (m_Toggle) {
        m_Toggle();
    }
}

// ---- the frame's message ----

void CRecordFrameBase::Command(unsigned subCode, std::intptr_t lParam)
{
    switch (subCode) {
    case kRefresh:
        if (ViewerWindow()) {
            m_pViewer->Refresh();
            m_pViewer->RefreshAll();
        }
        break;
    case kZoomAll:
        if (ViewerWindow()) {
            m_pViewer->ZoomAll();
        }
        break;
    case kSetLength:
        if (ViewerWindow()) {
            const auto length = static_cast<std::uint64_t>(static_cast<std::int64_t>(lParam));
            m_pViewer->SetDataLength(static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(length >> 32));
        }
        break;
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
    default:
        FrameCommand(subCode, lParam);
        break;
    }
}

void CRecordFrameBase::FrameCommand(unsigned, std::intptr_t) {}

// ---- rows and managers ----

void CRecordFrameBase::RemoveRows()
{
    for (std::size_t i = m_RootGiven ? 1 : 0; i < m_Rows.size(); ++i) {
        IRowItem*& row = m_Rows[i];
        if (row != nullptr) {
            row->RemoveAllImps();
            if (m_pViewer != nullptr) {
                m_pViewer->RemoveRow(row);
            }
            row = nullptr;
        }
    }
}

IRowItem* CRecordFrameBase::MakeRow(std::uint32_t index, const std::wstring& name)
{
    IRowItem*& row = m_Rows.at(index);
    if (row == nullptr) {
        row = m_pViewer->AddRow(nullptr);
    } else {
        row->RemoveAllImps();
    }
    if (row != nullptr) {
        row->SetName(name);
    }
    return row;
}

void CRecordFrameBase::ClearGrid()
{
    m_Grid.Clear();
    if (m_Profile.setsLimits) {
        m_Grid.SetRange(m_Profile.limitLow, m_Profile.limitHigh, m_Profile.limitMode,
                        CRecordDataManager::kNoSubstitute);
    }
}

// ---- model events ----

int CRecordFrameBase::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    switch (event) {
    case kEventLoaded:
        Empty(false);
        Command(kTimeAxis, 0);
        ShowLoaded();
        NotifyHourglaze((Text(recordtext::kUpdating) + Title() + L"...").c_str());
        IncreaseHourglaze(static_cast<double>(static_cast<std::uint32_t>(lParam)));
        break;
    case kEventColors:
        if (wParam == 0 || wParam == m_Profile.viewId) {
            Recolor();
        }
        break;
    case kEventReset:
        Empty(true);
        break;
    default:
        break;
    }
    return 0;
}

void CRecordFrameBase::Recolor()
{
    if (m_pViewer == nullptr) {
        return;
    }
    m_Colors.Open(m_Profile.page);
    for (IRowItem* row : m_Rows) {
        if (row == nullptr) {
            continue;
        }
        for (int i = 0; i < row->GetImpCount(); ++i) {
            IRowItemImp* imp = row->GetImp(i);
            CLineStyleInfo style;
            row->GetImpStyle(imp, &style);
            CRecordSeriesKey key;
            key.phase = static_cast<std::uint32_t>(style.m_phase);
            key.kind = static_cast<std::uint32_t>(style.m_kindIndex);
            key.item = static_cast<std::uint32_t>(style.m_itemCode);
            style.m_lineColor = SeriesColor(key, style.m_hostWord);
            row->SetImpStyle(imp, style);
        }
    }
    if (ViewerWindow()) {
        m_pViewer->RefreshAll();
        m_pViewer->Refresh();
    }
}

// ---- time axis ----

void CRecordFrameBase::SetUpTimeAxis()
{
    IDataModel* model = m_Observer.m_pDataModel;
    BasicInfo info;
    if (model == nullptr || model->QueryBasicInfo(&info) == 0 || !ViewerWindow()) {
        return;
    }
    TakeRecordInfo(info);
    std::uint32_t source = 0;
    model->GetSource(&source);
    m_DetailAllowed = ApplyTimeAxis(*m_pViewer, info, source);
}

bool CRecordFrameBase::ApplyTimeAxis(ITracelume& viewer, const BasicInfo& info, std::uint32_t source)
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

// ---- series ----

void CRecordFrameBase::ClearCollected()
{
    m_Collected.clear();
    m_Maxima.clear();
    m_Minima.clear();
    m_CollectedLength = 0;
}

bool CRecordFrameBase::CollectSeries(const CRecordSeriesKey& key, std::uint32_t column, int hostWord,
                                     bool fullResolution)
{
    int created = 0;
    CRecordDataManager* manager = m_Grid.GetOrCreateManager(key.phase, column, &created, fullResolution);
    if (manager == nullptr) {
        return false;
    }
    IDataModel* model = fullResolution ? m_Observer.m_pSecondDataModel : m_Observer.m_pDataModel;
    if (fullResolution) {
        manager->Release();
        manager->SetRange(m_RequestStart, m_RequestEnd);
    }
    if ((created != 0 || fullResolution) && model != nullptr) {
        model->GetData(key.phase, key.kind, key.word1, key.word2, key.item,
                       reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(manager)));
    }
    // A series without a value (empty, or only gaps) has no extremes to show.
    if (manager->HasValue()) {
        m_Maxima.push_back(manager->GetMaxValue());
        m_Minima.push_back(manager->GetMinValue());
    }
    m_CollectedLength = std::max(m_CollectedLength, manager->GetCount());
    m_Collected.push_back({key, column, hostWord});
    return true;
}

void CRecordFrameBase::WidenRange(double& minimum, double& maximum, bool frequencyRule)
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

std::pair<double, double> CRecordFrameBase::CollectedRange() const
{
    double minimum = 0.0;
    double maximum = 0.0;
    if (!m_Maxima.empty()) {
        maximum = *std::max_element(m_Maxima.begin(), m_Maxima.end());
        minimum = *std::min_element(m_Minima.begin(), m_Minima.end());
    }
    WidenRange(minimum, maximum, m_Profile.frequencyRange);
    return {minimum, maximum};
}

std::pair<double, double> CRecordFrameBase::SetRowRange(IRowItem& row, std::uint32_t index, int unit)
{
    const std::pair<double, double> range = CollectedRange();
    m_RowRanges.at(index) = range;
    row.SetRange(range.first, range.second, unit, 3);
    return range;
}

std::vector<CRecordSeriesKey> CRecordFrameBase::AddCollectedSeries(
    IRowItem& row, double lower, double upper, const std::function<void(CRecordDataManager&)>& prepare)
{
    std::vector<CRecordSeriesKey> added;
    while (!m_Collected.empty()) {
        const Collected series = m_Collected.back();
        m_Collected.pop_back();
        CRecordDataManager* manager = m_Grid.FindSummary(series.key.phase, series.column);
        // One series per cell: a second key of the same cell (the same order of two
        // quantities) would share its manager and its cache.
        if (manager == nullptr || m_Grid.GetCacheAt(series.key.phase, series.column) != nullptr) {
            continue;
        }
        manager->SetDisplayRange(&lower, &upper);
        if (prepare) {
            prepare(*manager);
        }
        if (AddSeries(row, *manager, series)) {
            added.push_back(series.key);
        }
    }
    return added;
}

bool CRecordFrameBase::AddSeries(IRowItem& row, CRecordDataManager& manager, const Collected& series)
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
        return false;
    }
    const CRecordSeriesKey& key = series.key;
    cache->SetSource(&manager);
    m_Grid.SetCacheAt(key.phase, series.column, cache);
    imp->SetData(cache);
    row.AddImp(imp);
    CLineStyleInfo style;
    style.m_name = SeriesName(key);
    style.m_lineColor = SeriesColor(key, series.hostWord);
    style.m_visible = 0;
    style.m_showScale = 1;
    style.m_hostWord = series.hostWord;
    style.m_itemCode = static_cast<std::int32_t>(key.item);
    style.m_phase = static_cast<std::int32_t>(key.phase);
    style.m_kindIndex = static_cast<std::int32_t>(key.kind);
    row.SetImpStyle(imp, style);
    cache->Build();
    return true;
}

void CRecordFrameBase::RepointRow(IRowItem& row, std::uint32_t index, int unit, bool fullResolution)
{
    auto [lower, upper] = CollectedRange();
    // Never narrower than the row's whole-record range, so the rows do not jump.
    lower = std::min(lower, m_RowRanges.at(index).first);
    upper = std::max(upper, m_RowRanges.at(index).second);
    row.SetRange(lower, upper, unit, 3);
    while (!m_Collected.empty()) {
        const Collected series = m_Collected.back();
        m_Collected.pop_back();
        CRecordDataManager* manager =
            m_Grid.GetOrCreateManager(series.key.phase, series.column, nullptr, fullResolution);
        if (manager == nullptr) {
            continue;
        }
        manager->SetDisplayRange(&lower, &upper);
        if (IBufferredDataManager* cache = m_Grid.GetCacheAt(series.key.phase, series.column)) {
            cache->SetSource(manager);
            cache->Build();
        }
    }
}

// ---- viewer requests and export ----

std::intptr_t CRecordFrameBase::RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
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
    default:
        return OtherRequest(code);
    }
}

std::intptr_t CRecordFrameBase::OtherRequest(std::uint32_t code) const
{
    return code == IObserverView::kQueryKind ? m_Profile.kind : 0;
}

int CRecordFrameBase::FillAttributes(ExportSource& source) const
{
    if (IDataModel* model = m_Observer.m_pDataModel) {
        BasicInfo info;
        if (model->QueryBasicInfo(&info) != 0) {
            source.startTime = info.startText;
            source.interval = info.interval;
        }
    }
    FillKeys(source);
    source.kind = 0;
    return 1;
}
