#include "lib/viewer/window/MarksDlg.h"

#include <wx/listctrl.h>

#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/data/TracelumeTexts.h"

namespace tracelume {

namespace {

constexpr std::uint32_t kPopupDialog = 0x80C80000;  // pop-up with caption and system menu
constexpr std::uint32_t kChildVisible = 0x50000000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kShowSelectionAlways = 0x8;

DialogItemTemplateInfo Control(const wchar_t* className, unsigned id, std::uint32_t style, short x, short y, short cx,
                            short cy, std::wstring caption = {}) {
    DialogItemTemplateInfo item;
    item.className = className;
    item.id = id;
    item.style = style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.caption = std::move(caption);
    return item;
}

}  // namespace

DialogTemplateInfo CMarksDlg::Template() {
    CTinyResourceManager& texts = Texts();
    DialogTemplateInfo info;
    info.helpId = 4022;
    info.style = kPopupDialog | kDialogStyleSetFont;
    info.cx = 280;
    info.cy = 180;
    info.caption = texts.GetString(kTextMarksTitle);
    info.items = {
        Control(L"SysListView32", kList,
             kChildVisible | kBorder | kTabStop | ui::kListViewReport | ui::kListViewSingleSel | kShowSelectionAlways, 7,
             7, 266, 120),
        Control(L"EDIT", kComment, kChildVisible | kBorder | kTabStop, 7, 134, 196, 14),
        Control(L"BUTTON", kApply, kChildVisible | kTabStop | ui::kButtonPush, 208, 134, 65, 14,
             texts.GetString(kTextApplyComment)),
        Control(L"BUTTON", ui::kIdOk, kChildVisible | kTabStop | ui::kButtonDefPush, 154, 158, 56, 14,
             texts.GetString(kTextOk)),
        Control(L"BUTTON", ui::kIdCancel, kChildVisible | kTabStop | ui::kButtonPush, 217, 158, 56, 14,
             texts.GetString(kTextCancel)),
    };
    info.itemCount = static_cast<std::uint16_t>(info.items.size());
    return info;
}

CMarksDlg::CMarksDlg(IMarkManager& marks, double rate) : ui::Dialog(Template()), m_marks(marks), m_rate(rate) {}

bool CMarksDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    auto* list = GetItem<wxListCtrl>(kList);
    if (list == nullptr) {
        return true;
    }
    CTinyResourceManager& texts = Texts();
    list->InsertColumn(CMarkList::kName, wxString(texts.GetString(kTextColumnName)), wxLIST_FORMAT_LEFT, 80);
    list->InsertColumn(CMarkList::kGroup, wxString(texts.GetString(kTextColumnGroup)), wxLIST_FORMAT_LEFT, 80);
    list->InsertColumn(CMarkList::kPosition, wxString(texts.GetString(kTextPosition)), wxLIST_FORMAT_LEFT, 80);
    list->InsertColumn(CMarkList::kComment, wxString(texts.GetString(kTextComment)), wxLIST_FORMAT_LEFT, 150);
    list->Bind(wxEVT_LIST_COL_CLICK, [this](wxListEvent& event) {
        const int row = SelectedRow();
        const int index = row >= 0 ? m_list.Records()[static_cast<std::size_t>(row)].index : -1;
        m_list.ClickHeader(event.GetColumn());
        Fill(index);
    });
    OnControlNotify(kList, ui::kNotifyItemChanged, [this] {
        const int row = SelectedRow();
        SetDlgItemText(kComment, row >= 0 ? m_list.Records()[static_cast<std::size_t>(row)].comment : std::wstring());
    });
    OnControlNotify(kList, ui::kNotifyDoubleClick, [this] { Choose(true); });
    OnCommand(kApply, [this] {
        const int row = SelectedRow();
        if (row >= 0) {
            m_list.SetComment(m_marks, row, GetDlgItemText(kComment));
            if (auto* control = GetItem<wxListCtrl>(kList)) {
                control->SetItem(row, CMarkList::kComment,
                                 wxString(m_list.Records()[static_cast<std::size_t>(row)].comment));
            }
        }
    });
    m_list.Load(m_marks);
    Fill(-1);
    return true;
}

void CMarksDlg::Fill(int selectIndex) {
    auto* list = GetItem<wxListCtrl>(kList);
    if (list == nullptr) {
        return;
    }
    list->DeleteAllItems();
    const auto& records = m_list.Records();
    for (std::size_t row = 0; row < records.size(); ++row) {
        const CMarkList::Record& record = records[row];
        const long at = list->InsertItem(static_cast<long>(row), wxString(record.name));
        list->SetItem(at, CMarkList::kGroup, wxString(record.group));
        list->SetItem(at, CMarkList::kPosition, wxString(CMarkList::PositionText(record, m_rate)));
        list->SetItem(at, CMarkList::kComment, wxString(record.comment));
    }
    const int row = m_list.RowOf(selectIndex);
    if (row >= 0) {
        list->SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                           wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        list->EnsureVisible(row);
    }
}

int CMarksDlg::SelectedRow() const {
    auto* list = GetItem<wxListCtrl>(kList);
    if (list == nullptr) {
        return -1;
    }
    const long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    return row >= 0 && static_cast<std::size_t>(row) < m_list.Records().size() ? static_cast<int>(row) : -1;
}

void CMarksDlg::Choose(bool needSelection) {
    const int row = SelectedRow();
    if (row < 0 && needSelection) {
        return;
    }
    m_chosen = row >= 0 ? m_list.Records()[static_cast<std::size_t>(row)].index : -1;
    EndDialog(ui::kIdOk);
}

void CMarksDlg::OnOK() { Choose(false); }

}  // namespace tracelume
