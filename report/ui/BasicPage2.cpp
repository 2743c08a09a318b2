#include "report/ui/BasicPage2.h"

#include <wx/window.h>

#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WizardSheet.h"
#include "report/ReportConfig.h"
#include "report/ReportWizardSettings.h"
#include "report/ui/ReportWizardMessages.h"

namespace {

constexpr unsigned kTextLine = 6232;
constexpr unsigned kTextCondition = 6233;
constexpr unsigned kTextWorkbookMissing = 10043;

}  // namespace

CBasicPage2::CBasicPage2(bool workbookAvailable) : CReportFirstPage(kTemplateId), m_workbookAvailable(workbookAvailable)
{
    m_bTrend = 1;
    for (const unsigned id : {kIdWorkbook, kIdSpectrum, kIdItic}) {
        OnCommand(id, [this] { OnOutputCheck(); });
    }
    OnMessage(kMsgCheckWorkbook, [this](ui::WParam, ui::LParam) {
        OnCheckWorkbook();
        return 1;
    });
}

CBasicPage2::~CBasicPage2() = default;

void CBasicPage2::DoDataExchange(ui::DataExchange& exchange)
{
    CReportFirstPage::DoDataExchange(exchange);
    exchange.Check(kIdWorkbook, m_bExcel);
    exchange.Check(kIdSpectrum, m_bSpectrum);
    exchange.Check(kIdItic, m_bItic);
    exchange.Text(kIdAgreedCapacity, m_strAgreedCapacity);
    exchange.Text(kIdSupplyCapacity, m_strSupplyCapacity);
}

std::wstring CBasicPage2::WizardTitle() const
{
    return GetCaption();
}

bool CBasicPage2::OnInitDialog()
{
    CReportFirstPage::OnInitDialog();
    InitLevelAndScheme();
    const ExcelReportParts parts = CReportWizardSettings::ReadExcelParts();
    m_bExcel = parts.workbook;
    m_bTrend = parts.trend;
    m_bSpectrum = parts.histograms;
    m_bItic = parts.itic;
    UpdateData(false);
    OnTrendCheck();
    InitRecordFields();
    UpdateData(false);
    ui::PostMessage(this, kMsgCheckWorkbook);
    return true;
}

void CBasicPage2::OnTrendCheck()
{
    CReportFirstPage::OnTrendCheck();
    OnOutputCheck();
}

void CBasicPage2::OnOutputCheck()
{
    UpdateData(true);
    const bool any = m_bExcel != 0 || m_bTrend != 0 || m_bSpectrum != 0 || m_bItic != 0;
    PostWizardButtons(any ? m_nWizButtons : ui::kWizardDisabledFinish);
}

void CBasicPage2::OnCheckWorkbook()
{
    if (m_workbookAvailable) {
        return;
    }
    m_bExcel = 0;
    SetDlgItemText(kIdWorkbook, GetDlgItemText(kIdWorkbook) + WizardText(kTextWorkbookMissing));
    if (wxWindow* box = GetDlgItem(kIdWorkbook)) {
        box->Enable(false);
    }
    UpdateData(false);
    OnOutputCheck();
}

int CBasicPage2::QueryState(ui::WParam code) const
{
    switch (code) {
    case kQueryWorkbook:
        return m_bExcel;
    case kQueryTrend:
        return m_bTrend;
    case kQueryHarmTrend:
        return m_bHarmTrend;
    case kQuerySpectrum:
        return m_bSpectrum;
    case kQueryItic:
        return m_bItic;
    default:
        return 0;
    }
}

void CBasicPage2::WriteParts()
{
    CReportWizardSettings::WriteExcelParts(ExcelReportParts{m_bExcel, m_bTrend, m_bSpectrum, m_bItic});
}

void CBasicPage2::StorePageTexts(CReportBasicInfo& info) const
{
    info.mainLogoPath.clear();
    info.subLogoPath.clear();
    info.agreedCapacityText = m_strAgreedCapacity;
    info.supplyCapacityText = m_strSupplyCapacity;
}

void CBasicPage2::ShowStoredTexts(const CReportBasicInfo& info)
{
    CReportFirstPage::ShowStoredTexts(info);
    if (m_strOperator.empty()) {
        m_strOperator = WizardText(kTextLine);
    }
    if (m_strDept.empty()) {
        m_strDept = WizardText(kTextCondition);
    }
    m_strAgreedCapacity = m_rowInfo.mvaText;
    m_strSupplyCapacity = m_rowInfo.mvaText;
}
