#include "views/SOEListView.h"

#include <algorithm>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "terminal/Controller.h"
#include "terminal/DataModel.h"
#include "terminal/CtrlItem.h"
#include "views/SOEListImages.h"
#include "views/SOEVirtualList.h"
#include "views/ViewMessages.h"
#include "views/data/ViewTexts.h"

CSOEListView::CSOEListView()
    : CEventView(kTemplateId)
{
    m_Items.Release();
    views::HandleListMessages(*this, [this](int width) { Layout(width); }, [this] { return m_pList; });
}

bool CSOEListView::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    auto* list = new CSOEVirtualList(GetWx());
    if (!ReplaceDlgItem(kListId, list)) {
        list->Destroy();
        return false;
    }
    m_pList = list;
    m_pImages = MakeSoeListImages();
    m_pList->SetImageList(m_pImages.get(), wxIMAGE_LIST_SMALL);
    m_pList->AppendColumn(wxString(), wxLIST_FORMAT_LEFT, 16);
    m_pList->AppendColumn(viewtext::Load(viewtext::kName), wxLIST_FORMAT_LEFT, 100);
    m_pList->AppendColumn(viewtext::Load(viewtext::kLimitValue), wxLIST_FORMAT_LEFT, 100);
    m_pList->AppendColumn(viewtext::Load(viewtext::kTime), wxLIST_FORMAT_LEFT, 100);
    m_pList->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) { OnSelected(event.GetIndex()); });
    m_pList->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) {
        if (event.GetColumn() == 0) {
            ToggleAll();
        }
    });
    m_pList->Bind(wxEVT_LIST_COL_END_DRAG, [this](wxListEvent& event) {
        const int column = event.GetColumn();
        if (column >= 0 && column < 4) {
            m_UserWidths[column] = m_pList->GetColumnWidth(column);
        }
        event.Skip();
    });
    // A click in the first column opens or closes a block; the rows are drawn by a
    // child window of the list.
    for (wxWindow* rows : m_pList->GetChildren()) {
        rows->Bind(wxEVT_LEFT_DOWN, [this, rows](wxMouseEvent& event) {
            event.Skip();
            const wxPoint inList = m_pList->ScreenToClient(rows->ClientToScreen(event.GetPosition()));
            int flags = 0;
            const long row = m_pList->HitTest(inList, flags);
            wxRect first;
            if (row >= 0 && m_pList->GetSubItemRect(row, 0, first) && first.Contains(inList)) {
                GetWx()->CallAfter([this, row] { ToggleRow(row); });
            }
        });
    }
    m_pList->SetItems(&m_Items);
    Layout(GetClientSize().GetWidth());
    return true;
}

void CSOEListView::Layout(int width)
{
    if (m_pList == nullptr) {
        return;
    }
    m_pList->SetSize(GetClientSize());
    m_pList->SetColumnWidth(0, 16);
    const int name = std::clamp(width - 220, 140, 200);
    if (m_UserWidths[1] < 0) {
        m_pList->SetColumnWidth(1, name);
    }
    if (m_UserWidths[2] < 0) {
        m_pList->SetColumnWidth(2, 60);
    }
    if (m_UserWidths[3] < 0) {
        m_pList->SetColumnWidth(3, std::max(width - name - 80, 140));
    }
}

int CSOEListView::OnUpdate(std::uint32_t event, std::uintptr_t, std::uintptr_t)
{
    if (event == ctrl::kOpenSoe && m_pDataModel != nullptr) {
        Load();
    } else if (event == ctrl::kCloseAll) {
        Clear();
    }
    return 1;
}

void CSOEListView::Load()
{
    m_Items.Release();
    m_pDataModel->GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&m_Items)));
    m_LastId = -1;
    m_Items.RebuildVisible();
    if (m_pList != nullptr) {
        m_pList->SetItems(&m_Items);
    }
    IZVDataManager count;
    m_pDataModel->GetData(0, 0, 0, 0, 3, reinterpret_cast<QueryWord>(&count));
    views::SendCaption(views::kCaptionSoeList, viewtext::CountCaption(viewtext::kAlarmEvents, count.GetParam()));
    if (m_Items.GetCount() > 0) {
        SelectRow(0);
    } else {
        SendSelection(-1, -1);
    }
    WindowProc(views::kMsgViewCommand, views::kViewRepaintList, 0);
}

void CSOEListView::Clear()
{
    m_Items.Release();
    m_LastId = -1;
    m_Items.RebuildVisible();
    if (m_pList != nullptr) {
        m_pList->SetItems(&m_Items);
    }
    views::SendCaption(views::kCaptionSoeList, viewtext::CountCaption(viewtext::kAlarmEvents, 0));
}

void CSOEListView::SelectRow(long row)
{
    if (m_pList == nullptr || row < 0 || row >= m_pList->GetItemCount()) {
        return;
    }
    m_pList->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                          wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    OnSelected(row);
}

void CSOEListView::OnSelected(long row)
{
    SOERow event;
    if (m_pList == nullptr || row < 0 || !m_pList->RowAt(row, event)) {
        return;
    }
    const std::int64_t id = event.dataPosition;
    if (id == m_LastId) {
        return;
    }
    m_LastId = id;
    SendSelection(id, event.record.w[0] != 0 ? static_cast<std::int64_t>(static_cast<std::uint32_t>(event.record.w[4])) : -1);
}

void CSOEListView::SendSelection(std::int64_t id, std::int64_t value)
{
    if (m_pController == nullptr) {
        return;
    }
    CCtrlItem item;
    item.code = ctrl::kSoeEvent;
    item.param1 = static_cast<std::uintptr_t>(id);
    item.param2 = static_cast<std::uintptr_t>(value);
    m_pController->Notify(&item);
}

bool CSOEListView::ToggleRow(long row)
{
    if (m_pList == nullptr || row < 0 || m_Items.SetVisible(row) == 0) {
        return false;
    }
    m_pList->Reload();
    return true;
}

void CSOEListView::ToggleAll()
{
    m_Items.ToggleAllExpanded();
    if (m_pList != nullptr) {
        m_pList->Reload();
    }
}
