#pragma once
// CWaveHarmHistogramsStatisticView: the harmonic histogram view of the statistic
// area, kind 5979. The chart dialog fills it on the left, the attribute panel
// stands at its right edge (220 pixels, more when its controls need it, or a
// 5-pixel strip when folded); a pane shorter than the panel gives it a scroll bar,
// so that every control can be reached. It passes
// the window's range changes, re-analyses and refreshes to the chart, the chart's
// questions to the statistic area, and retitles its pane after the quantity shown.
// It has no table to export.

#include <memory>

#include "waverecord/ui/WavePaneView.h"

class CWaveHarmHistograrmsMainDlg;
class CWaveHarmHistogramsDlg;
class wxScrollBar;

class CWaveHarmHistogramsStatisticView : public CWavePaneView {
public:
    static constexpr int kKind = 5979;
    static constexpr int kPanelWidth = 220;
    static constexpr int kFoldedWidth = 5;
    static constexpr unsigned kMsgOwnerRequest = 0x723;
    static constexpr unsigned kMsgRefresh = 0x724;
    static constexpr unsigned kMsgSelection = 0x725;
    static constexpr unsigned kMsgPaneCommand = 0x5F7;
    static constexpr unsigned kMsgRetitle = 0x5F9;
    static constexpr unsigned kMsgToggle = 0x5FB;

    CWaveHarmHistogramsStatisticView();
    ~CWaveHarmHistogramsStatisticView() override;

    // Registers the view for its kind, unless a view is registered for it already.
    static void Register();

    void OnViewCreated() override;
    bool HasTableExport() const override { return false; }
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    CWaveHarmHistograrmsMainDlg* GetChartDlg() const { return m_chartDlg.get(); }
    CWaveHarmHistogramsDlg* GetPanel() const { return m_panel.get(); }
    bool IsPanelFolded() const { return m_panelCollapsed; }
    int GetPanelWidth() const { return m_panelWidth; }
    // The panel's scroll bar, shown while the view is shorter than the panel.
    wxScrollBar* GetPanelScrollBar() const { return m_bar; }

private:
    void Layout();
    void ScrollPanelTo(int position);

    std::unique_ptr<CWaveHarmHistograrmsMainDlg> m_chartDlg;
    std::unique_ptr<CWaveHarmHistogramsDlg> m_panel;
    bool m_panelCollapsed = false;
    int m_panelWidth = kPanelWidth;
    int m_panelHeight = 0;
    int m_panelScroll = 0;
    wxScrollBar* m_bar = nullptr;  // a child of the view's window
};
