#pragma once
// CSOEVirtualList: the owner-data list of the alarm-event view. Rows come from the
// items manager; a row it cannot find shows empty cells. Block heads stand out on a
// grey band.

#include <wx/listctrl.h>

#include "terminal/SOEBlock.h"

class CSOEListItemsMgr;

class CSOEVirtualList : public wxListCtrl {
public:
    explicit CSOEVirtualList(wxWindow* parent);

    // The manager shown (borrowed; null shows nothing); the row count follows it.
    void SetItems(CSOEListItemsMgr* items);
    // After the manager's rows changed.
    void Reload();
    // The row as the list shows it; false (and an empty row) when there is none.
    bool RowAt(long row, SOERow& out) const;

protected:
    wxString OnGetItemText(long row, long column) const override;
    int OnGetItemColumnImage(long row, long column) const override;
    wxItemAttr* OnGetItemAttr(long row) const override;

private:
    CSOEListItemsMgr* m_pItems = nullptr;
    mutable long m_CachedRow = -1;
    mutable SOERow m_Cached;
    mutable bool m_CachedFound = false;
    mutable wxItemAttr m_HeadAttr;
};
