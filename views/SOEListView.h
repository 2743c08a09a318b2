#pragma once
// CSOEListView: the alarm-event list pane (view 40004). It shows the events of the
// opened ".soe" file in blocks that open and close, and tells the controller which
// event is selected, so the scene view shows its field data.

#include <memory>

#include <wx/imaglist.h>

#include "views/EventView.h"
#include "terminal/SOEListItemsMgr.h"

class CSOEVirtualList;

class CSOEListView : public CEventView {
public:
    static constexpr unsigned kTemplateId = 103;
    static constexpr unsigned kListId = 8805;

    CSOEListView();

    bool OnInitDialog() override;
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override;

    // Selects a row as the user would; its event goes to the controller.
    void SelectRow(long row);
    // Opens or closes the block whose head stands on the row (a click on its first
    // column); false for any other row.
    bool ToggleRow(long row);
    // Opens every block when all are closed, else closes all (a click on the first
    // column's heading).
    void ToggleAll();

    CSOEVirtualList* GetList() const { return m_pList; }
    CSOEListItemsMgr& GetItems() { return m_Items; }

private:
    void Load();
    void Clear();
    void Layout(int width);
    void OnSelected(long row);
    void SendSelection(std::int64_t id, std::int64_t value);

    CSOEVirtualList* m_pList = nullptr;
    CSOEListItemsMgr m_Items;
    std::unique_ptr<wxImageList> m_pImages;
    std::int64_t m_LastId = -1;
    int m_UserWidths[4] = {-1, -1, -1, -1};
};
