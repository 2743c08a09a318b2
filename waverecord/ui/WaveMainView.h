#pragma once
// CWaveMainView: the waveform-record window, the frame's client while a raw
// waveform record is shown. It holds two panes (the raw waveforms, the statistic
// area), opens a record, analyses it again when the analysis windows change and
// exports the statistic views' tables. Each of the three runs on a worker while
// the user-interface thread shows the busy indicator; the worker touches no window
// (it sends messages), and what it found is shown once it has ended.
//
// Messages (wParam, lParam):
//   kMsgOpenRecord  (const std::wstring* path, 0): 1 when the record was opened
//   kMsgClearRecord : the panes forget the record, the analysis goes
//   kMsgExport      (const std::wstring* base folder, 0): exports into a new folder
//   kMsgRecordPath  (std::wstring* out): the open record's path
//   0x464 (kind, direction) a pane or a statistic view; 0x465 (WavePaneCommand*)
//   to the statistic area; 0x723, 0x725 to the raw-waveform pane.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/ui/WavePaneManager.h"

class CWaveViewHost;
class CWaveOrginalViewFrame;
class CWaveStatisticMainFrame;

class CWaveMainView : public ui::Window {
public:
    static constexpr unsigned kControlId = 59649;
    static constexpr unsigned kMsgAddPane = 0x464;
    static constexpr unsigned kMsgToStatistics = 0x465;
    static constexpr unsigned kMsgOpenRecord = 0x466;
    static constexpr unsigned kMsgClearRecord = 0x467;
    static constexpr unsigned kMsgRefreshViews = 0x724;
    static constexpr unsigned kMsgExport = 0x726;
    static constexpr unsigned kMsgRecordPath = 0x727;
    static constexpr int kCloseReasonAnalysisFailed = 9122;

    CWaveMainView();
    ~CWaveMainView() override;

    // Installs the panes once the window exists; false without one.
    bool Initialise();
    // The window closed with kMsgClose (reason 9122) when an analysis ran out of memory.
    void SetMainWindow(ui::Window* window) { m_mainWindow = window; }
    // Opens a folder for the user (the shell's launcher) after an export, when asked.
    void SetFolderOpener(std::function<void(const std::wstring&)> opener) { m_openFolder = std::move(opener); }

    // A worker runs: a close must wait. Then the function runs once it has ended and
    // true is returned; false (and nothing kept) when no worker runs.
    bool DeferWhileBusy(std::function<void()> then);
    bool IsBusy() const { return m_busy; }

    // The shell's add-view commands: a statistic view of the kind joins the
    // statistic pane (once the queued messages are handled), which is shown if the
    // user had hidden it.
    void AddStatisticView(int kind);

    // The shell's pane commands.
    bool PostToOtherPane() { return SecondPaneHasViews(); }
    bool SecondPaneHasViews();
    void BroadcastRefresh();
    void ToggleFirstPane();
    void ToggleSecondPane();
    bool IsFirstPaneLocked() const;
    bool IsSecondPaneLocked() const;
    // The analysis settings command: the dialog, and after OK the record analysed
    // again. True when it was.
    bool OnAnalysisSetup();
    // Analyses the open record again under the stored windows, with the busy
    // indicator, and tells both panes; false when it failed.
    bool Reanalyse();

    // The window is about to be hidden: its floating time-range dialog goes too.
    void HideFloating();

    CWaveOrginalViewFrame* GetRawFrame() const;
    CWaveStatisticMainFrame* GetStatisticFrame() const;
    CWavePaneManager* GetPanes() const { return m_panes.get(); }
    const std::wstring& GetRecordPath() const { return m_recordPath; }
    const std::wstring& GetExportDir() const { return m_exportDir; }

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

private:
    ui::LResult OnOpenRecord(const std::wstring& path);
    ui::LResult OnClearRecord();
    ui::LResult OnExport(const std::wstring& baseFolder);
    // Runs the work on a worker while the busy indicator shows; returns after it ended.
    void RunBusy(const std::function<void()>& work);
    int FirstPane() const;
    int SecondPane() const;

    std::unique_ptr<CWavePaneManager> m_panes;
    std::unique_ptr<CWaveViewHost> m_viewerHost;
    bool m_firstOpen = true;
    bool m_busy = false;
    std::wstring m_exportDir;
    std::wstring m_recordPath;
    WaveProgressBlock m_progress;
    ui::Window* m_mainWindow = nullptr;
    std::vector<std::function<void()>> m_afterBusy;
    std::function<void(const std::wstring&)> m_openFolder;
};
