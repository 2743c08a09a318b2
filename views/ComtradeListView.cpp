#include "views/ComtradeListView.h"

#include <algorithm>

#include "core/ZVResourceManager.h"
#include "platform/ui/ListView.h"
#include "terminal/ComtradeModel.h"
#include "terminal/Controller.h"
#include "terminal/CtrlItem.h"
#include "views/ViewMessages.h"
#include "views/data/ViewTexts.h"

CComtradeListView::CComtradeListView()
    : CEventView(kTemplateId)
{
    views::HandleListMessages(*this, [this](int width) { Layout(width); }, [this] { return m_pList; });
}

bool CComtradeListView::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_pList = GetItem<ui::ListView>(kListId);
    if (m_pList == nullptr) {
        return false;
    }
    m_pList->AppendColumn(viewtext::Load(viewtext::kName), wxLIST_FORMAT_LEFT, 100);
    m_pList->AppendColumn(viewtext::Load(viewtext::kChannel), wxLIST_FORMAT_LEFT, 50);
    m_pList->AppendColumn(viewtext::Load(viewtext::kTime), wxLIST_FORMAT_LEFT, 100);
    m_pList->SetTextProvider([this](long row, long column) {
        return row >= 0 && static_cast<std::size_t>(row) < m_Rows.size()
                   ? ComtradeListCellText(m_Rows[static_cast<std::size_t>(row)], static_cast<int>(column))
                   : std::wstring();
    });
    // Clicks, keys and the program's own selections all arrive here.
    m_pList->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) { OpenRecord(event.GetIndex()); });
    m_pList->Bind(wxEVT_LIST_COL_END_DRAG, [this](wxListEvent& event) {
        const int column = event.GetColumn();
        if (column >= 0 && column < 3) {
            m_UserWidths[column] = m_pList->GetColumnWidth(column);
        }
        event.Skip();
    });
    Layout(GetClientSize().GetWidth());
    return true;
}

void CComtradeListView::Layout(int width)
{
    if (m_pList == nullptr) {
        return;
    }
    m_pList->SetSize(GetClientSize());
    const int defaults[3] = {70, 40, std::max(width - 104, 150)};
    for (int column = 0; column < 3; ++column) {
        if (m_UserWidths[column] < 0) {
            m_pList->SetColumnWidth(column, defaults[column]);
        }
    }
}

int CComtradeListView::OnUpdate(std::uint32_t event, std::uintptr_t, std::uintptr_t)
{
    switch (event) {
    case ctrl::kOpenComtrade:
        Load();
        break;
    case ctrl::kComtradeListReady:
        if (m_pDataModel != nullptr && !m_Rows.empty()) {
            SelectRow(0);
        }
        break;
    case ctrl::kCloseAll:
        Clear();
        break;
    default:
        break;
    }
    return 1;
}

void CComtradeListView::Load()
{
    m_Rows.clear();
    m_Selected = -1;
    if (m_pDataModel != nullptr) {
        const auto* model = dynamic_cast<CComtradeModel*>(m_pDataModel);
        CComtradeListManager manager(&m_Rows, model != nullptr ? model->GetRoot() : std::wstring());
        m_pDataModel->GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&manager)));
    }
    SortComtradeRows(m_Rows);
    Show();
}

void CComtradeListView::Clear()
{
    m_Rows.clear();
    m_Selected = -1;
    Show();
}

void CComtradeListView::Show()
{
    if (m_pList != nullptr) {
        // The highlight of a former line must not stand on a new record.
        for (long row = m_pList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row >= 0;
             row = m_pList->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
            m_pList->SetItemState(row, 0, wxLIST_STATE_SELECTED);
        }
        m_pList->SetRowCount(static_cast<long>(m_Rows.size()));
    }
    WindowProc(views::kMsgViewCommand, views::kViewRepaintList, 0);
    views::SendCaption(views::kCaptionComtradeList,
                       viewtext::CountCaption(viewtext::kTransientEvents, static_cast<std::int64_t>(m_Rows.size())));
}

void CComtradeListView::SelectRow(long row)
{
    if (m_pList == nullptr || row < 0 || static_cast<std::size_t>(row) >= m_Rows.size()) {
        return;
    }
    m_pList->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                          wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_pList->EnsureVisible(row);
    OpenRecord(row);
}

void CComtradeListView::OpenRecord(long row)
{
    // A selection that does not change the line opens nothing again.
    if (row < 0 || static_cast<std::size_t>(row) >= m_Rows.size() || row == m_Selected) {
        return;
    }
    m_Selected = row;
    if (m_pController != nullptr) {
        CCtrlItem item;
        item.code = ctrl::kComtradeRecord;
        item.text = m_Rows[static_cast<std::size_t>(row)].name;
        m_pController->Notify(&item);
    }
}
