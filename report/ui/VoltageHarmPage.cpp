#include "report/ui/VoltageHarmPage.h"

#include <wx/notebook.h>

#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WizardSheet.h"
#include "report/ReportConfig.h"
#include "report/ui/HarmSelectWnd.h"
#include "report/ui/ReportSheet.h"
#include "report/ui/ReportWizardMessages.h"
#include "report/ui/TrendPage.h"

namespace {

constexpr unsigned kHarmPageSchemeFile = 6222;
constexpr unsigned kTextExportSchemeAs = 6255;
constexpr unsigned kTextExported = 6256;
constexpr unsigned kTextExportFailed = 6257;
constexpr int kLastPage = 2;

}  // namespace

CVoltageHarmPage::CVoltageHarmPage() : ui::WizardPage(ReportSheetTemplate(kTemplateId))
{
    OnCommand(kIdExportScheme, [this] { OnExportScheme(); });
}

CVoltageHarmPage::~CVoltageHarmPage()
{
    // The tab control lets go of its pages before the selectors go.
    if (wxNotebook* tabs = IsWindow() ? GetTabCtrl() : nullptr) {
        tabs->DeleteAllPages();
    }
    m_tabs.clear();
}

void CVoltageHarmPage::SetPageIndex(int index, int mode)
{
    m_nPageIndex = index;
    m_nSheetMode = mode;
}

const CHarmTabInfo* CVoltageHarmPage::GetTab(int index) const
{
    return index >= 0 && index < GetTabCount() ? &m_tabs[static_cast<std::size_t>(index)].info : nullptr;
}

CHarmSelectWnd* CVoltageHarmPage::GetSelector(int index) const
{
    return index >= 0 && index < GetTabCount() ? m_tabs[static_cast<std::size_t>(index)].selector.get() : nullptr;
}

wxNotebook* CVoltageHarmPage::GetTabCtrl() const
{
    return GetItem<wxNotebook>(kIdTabs);
}

bool CVoltageHarmPage::OnInitDialog()
{
    ui::WizardPage::OnInitDialog();
    wxNotebook* tabs = GetTabCtrl();
    wxWindow* button = GetDlgItem(kIdExportScheme);
    if (tabs == nullptr) {
        return false;
    }
    if (button != nullptr) {
        if (m_nPageIndex == kLastPage) {
            button->Show();
        } else {
            // The tab control takes the button's place.
            const wxRect box = tabs->GetRect();
            tabs->SetSize(box.x, box.y, box.width, button->GetRect().GetBottom() - box.y + 1);
            button->Hide();
        }
    }

    // The tabs take whatever room the wizard gives the page, above the button.
    GetWx()->Bind(wxEVT_SIZE, [binding = Binding(), this](wxSizeEvent& event) {
        event.Skip();
        wxNotebook* tabs = *binding != nullptr ? GetTabCtrl() : nullptr;
        wxWindow* button = GetDlgItem(kIdExportScheme);
        if (tabs == nullptr) {
            return;
        }
        const wxRect box = tabs->GetRect();
        const wxSize room = GetClientSize();
        int bottom = room.y;
        if (button != nullptr && button->IsShown()) {
            const wxSize size = button->GetSize();
            button->Move(room.x - size.x, room.y - size.y);
            bottom = room.y - size.y - 6;
        }
        tabs->SetSize(box.x, box.y, room.x - box.x, bottom - box.y);
    });

    m_tabs.clear();
    for (CHarmTabInfo& info : BuildHarmTabs(m_nPageIndex, WizardText(HarmTabTextId(m_nPageIndex)))) {
        Tab tab;
        tab.info = std::move(info);
        tab.selector = std::make_unique<CHarmSelectWnd>(tab.info.highestOrder);
        if (!tab.selector->Create(tabs, wxRect(0, 0, 100, 100)) || !tabs->AddPage(tab.selector->GetWx(), tab.info.title)) {
            return false;
        }
        m_tabs.push_back(std::move(tab));
    }
    tabs->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [binding = Binding(), this](wxBookCtrlEvent& event) {
        event.Skip();
        if (*binding != nullptr) {
            OnTabChange();
        }
    });
    if (!m_tabs.empty()) {
        tabs->SetSelection(0);
    }
    ApplyConfigToTabs();
    return true;
}

void CVoltageHarmPage::ApplyConfigToTabs()
{
    if (m_pConfig == nullptr) {
        return;
    }
    const CReportHarmPart part = m_pConfig->GetHarmPart();
    for (Tab& tab : m_tabs) {
        CHarmTrendItem item;
        if (!tab.info.keys.empty() && tab.selector && part.FindTrendItem(tab.info.keys.front(), item) != 0) {
            tab.selector->ExchangeItem(item, 0);
        }
    }
}

int CVoltageHarmPage::FillHarmTree(CReportConfig* config, int direction)
{
    if (direction == 0) {
        m_pConfig = config;
        ApplyConfigToTabs();
        // The tab shown shows its new item at once.
        if (IsWindowVisible()) {
            OnTabChange();
        }
        return 1;
    }
    if (config == nullptr) {
        return 0;
    }
    CReportHarmPart part = config->GetHarmPart();
    for (Tab& tab : m_tabs) {
        if (!tab.selector || tab.info.keys.empty()) {
            continue;
        }
        CHarmTrendItem item = TabTrendItem(part, tab.info);
        if (tab.selector->ExchangeItem(item, 1) != 0) {
            StoreTabTrendItem(part, tab.info, item);
        }
    }
    config->SetHarmPart(part);
    return 1;
}

int CVoltageHarmPage::SaveAllPages(int askFolder)
{
    auto* sheet = dynamic_cast<CReportSheet*>(GetSheet());
    if (m_nPageIndex != kLastPage || sheet == nullptr || sheet->GetPageCount() != CReportSheet::kPageCount) {
        return 0;
    }
    ui::WizardPage* first = sheet->GetPage(0);
    if (askFolder != 0 && ui::SendMessage(first, kMsgChooseOutputFolder, 0, 0) == 0) {
        return 0;
    }
    ui::SendMessage(first, kMsgExchangeConfig, reinterpret_cast<ui::WParam>(m_pConfig), 1);
    sheet->GetTrendPage().Exchange(m_pConfig, 1);
    for (int index = 0; index < 3; ++index) {
        sheet->GetHarmPage(index).FillHarmTree(m_pConfig, 1);
    }
    return 1;
}

bool CVoltageHarmPage::OnWizardFinish()
{
    return SaveAllPages(1) != 0;
}

bool CVoltageHarmPage::OnSetActive()
{
    if (ui::WizardSheet* sheet = GetSheet()) {
        sheet->SetTitle(WizardText(m_nSheetMode == 1 ? kTextExportReport : kTextGenerateReport) + L"-" +
                        WizardText(HarmPageTitleTextId(m_nPageIndex)));
        ui::PostMessage(sheet, ui::kMsgSetWizardButtons, 0,
                        static_cast<ui::LParam>(m_nPageIndex == kLastPage ? ui::kWizardBack | ui::kWizardFinish
                                                                          : ui::kWizardBack | ui::kWizardNext));
    }
    OnTabChange();
    return true;
}

void CVoltageHarmPage::SelectTab(int index)
{
    if (wxNotebook* tabs = GetTabCtrl(); tabs != nullptr && index >= 0 && index < GetTabCount()) {
        tabs->SetSelection(static_cast<std::size_t>(index));
        OnTabChange();
    }
}

void CVoltageHarmPage::OnTabChange()
{
    wxNotebook* tabs = GetTabCtrl();
    if (tabs == nullptr) {
        return;
    }
    if (CHarmSelectWnd* selector = GetSelector(tabs->GetSelection())) {
        ui::PostMessage(selector, kMsgRebuildRows, 0, 0);
    }
}

void CVoltageHarmPage::OnExportScheme()
{
    const std::wstring filter = WizardText(kHarmPageSchemeFile) + L"(*.rcg)|*.rcg|";
    const std::wstring path = ui::SaveFileDialog(this, WizardText(kTextExportSchemeAs), filter, L"rcg", L"");
    if (path.empty() || m_pConfig == nullptr) {
        return;
    }
    SaveAllPages(0);
    const bool saved = m_pConfig->Save(path) != 0;
    ui::MessageBox(this, WizardText(saved ? kTextExported : kTextExportFailed), WizardText(kTextPrompt),
                   saved ? ui::kMbIconInformation : ui::kMbIconExclamation);
}
