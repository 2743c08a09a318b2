#pragma once
// CBasicPage2: the first page of the spreadsheet report's wizard. Beyond what the
// first pages share it takes the monitoring place and line, the operating condition
// and the agreed and supply capacities, and the report's outputs (workbook, trend
// charts, harmonic spectrum bar charts, ITIC chart), kept in "Report" of the
// settings. Once shown it checks that the workbook can be written; when it cannot,
// the workbook's box says so and stays cleared. With no output chosen the wizard
// cannot finish.

#include "report/ui/ReportFirstPage.h"

class CBasicPage2 : public CReportFirstPage {
public:
    static constexpr unsigned kTemplateId = 152;
    static constexpr unsigned kIdLine = kIdOperator;
    static constexpr unsigned kIdCondition = kIdDept;
    static constexpr unsigned kIdAgreedCapacity = 32917;
    static constexpr unsigned kIdSupplyCapacity = 32919;
    static constexpr unsigned kIdWorkbook = 9519;
    static constexpr unsigned kIdSpectrum = 9523;
    static constexpr unsigned kIdItic = 9524;

    // `workbookAvailable`: whether the program can write the workbook.
    explicit CBasicPage2(bool workbookAvailable = true);
    ~CBasicPage2() override;

    int GetWorkbook() const { return m_bExcel; }
    int GetSpectrum() const { return m_bSpectrum; }
    int GetItic() const { return m_bItic; }

    int QueryState(ui::WParam code) const override;
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& exchange) override;

protected:
    void OnTrendCheck() override;
    std::wstring WizardTitle() const override;
    void WriteParts() override;
    void StorePageTexts(CReportBasicInfo& info) const override;
    // The line and the condition as stored, their labels where none is; both
    // capacities from the record.
    void ShowStoredTexts(const CReportBasicInfo& info) override;

private:
    void OnOutputCheck();
    void OnCheckWorkbook();

    bool m_workbookAvailable;
    int m_bExcel = 1;
    int m_bSpectrum = 1;
    int m_bItic = 0;
    std::wstring m_strAgreedCapacity;
    std::wstring m_strSupplyCapacity;
};
