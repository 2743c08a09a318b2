#pragma once
// CDlgHarmScrollView: the left part of the harmonic histogram frame, which stacks one
// harmonic bar chart (CDlgHarmMain) per shown phase, L1, L2, L3 and N from the top
// (HarmScrollLayout), and scrolls them when all four do not fit. It refills the
// charts from the panel's selection and the statistic model: every shown chart when
// the selection draws something else, else only the chart of the selection's phase.

#include <array>
#include <cstdint>
#include <memory>

#include "platform/ui/Window.h"
#include "views/HarmScrollLayout.h"
#include "views/HarmSelection.h"

class CDlgHarmMain;
class IDataModel;
class wxScrollBar;

class CDlgHarmScrollView : public ui::Window {
public:
    static constexpr unsigned kViewId = 100;

    CDlgHarmScrollView();
    ~CDlgHarmScrollView() override;

    // The view as a visible child of the parent with its four charts; false when it
    // could not be made.
    bool Create(ui::Window& parent, const wxRect& rect);

    // Which phase charts are shown (L1, L2, L3, N).
    void SetPhases(const std::array<std::uint32_t, 4>& shown);
    // Refills the charts the selection changes; then lays them out again.
    void UpdatePanel(const CHarmSelection* selection, IDataModel* model);
    // The scheme's colours into every shown chart.
    void ApplyColors();
    // Empties every chart and forgets the last selection, so that the next update
    // refills every shown chart.
    void ClearCharts();
    // Forgets the last selection only.
    void Forget() { m_Stored = CHarmSelection(); }

    CDlgHarmMain* Chart(std::uint32_t phase) const;
    const std::array<std::uint32_t, 4>& Phases() const { return m_Shown; }
    int GetScrollPosition() const { return m_Scroll; }
    void ScrollTo(int position);
    // The layout last applied.
    const HarmScrollLayout& Layout() const { return m_Layout; }

private:
    void DoLayout();

    std::array<std::unique_ptr<CDlgHarmMain>, 4> m_Charts;
    std::array<std::uint32_t, 4> m_Shown{};
    CHarmSelection m_Stored;
    wxScrollBar* m_Bar = nullptr;
    int m_Scroll = 0;
    HarmScrollLayout m_Layout;
};
