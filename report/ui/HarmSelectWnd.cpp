#include "report/ui/HarmSelectWnd.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "report/ui/ReportWizardMessages.h"

namespace {

constexpr unsigned kTextRowLabel = 6258;
constexpr int kListLeft = 65;
constexpr int kListWidth = 50;
constexpr int kButtonSize = 20;

}  // namespace

CHarmSelectWnd::CHarmSelectWnd(unsigned highestOrder) : m_highestOrder(highestOrder) {}

CHarmSelectWnd::~CHarmSelectWnd()
{
    ClearRows();
}

bool CHarmSelectWnd::Create(wxWindow* parent, const wxRect& rect)
{
    if (IsWindow() || parent == nullptr) {
        return false;
    }
    auto* panel = new wxPanel(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxTAB_TRAVERSAL);
    Attach(panel, 0xFFFF, true);
    m_addButton = new wxButton(panel, wxID_ANY, WizardText(kIdAddButton), wxPoint(600, 100),
                               wxSize(kButtonSize + 8, kButtonSize + 8), wxBU_EXACTFIT);
    m_addButton->Bind(wxEVT_BUTTON, [binding = Binding()](wxCommandEvent&) {
        if (ui::Window* self = *binding) {
            self->WindowProc(ui::kMsgCommand, ui::MakeWParam(kIdAddButton, ui::kNotifyClicked), 0);
        }
    });
    // The tab control sizes its pages: keep the add button at the right edge.
    panel->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        UpdateRowLabels();
    });
    return true;
}

int CHarmSelectWnd::ListPitch() const
{
    // GTK's buttons are wider than the 20 pixels the layout was made for: the lists
    // leave them room so that the last row's remove and add buttons never overlap.
    return std::max(kListWidth + 4, (GetClientSize().GetWidth() - 125) / kHarmListsPerRow);
}

int CHarmSelectWnd::ExchangeItem(CHarmTrendItem& item, int collect)
{
    if (collect == 0) {
        m_item = item;
        m_rowsBuilt = 0;
        return 1;
    }
    if (m_rowsBuilt == 0) {
        return 0;
    }
    item.ClearGroups();
    for (int row = 0; row < GetRowCount(); ++row) {
        const OrderGroup group = HarmGroupOfRow(GetRowSelection(row));
        if (!group.empty()) {
            item.AddGroup(group);
        }
    }
    return 1;
}

ui::LResult CHarmSelectWnd::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    if (message == kMsgRebuildRows) {
        OnRebuildRows();
        return 1;
    }
    if (message == ui::kMsgCommand && ui::LowWord(wParam) == kIdAddButton) {
        OnAddRow();
        return 0;
    }
    return ui::Window::WindowProc(message, wParam, lParam);
}

void CHarmSelectWnd::OnRebuildRows()
{
    if (m_rowsBuilt == 1) {
        return;
    }
    m_rowsBuilt = 1;
    ClearRows();
    const std::vector<OrderGroup>& groups = m_item.GetGroups();
    for (std::size_t p = 0; p < groups.size(); ++p) {
        if (!groups[p].empty()) {
            AddRow(static_cast<int>(p), &groups[p]);
        }
    }
    UpdateRowLabels();
    Invalidate();
}

void CHarmSelectWnd::OnAddRow()
{
    if (!IsWindow() || GetRowCount() >= MaxHarmRows(m_highestOrder)) {
        return;
    }
    AddRow(GetRowCount(), nullptr);
    UpdateRowLabels();
    Invalidate();
}

void CHarmSelectWnd::OnRemoveRow(wxButton* button)
{
    const auto found =
        std::find_if(m_rows.begin(), m_rows.end(), [button](const Row& row) { return row.remove == button; });
    if (found != m_rows.end()) {
        // The button being pressed goes after its event has been handled.
        Row removed = *found;
        removed.remove->Hide();
        removed.remove->CallAfter([button = removed.remove] { button->Destroy(); });
        removed.remove = nullptr;
        DestroyRow(removed);
        for (auto later = m_rows.erase(found); later != m_rows.end(); ++later) {
            later->top -= kRowPitch;
            PlaceRow(*later);
        }
    }
    UpdateRowLabels();
    Invalidate();
}

bool CHarmSelectWnd::AddRow(int rowIndex, const OrderGroup* group)
{
    wxWindow* panel = GetWx();
    if (panel == nullptr) {
        return false;
    }
    Row row;
    row.top = rowIndex * kRowPitch + kFirstTop;
    row.label = new wxStaticText(panel, wxID_ANY, WizardFormat(kTextRowLabel, rowIndex + 1), wxDefaultPosition,
                                 wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    wxArrayString entries;
    entries.Add(L"OFF");
    for (unsigned order = 2; order <= m_highestOrder; ++order) {
        entries.Add(std::to_wstring(order));
    }
    const HarmRowIndexes choice = HarmRowChoice(rowIndex, group, m_highestOrder);
    for (int k = 0; k < kHarmListsPerRow; ++k) {
        auto* list = new wxChoice(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, entries);
        list->SetSelection(choice[static_cast<std::size_t>(k)]);
        row.lists[static_cast<std::size_t>(k)] = list;
    }
    row.remove = new wxButton(panel, wxID_ANY, WizardText(kIdRemoveButton), wxDefaultPosition,
                              wxSize(kButtonSize + 8, kButtonSize + 8), wxBU_EXACTFIT);
    row.remove->Bind(wxEVT_BUTTON, [binding = Binding(), this, button = row.remove](wxCommandEvent&) {
        if (*binding != nullptr) {
            OnRemoveRow(button);
        }
    });
    PlaceRow(row);
    m_rows.push_back(row);
    return true;
}

void CHarmSelectWnd::PlaceRow(Row& row)
{
    const int pitch = ListPitch();
    row.label->SetSize(5, row.top + 2, 55, 14 + 4);
    int left = kListLeft;
    for (wxChoice* list : row.lists) {
        list->SetSize(left, row.top, std::max(kListWidth, pitch - 4), -1);
        left += pitch;
    }
    row.remove->Move(left, row.top);
}

void CHarmSelectWnd::UpdateRowLabels()
{
    if (m_addButton != nullptr) {
        const int count = std::max(GetRowCount(), 1);
        m_addButton->Move(GetClientSize().GetWidth() - m_addButton->GetSize().GetWidth() - 2,
                          (count - 1) * kRowPitch + kFirstTop);
    }
    for (int row = 0; row < GetRowCount(); ++row) {
        m_rows[static_cast<std::size_t>(row)].label->SetLabel(WizardFormat(kTextRowLabel, row + 1));
    }
}

void CHarmSelectWnd::DestroyRow(Row& row)
{
    // Controls whose panel went already were destroyed with it.
    if (!IsWindow()) {
        return;
    }
    row.label->Destroy();
    for (wxChoice* list : row.lists) {
        list->Destroy();
    }
    if (row.remove != nullptr) {
        row.remove->Destroy();
    }
}

void CHarmSelectWnd::ClearRows()
{
    for (Row& row : m_rows) {
        DestroyRow(row);
    }
    m_rows.clear();
}

int CHarmSelectWnd::GetRowTop(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<std::size_t>(row)].top : -1;
}

std::wstring CHarmSelectWnd::GetRowLabel(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<std::size_t>(row)].label->GetLabel().ToStdWstring()
                                           : std::wstring();
}

HarmRowIndexes CHarmSelectWnd::GetRowSelection(int row) const
{
    HarmRowIndexes indexes{};
    if (row >= 0 && row < GetRowCount()) {
        for (int k = 0; k < kHarmListsPerRow; ++k) {
            indexes[static_cast<std::size_t>(k)] =
                std::max(0, m_rows[static_cast<std::size_t>(row)].lists[static_cast<std::size_t>(k)]->GetSelection());
        }
    }
    return indexes;
}

void CHarmSelectWnd::SelectEntry(int row, int list, int index)
{
    if (row >= 0 && row < GetRowCount() && list >= 0 && list < kHarmListsPerRow) {
        m_rows[static_cast<std::size_t>(row)].lists[static_cast<std::size_t>(list)]->SetSelection(index);
    }
}

wxButton* CHarmSelectWnd::GetRemoveButton(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<std::size_t>(row)].remove : nullptr;
}
