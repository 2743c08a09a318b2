#include "app/MainFrame.h"

#include <array>

#include <wx/frame.h>
#include <wx/icon.h>
#include <wx/statusbr.h>
#include <wx/timer.h>

#include "app/AboutDlg.h"
#include "app/ChildView.h"
#include "app/colors/ColorSchemeSheet.h"
#include "app/CommandIds.h"
#include "app/LanguageDlg.h"
#include "app/ModuleDirectory.h"
#include "app/ProgramStart.h"
#include "waverecord/ui/WaveMainView.h"
#include "core/CrashDump.h"
#include "core/LanguageInfo.h"
#include "core/OndravaLog.h"
#include "core/ZVLanguageList.h"
#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/Application.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Picture.h"
#include "report/RtfReportText.h"
#include "terminal/HarmDataCollector.h"

namespace {

constexpr unsigned kStringExitQuestion = 6089;
constexpr unsigned kStringRestartFailed = 6390;
using apptext::kStringAppTitle;
constexpr unsigned kStringIdlePrompt = 57345;
// How often a waiting close looks whether the frame is free.
constexpr int kDeferredCloseCheck = 200;

// The statistic client: child, visible, border; the waveform-record client the
// same but hidden until a record is opened.
constexpr std::uint32_t kStatisticClientStyle = ui::kStyleChild | ui::kStyleVisible | ui::kStyleBorder;
constexpr std::uint32_t kWaveClientStyle = ui::kStyleChild | ui::kStyleBorder;

const wchar_t* const kProgramFile = L"ondrava";
constexpr int kProgramIcon = 200;
const wchar_t* const kManualFile = L"UserManual.chm";

using apptext::String;

// The panes each data view closes, shows and brings to the front, in this order.
struct ViewPanes {
    std::vector<std::uint32_t> closed;
    std::vector<std::uint32_t> shown;
    std::vector<std::uint32_t> selected;
};

const ViewPanes& PanesOfView(int mode) {
    static const std::array<ViewPanes, 3> views{{
        {{40006, 40007, 40008, 40009, 40010, 40011, 40012}, {40001, 40004}, {40002, 40001}},
        {{40001, 40004}, {40006, 40007, 40008, 40009, 40010, 40011, 40012}, {40006}},
        {{}, {40001, 40004, 40006, 40007, 40008, 40009, 40010, 40011, 40012}, {40006, 40002, 40001}},
    }};
    return views[static_cast<std::size_t>(mode)];
}

}  // namespace

void ReportConvertProgress(double percent) { UpdateHourglaze(percent); }

CMainFrame::CMainFrame() : m_wndView(std::make_unique<CChildView>()), m_WaveView(std::make_unique<CWaveMainView>()) {
    // A crash from here on leaves a dump that the next start names to the user.
    CCrashDump::Install(L"Ondrava");

    OnMessage(ui::kMsgClose, [this](ui::WParam, ui::LParam) {
        OnClose();
        return 0;
    });
    OnMessage(ui::kMsgSetFocus, [this](ui::WParam, ui::LParam) {
        ui::Window* client = m_IsWaveShown != 0 ? static_cast<ui::Window*>(m_WaveView.get()) : m_wndView.get();
        if (client->GetWx() != nullptr) {
            client->GetWx()->SetFocus();
        }
        return 0;
    });
    OnMessage(ui::kMsgDockingPaneNotify,
              [this](ui::WParam code, ui::LParam data) { return m_PaneMgr.OnPaneNotify(code, data); });
    OnMessage(kMsgViewNotify, [this](ui::WParam code, ui::LParam text) {
        OnViewNotify(code, text);
        return 0;
    });
    OnMessage(kMsgConvertDone, [this](ui::WParam, ui::LParam) {
        OnConvertDone();
        return 0;
    });
    OnMessage(kMsgStartCollect, [this](ui::WParam, ui::LParam) {
        OnStartCollect();
        return 0;
    });
    OnCommand(kCmdOpenLocal, [this] { OnOpenLocal(); });
    OnCommand(kCmdReselectData, [this] { OnReselectData(); });
    OnCommand(kCmdOpenDevice, [this] { OnOpenDevice(); });
    OnCommand(kCmdOpenWaveLocal, [this] { OnOpenWaveLocal(); });
    OnCommand(kCmdOpenWaveDevice, [this] { OnOpenWaveDevice(); });
    OnCommand(kCmdAbout, [this] { OnAbout(); });
    OnCommand(kCmdLanguage, [this] { OnLanguage(); });
    OnCommand(kCmdHelpDocument, [this] { OnHelpDocument(); });
    OnCommand(kCmdColorScheme, [this] { OnColorScheme(); });
    OnCommand(kCmdShowPanes, [this] { OnShowPanes(); });
    InstallExportCommands();
    OnCommand(kCmdAnalysisSetup, [this] { m_WaveView->OnAnalysisSetup(); });
    OnCommand(kCmdReopenWave, [this] { OnReopenWave(); });
    for (unsigned id = kCmdFirstWaveView; id <= kCmdLastWaveView; ++id) {
        OnCommand(id, [this, id] { m_WaveView->AddStatisticView(WaveViewKind(id)); });
    }
    OnCommand(kCmdOriginalView, [this] { m_WaveView->ToggleFirstPane(); });
    OnCommand(kCmdStatisticView, [this] { m_WaveView->ToggleSecondPane(); });
    OnCommand(kCmdEventData, [this] { OnViewMode(kViewModeEvents); });
    OnCommand(kCmdRecordData, [this] { OnViewMode(kViewModeRecords); });
    OnCommand(kCmdAllData, [this] { OnViewMode(kViewModeAll); });
    // Both exits close as the title bar button does, so the question comes first.
    for (const unsigned exit : {kCmdExit, kCmdAppExit}) {
        OnCommand(exit, [this] { ui::SendMessage(this, ui::kMsgClose, 0, 0); });
    }
    for (unsigned theme = kCmdFirstTheme; theme <= kCmdLastTheme; ++theme) {
        OnCommand(theme, [this, theme] { OnTheme(theme); });
    }
    // The menu resources' pop-ups run nothing but stay enabled.
    for (const unsigned popup : kEnabledPopups) {
        OnCommand(popup, [] {});
    }
    InstallCommandStates();
}

// The collector reads the models: it ends before they go.
CMainFrame::~CMainFrame() { StopHarmonicCollector(); }

bool CMainFrame::LoadFrame(unsigned resourceId) {
    if (!Create(String(resourceId))) {
        return false;
    }
    SetMinTrackSize(kMinTrackWidth, kMinTrackHeight);
    wxIcon icon;
    icon.CopyFromBitmap(ui::PictureBitmap(kProgramIcon));
    if (icon.IsOk()) {
        GetFrame()->SetIcon(icon);
    }
    return OnCreate();
}

bool CMainFrame::OnCreate() {
    if (!m_wndView->Create(&GetClientArea(), kStatisticClientStyle)) {
        return false;
    }
    if (!m_WaveView->CreateChild(&GetClientArea(), CWaveMainView::kControlId, kWaveClientStyle,
                                 wxRect(0, 0, 110, 110))) {
        return false;
    }
    m_WaveView->SetMainWindow(this);
    m_WaveView->SetFolderOpener([this](const std::wstring& folder) { m_Launcher.OpenFile(folder); });
    m_WaveView->Initialise();
    SetActiveView(m_wndView.get());

    wxStatusBar* status = GetFrame()->CreateStatusBar(2);
    if (status == nullptr) {
        return false;
    }
    status->SetStatusText(wxString(String(kStringIdlePrompt)), kStatusPromptPane);
    if (!CreateRibbonBar()) {
        return false;
    }

    m_PaneMgr.Install(this);
    std::wstring problem;
    if (!m_PaneMgr.RestoreLayout(problem) && !problem.empty()) {
        COndravaLog::GetInstance()->Write(L"CMainFrame::OnCreate: the saved pane layout is not used: " + problem);
    }
    InstallModels();
    OnTheme(ReadThemeSetting());

    m_hFolderLock.Release();
    UpdateTitle();
    LoadReportTexts();
    RecalcLayout();
    return true;
}

void CMainFrame::LoadReportTexts() {
    // Reports made without them fail with their own message; the log says why.
    if (CRtfReportText::Instance().Load() == 0) {
        COndravaLog::GetInstance()->Write(L"CMainFrame: the report texts could not be read whole from " +
                                          platform::FromPath(CRtfReportText::LanguageFile()));
    }
}

void CMainFrame::InstallModels() {
    // Views live on the user-interface thread: a notification from a loading worker
    // is delivered there, and the worker waits until the views have taken it.
    const ISubject::NotifyMarshal marshal = [](const std::function<void()>& deliver) {
        ui::CallOnUiThread([&deliver] {
            deliver();
            return ui::LResult{0};
        });
    };
    m_ComtradeModel.SetNotifyMarshal(marshal);
    m_SOEModel.SetNotifyMarshal(marshal);
    m_StatisticModel.SetNotifyMarshal(marshal);
    m_SecondStatisticModel.SetNotifyMarshal(marshal);

    m_ComtradeModel.CreateAnalysis(0);
    m_SOEModel.CreateAnalysis(0);
    m_StatisticModel.CreateAnalysis(0);
    // Harmonic histograms read the summaries the collector gathered after the load.
    m_StatisticModel.SetSummarySource([] { return CHarmDataCollector::GetInstance().GetCube(); });
    m_SecondStatisticModel.CreateAnalysis(1);
    m_Controller.Initialize();

    m_Controller.SetComtradeModel(&m_ComtradeModel);
    m_Controller.SetSOEModel(&m_SOEModel);
    m_Controller.SetStatisticModel(&m_StatisticModel);
    m_Controller.SetSecondStatisticModel(&m_SecondStatisticModel);
    m_Controller.SetPaneManager(&m_PaneMgr);
}

void CMainFrame::UpdateTitle() {
    std::wstring title = String(kFrameResource);
    const std::wstring& path = m_IsWaveShown != 0 ? m_WavePath : m_StatisticPath;
    if (!path.empty()) {
        title += L" - [" + path + L"]";
    }
    SetWindowText(title);
}

void CMainFrame::ShowDataPane(std::uint32_t paneId, int show) {
    CCtrlItem request;
    request.code = ctrl::kPane;
    request.param1 = paneId;
    request.param2 = show == 0 ? 1 : 0;
    m_Controller.Notify(&request);
}

bool CMainFrame::LockDataFolder(const std::wstring& folder) { return m_hFolderLock.Hold(platform::ToPath(folder)); }

void CMainFrame::ShowWaveClient(bool show) {
    m_IsWaveShown = show ? 1 : 0;
    if (!show) {
        m_WaveView->HideFloating();
    }
    m_WaveView->ShowWindow(show ? ui::kShow : ui::kShowHide);
    m_wndView->ShowWindow(show ? ui::kShowHide : ui::kShow);
    SetActiveView(show ? static_cast<ui::Window*>(m_WaveView.get()) : m_wndView.get());
    RecalcLayout();
}

ui::LResult CMainFrame::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) {
    if (message == ui::kMsgClose) {
        m_CloseReason = static_cast<int>(wParam);
    }
    return ui::Frame::WindowProc(message, wParam, lParam);
}

void CMainFrame::OnClose() {
    // The record's analysis cannot be stopped: the close waits for its worker.
    const int reason = m_CloseReason;
    if (m_WaveView->DeferWhileBusy([this, reason] { ui::PostMessage(this, ui::kMsgClose, reason, 0); })) {
        return;
    }
    if (!IsFree()) {
        // Asked again once the work and its dialogs are done; never lost.
        m_DeferredReason = reason;
        if (!m_DeferredClose) {
            m_DeferredClose = std::make_unique<wxTimer>();
            m_DeferredClose->Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
                if (IsFree()) {
                    m_DeferredClose->Stop();
                    ui::PostMessage(this, ui::kMsgClose, m_DeferredReason, 0);
                }
            });
        }
        m_DeferredClose->Start(kDeferredCloseCheck);
        return;
    }
    if (m_CloseReason != kCloseReasonWaveAnalysisFailed && m_CloseReason != kCloseReasonLanguageRestart) {
        if (ui::MessageBox(this, String(kStringExitQuestion), String(kStringAppTitle),
                           ui::kMbOkCancel | ui::kMbIconInformation) != ui::kIdOk) {
            return;  // the window stays, and so does the hold on the data folder
        }
    }
    m_hFolderLock.Release();
    StopHarmonicCollector();
    m_PaneMgr.SaveLayout();
    m_WaveView->DestroyWindow();
    m_wndView->DestroyWindow();
    DestroyWindow();
}

bool CMainFrame::IsFree() const {
    const auto* app = dynamic_cast<ui::Application*>(wxTheApp);
    const bool busy = app != nullptr && app->GetBusyIndicator() != nullptr && app->GetBusyIndicator()->IsShowing();
    return !busy && GetFrame() != nullptr && GetFrame()->IsEnabled();
}

void CMainFrame::OnViewMode(int mode) {
    m_ViewMode = mode;
    const ViewPanes& panes = PanesOfView(mode);
    for (const std::uint32_t id : panes.closed) {
        ShowDataPane(id, 0);
    }
    for (const std::uint32_t id : panes.shown) {
        ShowDataPane(id, 1);
    }
    for (const std::uint32_t id : panes.selected) {
        m_PaneMgr.SelectPane(id);
    }
}

void CMainFrame::OnShowPanes() {
    for (const std::uint32_t id : {40001u, 40004u, 40002u, 40003u, 40005u, 40006u, 40007u, 40008u, 40009u, 40010u}) {
        m_PaneMgr.ShowPane(id);
    }
}

void CMainFrame::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CMainFrame::OnLanguage() {
    CLanguageDlg dialog;
    if (dialog.DoModal(this) != ui::kIdOk) {
        return;
    }
    // Reports follow the chosen language at once, as the spreadsheet template does.
    LoadReportTexts();
    CLanguageInfo language;
    CZVLanguageList::Load(language, -1);
    const std::wstring message = CZVLanguageList::SplitText(language.switchTip, true) + L"\n" +
                                 CZVLanguageList::SplitText(language.switchTip, false);
    if (ui::MessageBox(this, message, String(kStringAppTitle), ui::kMbYesNo) != ui::kIdYes) {
        return;  // the new language comes with the next start
    }
    // Closing before the new copy runs would leave the user with no program at all.
    if (!StartProgram(GetModuleDirectory() + kProgramFile)) {
        ui::MessageBox(this, String(kStringRestartFailed), String(kStringAppTitle), ui::kMbOk | ui::kMbIconExclamation);
        return;
    }
    m_CloseReason = kCloseReasonLanguageRestart;
    OnClose();
}

void CMainFrame::OnColorScheme() {
    ShowColorSchemeSheet(this, [this](std::uint32_t event) {
        // Only open data has views to draw again.
        if (m_StatisticPath.empty() && m_WavePath.empty()) {
            return;
        }
        CCtrlItem request{event, 0, 0, L""};
        m_Controller.Notify(&request);
        if (m_IsWaveShown != 0) {
            m_WaveView->BroadcastRefresh();
        }
    });
}

void CMainFrame::OnHelpDocument() { m_Launcher.OpenFile(CZVLanguageList::GetLanguageDir() + kManualFile); }
