#pragma once
// CReportSheet: the report wizard. Mode 0 prepares the RTF report (first page
// CBasicPage), mode 1 the spreadsheet report (CBasicPage2); then the trend page and
// the three harmonic trend pages. The caller gives it the data record and the
// report configuration, runs it (DoModal: kIdWizardFinish when the user finished)
// and reads the first page's results. The sheet gives every page the configuration
// from the start, so that the user's choices reach it whether or not a scheme was
// loaded.

#include <memory>

#include "platform/base/DialogTemplate.h"
#include "platform/ui/WizardSheet.h"
#include "terminal/BasicInfo.h"

class CBasicPage;
class CBasicPage2;
class CReportConfig;
class CReportFirstPage;
class CTrendPage;
class CVoltageHarmPage;

// The wizard page template of that id from the program's resources; an empty
// template when there is none (the page then cannot be built).
DialogTemplateInfo ReportSheetTemplate(unsigned id);

class CReportSheet : public ui::WizardSheet {
public:
    static constexpr int kPageCount = 5;

    // `workbookAvailable`: whether the spreadsheet report's workbook can be written.
    CReportSheet(const std::wstring& caption, int mode, CReportConfig* config, bool workbookAvailable = true);
    ~CReportSheet() override;

    int GetMode() const { return m_mode; }
    // The record shown by the first page and used by the trend page.
    void SetRowInfo(const BasicInfo& record);

    // The first page of the mode; null for another mode.
    CReportFirstPage* GetFirstPage() const;
    CBasicPage* GetRtfPage() const { return m_rtfPage.get(); }
    CBasicPage2* GetExcelPage() const { return m_excelPage.get(); }
    CTrendPage& GetTrendPage() const { return *m_trendPage; }
    CVoltageHarmPage& GetHarmPage(int index) const { return *m_harmPages[static_cast<std::size_t>(index)]; }

    // Shows the configuration on every page (after a scheme was loaded into it); 0
    // when the sheet is not the five pages.
    int RefreshPages(CReportConfig* config);

    bool OnInitDialog() override;

private:
    int m_mode;
    std::unique_ptr<CBasicPage> m_rtfPage;
    std::unique_ptr<CBasicPage2> m_excelPage;
    std::unique_ptr<CTrendPage> m_trendPage;
    std::unique_ptr<CVoltageHarmPage> m_harmPages[3];
};
