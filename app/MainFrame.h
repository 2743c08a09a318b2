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
// Only a confirmed close lets go of the data folder and saves the pane layout.

#include <cstdint>
#include <memory>
#include <string>

#include "app/CommandRules.h"
#include "app/DockPaneMgr.h"
#include "app/DocumentLauncher.h"
#include "platform/base/FolderLock.h"
#include "platform/ui/Frame.h"
#include "platform/ui/RibbonBar.h"
#include "terminal/ComtradeModel.h"
#include "terminal/GlobalModel.h"
#include "terminal/SOEModel.h"
#include "terminal/ZVController.h"

class CChildView;
class CWaveMainView;

// Close reasons carried by kMsgClose.
inline constexpr int kCloseReasonNone = 9121;
inline constexpr int kCloseReasonWaveAnalysisFailed = 9122;
inline constexpr int kCloseReasonLanguageRestart = 9123;

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

private:
    bool OnCreate();
    bool CreateRibbonBar();
    void InstallCommandStates();
    void InstallModels();
    void OnClose();
    void OnAbout();
    void OnLanguage();
    void OnColorScheme();
    void OnHelpDocument();
    void OnViewMode(int mode);
    void OnShowPanes();

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
};
