#include "waverecord/ui/WaveHarmonicWaveStatisticView.h"

#include <algorithm>

#include <wx/window.h>

#include "lib/viewer/data/RowItem.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveSettings.h"
#include "waverecord/WaveTableExport.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

constexpr unsigned kTextUnit = 10105;
constexpr int kCollapsedPanelWidth = 5;

CWaveAnalysisManager* Manager() { return CWaveAnalysisManager::GetInstance(); }

}  // namespace

void RegisterHarmonicTrendView()
{
    RegisterWaveView(CWaveHarmonicWaveStatisticView::kKind,
                     [] { return std::make_unique<CWaveHarmonicWaveStatisticView>(); });
}

CWaveHarmonicWaveStatisticView::CWaveHarmonicWaveStatisticView() : CWaveStatisticView(-1, kFirstItem)
{
    m_attrib.item = static_cast<std::int32_t>(kFirstItem);
}

CWaveHarmonicWaveStatisticView::~CWaveHarmonicWaveStatisticView()
{
    DetachKFactor();
    if (m_attribDlg.IsWindow()) {
        m_attribDlg.DestroyWindow();
    }
}

bool CWaveHarmonicWaveStatisticView::HarmonicRangeIsLongEnough(std::int64_t first, std::int64_t end)
{
    CWaveAnalysisManager* manager = Manager();
    if (!manager) {
        return false;
    }
    const auto windows = static_cast<std::uint64_t>(CWaveSettings::Instance().Stored().harm);
    return harmtrend::HarmonicRangeIsLongEnough(first, end, manager->GetNominalFrequency(), manager->GetSampleRate(),
                                                windows);
}

void CWaveHarmonicWaveStatisticView::OnCreateView()
{
    const auto phases = static_cast<std::int32_t>(AskPhases());
    m_attrib = HarmTrendAttrib{};
    m_attrib.item = static_cast<std::int32_t>(m_itemId);
    m_attrib.phases = phases;
    m_attrib.stats = 4;
    m_attribDlg.SetTarget(this);
    if (m_attribDlg.CreatePanel(this)) {
        // GTK controls need more room than the template's units give: the panel keeps
        // the width it grew to.
        m_panelWidth = std::max(kPanelWidth, m_attribDlg.GetWindowRect().GetWidth());
        m_attribDlg.ShowWindow(ui::kShow);
    }
    ShowTrendItem(static_cast<int>(m_itemId), phases, 4);
    SetFirstSizePending();
}

void CWaveHarmonicWaveStatisticView::LayoutView()
{
    if (!IsWindow()) {
        return;
    }
    const wxSize client = GetClientSize();
    int panelWidth = 0;
    if (m_attribDlg.IsWindow()) {
        panelWidth = std::min(m_listCollapsed ? kCollapsedPanelWidth : m_panelWidth, client.x);
        m_attribDlg.MoveWindow(wxRect(client.x - panelWidth, 0, panelWidth, client.y));
    }
    if (wxWindow* viewer = m_host ? m_host->GetViewerWindow() : nullptr) {
        viewer->SetSize(0, 0, std::max(client.x - panelWidth, 0), client.y);
    }
}

ui::LResult CWaveHarmonicWaveStatisticView::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case kMsgApply:
        if (lParam == 0) {
            return -1;
        }
        return ApplyRecord(static_cast<int>(wParam), *reinterpret_cast<const HarmTrendAttrib*>(lParam));
    case kMsgCurrentItem:
        if (wParam != 0) {
            *reinterpret_cast<HarmTrendAttrib*>(wParam) = m_attrib;
        }
        return 0;
    case kMsgSlotColour:
    case kMsgSlotDefaultColour:
        if (wParam != 0 && m_host) {
            CColorPicker& colours = m_host->GetColours();
            colours.Open(kColourPage);
            const int slot = static_cast<int>(lParam);
            *reinterpret_cast<std::uint32_t*>(wParam) = message == kMsgSlotColour
                                                            ? colours.GetItemColor(0, 0, slot)
                                                            : colours.GetItemDefaultColor(0, 0, slot);
        }
        return 0;
    case kMsgSetSlotColour:
        if (m_host) {
            m_host->GetColours().Open(kColourPage);
            return m_host->GetColours().SetItemColor(static_cast<std::uint32_t>(wParam), 0, 0, static_cast<int>(lParam));
        }
        return 0;
    default:
        return CWaveStatisticView::WindowProc(message, wParam, lParam);
    }
}

void CWaveHarmonicWaveStatisticView::PostSelf()
{
    // The record lives as long as the view; a message to a view that is gone is dropped.
    ui::PostMessage(this, kMsgApply, static_cast<ui::WParam>(m_attrib.item), reinterpret_cast<ui::LParam>(&m_attrib));
}

ui::LResult CWaveHarmonicWaveStatisticView::ApplyRecord(int item, const HarmTrendAttrib& record)
{
    if (!m_host) {
        return -1;
    }
    const HarmTrendAttrib copy = record;  // the record may be the view's own
    ui::LResult result = -1;
    if (IsOrderItem(item)) {
        m_attrib = copy;
        ShowOrderItem(item, copy);
        SetFirstSizePending();
        m_host->Refresh();
        result = 0;
    } else if (harmtrend::IsTrendItem(item)) {
        DetachKFactor();
        m_attrib = copy;
        ShowTrendItem(item, static_cast<int>(AskPhases()), copy.stats);
        SetFirstSizePending();
        m_host->Refresh();
        result = 0;
    }
    const wxSize client = GetClientSize();
    ui::PostMessage(this, ui::kMsgSize, 0, static_cast<ui::LParam>(ui::MakeWParam(static_cast<unsigned>(client.x),
                                                                                   static_cast<unsigned>(client.y))));
    return result;
}

void CWaveHarmonicWaveStatisticView::ConvertRange(std::int64_t first, std::int64_t end, std::int64_t& startBlock,
                                                  std::int64_t& endBlock)
{
    CWaveAnalysisManager* manager = Manager();
    std::int64_t remainder = 0, unused = 0;
    startBlock = manager ? manager->PointToBlockRem(first, remainder) : first;
    endBlock = manager ? manager->PointToBlockRem(end - remainder, unused) : end;
}

bool CWaveHarmonicWaveStatisticView::PrepareDisplay(int item, std::int64_t& startBlock, std::int64_t& endBlock)
{
    PostRetitle(static_cast<unsigned>(item));
    EnsureHost();
    std::int64_t first = -1, end = -1;
    AskRange(first, end);
    if (!HarmonicRangeIsLongEnough(first, end)) {
        return false;
    }
    ConvertRange(first, end, startBlock, endBlock);
    if (CWaveAnalysisManager* manager = Manager()) {
        m_host->SetSampleRate(manager->GetHarmWindowsPerSecond());
    }
    m_host->SetTimeOrigin();
    return true;
}

void CWaveHarmonicWaveStatisticView::DetachKFactor()
{
    if (m_kfResult && m_host && m_row) {
        m_host->DetachStore(m_row, m_kfResult.get());
    }
}

void CWaveHarmonicWaveStatisticView::Refetch(int item, bool withKFactor)
{
    DetachKFactor();
    m_kfResult.reset();
    FetchStore(static_cast<std::uint32_t>(item));
    if (withKFactor) {
        if (CWaveAnalysisManager* manager = Manager()) {
            m_kfResult = manager->GetResult(harmtrend::kKFactorItem);
        }
    }
}

void CWaveHarmonicWaveStatisticView::ShowTrendItem(int item, int phases, int stats)
{
    std::int64_t startBlock = 0, endBlock = 0;
    if (!PrepareDisplay(item, startBlock, endBlock)) {
        return;
    }
    if (!m_store || static_cast<int>(m_itemId) != item) {
        Refetch(item, false);
    }
    if (m_store) {
        m_store->SetParameter(&startBlock, &endBlock);
    }
    if (!EnsureRow()) {
        return;
    }
    m_host->SetItemCode(static_cast<std::uint32_t>(GetHostCode(item)));
    m_host->ShowMeasureLines(0, -1);
    ApplyMasks(phases, stats);
}

void CWaveHarmonicWaveStatisticView::ShowOrderItem(int item, const HarmTrendAttrib& record)
{
    std::int64_t startBlock = 0, endBlock = 0;
    if (!PrepareDisplay(item, startBlock, endBlock)) {
        return;
    }
    if (!m_store || !m_kfResult || static_cast<int>(m_itemId) != item) {
        Refetch(item, true);
    }
    if (m_store) {
        m_store->SetParameter(&startBlock, &endBlock);
    }
    if (m_kfResult) {
        std::int64_t kfStart = startBlock, kfEnd = endBlock;
        m_kfResult->SetParameter(&kfStart, &kfEnd);
    }
    if (!EnsureRow()) {
        return;
    }
    m_host->SetItemCode(static_cast<std::uint32_t>(GetHostCode(item)));
    DrawOrderRows(record);
}

void CWaveHarmonicWaveStatisticView::DrawOrderRows(const HarmTrendAttrib& record)
{
    m_host->ClearSelection();
    HarmTrendAttrib selection = record;
    selection.item = GetHostCode(record.item);
    m_host->SetHarmonicSelection(selection);
    m_host->SetItemCode(26);
    const bool isOrders = IsOrderItem(static_cast<int>(m_itemId));
    m_host->OpenColourPage(kColourPage);

    float low = 0.0f, high = 0.0f;
    harmtrend::OrderRowsRange(m_store.get(), m_kfResult.get(), record, low, high);
    if (m_row) {
        m_row->SetRange(low, high, CWaveViewHost::ValueFormatCode(static_cast<std::uint32_t>(GetHostCode(record.item))),
                        3);
    }
    if (m_store) {
        m_host->DetachStore(m_row, m_store.get());
    }
    static const int kPhaseBits[] = {1, 2, 4, 8, 16};
    for (int phase = 0; phase < 5; ++phase) {
        if ((record.phases & kPhaseBits[phase]) == 0 || (phase == 3 && harmtrend::IsPowerItem(record.item))) {
            continue;
        }
        if (isOrders) {
            m_host->AddHarmonicRow(m_row, phase, low, high);
        }
    }
    DetachKFactor();
    if (record.withKFactor != 0 && m_kfResult) {
        m_host->AddPhases(m_row, m_kfResult.get(), static_cast<std::uint32_t>(record.phases),
                          static_cast<std::uint32_t>(record.stats), low, high);
    }
}

int CWaveHarmonicWaveStatisticView::ApplyMasks(int phases, int stats)
{
    if (!m_host || !m_store) {
        return 0;
    }
    m_host->OpenColourPage(kColourPage);
    // Every shown series takes the page's colour and its name when attached.
    m_host->NameSeries(m_row, static_cast<std::uint32_t>(phases), static_cast<std::uint32_t>(stats));
    m_host->FitRange(m_row, static_cast<std::uint32_t>(phases), static_cast<std::uint32_t>(stats));
    return 1;
}

ui::LResult CWaveHarmonicWaveStatisticView::OnPaneCommand(const WavePaneCommand& command)
{
    switch (command.command) {
    case kRangeSelected: {
        if (!m_host || !HarmonicRangeIsLongEnough(command.first, command.second)) {
            // Nothing changes here; the answer lets the range go on to the other views.
            return 1;
        }
        std::int64_t startBlock = 0, endBlock = 0;
        ConvertRange(command.first, command.second, startBlock, endBlock);
        if (m_store) {
            m_store->SetParameter(&startBlock, &endBlock);
        }
        if (m_kfResult) {
            std::int64_t kfStart = startBlock, kfEnd = endBlock;
            m_kfResult->SetParameter(&kfStart, &kfEnd);
        }
        m_host->SetTimeOrigin();
        m_host->SetRowStore(m_row, m_store.get());
        m_host->SetCursorPosition(endBlock - startBlock + 1);
        if (IsOrderItem(static_cast<int>(m_itemId))) {
            DrawOrderRows(m_attrib);
        } else {
            std::uint32_t phaseMask = 0, kindMask = 0;
            m_host->GetMasks(phaseMask, kindMask);
            ApplyMasks(static_cast<int>(phaseMask), static_cast<int>(kindMask));
        }
        m_host->ZoomAll();
        return 1;
    }
    case kChannelOn:
        if (m_host && harmtrend::IsTrendItem(static_cast<int>(m_itemId)) &&
            !(command.third == 3 && harmtrend::IsPowerItem(static_cast<int>(m_itemId)))) {
            m_host->ShowPhase(m_row, command.third);
            m_host->Refresh();
        }
        return 1;
    case kChannelOff:
        if (m_host && harmtrend::IsTrendItem(static_cast<int>(m_itemId))) {
            m_host->HidePhase(m_row, command.third, true);
            m_host->Refresh();
        }
        return 1;
    case kReanalysed: {
        const bool orders = IsOrderItem(static_cast<int>(m_itemId));
        Refetch(static_cast<int>(m_itemId), orders);
        PostSelf();
        return -1;
    }
    case kSettingsOpened:
        if (m_host && m_row) {
            DetachKFactor();
            m_host->ClearRow(m_row);
        }
        return -1;
    default:
        return -1;
    }
}

ui::LResult CWaveHarmonicWaveStatisticView::OnColoursChanged()
{
    if (m_host) {
        m_host->OpenColourPage(kColourPage);
    }
    PostSelf();
    return 1;
}

ui::LResult CWaveHarmonicWaveStatisticView::OnExport(const std::wstring& folder)
{
    const int item = static_cast<int>(m_itemId);
    const bool orders = (item >= 5981 && item <= 5998) || (item >= 6000 && item <= 6002);
    return (orders ? ExportOrders(folder) : ExportTrend(folder)) ? 1 : 0;
}

bool CWaveHarmonicWaveStatisticView::ExportTrend(const std::wstring& folder)
{
    const int item = static_cast<int>(m_itemId);
    const std::wstring title = WaveText(static_cast<unsigned>(item));
    return ExportTable(folder, title, title + WaveText(kTextUnit) + GetUnitText(item), L"LN");
}

bool CWaveHarmonicWaveStatisticView::ExportOrders(const std::wstring& folder)
{
    if (!m_host) {
        return false;
    }
    const int item = static_cast<int>(m_itemId);
    WaveTableRequest request;
    request.folder = folder;
    request.title = WaveText(static_cast<unsigned>(item));
    request.unit = GetUnitText(item);
    request.tableName = request.title + WaveText(kTextUnit) + request.unit;
    std::int64_t endMs = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(request.startMs, endMs);
    request.stepNs = CWaveTableExport::StepFromSeconds(m_host->SampleToTime(1.0));
    CWaveAnalysisManager* manager = Manager();
    const std::unique_ptr<CWaveResultStore> store = manager ? manager->GetResult(item) : nullptr;
    if (!store) {
        return false;
    }
    std::vector<std::wstring> names;
    std::vector<CWaveSeriesDescriptor> series;
    for (const harmtrend::OrderColumn& column : harmtrend::OrderColumns(m_attrib)) {
        names.push_back(column.name);
        series.push_back(store->GetDescriptor(column.key, column.kind));
    }
    return CWaveTableExport::ExportColumns(request, names, series, LastExport());
}
