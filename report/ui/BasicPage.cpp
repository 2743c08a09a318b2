#include "report/ui/BasicPage.h"

#include <filesystem>
#include <system_error>

#include <wx/window.h>

#include "platform/base/Encoding.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "report/ReportConfig.h"
#include "report/ReportWizardSettings.h"
#include "report/ui/ReportWizardMessages.h"

namespace {

constexpr unsigned kTextPictureFile = 6230;
constexpr unsigned kTextChooseLogo = 6231;
constexpr unsigned kTextMainLogoMissing = 6226;
constexpr unsigned kTextSubLogoMissing = 6227;

bool IsFile(const std::wstring& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(platform::ToPath(path), error);
}

}  // namespace

CBasicPage::CBasicPage() : CReportFirstPage(kTemplateId)
{
    OnCommand(kIdBrowseLogo1, [this] { OnBrowseLogo(1); });
    OnCommand(kIdBrowseLogo2, [this] { OnBrowseLogo(2); });
    OnCommand(kIdWordReport, [this] { OnWordCheck(); });
}

CBasicPage::~CBasicPage() = default;

void CBasicPage::DoDataExchange(ui::DataExchange& exchange)
{
    CReportFirstPage::DoDataExchange(exchange);
    exchange.Check(kIdWordReport, m_bWordReport);
    exchange.Check(kIdSummary, m_bSummary);
    exchange.Check(kIdEvent, m_bEvent);
    exchange.Text(kIdLogo1, m_strLogo1);
    exchange.Text(kIdLogo2, m_strLogo2);
}

std::wstring CBasicPage::WizardTitle() const
{
    return GetCaption();
}

bool CBasicPage::OnInitDialog()
{
    CReportFirstPage::OnInitDialog();
    InitLevelAndScheme();
    const RtfReportParts parts = CReportWizardSettings::ReadRtfParts();
    m_bEvent = parts.event;
    m_bTrend = parts.trend;
    UpdateData(false);
    OnTrendCheck();
    m_strLogo1 = CReportWizardSettings::ReadLogoPath(1);
    m_strLogo2 = CReportWizardSettings::ReadLogoPath(2);
    InitRecordFields();
    UpdateData(false);
    return true;
}

void CBasicPage::OnWordCheck()
{
    UpdateData(true);
    if (wxWindow* folder = GetDlgItem(kIdOutputDir)) {
        folder->Enable(m_bWordReport != 0);
    }
}

void CBasicPage::OnBrowseLogo(int which)
{
    const std::wstring type = WizardText(kTextPictureFile);
    const std::wstring filter = type + L"(*.jpg)|*.jpg|" + type + L"(*.bmp)|*.bmp|" + type + L"(*.png)|*.png|";
    std::wstring& logo = which == 1 ? m_strLogo1 : m_strLogo2;
    const std::wstring path = ui::OpenFileDialog(this, WizardText(kTextChooseLogo), filter, L"jpg", logo);
    if (path.empty()) {
        return;
    }
    UpdateData(true);
    logo = path;
    CReportWizardSettings::WriteLogoPath(which, path);
    UpdateData(false);
}

bool CBasicPage::CheckPictures()
{
    for (const int which : {1, 2}) {
        if (!IsFile(GetLogo(which))) {
            ui::MessageBox(this, WizardText(which == 1 ? kTextMainLogoMissing : kTextSubLogoMissing),
                           WizardText(kTextPrompt), ui::kMbIconInformation);
            return false;
        }
    }
    return true;
}

int CBasicPage::QueryState(ui::WParam code) const
{
    switch (code) {
    case kQueryTrend:
    case kQueryOther:
        return 1;
    case kQueryHarmTrend:
        return m_bHarmTrend;
    default:
        return 0;
    }
}

void CBasicPage::WriteParts()
{
    CReportWizardSettings::WriteRtfParts(RtfReportParts{m_bEvent, m_bTrend});
}

void CBasicPage::StorePageTexts(CReportBasicInfo& info) const
{
    info.mainLogoPath = m_strLogo1;
    info.subLogoPath = m_strLogo2;
}
