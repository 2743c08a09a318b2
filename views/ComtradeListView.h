#pragma once
// CComtradeListView: the transient-event list pane (view 40001). It lists the
// COMTRADE records of the opened folder by time and opens the record of every
// line the user or the program selects.

#include <vector>

#include "views/EventView.h"
#include "views/data/ComtradeListManager.h"

namespace ui {
class ListView;
}

class CComtradeListView : public CEventView {
public:
    static constexpr unsigned kTemplateId = 103;
    static constexpr unsigned kListId = 8805;

    CComtradeListView();

    bool OnInitDialog() override;
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override;

    // Selects a line as the user would, opening its record; nothing outside the rows.
    void SelectRow(long row);
    long GetSelectedRow() const { return m_Selected; }
    const std::vector<CComtradeListRow>& GetRows() const { return m_Rows; }
    ui::ListView* GetList() const { return m_pList; }

private:
    void Load();
    void Clear();
    void Show();
    void Layout(int width);
    void OpenRecord(long row);

    ui::ListView* m_pList = nullptr;
    std::vector<CComtradeListRow> m_Rows;
    long m_Selected = -1;
    int m_UserWidths[3] = {-1, -1, -1};
};
