#pragma once
// CBasicPage: the first page of the RTF report's wizard. Beyond what the first
// pages share it takes the front page's four texts (monitoring place, reporting
// unit, field operator, report operator), the two logo pictures and the report's
// optional parts (trend charts, event report), kept in "RtfReport" of the
// settings; its texts and logos go into the configuration's basic information.

#include "report/ui/ReportFirstPage.h"

class CBasicPage : public CReportFirstPage {
public:
    static constexpr unsigned kTemplateId = 148;
    static constexpr unsigned kIdLogo1 = 8812;
    static constexpr unsigned kIdLogo2 = 8813;
    static constexpr unsigned kIdBrowseLogo1 = 8814;
    static constexpr unsigned kIdBrowseLogo2 = 8815;
    static constexpr unsigned kIdWordReport = 6712;
    static constexpr unsigned kIdSummary = 9548;
    static constexpr unsigned kIdEvent = 9521;

    CBasicPage();
    ~CBasicPage() override;

    int GetEvent() const { return m_bEvent; }
    const std::wstring& GetLogo(int which) const { return which == 1 ? m_strLogo1 : m_strLogo2; }

    int QueryState(ui::WParam code) const override;
    bool OnInitDialog() override;
    void DoDataExchange(ui::DataExchange& exchange) override;

protected:
    bool CheckPictures() override;
    std::wstring WizardTitle() const override;
    void WriteParts() override;
    void StorePageTexts(CReportBasicInfo& info) const override;

private:
    void OnBrowseLogo(int which);
    void OnWordCheck();

    int m_bWordReport = 1;
    int m_bSummary = 1;
    int m_bEvent = 0;
    std::wstring m_strLogo1;
    std::wstring m_strLogo2;
};
