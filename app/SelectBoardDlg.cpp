#include "app/SelectBoardDlg.h"

#include <algorithm>
#include <cwchar>

#include <wx/radiobut.h>

#include "core/ZVResourceManager.h"

namespace {

constexpr unsigned kStringBoard = 6275;

// The frame's border and caption take room at its edges.
constexpr int kFrameInset = 6;

std::wstring BoardCaption(int board) {
    std::wstring pattern = CZVResourceManager::GetResourceManager()->LoadString(kStringBoard);
    wchar_t text[128];
    // The pattern comes from a language pack: only its first "%d" is filled in.
    const std::size_t at = pattern.find(L"%d");
    if (at == std::wstring::npos) {
        return pattern;
    }
    std::swprintf(text, 128, L"%d", board);
    return pattern.replace(at, 2, text);
}

}  // namespace

CSelectBoardDlg::CSelectBoardDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)) {}

void CSelectBoardDlg::SetBoards(const std::set<int>& boards) {
    m_Boards.clear();
    for (const int board : boards) {
        m_Boards.emplace(board, nullptr);
    }
}

bool CSelectBoardDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    const wxWindow* frame = GetDlgItem(kFrameId);
    if (frame == nullptr || m_Boards.empty()) {
        return true;
    }
    const wxRect area = frame->GetRect().Deflate(kFrameInset, 0);
    const int top = area.y + GetWx()->GetCharHeight() + kFrameInset;
    const int rowHeight = std::max(1, (area.GetBottom() - kFrameInset - top) / static_cast<int>(m_Boards.size()));
    const int left = area.x + (area.width - kButtonWidth) / 2;
    unsigned id = kFirstBoardButton;
    int row = 0;
    wxWindow* previous = GetDlgItem(kFrameId);
    for (auto& [board, button] : m_Boards) {
        button = new wxRadioButton(GetWx(), static_cast<int>(id++), wxString(BoardCaption(board)),
                                   wxPoint(left, top + row * rowHeight), wxSize(kButtonWidth, rowHeight),
                                   row == 0 ? wxRB_GROUP : 0);
        button->SetFont(GetWx()->GetFont());
        // A caption wider than the button (a language with longer words) widens it.
        const int width = std::max(kButtonWidth, button->GetBestSize().GetWidth());
        button->SetSize(area.x + (area.width - width) / 2, top + row * rowHeight, width, rowHeight);
        button->MoveAfterInTabOrder(previous);
        previous = button;
        ++row;
    }
    m_Boards.begin()->second->SetValue(true);
    return true;
}

void CSelectBoardDlg::OnOK() {
    for (const auto& [board, button] : m_Boards) {
        if (button != nullptr && button->GetValue()) {
            m_SelBoard = board;
            break;
        }
    }
    EndDialog(ui::kIdOk);
}
