#include "waverecord/ui/WaveMainView.h"

#include <atomic>
#include <ctime>
#include <filesystem>
#include <system_error>
#include <thread>

#include <wx/window.h>

#include "core/CrashDump.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisStages.h"
#include "waverecord/WaveExportFolder.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveAnalysisSetupDlg.h"
#include "waverecord/ui/WaveHarmHistogramsStatisticView.h"
#include "waverecord/ui/WaveOrginalViewFrame.h"
#include "waverecord/ui/WaveStartAndEndTimeDlg.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

constexpr unsigned kTextOpenFailed = 10155;
constexpr unsigned kTextOutOfMemory = 10156;
constexpr unsigned kTextConfigDamaged = 10236;
constexpr unsigned kTextConfigUnusual = 10237;
constexpr unsigned kTextFolderFailed = 10214;
constexpr unsigned kTextExportFailedCaption = 10215;
constexpr unsigned kTextExported = 10216;
constexpr unsigned kTextDiskFull = 10217;
constexpr unsigned kTextViewFailed = 10218;
constexpr unsigned kTextExportCaption = 32766;
constexpr unsigned kMsgRawRequest = 0x723;
constexpr unsigned kMsgRawSelection = 0x725;
// Statistic views join their column at the top.
constexpr ui::LParam kTopOfStatistics = 2;

void RegisterFrames()
{
    static const bool registered = [] {
        RegisterWaveView(CWavePaneManager::kRawKind, [] { return std::make_unique<CWaveOrginalViewFrame>(); });
        RegisterWaveView(CWavePaneManager::kStatisticKind, [] { return std::make_unique<CWaveStatisticMainFrame>(); });
        CWaveHarmHistogramsStatisticView::Register();
        return true;
    }();
    (void)registered;
}

}  // namespace

CWaveMainView::CWaveMainView()
    : m_panes(std::make_unique<CWavePaneManager>()), m_viewerHost(std::make_unique<CWaveViewHost>())
{
    RegisterFrames();
}

CWaveMainView::~CWaveMainView()
{
    m_panes.reset();
    CWaveAnalysisManager::DestroyInstance();
    m_viewerHost.reset();
}

bool CWaveMainView::Initialise()
{
    if (!IsWindow() || !m_panes->Install(*this, true)) {
        return false;
    }
    ui::PostMessage(this, kMsgAddPane, CWavePaneManager::kRawKind, 0);
    ui::PostMessage(this, kMsgAddPane, CWavePaneManager::kStatisticKind, 1);
    // The host that builds the raw waveforms' summaries while a record opens; its
    // viewer is never shown.
    if (m_viewerHost->LoadViewer(GetWx())) {
        m_viewerHost->GetViewerWindow()->Hide();
    }
    return true;
}

int CWaveMainView::FirstPane() const { return m_panes ? m_panes->GetFirstPaneId() : -1; }

int CWaveMainView::SecondPane() const { return m_panes ? m_panes->GetNextPaneId(FirstPane()) : -1; }

CWaveOrginalViewFrame* CWaveMainView::GetRawFrame() const
{
    return m_panes ? dynamic_cast<CWaveOrginalViewFrame*>(m_panes->GetView(FirstPane())) : nullptr;
}

CWaveStatisticMainFrame* CWaveMainView::GetStatisticFrame() const
{
    return m_panes ? dynamic_cast<CWaveStatisticMainFrame*>(m_panes->GetView(SecondPane())) : nullptr;
}

ui::LResult CWaveMainView::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case ui::kMsgDockingPaneNotify:
        return m_panes ? m_panes->OnPaneNotify(wParam, lParam) : 0;
    case kMsgAddPane: {
        const int kind = static_cast<int>(wParam);
        if (kind == CWavePaneManager::kRawKind || kind == CWavePaneManager::kStatisticKind) {
            return m_panes->CreatePane(kind, static_cast<int>(lParam));
        }
        return m_panes->SendToPane(SecondPane(), CWaveStatisticMainFrame::kMsgAddView, wParam, lParam);
    }
    case kMsgToStatistics:
        return m_panes->SendToPane(SecondPane(), CWaveStatisticMainFrame::kMsgEvent, wParam, lParam);
    case kMsgOpenRecord:
        return wParam != 0 ? OnOpenRecord(*reinterpret_cast<const std::wstring*>(wParam)) : 0;
    case kMsgClearRecord:
        return OnClearRecord();
    case CWavePaneManager::kMsgPaneClosed:
        return m_panes->RemovePane(static_cast<int>(wParam)) ? 1 : 0;
    case kMsgRawRequest:
        return m_panes->GetView(FirstPane()) ? m_panes->SendToPane(FirstPane(), message, wParam, lParam) : -1;
    case kMsgRawSelection:
        return m_panes->SendToPane(FirstPane(), message, wParam, lParam);
    case kMsgExport:
        return wParam != 0 ? OnExport(*reinterpret_cast<const std::wstring*>(wParam)) : 0;
    case kMsgRecordPath:
        if (wParam != 0) {
            *reinterpret_cast<std::wstring*>(wParam) = m_recordPath;
        }
        return 1;
    default:
        return ui::Window::WindowProc(message, wParam, lParam);
    }
}

void CWaveMainView::RunBusy(const std::function<void()>& work)
{
    m_busy = true;
    std::atomic<bool> finished{false};
    std::thread worker([&work, &finished] {
        CCrashDump::ThreadGuard guard;
        work();
        EndHourglaze();
        finished = true;
    });
    StartHourglaze(GetWx());
    // The indicator returns at once while another one runs: the worker may still be
    // sending to this thread, so it is waited for with its sends served.
    ui::WaitServing([&finished] { return finished.load(); });
    worker.join();
    m_busy = false;
    std::vector<std::function<void()>> after;
    after.swap(m_afterBusy);
    for (const auto& then : after) {
        then();
    }
}

bool CWaveMainView::DeferWhileBusy(std::function<void()> then)
{
    if (!m_busy) {
        return false;
    }
    m_afterBusy.push_back(std::move(then));
    return true;
}

ui::LResult CWaveMainView::OnOpenRecord(const std::wstring& path)
{
    if (m_busy) {
        return 0;
    }
    m_recordPath = path;
    // The worker reads its own copy: the caller's string may change or go while the
    // busy indicator lets the program's events run.
    const std::wstring record = path;
    WaveRunOutcome outcome = WaveRunOutcome::Failed;
    const bool clear = !m_firstOpen;
    m_firstOpen = false;
    CWaveViewHost* host = m_viewerHost.get();
    RunBusy([&] {
        try {
            NotifyHourglaze(WaveText(CWaveAnalysisStages::kTextInitialising).c_str());
            if (clear) {
                ui::SendMessage(this, kMsgClearRecord, 0, 0);
            }
            outcome = CWaveAnalysisStages::Open(*CWaveAnalysisManager::GetInstance(), record, host, m_progress);
        } catch (...) {
            outcome = WaveRunOutcome::Failed;
        }
    });
    switch (outcome) {
    case WaveRunOutcome::Done:
        m_panes->SendToPane(FirstPane(), CWaveOrginalViewFrame::kMsgLoad, 0, 0);
        // The record is shown, but the user hears that its values may be off.
        if (CWaveAnalysisManager::GetInstance()->GetConfigGrade() == kSampolyxConfigUnusual) {
            ui::MessageBox(this, WaveText(kTextConfigUnusual), std::wstring(), ui::kMbOk | ui::kMbIconExclamation);
        }
        return 1;
    case WaveRunOutcome::OpenFailed:
        ui::MessageBox(this, WaveText(kTextOpenFailed), std::wstring(), ui::kMbOk | ui::kMbIconExclamation);
        return 0;
    case WaveRunOutcome::ConfigDamaged:
        ui::MessageBox(this, WaveText(kTextConfigDamaged), std::wstring(), ui::kMbOk | ui::kMbIconExclamation);
        return 0;
    case WaveRunOutcome::Failed:
        ui::MessageBox(this, WaveText(kTextOutOfMemory), std::wstring(), ui::kMbOk | ui::kMbIconError);
        if (m_mainWindow) {
            ui::PostMessage(m_mainWindow, ui::kMsgClose, kCloseReasonAnalysisFailed, 0);
        }
        return 0;
    }
    return 0;
}

ui::LResult CWaveMainView::OnClearRecord()
{
    m_panes->SendToPane(FirstPane(), CWaveOrginalViewFrame::kMsgReset, 0, 0);
    WavePaneCommand clear{CWaveStatisticMainFrame::kCommandClear, 0, 0, 4};
    m_panes->SendToPane(SecondPane(), CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&clear), 0);
    CWaveAnalysisManager::DestroyInstance();
    m_panes->LockPaneSize(FirstPane());
    m_panes->LockPaneSize(SecondPane());
    return 1;
}

ui::LResult CWaveMainView::OnExport(const std::wstring& baseFolder)
{
    if (m_busy) {
        return 0;
    }
    const std::optional<std::wstring> folder = CWaveExportFolder::Create(baseFolder, m_recordPath, std::time(nullptr));
    if (!folder) {
        ui::MessageBox(this, WaveText(kTextFolderFailed), WaveText(kTextExportFailedCaption),
                       ui::kMbOk | ui::kMbIconExclamation);
        return 0;
    }
    m_exportDir = *folder;
    CWaveStatisticMainFrame* statistics = GetStatisticFrame();
    ui::LResult written = 0;
    RunBusy([&] {
        written = ui::SendMessage(statistics, CWaveStatisticMainFrame::kMsgExport,
                                  reinterpret_cast<ui::WParam>(&m_exportDir), 0);
    });
    // A full disk leaves no part of the export: the folder and what it holds are all
    // this export's own.
    if (statistics && statistics->ExportFoundDiskFull()) {
        std::error_code ignored;
        std::filesystem::remove_all(platform::ToPath(m_exportDir), ignored);
        ui::MessageBox(this, WaveText(kTextDiskFull), WaveText(kTextExportFailedCaption),
                       ui::kMbOk | ui::kMbIconExclamation);
        return 0;
    }
    // The user hears which views could not be written; one failure is not a success.
    std::wstring failed;
    if (statistics) {
        for (const std::wstring& title : statistics->ExportFailures()) {
            failed += L"\n" + title;
        }
    }
    if (written == 0 || !failed.empty()) {
        ui::MessageBox(this, WaveText(kTextViewFailed) + failed, WaveText(kTextExportFailedCaption),
                       ui::kMbOk | ui::kMbIconExclamation);
    } else {
        if (ui::MessageBox(this, WaveText(kTextExported), WaveText(kTextExportCaption),
                           ui::kMbYesNo | ui::kMbIconInformation) == ui::kIdYes &&
            m_openFolder) {
            m_openFolder(m_exportDir);
        }
    }
    return written;
}

bool CWaveMainView::SecondPaneHasViews()
{
    return m_panes && m_panes->SendToPane(SecondPane(), CWaveStatisticMainFrame::kMsgHasViews, 0, 0) > 0;
}

void CWaveMainView::BroadcastRefresh()
{
    if (!m_panes) {
        return;
    }
    m_panes->SendToPane(FirstPane(), kMsgRefreshViews, 1000, 0);
    m_panes->SendToPane(SecondPane(), kMsgRefreshViews, 0, 0);
}

void CWaveMainView::AddStatisticView(int kind)
{
    if (!m_panes) {
        return;
    }
    ui::PostMessage(this, kMsgAddPane, static_cast<ui::WParam>(kind), kTopOfStatistics);
    if (m_panes->IsPaneSizeFree(SecondPane())) {
        m_panes->LockPaneSize(SecondPane());
    }
}

void CWaveMainView::ToggleFirstPane()
{
    if (m_panes->IsPaneSizeFree(FirstPane())) {
        m_panes->LockPaneSize(FirstPane());
    } else if (!m_panes->IsPaneSizeFree(SecondPane())) {
        m_panes->UnlockPaneSize(FirstPane());
    }
}

void CWaveMainView::ToggleSecondPane()
{
    if (m_panes->IsPaneSizeFree(SecondPane())) {
        m_panes->LockPaneSize(SecondPane());
    } else if (!m_panes->IsPaneSizeFree(FirstPane())) {
        m_panes->UnlockPaneSize(SecondPane());
    }
}

bool CWaveMainView::IsFirstPaneLocked() const
{
    return m_panes && FirstPane() >= 0 && !m_panes->IsPaneSizeFree(FirstPane());
}

bool CWaveMainView::IsSecondPaneLocked() const
{
    return m_panes && SecondPane() >= 0 && !m_panes->IsPaneSizeFree(SecondPane());
}

bool CWaveMainView::OnAnalysisSetup()
{
    if (m_busy) {
        return false;
    }
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    CWaveAnalysisSetupDlg dialog(manager->GetIntervalCount(), manager->GetNominalFrequency());
    if (dialog.DoModal(this) != ui::kIdOk) {
        return false;
    }
    return Reanalyse();
}

bool CWaveMainView::Reanalyse()
{
    if (m_busy || !CWaveAnalysisManager::GetInstance()->HasRecord()) {
        return false;
    }
    // The views let go of the series the analysis is about to replace. Only now: a
    // dialog the user cancels changes nothing.
    WavePaneCommand replacing{5, 0, 0, 4};
    m_panes->SendToPane(SecondPane(), CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&replacing), 0);
    WaveRunOutcome outcome = WaveRunOutcome::Failed;
    RunBusy([&] {
        try {
            outcome = CWaveAnalysisStages::Reanalyse(*CWaveAnalysisManager::GetInstance(), m_progress);
        } catch (...) {
            outcome = WaveRunOutcome::Failed;
        }
    });
    if (outcome != WaveRunOutcome::Done) {
        ui::MessageBox(this, WaveText(kTextOutOfMemory), std::wstring(), ui::kMbOk | ui::kMbIconError);
        if (m_mainWindow) {
            ui::PostMessage(m_mainWindow, ui::kMsgClose, kCloseReasonAnalysisFailed, 0);
        }
        return false;
    }
    m_panes->SendToPane(FirstPane(), CWaveOrginalViewFrame::kMsgApplyWindows, 0, 0);
    WavePaneCommand started{4, 0, 0, 4};
    m_panes->SendToPane(SecondPane(), CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&started), 0);
    return true;
}

void CWaveMainView::HideFloating()
{
    CWaveOrginalViewFrame* raw = GetRawFrame();
    if (raw && raw->GetRangeDialog() && raw->GetRangeDialog()->IsWindow()) {
        raw->GetRangeDialog()->ShowWindow(ui::kShowHide);
    }
}
