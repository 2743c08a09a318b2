#pragma once
// CWaveHarmHistograrmsMainDlg: the chart side of the harmonic histogram view, a
// child dialog (template 140) covered by its bar chart. It keeps the histogram
// record the panel last applied, collects the bar groups from the analysed record
// and shows them as one bar series per statistic.
//
// Messages (wParam, lParam):
//   kMsgApply     (const HarmHistAttrib*, 0): shows that record; with a null
//                 pointer the record kept here is shown again
//   kMsgGetRecord (HarmHistAttrib*, 0): copies the record kept here
//   0x724         refresh: the bars again with the scheme's colours; 1
//   0x5F7         (const WavePaneCommand*, 0): a range change (2) collects the
//                 bars of the new range; a re-analysis (4) shows the record again
//   kMsgFocusView the chart was clicked: the view takes the focus

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "waverecord/WaveHarmHistogram.h"

class CHarmChartControl;

class CWaveHarmHistograrmsMainDlg : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 140;
    static constexpr unsigned kChartId = 100;
    static constexpr unsigned kMsgApply = 0x658;
    static constexpr unsigned kMsgGetRecord = 0x5FA;
    static constexpr unsigned kMsgRefresh = 0x724;
    static constexpr unsigned kMsgPaneCommand = 0x5F7;
    static constexpr unsigned kMsgFocusView = 0x3E9;
    // To the view.
    static constexpr unsigned kMsgRetitle = 0x5F9;
    static constexpr unsigned kMsgSelection = 0x725;

    CWaveHarmHistograrmsMainDlg();
    ~CWaveHarmHistograrmsMainDlg() override;

    void SetView(ui::Window* view) { m_view = view; }
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    CHarmChartControl* GetChart() const { return m_chart.get(); }
    const std::vector<HarmBarEntry>& GetBars() const { return m_bars.Bars(); }
    const HarmHistAttrib& GetRecord() const { return m_bars.Attrib(); }
    const std::wstring& GetAxisTitle() const { return m_axisTitle; }

private:
    ui::LResult OnApply(const HarmHistAttrib& record);
    ui::LResult OnRangeChanged(std::int64_t start, std::int64_t end);
    ui::LResult OnPaneCommand(ui::WParam command);
    void BuildSeries();
    // Adds the collected bars to the series and sets the value-axis title.
    void ShowBars();
    HarmHistColors SchemeColors() const;

    std::unique_ptr<CHarmChartControl> m_chart;
    ui::Window* m_view = nullptr;
    CWaveHarmHistogramBars m_bars;
    std::vector<std::int32_t> m_seriesStats;
    std::wstring m_axisTitle;
};
