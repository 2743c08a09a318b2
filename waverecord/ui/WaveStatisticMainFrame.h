#pragma once
// CWaveStatisticMainFrame: the statistic area of the waveform-record window, the
// column of statistic views of the analysed record. It limits how many views of
// each kind and in all it holds, relays the main view's events to every view,
// passes the views' requests on to the main view and drives the export of every
// view's table.
//
// Messages (wParam, lParam):
//   kMsgAddView      (kind, direction): add a view; 1 when added
//   kMsgEvent        (WavePaneCommand*, 0): command 3 clears the area; any other is
//                    relayed to every view (kMsgViewEvent), whatever a view answers
//   kMsgHasViews     : 1 when a view other than a histogram is there
//   kMsgRefresh      : relayed to every view
//   kMsgExport       (const std::wstring* folder, 0): each view writes its table;
//                    the answer has a bit set for each view written (in pane order)
//                    and ExportFailures() names the views that were not; a full
//                    disk ends the export (ExportFoundDiskFull())
//   0x723, 0x725     : a view's request, answered by the owner
//
// The views stack in a column 300 pixels a view high (never lower than the area),
// which the area scrolls with its scroll bar and the mouse wheel (25 pixels a step).

#include <memory>
#include <string>
#include <vector>

#include "waverecord/WaveViewLimits.h"
#include "waverecord/ui/WavePaneManager.h"

// The pane command record of the window's messages: command, first, second, third.
// Sample positions travel in 64 bits.
struct WavePaneCommand {
    std::int32_t command = 0;
    std::int64_t first = 0;
    std::int64_t second = 0;
    std::int32_t third = 4;
};

class wxScrollBar;

class CWaveStatisticMainFrame : public CWavePaneView {
public:
    static constexpr unsigned kMsgAddView = 0x465;
    static constexpr unsigned kMsgEvent = 0x466;
    static constexpr unsigned kMsgHasViews = 0x467;
    static constexpr unsigned kMsgOwnerRequest = 0x723;
    static constexpr unsigned kMsgRefresh = 0x724;
    static constexpr unsigned kMsgSelectionRequest = 0x725;
    static constexpr unsigned kMsgExport = 0x726;
    static constexpr unsigned kMsgRetitle = 0x5F9;
    // Sent to each view.
    static constexpr unsigned kMsgViewEvent = 0x5F7;
    static constexpr int kCommandClear = 3;

    CWaveStatisticMainFrame();

    CWavePaneManager& Panes() { return m_panes; }
    const CWaveViewLimits& Limits() const { return m_limits; }
    // The titles of the views whose export failed in the last export.
    const std::vector<std::wstring>& ExportFailures() const { return m_failures; }
    // Whether the last export stopped because the disk was full.
    bool ExportFoundDiskFull() const { return m_diskFull; }
    // The column and how far it is scrolled, in pixels.
    int GetColumnHeight() const;
    int GetScrollPosition() const { return m_scroll; }
    void ScrollTo(int position);

    void OnViewCreated() override;

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

private:
    ui::LResult AddView(int kind, int direction);
    void Clear();
    ui::LResult Export(ui::WParam folder);
    void Layout();

    CWavePaneManager m_panes;
    CWaveViewLimits m_limits;
    std::unique_ptr<ui::Window> m_column;
    wxScrollBar* m_bar = nullptr;
    int m_scroll = 0;
    std::vector<std::wstring> m_failures;
    bool m_diskFull = false;
};
