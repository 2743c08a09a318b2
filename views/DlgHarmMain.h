#pragma once
// CDlgHarmMain: the harmonic bar chart of one phase, a modeless child dialog
// (template 140) covered by its chart control. Fill rebuilds the chart from a
// harmonic selection and the statistic model; the scheme's harmonic colours colour
// the maximum, minimum and average series. Esc and Enter do nothing here, and
// Alt+F4 inside the chart is swallowed, so the pane around it never closes.

#include <memory>

#include "platform/ui/Dialog.h"
#include "views/HarmBar.h"

class CChartContrl;
class IDataModel;

class CDlgHarmMain : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 140;
    static constexpr unsigned kChartId = 100;
    // Sent to itself with wParam kClearChart: the bars are erased and the chart left
    // without series (answers 0).
    static constexpr unsigned kMsgCommand = 0x4C9;
    static constexpr ui::WParam kClearChart = 8;
    static constexpr unsigned kMsgQuery = 0x478;  // answered with 1

    explicit CDlgHarmMain(const DialogTemplateInfo* info);
    ~CDlgHarmMain() override;

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Rebuilds the chart for the selection's phase; only clears it when either is null.
    void Fill(const CHarmSelection* selection, IDataModel* model);
    // Re-reads the scheme's harmonic colours into the shown series.
    void ApplyColors();

    CChartContrl* GetChart() const { return m_Chart.get(); }
    const std::vector<CHarmBar>& GetBars() const { return m_Bars; }

private:
    HarmChartColors SchemeColors(const HarmChartColors& fallback) const;

    std::unique_ptr<CChartContrl> m_Chart;
    std::vector<CHarmBar> m_Bars;
    std::vector<std::uint32_t> m_SeriesKinds;  // the statistic of each chart series
};
