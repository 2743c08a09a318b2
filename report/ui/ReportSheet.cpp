#include "report/ui/ReportSheet.h"

#include "core/ZVResourceManager.h"
#include "report/ui/BasicPage.h"
#include "report/ui/BasicPage2.h"
#include "report/ui/ReportWizardMessages.h"
#include "report/ui/TrendPage.h"
#include "report/ui/VoltageHarmPage.h"

namespace {

constexpr unsigned kTextBack = 12323;
constexpr unsigned kTextNext = 12324;
constexpr unsigned kTextCancel = 12326;

ui::WizardButtonTexts ButtonTexts(int mode)
{
    ui::WizardButtonTexts texts;
    texts.back = WizardText(kTextBack);
    texts.next = WizardText(kTextNext);
    texts.finish = WizardText(mode == 1 ? kTextExportReport : kTextGenerateReport);
    texts.cancel = WizardText(kTextCancel);
    return texts;
}

}  // namespace

DialogTemplateInfo ReportSheetTemplate(unsigned id)
{
    const DialogTemplateInfo* info = CZVResourceManager::GetResourceManager()->LoadDialogTemplate(id);
    return info != nullptr ? *info : DialogTemplateInfo{};
}

CReportSheet::CReportSheet(const std::wstring& caption, int mode, CReportConfig* config, bool workbookAvailable)
    : ui::WizardSheet(caption, ButtonTexts(mode)), m_mode(mode)
{
    m_trendPage = std::make_unique<CTrendPage>();
    m_trendPage->SetMode(mode);
    for (int index = 0; index < 3; ++index) {
        m_harmPages[index] = std::make_unique<CVoltageHarmPage>();
        m_harmPages[index]->SetPageIndex(index, mode);
    }
    if (mode == 0) {
        m_rtfPage = std::make_unique<CBasicPage>();
        AddPage(m_rtfPage.get());
    } else if (mode == 1) {
        m_excelPage = std::make_unique<CBasicPage2>(workbookAvailable);
        AddPage(m_excelPage.get());
    }
    AddPage(m_trendPage.get());
    for (auto& page : m_harmPages) {
        AddPage(page.get());
    }
    if (CReportFirstPage* first = GetFirstPage()) {
        first->SetConfig(config);
    }
    m_trendPage->Exchange(config, 0);
    for (auto& page : m_harmPages) {
        page->FillHarmTree(config, 0);
    }
}

CReportSheet::~CReportSheet() = default;

CReportFirstPage* CReportSheet::GetFirstPage() const
{
    if (m_rtfPage) {
        return m_rtfPage.get();
    }
    return m_excelPage.get();
}

void CReportSheet::SetRowInfo(const BasicInfo& record)
{
    if (CReportFirstPage* first = GetFirstPage()) {
        first->SetRowInfo(record);
    }
    m_trendPage->SetRowInfo(record);
}

int CReportSheet::RefreshPages(CReportConfig* config)
{
    CReportFirstPage* first = GetFirstPage();
    if (GetPageCount() != kPageCount || first == nullptr) {
        return 0;
    }
    first->ExchangeConfig(config, 0);
    m_trendPage->Exchange(config, 0);
    for (auto& page : m_harmPages) {
        page->FillHarmTree(config, 0);
    }
    return 1;
}

bool CReportSheet::OnInitDialog()
{
    const bool result = ui::WizardSheet::OnInitDialog();
    SetFinishText(WizardText(m_mode == 1 ? kTextExportReport : kTextGenerateReport));
    return result;
}
