#include "report/ui/TrendPage.h"

#include <wx/window.h>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/WizardSheet.h"
#include "report/ReportConfig.h"
#include "report/ui/ReportSheet.h"
#include "report/ui/ReportWizardMessages.h"
#include "report/ui/TrendGridCtrl.h"

namespace {

constexpr unsigned kTextTrendSettings = 6234;

}  // namespace

CTrendPage::CTrendPage()
    : ui::WizardPage(ReportSheetTemplate(kTemplateId)), m_gridCtrl(std::make_unique<CTrendGridCtrl>(m_grid))
{
    m_gridCtrl->SetChangeHandler([this] { UpdateWizardButtons(); });
}

CTrendPage::~CTrendPage() = default;

int CTrendPage::SetMode(int mode)
{
    m_mode = mode;
    return 1;
}

bool CTrendPage::OnInitDialog()
{
    ui::WizardPage::OnInitDialog();
    m_gridCtrl->SubclassDlgItem(kIdGrid, this);
    // The table takes whatever room the wizard gives the page.
    GetWx()->Bind(wxEVT_SIZE, [binding = Binding(), this](wxSizeEvent& event) {
        event.Skip();
        if (*binding != nullptr && m_gridCtrl->IsWindow()) {
            const wxRect box = m_gridCtrl->GetWindowRect();
            const wxSize room = GetClientSize();
            m_gridCtrl->MoveWindow(wxRect(box.x, box.y, room.x - 2 * box.x, room.y - box.y - box.x));
        }
    });
    FillItemList();
    return true;
}

void CTrendPage::FillItemList()
{
    if (m_pConfig == nullptr) {
        return;
    }
    m_grid.Fill(m_pConfig->GetTrendPart(), m_rowInfo);
    if (m_gridCtrl->IsWindow()) {
        m_gridCtrl->ResetTop();
    }
}

int CTrendPage::Exchange(CReportConfig* config, int save)
{
    if (save == 0) {
        m_pConfig = config;
        FillItemList();
        return 1;
    }
    if (config == nullptr) {
        return 0;
    }
    config->SetTrendPart(m_grid.Apply(config->GetTrendPart()));
    return 1;
}

void CTrendPage::UpdateWizardButtons()
{
    ui::WizardSheet* sheet = GetSheet();
    ui::WizardPage* first = sheet != nullptr ? sheet->GetPage(0) : nullptr;
    if (first == nullptr) {
        return;
    }
    auto ask = [first](ui::WParam code) { return ui::SendMessage(first, kMsgQueryState, code, 0); };
    unsigned buttons = ui::kWizardBack | ui::kWizardFinish;
    if (ask(kQueryHarmTrend) != 0) {
        buttons = ui::kWizardBack | ui::kWizardNext;
    } else if (ask(kQueryWorkbook) == 0 && ask(kQuerySpectrum) == 0 && ask(kQueryItic) == 0 &&
               ask(kQueryOther) == 0 && !m_grid.HasSelection()) {
        buttons = ui::kWizardBack | ui::kWizardDisabledFinish;
    }
    ui::PostMessage(sheet, ui::kMsgSetWizardButtons, 0, static_cast<ui::LParam>(buttons));
}

bool CTrendPage::OnSetActive()
{
    if (ui::WizardSheet* sheet = GetSheet()) {
        sheet->SetTitle(WizardText(m_mode == 1 ? kTextExportReport : kTextGenerateReport) + L"-" +
                        WizardText(kTextTrendSettings));
    }
    UpdateWizardButtons();
    return true;
}

bool CTrendPage::OnWizardFinish()
{
    ui::WizardSheet* sheet = GetSheet();
    if (sheet == nullptr || sheet->GetPageCount() != CReportSheet::kPageCount) {
        return false;
    }
    ui::WizardPage* first = sheet->GetPage(0);
    if (ui::SendMessage(first, kMsgChooseOutputFolder, 0, 0) == 0) {
        return false;
    }
    ui::SendMessage(first, kMsgExchangeConfig, reinterpret_cast<ui::WParam>(m_pConfig), 1);
    Exchange(m_pConfig, 1);
    if (m_pConfig != nullptr) {
        CReportHarmPart harm = m_pConfig->GetHarmPart();
        const std::vector<CHarmTrendItem> items = harm.GetTrendItems();
        for (CHarmTrendItem item : items) {
            item.ClearGroups();
            harm.SetTrendItem(item);
        }
        m_pConfig->SetHarmPart(harm);
    }
    return true;
}
