#include "report/ui/BasicPage2.h"

#include <wx/window.h>

#include "platform/base/Encoding.h"
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
    exchange.Text(kIdPlace, m_strPlace);
    exchange.Text(kIdLine, m_strLine);
    exchange.Text(kIdReporter, m_strReporter);
    exchange.Text(kIdCondition, m_strCondition);
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
    UpdateData(true);
    if (wxWindow* import = GetDlgItem(kIdImportScheme)) {
        import->Enable(m_bTrend != 0);
    }
    if (m_bTrend == 0) {
        CheckDlgButton(kIdCustomTrend, 0);
        OnCustomTrendCheck();
    }
    if (wxWindow* custom = GetDlgItem(kIdCustomTrend)) {
        custom->Enable(m_bTrend != 0);
    }
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

int CBasicPage2::ExchangeConfig(CReportConfig* config, int save)
{
    if (save != 0) {
        if (IsWindow()) {
            UpdateData(true);
        }
        CReportWizardSettings::WriteExcelParts(ExcelReportParts{m_bExcel, m_bTrend, m_bSpectrum, m_bItic});
        if (config == nullptr) {
            return 0;
        }
        CReportBasicInfo info = config->GetBasicInfo();
        info.place = platform::WideToUtf8(m_strPlace);
        info.operatorName = platform::WideToUtf8(m_strLine);
        info.reporter = platform::WideToUtf8(m_strReporter);
        info.department = platform::WideToUtf8(m_strCondition);
        info.placeText = m_strPlace;
        info.operatorText = m_strLine;
        info.reporterText = m_strReporter;
        info.departmentText = m_strCondition;
        info.mainLogoPath.clear();
        info.subLogoPath.clear();
        info.agreedCapacityText = m_strAgreedCapacity;
        info.supplyCapacityText = m_strSupplyCapacity;
        config->SetBasicInfo(info);
        return 1;
    }
    m_pConfig = config;
    if (config != nullptr) {
        if (IsWindow()) {
            UpdateData(true);
        }
        // The scheme keeps the line and the condition as it keeps the RTF report's
        // operator and unit: show the stored texts, the defaults only where none is.
        const CReportBasicInfo info = config->GetBasicInfo();
        m_strPlace = platform::Utf8ToWide(info.place);
        m_strLine = info.operatorName.empty() ? WizardText(kTextLine) : platform::Utf8ToWide(info.operatorName);
        m_strReporter = platform::Utf8ToWide(info.reporter);
        m_strCondition =
            info.department.empty() ? WizardText(kTextCondition) : platform::Utf8ToWide(info.department);
        m_strAgreedCapacity = m_rowInfo.mvaText;
        m_strSupplyCapacity = m_rowInfo.mvaText;
        if (IsWindow()) {
            UpdateData(false);
        }
    }
    return 1;
}
