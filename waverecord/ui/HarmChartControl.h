#pragma once
// CHarmChartControl: the bar chart of the harmonic histogram. It is the shared chart
// control with its point labels following the mouse; a click on the chart also
// tells its owner (kMsgClicked), which hands the keyboard focus to its view.

#include "controls/ChartContrl.h"

class CHarmChartControl : public CChartContrl {
public:
    static constexpr unsigned kMsgClicked = 0x3E9;

    CHarmChartControl();
    void SetOwner(ui::Window* owner) { m_owner = owner; }

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

private:
    ui::Window* m_owner = nullptr;
};
