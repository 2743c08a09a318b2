#include "platform/ui/ListView.h"

namespace ui {

ListView::ListView(wxWindow* parent, const wxRect& rect, long style)
    : wxListCtrl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style) {}

void ListView::SetRowCount(long count) {
    if (IsVirtual()) {
        SetItemCount(count);
        Refresh();
    }
}

wxString ListView::OnGetItemText(long row, long column) const {
    return m_provider ? wxString(m_provider(row, column)) : wxString();
}

}  // namespace ui
