#include "views/SOEDMMView.h"

#include <wx/grid.h>
#include <wx/stattext.h>

#include "core/ZVResourceManager.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataModel.h"
#include "views/ViewMessages.h"
#include "views/data/SOESceneDataManager.h"
#include "views/data/ViewTexts.h"

namespace {

constexpr int kColumns = 6;
const wxColour kLabelBackground(0xE6, 0xE8, 0xEB);  // COLORREF 0xEBE8E6

}  // namespace

CSOEDMMView::CSOEDMMView()
    : CEventView(kTemplateId)
{
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) {
        Layout(static_cast<int>(size & 0xFFFF), static_cast<int>((size >> 16) & 0xFFFF));
        return 0;
    });
    OnMessage(views::kMsgViewCommand, [this](ui::WParam which, ui::LParam) {
        if (which == views::kViewClearRows) {
            ClearRows();
        } else if (which == views::kViewPopulate && m_pReport != nullptr) {
            m_pReport->ForceRefresh();
        }
        return 0;
    });
}

bool CSOEDMMView::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_Rows = BuildSoeSceneRows();
    m_pReport = new wxGrid(GetWx(), static_cast<int>(kReportId));
    m_pReport->CreateGrid(0, kColumns, wxGrid::wxGridSelectRows);
    m_pReport->EnableEditing(false);
    m_pReport->EnableDragColMove(false);
    m_pReport->EnableDragRowSize(false);
    m_pReport->HideRowLabels();
    m_pReport->SetDefaultCellBackgroundColour(*wxWHITE);
    m_pReport->SetGridLineColour(wxColour(0xA0, 0xA0, 0xA0));
    const unsigned titles[kColumns] = {6178, 0, 6152, 0, 6153, 0};
    const int widths[kColumns] = {80, 60, 80, 60, 80, 60};
    for (int column = 0; column < kColumns; ++column) {
        m_pReport->SetColLabelValue(column, titles[column] != 0 ? wxString(viewtext::Load(titles[column])) : wxString());
        m_pReport->SetColSize(column, widths[column]);
    }
    m_pReport->SetColLabelAlignment(wxALIGN_LEFT, wxALIGN_CENTRE);
    m_pEmpty = new wxStaticText(m_pReport->GetGridWindow(), wxID_ANY, viewtext::Load(viewtext::kNoSceneData));
    const wxSize size = GetClientSize();
    Layout(size.GetWidth(), size.GetHeight());
    if (wxWindow* caption = GetDlgItem(kCaptionId)) {
        caption->SetLabel(viewtext::Load(viewtext::kFrequency) + L"：--");
    }
    return true;
}

void CSOEDMMView::Layout(int width, int height)
{
    if (m_pReport != nullptr) {
        m_pReport->SetSize(0, 15, width, std::max(height - 15, 0));
    }
    if (wxWindow* caption = GetDlgItem(kCaptionId)) {
        caption->SetSize(0, 0, width, 15);
    }
    if (m_pEmpty != nullptr) {
        m_pEmpty->Move(8, 8);
    }
}

std::wstring CSOEDMMView::GetCaption() const
{
    const wxWindow* caption = GetDlgItem(kCaptionId);
    return caption != nullptr ? caption->GetLabel().ToStdWstring() : std::wstring();
}

void CSOEDMMView::ClearRows()
{
    if (m_pReport != nullptr && m_pReport->GetNumberRows() > 0) {
        m_pReport->DeleteRows(0, m_pReport->GetNumberRows());
    }
    if (m_pEmpty != nullptr) {
        m_pEmpty->Show();
    }
}

void CSOEDMMView::Fill(const CSoeScene& scene)
{
    if (m_pReport == nullptr) {
        return;
    }
    m_pReport->AppendRows(static_cast<int>(m_Rows.size()));
    for (std::size_t r = 0; r < m_Rows.size(); ++r) {
        for (int c = 0; c < 3; ++c) {
            const CSoeSceneCell& cell = m_Rows[r].cells[static_cast<std::size_t>(c)];
            const int row = static_cast<int>(r);
            m_pReport->SetCellValue(row, 2 * c, cell.label);
            m_pReport->SetCellBackgroundColour(row, 2 * c, kLabelBackground);
            m_pReport->SetCellValue(row, 2 * c + 1, SoeSceneValueText(cell, scene, m_RecordInfo.phaseMask));
        }
    }
    m_pReport->AutoSizeColumns(false);
    if (m_pEmpty != nullptr) {
        m_pEmpty->Hide();
    }
    WindowProc(views::kMsgViewCommand, views::kViewPopulate, 0);
}

int CSOEDMMView::OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t)
{
    if (event == ctrl::kSoeEvent && m_pDataModel != nullptr) {
        WindowProc(views::kMsgViewCommand, views::kViewClearRows, 0);
        m_RecordInfo.phaseMask = 15;
        m_pDataModel->QueryBasicInfo(&m_RecordInfo);
        CSOESceneDataManager manager;
        CSoeScene scene{};
        bool found = false;
        // No selection (all bits set) has no scene.
        if (static_cast<std::intptr_t>(param1) >= 0) {
            found = m_pDataModel->GetData(0, 0, static_cast<QueryWord>(param1), 0, 1,
                                          reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&manager))) != 0;
        }
        if (found) {
            manager.GetScene(0, &scene);
            Fill(scene);
        }
        if (wxWindow* caption = GetDlgItem(kCaptionId)) {
            caption->SetLabel(SoeFrequencyCaption(found ? &scene : nullptr));
        }
    } else if (event == ctrl::kCloseAll) {
        ClearRows();
    }
    return 1;
}
