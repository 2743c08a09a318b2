#pragma once
// CTrendPage: the report wizard's trend page. Its table has one row per trend chart
// of the configuration and one cell per phase column (L1, L2, L3, All); a cell is
// selected, not selected or not available (the data lack the quantity or the phase).
// Clicks on names and headers toggle rows, columns or everything. The ticks go into
// the configuration's trend part when the wizard finishes; finishing from this page
// leaves the harmonic trend charts out of the report.

#include <memory>

#include "platform/ui/WizardPage.h"
#include "report/TrendGrid.h"
#include "terminal/BasicInfo.h"

class CReportConfig;
class CTrendGridCtrl;

class CTrendPage : public ui::WizardPage {
public:
    static constexpr unsigned kTemplateId = 125;
    static constexpr unsigned kIdGrid = 6847;

    CTrendPage();
    ~CTrendPage() override;

    // The data record whose item ids and wiring decide what is available.
    void SetRowInfo(const BasicInfo& record) { m_rowInfo = record; }
    int SetMode(int mode);

    // save 0: takes the configuration and fills the table from it; 1. save
    // non-zero: the ticks into the configuration's trend part; 0 without one.
    int Exchange(CReportConfig* config, int save);

    const CTrendGrid& GetGrid() const { return m_grid; }
    CTrendGridCtrl* GetGridCtrl() const { return m_gridCtrl.get(); }

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnWizardFinish() override;

private:
    void FillItemList();
    void UpdateWizardButtons();

    int m_mode = 0;
    BasicInfo m_rowInfo;
    CTrendGrid m_grid;
    std::unique_ptr<CTrendGridCtrl> m_gridCtrl;
    CReportConfig* m_pConfig = nullptr;
};
