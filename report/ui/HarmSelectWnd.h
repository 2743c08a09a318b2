#pragma once
// CHarmSelectWnd: the harmonic-order selector of one phase tab of a harmonic trend
// wizard page. Each row is one trend chart: a label ("趋势图%d"), six lists each
// showing "OFF" or one order from 2 to the highest order, and a button that removes
// the row; the add button at the right of the last row adds one, up to one row per
// six orders. The page hands it an item (ExchangeItem, collect 0), which the rows
// show once kMsgRebuildRows arrives (the tab became visible), and collects the rows
// back into an item (collect 1); an item never shown is left as it was.
//
// A remove button removes its own row, however it was pressed.

#include <array>
#include <vector>

#include <wx/gdicmn.h>

#include "platform/ui/Window.h"
#include "report/HarmSelectRows.h"
#include "report/HarmTrendItem.h"

class wxButton;
class wxChoice;
class wxStaticText;
class wxWindow;

class CHarmSelectWnd : public ui::Window {
public:
    static constexpr unsigned kIdAddButton = 10072;
    static constexpr unsigned kIdRemoveButton = 10073;
    static constexpr int kRowPitch = 50;
    static constexpr int kFirstTop = 10;

    explicit CHarmSelectWnd(unsigned highestOrder);
    ~CHarmSelectWnd() override;

    // The window, a child of `parent` (the tab control), with its add button.
    bool Create(wxWindow* parent, const wxRect& rect);

    // collect 0: takes a copy of the item to show at the next kMsgRebuildRows; 1.
    // collect non-zero: the rows' groups into the item (rows of only "OFF" left
    // out); 0, with the item untouched, while the rows do not show the last item.
    int ExchangeItem(CHarmTrendItem& item, int collect);

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    unsigned GetHighestOrder() const { return m_highestOrder; }
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetRowTop(int row) const;
    std::wstring GetRowLabel(int row) const;
    HarmRowIndexes GetRowSelection(int row) const;
    // Chooses a list's entry as the user does (index 0 "OFF", i the order i + 1).
    void SelectEntry(int row, int list, int index);
    wxButton* GetAddButton() const { return m_addButton; }
    wxButton* GetRemoveButton(int row) const;

private:
    struct Row {
        wxStaticText* label = nullptr;
        std::array<wxChoice*, kHarmListsPerRow> lists{};
        wxButton* remove = nullptr;
        int top = 0;
    };

    void OnRebuildRows();
    void OnAddRow();
    void OnRemoveRow(wxButton* button);
    bool AddRow(int rowIndex, const OrderGroup* group);
    void PlaceRow(Row& row);
    void UpdateRowLabels();
    void DestroyRow(Row& row);
    void ClearRows();
    int ListPitch() const;

    unsigned m_highestOrder;
    std::vector<Row> m_rows;
    wxButton* m_addButton = nullptr;
    int m_rowsBuilt = 1;
    CHarmTrendItem m_item;
};
