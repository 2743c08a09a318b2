#include "waverecord/ui/WaveOrginalViewFrame.h"

#include <algorithm>

#include <wx/utils.h>
#include <wx/window.h>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveSettings.h"
#include "waverecord/WaveText.h"
#include "waverecord/WaveTimeAxis.h"
#include "waverecord/ui/TracelumeCallBack.h"
#include "waverecord/ui/WavePaneLite.h"
#include "waverecord/ui/WaveStartAndEndTimeDlg.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

constexpr int kRawVoltages = 9997;
constexpr int kRawCurrents = 9998;
constexpr int kPlain = CWaveResultStore::kPlainValue;
constexpr unsigned kMsgChannel = CWavePaneLite::kMsgChannel;
constexpr unsigned kMsgRange = CTracelumeCallBack::kMsgRangeSelected;
constexpr unsigned kMsgRegionMode = CTracelumeCallBack::kMsgRegionMode;
constexpr unsigned kMsgChannelMask = 0x723;
constexpr unsigned kMsgSelection = 0x725;
constexpr unsigned kMsgRefresh = 0x724;
// Texts naming the two rows in the viewer's channel tree.
constexpr unsigned kTextVoltage = 6152;
constexpr unsigned kTextCurrent = 6153;
// The channel tree's width: its widest, so that the row names fit.
constexpr int kTreeWidth = 100;

CWaveAnalysisManager* Manager() { return CWaveAnalysisManager::GetInstance(); }

}  // namespace

CWaveOrginalViewFrame::CWaveOrginalViewFrame() : m_callback(std::make_unique<CTracelumeCallBack>()) {}

CWaveOrginalViewFrame::~CWaveOrginalViewFrame()
{
    // The records remember the host's row kinds: they go before the host. (The
    // viewer's windows, and the channel strip in its toolbar, went with this frame's.)
    m_voltages.reset();
    m_currents.reset();
    m_channels.reset();
    m_host.reset();
    if (m_rangeDialog && m_rangeDialog->IsWindow()) {
        m_rangeDialog->DestroyWindow();
    }
}

void CWaveOrginalViewFrame::OnViewCreated()
{
    m_callback->SetOwner(this);
    BuildViewer();
    if (m_host) {
        m_host->OpenColourPage(L"V&C");
    }
    m_rangeDialog = std::make_unique<CWaveStartAndEndTimeDlg>();
    m_rangeDialog->SetOwner(this);
    if (m_rangeDialog->Create(this)) {
        m_rangeDialog->ShowWindow(ui::kShowHide);
    }
}

void CWaveOrginalViewFrame::ReleaseChannelStrip()
{
    if (m_host) {
        m_host->SetToolStrip(nullptr);
    }
}

void CWaveOrginalViewFrame::BuildViewer()
{
    // A record shown before: its viewer gives the strip back before the strip goes.
    ReleaseChannelStrip();
    m_voltages.reset();
    m_currents.reset();
    m_voltageRow = m_currentRow = nullptr;
    if (m_channels && m_channels->IsWindow()) {
        m_channels->DestroyWindow();
    }
    m_channels.reset();
    m_host = std::make_unique<CWaveViewHost>();
    if (!m_host->LoadViewer(GetWx())) {
        return;
    }
    m_host->SetViewerCallback(m_callback.get());
    m_channels = std::make_unique<CWavePaneLite>();
    if (m_channels->Create(this)) {
        m_channels->SetTarget(this);
        m_host->SetToolStrip(m_channels->GetWx());
        m_channels->ShowWindow(ui::kShow);
    }
    FetchSeries();
    m_host->ViewerCommand(tracelume::kCommandLegend, 0, 0);
    m_voltageRow = m_host->AddRow(nullptr, m_voltages.get());
    m_currentRow = m_host->AddRow(nullptr, m_currents.get());
    m_host->ViewerCommand(tracelume::kCommandRegionEnabled, 0, 0);
    m_host->ShowMeasureLines(0, -1);
    Layout();
}

void CWaveOrginalViewFrame::FetchSeries()
{
    m_voltages = Manager()->GetResult(kRawVoltages);
    m_currents = Manager()->GetResult(kRawCurrents);
    if (m_host) {
        m_host->SetRowStore(m_voltageRow, m_voltages.get());
        m_host->SetRowStore(m_currentRow, m_currents.get());
    }
}

ui::LResult CWaveOrginalViewFrame::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case kMsgLoad:
        Load();
        return 1;
    case kMsgReset:
        CWaveSelection::Instance().Clear();
        BuildViewer();
        return 0;
    case kMsgChannel:
        SwitchChannel(wParam != 0, static_cast<int>((lParam >> 16) & 0xFFFF));
        return 0;
    case kMsgRange:
        RangeSelected(static_cast<std::int64_t>(wParam), static_cast<std::int64_t>(lParam));
        return 0;
    case kMsgApplyWindows:
        ApplyWindows();
        return 1;
    case kMsgRegionMode:
        m_regionMode = wParam != 0;
        if (m_rangeDialog && m_rangeDialog->IsWindow()) {
            if (!m_regionMode) {
                m_rangeDialog->ShowWindow(ui::kShowHide);
            } else if (!m_rangeDialog->IsWindowVisible()) {
                const wxPoint at = wxGetMousePosition();
                PlaceRangeDialog(at.x, at.y);
            }
        }
        return 1;
    case CWaveStartAndEndTimeDlg::kMsgMoved:
        m_anchorX = static_cast<std::int16_t>(lParam & 0xFFFF);
        m_anchorY = static_cast<std::int16_t>((lParam >> 16) & 0xFFFF);
        return 1;
    case kMsgSelectTimes:
        if (wParam != 0 && lParam != 0) {
            SelectTimes(*reinterpret_cast<const std::int64_t*>(wParam), *reinterpret_cast<const std::int64_t*>(lParam));
        }
        return 1;
    case kMsgChannelMask:
        if (wParam != 0) {
            *reinterpret_cast<std::int32_t*>(wParam) =
                m_channels ? static_cast<std::int32_t>(m_channels->GetCheckedMask()) : 0;
        }
        return 0;
    case kMsgSelection:
        if (wParam != 0 && lParam != 0) {
            CWaveSelection::Instance().GetSelectedSampleRange(*reinterpret_cast<std::int64_t*>(wParam),
                                                              *reinterpret_cast<std::int64_t*>(lParam));
        }
        return 0;
    case kMsgRefresh:
        return 0;
    case ui::kMsgSize:
        Layout();
        return CWavePaneView::WindowProc(message, wParam, lParam);
    default:
        return CWavePaneView::WindowProc(message, wParam, lParam);
    }
}

void CWaveOrginalViewFrame::Load()
{
    if (!m_host || !m_host->GetViewer()) {
        return;
    }
    CWaveAnalysisManager* manager = Manager();
    FetchSeries();
    if (!m_voltages || !m_currents) {
        return;
    }
    m_voltages->GetJointRange(m_voltageLow, m_voltageHigh);
    m_currents->GetJointRange(m_currentLow, m_currentHigh);
    m_channels->InitFromWiring(manager->GetPhaseMask());
    const std::uint32_t checked = m_channels->GetCheckedMask();
    m_host->AddKindBits(CWaveViewHost::kKindPlain);
    for (int channel = 0; channel < 4; ++channel) {
        if ((checked & (1u << channel)) == 0) {
            continue;
        }
        m_voltages->SetTag(channel, kPlain, static_cast<int>(kChannelColours[channel]));
        m_currents->SetTag(channel, kPlain, static_cast<int>(kChannelColours[channel]));
        m_host->UpdateSeries(m_voltageRow, channel, kPlain, m_voltageLow, m_voltageHigh, false, true);
        m_host->UpdateSeries(m_currentRow, channel, kPlain, m_currentLow, m_currentHigh, false, true);
    }
    m_voltageRow->SetRange(m_voltageLow, m_voltageHigh, CWaveViewHost::ValueFormatCode(1), 3);
    m_currentRow->SetRange(m_currentLow, m_currentHigh, CWaveViewHost::ValueFormatCode(9), 3);
    LabelRows();
    ApplyWindows();
    const std::int64_t start = manager->GetStartTime();
    m_host->ViewerCommand(tracelume::kCommandTimeOrigin, static_cast<std::intptr_t>(start >> 32),
                          static_cast<std::intptr_t>(start & 0xFFFFFFFF));
    m_host->ViewerCommand(tracelume::kCommandLabelStyle, 1, 0);
    m_host->SetSampleRate(manager->GetSampleRate());
    m_host->Refresh();
    Layout();
    m_host->ZoomAll();

    // The whole record is the first selection.
    const std::int64_t count = static_cast<std::int64_t>(m_voltages->GetDescriptor(0, kPlain).GetCount());
    const WaveTimeAxis axis = WaveTimeAxis::Of(*manager);
    CWaveSelection::Instance().SetSelectedSampleRange(0, count);
    CWaveSelection::Instance().SetSelectedTimeRange(axis.SampleToMs(0), axis.SampleToMs(count));
    if (m_rangeDialog && m_rangeDialog->IsWindow()) {
        m_rangeDialog->SetLimits(axis.SampleToMs(0), axis.SampleToMs(count));
        m_rangeDialog->SetStartTime(axis.SampleToMs(0));
        m_rangeDialog->SetEndTime(axis.SampleToMs(count));
    }
    ui::PostMessage(GetOwnerWindow(), kMsgAddView, 5972, 2);
    ui::PostMessage(GetOwnerWindow(), kMsgAddView, 5979, 2);
}

void CWaveOrginalViewFrame::LabelRows()
{
    // The host names each channel's series, not the rows: the tree would show
    // nothing beside the curves.
    if (m_voltageRow) {
        m_voltageRow->SetName(WaveText(kTextVoltage));
    }
    if (m_currentRow) {
        m_currentRow->SetName(WaveText(kTextCurrent));
    }
    if (m_host) {
        m_host->ViewerCommand(tracelume::kCommandTreeWidth, kTreeWidth, 0);
    }
}

void CWaveOrginalViewFrame::Layout()
{
    wxWindow* viewer = m_host ? m_host->GetViewerWindow() : nullptr;
    if (!viewer || !IsWindow()) {
        return;
    }
    const wxSize size = GetClientSize();
    viewer->SetSize(0, 0, size.x, size.y);
    SetRangeDialogBounds();
}

void CWaveOrginalViewFrame::SwitchChannel(bool checked, int channel)
{
    if (!m_host || channel < 0 || channel > 3) {
        return;
    }
    bool done = false;
    if (checked) {
        m_voltages->SetTag(channel, kPlain, static_cast<int>(kChannelColours[channel]));
        m_currents->SetTag(channel, kPlain, static_cast<int>(kChannelColours[channel]));
        done = m_host->UpdateSeries(m_voltageRow, channel, kPlain, m_voltageLow, m_voltageHigh, false, true) &&
               m_host->UpdateSeries(m_currentRow, channel, kPlain, m_currentLow, m_currentHigh, false, true);
    } else {
        done = m_host->HidePhase(m_voltageRow, channel, false) && m_host->HidePhase(m_currentRow, channel, false);
    }
    if (done) {
        WavePaneCommand command{checked ? 0 : 1, 0, 0, channel};
        ui::SendMessage(GetOwnerWindow(), kMsgToStatistics, reinterpret_cast<ui::WParam>(&command), 0);
    }
    m_host->Refresh();
}

void CWaveOrginalViewFrame::RangeSelected(std::int64_t first, std::int64_t end)
{
    CWaveSelection::Instance().SetSelectedSampleRange(first, end);
    if (m_host && m_host->GetViewer()) {
        const WaveTimeAxis axis = WaveTimeAxis::Of(*Manager());
        CWaveSelection::Instance().SetSelectedTimeRange(axis.SampleToMs(first), axis.SampleToMs(end));
    }
    if (m_regionMode && m_rangeDialog && m_rangeDialog->IsWindow()) {
        std::int64_t startMs = 0, endMs = 0;
        CWaveSelection::Instance().GetSelectedTimeRange(startMs, endMs);
        m_rangeDialog->SetStartTime(startMs);
        m_rangeDialog->SetEndTime(endMs);
        const wxPoint at = wxGetMousePosition();
        PlaceRangeDialog(at.x, at.y);
    }
    ui::PostMessageWithCopy(GetOwnerWindow(), kMsgToStatistics, WavePaneCommand{2, first, end, 4});
}

void CWaveOrginalViewFrame::SetRangeDialogBounds()
{
    // A window not on screen has no screen position yet; the bounds come with the
    // next layout or placement once it shows.
    if (!m_rangeDialog || !IsWindow() || !GetWx()->IsShownOnScreen()) {
        return;
    }
    const wxPoint origin = GetWx()->ClientToScreen(wxPoint(0, 0));
    const wxSize size = GetClientSize();
    m_rangeDialog->SetBounds(WaveRect{origin.x, origin.y, origin.x + size.x, origin.y + size.y});
}

void CWaveOrginalViewFrame::PlaceRangeDialog(int x, int y)
{
    if (!m_rangeDialog || !m_rangeDialog->IsWindow()) {
        return;
    }
    SetRangeDialogBounds();
    if (!m_rangeDialog->IsWindowVisible()) {
        m_rangeDialog->ShowWindow(ui::kShow);
    }
    m_anchorX = x;
    m_anchorY = y;
    const wxRect dialog = m_rangeDialog->GetWindowRect();
    const wxPoint origin = GetWx()->ClientToScreen(wxPoint(0, 0));
    const wxSize size = GetClientSize();
    const WaveRect frame{origin.x, origin.y, origin.x + size.x, origin.y + size.y};
    if (const std::optional<WavePoint> at = PlaceWaveDialog(WavePoint{x, y}, dialog.width, dialog.height, frame)) {
        m_rangeDialog->GetWx()->Move(at->x, at->y);
    }
    m_rangeDialog->CheckRange();
}

void CWaveOrginalViewFrame::ApplyWindows()
{
    CWaveAnalysisManager* manager = Manager();
    const WaveTimeAxis axis = WaveTimeAxis::Of(*manager);
    const WaveAnalysisSettings windows =
        CWaveSettings::Instance().Corrected(manager->GetIntervalCount(), manager->GetNominalFrequency());
    const std::int64_t halfCycles = axis.MinimumHalfCycles(windows);
    m_minimumSamples = axis.MinimumSamples(windows);
    if (m_host && m_callback) {
        m_host->ViewerCommand(tracelume::kCommandMinRegion, static_cast<std::intptr_t>(m_minimumSamples), 0);
        m_host->ViewerCommand(tracelume::kCommandRegionMode, 1, 1);
        m_callback->SetMinimumSelection(halfCycles);
    }
}

void CWaveOrginalViewFrame::SelectTimes(std::int64_t startMs, std::int64_t endMs)
{
    const WaveTimeAxis axis = WaveTimeAxis::Of(*Manager());
    if (m_host) {
        // The viewer takes the first and the last sample; the end time lies just past
        // the last.
        const std::int64_t first = axis.MsToSample(startMs);
        const std::int64_t last = std::max(first, axis.MsToSample(endMs) - 1);
        m_host->ViewerCommand(tracelume::kCommandSelectRegion, static_cast<std::intptr_t>(first),
                              static_cast<std::intptr_t>(last));
    }
}
