#include "views/SOEVirtualList.h"

#include "terminal/SOEListItemsMgr.h"
#include "views/data/SoeEventText.h"

CSOEVirtualList::CSOEVirtualList(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxBORDER_SUNKEN)
{
    m_HeadAttr.SetBackgroundColour(wxColour(0xD7, 0xD7, 0xD7));
}

void CSOEVirtualList::SetItems(CSOEListItemsMgr* items)
{
    m_pItems = items;
    Reload();
}

void CSOEVirtualList::Reload()
{
    m_CachedRow = -1;
    SetItemCount(m_pItems != nullptr ? static_cast<long>(m_pItems->GetCount()) : 0);
    Refresh();
}

bool CSOEVirtualList::RowAt(long row, SOERow& out) const
{
    if (row != m_CachedRow) {
        m_CachedRow = row;
        m_Cached = SOERow{};
        // A row the manager cannot give shows nothing, never the row asked before.
        m_CachedFound = m_pItems != nullptr && m_pItems->GetSoeAt(row, &m_Cached) != 0;
        if (!m_CachedFound) {
            m_Cached = SOERow{};
        }
    }
    out = m_Cached;
    return m_CachedFound;
}

wxString CSOEVirtualList::OnGetItemText(long row, long column) const
{
    SOERow event;
    if (!RowAt(row, event)) {
        return wxString();
    }
    switch (column) {
    case 1: return wxString(soetext::Name(event));
    case 2: return wxString(soetext::Value(event));
    case 3: return wxString(soetext::Time(event));
    default: return wxString();
    }
}

int CSOEVirtualList::OnGetItemColumnImage(long row, long column) const
{
    SOERow event;
    return column == 0 && RowAt(row, event) ? soetext::Image(event) : -1;
}

wxItemAttr* CSOEVirtualList::OnGetItemAttr(long row) const
{
    SOERow event;
    return RowAt(row, event) && event.record.w[0] == 0 ? &m_HeadAttr : nullptr;
}
