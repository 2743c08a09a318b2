#pragma once
// CMainFrame: the program's one top-level window. Built by the application object
// at start-up and shown maximised; it installs the crash-dump handler while it is
// built, keeps the title (the product title, then the folder or record shown),
// keeps at least 950 x 740 pixels, runs the system commands (language, about, exit)
// and asks before it closes.
//
// kMsgClose carries the close reason in wParam: 9122 (the waveform-record analysis
// gave up) and 9123 (restart for a new language) close without asking; any other
// value (0 from the title bar button, the system menu and the exit commands) asks.

#include <memory>
#include <string>

#include "platform/ui/Frame.h"

class CChildView;

// Close reasons carried by kMsgClose.
inline constexpr int kCloseReasonNone = 9121;
inline constexpr int kCloseReasonWaveAnalysisFailed = 9122;
inline constexpr int kCloseReasonLanguageRestart = 9123;

class CMainFrame : public ui::Frame {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates the window of the frame resource (title string, menu) with its client
    // and status bar. False when a step failed; the window may then exist all the same.
    bool LoadFrame(unsigned resourceId);

    // The product title (string 200), then " - [" path "]" for the path shown: the
    // waveform record in waveform mode, else the statistic data folder.
    void UpdateTitle();

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    int GetCloseReason() const { return m_CloseReason; }
    CChildView* GetStatisticClient() const { return m_wndView.get(); }

    static constexpr unsigned kFrameResource = 200;
    // The status bar's panes: the prompt (the separator of the indicator list),
    // then the pane of indicator 10074, where the loaded data's wiring and
    // validity are shown.
    static constexpr int kStatusPromptPane = 0;
    static constexpr int kStatusDataPane = 1;
    static constexpr int kMinTrackWidth = 950;
    static constexpr int kMinTrackHeight = 740;

private:
    bool OnCreate();
    void OnClose();
    void OnAbout();
    void OnLanguage();
    void OnHelpDocument();

    std::unique_ptr<CChildView> m_wndView;
    int m_IsWaveShown = 0;
    std::wstring m_WavePath;
    std::wstring m_StatisticPath;
    int m_CloseReason = kCloseReasonNone;
};
