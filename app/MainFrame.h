#pragma once
// CMainFrame: the program's one top-level window. It owns the data models, the
// controller and the docking panes of a terminal's data, and two client windows of
// which one is shown at a time: the statistic client (CChildView, with the start
// page) and the waveform-record client (CWaveMainView). Commands go to the shown
// client first, then to the frame. The frame switches the three data views of the
// statistic client, holds the opened data folder, keeps the title (the product
// title, then the folder or record shown), keeps at least 950 x 740 pixels, runs
// the system commands and asks before it closes.
//
// Models notify their views on the user-interface thread: a notification from a
// loading worker waits there until the views have taken it.
//
// kMsgClose carries the close reason in wParam: 9122 (the waveform-record analysis
// gave up) and 9123 (restart for a new language) close without asking; any other
// value (0 from the title bar button, the system menu and the exit commands) asks.
// Only a confirmed close lets go of the data folder and saves the pane layout. A
// close asked for while work runs behind the busy indicator (the window manager's
// close reaches the frame then) or while a dialog is up waits until the frame is
// free again, and then asks as ever.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

#include "app/CommandRules.h"
#include "app/DockPaneMgr.h"
#include "app/DocumentLauncher.h"
#include "core/ZVBoardInfo.h"
#include "platform/base/FolderLock.h"
#include "platform/ui/Frame.h"
#include "platform/ui/RibbonBar.h"
#include "terminal/BasicInfo.h"
#include "report/ReportWriter.h"
#include "terminal/ComtradeModel.h"
#include "terminal/DataSelectInfo.h"
#include "terminal/GlobalModel.h"
#include "terminal/SOEModel.h"
#include "terminal/ZVController.h"

class CChildView;
class wxTimer;
class CReportConfig;
class CWaveMainView;
struct ReportOutcome;
struct ReportRequest;
struct ReportWizardResult;

// Posted to the frame by the table export worker: wParam 0 written, 1 nothing to
// write, 2 failed, -1 no view to export.
inline constexpr unsigned kMsgExportDone = 0x052E;
// Sent to the waveform-record client: export its tables; wParam the address of the
// chosen folder, lParam that of the record's path (both std::wstring).
inline constexpr unsigned kMsgWaveExportTables = 0x0726;

// Close reasons carried by kMsgClose.
inline constexpr int kCloseReasonNone = 9121;
inline constexpr int kCloseReasonWaveAnalysisFailed = 9122;
inline constexpr int kCloseReasonLanguageRestart = 9123;

// Messages the frame receives from the views and the opening workers.
// Sent by views and by the load worker; wParam is one of the codes below. With the
// caption codes lParam points at the caption (a const std::wstring), which lives
// while the sender waits.
inline constexpr unsigned kMsgViewNotify = 0x4C9;
inline constexpr ui::WParam kViewNotifyReset = 7;          // reset the statistic views and show their panes
inline constexpr ui::WParam kViewNotifyEventCaption = 14;  // the tab caption of pane 40001
inline constexpr ui::WParam kViewNotifyAlarmCaption = 15;  // the tab caption of pane 40004
// Posted once a conversion has succeeded (no parameters): the frame opens the
// converted folder.
inline constexpr unsigned kMsgConvertDone = 0x52C;
// Sent by the load worker once the models are loaded (no parameters): the frame
// starts the harmonic collector.
inline constexpr unsigned kMsgStartCollect = 0x52D;

// Hands a percentage of the statistic conversion to the busy indicator; the
// conversion library calls it on the worker that converts.
void ReportConvertProgress(double percent);

// The three data views of the statistic client.
inline constexpr int kViewModeEvents = 0;
inline constexpr int kViewModeRecords = 1;
inline constexpr int kViewModeAll = 2;

class CMainFrame : public ui::Frame {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates the window of the frame resource (title string) with its clients,
    // status bar, panes and models. False when a step failed; the window may then
    // exist all the same.
    bool LoadFrame(unsigned resourceId);

    // The product title (string 200), then " - [" path "]" for the path shown: the
    // waveform record in waveform mode, else the statistic data folder.
    void UpdateTitle();

    // Asks the controller to show (1) or close (0) a record pane.
    void ShowDataPane(std::uint32_t paneId, int show);

    // Holds the folder open from a successful statistic open until the next open or
    // a confirmed close; false (nothing held) when it cannot be opened.
    bool LockDataFolder(const std::wstring& folder);
    // True while the held folder's path still leads to the folder that was opened;
    // checked before each load, since Linux lets others remove a folder in use.
    bool IsLockedFolderPresent() const { return m_hFolderLock.StillPresent(); }
    bool IsFolderLocked() const { return m_hFolderLock.IsHeld(); }

    // The statistic road for a folder the user chose or a download brought: finds the
    // data folder (the folder, the one above it, or a "Board" folder inside it),
    // lets the user pick a board, checks the terminal model and version, converts
    // the statistic data when the folder asks for it, then opens it (OpenStatistic).
    void CheckAndOpen(const std::wstring& folder);
    // The data selection for the folder, the load behind the busy indicator and what
    // follows a load; nothing changes when the user cancels.
    void OpenStatistic(const std::wstring& path);
    // Stops a running harmonic collection, waits for it and clears the collector; the
    // roads that load other data call it first.
    void StopHarmonicCollector();
    // The waveform road for a folder the user chose or a download brought: the
    // folder (or a board in it) must hold a waveform record; the statistic data
    // makes way and the waveform client opens the record.
    void OpenWaveRecord(const std::wstring& path);
    // Where the device dialog hands a downloaded folder: mode 0 statistic data
    // (CheckAndOpen), mode 1 a waveform record (OpenWaveRecord).
    void OpenDownloadedFolder(const std::wstring& folder, int mode);
    bool IsCollecting() const { return m_Collecting.load(); }

    // What the last load brought: the range chosen, the record's description (its
    // item list without items that hold nothing) and the snapshots taken within the
    // range.
    const DataSelectInfo& GetSelection() const { return m_Selection; }
    const BasicInfo& GetRecordInfo() const { return m_RecordInfo; }
    const std::vector<CZVBoardInfo>& GetSnapshots() const { return m_Snapshots; }

    // Shows the waveform-record client (true) or the statistic client in the same
    // place, and sends commands to the shown one first.
    void ShowWaveClient(bool show);
    int IsWaveShown() const { return m_IsWaveShown; }
    int IsStatisticLoaded() const { return m_IsStatisticLoaded; }
    void SetStatisticLoaded(int loaded) { m_IsStatisticLoaded = loaded; }
    const std::wstring& GetStatisticPath() const { return m_StatisticPath; }
    void SetStatisticPath(const std::wstring& path) { m_StatisticPath = path; }
    const std::wstring& GetWavePath() const { return m_WavePath; }
    void SetWavePath(const std::wstring& path) { m_WavePath = path; }
    int GetViewMode() const { return m_ViewMode; }

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    int GetCloseReason() const { return m_CloseReason; }
    CChildView* GetStatisticClient() const { return m_wndView.get(); }
    CWaveMainView* GetWaveClient() const { return m_WaveView.get(); }
    CDockPaneMgr& GetPaneManager() { return m_PaneMgr; }
    CZVController& GetController() { return m_Controller; }
    CComtradeModel& GetComtradeModel() { return m_ComtradeModel; }
    CSOEModel& GetSOEModel() { return m_SOEModel; }
    CGlobalModel& GetStatisticModel() { return m_StatisticModel; }
    CGlobalModel& GetSecondStatisticModel() { return m_SecondStatisticModel; }
    CDocumentLauncher& GetLauncher() { return m_Launcher; }
    ui::RibbonBar* GetRibbonBar() const { return m_pRibbonBar.get(); }
    unsigned GetThemeId() const { return m_ThemeId; }

    // Applies the interface style of the command id (32794 to 32816) to the ribbon
    // and keeps it in the profile for the next start; an id that names no style
    // leaves the base look and changes nothing else.
    void OnTheme(unsigned id);
    // The stored style read as a decimal number; the current one when none is stored.
    unsigned ReadThemeSetting() const;
    void WriteThemeSetting(unsigned id);

    static constexpr unsigned kFrameResource = 200;
    // Office 2010 Blue, until the user picks another style.
    static constexpr unsigned kDefaultTheme = 32798;
    // The status bar's panes: the prompt (the separator of the indicator list),
    // then the pane of indicator 10074, where the loaded data's wiring and
    // validity are shown.
    static constexpr int kStatusPromptPane = 0;
    static constexpr int kStatusDataPane = 1;
    static constexpr int kMinTrackWidth = 950;
    static constexpr int kMinTrackHeight = 740;

    // The ribbon's command states come from the rules of CommandRules.h.
    FrameState CurrentState() const;

    // The report writers the report commands make (the program's own unless a test
    // installs others). A report whose writer the program lacks is not offered.
    void SetReportWriters(std::unique_ptr<IReportWriterFactory> writers);
    // The output path of the last report run and its result.
    const std::wstring& GetReportPath() const { return m_ReportPath; }
    int GetReportResult() const { return m_ReportResult; }
    const std::wstring& GetTableFolder() const { return m_TableFolder; }

private:
    bool OnCreate();
    bool CreateRibbonBar();
    void InstallCommandStates();
    void InstallModels();
    // The report texts of the selected language, for every report and picture made after.
    void LoadReportTexts();
    void OnClose();
    // Whether nothing holds the frame: no work behind the busy indicator, no dialog.
    bool IsFree() const;
    void OnAbout();
    void OnLanguage();
    void OnColorScheme();
    void OnHelpDocument();
    void OnViewMode(int mode);
    void OnShowPanes();
    // The export and report commands (MainFrameExport.cpp).
    void InstallExportCommands();
    void OnExportData();
    void OnExportReport();
    void OnExportTable();
    void OnExportDone(int code);
    bool RunReportWizard(int mode, CReportConfig& config, BasicInfo& record, ReportWizardResult& result);
    std::wstring ReportDataPath() const;
    // Fills the writer's reporter base; false, after telling why, when it cannot.
    bool InitReportWriter(IReportWriter* writer, const ReportRequest& request, CReportConfig& config,
                          unsigned caption);
    // Runs the report on a worker and tells the result, offering to open it.
    void RunReport(const ReportRequest& request, const std::function<ReportOutcome()>& run, unsigned caption,
                   unsigned question);
    void RunOnWorker(const std::function<void()>& work);

    // The opening road (MainFrameOpen.cpp).
    void OnOpenLocal();
    void OnReselectData();
    void OnOpenDevice();
    void OnOpenWaveLocal();
    void OnOpenWaveDevice();
    // Opens the shown waveform record again, analysed afresh.
    void OnReopenWave();
    // Asks whether loaded statistic data may go for a waveform record; true when
    // none is loaded or the user agreed.
    bool AskDiscardStatistic();
    void CheckAndOpen();
    bool SelectBoard(std::wstring& path, int mode);
    bool AskDiscardWaveRecord();
    // A message with the program's title, OK and the exclamation icon.
    void PlainBox(unsigned textId);
    // Runs the work on a worker while the busy indicator holds this thread; false
    // when no worker could be started. The work ends the indicator last.
    bool RunBusy(const std::function<void()>& work);
    void FinishLoad(bool loaded);
    void FailLoad();
    void RemoveEmptyItem(std::uint32_t itemId);

    // The workers and the messages they send (MainFrameWorkers.cpp).
    // Converts into the folder, or into the user's cache where the folder cannot be
    // written; `itemFolder` receives where the item files went.
    int ConvertStatistic(const std::wstring& dataPath, std::filesystem::path& itemFolder);
    bool LoadStatistic(const std::wstring& path, DataSelectInfo selection);
    void AdvanceProgress(double step);
    void CollectSnapshots(std::int64_t start, std::int64_t end);
    void UpdateStatusText();
    void OnViewNotify(ui::WParam code, ui::LParam text);
    void OnConvertDone();
    void OnStartCollect();

    std::unique_ptr<CChildView> m_wndView;
    std::unique_ptr<CWaveMainView> m_WaveView;
    int m_IsWaveShown = 0;
    int m_IsStatisticLoaded = 0;
    std::unique_ptr<ui::RibbonBar> m_pRibbonBar;
    std::wstring m_WavePath;
    CDockPaneMgr m_PaneMgr;
    CZVController m_Controller;
    CComtradeModel m_ComtradeModel;
    CSOEModel m_SOEModel;
    CGlobalModel m_StatisticModel;
    CGlobalModel m_SecondStatisticModel;
    std::wstring m_StatisticPath;
    int m_ViewMode = kViewModeEvents;
    platform::FolderLock m_hFolderLock;
    int m_CloseReason = kCloseReasonNone;
    unsigned m_ThemeId = kDefaultTheme;
    CDocumentLauncher m_Launcher{this};

    // The opening road's state.
    std::wstring m_DataPath;  // the folder of the last open command
    int m_IsPrepared = 0;     // the waveform record was dealt with for this open
    DataSelectInfo m_Selection;
    double m_Progress = 0.0;  // written by the load worker only
    BasicInfo m_RecordInfo;
    std::vector<CZVBoardInfo> m_Snapshots;
    std::thread m_hCollectThread;
    std::stop_source m_CollectStop;
    std::atomic<bool> m_Collecting{false};
    std::wstring m_ReportPath;
    int m_ReportResult = 0;
    std::wstring m_TableFolder;
    std::wstring m_OpenTarget;
    std::wstring m_OpenQuestion;
    std::unique_ptr<IReportWriterFactory> m_Writers;
    // A close that waits for the frame to be free, with its reason.
    std::unique_ptr<wxTimer> m_DeferredClose;
    int m_DeferredReason = kCloseReasonNone;
};
