#pragma once
// CVoltageHarmPage: one of the report wizard's three harmonic trend pages: page 0
// the harmonics, 1 the high-order harmonics, 2 the interharmonics. A tab per phase
// holds a harmonic-order selector showing the charts of that phase's harmonic trend
// item; every key of a tab (voltage, current and, on page 0, their THD) takes the
// same charts. The last page finishes the wizard, storing all five pages into the
// configuration, and exports the configuration as a report scheme (".rcg").

#include <memory>
#include <vector>

#include "platform/ui/WizardPage.h"
#include "report/HarmTabInfo.h"

class CHarmSelectWnd;
class CReportConfig;
class wxNotebook;

class CVoltageHarmPage : public ui::WizardPage {
public:
    static constexpr unsigned kTemplateId = 102;
    static constexpr unsigned kIdTabs = 6845;
    static constexpr unsigned kIdExportScheme = 6495;

    CVoltageHarmPage();
    ~CVoltageHarmPage() override;

    void SetPageIndex(int index, int mode);
    int GetPageIndex() const { return m_nPageIndex; }

    // direction 0: takes the configuration and hands each tab its item; 1.
    // Otherwise collects the tabs' charts into the configuration (a tab whose
    // selector never showed its item leaves it as it was); 0 without one.
    int FillHarmTree(CReportConfig* config, int direction);
    // On the last page only: asks for the output folder (when askFolder) and stores
    // every page into the configuration; 0 when it may not.
    int SaveAllPages(int askFolder);

    int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
    const CHarmTabInfo* GetTab(int index) const;
    CHarmSelectWnd* GetSelector(int index) const;
    wxNotebook* GetTabCtrl() const;
    void SelectTab(int index);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnWizardFinish() override;

private:
    struct Tab {
        CHarmTabInfo info;
        std::unique_ptr<CHarmSelectWnd> selector;
    };

    void ApplyConfigToTabs();
    void OnTabChange();
    void OnExportScheme();

    std::vector<Tab> m_tabs;
    int m_nPageIndex = 0;
    int m_nSheetMode = 0;
    CReportConfig* m_pConfig = nullptr;
};
